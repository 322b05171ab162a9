#include "store/QuotaTable.h"

#include "store/Sql.h"
#include "store/Transaction.h"

#include <QSqlQuery>
#include <QStringList>
#include <numeric>

namespace {

const QString kColumns = QStringLiteral(
    "id, db_db_id, sele_zhang_id, sele_zhang_xuhao, s_num, d_num, t_num, p_num, lunshu_num, "
    "total_num, s_num_shiti, d_num_shiti, t_num_shiti, p_num_shiti, lunshu_num_shiti");

QuotaRow rowAt(const QSqlQuery &query)
{
    QuotaRow row;
    row.id = query.value(0).toLongLong();
    row.bankId = query.value(1).toLongLong();
    row.chapterId = query.value(2).toLongLong();
    row.position = query.value(3).toInt();
    for (int t = 0; t < QuotaRow::kTypes; ++t) {
        row.quota[t] = query.value(4 + t).toInt();
        row.drawn[t] = query.value(10 + t).toString();
    }
    row.total = query.value(9).toInt();
    return row;
}

// An empty drawn-id list is stored as the empty string: the columns are NOT NULL.
QString storedList(const QString &list)
{
    return list.isNull() ? QStringLiteral("") : list;
}

} // namespace

int QuotaRow::quotaSum() const
{
    return std::accumulate(quota.begin(), quota.end(), 0);
}

QVector<qint64> quota::idsOf(const QString &drawnList)
{
    QVector<qint64> ids;
    const QStringList pieces = drawnList.split(QLatin1Char('#'), Qt::SkipEmptyParts);
    ids.reserve(pieces.size());
    for (const QString &piece : pieces) {
        bool ok = false;
        const qint64 id = piece.trimmed().toLongLong(&ok);
        if (ok && id > 0)
            ids << id;
    }
    return ids;
}

QString quota::listOf(const QVector<qint64> &ids)
{
    QString list;
    for (const qint64 id : ids)
        list += QLatin1Char('#') + QString::number(id);
    return list;
}

QVector<QuotaRow> QuotaTable::ofBank(qint64 bankId) const
{
    QSqlQuery query = sql::run(m_db,
                               QStringLiteral("select ") + kColumns +
                                   QStringLiteral(" from rand_num where db_db_id = ? "
                                                  "order by sele_zhang_xuhao, id"),
                               {bankId});
    QVector<QuotaRow> rows;
    while (query.next())
        rows << rowAt(query);
    return rows;
}

std::optional<QuotaRow> QuotaTable::row(qint64 id) const
{
    QSqlQuery query = sql::run(
        m_db, QStringLiteral("select ") + kColumns + QStringLiteral(" from rand_num where id = ?"),
        {id});
    if (!query.next())
        return std::nullopt;
    return rowAt(query);
}

int QuotaTable::bankTotal(qint64 bankId) const
{
    return static_cast<int>(
        sql::scalar(m_db,
                    QStringLiteral("select coalesce(sum(s_num), 0) + coalesce(sum(d_num), 0) + "
                                   "coalesce(sum(t_num), 0) + coalesce(sum(p_num), 0) + "
                                   "coalesce(sum(lunshu_num), 0) from rand_num where db_db_id = ?"),
                    {bankId}));
}

std::optional<QuotaRow> QuotaTable::ofChapter(qint64 bankId, qint64 chapterId) const
{
    QSqlQuery query = sql::run(m_db,
                               QStringLiteral("select ") + kColumns +
                                   QStringLiteral(" from rand_num where db_db_id = ? and "
                                                  "sele_zhang_id = ? order by id limit 1"),
                               {bankId, chapterId});
    if (!query.next())
        return std::nullopt;
    return rowAt(query);
}

qint64 QuotaTable::saveChapter(const QuotaRow &row)
{
    Transaction transaction(m_db);
    qint64 id = sql::scalar(m_db,
                            QStringLiteral("select id from rand_num where db_db_id = ? and "
                                           "sele_zhang_id = ? order by id limit 1"),
                            {row.bankId, row.chapterId});
    QVariantList values{row.position};
    for (const int count : row.quota)
        values << count;
    values << row.quotaSum();
    for (const QString &list : row.drawn)
        values << storedList(list);
    if (id == 0) {
        values.prepend(row.chapterId);
        values.prepend(row.bankId);
        id = sql::insert(
            m_db,
            QStringLiteral("insert into rand_num (db_db_id, sele_zhang_id, sele_zhang_xuhao, "
                           "s_num, d_num, t_num, p_num, lunshu_num, total_num, s_num_shiti, "
                           "d_num_shiti, t_num_shiti, p_num_shiti, lunshu_num_shiti) "
                           "values (?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?)"),
            values);
    } else {
        values << id;
        sql::run(m_db,
                 QStringLiteral("update rand_num set sele_zhang_xuhao = ?, s_num = ?, d_num = ?, "
                                "t_num = ?, p_num = ?, lunshu_num = ?, total_num = ?, "
                                "s_num_shiti = ?, d_num_shiti = ?, t_num_shiti = ?, "
                                "p_num_shiti = ?, lunshu_num_shiti = ? where id = ?"),
                 values);
    }
    transaction.commit();
    return id;
}

bool QuotaTable::storeDrawn(qint64 rowId, int type, const QString &drawnList)
{
    static const std::array<QString, QuotaRow::kTypes> kDrawnColumns{
        QStringLiteral("s_num_shiti"), QStringLiteral("d_num_shiti"), QStringLiteral("t_num_shiti"),
        QStringLiteral("p_num_shiti"), QStringLiteral("lunshu_num_shiti")};
    if (type < 1 || type > QuotaRow::kTypes)
        return false;
    return sql::run(m_db,
                    QStringLiteral("update rand_num set ") + kDrawnColumns[type - 1] +
                        QStringLiteral(" = ? where id = ?"),
                    {storedList(drawnList), rowId})
               .numRowsAffected() > 0;
}

bool QuotaTable::storeTotal(qint64 rowId, int total)
{
    return sql::run(m_db, QStringLiteral("update rand_num set total_num = ? where id = ?"),
                    {total, rowId})
               .numRowsAffected() > 0;
}

bool QuotaTable::remove(qint64 id)
{
    return sql::run(m_db, QStringLiteral("delete from rand_num where id = ?"), {id})
               .numRowsAffected() > 0;
}

int QuotaTable::removeOfChapter(qint64 chapterId)
{
    return sql::run(m_db, QStringLiteral("delete from rand_num where sele_zhang_id = ?"),
                    {chapterId})
        .numRowsAffected();
}

int QuotaTable::countOfChapter(qint64 chapterId) const
{
    return static_cast<int>(
        sql::scalar(m_db, QStringLiteral("select count(*) from rand_num where sele_zhang_id = ?"),
                    {chapterId}));
}
