#include "CentreFixture.h"
#include "FixedClock.h"
#include "RecordingNotifier.h"
#include "ScriptedFileDialogs.h"
#include "TestRegistry.h"

#include "editor/XlsxReader.h"
#include "editor/XlsxWriter.h"
#include "exam/PassForecast.h"
#include "exam/WorkerResults.h"
#include "exam/ui/ResultsDesk.h"
#include "exam/ui/ResultsWindow.h"
#include "settings/PasswordCodec.h"
#include "settings/PasswordGate.h"
#include "settings/StudySettings.h"
#include "store/QuotaTable.h"
#include "store/StudySettingTable.h"

#include <QFile>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QSignalSpy>
#include <QTableView>
#include <QTest>

namespace {

constexpr int kSequential = 1;
constexpr int kMock = 3;

// A practice of one worker: runs of the first chapter with these
// percentages, of the second chapter with one, mock examinations with
// these percentages, and this many questions in the book.
struct Practice
{
    QString name;
    QList<int> firstChapter{};
    int secondChapter = -1; // none
    QList<int> mocks{};
    int book = 0;
};

// The centre, the trainer's password, and the desk of "学员成绩...".
struct ResultsFixture
{
    ResultsFixture()
    {
        c.db.exec(QStringLiteral("insert into reg(flag, pass) values('999', '%1')")
                      .arg(encodePassword(QStringLiteral("drillbay"))));
    }

    void practise(const QList<Practice> &practices)
    {
        for (const Practice &p : practices) {
            c.practiseAs(p.name);
            int day = 1;
            for (const int percentage : p.firstChapter)
                c.run(c.first, kSequential, percentage,
                      QStringLiteral("2026-12-0%1T08:00:00").arg(day++));
            if (p.secondChapter >= 0)
                c.run(c.second, kSequential, p.secondChapter,
                      QStringLiteral("2026-12-0%1T08:00:00").arg(day++));
            for (const int percentage : p.mocks)
                c.run(c.second, kMock, percentage,
                      QStringLiteral("2026-12-0%1T10:00:00").arg(day++), percentage / 2);
            // The book holds questions of the second chapter, which has four.
            QVERIFY(p.book <= c.secondIds.size());
            for (int q = 0; q < p.book; ++q)
                c.wrong(c.secondIds.at(q), QStringLiteral("2026-12-01T08:00:00"));
        }
    }

    // The trainer enters the password and clicks the command.
    void open()
    {
        if (!gate.accepted())
            QCOMPARE(gate.check(QStringLiteral("drillbay")), PasswordGate::CheckResult::Accepted);
        QTest::mouseClick(desk.command(), Qt::LeftButton);
    }

    ResultsWindow *window() const { return desk.window(); }

    static QStringList column(QTableView *table, int column)
    {
        QStringList cells;
        for (int r = 0; r < table->model()->rowCount(); ++r)
            cells << table->model()->index(r, column).data().toString();
        return cells;
    }
    static QStringList row(QTableView *table, int row)
    {
        QStringList cells;
        for (int c = 0; c < table->model()->columnCount(); ++c)
            cells << table->model()->index(row, c).data().toString();
        return cells;
    }
    static void clickHeader(QTableView *table, int column)
    {
        QHeaderView *header = table->horizontalHeader();
        QTest::mouseClick(
            header->viewport(), Qt::LeftButton, {},
            QPoint(header->sectionViewportPosition(column) + header->sectionSize(column) / 2,
                   header->height() / 2));
    }
    static void clickRow(QTableView *table, int row)
    {
        QTest::mouseClick(table->viewport(), Qt::LeftButton, {},
                          table->visualRect(table->model()->index(row, 0)).center());
    }

    CentreFixture c;
    RecordingNotifier notifier;
    FixedClock clock{QDateTime(QDate(2026, 12, 10), QTime(9, 0))};
    ScriptedFileDialogs dialogs;
    PasswordGate gate{c.db.db(), notifier};
    ResultsDesk desk{c.db.db(), gate, notifier, clock, dialogs, &XlsxWriter::write};
};

bool needsServer(const QList<Practice> &practices)
{
    return practices.size() > 1 && !TestDatabase::onServer();
}

} // namespace

Q_DECLARE_METATYPE(QList<Practice>)

class ResultsWindowTest : public QObject
{
    Q_OBJECT

private slots:
    // Without the password the command asks for it and shows nothing.
    void behindThePassword()
    {
        ResultsFixture f;
        f.practise({{QStringLiteral("张三"), {80}}});
        QSignalSpy asked(&f.desk, &ResultsDesk::passwordRequested);
        QTest::mouseClick(f.desk.command(), Qt::LeftButton);
        QCOMPARE(asked.size(), 1);
        QVERIFY(!f.window()->isVisible());
        f.open();
        QCOMPARE(asked.size(), 1);
        QVERIFY(f.window()->isVisible());
        QCOMPARE(f.window()->windowTitle(), QStringLiteral("学员成绩"));
        QCOMPARE(f.desk.command()->text(), QStringLiteral("学员成绩..."));
    }

    // One row per worker with that worker's own figures; a click on a row
    // shows that worker's chapters and mock examinations.
    void rowPerWorker_data()
    {
        QTest::addColumn<QList<Practice>>("practices");
        QTest::addColumn<QList<QStringList>>("rows");
        QTest::addColumn<int>("chosen");
        QTest::addColumn<QList<QStringList>>("chapters");
        QTest::addColumn<QList<QStringList>>("mocks");
        const QString name =
            TestDatabase::onServer() ? QStringLiteral("张三") : QStringLiteral("本机");
        QTest::newRow("one worker")
            << QList<Practice>{{QStringLiteral("张三"), {60, 90, 70}, 55, {82}, 2}}
            << QList<QStringList>{{name, QStringLiteral("5"), QStringLiteral("2026-12-05 10:00"),
                                   QStringLiteral("1"), QStringLiteral("82%"),
                                   QStringLiteral("82%"), QStringLiteral("2"),
                                   QStringLiteral("变电"), QStringLiteral("—")}}
            << 0
            << QList<QStringList>{{QStringLiteral("变电"), QStringLiteral("第一章"),
                                   QStringLiteral("3"), QStringLiteral("70%"),
                                   QStringLiteral("90%"), QStringLiteral("2026-12-03 08:00")},
                                  {QStringLiteral("变电"), QStringLiteral("第二章"),
                                   QStringLiteral("1"), QStringLiteral("55%"),
                                   QStringLiteral("55%"), QStringLiteral("2026-12-04 08:00")}}
            << QList<QStringList>{{QStringLiteral("2026-12-05 10:00"), QStringLiteral("变电"),
                                   QStringLiteral("41"), QStringLiteral("82%")}};
        QTest::newRow("two workers, the second chosen")
            << QList<Practice>{{QStringLiteral("张三"), {60}, -1, {}, 0},
                               {QStringLiteral("李四"), {40, 50}, -1, {64, 96}, 3}}
            << QList<QStringList>{{QStringLiteral("张三"), QStringLiteral("1"),
                                   QStringLiteral("2026-12-01 08:00"), QStringLiteral("0"),
                                   QStringLiteral("—"), QStringLiteral("—"), QStringLiteral("0"),
                                   QStringLiteral("变电"), QStringLiteral("—")},
                                  {QStringLiteral("李四"), QStringLiteral("4"),
                                   QStringLiteral("2026-12-04 10:00"), QStringLiteral("2"),
                                   QStringLiteral("96%"), QStringLiteral("96%"),
                                   QStringLiteral("3"), QStringLiteral("变电"),
                                   QStringLiteral("—")}}
            << 1
            << QList<QStringList>{{QStringLiteral("变电"), QStringLiteral("第一章"),
                                   QStringLiteral("2"), QStringLiteral("50%"),
                                   QStringLiteral("50%"), QStringLiteral("2026-12-02 08:00")}}
            << QList<QStringList>{{QStringLiteral("2026-12-04 10:00"), QStringLiteral("变电"),
                                   QStringLiteral("48"), QStringLiteral("96%")},
                                  {QStringLiteral("2026-12-03 10:00"), QStringLiteral("变电"),
                                   QStringLiteral("32"), QStringLiteral("64%")}};
    }
    void rowPerWorker()
    {
        QFETCH(QList<Practice>, practices);
        QFETCH(QList<QStringList>, rows);
        QFETCH(int, chosen);
        QFETCH(QList<QStringList>, chapters);
        QFETCH(QList<QStringList>, mocks);
        if (needsServer(practices))
            QSKIP("a data file has its one implicit worker");
        ResultsFixture f;
        f.practise(practices);
        f.open();
        QTableView *workers = f.window()->workerTable();
        QCOMPARE(workers->model()->rowCount(), rows.size());
        for (int r = 0; r < rows.size(); ++r)
            QCOMPARE(ResultsFixture::row(workers, r), rows.at(r));
        ResultsFixture::clickRow(workers, chosen);
        QTableView *chapterTable = f.window()->chapterTable();
        QCOMPARE(chapterTable->model()->rowCount(), chapters.size());
        for (int r = 0; r < chapters.size(); ++r)
            QCOMPARE(ResultsFixture::row(chapterTable, r), chapters.at(r));
        QTableView *mockTable = f.window()->mockTable();
        QCOMPARE(mockTable->model()->rowCount(), mocks.size());
        for (int r = 0; r < mocks.size(); ++r)
            QCOMPARE(ResultsFixture::row(mockTable, r), mocks.at(r));
        QVERIFY(f.notifier.notices.isEmpty());
    }

    // A click on a header sorts by that column, by value (numbers as
    // numbers, a missing figure lowest); a second click turns the order.
    void sortByHeader_data()
    {
        QTest::addColumn<QList<Practice>>("practices");
        QTest::addColumn<QString>("table");
        QTest::addColumn<int>("column");
        QTest::addColumn<int>("clicks");
        QTest::addColumn<int>("shown"); // the column compared
        QTest::addColumn<QStringList>("order");
        const QList<Practice> three{
            {QStringLiteral("甲"), {90, 90}, -1, {55}, 3},
            {QStringLiteral("乙"), {10, 10, 10, 10, 10, 10, 10, 10, 10, 10}, -1, {}, 1},
            {QStringLiteral("丙"), {50, 50, 50}, -1, {100}, 0}};
        QTest::newRow("runs, ascending")
            << three << QStringLiteral("workers") << 1 << 1 << 0
            << QStringList{QStringLiteral("甲"), QStringLiteral("丙"), QStringLiteral("乙")};
        QTest::newRow("runs, descending")
            << three << QStringLiteral("workers") << 1 << 2 << 0
            << QStringList{QStringLiteral("乙"), QStringLiteral("丙"), QStringLiteral("甲")};
        QTest::newRow("last mock, none lowest")
            << three << QStringLiteral("workers") << 4 << 1 << 0
            << QStringList{QStringLiteral("乙"), QStringLiteral("甲"), QStringLiteral("丙")};
        QTest::newRow("book, descending")
            << three << QStringLiteral("workers") << 6 << 2 << 0
            << QStringList{QStringLiteral("甲"), QStringLiteral("乙"), QStringLiteral("丙")};
        const QList<Practice> one{{QStringLiteral("甲"), {100, 9}, 80, {70, 100, 5}, 0}};
        QTest::newRow("chapters by last percentage, descending")
            << one << QStringLiteral("chapters") << 3 << 2 << 3
            << QStringList{QStringLiteral("80%"), QStringLiteral("9%")};
        QTest::newRow("chapters by best")
            << one << QStringLiteral("chapters") << 4 << 1 << 1
            << QStringList{QStringLiteral("第二章"), QStringLiteral("第一章")};
        QTest::newRow("mocks by percentage")
            << one << QStringLiteral("mocks") << 3 << 1 << 3
            << QStringList{QStringLiteral("5%"), QStringLiteral("70%"), QStringLiteral("100%")};
        QTest::newRow("mocks by date, ascending")
            << one << QStringLiteral("mocks") << 0 << 1 << 3
            << QStringList{QStringLiteral("70%"), QStringLiteral("100%"), QStringLiteral("5%")};
    }
    void sortByHeader()
    {
        QFETCH(QList<Practice>, practices);
        QFETCH(QString, table);
        QFETCH(int, column);
        QFETCH(int, clicks);
        QFETCH(int, shown);
        QFETCH(QStringList, order);
        if (needsServer(practices))
            QSKIP("a data file has its one implicit worker");
        ResultsFixture f;
        f.practise(practices);
        f.open();
        QTableView *view = table == QStringLiteral("workers")    ? f.window()->workerTable()
                           : table == QStringLiteral("chapters") ? f.window()->chapterTable()
                                                                 : f.window()->mockTable();
        for (int k = 0; k < clicks; ++k)
            ResultsFixture::clickHeader(view, column);
        QCOMPARE(ResultsFixture::column(view, shown), order);
    }

    // "导出..." writes the table as sorted; the sheet reader reads it back:
    // the workers, then their chapters, then their mock examinations.
    void exportReadBack_data()
    {
        QTest::addColumn<QList<Practice>>("practices");
        QTest::addColumn<int>("sortClicks"); // on the runs column
        QTest::addColumn<QList<QStringList>>("workers");
        QTest::addColumn<QStringList>("firstChapter");
        QTest::addColumn<QStringList>("firstMock");
        const QString local =
            TestDatabase::onServer() ? QStringLiteral("张三") : QStringLiteral("本机");
        const Practice zhang{QStringLiteral("张三"), {60, 70}, 80, {90}, 1};
        const QStringList zhangMock{local, QStringLiteral("2026-12-04 10:00"),
                                    QStringLiteral("变电"), QStringLiteral("45"),
                                    QStringLiteral("90")};
        QTest::newRow("one worker")
            << QList<Practice>{zhang} << 0
            << QList<QStringList>{{local, QStringLiteral("4"), QStringLiteral("2026-12-04 10:00"),
                                   QStringLiteral("1"), QStringLiteral("90"), QStringLiteral("90"),
                                   QStringLiteral("1"), QStringLiteral("变电")}}
            << QStringList{local,
                           QStringLiteral("变电"),
                           QStringLiteral("第一章"),
                           QStringLiteral("2"),
                           QStringLiteral("70"),
                           QStringLiteral("70"),
                           QStringLiteral("2026-12-02 08:00")}
            << zhangMock;
        QTest::newRow("two, as sorted")
            << QList<Practice>{zhang, {QStringLiteral("李四"), {65}, -1, {}, 0}} << 1
            << QList<QStringList>{{QStringLiteral("李四"), QStringLiteral("1")},
                                  {QStringLiteral("张三"), QStringLiteral("4")}}
            << QStringList{QStringLiteral("李四"),
                           QStringLiteral("变电"),
                           QStringLiteral("第一章"),
                           QStringLiteral("1"),
                           QStringLiteral("65"),
                           QStringLiteral("65"),
                           QStringLiteral("2026-12-01 08:00")}
            << zhangMock;
    }
    void exportReadBack()
    {
        QFETCH(QList<Practice>, practices);
        QFETCH(int, sortClicks);
        QFETCH(QList<QStringList>, workers);
        QFETCH(QStringList, firstChapter);
        QFETCH(QStringList, firstMock);
        if (needsServer(practices))
            QSKIP("a data file has its one implicit worker");
        ResultsFixture f;
        f.practise(practices);
        f.open();
        for (int k = 0; k < sortClicks; ++k)
            ResultsFixture::clickHeader(f.window()->workerTable(), 1);
        const QString path = f.c.db.folder() + QStringLiteral("/成绩");
        f.dialogs.answers << path;
        QTest::mouseClick(f.window()->exportButton(), Qt::LeftButton);
        QCOMPARE(f.dialogs.captions, QStringList{QStringLiteral("导出学员成绩")});
        QCOMPARE(
            f.notifier.notices,
            QStringList{
                QStringLiteral("已导出 %1 名学员的成绩到 %2.xlsx").arg(workers.size()).arg(path)});
        QFile file(path + QStringLiteral(".xlsx"));
        QVERIFY(file.open(QIODevice::ReadOnly));
        const SheetRows sheet = XlsxReader::read(file.readAll());
        QVERIFY2(sheet.error.isEmpty(), qPrintable(sheet.error));
        QCOMPARE(sheet.rows.at(0), WorkerResults::workerColumns());
        for (int w = 0; w < workers.size(); ++w)
            QCOMPARE(sheet.rows.at(1 + w).mid(0, workers.at(w).size()), workers.at(w));
        const qsizetype chapters = sheet.rows.indexOf(QStringList{QStringLiteral("各章成绩")});
        QCOMPARE(chapters, workers.size() + 1);
        QCOMPARE(sheet.rows.at(chapters + 1),
                 QStringList{QStringLiteral("学员")} + WorkerResults::chapterColumns());
        QCOMPARE(sheet.rows.at(chapters + 2), firstChapter);
        const qsizetype mocks = sheet.rows.indexOf(QStringList{QStringLiteral("模拟考试")});
        QVERIFY(mocks > chapters);
        QCOMPARE(sheet.rows.at(mocks + 1),
                 QStringList{QStringLiteral("学员")} + WorkerResults::mockColumns());
        QCOMPARE(sheet.rows.at(mocks + 2), firstMock);
    }

    // A failed or cancelled export is told or does nothing; the window goes on.
    void exportFails_data()
    {
        QTest::addColumn<QString>("answer");
        QTest::addColumn<QString>("notice"); // start of the notice; empty: none
        QTest::newRow("cancelled") << QString() << QString();
        QTest::newRow("folder missing") << QStringLiteral("/no/such/folder/成绩.xlsx")
                                        << QStringLiteral("[软件提示]：学员成绩没有导出，原因：");
    }
    void exportFails()
    {
        QFETCH(QString, answer);
        QFETCH(QString, notice);
        ResultsFixture f;
        f.practise({{QStringLiteral("张三"), {80}}});
        f.open();
        f.dialogs.answers << answer;
        QTest::mouseClick(f.window()->exportButton(), Qt::LeftButton);
        if (notice.isEmpty()) {
            QVERIFY(f.notifier.notices.isEmpty());
        } else {
            QCOMPARE(f.notifier.notices.size(), 1);
            QVERIFY2(f.notifier.notices.first().startsWith(notice),
                     qPrintable(f.notifier.notices.first()));
        }
        QVERIFY(f.window()->isVisible());
        QCOMPARE(f.window()->workerTable()->model()->rowCount(), 1);
    }

    // A store that cannot be read gives one notice; the window stays closed
    // when opening, and shows an empty table with the reason when refreshing.
    void failingRead_data()
    {
        QTest::addColumn<bool>("openFirst");
        QTest::newRow("opening") << false;
        QTest::newRow("refreshing") << true;
    }
    void failingRead()
    {
        QFETCH(bool, openFirst);
        ResultsFixture f;
        f.practise({{QStringLiteral("张三"), {80}}});
        if (openFirst)
            f.open();
        f.c.db.exec(QStringLiteral("alter table fenlei rename to fenlei_gone"));
        if (openFirst)
            QTest::mouseClick(f.window()->refreshButton(), Qt::LeftButton);
        else
            f.open();
        QCOMPARE(f.notifier.notices.size(), 1);
        QVERIFY2(f.notifier.notices.first().startsWith(WorkerResults::kNotRead),
                 qPrintable(f.notifier.notices.first()));
        QCOMPARE(f.window()->isVisible(), openFirst);
        QCOMPARE(f.window()->workerTable()->model()->rowCount(), 0);
        if (openFirst)
            QCOMPARE(f.window()->line()->text(), f.notifier.notices.first());
        // Once the store reads again, so does the view.
        f.c.db.exec(QStringLiteral("alter table fenlei_gone rename to fenlei"));
        f.open();
        QVERIFY(f.window()->isVisible());
        QCOMPARE(f.window()->workerTable()->model()->rowCount(), 1);
    }

    // Nobody has practised: an empty table, a line saying so, nothing to export.
    void emptyCentre()
    {
        ResultsFixture f;
        f.open();
        QVERIFY(f.window()->isVisible());
        QCOMPARE(f.window()->workerTable()->model()->rowCount(), 0);
        QCOMPARE(f.window()->workerTable()->model()->columnCount(), 9);
        QVERIFY2(f.window()->line()->text().startsWith(
                     QStringLiteral("还没有学员交卷评阅过练习，成绩表暂时为空。")),
                 qPrintable(f.window()->line()->text()));
        QTest::mouseClick(f.window()->exportButton(), Qt::LeftButton);
        QCOMPARE(f.notifier.notices, QStringList{WorkerResults::kNothingToExport});
        QVERIFY(f.dialogs.captions.isEmpty());
    }

    // The pass forecast is the one the statistics window computes for the
    // bank the worker practised last, with the worker's own pass mark.
    void forecastAsStatistics_data()
    {
        QTest::addColumn<int>("passMark");
        QTest::addColumn<int>("rightOfFour");
        QTest::newRow("pass mark 60, three right") << 60 << 3;
        QTest::newRow("pass mark 90, one right") << 90 << 1;
        QTest::newRow("pass mark 30, none right") << 30 << 0;
    }
    void forecastAsStatistics()
    {
        QFETCH(int, passMark);
        QFETCH(int, rightOfFour);
        ResultsFixture f;
        f.practise({{QStringLiteral("张三"), {80}}});
        QuotaRow quota;
        quota.bankId = f.c.bank;
        quota.chapterId = f.c.first;
        quota.position = 1;
        quota.quota = {3, 0, 0, 0, 0};
        QuotaTable(f.c.db.db()).saveChapter(quota);
        quota.chapterId = f.c.second;
        quota.position = 2;
        quota.quota = {2, 0, 0, 0, 0};
        QuotaTable(f.c.db.db()).saveChapter(quota);
        for (int q = 0; q < 4; ++q)
            f.c.answer(QStringLiteral("2026-12-08"), f.c.firstIds.at(q), q < rightOfFour);
        // Outside the last 30 days: not counted.
        f.c.answer(QStringLiteral("2026-11-01"), f.c.secondIds.at(0), true);
        StudySettingTable(f.c.db.db()).store(StudySettings::passMarkName(), passMark);
        // The statistics window's cells: each quota with its chapter's answers
        // of the last 30 days (single choice; the other objective types ask none).
        const PassForecast::Result expected = PassForecast::forecast(
            {{3, 4, rightOfFour}, {0, 0, 0}, {0, 0, 0}, {2, 0, 0}, {0, 0, 0}, {0, 0, 0}}, passMark);
        QCOMPARE(expected.questions, 5);
        f.open();
        QCOMPARE(ResultsFixture::row(f.window()->workerTable(), 0).at(8),
                 QString::number(expected.passChance * 100.0, 'f', 1) + QLatin1Char('%'));
        QCOMPARE(f.desk.report().workers().first().forecast.basis, 4);
    }
};

DRILLBAY_TEST(ResultsWindowTest)
#include "ResultsWindowTest.moc"
