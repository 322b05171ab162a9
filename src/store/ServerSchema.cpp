#include "store/ServerSchema.h"

#include "store/ServerSchemaSql.h"
#include "store/Sql.h"
#include "store/Transaction.h"

#include <QSqlError>
#include <QSqlQuery>

namespace {

bool hasTable(const QSqlDatabase &db, const QString &table)
{
    return sql::scalar(db,
                       QStringLiteral("select count(*) from information_schema.tables"
                                      " where table_schema = current_schema()"
                                      " and table_name = ?"),
                       {table}) > 0;
}

} // namespace

bool ServerSchema::present(const QSqlDatabase &db)
{
    return hasTable(db, QStringLiteral("worker"));
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
    // One script each: the function bodies hold semicolons of their own.
    sql::run(db, QString::fromUtf8(kServerSchemaSql));
    sql::run(db, QString::fromUtf8(kServerTalliesSql));
}

bool ServerSchema::upgrade(const QSqlDatabase &db)
{
    if (!present(db) || hasTable(db, QStringLiteral("chapter_tally")))
        return false;
    Transaction transaction(db);
    // Two desks starting at once: the second waits here, then finds the
    // counts made by the first.
    sql::run(db, QStringLiteral("select pg_advisory_xact_lock(hashtext('drillbay upgrade'))"));
    if (hasTable(db, QStringLiteral("chapter_tally")))
        return false;
    sql::run(db, QStringLiteral("alter table worker_known"
                                " add column chapter_id bigint not null default 0,"
                                " add column type integer not null default 0"));
    sql::run(db, QStringLiteral("update worker_known k set chapter_id = q.试卷分类,"
                                " type = q.题目类型 from question q where q.id = k.question_id"));
    sql::run(db, QString::fromUtf8(kServerTalliesSql));
    sql::run(db,
             QStringLiteral("insert into chapter_tally(chapter_id, type, questions)"
                            " select 试卷分类, 题目类型, count(*) from question group by 1, 2"));
    sql::run(db, QStringLiteral("insert into worker_known_tally(worker_id, chapter_id, type, known)"
                                " select worker_id, chapter_id, type, count(*) from worker_known"
                                " group by 1, 2, 3"));
    transaction.commit();
    return true;
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

void ServerSchema::settleAfterLoad(const QSqlDatabase &db)
{
    sql::run(db, QStringLiteral("vacuum analyze"));
}
