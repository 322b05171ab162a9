#pragma once

#include "exam/PassForecast.h"
#include "store/QuotaTable.h"
#include "store/WorkerResultsTable.h"

#include <QDate>
#include <QHash>
#include <QList>
#include <QSqlDatabase>
#include <QString>
#include <QVariant>
#include <QVariantList>
#include <optional>

// The trainer's view "学员成绩": per worker who has practised, the graded runs,
// the last and best percentage per chapter, the mock examinations with their
// scores and dates, the wrong-question book's size and the pass forecast of
// the bank the worker practised last, computed as the statistics window does
// (the quotas of that bank, the worker's answers of the last 30 days, the
// worker's own pass mark).
class WorkerResults
{
public:
    struct Chapter
    {
        QString bank;
        QString name; // "（已删除的章节）" for a chapter deleted since
        int runs = 0;
        std::optional<int> last;
        std::optional<int> best;
        QString latest;
    };
    struct MockExam
    {
        QString date;
        QString bank;
        int points = 0;
        std::optional<int> percentage;
    };
    struct Worker
    {
        qint64 id = 0;
        QString name;
        int runs = 0;
        QString latest; // newest of the run history and the log
        int bookSize = 0;
        QList<Chapter> chapters; // by bank, then chapter
        QList<MockExam> mocks;   // newest first
        QString forecastBank;    // empty: nothing to forecast for
        int passMark = 60;
        PassForecast::Result forecast;
    };

    // What the store gives, and what the forecast rests on.
    struct Source
    {
        QList<ResultWorker> workers;
        QList<WorkerRunSummary> summaries;
        QList<WorkerChapterFigures> chapters;
        QList<WorkerRun> mocks;
        QHash<qint64, int> bookSizes;
        QHash<qint64, WorkerLogSummary> logs;
        QList<WorkerTally> tallies; // of the recent days
        QHash<qint64, int> passMarks;
        QHash<qint64, QString> bankNames;
        // Per bank: its quota rows of chapters that exist.
        QHash<qint64, QList<QuotaRow>> quotas;
    };

    // A cell of the tables: the text shown and the key it sorts by.
    struct Cell
    {
        QString text;
        QVariant key;
    };

    // Workers with anything recorded (runs, log, book), by name; the others
    // are named by noRecordLine. Pure.
    static QList<Worker> build(const Source &source);
    // The workers of the store who have nothing recorded.
    static QStringList withoutRecords(const Source &source, const QList<Worker> &workers);

    // Reads everything the view shows. Throws StoreError.
    static Source read(const QSqlDatabase &db, const QDate &today);

    static QStringList workerColumns();
    static QList<Cell> workerCells(const Worker &worker);
    static QStringList chapterColumns();
    static QList<Cell> chapterCells(const Chapter &chapter);
    static QStringList mockColumns();
    static QList<Cell> mockCells(const MockExam &mock);

    // The line above the tables: how many workers are shown, or that none
    // has practised yet; the workers without records follow.
    static QString summaryLine(const QList<Worker> &workers, const QStringList &without);

    // The workbook's one sheet: the workers in the given order, then each
    // one's chapters, then each one's mock examinations, numbers as numbers.
    static QList<QVariantList> sheet(const QList<Worker> &workers);
    static QList<double> sheetWidths();

    inline static const QString kTitle = QStringLiteral("学员成绩");
    inline static const QString kDeletedChapter = QStringLiteral("（已删除的章节）");
    inline static const QString kDeletedBank = QStringLiteral("（已删除的题库）");
    inline static const QString kNotRead = QStringLiteral("[软件提示]：学员成绩无法读取，原因：");
    inline static const QString kWritten = QStringLiteral("已导出 %1 名学员的成绩到 %2");
    inline static const QString kNotWritten =
        QStringLiteral("[软件提示]：学员成绩没有导出，原因：");
    inline static const QString kNothingToExport =
        QStringLiteral("还没有学员的练习记录，没有可导出的成绩。");
};
