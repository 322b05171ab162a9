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

namespace {

// The value of each ASCII character as a hexadecimal digit; kNotHex where it
// is none. Any value above 15 marks a pair that is not a byte.
constexpr unsigned char kNotHex = 0xFF;
struct HexValues
{
    unsigned char of[128] = {};
    constexpr HexValues()
    {
        for (unsigned char &value : of)
            value = kNotHex;
        for (int c = 0; c < 10; ++c)
            of['0' + c] = static_cast<unsigned char>(c);
        for (int c = 0; c < 6; ++c) {
            of['A' + c] = static_cast<unsigned char>(10 + c);
            of['a' + c] = static_cast<unsigned char>(10 + c);
        }
    }
};
constexpr HexValues kHexValues;

// The byte of the pair at p, or -1 when the pair is not two hexadecimal digits.
inline int pairValue(const char16_t *p)
{
    const char16_t high = p[0];
    const char16_t low = p[1];
    if ((high | low) > 0x7F)
        return -1;
    const unsigned char h = kHexValues.of[high];
    const unsigned char l = kHexValues.of[low];
    if ((h | l) > 0x0F)
        return -1;
    return (h << 4) | l;
}

// Through the byte form and the text decoder: for the rare text that holds a
// byte the table does not know.
QString decodeThroughBytes(QStringView trimmed)
{
    QByteArray plain;
    if (!codec::decodeBytes(trimmed.toLatin1(), plain))
        return {};
    return gbk::decode(plain);
}

} // namespace

QString decodeQuestionText(const QString &encoded)
{
    // The steps of codec::decodeBytes and gbk::decode in one pass straight
    // from the stored text to the characters: this runs for every text of
    // every question read. Whatever the table cannot say goes the long way.
    const auto *chars = reinterpret_cast<const char16_t *>(encoded.utf16());
    const char16_t *begin = chars;
    const char16_t *end = chars + encoded.size();
    while (begin < end && *begin <= 0x20)
        ++begin;
    while (end > begin && *(end - 1) <= 0x20)
        --end;
    const qsizetype m = end - begin;
    if (m % 2 != 0)
        return {};
    const int mix = codec::mixByte(0, static_cast<unsigned char>(m % 256));
    const char16_t *doubleByte = gbk::doubleByteChars();
    QString out(m / 2, Qt::Uninitialized);
    auto *dst = reinterpret_cast<char16_t *>(out.data());
    const auto *const first = dst;
    for (const char16_t *p = begin; p < end;) {
        int byte = pairValue(p);
        if (byte < 0)
            return {};
        p += 2;
        byte ^= mix;
        if (byte < 0x80) {
            *dst++ = static_cast<char16_t>(byte);
            continue;
        }
        if (!codec::isLeadByte(static_cast<unsigned char>(byte)))
            return decodeThroughBytes(QStringView(begin, end));
        // A lead byte takes the byte after it; a lead byte at the end makes
        // the value invalid.
        if (p == end)
            return {};
        int trail = pairValue(p);
        if (trail < 0)
            return {};
        p += 2;
        trail ^= mix;
        const char16_t c = doubleByte[(byte << 8) | trail];
        if (c == 0)
            return decodeThroughBytes(QStringView(begin, end));
        *dst++ = c;
    }
    out.truncate(dst - first);
    return out;
}
