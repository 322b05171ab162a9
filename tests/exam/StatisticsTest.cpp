#include "DeskFixture.h"
#include "ScriptedFileDialogs.h"
#include "TestRegistry.h"

#include "exam/PassForecast.h"
#include "exam/StudyStatistics.h"
#include "exam/ui/StatisticsWindow.h"
#include "exam/ui/StudyDesk.h"
#include "store/AddedTables.h"
#include "store/AnswerTallyTable.h"
#include "store/QuotaTable.h"
#include "store/RunHistoryTable.h"
#include "store/WrongBookTable.h"
#include "widgets/LinkLabel.h"

#include <QChart>
#include <QChartView>
#include <QFileInfo>
#include <QLabel>
#include <QLineSeries>
#include <QPushButton>
#include <QTest>

using Cells = QList<PassForecast::Cell>;
Q_DECLARE_METATYPE(Cells)

namespace {

// A bank with two chapters, the second one weaker, and their quotas.
struct StatsDesk
{
    StatsDesk()
    {
        AddedTables::ensure(f.db.db());
        bank = f.db.addBank(QStringLiteral("变电"));
        strong = f.db.addChapter(bank, QStringLiteral("第一章"));
        weak = f.db.addChapter(bank, QStringLiteral("第二章"));
        for (int k = 0; k < 4; ++k) {
            strongIds << f.db.addQuestion(strong, 1, QStringLiteral("甲%1").arg(k), {},
                                          QStringLiteral("1"), 2, k != 0);
            weakIds << f.db.addQuestion(weak, 4, QStringLiteral("乙%1").arg(k), {},
                                        QStringLiteral("1"));
        }
        study = std::make_unique<StudyDesk>(f.main, f.services, f.desk, f.settings);
        study->setFileDialogs(&dialogs);
        f.desk.chooseChapter(QStringLiteral("第一章"));
    }
    DeskFixture f;
    ScriptedFileDialogs dialogs;
    qint64 bank = 0;
    qint64 strong = 0;
    qint64 weak = 0;
    QList<qint64> strongIds;
    QList<qint64> weakIds;
    std::unique_ptr<StudyDesk> study;
};

} // namespace

class StatisticsTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    // The forecast's figures, computed exactly.
    void forecast_data()
    {
        QTest::addColumn<Cells>("cells");
        QTest::addColumn<int>("passMark");
        QTest::addColumn<int>("needed");
        QTest::addColumn<double>("expected");
        QTest::addColumn<double>("chance");
        QTest::addColumn<int>("basis");
        QTest::newRow("never answered: 50 %") << Cells{{1, 0, 0}} << 60 << 1 << 50.0 << 0.5 << 0;
        QTest::newRow("both needed") << Cells{{2, 8, 8}} << 60 << 2 << 90.0 << 0.81 << 8;
        QTest::newRow("six of ten") << Cells{{10, 0, 0}} << 60 << 6 << 50.0 << 386.0 / 1024 << 0;
        QTest::newRow("two chapters")
            << Cells{{1, 8, 8}, {1, 0, 0}} << 60 << 2 << 70.0 << 0.45 << 8;
        QTest::newRow("no quota") << Cells{{0, 5, 5}} << 60 << 0 << 0.0 << 0.0 << 0;
        // 5 of 8 is 62.5 %, which grading rounds to 62: a pass mark of 63 needs 6.
        QTest::newRow("halves to even") << Cells{{8, 0, 0}} << 63 << 6 << 50.0 << 37.0 / 256 << 0;
    }
    void forecast()
    {
        QFETCH(Cells, cells);
        QFETCH(int, passMark);
        QFETCH(int, needed);
        QFETCH(double, expected);
        QFETCH(double, chance);
        QFETCH(int, basis);
        const PassForecast::Result result = PassForecast::forecast(cells, passMark);
        QCOMPARE(result.neededRight, needed);
        QCOMPARE(result.expectedPercent, expected);
        QVERIFY2(qAbs(result.passChance - chance) < 1e-12,
                 qPrintable(QString::number(result.passChance)));
        QCOMPARE(result.basis, basis);
    }

    // An empty history: the window opens with empty charts and says so.
    void emptyHistory()
    {
        StatsDesk d;
        QTest::mouseClick(d.study->statisticsLink(), Qt::LeftButton);
        StatisticsWindow *window = d.study->statisticsWindow();
        QVERIFY(window->isVisible());
        QVERIFY(window->emptyLabel()->isVisible());
        QCOMPARE(window->emptyLabel()->text(), StudyStatistics::emptyLine());
        // Only the pass line.
        QCOMPARE(window->percentChart()->chart()->series().size(), 1);
        QVERIFY(window->forecastLabel()->text().contains(QStringLiteral("无法预测")));
    }

    // Runs, tallies, book and quotas read back: chapters weakest first, one
    // line per kind, the forecast; a chart saved as a picture by its button.
    void filledAndSaved()
    {
        StatsDesk d;
        const QDate today = QDate::currentDate();
        RunHistoryTable history(d.f.db.db());
        for (int k = 0; k < 3; ++k) {
            RunHistoryRow row;
            row.date = today.addDays(-k).toString(Qt::ISODate) + QStringLiteral("T10:00:00");
            row.kind = k == 2 ? 3 : 1;
            row.bankId = d.bank;
            row.percentage = 50 + k * 10;
            history.append(row);
        }
        AnswerTallyTable tally(d.f.db.db());
        const QString day = today.toString(Qt::ISODate);
        for (int k = 0; k < 4; ++k) {
            tally.add(day, d.strongIds.at(k), 1, true);
            tally.add(day, d.weakIds.at(k), 4, k == 0);
        }
        // Older than 30 days: not counted.
        tally.add(today.addDays(-40).toString(Qt::ISODate), d.weakIds.at(0), 4, true);
        WrongBookTable(d.f.db.db()).recordWrong(d.weakIds.at(1), day + QStringLiteral("T10:00:00"));
        QuotaRow quota;
        quota.bankId = d.bank;
        quota.chapterId = d.weak;
        quota.position = 2;
        quota.quota = {0, 0, 0, 2, 0};
        QuotaTable(d.f.db.db()).saveChapter(quota);

        QTest::mouseClick(d.study->statisticsLink(), Qt::LeftButton);
        StatisticsWindow *window = d.study->statisticsWindow();
        QVERIFY(!window->emptyLabel()->isVisible());
        QCOMPARE(window->percentChart()->chart()->series().size(), 3); // two kinds, pass line

        const StudyStatistics::Data data =
            StudyStatistics::read(d.f.db.db(), QStringLiteral("第一章"), today, 60);
        QCOMPARE(data.runs, 3);
        int weekRuns = 0;
        for (const StudyStatistics::Week &week : data.weeks) {
            QCOMPARE(week.monday.dayOfWeek(), 1);
            weekRuns += week.runs;
        }
        QCOMPARE(weekRuns, 3);
        QCOMPARE(data.chapters.size(), 2);
        QCOMPARE(data.chapters.at(0).name, QStringLiteral("第二章"));
        QCOMPARE(data.chapters.at(0).rightShare, 25.0);
        QCOMPARE(data.chapters.at(0).bookCount, 1);
        QCOMPARE(data.chapters.at(1).knownShare, 25.0);
        // Two true/false questions at (1 + 1) / (4 + 2) each.
        QCOMPARE(data.forecast.questions, 2);
        QCOMPARE(data.forecast.basis, 4);
        QVERIFY(qAbs(data.forecast.passChance - 1.0 / 9) < 1e-12);

        const QString path = QDir::temp().filePath(QStringLiteral("drillbay-chart-test"));
        QFile::remove(path + QStringLiteral(".png"));
        d.dialogs.answers = {path};
        QTest::mouseClick(window->saveButton(2), Qt::LeftButton);
        QVERIFY(QFileInfo(path + QStringLiteral(".png")).size() > 0);
        QCOMPARE(d.f.notifier.notices.last(),
                 StatisticsWindow::savedNotice(path + QStringLiteral(".png")));
        d.dialogs.answers = {QStringLiteral("/no/such/folder/x.png")};
        QTest::mouseClick(window->saveButton(0), Qt::LeftButton);
        QCOMPARE(d.f.notifier.notices.last(),
                 StatisticsWindow::notSavedNotice(QStringLiteral("/no/such/folder/x.png")));
        QFile::remove(path + QStringLiteral(".png"));
    }
};

DRILLBAY_TEST(StatisticsTest)
#include "StatisticsTest.moc"
