#include "DeskFixture.h"
#include "ExamTestQuestions.h"
#include "TestRegistry.h"
#include "app/ui/MainWindow.h"
#include "base/Clock.h"
#include "base/Selection.h"
#include "exam/ui/KnownBar.h"
#include "exam/ui/PaperBrowseWindow.h"
#include "exam/ui/PaperViewDesk.h"
#include "exam/ui/RandomPracticeDesk.h"
#include "exam/ui/RunDesk.h"
#include "exam/ui/ScorePage.h"
#include "practice/ui/QuestionStrip.h"
#include "practice/ui/SingleChoicePage.h"
#include "settings/ui/SettingsDesk.h"
#include "widgets/OutputView.h"

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QPushButton>
#include <QStackedWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QToolButton>

namespace {

template <class Widget> Widget *child(const QWidget &window, const QString &name)
{
    auto *found = window.findChild<Widget *>(name);
    if (!found)
        qFatal("no control named %s", qPrintable(name));
    return found;
}

// The main window with its practice desk, random practice and paper view
// over a chapter of three single-choice questions (answers 1, 2, 3).
struct Windows : DeskFixture
{
    Windows()
        : randomPractice(main, services, desk, settings.form()), paperView(main, services, desk),
          browse(*paperView.window())
    {
        const qint64 chapter =
            db.addChapter(db.addBank(QStringLiteral("变电安规")), QStringLiteral("第一章"));
        const QStringList options = sampleOptions();
        for (int i = 1; i <= 3; ++i)
            db.addQuestion(chapter, 1, QStringLiteral("单选%1").arg(i), options,
                           QString::number(i));
        main.show();
        desk.chooseChapter(QStringLiteral("第一章"));
        notifier.notices.clear();
    }

    RandomPracticeDesk randomPractice;
    PaperViewDesk paperView;
    PaperBrowseWindow &browse;
};

} // namespace

class PracticeExtrasDeskTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    // "本章随机练习" through the windows: its hint, the run on the answer
    // pages, the status, the practice page without its way back.
    void randomRunThroughTheWindows()
    {
        Windows w;
        QVERIFY(QTest::qWaitForWindowExposed(&w.main));
        QPushButton *bank = child<QPushButton>(w.main, RandomPracticeDeskNames::bankCommand);
        QPushButton *chapter = child<QPushButton>(w.main, RandomPracticeDeskNames::chapterCommand);
        QCOMPARE(bank->text(), QStringLiteral("本类随机练习"));
        QCOMPARE(chapter->text(), QStringLiteral("本章随机练习"));
        QCOMPARE(chapter->toolTip(),
                 QStringLiteral("系统提示：试题不分割，随机抽取系统设定数的随机试题。"));
        chapter->click();
        QCOMPARE(w.notifier.notices.size(), 3);
        QCOMPARE(w.notifier.notices.at(2),
                 QStringLiteral("软件提示：已经随机抽取试题 [3]道,点击 [确定] 按钮开始..."));
        QVERIFY(w.main.isShown(w.desk.pageHandle(RunDisplay::Page::SingleChoice)));
        QCOMPARE(child<QLabel>(w.main, QStringLiteral("LabelRunStatus"))->text(),
                 QStringLiteral("随机练习状态 [3]道"));
        QCOMPARE(w.desk.questionStrip()->count(), 3);
        QTRY_COMPARE(child<QStackedWidget>(w.main, QStringLiteral("LeftPanel"))->currentWidget(),
                     child<QWidget>(w.main, QStringLiteral("PracticePage")));
        QVERIFY(!child<QToolButton>(w.main, QStringLiteral("ImageBackToCommands"))->isEnabled());
        QVERIFY(w.desk.countdownTimer()->isActive());
        QVERIFY(!bank->isEnabled()); // the command page is off while the run is loaded
    }

    // "边做边查阅试卷" opens "试卷浏览" modally with the answers given; without
    // a run it only tells the user.
    void browsesTheRun()
    {
        Windows w;
        QToolButton *browse = child<QToolButton>(w.main, PaperViewDeskNames::browseCommand);
        QCOMPARE(browse->text(), QStringLiteral("边做边查阅试卷"));
        browse->click();
        QCOMPARE(w.notifier.notices, QStringList{QStringLiteral(
                                         "[软件提示]：请点击选择左侧的【顺序练习】、【随机练习】、"
                                         "【模拟考试】按钮开始练习.")});
        QVERIFY(!w.browse.isVisible());

        child<QPushButton>(w.main, RandomPracticeDeskNames::chapterCommand)->click();
        w.desk.run().answerSingle(4);
        QString name;
        QString text;
        QTimer::singleShot(50, [&] {
            QWidget *modal = QApplication::activeModalWidget();
            if (modal) {
                name = modal->objectName();
                text = w.browse.view()->plainText();
                modal->close();
            }
        });
        browse->click();
        QCOMPARE(name, QString(PaperBrowseWindowNames::window));
        QCOMPARE(w.browse.windowTitle(), QStringLiteral("试卷浏览"));
        QVERIFY(text.contains(QStringLiteral("试卷名：[第一章]")));
        QVERIFY(text.contains(QStringLiteral("您选择: D")));
        QVERIFY(text.contains(QStringLiteral("未答")));
        QVERIFY(!text.contains(QStringLiteral("正确答案")));

        // Its copy command and notice.
        w.notifier.notices.clear();
        const QList<QAction *> entries = w.browse.findChildren<QAction *>();
        QCOMPARE(entries.size(), 1);
        QCOMPARE(entries.at(0)->text(), QStringLiteral("复制到剪切板..."));
        entries.at(0)->trigger();
        QVERIFY(w.clipboard.text.contains(QStringLiteral("您选择: D")));
        QCOMPARE(w.notifier.notices,
                 QStringList{QStringLiteral("[软件提示]：本页数据已经复制到剪切板，你可以将其粘贴到"
                                            "文本文件中留后查看。")});
    }

    // "本套错题重练" on the score page is enabled and shrinks the run.
    void redoFromTheScorePage()
    {
        Windows w;
        child<QPushButton>(w.main, RandomPracticeDeskNames::chapterCommand)->click();
        PracticeRun &run = w.desk.run();
        run.answerSingle(1); // right
        run.next();
        run.next(); // the second and third stay unanswered
        run.next();
        QVERIFY(w.main.isShown(w.desk.pageHandle(RunDisplay::Page::Score)));
        QPushButton *redo = w.desk.scorePage()->redoButton();
        QVERIFY(redo->isEnabled());
        QCOMPARE(redo->objectName(), QString(ScorePageNames::redoButton));
        w.notifier.notices.clear();
        redo->click();
        QCOMPARE(run.length(), 2);
        QCOMPARE(w.desk.questionStrip()->count(), 2);
        QVERIFY(w.main.isShown(w.desk.pageHandle(RunDisplay::Page::SingleChoice)));
        QCOMPARE(child<QLabel>(w.main, QStringLiteral("LabelRunStatus"))->text(),
                 QStringLiteral("错题重练状态，共[2]道"));
        QCOMPARE(w.notifier.notices,
                 QStringList{
                     QStringLiteral("[软件提示]：本套试题原调入试题 [3] 道  需重新练习 [2] 道.")});
    }

    // The answer pages' menu entry saves the question on screen.
    void savesTheQuestionOnScreen()
    {
        QTemporaryDir dir;
        const QString previous = QDir::currentPath();
        QDir::setCurrent(dir.path());
        {
            Windows w;
            QAction *save = w.desk.saveQuestionAction();
            QCOMPARE(save->text(), QStringLiteral("将该题及答案存放到当前路径磁盘（文本文件）..."));
            QCOMPARE(save->objectName(), RunDeskNames::saveQuestionAction);
            QVERIFY(w.desk.singleChoicePage()->actions().contains(save));
            save->trigger();
            QCOMPARE(w.notifier.notices.size(), 1);
            child<QPushButton>(w.main, RandomPracticeDeskNames::chapterCommand)->click();
            w.desk.run().next();
            save->trigger();
        }
        QDir::setCurrent(previous);
        QFile file(dir.filePath(QStringLiteral("NO0002.txt")));
        QVERIFY(file.open(QIODevice::ReadOnly));
        QVERIFY(file.readAll().endsWith("\r\n"));
    }
};

DRILLBAY_TEST(PracticeExtrasDeskTest)
#include "PracticeExtrasDeskTest.moc"
