#include "editor/ZipArchive.h"

#include <QBuffer>
#include <quazip/quazip.h>
#include <quazip/quazipfile.h>
#include <quazip/quazipfileinfo.h>

struct ZipArchive::Private
{
    QByteArray bytes;
    QBuffer buffer;
    QuaZip zip{&buffer};
};

ZipArchive::ZipArchive(const QByteArray &bytes) : m_d(std::make_unique<Private>())
{
    m_d->bytes = bytes;
    m_d->buffer.setBuffer(&m_d->bytes);
    // Every archive starts with a local header; anything else is not one.
    if (!bytes.startsWith("PK\x03\x04"))
        return;
    m_open = m_d->zip.open(QuaZip::mdUnzip) && m_d->zip.getEntriesCount() >= 0 &&
             m_d->zip.getEntriesCount() <= kEntryCountLimit;
}

ZipArchive::~ZipArchive()
{
    if (m_d->zip.isOpen())
        m_d->zip.close();
}

ZipArchive::Entry ZipArchive::read(const QString &name, qint64 limit)
{
    Entry entry;
    if (!m_open || !m_d->zip.setCurrentFile(name, QuaZip::csSensitive))
        return entry;
    QuaZipFileInfo64 info;
    if (!m_d->zip.getCurrentFileInfo(&info)) {
        entry.status = Status::Broken;
        return entry;
    }
    if (info.uncompressedSize > static_cast<quint64>(limit)) {
        entry.status = Status::TooLarge;
        return entry;
    }
    QuaZipFile file(&m_d->zip);
    if (!file.open(QIODevice::ReadOnly)) {
        entry.status = Status::Broken;
        return entry;
    }
    // The declared size may lie: count what is inflated.
    const qint64 cap = std::min<qint64>(limit, static_cast<qint64>(info.uncompressedSize));
    QByteArray bytes;
    bytes.reserve(static_cast<qsizetype>(std::min<qint64>(cap, 16 * 1024 * 1024)));
    char chunk[65536];
    for (;;) {
        const qint64 n = file.read(chunk, sizeof chunk);
        if (n < 0) {
            entry.status = Status::Broken;
            return entry;
        }
        if (n == 0)
            break;
        if (bytes.size() + n > cap) {
            entry.status = bytes.size() + n > limit ? Status::TooLarge : Status::Broken;
            return entry;
        }
        bytes.append(chunk, static_cast<qsizetype>(n));
    }
    file.close();
    if (file.getZipError() != 0) {
        entry.status = Status::Broken;
        return entry;
    }
    entry.status = Status::Read;
    entry.bytes = bytes;
    return entry;
}
