#pragma once

#include <QByteArray>
#include <QString>
#include <optional>

// The machine's memory figures for the about box, from the kernel's
// /proc/meminfo: total and available physical memory and free swap.
struct MemoryStatus
{
    static inline const QString kMeminfoPath = QStringLiteral("/proc/meminfo");

    // Each in bytes; unset when the kernel did not report it.
    std::optional<qint64> totalBytes;
    std::optional<qint64> availableBytes;
    std::optional<qint64> freeSwapBytes;

    // The figures in meminfo text ("MemTotal:  16303412 kB" lines); lines it
    // does not know or cannot read are passed over.
    static MemoryStatus parse(const QByteArray &meminfo);
    // The figures of this machine now; all unset when the file cannot be read.
    static MemoryStatus read(const QString &path = kMeminfoPath);

    // The about box's figures: the load as "37%" ((total − available) / total,
    // to the nearest percent), the others as "15921M" (mebibytes to the
    // nearest whole, halves to even); "未知" for a figure that is missing.
    QString loadText() const;
    QString totalText() const;
    QString availableText() const;
    QString freeSwapText() const;
};
