#include "store/WorkerResultsTable.h"

#include "store/Backend.h"
#include "store/Sql.h"

#include <QSqlQuery>
#include <QVariant>

namespace {

std::optional<int> optionalInt(const QVariant &value)
{
    if (value.isNull())
        return std::nullopt;
    return value.toInt();
}

} // namespace

QString WorkerResultsTable::localWorkerName()
{
    return QStringLiteral("本机");
}

bool WorkerResultsTable::onServer() const
{
    return backendOf(m_db) == Backend::Server;
}

QString WorkerResultsTable::history() const
{
    // The views under the file's names show the signed-in worker only: a
    // trainer reads the per-worker table itself.
    return onServer() ? QStringLiteral("worker_run_history")
                      : QStringLiteral("(select 0 as worker_id, id, date, kind, bank_id,"
                                       " chapter_id, points, percentage from run_history)");
}

QList<ResultWorker> WorkerResultsTable::workers() const
{
    if (!onServer())
        return {{kLocalWorker, localWorkerName()}};
    QSqlQuery query =
        sql::run(m_db, QStringLiteral("select id, name from worker order by name, id"));
    QList<ResultWorker> workers;
    while (query.next())
        workers.append({query.value(0).toLongLong(), query.value(1).toString()});
    return workers;
}

QList<WorkerRunSummary> WorkerResultsTable::runSummaries() const
{
    const QString runs = history();
    QSqlQuery query =
        sql::run(m_db, QStringLiteral("select s.worker_id, s.runs, s.latest, h.bank_id from"
                                      " (select worker_id, count(*) as runs, max(date) as latest,"
                                      " max(id) as newest from ") +
                           runs + QStringLiteral(" r group by worker_id) s join ") + runs +
                           QStringLiteral(" h on h.id = s.newest order by s.worker_id"));
    QList<WorkerRunSummary> summaries;
    while (query.next())
        summaries.append({query.value(0).toLongLong(), query.value(1).toInt(),
                          query.value(2).toString(), query.value(3).toLongLong()});
    return summaries;
}

QList<WorkerChapterFigures> WorkerResultsTable::chapterFigures(int leftOutKind) const
{
    const QString runs = history();
    // The newest run with a percentage gives the last figure; runs without
    // objective questions count as runs but have none.
    QSqlQuery query = sql::run(
        m_db,
        QStringLiteral("select g.worker_id, g.chapter_id, f.试卷名称, d.database_name, g.runs,"
                       " h.percentage, g.best, g.latest from"
                       " (select worker_id, chapter_id, count(*) as runs, max(percentage) as best,"
                       " max(date) as latest,"
                       " max(case when percentage is not null then id end) as scored from ") +
            runs +
            QStringLiteral(" r where kind <> ? group by worker_id, chapter_id) g"
                           " left join ") +
            runs +
            QStringLiteral(" h on h.id = g.scored"
                           " left join fenlei f on f.id = g.chapter_id"
                           " left join database_name d on d.id = f.database_id"
                           " order by g.worker_id, g.chapter_id"),
        {leftOutKind});
    QList<WorkerChapterFigures> figures;
    while (query.next()) {
        WorkerChapterFigures row;
        row.workerId = query.value(0).toLongLong();
        row.chapterId = query.value(1).toLongLong();
        row.chapterName = query.value(2).toString();
        row.bankName = query.value(3).toString();
        row.runs = query.value(4).toInt();
        row.last = optionalInt(query.value(5));
        row.best = optionalInt(query.value(6));
        row.latest = query.value(7).toString();
        figures.append(row);
    }
    return figures;
}

QList<WorkerRun> WorkerResultsTable::runsOfKind(int kind) const
{
    QSqlQuery query = sql::run(
        m_db,
        QStringLiteral("select r.worker_id, r.date, r.bank_id, d.database_name, r.points,"
                       " r.percentage from ") +
            history() +
            QStringLiteral(" r left join database_name d on d.id = r.bank_id where r.kind = ?"
                           " order by r.worker_id, r.id desc"),
        {kind});
    QList<WorkerRun> runs;
    while (query.next())
        runs.append({query.value(0).toLongLong(), query.value(1).toString(),
                     query.value(2).toLongLong(), query.value(3).toString(), query.value(4).toInt(),
                     optionalInt(query.value(5))});
    return runs;
}

QHash<qint64, int> WorkerResultsTable::bookSizes() const
{
    // Only entries of questions (and chapters) that still exist count, as the
    // book itself shows them.
    const QString statement =
        onServer() ? QStringLiteral("select b.worker_id, count(*) from worker_wrong_book b"
                                    " join question q on q.id = b.question_id"
                                    " join fenlei f on f.id = q.试卷分类 group by b.worker_id")
                   : QStringLiteral("select 0, count(*) from wrong_book b"
                                    " join 考试训练题库 q on q.id = b.question_id"
                                    " join fenlei f on f.id = q.试卷分类");
    QSqlQuery query = sql::run(m_db, statement);
    QHash<qint64, int> sizes;
    while (query.next()) {
        if (query.value(1).toInt() > 0)
            sizes.insert(query.value(0).toLongLong(), query.value(1).toInt());
    }
    return sizes;
}

QHash<qint64, WorkerLogSummary> WorkerResultsTable::logSummaries() const
{
    const QString statement =
        onServer() ? QStringLiteral("select worker_id, count(*), max(date) from worker_log"
                                    " group by worker_id")
                   : QStringLiteral("select 0, count(*), max(date) from log");
    QSqlQuery query = sql::run(m_db, statement);
    QHash<qint64, WorkerLogSummary> logs;
    while (query.next()) {
        if (query.value(1).toInt() > 0)
            logs.insert(query.value(0).toLongLong(),
                        {query.value(1).toInt(), query.value(2).toString()});
    }
    return logs;
}

QList<WorkerTally> WorkerResultsTable::talliesSince(const QString &sinceDay) const
{
    const QString table = onServer()
                              ? QStringLiteral("worker_answer_tally")
                              : QStringLiteral("(select 0 as worker_id, day, chapter_id, type,"
                                               " answered, right_count from answer_tally)");
    QSqlQuery query = sql::run(
        m_db,
        QStringLiteral("select worker_id, chapter_id, type, sum(answered), sum(right_count)"
                       " from ") +
            table +
            QStringLiteral(" t where day >= ? group by worker_id, chapter_id, type"
                           " order by worker_id, chapter_id, type"),
        {sinceDay});
    QList<WorkerTally> tallies;
    while (query.next())
        tallies.append({query.value(0).toLongLong(), query.value(1).toLongLong(),
                        query.value(2).toInt(), query.value(3).toInt(), query.value(4).toInt()});
    return tallies;
}

QHash<qint64, int> WorkerResultsTable::studySetting(const QString &name) const
{
    const QString statement =
        onServer() ? QStringLiteral("select worker_id, value from worker_study_setting"
                                    " where name = ?")
                   : QStringLiteral("select 0, value from study_setting where name = ?");
    QSqlQuery query = sql::run(m_db, statement, {name});
    QHash<qint64, int> values;
    while (query.next())
        values.insert(query.value(0).toLongLong(), query.value(1).toInt());
    return values;
}
