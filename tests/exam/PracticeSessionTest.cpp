#include "ExamTestQuestions.h"
#include "RecordingNotifier.h"
#include "TestDatabase.h"
#include "TestRegistry.h"

#include "exam/Countdown.h"
#include "exam/PracticeSession.h"
#include "exam/ReviewPresenter.h"
#include "practice/PracticeRun.h"
#include "practice/SequentialPractice.h"
#include "settings/SettingsForm.h"
#include "store/Sql.h"

#include <QSignalSpy>
#include <QTest>
#include <functional>
#include <memory>

namespace {

class RecordingPresenter : public ReviewPresenter
{
public:
    void present(const ReviewBuilder::Review &review, int setIndex) override
    {
        shown << review;
        setIndexes << setIndex;
        if (whileOpen)
            whileOpen();
    }
    QList<ReviewBuilder::Review> shown;
    QList<int> setIndexes;
    std::function<void()> whileOpen;
};

// A recorder that also runs a step of the test while a notice is open (the
// notice box is modal: the countdown's timer goes on meanwhile).
struct HookedNotifier : RecordingNotifier
{
    void inform(const QString &text) override
    {
        RecordingNotifier::inform(text);
        if (whileOpen)
            whileOpen();
    }
    std::function<void()> whileOpen;
};

const QString kChapter = QStringLiteral("第一章 倒闸操作");
const QDateTime kGradedAt(QDate(2026, 12, 9), QTime(14, 3, 27));

// Everything the main window owns around a run, over one test database.
struct Desk
{
    explicit Desk(const Settings &settings = Settings())
        : bank(db.addBank(QStringLiteral("变电"))), chapter(db.addChapter(bank, kChapter)),
          form(settings), run(settings, notifier), sequential(db.db(), run, notifier),
          session(db.db(), run, sequential, countdown, form, notifier, presenter)
    {
        session.setClock([] { return kGradedAt; });
    }

    TestDatabase db;
    int bank;
    int chapter;
    HookedNotifier notifier;
    RecordingPresenter presenter;
    SettingsForm form;
    PracticeRun run;
    Countdown countdown;
    SequentialPractice sequential;
    PracticeSession session;

    void addSingles(int count, bool toPractise = true)
    {
        for (int i = 0; i < count; ++i)
            db.addQuestion(chapter, 1, QStringLiteral("题%1").arg(i), sampleOptions(),
                           QStringLiteral("2"), 2, toPractise);
    }
    int logRows() const
    {
        return static_cast<int>(sql::scalar(db.db(), QStringLiteral("select count(*) from log")));
    }
};

} // namespace

class PracticeSessionTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void gradingWithoutRunOnlyNotifies()
    {
        Desk desk;
        desk.addSingles(3);
        QVERIFY(desk.session.chooseChapter(kChapter));
        desk.session.grade();
        QCOMPARE(desk.notifier.notices,
                 QStringList{QStringLiteral("[软件提示]：请选择左侧 的【顺序练习】、【随机练习】、"
                                            "【模拟考试】开始练习.")});
        QCOMPARE(desk.session.frame().gradeCaption, QStringLiteral("交卷评阅"));
        QVERIFY(desk.session.frame().gradeEnabled);
        QCOMPARE(desk.session.frame().leftPage, PracticeSession::LeftPage::Commands);
        QCOMPARE(desk.logRows(), 0);
        QVERIFY(desk.presenter.shown.isEmpty());
    }

    void aSetFromExtractionToTheIdleWindow()
    {
        Desk desk;
        desk.addSingles(3);
        desk.db.addQuestion(desk.chapter, 3, QStringLiteral("填空"), {}, QStringLiteral("接地"));
        QVERIFY(desk.session.chooseChapter(kChapter));
        desk.session.startSequential(0);
        QSignalSpy due(&desk.session, &PracticeSession::practicePanelDue);
        desk.session.extract();

        const PracticeSession::Frame &frame = desk.session.frame();
        QVERIFY(desk.run.active());
        QCOMPARE(desk.run.length(), 4);
        QCOMPARE(frame.runStatus, QStringLiteral(" 顺序练习 第[1]套，共有 [4] 道"));
        QVERIFY(!frame.chapterLinkVisible);
        QVERIFY(!frame.practiceBackEnabled);
        QVERIFY(frame.knownCommandVisible);
        QVERIFY(desk.countdown.isRunning());
        QCOMPARE(desk.countdown.remaining(), desk.form.examMinutes() * 60);
        QCOMPARE(due.count(), 1);
        QCOMPARE(due.at(0).at(0).toInt(), 200);

        // Right, wrong (twice: the second wrong click moves on), right.
        desk.run.answerSingle(2);
        for (int i = 0; i < 20; ++i)
            desk.run.tickAdvance();
        QCOMPARE(desk.run.current(), 2);
        desk.run.answerSingle(1);
        desk.run.answerSingle(3);
        for (int i = 0; i < 20; ++i)
            desk.run.tickAdvance();
        QCOMPARE(desk.run.current(), 3);
        desk.run.answerSingle(2);
        // Past the last question: the notice, the score page, the countdown stopped.
        desk.run.next();
        desk.run.next();
        QCOMPARE(desk.notifier.notices,
                 QStringList{QStringLiteral("[软件提示]:请交卷请点击左边的【交卷评阅】按钮.")});
        QCOMPARE(desk.run.display().page, RunDisplay::Page::Score);
        QVERIFY(desk.run.display().bottomHintVisible);
        QVERIFY(!desk.countdown.isRunning());

        desk.session.grade();
        QCOMPARE(desk.presenter.shown.size(), 1);
        QCOMPARE(desk.presenter.shown.at(0).countFigure, QStringLiteral("2/3"));
        QCOMPARE(desk.presenter.shown.at(0).percentFigure, QStringLiteral("67"));

        QSqlQuery log = sql::run(desk.db.db(), QStringLiteral("select info, fen, date from log"));
        QVERIFY(log.next());
        QCOMPARE(log.value(0).toString(),
                 QStringLiteral("[练习模式]-[") + kChapter + QStringLiteral("]第【1】套"));
        QCOMPARE(log.value(1).toInt(), 67);
        QVERIFY(log.value(2).toString().startsWith(QStringLiteral("2026-12-09T14:03:27")));
        log.finish();

        // Back to the idle window.
        QVERIFY(!desk.run.active());
        QVERIFY(!desk.countdown.isRunning());
        QCOMPARE(frame.gradeCaption, QStringLiteral("试卷评阅"));
        QVERIFY(frame.gradeEnabled);
        QVERIFY(frame.chapterLinkVisible);
        QVERIFY(frame.practiceBackEnabled);
        QVERIFY(!frame.knownCommandVisible);
        QCOMPARE(frame.leftPage, PracticeSession::LeftPage::Commands);
        QCOMPARE(desk.run.display().page, RunDisplay::Page::Chapter);
        QVERIFY(desk.run.display().strip.isEmpty());
        QVERIFY(!desk.run.display().bottomHintVisible);

        // Grading again now only gives the notice.
        desk.session.grade();
        QCOMPARE(desk.notifier.notices.last(),
                 QStringLiteral(
                     "[软件提示]：请选择左侧 的【顺序练习】、【随机练习】、【模拟考试】开始练习."));
        QCOMPARE(desk.logRows(), 1);
    }

    void secondSetIsLoggedWithItsNumber()
    {
        Desk desk;
        desk.addSingles(57);
        QVERIFY(desk.session.chooseChapter(kChapter));
        desk.session.startSequential(0);
        desk.session.setClicked(1);
        desk.session.extract();
        QCOMPARE(desk.run.length(), 7);
        QCOMPARE(desk.session.frame().runStatus, QStringLiteral(" 顺序练习 第[2]套，共有 [7] 道"));
        desk.session.grade();
        QCOMPARE(desk.presenter.setIndexes, QList<int>{1});
        QCOMPARE(desk.sequential.division().highlightedSet, 1);
        QCOMPARE(sql::scalar(desk.db.db(), QStringLiteral("select fen from log")), 0);
        QSqlQuery q = sql::run(desk.db.db(), QStringLiteral("select info from log"));
        QVERIFY(q.next());
        QVERIFY(q.value(0).toString().endsWith(QStringLiteral("第【2】套")));
    }

    void countdownZeroGradesOnce()
    {
        Desk desk;
        desk.addSingles(3);
        QVERIFY(desk.session.chooseChapter(kChapter));
        desk.session.startSequential(0);
        desk.form.setExamMinutes(10);
        desk.session.extract();
        // While the review is open, neither the countdown nor the button grades again.
        desk.presenter.whileOpen = [&] {
            for (int i = 0; i < 5; ++i)
                desk.session.countdownTick();
            desk.session.grade();
        };
        for (int i = 0; i < 600; ++i)
            desk.session.countdownTick();
        QCOMPARE(desk.presenter.shown.size(), 1);
        QCOMPARE(desk.logRows(), 1);
        QCOMPARE(desk.session.frame().countdownLabel, QStringLiteral("00:00"));
        QCOMPARE(desk.session.frame().leftPage, PracticeSession::LeftPage::Commands);
        QVERIFY(!desk.run.active());
    }

    // A log that cannot be written (full disk, read-only or locked file)
    // neither hides the review nor wedges grading: one notice says why the
    // record is missing, the run ends, and the next grading works.
    void failedLogWriteStillReviews_data()
    {
        QTest::addColumn<QString>("raised");
        QTest::addColumn<QString>("reason");
        QTest::addColumn<bool>("byCountdown");
        const auto refused = [](const char *raised) {
            return TestDatabase::refusal(QString::fromUtf8(raised));
        };
        QTest::newRow("disk full, handed in")
            << "database or disk is full" << refused("database or disk is full") << false;
        QTest::newRow("disk full, countdown zero")
            << "database or disk is full" << refused("database or disk is full") << true;
        QTest::newRow("read-only") << "attempt to write a readonly database"
                                   << refused("attempt to write a readonly database") << false;
        QTest::newRow("locked, countdown zero")
            << "database is locked" << refused("database is locked") << true;
    }
    void failedLogWriteStillReviews()
    {
        QFETCH(QString, raised);
        QFETCH(QString, reason);
        QFETCH(bool, byCountdown);
        Desk desk;
        desk.addSingles(3);
        QVERIFY(desk.session.chooseChapter(kChapter));
        desk.session.startSequential(0);
        desk.db.refuseWrites(QStringLiteral("insert"), QStringLiteral("log"), raised);
        desk.form.setExamMinutes(10);
        desk.session.extract();
        QVERIFY(desk.run.active());
        if (byCountdown) {
            for (int i = 0; i < 600; ++i)
                desk.session.countdownTick();
        } else {
            desk.session.grade();
        }

        QCOMPARE(desk.presenter.shown.size(), 1);
        QCOMPARE(desk.notifier.notices,
                 QStringList{QStringLiteral("[软件提示]：本次练习的做题记录没有保存，原因：") +
                             reason + QStringLiteral("。试卷评阅照常显示。")});
        QCOMPARE(desk.logRows(), 0);
        const PracticeSession::Frame &frame = desk.session.frame();
        QVERIFY(!desk.session.grading());
        QVERIFY(!desk.run.active());
        QCOMPARE(frame.gradeCaption, QStringLiteral("试卷评阅"));
        QVERIFY(frame.gradeEnabled);
        QVERIFY(frame.chapterLinkVisible);
        QVERIFY(frame.practiceBackEnabled);
        QVERIFY(frame.commandsEnabled);
        QCOMPARE(desk.run.display().page, RunDisplay::Page::Chapter);

        // The next run is graded and logged as usual once the log can be written.
        desk.db.acceptWrites();
        desk.session.extract();
        QVERIFY(desk.run.active());
        desk.session.grade();
        QCOMPARE(desk.presenter.shown.size(), 2);
        QCOMPARE(desk.notifier.notices.size(), 1);
        QCOMPARE(desk.logRows(), 1);
        QVERIFY(desk.session.frame().gradeEnabled);
    }

    // The countdown reaching zero while the end-of-run notice is open neither
    // grades the run behind it nor leaves a score page of a finished run.
    void countdownZeroDuringEndOfRunNotice()
    {
        Desk desk;
        desk.addSingles(2);
        QVERIFY(desk.session.chooseChapter(kChapter));
        desk.session.startSequential(0);
        desk.form.setExamMinutes(10);
        desk.session.extract();
        desk.run.next();
        desk.notifier.whileOpen = [&] {
            for (int i = 0; i < 600; ++i)
                desk.session.countdownTick();
        };
        desk.run.next();
        desk.notifier.whileOpen = nullptr;
        QVERIFY(desk.presenter.shown.isEmpty());
        QCOMPARE(desk.logRows(), 0);
        QVERIFY(desk.run.active());
        QVERIFY(!desk.countdown.isRunning());
        QCOMPARE(desk.run.display().page, RunDisplay::Page::Score);
        QVERIFY(desk.run.display().bottomHintVisible);
        QCOMPARE(desk.session.frame().leftPage, PracticeSession::LeftPage::Commands);

        desk.session.grade();
        QCOMPARE(desk.presenter.shown.size(), 1);
        QCOMPARE(desk.logRows(), 1);
        QVERIFY(!desk.run.display().bottomHintVisible);
    }

    // While a set is loaded and not graded the chapter stays: the picker is
    // asked to close, and a chapter chosen anyway is refused.
    void chapterStaysUnderALoadedRun_data()
    {
        QTest::addColumn<int>("nexts");
        QTest::newRow("on a question") << 1;
        QTest::newRow("on the score page") << 8;
    }
    void chapterStaysUnderALoadedRun()
    {
        Desk desk;
        desk.addSingles(57);
        const int other = desk.db.addChapter(desk.bank, QStringLiteral("第六章"));
        desk.db.addQuestion(other, 1, QStringLiteral("题"), {}, QStringLiteral("1"));
        QVERIFY(desk.session.chooseChapter(kChapter));
        desk.session.startSequential(0);
        desk.session.setClicked(1);
        QSignalSpy closePicker(&desk.session, &PracticeSession::pickerCloseRequested);
        QVERIFY(desk.session.chapterChangeAllowed());
        desk.session.extract();
        QCOMPARE(closePicker.count(), 1);
        QVERIFY(!desk.session.chapterChangeAllowed());
        QVERIFY(!desk.session.frame().setChoiceEnabled);
        QFETCH(int, nexts);
        for (int i = 0; i < nexts; ++i)
            desk.run.next();
        desk.notifier.notices.clear();

        QVERIFY(!desk.session.chooseChapter(QStringLiteral("第六章")));
        QCOMPARE(desk.notifier.notices,
                 QStringList{QStringLiteral("[软件提示]：本套试题还没有交卷，不能更换章节。"
                                            "请先点击左边的【交卷评阅】按钮交卷评阅。")});
        QCOMPARE(desk.session.frame().chapter, kChapter);
        QVERIFY(desk.run.active());
        QCOMPARE(desk.run.length(), 7);
        QCOMPARE(desk.sequential.division().setIndex, 1);

        desk.session.grade();
        QSqlQuery log = sql::run(desk.db.db(), QStringLiteral("select info from log"));
        QVERIFY(log.next());
        QCOMPARE(log.value(0).toString(),
                 QStringLiteral("[练习模式]-[") + kChapter + QStringLiteral("]第【2】套"));
        log.finish();
        QVERIFY(desk.session.chapterChangeAllowed());
        QVERIFY(desk.session.frame().setChoiceEnabled);
        QVERIFY(desk.session.chooseChapter(QStringLiteral("第六章")));
    }

    // "查看我的做题记录" on the score page shows the chapter page while the run
    // is still loaded: the set list and "提取试题" leave the run alone there.
    void scorePageLogLinkKeepsTheRun()
    {
        Desk desk;
        desk.addSingles(57);
        QVERIFY(desk.session.chooseChapter(kChapter));
        desk.session.startSequential(0);
        desk.session.setClicked(1);
        desk.session.extract();
        desk.run.question(1).userAnswer = QStringLiteral("2");
        for (int i = 0; i < 8; ++i)
            desk.run.next();
        desk.session.trimLog();
        QCOMPARE(desk.run.display().page, RunDisplay::Page::Chapter);
        desk.notifier.notices.clear();

        desk.session.setClicked(0);
        desk.session.extract();
        QCOMPARE(desk.notifier.notices, QStringList{SequentialPractice::kHandInFirstNotice});
        QVERIFY(desk.run.active());
        QCOMPARE(desk.run.length(), 7);
        QCOMPARE(desk.run.question(1).userAnswer, QStringLiteral("2"));
        QCOMPARE(desk.logRows(), 0);

        desk.session.grade();
        QCOMPARE(desk.presenter.setIndexes, QList<int>{1});
        QCOMPARE(desk.presenter.shown.at(0).countFigure, QStringLiteral("1/7"));
        QSqlQuery log = sql::run(desk.db.db(), QStringLiteral("select info from log"));
        QVERIFY(log.next());
        QVERIFY(log.value(0).toString().endsWith(QStringLiteral("第【2】套")));
    }

    // A run without objective questions is logged as one without a score.
    void runWithoutObjectivesIsLoggedWithoutScore()
    {
        Desk desk;
        desk.db.addQuestion(desk.chapter, 3, QStringLiteral("填空"), {}, QStringLiteral("接地"));
        desk.db.addQuestion(desk.chapter, 5, QStringLiteral("论述"), {}, QStringLiteral("要点"));
        QVERIFY(desk.session.chooseChapter(kChapter));
        desk.session.startSequential(0);
        desk.session.extract();
        desk.session.grade();
        QCOMPARE(desk.presenter.shown.at(0).percentFigure, QString());
        QSqlQuery log = sql::run(desk.db.db(), QStringLiteral("select info, fen from log"));
        QVERIFY(log.next());
        QCOMPARE(log.value(0).toString(), QStringLiteral("[练习模式]-[") + kChapter +
                                              QStringLiteral("]第【1】套[无客观题]"));
        QCOMPARE(log.value(1).toInt(), 0);
        log.finish();
        desk.session.listLog();
        QCOMPARE(desk.session.frame().logLines.at(1).spans.at(1).text, QStringLiteral("  得分:--"));
    }

    void startingAgainGradesTheActiveRun()
    {
        Desk desk;
        desk.addSingles(3);
        QVERIFY(desk.session.chooseChapter(kChapter));
        desk.session.startSequential(0);
        desk.session.extract();
        desk.session.startSequential(0);
        QCOMPARE(desk.presenter.shown.size(), 1);
        QVERIFY(!desk.run.active());
        QCOMPARE(desk.logRows(), 1);
    }

    // A run from another source replaces a loaded one without grading it; an
    // empty source loads nothing and leaves the loaded run alone.
    void startedRunReplacesTheLoadedOneUngraded()
    {
        Desk desk;
        desk.addSingles(3);
        QVERIFY(desk.session.chooseChapter(kChapter));
        desk.session.startSequential(0);
        desk.session.extract();
        QCOMPARE(desk.run.length(), 3);

        PracticeSession::RunStart start;
        start.statusText = QStringLiteral("随机练习状态 [2]道");
        start.countdownMinutes = 7;
        start.switchPanelAfterMs = 500;
        QVERIFY(!desk.session.startRun(start));
        QCOMPARE(desk.run.length(), 3);

        start.content.mode = RunMode::RandomPractice;
        for (int k = 1; k <= 2; ++k)
            start.content.questions << desk.run.question(k);
        QSignalSpy due(&desk.session, &PracticeSession::practicePanelDue);
        QVERIFY(desk.session.startRun(start));
        QVERIFY(desk.presenter.shown.isEmpty());
        QCOMPARE(desk.logRows(), 0);
        QVERIFY(desk.run.active());
        QCOMPARE(desk.run.length(), 2);
        QCOMPARE(desk.run.mode(), RunMode::RandomPractice);
        QCOMPARE(desk.run.current(), 1);
        QCOMPARE(desk.countdown.remaining(), 7 * 60);
        QCOMPARE(desk.session.frame().runStatus, start.statusText);
        QVERIFY(!desk.session.frame().practiceBackEnabled);
        QCOMPARE(due.at(0).at(0).toInt(), 500);

        desk.session.grade();
        QCOMPARE(desk.presenter.shown.size(), 1);
        QCOMPARE(desk.logRows(), 1);
        QVERIFY(desk.session.frame().practiceBackEnabled);
    }

    void chapterWithNothingToPractiseReopensPicker()
    {
        Desk desk;
        desk.addSingles(2, false);
        QSignalSpy picker(&desk.session, &PracticeSession::pickerRequested);
        QVERIFY(!desk.session.chooseChapter(kChapter));
        QCOMPARE(picker.count(), 1);
        QCOMPARE(desk.notifier.notices.size(), 1);
        QVERIFY(desk.notifier.notices.at(0).contains(kChapter));
    }

    void setEmptiedAfterDivisionLoadsNothing()
    {
        Desk desk;
        desk.addSingles(3);
        QVERIFY(desk.session.chooseChapter(kChapter));
        desk.session.startSequential(0);
        desk.db.exec(QStringLiteral("update 考试训练题库 set 题目选择=0"));
        desk.session.extract();
        QVERIFY(!desk.run.active());
        QVERIFY(!desk.countdown.isRunning());
        QVERIFY(desk.session.frame().chapterLinkVisible);
        QCOMPARE(desk.session.frame().runStatus, QStringLiteral("练习状态"));
        QCOMPARE(desk.notifier.notices.size(), 1);
    }
};

DRILLBAY_TEST(PracticeSessionTest)
#include "PracticeSessionTest.moc"
