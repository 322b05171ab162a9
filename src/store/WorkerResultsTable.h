#pragma once

#include <QHash>
#include <QList>
#include <QSqlDatabase>
#include <QString>
#include <optional>

// One worker of the centre as the results list them.
struct ResultWorker
{
    qint64 id = 0;
    QString name;
};

// A worker's graded runs in all: how many, when the newest was graded and the
// bank it was of.
struct WorkerRunSummary
{
    qint64 workerId = 0;
    int runs = 0;
    QString latest; // ISO date and time of the newest run
    qint64 latestBankId = 0;
};

// A worker's runs of one chapter: how many, the newest scored run's
// percentage and the best one.
struct WorkerChapterFigures
{
    qint64 workerId = 0;
    qint64 chapterId = 0;
    QString chapterName; // empty when the chapter was deleted since
    QString bankName;
    int runs = 0;
    std::optional<int> last;
    std::optional<int> best;
    QString latest; // ISO date and time of the chapter's newest run
};

// One graded run of a worker, with its bank's name.
struct WorkerRun
{
    qint64 workerId = 0;
    QString date; // ISO date and time of grading
    qint64 bankId = 0;
    QString bankName; // empty when the bank was deleted since
    int points = 0;
    std::optional<int> percentage;
};

// A worker's answers per chapter and question type over a span of days.
struct WorkerTally
{
    qint64 workerId = 0;
    qint64 chapterId = 0;
    int type = 0;
    int answered = 0;
    int right = 0;
};

// How many records a worker's practice log holds, and the newest one's date.
struct WorkerLogSummary
{
    int records = 0;
    QString latest;
};

// Everyone's results, read across workers for the trainer: on a centre's
// server every worker's rows of the per-worker tables, whoever the connection
// is signed in as; on the data file its one implicit worker (id 0, "本机")
// from the file's own tables. Every statement throws StoreError when it fails.
class WorkerResultsTable
{
public:
    static constexpr qint64 kLocalWorker = 0;

    explicit WorkerResultsTable(QSqlDatabase db) : m_db(std::move(db)) {}

    static QString localWorkerName();

    // Every worker, by name; the data file's implicit worker on a file.
    QList<ResultWorker> workers() const;
    QList<WorkerRunSummary> runSummaries() const;
    // Per worker and chapter, by worker and chapter id; runs of the kind
    // left out (a paper of the whole bank) are not counted.
    QList<WorkerChapterFigures> chapterFigures(int leftOutKind) const;
    // Every run of the kind, per worker newest first.
    QList<WorkerRun> runsOfKind(int kind) const;
    // Entries of the wrong-question book whose question still exists, per worker.
    QHash<qint64, int> bookSizes() const;
    QHash<qint64, WorkerLogSummary> logSummaries() const;
    // Answers from `sinceDay` (yyyy-MM-dd) on.
    QList<WorkerTally> talliesSince(const QString &sinceDay) const;
    // The named study setting of each worker that stored one.
    QHash<qint64, int> studySetting(const QString &name) const;

private:
    bool onServer() const;
    // The run history with the worker's id as its first column.
    QString history() const;

    QSqlDatabase m_db;
};
