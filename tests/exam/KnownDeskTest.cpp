#include "DeskFixture.h"
#include "ExamTestQuestions.h"
#include "TestRegistry.h"
#include "app/ui/MainWindow.h"
#include "app/ui/MainWindowNames.h"
#include "base/Clock.h"
#include "base/Selection.h"
#include "exam/ui/ChapterPage.h"
#include "exam/ui/KnownBar.h"
#include "exam/ui/ReviewWindow.h"
#include "exam/ui/RunDesk.h"
#include "exam/ui/ScorePage.h"
#include "practice/KnownQuestions.h"
#include "practice/ui/RevealPanel.h"
#include "practice/ui/SingleChoicePage.h"
#include "settings/ui/SettingsDesk.h"
#include "store/Sql.h"
#include "widgets/LinkLabel.h"
#include "widgets/OutputView.h"

#include <QApplication>
#include <QContextMenuEvent>
#include <QDir>
#include <QEnterEvent>
#include <QListWidget>
#include <QMenu>
#include <QPushButton>
#include <QScopeGuard>
#include <QSignalSpy>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

namespace {

const QString kChapter = QStringLiteral("第一章");
const QString kSibling = QStringLiteral("第二章");

// The main window with its practice desk on a bank of two chapters: the
// first with three single choices ("1", "2", "3") and a true/false ("0"),
// the second with two questions, one of them known.
struct Desk : DeskFixture
{
    // extraSingles more single choices ("1") follow in the first chapter.
    explicit Desk(int extraSingles = 0)
    {
        const qint64 bank = db.addBank(QStringLiteral("变电安规"));
        const qint64 chapter = db.addChapter(bank, kChapter);
        const qint64 sibling = db.addChapter(bank, kSibling);
        const QStringList options = sampleOptions();
        for (int i = 1; i <= 3; ++i)
            ids << db.addQuestion(chapter, 1, QStringLiteral("单选%1").arg(i), options,
                                  QString::number(i));
        ids << db.addQuestion(chapter, 4, QStringLiteral("判断"), {}, QStringLiteral("0"));
        for (int i = 1; i <= extraSingles; ++i)
            ids << db.addQuestion(chapter, 1, QStringLiteral("续%1").arg(i), options,
                                  QStringLiteral("1"));
        db.addQuestion(sibling, 1, QStringLiteral("线路一"), options, QStringLiteral("1"));
        siblingKnown = db.addQuestion(sibling, 1, QStringLiteral("线路二"), options,
                                      QStringLiteral("1"), 2, false);
        main.show();
    }
    // The chapter chosen and its one set extracted.
    void startSet()
    {
        desk.chooseChapter(kChapter);
        desk.session().startSequential(0);
        desk.chapterPage()->extractButton()->click();
    }
    bool toPractise(qint64 id) const
    {
        return sql::scalar(db.db(),
                           QStringLiteral("select 题目选择 from 考试训练题库 where id = ?"),
                           {id}) != 0;
    }
    int knownCount() const
    {
        return static_cast<int>(sql::scalar(
            db.db(), QStringLiteral("select count(*) from 考试训练题库 where 题目选择 = 0")));
    }

    QList<qint64> ids;
    qint64 siblingKnown = 0;
};

// Runs `step` once a widget of the kind is up (a modal window, a popup
// menu), from the event loop of whatever opened it.
template <class Widget>
void whenUp(std::function<QWidget *()> active, std::function<void(Widget *)> step, int tries = 100)
{
    QTimer::singleShot(20, [=] {
        if (auto *widget = qobject_cast<Widget *>(active()))
            step(widget);
        else if (tries > 0)
            whenUp<Widget>(active, step, tries - 1);
    });
}

// While the review is up: "试题另存为..." of its text's menu, opened with a
// right-click on the text and chosen with the keys, then "关闭".
void saveAndCloseTheReview()
{
    whenUp<ReviewWindow>(&QApplication::activeModalWidget, [](ReviewWindow *review) {
        whenUp<QMenu>(&QApplication::activePopupWidget, [](QMenu *menu) {
            QTest::keyClick(menu, Qt::Key_Down);
            QTest::keyClick(menu, Qt::Key_Down);
            QCOMPARE(menu->activeAction()->text(), QStringLiteral("试题另存为..."));
            QTest::keyClick(menu, Qt::Key_Return);
        });
        QWidget *text = review->view()->viewport();
        const QPoint at(40, 40);
        QContextMenuEvent rightClick(QContextMenuEvent::Mouse, at, text->mapToGlobal(at));
        QApplication::sendEvent(text, &rightClick);
        review->findChild<QPushButton *>(QStringLiteral("reviewClose"))->click();
    });
}

bool boldUnderlined(const QLabel *label)
{
    return label->font().bold() && label->font().underline();
}

void hover(QWidget *widget, bool in)
{
    if (in) {
        QEnterEvent enter(QPointF(2, 2), QPointF(2, 2), QPointF(2, 2));
        QApplication::sendEvent(widget, &enter);
    } else {
        QEvent leave(QEvent::Leave);
        QApplication::sendEvent(widget, &leave);
    }
}

} // namespace

class KnownDeskTest : public QObject
{
    Q_OBJECT

private slots:
    void bottomBarItems()
    {
        Desk d;
        QVERIFY(QTest::qWaitForWindowExposed(&d.main));
        LinkLabel *view = d.known.viewCommand();
        LinkLabel *mark = d.known.markCommand();
        QCOMPARE(view->objectName(), KnownBarNames::viewCommand);
        QCOMPARE(view->text(), QStringLiteral("【查看】"));
        QCOMPARE(mark->objectName(), KnownBarNames::markCommand);
        QCOMPARE(mark->text(), QStringLiteral("【此题会做不练习】"));
        QCOMPARE(d.known.fillCaption()->text(), QStringLiteral("【会做自动填入答案】"));
        QCOMPARE(view->palette().color(QPalette::WindowText), QColor(0xFF, 0x00, 0xFF));

        // The mark command and its caption only while a run is loaded.
        QVERIFY(view->isVisible());
        QVERIFY(!mark->isVisible());
        QVERIFY(!d.known.fillCaption()->isVisible());
        d.startSet();
        QVERIFY(mark->isVisible());
        QVERIFY(d.known.fillCaption()->isVisible());
        // Left to right: view, mark with the caption under it, figure; none cut short.
        const auto at = [&](QWidget *w) { return w->mapTo(&d.main, QPoint(0, 0)); };
        QVERIFY(at(view).x() < at(mark).x());
        QVERIFY(at(mark).x() < at(d.known.figureLabel()).x());
        QCOMPARE(at(d.known.fillCaption()).x(), at(mark).x());
        QVERIFY(at(d.known.fillCaption()).y() > at(mark).y());
        QLabel *const texts[] = {view, mark, d.known.fillCaption()};
        for (QLabel *label : texts)
            QVERIFY2(label->width() >= label->sizeHint().width(), qPrintable(label->text()));
    }

    // The pointer over either command: the three fuchsia texts bold and
    // underlined; back when it leaves.
    void hoverMarksTheThreeTexts_data()
    {
        QTest::addColumn<bool>("overView");
        QTest::newRow("【查看】") << true;
        QTest::newRow("【此题会做不练习】") << false;
    }
    void hoverMarksTheThreeTexts()
    {
        QFETCH(bool, overView);
        Desk d;
        d.startSet();
        QLabel *texts[] = {d.known.viewCommand(), d.known.markCommand(), d.known.fillCaption()};
        QWidget *target =
            overView ? static_cast<QWidget *>(d.known.viewCommand()) : d.known.markCommand();
        for (QLabel *label : texts)
            QVERIFY(!boldUnderlined(label));
        hover(target, true);
        for (QLabel *label : texts)
            QVERIFY2(boldUnderlined(label), qPrintable(label->text()));
        hover(target, false);
        for (QLabel *label : texts)
            QVERIFY2(!boldUnderlined(label), qPrintable(label->text()));
    }

    void markThroughTheBottomBar()
    {
        Desk d;
        d.startSet();
        PracticeRun &run = d.desk.run();
        QCOMPARE(run.current(), 1);
        // A wrong answer first; marking turns it into the right one.
        QTest::mouseClick(d.desk.singleChoicePage()->choiceButtons().at(3), Qt::LeftButton);
        QTest::mouseClick(d.known.markCommand(), Qt::LeftButton);
        QVERIFY(!d.toPractise(d.ids[0]));
        QCOMPARE(run.question(1).userAnswer, QStringLiteral("1"));
        QCOMPARE(run.current(), 2);
        QCOMPARE(d.known.figureLabel()->text(), QStringLiteral("1:4"));
        QCOMPARE(d.main.findChild<QLabel *>(QStringLiteral("LabelResult"))
                     ->text()
                     .contains(QStringLiteral(">01<")),
                 true);
    }

    // The pointer over "查看答案", then "【此题会做不练习】" before the half
    // second is up: the next question shows no answer it was not given.
    void markingKnownDropsAPendingReveal()
    {
        Desk d;
        QVERIFY(QTest::qWaitForWindowExposed(&d.main));
        d.startSet();
        SingleChoicePage *page = d.desk.singleChoicePage();
        auto *panel = page->findChild<RevealPanel *>();
        QVERIFY(panel && panel->isVisible());
        hover(panel, true);
        hover(panel, false);
        QVERIFY(d.desk.run().revealRunning());
        d.desk.run().tickReveal();
        QTest::mouseClick(d.known.markCommand(), Qt::LeftButton);
        QCOMPARE(d.desk.run().current(), 2);
        for (int i = 0; i < PracticeRun::kRevealStart; ++i)
            d.desk.run().tickReveal();
        QCOMPARE(page->chosenLabel()->text(), QString());
        QCOMPARE(d.desk.run().question(2).userAnswer, QString());
        QVERIFY(!d.desk.run().revealRunning());
    }

    void failedMarkKeepsTheFigure()
    {
        Desk d;
        d.startSet();
        const QString before = d.known.figureLabel()->text();
        d.db.refuseWrites(QStringLiteral("update"), QStringLiteral("考试训练题库"),
                          QStringLiteral("attempt to write a readonly database"));
        QTest::mouseClick(d.known.markCommand(), Qt::LeftButton);
        QCOMPARE(d.notifier.notices.last(),
                 KnownQuestions::notMarkedNotice(TestDatabase::refusal(
                     QStringLiteral("attempt to write a readonly database"))));
        QCOMPARE(d.known.figureLabel()->text(), before);
        QCOMPARE(d.desk.run().current(), 1);
    }

    void viewCommandAsksForTheViewer()
    {
        Desk d;
        QSignalSpy requested(&d.known, &KnownBar::viewerRequested);
        QTest::mouseClick(d.known.viewCommand(), Qt::LeftButton);
        QCOMPARE(requested.count(), 1);
    }

    // The viewer's restore writes the main window's figure.
    void viewerRestoreWritesTheFigure()
    {
        Desk d;
        d.startSet();
        QTest::mouseClick(d.known.markCommand(), Qt::LeftButton);
        QTest::mouseClick(d.known.markCommand(), Qt::LeftButton);
        QCOMPARE(d.known.figureLabel()->text(), QStringLiteral("2:4"));
        d.known.viewer().fill();
        d.known.viewer().restoreAll();
        QCOMPARE(d.known.figureLabel()->text(), QStringLiteral("0:4"));
    }

    // The chapter page's restore link: the whole bank back, its notice, and
    // sequential practice of the chapter loaded anew.
    void restoreLinkPutsBackTheBank()
    {
        Desk d;
        d.db.exec(
            QStringLiteral("update 考试训练题库 set 题目选择 = 0 where id <> %1").arg(d.ids[3]));
        d.desk.chooseChapter(kChapter);
        d.desk.session().startSequential(0);
        QCOMPARE(d.desk.chapterPage()->restoreLink()->text(),
                 QStringLiteral("将试题全部恢复到学习状态"));
        QVERIFY(
            d.desk.chapterPage()->setList()->item(0)->text().endsWith(QStringLiteral("1道试题")));
        QCOMPARE(d.known.figureLabel()->text(), QStringLiteral("5/6"));
        d.notifier.notices.clear();

        QTest::mouseClick(d.desk.chapterPage()->restoreLink(), Qt::LeftButton);
        QCOMPARE(d.notifier.notices,
                 QStringList{QStringLiteral("[软件提示]:本分类试题库全部恢复到学习状态.")});
        QCOMPARE(d.knownCount(), 0);
        QVERIFY(d.toPractise(d.siblingKnown));
        // The division was made anew: four questions to practise in one set.
        QCOMPARE(d.desk.sequential().page().knownFigure, QStringLiteral("0/6"));
        QVERIFY(
            d.desk.chapterPage()->setList()->item(0)->text().endsWith(QStringLiteral("4道试题")));
        QCOMPARE(d.known.figureLabel()->text(), QStringLiteral("0/6"));
    }

    // The restore link takes a click only while it offers the restore: after a
    // load of one type it is empty, and a click on that blank space (through
    // the window, as the pointer does) puts nothing back.
    void restoreLinkOnlyWhereItIsOffered_data()
    {
        QTest::addColumn<int>("typeFilter");
        QTest::addColumn<bool>("offered");
        QTest::addColumn<int>("knownAfter");
        QTest::newRow("all types: the link restores the bank") << 0 << true << 0;
        QTest::newRow("single choice: blank space, nothing restored") << 1 << false << 2;
        QTest::newRow("true/false: blank space, nothing restored") << 4 << false << 2;
    }
    void restoreLinkOnlyWhereItIsOffered()
    {
        QFETCH(int, typeFilter);
        QFETCH(bool, offered);
        QFETCH(int, knownAfter);
        Desk d;
        QVERIFY(QTest::qWaitForWindowExposed(&d.main));
        d.db.exec(
            QStringLiteral("update 考试训练题库 set 题目选择 = 0 where id = %1").arg(d.ids[0]));
        d.desk.chooseChapter(kChapter);
        d.desk.session().startSequential(typeFilter);
        QVERIFY(d.main.isShown(d.desk.pageHandle(RunDisplay::Page::Chapter)));
        d.notifier.notices.clear();

        LinkLabel *link = d.desk.chapterPage()->restoreLink();
        QCOMPARE(link->text().isEmpty(), !offered);
        // The middle of the link's 300 x 20 pixels.
        const QPoint at = link->mapTo(&d.main, QPoint(150, 10));
        QWidget *under = d.main.childAt(at);
        QVERIFY(under);
        const bool hand = under->cursor().shape() == Qt::PointingHandCursor;
        QTest::mouseClick(d.main.windowHandle(), Qt::LeftButton, {}, at);
        QCOMPARE(d.knownCount(), knownAfter);
        QCOMPARE(d.notifier.notices.size(), offered ? 1 : 0);
        // Nor does the pointer turn into a hand over it.
        QCOMPARE(under == link, offered);
        QCOMPARE(hand, offered);
    }

    // A set still loaded when the chapter page's restore link reloads the
    // chapter (reached from the score page through "查看我的做题记录") is
    // graded as the set it is: its log line, its review file.
    void restoreUnderALoadedSetGradesThatSet()
    {
        QTemporaryDir dir;
        const QString previous = QDir::currentPath();
        QDir::setCurrent(dir.path());
        const auto back = qScopeGuard([&] { QDir::setCurrent(previous); });
        Desk d(18); // 22 questions: sets of 10, 10 and 2
        QVERIFY(QTest::qWaitForWindowExposed(&d.main));
        d.settings.form().setSetSize(10);
        d.desk.chooseChapter(kChapter);
        QListWidget *sets = d.desk.chapterPage()->setList();
        QCOMPARE(sets->count(), 3);
        QTest::mouseClick(sets->viewport(), Qt::LeftButton, {},
                          sets->visualItemRect(sets->item(2)).center());
        QTest::mouseClick(d.desk.chapterPage()->extractButton(), Qt::LeftButton);
        QCOMPARE(d.desk.run().length(), 2);
        auto *next = d.main.findChild<QPushButton *>(MainWindowNames::nextButton);
        QTest::mouseClick(next, Qt::LeftButton);
        QTest::mouseClick(next, Qt::LeftButton);
        QVERIFY(d.main.isShown(d.desk.pageHandle(RunDisplay::Page::Score)));
        QTest::mouseClick(d.desk.scorePage()->findChild<LinkLabel *>(ScorePageNames::logLink),
                          Qt::LeftButton);
        QVERIFY(d.main.isShown(d.desk.pageHandle(RunDisplay::Page::Chapter)));
        QVERIFY(d.desk.run().active());

        saveAndCloseTheReview();
        LinkLabel *restore = d.desk.chapterPage()->restoreLink();
        QTest::mouseClick(d.main.windowHandle(), Qt::LeftButton, {},
                          restore->mapTo(&d.main, QPoint(20, 10)));
        QVERIFY(!d.desk.run().active());
        QSqlQuery log(d.db.db());
        QVERIFY(log.exec(QStringLiteral("select info from log")));
        QStringList lines;
        while (log.next())
            lines << log.value(0).toString();
        QCOMPARE(lines, QStringList{QStringLiteral("[练习模式]-[第一章]第【3】套")});
        QCOMPARE(QDir(dir.path()).entryList(QDir::Files), QStringList{"NO02.txt"});
    }

    void failedRestoreLinkDoesNotReload()
    {
        Desk d;
        d.desk.chooseChapter(kChapter);
        d.desk.session().startSequential(0);
        const QString figure = d.known.figureLabel()->text();
        d.db.refuseWrites(QStringLiteral("update"), QStringLiteral("考试训练题库"),
                          QStringLiteral("database is locked"));
        d.notifier.notices.clear();
        QTest::mouseClick(d.desk.chapterPage()->restoreLink(), Qt::LeftButton);
        QCOMPARE(d.notifier.notices,
                 QStringList{KnownQuestions::notRestoredNotice(
                     TestDatabase::refusal(QStringLiteral("database is locked")))});
        QCOMPARE(d.known.figureLabel()->text(), figure);
        QCOMPARE(d.knownCount(), 1);
    }

    // Closing the viewer drops a pending automatic move.
    void cancelAutomaticMove()
    {
        Desk d;
        d.startSet();
        QTest::mouseClick(d.desk.singleChoicePage()->choiceButtons().at(0), Qt::LeftButton);
        QVERIFY(d.desk.run().advanceRunning());
        QVERIFY(d.desk.advanceTimer()->isActive());
        d.desk.run().cancelAutomaticMove();
        QVERIFY(!d.desk.run().advanceRunning());
        QVERIFY(!d.desk.advanceTimer()->isActive());
        QCOMPARE(d.desk.run().current(), 1);
    }
};

DRILLBAY_TEST(KnownDeskTest)
#include "KnownDeskTest.moc"
