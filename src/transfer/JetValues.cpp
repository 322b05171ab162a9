#include "JetValues.h"

#include <QDate>
#include <QDateTime>
#include <QStringDecoder>
#include <QTime>
#include <cmath>

namespace jet {

QString dateText(double days)
{
    // Outside the years 1 to 9999 no date of the store can hold the value.
    if (!std::isfinite(days) || days <= -693594.0 || days >= 2958466.0)
        return QString();
    const double whole = std::trunc(days);
    qint64 seconds = std::llround(std::fabs(days - whole) * 86400.0);
    auto dayCount = static_cast<qint64>(whole);
    if (seconds >= 86400) {
        // A time of day that rounds to midnight is the next day's start, in the
        // direction the whole days count.
        seconds -= 86400;
        dayCount += days < 0 ? -1 : 1;
    }
    const QDate date = QDate(1899, 12, 30).addDays(dayCount);
    const QTime time = QTime(0, 0).addSecs(static_cast<int>(seconds));
    return QDateTime(date, time).toString(QStringLiteral("yyyy-MM-ddTHH:mm:ss"));
}

QString unicodeText(QByteArrayView stored)
{
    const auto *bytes = reinterpret_cast<const uchar *>(stored.data());
    const qsizetype size = stored.size();
    QString text;
    if (size >= 2 && bytes[0] == 0xFF && bytes[1] == 0xFE) {
        text.reserve(size);
        bool oneByte = true;
        qsizetype at = 2;
        while (at < size) {
            if (bytes[at] == 0) {
                oneByte = !oneByte;
                ++at;
            } else if (oneByte) {
                text.append(QChar(char16_t(bytes[at])));
                ++at;
            } else if (at + 1 < size) {
                text.append(QChar(char16_t(bytes[at] | (bytes[at + 1] << 8))));
                at += 2;
            } else {
                break; // an odd byte at the end holds no whole character
            }
        }
        return text.isNull() ? QStringLiteral("") : text;
    }
    text.reserve(size / 2);
    for (qsizetype at = 0; at + 1 < size; at += 2)
        text.append(QChar(char16_t(bytes[at] | (bytes[at + 1] << 8))));
    // An empty text is stored as such, never as NULL.
    return text.isNull() ? QStringLiteral("") : text;
}

QString codePageText(QByteArrayView stored, int codePage)
{
    QStringDecoder decoder(codePage == 936 ? "GBK" : "windows-1252");
    const QString text =
        decoder.isValid() ? QString(decoder.decode(stored)) : QString::fromLatin1(stored);
    return text.isNull() ? QStringLiteral("") : text;
}

} // namespace jet
