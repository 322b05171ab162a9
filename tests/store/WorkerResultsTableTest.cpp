#include "CentreFixture.h"
#include "TestRegistry.h"

#include "store/StudySettingTable.h"
#include "store/WorkerResultsTable.h"

#include <QTest>

namespace {

constexpr int kSequential = 1;
constexpr int kMock = 3;

} // namespace

class WorkerResultsTableTest : public QObject
{
    Q_OBJECT

private slots:
    // Each worker's figures are that worker's own, whoever the connection
    // is signed in as when the trainer reads them.
    void figuresPerWorker_data()
    {
        QTest::addColumn<int>("workers");
        QTest::newRow("one worker") << 1;
        QTest::newRow("two workers") << 2;
    }
    void figuresPerWorker()
    {
        QFETCH(int, workers);
        if (workers > 1 && !TestDatabase::onServer())
            QSKIP("a data file has its one implicit worker");
        CentreFixture c;
        QList<qint64> ids;
        for (int w = 0; w < workers; ++w) {
            ids << c.practiseAs(QStringLiteral("学员%1").arg(w + 1));
            // Each worker runs the first chapter once more than the one before, scoring 50, 60, ...
            for (int r = 0; r <= w; ++r)
                c.run(c.first, kSequential, 50 + 10 * r,
                      QStringLiteral("2026-12-0%1T08:00:00").arg(r + 1));
            c.run(c.second, kMock, 70 + w, QStringLiteral("2026-12-05T09:00:00"), 40 + w);
            for (int q = 0; q <= w; ++q)
                c.wrong(c.firstIds.at(q), QStringLiteral("2026-12-05T09:00:00"));
            c.log(QDateTime(QDate(2026, 12, 6 + w), QTime(7, 0)), 80);
            c.answer(QStringLiteral("2026-12-05"), c.firstIds.at(0), w == 0);
            StudySettingTable(c.db.db()).store(QStringLiteral("pass_mark"), 60 + w);
        }
        const WorkerResultsTable table(c.db.db());
        const QList<ResultWorker> listed = table.workers();
        QCOMPARE(listed.size(), workers);
        if (!c.db.onServer())
            QCOMPARE(listed.first().name, QStringLiteral("本机"));
        for (int w = 0; w < workers; ++w) {
            QCOMPARE(listed.at(w).id, ids.at(w));
            if (c.db.onServer())
                QCOMPARE(listed.at(w).name, QStringLiteral("学员%1").arg(w + 1));
        }

        const QList<WorkerRunSummary> summaries = table.runSummaries();
        QCOMPARE(summaries.size(), workers);
        const QList<WorkerChapterFigures> chapters = table.chapterFigures(kMock);
        QCOMPARE(chapters.size(), workers);
        const QList<WorkerRun> mocks = table.runsOfKind(kMock);
        QCOMPARE(mocks.size(), workers);
        const QHash<qint64, int> books = table.bookSizes();
        const QHash<qint64, WorkerLogSummary> logs = table.logSummaries();
        const QList<WorkerTally> tallies = table.talliesSince(QStringLiteral("2026-12-01"));
        QCOMPARE(tallies.size(), workers);
        const QHash<qint64, int> marks = table.studySetting(QStringLiteral("pass_mark"));
        for (int w = 0; w < workers; ++w) {
            QCOMPARE(summaries.at(w).workerId, ids.at(w));
            QCOMPARE(summaries.at(w).runs, w + 2);
            QCOMPARE(summaries.at(w).latest, QStringLiteral("2026-12-05T09:00:00"));
            QCOMPARE(summaries.at(w).latestBankId, c.bank);
            // The mock examination is left out of the chapter figures.
            QCOMPARE(chapters.at(w).workerId, ids.at(w));
            QCOMPARE(chapters.at(w).chapterId, c.first);
            QCOMPARE(chapters.at(w).chapterName, QStringLiteral("第一章"));
            QCOMPARE(chapters.at(w).bankName, QStringLiteral("变电"));
            QCOMPARE(chapters.at(w).runs, w + 1);
            QCOMPARE(chapters.at(w).last, std::optional<int>(50 + 10 * w));
            QCOMPARE(chapters.at(w).best, std::optional<int>(50 + 10 * w));
            QCOMPARE(mocks.at(w).workerId, ids.at(w));
            QCOMPARE(mocks.at(w).points, 40 + w);
            QCOMPARE(mocks.at(w).percentage, std::optional<int>(70 + w));
            QCOMPARE(mocks.at(w).bankName, QStringLiteral("变电"));
            QCOMPARE(books.value(ids.at(w)), w + 1);
            QCOMPARE(logs.value(ids.at(w)).records, 1);
            QCOMPARE(logs.value(ids.at(w)).latest,
                     QStringLiteral("2026-12-0%1T07:00:00").arg(6 + w));
            QCOMPARE(tallies.at(w).workerId, ids.at(w));
            QCOMPARE(tallies.at(w).answered, 1);
            QCOMPARE(tallies.at(w).right, w == 0 ? 1 : 0);
            QCOMPARE(marks.value(ids.at(w)), 60 + w);
        }
    }

    // The last figure is the newest run's that has a percentage, the best the
    // highest; a run without objective questions counts but has none; the
    // tallies before the day asked for are left out.
    void lastAndBest_data()
    {
        QTest::addColumn<QList<int>>("percentages"); // -1: a run without a percentage
        QTest::addColumn<int>("last");
        QTest::addColumn<int>("best");
        QTest::newRow("rising") << QList<int>{40, 60, 80} << 80 << 80;
        QTest::newRow("falling") << QList<int>{90, 60, 30} << 30 << 90;
        QTest::newRow("newest unscored") << QList<int>{70, 85, -1} << 85 << 85;
        QTest::newRow("none scored") << QList<int>{-1, -1} << -1 << -1;
    }
    void lastAndBest()
    {
        QFETCH(QList<int>, percentages);
        QFETCH(int, last);
        QFETCH(int, best);
        CentreFixture c;
        c.practiseAs(QStringLiteral("学员1"));
        for (int r = 0; r < percentages.size(); ++r) {
            const int p = percentages.at(r);
            c.run(c.second, kSequential, p < 0 ? std::nullopt : std::optional<int>(p),
                  QStringLiteral("2026-12-0%1T08:00:00").arg(r + 1));
        }
        c.answer(QStringLiteral("2026-11-30"), c.secondIds.at(0), true);
        const WorkerResultsTable table(c.db.db());
        const QList<WorkerChapterFigures> figures = table.chapterFigures(kMock);
        QCOMPARE(figures.size(), 1);
        QCOMPARE(figures.first().runs, percentages.size());
        QCOMPARE(figures.first().last, last < 0 ? std::nullopt : std::optional<int>(last));
        QCOMPARE(figures.first().best, best < 0 ? std::nullopt : std::optional<int>(best));
        QCOMPARE(figures.first().latest,
                 QStringLiteral("2026-12-0%1T08:00:00").arg(percentages.size()));
        QVERIFY(table.talliesSince(QStringLiteral("2026-12-01")).isEmpty());
    }

    // A deleted chapter keeps its runs without a name; book entries of
    // deleted questions no longer count, as the book itself shows them.
    void deletedSince()
    {
        CentreFixture c;
        c.practiseAs(QStringLiteral("学员1"));
        c.run(c.second, kSequential, 75, QStringLiteral("2026-12-01T08:00:00"));
        c.wrong(c.firstIds.at(0), QStringLiteral("2026-12-01T08:00:00"));
        c.wrong(c.secondIds.at(0), QStringLiteral("2026-12-01T08:00:00"));
        c.db.exec(QStringLiteral("delete from 考试训练题库 where 试卷分类 = %1").arg(c.second));
        c.db.exec(QStringLiteral("delete from fenlei where id = %1").arg(c.second));
        const WorkerResultsTable table(c.db.db());
        const QList<WorkerChapterFigures> figures = table.chapterFigures(kMock);
        QCOMPARE(figures.size(), 1);
        QCOMPARE(figures.first().chapterName, QString());
        QCOMPARE(figures.first().runs, 1);
        QCOMPARE(table.bookSizes().values(), QList<int>{1});
    }

    // A centre where nobody practised has no figures at all.
    void emptyCentre()
    {
        CentreFixture c;
        const WorkerResultsTable table(c.db.db());
        QCOMPARE(table.workers().size(), 1);
        QVERIFY(table.runSummaries().isEmpty());
        QVERIFY(table.chapterFigures(kMock).isEmpty());
        QVERIFY(table.runsOfKind(kMock).isEmpty());
        QVERIFY(table.bookSizes().isEmpty());
        QVERIFY(table.logSummaries().isEmpty());
        QVERIFY(table.studySetting(QStringLiteral("pass_mark")).isEmpty());
    }
};

DRILLBAY_TEST(WorkerResultsTableTest)
#include "WorkerResultsTableTest.moc"
