#include "TestRegistry.h"

#include "exam/WorkerResults.h"

#include <QTest>

namespace {

// A centre of workers 1 … n ("学员1" …) without anything recorded, and the
// bank 7 "变电" with one chapter 70 whose quota asks for four single-choice questions.
WorkerResults::Source centre(int workers)
{
    WorkerResults::Source source;
    for (int w = 1; w <= workers; ++w)
        source.workers.append({w, QStringLiteral("学员%1").arg(w)});
    source.bankNames.insert(7, QStringLiteral("变电"));
    QuotaRow quota;
    quota.bankId = 7;
    quota.chapterId = 70;
    quota.quota = {4, 0, 0, 0, 0};
    source.quotas.insert(7, {quota});
    return source;
}

QStringList namesOf(const QList<WorkerResults::Worker> &workers)
{
    QStringList names;
    for (const WorkerResults::Worker &worker : workers)
        names << worker.name;
    return names;
}

} // namespace

class WorkerResultsTest : public QObject
{
    Q_OBJECT

private slots:
    // Workers with runs, a log or a book are shown; the others are named in
    // the line, at most twenty of them.
    void whoIsShown_data()
    {
        QTest::addColumn<int>("workers");
        QTest::addColumn<QStringList>("shown");
        QTest::addColumn<QString>("line");
        QTest::newRow("nobody practised")
            << 2 << QStringList{}
            << QStringLiteral("还没有学员交卷评阅过练习，成绩表暂时为空。"
                              "尚无练习记录的学员 2 名：学员1、学员2。");
        QTest::newRow("runs, log, book")
            << 5
            << QStringList{QStringLiteral("学员1"), QStringLiteral("学员2"),
                           QStringLiteral("学员3")}
            << QStringLiteral("共 3 名学员有练习记录；点击列标题排序，点击一名学员查看其各章成绩"
                              "和模拟考试。尚无练习记录的学员 2 名：学员4、学员5。");
        QStringList many;
        for (int w = 4; w <= 23; ++w)
            many << QStringLiteral("学员%1").arg(w);
        QTest::newRow("more than twenty without")
            << 24
            << QStringList{QStringLiteral("学员1"), QStringLiteral("学员2"),
                           QStringLiteral("学员3")}
            << QStringLiteral("共 3 名学员有练习记录；点击列标题排序，点击一名学员查看其各章成绩"
                              "和模拟考试。尚无练习记录的学员 21 名：") +
                   many.join(QStringLiteral("、")) + QStringLiteral(" 等。");
    }
    void whoIsShown()
    {
        QFETCH(int, workers);
        QFETCH(QStringList, shown);
        QFETCH(QString, line);
        WorkerResults::Source source = centre(workers);
        if (workers > 2) {
            source.summaries.append({1, 3, QStringLiteral("2026-12-01T08:00:00"), 7});
            source.logs.insert(2, {1, QStringLiteral("2026-12-02T08:00:00")});
            source.bookSizes.insert(3, 4);
        }
        const QList<WorkerResults::Worker> built = WorkerResults::build(source);
        QCOMPARE(namesOf(built), shown);
        QCOMPARE(WorkerResults::summaryLine(built, WorkerResults::withoutRecords(source, built)),
                 line);
    }

    // The data file's one worker is no person of a centre: never named as
    // without records.
    void localWorkerNeverNamed()
    {
        WorkerResults::Source source;
        source.workers.append({0, QStringLiteral("本机")});
        const QList<WorkerResults::Worker> built = WorkerResults::build(source);
        QVERIFY(built.isEmpty());
        QCOMPARE(WorkerResults::summaryLine(built, WorkerResults::withoutRecords(source, built)),
                 QStringLiteral("还没有学员交卷评阅过练习，成绩表暂时为空。"));
    }

    // The forecast is for the bank of the newest run, with the worker's own
    // recent answers and pass mark (kept within 1 … 100, 60 when none is stored).
    void forecastPerWorker_data()
    {
        QTest::addColumn<qint64>("bank");
        QTest::addColumn<int>("storedMark"); // -1: none stored
        QTest::addColumn<int>("passMark");
        QTest::addColumn<QString>("bankShown");
        QTest::addColumn<QString>("chance");
        // Accuracy (3 + 1) / (4 + 2) for each of four questions; 60 asks for three right.
        const double p = 4.0 / 6.0;
        const auto chance = [](double value) {
            return QString::number(value * 100.0, 'f', 1) + QLatin1Char('%');
        };
        QTest::newRow("no mark stored") << qint64(7) << -1 << 60 << QStringLiteral("变电")
                                        << chance(p * p * p * p + 4 * p * p * p * (1 - p));
        QTest::newRow("mark 100") << qint64(7) << 100 << 100 << QStringLiteral("变电")
                                  << chance(p * p * p * p);
        QTest::newRow("mark above range")
            << qint64(7) << 150 << 100 << QStringLiteral("变电") << chance(p * p * p * p);
        QTest::newRow("bank deleted") << qint64(8) << 60 << 60 << QString() << QStringLiteral("—");
    }
    void forecastPerWorker()
    {
        QFETCH(qint64, bank);
        QFETCH(int, storedMark);
        QFETCH(int, passMark);
        QFETCH(QString, bankShown);
        QFETCH(QString, chance);
        WorkerResults::Source source = centre(2);
        source.summaries.append({1, 1, QStringLiteral("2026-12-01T08:00:00"), bank});
        source.tallies.append({1, 70, 1, 4, 3});
        // Another worker's answers and another chapter's do not count.
        source.tallies.append({2, 70, 1, 40, 0});
        source.tallies.append({1, 71, 1, 40, 0});
        if (storedMark >= 0)
            source.passMarks.insert(1, storedMark);
        const QList<WorkerResults::Worker> built = WorkerResults::build(source);
        QCOMPARE(built.size(), 1);
        QCOMPARE(built.first().passMark, passMark);
        QCOMPARE(built.first().forecastBank, bankShown);
        const QList<WorkerResults::Cell> cells = WorkerResults::workerCells(built.first());
        QCOMPARE(cells.at(7).text, bankShown);
        QCOMPARE(cells.at(8).text, chance);
    }

    // The sheet holds numbers as numbers and leaves a missing figure empty.
    void sheetCells()
    {
        WorkerResults::Worker worker;
        worker.name = QStringLiteral("张三");
        worker.runs = 12;
        worker.latest = QStringLiteral("2026-12-01T08:05:09");
        worker.chapters.append({QStringLiteral("变电"), QStringLiteral("第一章"), 3, std::nullopt,
                                75, QStringLiteral("2026-11-30T10:00:00")});
        const QList<QVariantList> rows = WorkerResults::sheet({worker});
        QCOMPARE(rows.at(1),
                 (QVariantList{QStringLiteral("张三"), 12, QStringLiteral("2026-12-01 08:05"), 0,
                               QString(), QString(), 0, QString(), QString()}));
        QCOMPARE(rows.at(5), (QVariantList{QStringLiteral("张三"), QStringLiteral("变电"),
                                           QStringLiteral("第一章"), 3, QString(), 75,
                                           QStringLiteral("2026-11-30 10:00")}));
    }
};

DRILLBAY_TEST(WorkerResultsTest)
#include "WorkerResultsTest.moc"
