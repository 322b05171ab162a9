#pragma once

#include <QByteArray>
#include <QString>
#include <memory>

// A zip archive held in memory (the parts of a .docx or .xlsx). Every entry
// is read with a cap on its inflated size: an entry that declares more is
// refused before anything is inflated, and one that inflates beyond its
// declaration is cut off where the cap is reached. Nothing else in the
// program includes the archive library.
class ZipArchive
{
public:
    static constexpr qint64 kEntryLimit = 64 * 1024 * 1024;
    static constexpr int kEntryCountLimit = 10000;

    enum class Status
    {
        Read,
        Missing,  // no entry of that name
        TooLarge, // more than the cap, declared or inflated
        Broken    // the entry cannot be inflated
    };
    struct Entry
    {
        Status status = Status::Missing;
        QByteArray bytes;
    };

    explicit ZipArchive(const QByteArray &bytes);
    ~ZipArchive();
    ZipArchive(const ZipArchive &) = delete;
    ZipArchive &operator=(const ZipArchive &) = delete;

    // False when the bytes are no zip archive, or one with too many entries.
    bool isOpen() const { return m_open; }
    Entry read(const QString &name, qint64 limit = kEntryLimit);

private:
    struct Private;
    std::unique_ptr<Private> m_d;
    bool m_open = false;
};
