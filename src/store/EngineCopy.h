#pragma once

#include <QSqlDatabase>
#include <QString>

class QFile;

// A copy of the open database as one consistent state, made with the
// engine's locks. With a rollback journal (the data file's mode) the file's
// bytes are copied while the connection holds a read transaction: no writer,
// in this program or another, can change the file until the copy is done,
// and a journal left by a crash is rolled back before. In write-ahead-log
// mode, where the file alone is not the database, the engine's online backup
// copies it page by page. The only code that speaks to the engine's C
// interface; everything else reaches the file through Qt SQL.
class EngineCopy
{
public:
    // Writes the copy to path (a new file). Throws StoreError with the cause
    // (disk full, folder not writable, …) when it could not be written whole,
    // and when the connection is inside a transaction (a copy belongs before
    // a change); a part written may remain at path.
    static void copy(const QSqlDatabase &db, const QString &path);

private:
    static void copyFile(const QSqlDatabase &db, const QString &path);
    static void copyPages(const QSqlDatabase &db, const QString &path);
    static void copyBlocks(QFile &source, QFile &target);
};
