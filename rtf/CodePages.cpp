#include "CodePages.h"

namespace rtf {

int codePageForCharset(int charset)
{
    switch (charset) {
    case 77:
        return 10000; // Macintosh Roman
    case 128:
        return 932; // Shift-JIS
    case 129:
        return 949; // Hangul
    case 130:
        return 1361; // Johab
    case 134:
        return 936; // Simplified Chinese (GBK)
    case 136:
        return 950; // Traditional Chinese (Big5)
    case 161:
        return 1253;
    case 162:
        return 1254;
    case 163:
        return 1258;
    case 177:
        return 1255;
    case 178:
        return 1256;
    case 186:
        return 1257;
    case 204:
        return 1251;
    case 222:
        return 874;
    case 238:
        return 1250;
    case 2:   // Symbol: the bytes are glyph numbers, shown as Latin-1
    case 255: // OEM
        return 28591;
    default:
        return 0;
    }
}

bool isDoubleByte(int codePage)
{
    return codePage == 936 || codePage == 54936 || codePage == 950 || codePage == 932 ||
           codePage == 949;
}

namespace {

bool isLead(int codePage, uchar byte)
{
    if (codePage == 932)
        return (byte >= 0x81 && byte <= 0x9f) || (byte >= 0xe0 && byte <= 0xfc);
    return byte >= 0x81 && byte <= 0xfe;
}

bool isTrail(int codePage, uchar byte)
{
    switch (codePage) {
    case 950:
        return (byte >= 0x40 && byte <= 0x7e) || (byte >= 0xa1 && byte <= 0xfe);
    case 932:
        return (byte >= 0x40 && byte <= 0x7e) || (byte >= 0x80 && byte <= 0xfc);
    case 949:
        return (byte >= 0x41 && byte <= 0x5a) || (byte >= 0x61 && byte <= 0x7a) ||
               (byte >= 0x81 && byte <= 0xfe);
    default:
        return (byte >= 0x40 && byte <= 0x7e) || (byte >= 0x80 && byte <= 0xfe);
    }
}

} // namespace

int characterLength(int codePage, QByteArrayView bytes, qsizetype pos)
{
    if (!isDoubleByte(codePage) || !isLead(codePage, uchar(bytes[pos])))
        return 1;
    if (pos + 1 >= bytes.size())
        return 0;
    const uchar second = uchar(bytes[pos + 1]);
    if (codePage == 54936 && second >= 0x30 && second <= 0x39) {
        if (pos + 3 >= bytes.size())
            return 0;
        return isLead(codePage, uchar(bytes[pos + 2])) && uchar(bytes[pos + 3]) >= 0x30 &&
                       uchar(bytes[pos + 3]) <= 0x39
                   ? 4
                   : 1;
    }
    return isTrail(codePage, second) ? 2 : 1;
}

QByteArray CodePageDecoder::codecName(int codePage)
{
    switch (codePage) {
    case 936:
        return QByteArrayLiteral("GBK");
    case 54936:
        return QByteArrayLiteral("GB18030");
    case 950:
        return QByteArrayLiteral("Big5");
    case 932:
        return QByteArrayLiteral("Shift_JIS");
    case 949:
        return QByteArrayLiteral("windows-949");
    case 874:
        return QByteArrayLiteral("windows-874");
    case 10000:
        return QByteArrayLiteral("macintosh");
    case 437:
        return QByteArrayLiteral("IBM437");
    case 850:
        return QByteArrayLiteral("IBM850");
    case 65001:
        return QByteArrayLiteral("UTF-8");
    default:
        if (codePage >= 1250 && codePage <= 1258)
            return "windows-" + QByteArray::number(codePage);
        return {};
    }
}

QString CodePageDecoder::decode(const QByteArray &bytes, int codePage)
{
    // One decoder a codec, however many page numbers a document names: the
    // pages without a codec of their own share the Latin-1 one.
    const QByteArray name = codecName(codePage);
    auto found = m_decoders.find(name);
    if (found == m_decoders.end()) {
        QStringDecoder decoder;
        if (!name.isEmpty())
            decoder = QStringDecoder(name.constData(), QStringDecoder::Flag::Stateless);
        if (!decoder.isValid())
            decoder = QStringDecoder(QStringDecoder::Latin1, QStringDecoder::Flag::Stateless);
        found = m_decoders.emplace(name, std::move(decoder)).first;
    }
    found->second.resetState();
    return found->second.decode(bytes);
}

} // namespace rtf
