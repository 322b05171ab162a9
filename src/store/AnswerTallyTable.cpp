#include "store/AnswerTallyTable.h"

#include "store/Backend.h"
#include "store/Sql.h"

#include <QSqlQuery>
#include <QVariant>

QStringList AnswerTallyTable::createStatements()
{
    return {QStringLiteral("create table if not exists answer_tally ("
                           "day text not null,"
                           " chapter_id integer not null,"
                           " type integer not null,"
                           " answered integer not null default 0,"
                           " right_count integer not null default 0,"
                           " primary key(day, chapter_id, type))"),
            QStringLiteral("create index if not exists answer_tally_chapter"
                           " on answer_tally(chapter_id, day)")};
}

void AnswerTallyTable::add(const QString &day, qint64 questionId, int type, bool right) const
{
    // On a server the tally is the signed-in worker's rows of the shared table.
    const bool server = backendOf(m_db) == Backend::Server;
    const QString table =
        server ? QStringLiteral("worker_answer_tally") : QStringLiteral("answer_tally");
    sql::run(m_db,
             QStringLiteral("insert into ") + table +
                 QStringLiteral("(day, chapter_id, type, answered, right_count)"
                                " select ?, 试卷分类, ?, 1, ? from 考试训练题库 where id = ?"
                                " on conflict(") +
                 (server ? QStringLiteral("worker_id, ") : QString()) +
                 QStringLiteral("day, chapter_id, type) do update set answered = ") + table +
                 QStringLiteral(".answered + 1, right_count = ") + table +
                 QStringLiteral(".right_count + excluded.right_count"),
             {day, type, right ? 1 : 0, questionId});
}

QList<AnswerTallyTable::Tally> AnswerTallyTable::ofBankSince(qint64 bankId,
                                                             const QString &sinceDay) const
{
    QSqlQuery query =
        sql::run(m_db,
                 QStringLiteral("select chapter_id, type, sum(answered), sum(right_count)"
                                " from answer_tally where chapter_id in"
                                " (select id from fenlei where database_id = ?) and day >= ?"
                                " group by chapter_id, type order by chapter_id, type"),
                 {bankId, sinceDay});
    QList<Tally> tallies;
    while (query.next())
        tallies.append({query.value(0).toLongLong(), query.value(1).toInt(), query.value(2).toInt(),
                        query.value(3).toInt()});
    return tallies;
}
