#include "store/JokeTable.h"

#include "store/Backend.h"
#include "store/Sql.h"

#include <QSqlQuery>
#include <QVariant>

QStringList JokeTable::words() const
{
    // In the order they were written: the file's rowid; the server's table is
    // only ever filled whole, so its rows lie in that order.
    QSqlQuery query = sql::run(m_db, backendOf(m_db) == Backend::Server
                                         ? QStringLiteral("select word from joke order by ctid")
                                         : QStringLiteral("select word from joke order by rowid"));
    QStringList words;
    while (query.next())
        words << query.value(0).toString();
    return words;
}
