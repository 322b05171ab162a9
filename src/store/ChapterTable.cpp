#include "store/ChapterTable.h"

#include "store/QuotaTable.h"
#include "store/Sql.h"
#include "store/Transaction.h"

#include <QSqlQuery>
#include <QVariant>

namespace {

const QString kSelect =
    QStringLiteral("select id, 试卷名称, database_id, alltime, 创建日期, 创建者 from fenlei ");

ChapterRow chapterFrom(const QSqlQuery &query)
{
    ChapterRow row;
    row.id = query.value(0).toLongLong();
    row.name = query.value(1).toString();
    row.bankId = query.value(2).toLongLong();
    row.examMinutes = query.value(3).toInt();
    row.created = query.value(4).toString();
    row.creator = query.value(5).toString();
    return row;
}

} // namespace

QList<ChapterRow> ChapterTable::ofBank(qint64 bankId) const
{
    QList<ChapterRow> chapters;
    QSqlQuery query =
        sql::run(m_db, kSelect + QStringLiteral("where database_id = ? order by id"), {bankId});
    while (query.next())
        chapters.append(chapterFrom(query));
    return chapters;
}

std::optional<ChapterRow> ChapterTable::findByName(const QString &name) const
{
    QSqlQuery query =
        sql::run(m_db, kSelect + QStringLiteral("where 试卷名称 = ? order by id limit 1"), {name});
    if (!query.next())
        return std::nullopt;
    return chapterFrom(query);
}

std::optional<ChapterRow> ChapterTable::find(qint64 id) const
{
    QSqlQuery query = sql::run(m_db, kSelect + QStringLiteral("where id = ?"), {id});
    if (!query.next())
        return std::nullopt;
    return chapterFrom(query);
}

qint64 ChapterTable::insert(const ChapterRow &row)
{
    return sql::insert(m_db,
                       QStringLiteral("insert into fenlei (database_id, 试卷名称, alltime, "
                                      "创建日期, 创建者) values (?, ?, ?, ?, ?)"),
                       {row.bankId, row.name, row.examMinutes, row.created, row.creator});
}

bool ChapterTable::removeWithQuotas(qint64 id)
{
    Transaction transaction(m_db);
    QuotaTable(m_db).removeOfChapter(id);
    const bool removed =
        sql::run(m_db, QStringLiteral("delete from fenlei where id = ?"), {id}).numRowsAffected() >
        0;
    transaction.commit();
    return removed;
}
