#include "store/QuestionCodec.h"

#include "base/GbkText.h"

namespace codec {

int hexDigit(char c)
{
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    return -1;
}

unsigned char mixByte(unsigned char byte, unsigned char lengthMask)
{
    for (char letter : kKey)
        byte ^= static_cast<unsigned char>(letter);
    return byte ^ lengthMask;
}

bool isLeadByte(unsigned char byte)
{
    return byte >= kFirstLeadByte && byte <= kLastLeadByte;
}

bool wholeCharacters(const QByteArray &plain)
{
    // A GBK lead byte starts a double-byte character and needs a byte after it;
    // whether that pair is a known character is for the text decoder to say.
    for (qsizetype i = 0; i < plain.size(); ++i) {
        if (isLeadByte(static_cast<unsigned char>(plain.at(i)))) {
            if (i + 1 >= plain.size())
                return false;
            ++i;
        }
    }
    return true;
}

namespace {

constexpr char kHex[] = "0123456789ABCDEF";

bool isBlank(char c)
{
    return static_cast<unsigned char>(c) <= 0x20;
}

QByteArray trimmedBytes(const QByteArray &bytes)
{
    qsizetype begin = 0;
    qsizetype end = bytes.size();
    while (begin < end && isBlank(bytes.at(begin)))
        ++begin;
    while (end > begin && isBlank(bytes.at(end - 1)))
        --end;
    return bytes.mid(begin, end - begin);
}

} // namespace

QByteArray encodeBytes(const QByteArray &plainGbk)
{
    const QByteArray plain = trimmedBytes(plainGbk);
    const auto mask = static_cast<unsigned char>((2 * plain.size()) % 256);
    QByteArray out;
    out.reserve(plain.size() * 2);
    for (char c : plain) {
        const unsigned char b = mixByte(static_cast<unsigned char>(c), mask);
        out.append(kHex[b >> 4]);
        out.append(kHex[b & 0x0F]);
    }
    return out;
}

bool decodeBytes(const QByteArray &encoded, QByteArray &plainGbk)
{
    plainGbk.clear();
    const QByteArray text = trimmedBytes(encoded);
    const qsizetype m = text.size();
    if (m % 2 != 0)
        return false;
    const auto mask = static_cast<unsigned char>(m % 256);
    QByteArray out(m / 2, Qt::Uninitialized);
    for (qsizetype i = 0; i < m; i += 2) {
        const int high = hexDigit(text.at(i));
        const int low = hexDigit(text.at(i + 1));
        if (high < 0 || low < 0)
            return false;
        out[i / 2] = static_cast<char>(mixByte(static_cast<unsigned char>(high * 16 + low), mask));
    }
    if (!wholeCharacters(out))
        return false;
    plainGbk = out;
    return true;
}

} // namespace codec

QString encodeQuestionText(const QString &plain)
{
    return QString::fromLatin1(codec::encodeBytes(gbk::encode(text::trimmed(plain))));
}

QString decodeQuestionText(const QString &encoded)
{
    // Same steps as codec::decodeBytes, straight from the stored text: this runs
    // for every text of every question read.
    const QChar *chars = encoded.constData();
    qsizetype begin = 0;
    qsizetype end = encoded.size();
    while (begin < end && chars[begin].unicode() <= 0x20)
        ++begin;
    while (end > begin && chars[end - 1].unicode() <= 0x20)
        --end;
    const qsizetype m = end - begin;
    if (m % 2 != 0)
        return {};
    const auto mask = static_cast<unsigned char>(m % 256);
    QByteArray plain(m / 2, Qt::Uninitialized);
    char *out = plain.data();
    for (qsizetype i = begin; i < end; i += 2) {
        const char16_t high = chars[i].unicode();
        const char16_t low = chars[i + 1].unicode();
        if (high > 0x7F || low > 0x7F)
            return {};
        const int h = codec::hexDigit(static_cast<char>(high));
        const int l = codec::hexDigit(static_cast<char>(low));
        if (h < 0 || l < 0)
            return {};
        *out++ = static_cast<char>(codec::mixByte(static_cast<unsigned char>(h * 16 + l), mask));
    }
    if (!codec::wholeCharacters(plain))
        return {};
    return gbk::decode(plain);
}
