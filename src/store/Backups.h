#pragma once

#include <QDateTime>
#include <QList>
#include <QSqlDatabase>
#include <QString>

// The backups of the data file: whole copies of one consistent state, made
// under the engine's locks (EngineCopy), in the folder "backups" beside the file, named
// "examination-YYYYMMDD-HHMMSS.mdb" by the time they were made (a second copy
// within the same second gets "-2", "-3", … before ".mdb"). A copy is written
// under a name ending ".part" and takes its name only once it is complete, so
// a copy broken off part-way never looks like a backup. Each copy carries, in
// a small table of its own ("backup_note"), the step it was made before; the
// data file itself never holds that table. The newest copies are kept: at
// most 20, and no more than 2 GB together (the newest one always).
class Backups
{
public:
    static constexpr int kKeep = 20;
    static constexpr qint64 kMaxBytes = qint64(2) * 1024 * 1024 * 1024;
    static constexpr const char *kFolder = "backups";

    struct Entry
    {
        QString path;
        QDateTime made;
        qint64 bytes = 0;
        QString step; // empty when the copy cannot be read
    };

    explicit Backups(QSqlDatabase db, int keep = kKeep, qint64 maxBytes = kMaxBytes);

    // Whether the program keeps copies of the data at all: a centre's server
    // is backed up by the centre (pg_dump), not by the program.
    bool madeByProgram() const;
    // The folder the copies stand in.
    QString folder() const;
    // Copies the open data file as it stands, noting the step; then drops the
    // oldest copies beyond the limits, never the one named by spare. Throws
    // StoreError with the reason when no complete copy could be made; nothing
    // that looks like a backup is left then.
    Entry make(const QString &step, const QDateTime &now, const QString &spare = QString());
    // The copies, newest first.
    QList<Entry> list() const;
    // Whether a copy was made on the day.
    bool madeOn(const QDate &day) const;
    // Why the copy cannot be restored, in the user's words: not a database,
    // damaged pages, a missing table or column. Empty when it can.
    QString problemWith(const QString &path) const;
    // Replaces the content of every table of the data file by the copy's, in
    // one transaction, through the open connection: every window reads the
    // restored rows from then on. Throws StoreError when the copy cannot be
    // read or the file refuses the change; the file is then unchanged.
    void restore(const QString &path);

    // The step noted in a copy; empty when it cannot be read.
    static QString stepOf(const QString &path);

private:
    void trim(const QString &spare);

    QSqlDatabase m_db;
    int m_keep;
    qint64 m_maxBytes;
};
