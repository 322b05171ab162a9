#include "GbkText.h"

#include <QStringDecoder>
#include <QStringEncoder>
#include <cmath>

namespace gbk {

QByteArray encode(const QString &text)
{
    QStringEncoder encoder("GBK");
    return encoder.encode(text);
}

QString decode(const QByteArray &bytes)
{
    QStringDecoder decoder("GBK");
    return decoder.decode(bytes);
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
