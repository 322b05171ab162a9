#pragma once

#include <QList>
#include <QSqlDatabase>
#include <QString>

class Clock;
class Notifier;

// "恢复备份...": the backups of the data file as the list shows them, and the
// restore of one. A copy is checked first (the start check of the data file
// and the check of every page) and refused with the reason before anything
// changes; the user confirms; the data file as it stands is kept as a backup;
// then the copy's rows replace the file's through the open connection, so
// every window reads the restored data from then on, without a restart.
class BackupRestore
{
public:
    enum class Outcome
    {
        Cancelled, // the user said no
        Refused,   // the copy is damaged or missing: nothing changed
        Failed,    // the file refused the change: nothing changed
        Restored,
    };
    struct Row
    {
        QString path;
        QString made; // "2026-12-10 08:15:00"
        QString size; // "1.2 MB"
        QString step; // the step the copy was made before
    };

    // The clock names the copy of the current file (the machine's when none).
    BackupRestore(QSqlDatabase db, Notifier &notifier, const Clock *clock = nullptr);

    // What the page says instead of listing copies when the data is not the
    // program's to back up (a centre's server); empty for the data file.
    QString keptElsewhereNotice() const;
    // Newest first.
    QList<Row> rows() const;
    Outcome restore(const QString &path);

    static QString sizeText(qint64 bytes);
    static const QString kUnreadableStep;

private:
    QSqlDatabase m_db;
    Notifier &m_notifier;
    const Clock *m_clock;
};
