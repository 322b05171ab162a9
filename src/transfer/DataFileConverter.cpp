#include "DataFileConverter.h"

#include "store/AddedTables.h"
#include "store/Database.h"
#include "store/Schema.h"
#include "store/TableRows.h"
#include "store/Transaction.h"
#include "transfer/JetReader.h"

#include "base/StoreError.h"

#include <QFile>
#include <QFileInfo>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QUuid>
#include <algorithm>
#include <unistd.h>

namespace {

// A connection of its own that is removed when the conversion ends.
class Connection
{
public:
    explicit Connection(const QString &path)
        : m_name(QStringLiteral("convert-") + QUuid::createUuid().toString(QUuid::WithoutBraces))
    {
        m_db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), m_name);
        m_db.setDatabaseName(path);
    }
    ~Connection()
    {
        m_db.close();
        m_db = QSqlDatabase();
        QSqlDatabase::removeDatabase(m_name);
    }
    Connection(const Connection &) = delete;
    Connection &operator=(const Connection &) = delete;
    QSqlDatabase &db() { return m_db; }

private:
    QString m_name;
    QSqlDatabase m_db;
};

} // namespace

bool DataFileConverter::readTables(const QString &source, QList<RowSet> *tables, QString *error)
{
    const QString name = QFileInfo(source).fileName();
    if (JetReader::isJetFile(source)) {
        JetReader reader;
        if (!reader.open(source, error))
            return false;
        for (const schema::TableColumns &table : schema::kRequiredColumns) {
            RowSet rows;
            QString why;
            if (!reader.read(table.table, table.columns, &rows, &why)) {
                *error = QStringLiteral("文件 %1：%2").arg(name, why);
                return false;
            }
            *tables << rows;
        }
        return true;
    }
    QFile file(source);
    if (!file.open(QIODevice::ReadOnly)) {
        *error = QStringLiteral("文件 %1 无法读取：%2").arg(name, file.errorString());
        return false;
    }
    if (file.read(16) != QByteArrayView("SQLite format 3\0", 16)) {
        *error =
            QStringLiteral("文件 %1 既不是旧版（Jet）数据文件，也不是本软件的数据文件").arg(name);
        return false;
    }
    file.close();
    QString openError;
    const QString connection =
        QStringLiteral("convert-source-") + QUuid::createUuid().toString(QUuid::WithoutBraces);
    {
        QSqlDatabase db =
            Database::open(source, connection, &openError, Database::Access::ReadOnly);
        if (!db.isOpen()) {
            *error = openError;
            db = QSqlDatabase();
            QSqlDatabase::removeDatabase(connection);
            return false;
        }
        QString why;
        if (!readConnection(db, tables, &why, Scope::WithAdded))
            *error = QStringLiteral("文件 %1 无法读取：%2").arg(name, why);
        db.close();
    }
    QSqlDatabase::removeDatabase(connection);
    return error->isEmpty();
}

bool DataFileConverter::readConnection(const QSqlDatabase &db, QList<RowSet> *tables,
                                       QString *error, Scope scope)
{
    try {
        for (const schema::TableColumns &table : schema::kRequiredColumns)
            *tables << table_rows::read(db, table.table, table.columns);
        if (scope == Scope::WithAdded) {
            for (const schema::TableColumns &table : AddedTables::columns()) {
                if (table_rows::hasTable(db, table.table))
                    *tables << table_rows::read(db, table.table, table.columns);
            }
        }
    } catch (const StoreError &failure) {
        *error = failure.reason();
        return false;
    }
    return true;
}

namespace {

// Waits until the file's bytes are on the disk.
bool syncFile(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadWrite))
        return false;
    return ::fsync(file.handle()) == 0;
}

} // namespace

DataFileConverter::Report DataFileConverter::convert(const QString &source, const QString &target,
                                                     const Progress &progress)
{
    Report report;
    QList<RowSet> tables;
    if (!readTables(source, &tables, &report.error))
        return report;
    for (const RowSet &rows : tables) {
        report.unreadable << rows.unreadable;
        report.tables << qMakePair(rows.table, qint64(rows.rows.size()));
    }
    report.error = writeFile(target, tables, progress);
    if (!report.ok())
        report.tables.clear();
    return report;
}

QString DataFileConverter::writeFile(const QString &target, const QList<RowSet> &tables,
                                     const Progress &progress)
{
    const int total = int(tables.size()) + 1;
    if (progress)
        progress(1, total);
    const QString targetName = QFileInfo(target).fileName();
    if (QFileInfo::exists(target))
        return QStringLiteral("文件 %1 已经存在").arg(targetName);
    auto removeTarget = [&] {
        QFile::remove(target);
        QFile::remove(target + QStringLiteral("-journal"));
    };
    try {
        Connection connection(target);
        if (!connection.db().open())
            throw StoreError(StoreError::Cause::FolderNotWritable,
                             connection.db().lastError().text());
        // Nobody uses the new file before it is complete, and it is synced
        // whole at the end: the engine need not wait for the disk on the way.
        QSqlQuery pragmas(connection.db());
        pragmas.exec(QStringLiteral("PRAGMA synchronous=OFF"));
        pragmas.exec(QStringLiteral("PRAGMA journal_mode=MEMORY"));
        pragmas.finish();
        Transaction transaction(connection.db());
        table_rows::createTables(connection.db());
        // The added tables only where rows of them come along.
        const QList<schema::TableColumns> added = AddedTables::columns();
        if (std::any_of(tables.cbegin(), tables.cend(), [&](const RowSet &rows) {
                return std::any_of(
                    added.cbegin(), added.cend(),
                    [&](const schema::TableColumns &table) { return table.table == rows.table; });
            })) {
            table_rows::createAddedTables(connection.db());
        }
        int done = 1;
        for (const RowSet &rows : tables) {
            table_rows::write(connection.db(), rows);
            if (progress)
                progress(++done, total);
        }
        transaction.commit();
    } catch (const StoreError &failure) {
        removeTarget();
        return QStringLiteral("文件 %1 无法写入：%2").arg(targetName, failure.reason());
    }
    if (!syncFile(target)) {
        removeTarget();
        return QStringLiteral("文件 %1 无法写入磁盘").arg(targetName);
    }
    // The new file passes the same check as every data file at start.
    QString checkError;
    const QString connection =
        QStringLiteral("convert-check-") + QUuid::createUuid().toString(QUuid::WithoutBraces);
    {
        QSqlDatabase db =
            Database::open(target, connection, &checkError, Database::Access::ReadOnly);
        const bool fine = db.isOpen();
        db.close();
        db = QSqlDatabase();
        QSqlDatabase::removeDatabase(connection);
        if (!fine) {
            removeTarget();
            return checkError;
        }
    }
    return QString();
}
