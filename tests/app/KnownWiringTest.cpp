#include "TestDatabase.h"
#include "TestRegistry.h"
#include "app/ui/MainWindow.h"
#include "app/ui/Windows.h"
#include "exam/ui/ChapterPage.h"
#include "exam/ui/PracticeDesk.h"
#include "practice/ui/KnownViewerWindow.h"
#include "practice/ui/SingleChoicePage.h"
#include "widgets/LinkLabel.h"

#include <QLabel>
#include <QPushButton>
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
        const QStringList options = {QStringLiteral("甲"), QStringLiteral("乙"),
                                     QStringLiteral("丙"), QStringLiteral("丁")};
        db.addQuestion(chapter, 1, QStringLiteral("单选一"), options, QStringLiteral("1"));
        db.addQuestion(chapter, 1, QStringLiteral("单选二"), options, QStringLiteral("2"));
        db.addQuestion(chapter, 1, QStringLiteral("会做"), options, QStringLiteral("3"), 2, false);
        Windows windows(db.db(), db.db());
        PracticeDesk *desk = windows.desk();
        auto *viewer = qobject_cast<KnownViewerWindow *>(windows.knownViewer());
        QVERIFY(viewer);
        QVERIFY(!viewer->isVisible());

        QVERIFY(desk->session().chooseChapter(QStringLiteral("第一章")));
        desk->session().startSequential(0);
        desk->chapterPage()->extractButton()->click();
        QTest::mouseClick(desk->knownViewCommand(), Qt::LeftButton);
        QVERIFY(viewer->isVisible());
        QCOMPARE(viewer->countLabel()->text(), QStringLiteral("会做的试题数:1"));
        QTest::mouseClick(desk->knownViewCommand(), Qt::LeftButton);
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
};

DRILLBAY_TEST(KnownWiringTest)
#include "KnownWiringTest.moc"
