#include "store/DocumentTable.h"

#include "store/Sql.h"

#include <QSqlQuery>
#include <QVariant>

namespace {

QStringList titlesOf(QSqlQuery query)
{
    QStringList titles;
    while (query.next())
        titles << query.value(0).toString();
    return titles;
}

} // namespace

QStringList DocumentTable::shownTitles() const
{
    return titlesOf(sql::run(
        m_db, QStringLiteral("select title from help where flag = ? order by id"), {kShownFlag}));
}

QList<DocumentEntry> DocumentTable::allEntries() const
{
    QSqlQuery query = sql::run(m_db, QStringLiteral("select id, title from help order by id"));
    QList<DocumentEntry> entries;
    while (query.next())
        entries << DocumentEntry{query.value(0).toLongLong(), query.value(1).toString()};
    return entries;
}

std::optional<DocumentRow> DocumentTable::firstShown(const QString &title) const
{
    QSqlQuery query = sql::run(m_db,
                               QStringLiteral("select id, title, data, flag from help "
                                              "where title = ? and flag = ? order by id limit 1"),
                               {title, kShownFlag});
    if (!query.next())
        return std::nullopt;
    return DocumentRow{query.value(0).toLongLong(), query.value(1).toString(),
                       query.value(2).toByteArray(), query.value(3).toString()};
}

qint64 DocumentTable::add(const QString &title, const QByteArray &data, const QString &flag)
{
    return sql::insert(m_db,
                       QStringLiteral("insert into help (title, data, flag) values (?, ?, ?)"),
                       {title, data, flag});
}

bool DocumentTable::remove(qint64 id)
{
    return sql::run(m_db, QStringLiteral("delete from help where id = ?"), {id}).numRowsAffected() >
           0;
}
