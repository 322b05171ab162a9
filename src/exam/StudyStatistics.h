#pragma once

#include "exam/PassForecast.h"

#include <QDate>
#include <QList>
#include <QSqlDatabase>
#include <QString>

// What the "学习统计" window shows for the current chapter's bank, read with
// a few grouped statements (the history is never walked row by row here):
// the mean percentage per day and kind of run, the runs per week, per
// chapter the share known, the share answered right in the last 30 days and
// the wrong-question book's count (weakest chapter first), and the pass
// forecast for the bank's mock-examination quotas.
class StudyStatistics
{
public:
    static constexpr int kRecentDays = 30;
    static constexpr int kChartedChapters = 12;

    struct Point
    {
        QDate day;
        double percentage = 0;
    };
    struct KindSeries
    {
        int kind = 0;
        QString name; // 顺序练习, 随机练习, 模拟考试, 错题练习
        QList<Point> points;
    };
    struct Week
    {
        QDate monday;
        int runs = 0;
    };
    struct ChapterBar
    {
        qint64 id = 0;
        QString name;
        int questions = 0;
        double knownShare = 0; // 0 … 100
        int answered = 0;      // in the last 30 days
        double rightShare = 0; // 0 … 100, 0 when nothing was answered
        int bookCount = 0;
    };
    struct Data
    {
        QString bank;
        int runs = 0; // graded runs of the bank in the history
        QList<KindSeries> series;
        QList<Week> weeks;
        QList<ChapterBar> chapters; // weakest first
        int passMark = 60;
        PassForecast::Result forecast;
    };

    static QString kindName(int kind);
    static QString emptyLine();

    // Throws StoreError when the file cannot be read.
    static Data read(const QSqlDatabase &db, const QString &currentChapter, const QDate &today,
                     int passMark);
};
