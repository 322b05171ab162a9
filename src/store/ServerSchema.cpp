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
    if (present(db))
        throw StoreError(StoreError::Cause::Failed, QStringLiteral("数据库中已经有题库数据表"));
    Transaction transaction(db);
    // One script: the function bodies hold semicolons of their own.
    sql::run(db, QString::fromUtf8(kServerSchemaSql));
    transaction.commit();
}
