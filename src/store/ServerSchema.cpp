#include "store/ServerSchema.h"

#include "store/ServerSchemaSql.h"
#include "store/Sql.h"
#include "store/Transaction.h"

#include <QSqlError>
#include <QSqlQuery>

bool ServerSchema::present(const QSqlDatabase &db)
{
    return sql::scalar(db,
                       QStringLiteral("select count(*) from information_schema.tables"
                                      " where table_schema = current_schema()"
                                      " and table_name = ?"),
                       {QStringLiteral("worker")}) > 0;
}

void ServerSchema::create(const QSqlDatabase &db)
{
    Transaction transaction(db);
    createWithin(db);
    transaction.commit();
}

void ServerSchema::createWithin(const QSqlDatabase &db)
{
    if (present(db))
        throw StoreError(StoreError::Cause::Failed, QStringLiteral("数据库中已经有题库数据表"));
    // One script: the function bodies hold semicolons of their own.
    sql::run(db, QString::fromUtf8(kServerSchemaSql));
}

QStringList ServerSchema::filledTables(const QSqlDatabase &db)
{
    static const QStringList tables = {
        QStringLiteral("worker"),
        QStringLiteral("database_name"),
        QStringLiteral("fenlei"),
        QStringLiteral("question"),
        QStringLiteral("rand_num"),
        QStringLiteral("help"),
        QStringLiteral("reg"),
        QStringLiteral("joke"),
        QStringLiteral("worker_known"),
        QStringLiteral("worker_run_record"),
        QStringLiteral("worker_log"),
        QStringLiteral("worker_run_history"),
        QStringLiteral("worker_wrong_book"),
        QStringLiteral("worker_answer_tally"),
        QStringLiteral("worker_study_setting"),
    };
    QStringList filled;
    for (const QString &table : tables) {
        // The names are the script's own, never the user's.
        if (sql::scalar(
                db,
                QStringLiteral("select count(*) from (select 1 from %1 limit 1) t").arg(table)) > 0)
            filled << table;
    }
    return filled;
}
