#include "reference/MemoryStatus.h"

#include "base/GbkText.h"

#include <QFile>
#include <QList>
#include <limits>

namespace {

const QString kUnknown = QStringLiteral("未知");

// "MemTotal:       16303412 kB" -> bytes; nothing when the line is not of that form.
std::optional<qint64> bytesOf(const QByteArray &value)
{
    const QList<QByteArray> parts = value.simplified().split(' ');
    if (parts.isEmpty() || parts.size() > 2)
        return std::nullopt;
    bool ok = false;
    const qint64 number = parts.first().toLongLong(&ok);
    if (!ok || number < 0)
        return std::nullopt;
    qint64 unit = 1;
    if (parts.size() == 2) {
        if (parts.at(1).toLower() != "kb")
            return std::nullopt;
        unit = 1024;
    }
    if (number > std::numeric_limits<qint64>::max() / unit)
        return std::nullopt;
    return number * unit;
}

QString mebibytes(const std::optional<qint64> &bytes)
{
    if (!bytes)
        return kUnknown;
    return QString::number(text::roundHalfEven(static_cast<double>(*bytes) / 1024.0 / 1024.0)) +
           QStringLiteral("M");
}

} // namespace

MemoryStatus MemoryStatus::parse(const QByteArray &meminfo)
{
    MemoryStatus status;
    for (const QByteArray &line : meminfo.split('\n')) {
        const qsizetype colon = line.indexOf(':');
        if (colon < 0)
            continue;
        const QByteArray name = line.left(colon).trimmed();
        std::optional<qint64> *field = nullptr;
        if (name == "MemTotal")
            field = &status.totalBytes;
        else if (name == "MemAvailable")
            field = &status.availableBytes;
        else if (name == "SwapFree")
            field = &status.freeSwapBytes;
        if (field)
            *field = bytesOf(line.mid(colon + 1));
    }
    return status;
}

MemoryStatus MemoryStatus::read(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    // /proc files report no size: read until the end.
    return parse(file.readAll());
}

QString MemoryStatus::loadText() const
{
    if (!totalBytes || !availableBytes || *totalBytes <= 0 || *availableBytes > *totalBytes)
        return kUnknown;
    const auto used = static_cast<double>(*totalBytes - *availableBytes);
    return QString::number(text::roundHalfEven(used * 100.0 / static_cast<double>(*totalBytes))) +
           QStringLiteral("%");
}

QString MemoryStatus::totalText() const
{
    return mebibytes(totalBytes);
}

QString MemoryStatus::availableText() const
{
    return mebibytes(availableBytes);
}

QString MemoryStatus::freeSwapText() const
{
    return mebibytes(freeSwapBytes);
}
