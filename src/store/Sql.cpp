#include "store/Sql.h"

#include "base/StoreError.h"

#include <QSqlError>

namespace sql {

QSqlQuery run(const QSqlDatabase &db, const QString &statement, const QVariantList &values)
{
    QSqlQuery query(db);
    query.setForwardOnly(true);
    if (!query.prepare(statement))
        throw StoreError(query.lastError().text() + QStringLiteral(" [") + statement +
                         QStringLiteral("]"));
    for (const QVariant &value : values)
        query.addBindValue(value);
    if (!query.exec())
        throw StoreError(query.lastError().text() + QStringLiteral(" [") + statement +
                         QStringLiteral("]"));
    return query;
}

qint64 scalar(const QSqlDatabase &db, const QString &statement, const QVariantList &values)
{
    QSqlQuery query = run(db, statement, values);
    return query.next() ? query.value(0).toLongLong() : 0;
}

} // namespace sql
