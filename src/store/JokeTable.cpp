#include "store/JokeTable.h"

#include "store/Sql.h"

#include <QSqlQuery>
#include <QVariant>

QStringList JokeTable::words() const
{
    QSqlQuery query = sql::run(m_db, QStringLiteral("select word from joke order by rowid"));
    QStringList words;
    while (query.next())
        words << query.value(0).toString();
    return words;
}
