#include "ExamTestQuestions.h"
#include "TestDatabase.h"
#include "TestRegistry.h"
#include "app/ui/MainWindow.h"
#include "app/ui/Windows.h"
#include "exam/ui/ChapterPage.h"
#include "exam/ui/KnownBar.h"
#include "exam/ui/RunDesk.h"
#include "practice/ui/KnownViewerWindow.h"
#include "practice/ui/SingleChoicePage.h"
#include "store/Sql.h"
#include "widgets/LinkLabel.h"

#include <QLabel>
#include <QPushButton>
#include <QTableView>
#include <QTest>

// The viewer of known questions as the program wires it: opened by
// "【查看】", once, and closing it drops a pending automatic move.
class KnownWiringTest : public QObject
{
    Q_OBJECT

private slots:
    void viewerOpensAndClosingStopsTheMove()
    {
        TestDatabase db;
        const qint64 chapter =
            db.addChapter(db.addBank(QStringLiteral("变电安规")), QStringLiteral("第一章"));
        const QStringList options = sampleOptions();
        db.addQuestion(chapter, 1, QStringLiteral("单选一"), options, QStringLiteral("1"));
        db.addQuestion(chapter, 1, QStringLiteral("单选二"), options, QStringLiteral("2"));
        db.addQuestion(chapter, 1, QStringLiteral("会做"), options, QStringLiteral("3"), 2, false);
        Windows windows(db.db(), db.db());
        RunDesk *desk = windows.runDesk();
        KnownBar *known = windows.knownBar();
        auto *viewer = qobject_cast<KnownViewerWindow *>(windows.knownViewer());
        QVERIFY(viewer);
        QVERIFY(!viewer->isVisible());

        QVERIFY(desk->session().chooseChapter(QStringLiteral("第一章")));
        desk->session().startSequential(0);
        desk->chapterPage()->extractButton()->click();
        QTest::mouseClick(known->viewCommand(), Qt::LeftButton);
        QVERIFY(viewer->isVisible());
        QCOMPARE(viewer->countLabel()->text(), QStringLiteral("会做的试题数:1  【第一章】"));
        QTest::mouseClick(known->viewCommand(), Qt::LeftButton);
        // Asked again while up: the same window, filled anew.
        QCOMPARE(windows.knownViewer(), viewer);
        QVERIFY(viewer->isVisible());

        // A right answer starts the automatic move; closing the viewer drops it.
        desk->singleChoicePage()->choiceButtons().at(0)->click();
        QVERIFY(desk->run().advanceRunning());
        viewer->close();
        QVERIFY(!viewer->isVisible());
        QVERIFY(!desk->run().advanceRunning());
        QCOMPARE(desk->run().current(), 1);
    }

    // The viewer stays up while the main window moves to another chapter: its
    // restore still acts on the chapter it lists, its count label names that
    // chapter, and the main window's figure stays that of its own chapter.
    void viewerKeepsToTheChapterItLists_data()
    {
        QTest::addColumn<QString>("mainChapter"); // chosen after the viewer opened
        QTest::addColumn<bool>("all");            // "全部恢复", else "恢复此题" of row 1
        QTest::addColumn<int>("firstKnown");      // left known in 第一章
        QTest::addColumn<QString>("figure");
        QTest::newRow("全部恢复, same chapter") << "第一章" << true << 0 << "0:3";
        QTest::newRow("全部恢复, main window moved on") << "第二章" << true << 0 << "2:3";
        QTest::newRow("恢复此题, main window moved on") << "第二章" << false << 1 << "2:3";
    }
    void viewerKeepsToTheChapterItLists()
    {
        QFETCH(QString, mainChapter);
        QFETCH(bool, all);
        QFETCH(int, firstKnown);
        QFETCH(QString, figure);
        TestDatabase db;
        const qint64 bank = db.addBank(QStringLiteral("变电安规"));
        const qint64 first = db.addChapter(bank, QStringLiteral("第一章"));
        const qint64 second = db.addChapter(bank, QStringLiteral("第二章"));
        const QStringList options = sampleOptions();
        db.addQuestion(first, 1, QStringLiteral("一"), options, QStringLiteral("1"));
        db.addQuestion(first, 1, QStringLiteral("二"), options, QStringLiteral("1"), 2, false);
        db.addQuestion(first, 1, QStringLiteral("三"), options, QStringLiteral("1"), 2, false);
        db.addQuestion(second, 1, QStringLiteral("四"), options, QStringLiteral("1"));
        db.addQuestion(second, 1, QStringLiteral("五"), options, QStringLiteral("1"), 2, false);
        db.addQuestion(second, 1, QStringLiteral("六"), options, QStringLiteral("1"), 2, false);
        const auto known = [&db](qint64 chapter) {
            return sql::scalar(
                db.db(),
                QStringLiteral("select count(*) from 考试训练题库 where 试卷分类 = ? "
                               "and 题目选择 = 0"),
                {chapter});
        };
        Windows windows(db.db(), db.db());
        RunDesk *desk = windows.runDesk();
        KnownBar *bar = windows.knownBar();
        auto *viewer = qobject_cast<KnownViewerWindow *>(windows.knownViewer());
        QVERIFY(desk->session().chooseChapter(QStringLiteral("第一章")));
        QTest::mouseClick(bar->viewCommand(), Qt::LeftButton);
        QVERIFY(QTest::qWaitForWindowExposed(viewer));
        QVERIFY(desk->session().chooseChapter(mainChapter));

        if (!all) {
            QTableView *grid = viewer->grid();
            QTest::mouseClick(grid->viewport(), Qt::LeftButton, {},
                              grid->visualRect(grid->model()->index(0, 2)).center());
        }
        QTest::mouseClick(all ? viewer->restoreAllButton() : viewer->restoreOneButton(),
                          Qt::LeftButton);
        QCOMPARE(known(first), firstKnown);
        QCOMPARE(known(second), 2);
        QCOMPARE(viewer->countLabel()->text(),
                 QStringLiteral("会做的试题数:%1  【第一章】").arg(firstKnown));
        QCOMPARE(viewer->grid()->model()->rowCount(), std::max(firstKnown, 1));
        QCOMPARE(bar->figureLabel()->text(), figure);
    }
};

DRILLBAY_TEST(KnownWiringTest)
#include "KnownWiringTest.moc"
