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

void WrongBookTable::recordWrong(qint64 questionId, const QString &when) const
{
    // On a server the book is the signed-in worker's rows of the shared table,
    // and a conflict is one on that worker's row.
    const bool server = backendOf(m_db) == Backend::Server;
    sql::run(m_db,
             (server
                  ? QStringLiteral("insert into worker_wrong_book(question_id, times_wrong,"
                                   " last_wrong, right_streak) values(?, 1, ?, 0)"
                                   " on conflict(worker_id, question_id)")
                  : QStringLiteral("insert into wrong_book(question_id, times_wrong, last_wrong,"
                                   " right_streak) values(?, 1, ?, 0) on conflict(question_id)")) +
                 QStringLiteral(" do update set times_wrong = ") +
                 (server ? QStringLiteral("worker_wrong_book") : QStringLiteral("wrong_book")) +
                 QStringLiteral(".times_wrong + 1, last_wrong = excluded.last_wrong,"
                                " right_streak = 0"),
             {questionId, when});
}

bool WrongBookTable::recordRight(qint64 questionId, int leaveAfter) const
{
    const QSqlQuery raised =
        sql::run(m_db,
                 QStringLiteral("update wrong_book set right_streak = right_streak + 1"
                                " where question_id = ?"),
                 {questionId});
    if (raised.numRowsAffected() < 1)
        return false;
    const QSqlQuery left = sql::run(
        m_db, QStringLiteral("delete from wrong_book where question_id = ? and right_streak >= ?"),
        {questionId, leaveAfter});
    return left.numRowsAffected() > 0;
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
