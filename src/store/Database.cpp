#include "store/Database.h"

#include "store/Backend.h"
#include "store/Schema.h"
#include "store/ServerSchema.h"
#include "store/ServerUrl.h"
#include "store/Sql.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QSqlError>
#include <QSqlQuery>

namespace {

bool inUse(const QSqlError &error)
{
    return sql::causeOf(error) == StoreError::Cause::InUse;
}

// Why the file cannot be used, in the user's words.
QString reasonOf(const QSqlError &error)
{
    return sql::failure(error, QString()).reason();
}

QString quotedName(const QString &name)
{
    QString inner = name;
    inner.replace(QLatin1Char('"'), QStringLiteral("\"\""));
    return QLatin1Char('"') + inner + QLatin1Char('"');
}

QString joined(const QStringList &names)
{
    return QStringLiteral("“") + names.join(QStringLiteral("”、“")) + QStringLiteral("”");
}

} // namespace

QSqlDatabase Database::open(const QString &path, const QString &connectionName, QString *error,
                            Access access, int busyTimeoutMs)
{
    auto fail = [&](const QString &why) {
        if (error)
            *error = why;
        if (QSqlDatabase::contains(connectionName)) {
            QSqlDatabase::database(connectionName, false).close();
        }
        return QSqlDatabase();
    };

    const QString shown = QDir::toNativeSeparators(path);
    if (!QFileInfo(path).isFile())
        return fail(QStringLiteral("找不到数据文件：%1").arg(shown));

    QSqlDatabase db = QSqlDatabase::contains(connectionName)
                          ? QSqlDatabase::database(connectionName, false)
                          : QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), connectionName);
    db.setDatabaseName(path);
    // The file is opened read-write (read-only when it is write-protected) but
    // never created here. A short busy timeout: another program's lock fails a
    // statement soon instead of freezing the window.
    QString options = QStringLiteral("QSQLITE_BUSY_TIMEOUT=%1").arg(busyTimeoutMs);
    if (access == Access::ReadOnly)
        options += QStringLiteral(";QSQLITE_OPEN_READONLY");
    db.setConnectOptions(options);
    if (!db.open())
        return fail(
            QStringLiteral("无法打开数据文件：%1\n原因：%2").arg(shown, reasonOf(db.lastError())));

    const QString inUseMessage =
        QStringLiteral(
            "数据文件 %1 正被其他程序使用，现在无法读取。请关闭使用它的程序后再启动本软件。")
            .arg(shown);

    // Reading the table list also proves the file is a database at all.
    QSqlQuery probe(db);
    if (!probe.exec(QStringLiteral("select name from sqlite_master where type='table'"))) {
        if (inUse(probe.lastError()))
            return fail(inUseMessage);
        return fail(QStringLiteral("数据文件不是可用的题库数据库：%1\n原因：%2")
                        .arg(shown, reasonOf(probe.lastError())));
    }
    QStringList present;
    while (probe.next())
        present << probe.value(0).toString().toLower();
    probe.finish();
    QStringList missingTables;
    for (const QString &table : schema::kRequiredTables) {
        if (!present.contains(table.toLower()))
            missingTables << table;
    }
    if (!missingTables.isEmpty())
        return fail(QStringLiteral("数据文件 %1 缺少数据表%2，不是可用的题库数据库。")
                        .arg(shown, joined(missingTables)));

    // Column names are not case-sensitive in the file.
    QStringList missingColumns;
    for (const schema::TableColumns &table : schema::kRequiredColumns) {
        QSqlQuery columns(db);
        if (!columns.exec(QStringLiteral("pragma table_info(%1)").arg(quotedName(table.table)))) {
            if (inUse(columns.lastError()))
                return fail(inUseMessage);
            return fail(QStringLiteral("数据文件不是可用的题库数据库：%1\n原因：%2")
                            .arg(shown, reasonOf(columns.lastError())));
        }
        QStringList names;
        while (columns.next())
            names << columns.value(1).toString().toLower();
        columns.finish();
        for (const QString &column : table.columns) {
            if (!names.contains(column.toLower()))
                missingColumns << table.table + QLatin1Char('.') + column;
        }
    }
    if (!missingColumns.isEmpty())
        return fail(QStringLiteral("数据文件 %1 缺少数据列%2，不是可用的题库数据库。")
                        .arg(shown, joined(missingColumns)));
    if (error)
        error->clear();
    return db;
}

QSqlDatabase Database::openServer(const QString &url, const QString &connectionName, QString *error,
                                  Tables tables)
{
    auto fail = [&](const QString &why) {
        if (error)
            *error = why;
        if (QSqlDatabase::contains(connectionName))
            QSqlDatabase::database(connectionName, false).close();
        return QSqlDatabase();
    };
    QString parseError;
    const std::optional<ServerUrl> server = ServerUrl::parse(url, &parseError);
    if (!server)
        return fail(parseError);
    const QString shown = server->shown();
    if (!QSqlDatabase::isDriverAvailable(QStringLiteral("QPSQL")))
        return fail(QStringLiteral("无法连接数据库服务器 %1\n原因：本机缺少 PostgreSQL 数据库驱动"
                                   "（软件包 libqt6sql6-psql）")
                        .arg(shown));
    QSqlDatabase db = QSqlDatabase::contains(connectionName)
                          ? QSqlDatabase::database(connectionName, false)
                          : QSqlDatabase::addDatabase(QStringLiteral("QPSQL"), connectionName);
    db.setHostName(server->host);
    db.setPort(server->port);
    db.setUserName(server->user);
    db.setDatabaseName(server->database);
    // A server that does not answer is given up soon, not after minutes.
    QStringList options;
    if (!server->options.contains(QLatin1String("connect_timeout=")))
        options << QStringLiteral("connect_timeout=5");
    if (!server->options.contains(QLatin1String("application_name=")))
        options << QStringLiteral("application_name=drillbay");
    if (!server->options.isEmpty())
        options << server->options;
    db.setConnectOptions(options.join(QLatin1Char(';')));
    if (!db.open()) {
        const QString why = sql::storeText(db.lastError()).trimmed();
        return fail(QStringLiteral("无法连接数据库服务器 %1\n原因：%2")
                        .arg(shown, why.isEmpty() ? db.lastError().text() : why));
    }
    if (tables == Tables::Any) {
        if (error)
            error->clear();
        return db;
    }

    // A centre's tables made by an earlier version get what this one adds.
    try {
        ServerSchema::upgrade(db);
    } catch (const StoreError &e) {
        return fail(
            QStringLiteral("数据库服务器 %1 上的数据表无法更新\n原因：%2").arg(shown, e.reason()));
    }

    // The program needs the data file's tables and columns (the per-worker
    // ones as views) and the centre's own table of workers.
    QSqlQuery columns(db);
    if (!columns.exec(
            QStringLiteral("select table_name, column_name from information_schema.columns"
                           " where table_schema = current_schema()"))) {
        return fail(QStringLiteral("数据库服务器 %1 不可用\n原因：%2")
                        .arg(shown, sql::storeText(columns.lastError())));
    }
    QHash<QString, QStringList> present;
    while (columns.next())
        present[columns.value(0).toString().toLower()] << columns.value(1).toString().toLower();
    columns.finish();
    QStringList missingTables;
    QStringList missingColumns;
    QList<schema::TableColumns> required = schema::kRequiredColumns;
    required.append({QStringLiteral("worker"),
                     {QStringLiteral("id"), QStringLiteral("name"), QStringLiteral("pin")}});
    for (const schema::TableColumns &table : std::as_const(required)) {
        const auto found = present.constFind(table.table.toLower());
        if (found == present.constEnd()) {
            missingTables << table.table;
            continue;
        }
        for (const QString &column : table.columns) {
            if (!found->contains(column.toLower()))
                missingColumns << table.table + QLatin1Char('.') + column;
        }
    }
    if (!missingTables.isEmpty())
        return fail(QStringLiteral("数据库服务器 %1 缺少数据表%2，还不是题库数据库。"
                                   "请先用 drillbay_convert 把题库放到服务器上。")
                        .arg(shown, joined(missingTables)));
    if (!missingColumns.isEmpty())
        return fail(QStringLiteral("数据库服务器 %1 缺少数据列%2，不是可用的题库数据库。")
                        .arg(shown, joined(missingColumns)));
    if (error)
        error->clear();
    return db;
}

bool Database::isReadOnly(const QSqlDatabase &db)
{
    if (backendOf(db) == Backend::Server) {
        // A standby server, or an account that may only read.
        QSqlQuery probe(db);
        if (!probe.exec(QStringLiteral("select pg_is_in_recovery() or not "
                                       "has_table_privilege('question', 'UPDATE')")) ||
            !probe.next())
            return false;
        return probe.value(0).toBool();
    }
    // A write-protected folder lets the file be read and even locked for
    // writing, but a change could never be journalled there.
    const QFileInfo file(db.databaseName());
    if (!QFileInfo(file.absolutePath()).isWritable())
        return true;
    // A change of no rows: refused at once on a read-only connection, and
    // otherwise writes nothing.
    QSqlQuery probe(db);
    if (probe.exec(QStringLiteral("delete from run_record where 0")))
        return false;
    const StoreError::Cause cause = sql::causeOf(probe.lastError());
    return cause == StoreError::Cause::ReadOnly || cause == StoreError::Cause::FolderNotWritable;
}

QString Database::readOnlyNotice(const QString &path)
{
    return QStringLiteral("[软件提示]：数据文件 %1 是只读的，可以练习，但本次运行中的做题记录、"
                          "会做标记和系统配置都不会被保存。")
        .arg(QDir::toNativeSeparators(path));
}

QString Database::defaultPath()
{
    return QDir(QCoreApplication::applicationDirPath()).filePath(schema::kDatabaseFile);
}
