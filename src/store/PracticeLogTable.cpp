#include "store/PracticeLogTable.h"

#include "store/Sql.h"

#include <QSqlQuery>
#include <QVariant>

qint64 PracticeLogTable::append(const QDateTime &when, int fen, const QString &info) const
{
    // The info column is NOT NULL, and a null text would bind as NULL.
    const QString text = info.isNull() ? QStringLiteral("") : info;
    return sql::insert(m_db, QStringLiteral("insert into log(date, fen, info) values(?, ?, ?)"),
                       {when.toString(QStringLiteral("yyyy-MM-ddTHH:mm:ss")), fen, text});
}

void PracticeLogTable::keepNewest(int count) const
{
    sql::run(m_db,
             QStringLiteral("delete from log where id not in "
                            "(select id from log order by id desc limit ?)"),
             {count});
}

void PracticeLogTable::removeAll() const
{
    sql::run(m_db, QStringLiteral("delete from log"));
}

int PracticeLogTable::count() const
{
    return static_cast<int>(sql::scalar(m_db, QStringLiteral("select count(*) from log")));
}

QList<LogRow> PracticeLogTable::newest(int count) const
{
    QList<LogRow> rows;
    QSqlQuery query =
        sql::run(m_db,
                 QStringLiteral("select id, date, fen, info from "
                                "(select id, date, fen, info from log order by id desc limit ?) "
                                "order by id"),
                 {count});
    while (query.next())
        rows.append({query.value(0).toLongLong(), query.value(1).toString(), query.value(2).toInt(),
                     query.value(3).toString()});
    return rows;
}
