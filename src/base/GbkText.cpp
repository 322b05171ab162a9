#include "base/GbkText.h"

#include <QStringDecoder>
#include <QStringEncoder>
#include <QStringList>
#include <cmath>

namespace gbk {

namespace {

// Two-byte GBK characters by their code (lead << 8 | trail); 0 where the pair
// is not a character. Filled once from the converter, in one call: each pair is
// followed by a newline, which no pair can swallow, so the output splits back
// into one segment per pair.
struct DoubleByteTable
{
    char16_t chars[65536] = {};

    DoubleByteTable()
    {
        QByteArray all;
        all.reserve(126 * 191 * 3);
        for (int lead = 0x81; lead <= 0xFE; ++lead) {
            for (int trail = 0x40; trail <= 0xFE; ++trail) {
                all.append(static_cast<char>(lead));
                all.append(static_cast<char>(trail));
                all.append('\n');
            }
        }
        QStringDecoder decoder("GBK");
        const QString decoded = decoder.decode(all);
        const QStringList segments = decoded.split(QLatin1Char('\n'));
        qsizetype index = 0;
        for (int lead = 0x81; lead <= 0xFE; ++lead) {
            for (int trail = 0x40; trail <= 0xFE; ++trail, ++index) {
                if (index >= segments.size())
                    return;
                const QString &one = segments.at(index);
                if (one.size() == 1 && one.at(0) != QChar::ReplacementCharacter &&
                    !one.at(0).isSurrogate())
                    chars[(lead << 8) | trail] = one.at(0).unicode();
            }
        }
    }
};

const DoubleByteTable &doubleByteTable()
{
    static const DoubleByteTable table;
    return table;
}

QString decodeWithConverter(const QByteArray &bytes)
{
    // Opening a converter by name is costly; each thread keeps one and resets
    // it before use, so no state carries over between texts.
    thread_local QStringDecoder decoder("GBK");
    decoder.resetState();
    return decoder.decode(bytes);
}

} // namespace

const char16_t *doubleByteChars()
{
    return doubleByteTable().chars;
}

QByteArray encode(const QString &text)
{
    thread_local QStringEncoder encoder("GBK");
    encoder.resetState();
    return encoder.encode(text);
}

QString decode(const QByteArray &bytes)
{
    // Question texts are decoded by the hundred thousand: ASCII and two-byte
    // characters go through the table, anything unusual through the converter.
    const char16_t *table = doubleByteTable().chars;
    QString out(bytes.size(), Qt::Uninitialized);
    QChar *dst = out.data();
    const auto *src = reinterpret_cast<const unsigned char *>(bytes.constData());
    const qsizetype n = bytes.size();
    qsizetype written = 0;
    for (qsizetype i = 0; i < n; ++i) {
        const unsigned char b = src[i];
        if (b < 0x80) {
            dst[written++] = QChar(char16_t(b));
            continue;
        }
        if (b == 0x80 || b == 0xFF || i + 1 >= n)
            return decodeWithConverter(bytes);
        const char16_t c = table[(b << 8) | src[i + 1]];
        if (c == 0)
            return decodeWithConverter(bytes);
        dst[written++] = QChar(c);
        ++i;
    }
    out.truncate(written);
    return out;
}

bool representable(const QString &text)
{
    // A fresh encoder per check: its error flag never clears.
    QStringEncoder encoder("GBK");
    const QByteArray bytes = encoder.encode(text);
    return !encoder.hasError();
}

int byteLength(const QString &text)
{
    return static_cast<int>(encode(text).size());
}

QString cut(const QString &text, int maxBytes)
{
    if (maxBytes <= 0)
        return {};
    int bytes = 0;
    qsizetype i = 0;
    while (i < text.size()) {
        // Keep surrogate pairs whole; GBK has no form for them, so they count as '?'.
        const qsizetype width = (text.at(i).isHighSurrogate() && i + 1 < text.size()) ? 2 : 1;
        const int charBytes = byteLength(text.mid(i, width));
        if (bytes + charBytes > maxBytes)
            break;
        bytes += charBytes;
        i += width;
    }
    return text.left(i);
}

} // namespace gbk

namespace text {

QString trimmed(const QString &text)
{
    qsizetype begin = 0;
    qsizetype end = text.size();
    while (begin < end && text.at(begin).unicode() <= 0x20)
        ++begin;
    while (end > begin && text.at(end - 1).unicode() <= 0x20)
        --end;
    return text.mid(begin, end - begin);
}

int roundHalfEven(double value)
{
    const double floor = std::floor(value);
    const double fraction = value - floor;
    double result = floor;
    if (fraction > 0.5)
        result = floor + 1;
    else if (fraction == 0.5)
        result = std::fmod(floor, 2.0) == 0.0 ? floor : floor + 1;
    return static_cast<int>(result);
}

QString twoDigits(int value)
{
    return value >= 0 && value <= 9 ? QStringLiteral("0") + QString::number(value)
                                    : QString::number(value);
}

} // namespace text
