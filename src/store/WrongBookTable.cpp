#include "store/WrongBookTable.h"

#include "store/Backend.h"
#include "store/Sql.h"

#include <QSqlQuery>
#include <QVariant>

namespace {

// The book's rows joined with their question and chapter, so that a row of a
// deleted question or chapter is never read.
const QString kJoined =
    QStringLiteral(" from wrong_book b join 考试训练题库 q on q.id = b.question_id"
                   " join fenlei f on f.id = q.试卷分类");
const QString kNewestFirst = QStringLiteral(" order by b.last_wrong desc, b.question_id desc");

QList<qint64> idsOf(QSqlQuery &query)
{
    QList<qint64> ids;
    while (query.next())
        ids.append(query.value(0).toLongLong());
    return ids;
}

WrongBookRow rowOf(const QSqlQuery &query)
{
    return {query.value(0).toLongLong(), query.value(1).toLongLong(), query.value(2).toString(),
            query.value(3).toInt(),      query.value(4).toString(),   query.value(5).toInt()};
}

const QString kRowColumns = QStringLiteral(
    "select b.question_id, q.试卷分类, f.试卷名称, b.times_wrong, b.last_wrong, b.right_streak");

} // namespace

QStringList WrongBookTable::createStatements()
{
    return {QStringLiteral("create table if not exists wrong_book ("
                           "question_id integer primary key,"
                           " times_wrong integer not null default 1,"
                           " last_wrong text not null default '',"
                           " right_streak integer not null default 0)"),
            QStringLiteral("create index if not exists wrong_book_newest"
                           " on wrong_book(last_wrong, question_id)")};
}

void WrongBookTable::recordWrong(const QList<qint64> &questionIds, const QString &when) const
{
    if (questionIds.isEmpty())
        return;
    if (backendOf(m_db) == Backend::Server) {
        // On a server the book is the signed-in worker's rows of the shared
        // table, and a conflict is one on that worker's row. One statement
        // for the run: a question answered wrong twice counts twice.
        sql::run(m_db,
                 QStringLiteral("insert into worker_wrong_book(question_id, times_wrong,"
                                " last_wrong, right_streak)"
                                " select question_id, count(*), ?, 0"
                                " from unnest(cast(? as bigint[])) as a(question_id)"
                                " group by question_id"
                                " on conflict(worker_id, question_id) do update"
                                " set times_wrong = worker_wrong_book.times_wrong"
                                " + excluded.times_wrong,"
                                " last_wrong = excluded.last_wrong, right_streak = 0"),
                 {when, sql::arrayOf(questionIds)});
        return;
    }
    for (const qint64 id : questionIds)
        sql::run(m_db,
                 QStringLiteral("insert into wrong_book(question_id, times_wrong, last_wrong,"
                                " right_streak) values(?, 1, ?, 0) on conflict(question_id)"
                                " do update set times_wrong = wrong_book.times_wrong + 1,"
                                " last_wrong = excluded.last_wrong, right_streak = 0"),
                 {id, when});
}

int WrongBookTable::recordRight(const QList<qint64> &questionIds, int leaveAfter) const
{
    if (questionIds.isEmpty())
        return 0;
    if (backendOf(m_db) == Backend::Server) {
        const QString ids = sql::arrayOf(questionIds);
        sql::run(m_db,
                 QStringLiteral("update wrong_book b set right_streak = b.right_streak + a.times"
                                " from (select question_id, count(*) as times"
                                " from unnest(cast(? as bigint[])) as u(question_id)"
                                " group by question_id) as a"
                                " where b.question_id = a.question_id"),
                 {ids});
        return sql::run(m_db,
                        QStringLiteral("delete from wrong_book where question_id"
                                       " = any(cast(? as bigint[])) and right_streak >= ?"),
                        {ids, leaveAfter})
            .numRowsAffected();
    }
    int left = 0;
    for (const qint64 id : questionIds) {
        const QSqlQuery raised = sql::run(m_db,
                                          QStringLiteral("update wrong_book set right_streak ="
                                                         " right_streak + 1 where question_id = ?"),
                                          {id});
        if (raised.numRowsAffected() < 1)
            continue;
        const QSqlQuery gone = sql::run(
            m_db,
            QStringLiteral("delete from wrong_book where question_id = ? and right_streak >= ?"),
            {id, leaveAfter});
        left += gone.numRowsAffected() > 0 ? 1 : 0;
    }
    return left;
}

QList<qint64> WrongBookTable::newestOfChapter(qint64 chapterId, int limit) const
{
    QSqlQuery query =
        sql::run(m_db,
                 QStringLiteral("select b.question_id from wrong_book b join 考试训练题库 q"
                                " on q.id = b.question_id where q.试卷分类 = ?") +
                     kNewestFirst + QStringLiteral(" limit ?"),
                 {chapterId, limit});
    return idsOf(query);
}

QList<qint64> WrongBookTable::newestOfBank(qint64 bankId, int limit) const
{
    // A bank holds most of the book: walk the book newest first and stop at
    // the limit, instead of sorting every entry of the bank. The file's
    // "cross join" keeps that order of the tables; the server has no such
    // join with a condition and plans the order itself.
    const QString join = backendOf(m_db) == Backend::Server ? QStringLiteral(" join ")
                                                            : QStringLiteral(" cross join ");
    QSqlQuery query =
        sql::run(m_db,
                 QStringLiteral("select b.question_id from wrong_book b") + join +
                     QStringLiteral("考试训练题库 q on q.id = b.question_id"
                                    " where q.试卷分类 in"
                                    " (select id from fenlei where database_id = ?)") +
                     kNewestFirst + QStringLiteral(" limit ?"),
                 {bankId, limit});
    return idsOf(query);
}

QList<WrongBookRow> WrongBookTable::entriesOfBank(qint64 bankId) const
{
    QSqlQuery query = sql::run(
        m_db, kRowColumns + kJoined + QStringLiteral(" where f.database_id = ?") + kNewestFirst,
        {bankId});
    QList<WrongBookRow> rows;
    while (query.next())
        rows.append(rowOf(query));
    return rows;
}

QList<QPair<qint64, int>> WrongBookTable::countsPerChapter(qint64 bankId) const
{
    QSqlQuery query = sql::run(m_db,
                               QStringLiteral("select q.试卷分类, count(*)") + kJoined +
                                   QStringLiteral(" where f.database_id = ? group by q.试卷分类"),
                               {bankId});
    QList<QPair<qint64, int>> counts;
    while (query.next())
        counts.append({query.value(0).toLongLong(), query.value(1).toInt()});
    return counts;
}

int WrongBookTable::count() const
{
    return static_cast<int>(sql::scalar(m_db, QStringLiteral("select count(*)") + kJoined));
}

bool WrongBookTable::contains(qint64 questionId) const
{
    return find(questionId).has_value();
}

std::optional<WrongBookRow> WrongBookTable::find(qint64 questionId) const
{
    QSqlQuery query = sql::run(
        m_db, kRowColumns + kJoined + QStringLiteral(" where b.question_id = ?"), {questionId});
    if (!query.next())
        return std::nullopt;
    return rowOf(query);
}

bool WrongBookTable::remove(qint64 questionId) const
{
    return sql::run(m_db, QStringLiteral("delete from wrong_book where question_id = ?"),
                    {questionId})
               .numRowsAffected() > 0;
}

int WrongBookTable::removeChapter(qint64 chapterId) const
{
    return sql::run(m_db,
                    QStringLiteral("delete from wrong_book where question_id in"
                                   " (select id from 考试训练题库 where 试卷分类 = ?)"),
                    {chapterId})
        .numRowsAffected();
}

int WrongBookTable::purgeDeleted() const
{
    return sql::run(m_db, QStringLiteral("delete from wrong_book where question_id not in"
                                         " (select id from 考试训练题库)"))
        .numRowsAffected();
}
