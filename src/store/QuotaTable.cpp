#include "store/QuotaTable.h"

#include "store/Sql.h"

#include <QSqlQuery>

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
