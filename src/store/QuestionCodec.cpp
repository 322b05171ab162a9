#include "QuestionCodec.h"

#include "GbkText.h"

namespace codec {
namespace {

constexpr char kHex[] = "0123456789ABCDEF";

int hexValue(char c)
{
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    return -1;
}

// Applies the key letters in turn, then the length mask.
unsigned char mix(unsigned char byte, unsigned char lengthMask)
{
    for (char letter : kKey)
        byte ^= static_cast<unsigned char>(letter);
    return byte ^ lengthMask;
}

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
        const unsigned char b = mix(static_cast<unsigned char>(c), mask);
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
        const int high = hexValue(text.at(i));
        const int low = hexValue(text.at(i + 1));
        if (high < 0 || low < 0)
            return false;
        out[i / 2] = static_cast<char>(mix(static_cast<unsigned char>(high * 16 + low), mask));
    }
    // Walk the characters: a byte above 160 leads a double-byte character and
    // needs a byte after it.
    for (qsizetype i = 0; i < out.size(); ++i) {
        if (static_cast<unsigned char>(out.at(i)) > 160) {
            if (i + 1 >= out.size())
                return false;
            ++i;
        }
    }
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
    QByteArray plain;
    // Stored values are ASCII; anything else is not an encoding of ours.
    for (QChar c : encoded) {
        if (c.unicode() > 0x7F)
            return {};
    }
    if (!codec::decodeBytes(encoded.toLatin1(), plain))
        return {};
    return gbk::decode(plain);
}
