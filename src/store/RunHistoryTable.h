#pragma once

#include <QList>
#include <QSqlDatabase>
#include <QString>
#include <QStringList>
#include <optional>

// A graded run as the history keeps it.
struct RunHistoryRow
{
    qint64 id = 0;
    QString date; // ISO date and time of grading
    int kind = 0; // the run's kind (RunMode code)
    qint64 bankId = 0;
    qint64 chapterId = 0;
    int setNumber = 0; // the set counted from 1; 0 for runs not cut from the sets
    int objectiveRight = 0;
    int objectiveTotal = 0;
    int points = 0;
    std::optional<int> percentage; // none for a run without objective questions
    int minutes = 0;               // minutes used
};

// The run history (table run_history): every graded run, never trimmed with
// the practice log; only the newest kKept runs are kept.
class RunHistoryTable
{
public:
    static constexpr int kKept = 100000;

    explicit RunHistoryTable(QSqlDatabase db) : m_db(std::move(db)) {}

    static QStringList createStatements();

    // Adds the run and drops what is beyond the newest kept runs; returns the new id.
    qint64 append(const RunHistoryRow &row, int kept = kKept) const;
    int count() const;
    QList<RunHistoryRow> newest(int limit) const;

    // Per day and kind of run (optionally of one bank; 0 for every bank),
    // oldest day first: how many runs were graded and the mean percentage of
    // those that had one. One pass over a covering index.
    struct DayMean
    {
        QString day; // yyyy-MM-dd
        int kind = 0;
        int runs = 0;
        int scored = 0; // runs with a percentage
        double percentage = 0;
    };
    QList<DayMean> daily(qint64 bankId) const;

private:
    QSqlDatabase m_db;
};
