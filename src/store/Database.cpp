#include "store/Database.h"

#include "store/Schema.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QSqlError>
#include <QSqlQuery>

QSqlDatabase Database::open(const QString &path, const QString &connectionName, QString *error)
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
    // Short busy timeout; the file is opened read-write but never created here.
    db.setConnectOptions(QStringLiteral("QSQLITE_BUSY_TIMEOUT=1000"));
    if (!db.open())
        return fail(QStringLiteral("无法打开数据文件：%1\n%2").arg(shown, db.lastError().text()));

    // Reading the table list also proves the file is a database at all.
    QSqlQuery probe(db);
    if (!probe.exec(QStringLiteral("select name from sqlite_master where type='table'")))
        return fail(QStringLiteral("数据文件不是可用的题库数据库：%1").arg(shown));
    QStringList present;
    while (probe.next())
        present << probe.value(0).toString().toLower();
    probe.finish();
    for (const QString &table : schema::kRequiredTables) {
        if (!present.contains(table.toLower()))
            return fail(QStringLiteral("数据文件 %1 缺少数据表“%2”，不是可用的题库数据库。")
                            .arg(shown, table));
    }
    if (error)
        error->clear();
    return db;
}

QString Database::defaultPath()
{
    return QDir(QCoreApplication::applicationDirPath()).filePath(schema::kDatabaseFile);
}
