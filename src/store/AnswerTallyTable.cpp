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

void AnswerTallyTable::add(const QString &day, const QList<Answer> &answers) const
{
    if (answers.isEmpty())
        return;
    if (backendOf(m_db) == Backend::Server) {
        // On a server the tally is the signed-in worker's rows of the shared
        // table, written for the whole run in one statement.
        QList<qint64> ids;
        QList<int> types;
        QList<int> rights;
        for (const Answer &answer : answers) {
            ids << answer.questionId;
            types << answer.type;
            rights << (answer.right ? 1 : 0);
        }
        sql::run(m_db,
                 QStringLiteral("insert into worker_answer_tally(day, chapter_id, type, answered,"
                                " right_count)"
                                " select ?, q.试卷分类, a.type, count(*), sum(a.right_count)"
                                " from unnest(cast(? as bigint[]), cast(? as integer[]),"
                                " cast(? as integer[])) as a(question_id, type, right_count)"
                                " join question q on q.id = a.question_id"
                                " group by q.试卷分类, a.type"
                                " on conflict(worker_id, day, chapter_id, type) do update"
                                " set answered = worker_answer_tally.answered + excluded.answered,"
                                " right_count = worker_answer_tally.right_count"
                                " + excluded.right_count"),
                 {day, sql::arrayOf(ids), sql::arrayOf(types), sql::arrayOf(rights)});
        return;
    }
    for (const Answer &answer : answers)
        sql::run(m_db,
                 QStringLiteral("insert into answer_tally(day, chapter_id, type, answered,"
                                " right_count) select ?, 试卷分类, ?, 1, ? from 考试训练题库"
                                " where id = ? on conflict(day, chapter_id, type) do update"
                                " set answered = answer_tally.answered + 1,"
                                " right_count = answer_tally.right_count + excluded.right_count"),
                 {day, answer.type, answer.right ? 1 : 0, answer.questionId});
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
