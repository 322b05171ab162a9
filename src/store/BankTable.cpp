#include "store/BankTable.h"

#include "store/Sql.h"

#include <QSqlQuery>
#include <QVariant>

namespace {

const QString kColumns = QStringLiteral("id, database_name, status");

BankRow bankFrom(const QSqlQuery &query)
{
    return BankRow{query.value(0).toLongLong(), query.value(1).toString(),
                   query.value(2).toInt() != 0};
}

} // namespace

QList<BankRow> BankTable::all() const
{
    QList<BankRow> banks;
    QSqlQuery query = sql::run(m_db, QStringLiteral("select ") + kColumns +
                                         QStringLiteral(" from database_name order by id"));
    while (query.next())
        banks.append(bankFrom(query));
    return banks;
}

std::optional<BankRow> BankTable::find(qint64 id) const
{
    QSqlQuery query = sql::run(m_db,
                               QStringLiteral("select ") + kColumns +
                                   QStringLiteral(" from database_name where id = ?"),
                               {id});
    if (!query.next())
        return std::nullopt;
    return bankFrom(query);
}
