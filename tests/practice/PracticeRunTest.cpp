#include "RecordingNotifier.h"
#include "TestRegistry.h"

#include "practice/PracticeRun.h"
#include "practice/ui/QuestionStrip.h"
#include "question/Grading.h"
#include "question/QuestionType.h"

#include <QSignalSpy>
#include <QTest>
#include <functional>
#include <memory>

namespace {

// The value of a column of the current data row, usable inside an expression.
template <typename T> T fetched(const char *name)
{
    return *static_cast<T *>(QTest::qData(name, qMetaTypeId<T>()));
}

// A run question of the given type; choice questions get options A … D.
RunQuestion makeQuestion(int id, int type, const QString &correct, const QString &user = {})
{
    RunQuestion q;
    q.questionId = id;
    q.typeCode = type;
    q.stem = QStringLiteral("题%1").arg(id);
    if (question::fromCode(type) == QuestionType::SingleChoice ||
        question::fromCode(type) == QuestionType::MultipleChoice) {
        q.optionA = QStringLiteral("甲");
        q.optionB = QStringLiteral("乙");
        q.optionC = QStringLiteral("丙");
        q.optionD = QStringLiteral("丁");
    }
    q.correctAnswer = correct;
    q.userAnswer = user;
    q.points = 2;
    return q;
}

// One question per character of types ("1" … "5"), all single choice "2" when
// not otherwise given.
QVector<RunQuestion> makeRun(const QString &types, const QStringList &answers = {})
{
    QVector<RunQuestion> run;
    for (int i = 0; i < types.size(); ++i) {
        const int type = types.at(i).digitValue();
        QString correct = i < answers.size() ? answers.at(i) : QString();
        if (correct.isEmpty())
            correct = question::fromCode(type) == QuestionType::TrueFalse ? QStringLiteral("1")
                                                                          : QStringLiteral("2");
        run << makeQuestion(i + 1, type, correct);
    }
    return run;
}

// A recorder that also runs a step of the test while a notice is open (the
// notice box is modal: timers and other windows go on meanwhile).
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

struct Fixture
{
    explicit Fixture(Settings s = Settings()) : run(s, notifier) {}
    HookedNotifier notifier;
    PracticeRun run;

    void ticks(int count)
    {
        for (int i = 0; i < count; ++i)
            run.tickAdvance();
    }
    void revealTicks(int count)
    {
        for (int i = 0; i < count; ++i)
            run.tickReveal();
    }
};

} // namespace

class PracticeRunTest : public QObject
{
    Q_OBJECT

private slots:
    void moves_data()
    {
        QTest::addColumn<QString>("actions");
        QTest::addColumn<int>("current");
        QTest::addColumn<int>("page");
        QTest::addColumn<QString>("percent");
        QTest::addColumn<int>("notices");
        QTest::addColumn<int>("progress");

        const int single = int(RunDisplay::Page::SingleChoice);
        const int score = int(RunDisplay::Page::Score);
        QTest::newRow("first question") << "" << 1 << single << "14%" << 0 << 0;
        QTest::newRow("prior on 1 keeps 1") << "p" << 1 << single << "14%" << 0 << 0;
        QTest::newRow("next to the last") << "nnnnnn" << 7 << single << "100%" << 0 << 7;
        QTest::newRow("past the last") << "nnnnnnn" << 8 << score << "100%" << 1 << 7;
        QTest::newRow("past twice repeats") << "nnnnnnnn" << 8 << score << "100%" << 2 << 7;
        QTest::newRow("prior from past") << "nnnnnnnp" << 7 << single << "100%" << 1 << 7;
        QTest::newRow("back and forth") << "nnnp" << 3 << single << "43%" << 0 << 3;
        QTest::newRow("strip 5") << "5" << 5 << single << "71%" << 0 << 5;
        QTest::newRow("strip 1 after 5") << "51" << 1 << single << "14%" << 0 << 1;
        QTest::newRow("strip outside run") << "9" << 1 << single << "14%" << 0 << 0;
    }
    void moves()
    {
        QFETCH(QString, actions);
        Fixture f;
        f.run.load(makeRun(QStringLiteral("1111111")), RunMode::SequentialSet, false);
        for (QChar a : actions) {
            if (a == QLatin1Char('n'))
                f.run.next();
            else if (a == QLatin1Char('p'))
                f.run.prior();
            else
                f.run.stripClick(a.digitValue());
        }
        QCOMPARE(f.run.current(), fetched<int>("current"));
        QCOMPARE(int(f.run.display().page), fetched<int>("page"));
        QCOMPARE(f.run.display().percentText, fetched<QString>("percent"));
        QCOMPARE(f.notifier.notices.size(), fetched<int>("notices"));
        QCOMPARE(f.run.display().progressValue, fetched<int>("progress"));
        if (f.run.display().progressValue > 0)
            QCOMPARE(f.run.display().progressMaximum, 7);
    }

    // However often Next goes past the end, Prior comes back to question N,
    // never to a slot beyond the run (which may hold an older, longer run).
    void priorAfterRunningPastTheEnd_data()
    {
        QTest::addColumn<int>("n");
        QTest::addColumn<int>("nexts");
        QTest::newRow("3 questions, 4 nexts") << 3 << 4;
        QTest::newRow("3 questions, 10 nexts") << 3 << 10;
        QTest::newRow("300 questions, 301 nexts") << 300 << 301;
        QTest::newRow("300 questions, 305 nexts") << 300 << 305;
    }
    void priorAfterRunningPastTheEnd()
    {
        QFETCH(int, n);
        QFETCH(int, nexts);
        Fixture f;
        QVector<RunQuestion> older = makeRun(QString(7, QLatin1Char('1')));
        for (RunQuestion &q : older)
            q.stem = QStringLiteral("旧题");
        f.run.load(older, RunMode::SequentialSet, false);
        f.run.load(makeRun(QString(n, QLatin1Char('1'))), RunMode::SequentialSet, false);
        for (int i = 0; i < nexts; ++i)
            f.run.next();
        QCOMPARE(f.run.current(), n + 1);
        QCOMPARE(f.run.display().page, RunDisplay::Page::Score);
        f.run.prior();
        QCOMPARE(f.run.current(), n);
        QCOMPARE(f.run.display().page, RunDisplay::Page::SingleChoice);
        QCOMPARE(f.run.display().questionLines.value(1), QStringLiteral("%1.题%1").arg(n));
        QCOMPARE(f.run.display().percentText, QStringLiteral("100%"));
        QCOMPARE(f.run.display().progressValue, n);
    }

    // The end-of-run notice is open while the run is graded and ended, or
    // replaced by another: closing the notice shows nothing of the old run.
    void runEndedDuringEndOfRunNotice_data()
    {
        QTest::addColumn<bool>("replaced");
        QTest::newRow("ended") << false;
        QTest::newRow("replaced by a new run") << true;
    }
    void runEndedDuringEndOfRunNotice()
    {
        QFETCH(bool, replaced);
        Fixture f;
        f.run.load(makeRun(QStringLiteral("11")), RunMode::SequentialSet, false);
        f.run.next();
        QSignalSpy stop(&f.run, &PracticeRun::countdownStopRequested);
        QSignalSpy passed(&f.run, &PracticeRun::passedLastQuestion);
        int stopsBeforeNotice = -1;
        f.notifier.whileOpen = [&] {
            stopsBeforeNotice = int(stop.size());
            f.run.endRun();
            if (replaced)
                f.run.load(makeRun(QStringLiteral("444")), RunMode::SequentialSet, false);
        };
        f.run.next();
        QCOMPARE(stopsBeforeNotice, 1);
        QCOMPARE(passed.size(), 0);
        QVERIFY(!f.run.display().bottomHintVisible);
        if (replaced) {
            QVERIFY(f.run.active());
            QCOMPARE(f.run.current(), 1);
            QCOMPARE(f.run.display().page, RunDisplay::Page::TrueFalse);
        } else {
            QVERIFY(!f.run.active());
            QCOMPARE(f.run.display().page, RunDisplay::Page::Chapter);
        }
        QVERIFY(f.run.display().scoreLine.isEmpty());
    }

    // The score page shows the figures of the run just passed, also when it
    // has no objective question (after a run that had some).
    void scorePageOfEachRun_data()
    {
        QTest::addColumn<QString>("types");
        QTest::addColumn<QString>("line");
        QTest::addColumn<QString>("percent");
        QTest::addColumn<QString>("note");
        QTest::newRow("objective questions") << "1145"
                                             << "客观题正确：1 /客观总数:3"
                                             << "33分"
                                             << "";
        QTest::newRow("fill-in and essay only") << "353"
                                                << "客观题正确：0 /客观总数:0"
                                                << "--"
                                                << "本套试题没有客观题，不计算得分率。";
    }
    void scorePageOfEachRun()
    {
        QFETCH(QString, types);
        Fixture f;
        f.run.load(makeRun(QStringLiteral("44")), RunMode::SequentialSet, false);
        f.run.question(1).userAnswer = QStringLiteral("1");
        f.run.question(2).userAnswer = QStringLiteral("1");
        for (int i = 0; i < 3; ++i)
            f.run.next();
        QCOMPARE(f.run.display().scorePercent, QStringLiteral("100分"));
        f.run.endRun();

        f.run.load(makeRun(types), RunMode::SequentialSet, false);
        f.run.question(1).userAnswer = QStringLiteral("2");
        for (int i = 0; i <= types.size(); ++i)
            f.run.next();
        QCOMPARE(f.run.display().page, RunDisplay::Page::Score);
        QCOMPARE(f.run.display().scoreLine, fetched<QString>("line"));
        QCOMPARE(f.run.display().scorePercent, fetched<QString>("percent"));
        QCOMPARE(f.run.display().scoreNote, fetched<QString>("note"));
    }

    // Typed fill-in answers are limited in GBK bytes, to 255 or to the length
    // of a longer correct answer, so that a revealed answer fits whole.
    void fillInAllowed_data()
    {
        QTest::addColumn<QString>("correct");
        QTest::addColumn<bool>("revealed");
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("allowed");
        const QString ascii = QString(255, QLatin1Char('a'));
        const QString cjk = QString(127, QChar(u'电'));        // 254 bytes
        const QString longAnswer = QString(200, QChar(u'验')); // 400 bytes
        QTest::newRow("255 bytes of letters") << "1" << false << ascii << true;
        QTest::newRow("256 bytes of letters") << "1" << false << ascii + "a" << false;
        QTest::newRow("254 bytes of Chinese") << "1" << false << cjk << true;
        QTest::newRow("255 bytes mixed") << "1" << false << cjk + "a" << true;
        QTest::newRow("256 bytes of Chinese") << "1" << false << cjk + "电" << false;
        QTest::newRow("revealed, whole") << longAnswer << true << longAnswer << true;
        QTest::newRow("revealed, shorter") << longAnswer << true << longAnswer.left(150) << true;
        QTest::newRow("revealed, longer") << longAnswer << true << longAnswer + "a" << false;
        QTest::newRow("typed as long as the answer")
            << longAnswer << false << QString(200, QChar(u'电')) << true;
    }
    void fillInAllowed()
    {
        QFETCH(QString, correct);
        QFETCH(bool, revealed);
        QFETCH(QString, text);
        Fixture f;
        f.run.load({makeQuestion(1, question::code(QuestionType::FillIn), correct)},
                   RunMode::SequentialSet, false);
        if (revealed) {
            f.run.revealHover();
            f.revealTicks(PracticeRun::kRevealStart);
            QCOMPARE(f.run.display().fillInText, correct);
        }
        QCOMPARE(f.run.fillInAllowed(text), fetched<bool>("allowed"));
    }

    void endOfRunShowsScore()
    {
        Fixture f;
        f.run.load(makeRun(QStringLiteral("1131")), RunMode::SequentialSet, false);
        QSignalSpy stop(&f.run, &PracticeRun::countdownStopRequested);
        QSignalSpy passed(&f.run, &PracticeRun::passedLastQuestion);
        f.run.question(1).userAnswer = QStringLiteral("2");
        f.run.question(2).userAnswer = QStringLiteral("4");
        f.run.question(4).userAnswer = QStringLiteral("2");
        for (int i = 0; i < 4; ++i)
            f.run.next();
        QCOMPARE(f.notifier.notices,
                 QStringList{QStringLiteral("[软件提示]:请交卷请点击左边的【交卷评阅】按钮.")});
        QCOMPARE(f.run.display().scoreLine, QStringLiteral("客观题正确：2 /客观总数:3"));
        QCOMPARE(f.run.display().scorePercent, QStringLiteral("67分"));
        QVERIFY(f.run.display().bottomHintVisible);
        QVERIFY(f.run.display().questionLines.isEmpty());
        QCOMPARE(stop.size(), 1);
        QCOMPARE(passed.size(), 1);
        // The last question is coloured by the move past it.
        QCOMPARE(f.run.display().strip.at(3).colour, RunDisplay::kGreen);
        QCOMPARE(f.run.display().strip.at(1).colour, RunDisplay::kRed);
    }

    void questionView()
    {
        Fixture f;
        QVector<RunQuestion> questions = makeRun(QStringLiteral("1234"));
        questions[0].userAnswer = QStringLiteral("3");
        questions[1].userAnswer = QStringLiteral("24");
        questions[2].imageName = QStringLiteral("pump.png");
        questions[3].userAnswer = QStringLiteral("0");
        f.run.load(questions, RunMode::SequentialSet, false);
        const RunDisplay &d = f.run.display();
        QCOMPARE(d.questionLines,
                 (QStringList{QString(), QStringLiteral("1.题1"), QStringLiteral("  A.甲"),
                              QStringLiteral("  B.乙"), QStringLiteral("  C.丙"),
                              QStringLiteral("  D.丁")}));
        QCOMPARE(d.singleChosen, QStringLiteral("C"));
        QCOMPARE(d.picture, QString());
        f.run.next();
        QCOMPARE(d.page, RunDisplay::Page::MultipleChoice);
        QCOMPARE(d.multiChosen, QStringLiteral("BD"));
        QCOMPARE(d.multiChecks, (std::array<bool, 4>{false, true, false, true}));
        QCOMPARE(f.run.question(2).userAnswer, QStringLiteral("24"));
        f.run.next();
        QCOMPARE(d.questionLines, (QStringList{QString(), QStringLiteral("3.题3")}));
        QCOMPARE(d.picture, QStringLiteral("images/pump.png"));
        f.run.next();
        QCOMPARE(d.trueFalseChosen, QStringLiteral("错"));
    }

    void stripPlacement_data()
    {
        QTest::addColumn<int>("n");
        QTest::addColumn<int>("number");
        QTest::addColumn<int>("x");
        QTest::addColumn<int>("y");
        QTest::newRow("one row") << 50 << 50 << 810 << 10;
        QTest::newRow("60: first row") << 60 << 1 << 26 << 0;
        QTest::newRow("60: second row") << 60 << 51 << 26 << 16;
        QTest::newRow("60: last") << 60 << 60 << 170 << 16;
        QTest::newRow("129: wide step") << 129 << 129 << 670 << 32;
        QTest::newRow("130: rows of forty") << 130 << 130 << 813 << 32;
        QTest::newRow("300: end of third row") << 300 << 140 << 1083 << 32;
        QTest::newRow("300: fourth row") << 300 << 141 << 30 << 48;
        QTest::newRow("300: last") << 300 << 300 << 1083 << 96;
    }
    void stripPlacement()
    {
        QFETCH(int, n);
        QFETCH(int, number);
        const QPoint at = QuestionStrip::place(number, n);
        QCOMPARE(at.x(), fetched<int>("x"));
        QCOMPARE(at.y(), fetched<int>("y"));
    }

    void everyStripNumberVisible()
    {
        // Every number of every run length stands on its own place inside the bar.
        for (int n = 1; n <= question::kRunCapacity; ++n) {
            QSet<QPair<int, int>> places;
            for (int k = 1; k <= n; ++k) {
                const QPoint at = QuestionStrip::place(k, n);
                const int x = at.x();
                const int y = at.y();
                QVERIFY2(x >= 0 && x + 20 <= QuestionStrip::kBarWidth,
                         qPrintable(QString::number(k)));
                QVERIFY2(!places.contains({x, y}),
                         qPrintable(QStringLiteral("%1 of %2").arg(k).arg(n)));
                places.insert({x, y});
            }
        }
    }

    void stripColours()
    {
        Fixture f;
        QVector<RunQuestion> questions = makeRun(QStringLiteral("13524"));
        questions[0].userAnswer = QStringLiteral("2");
        f.run.load(questions, RunMode::SequentialSet, false);
        const auto &strip = f.run.display().strip;
        QCOMPARE(strip.size(), 5);
        QCOMPARE(strip.at(0).caption, QStringLiteral("01"));
        QCOMPARE(strip.at(0).colour, RunDisplay::kGrey);
        QVERIFY(!strip.at(0).bold);
        for (int i = 0; i < 4; ++i)
            f.run.next();
        QCOMPARE(strip.at(0).colour, RunDisplay::kGreen);
        QCOMPARE(strip.at(1).colour, RunDisplay::kSilver);
        QCOMPARE(strip.at(2).colour, RunDisplay::kSilver);
        QCOMPARE(strip.at(3).colour, RunDisplay::kRed);
        QVERIFY(strip.at(3).bold);
        QCOMPARE(strip.at(4).colour, RunDisplay::kGrey);
        // A strip click colours the number before the target.
        f.run.question(4).userAnswer = QStringLiteral("2");
        f.run.stripClick(5);
        QCOMPARE(strip.at(3).colour, RunDisplay::kGreen);
    }

    void singleChoice_data()
    {
        QTest::addColumn<QString>("clicks");
        QTest::addColumn<bool>("rightMark");
        QTest::addColumn<bool>("wrongMark");
        QTest::addColumn<bool>("moves");
        QTest::newRow("wrong stays") << "1" << false << true << false;
        QTest::newRow("wrong then right moves") << "13" << false << true << true;
        QTest::newRow("right moves") << "2" << true << false << true;
        QTest::newRow("right after wrong") << "12" << true << false << true;
    }
    void singleChoice()
    {
        QFETCH(QString, clicks);
        Fixture f;
        f.run.load(makeRun(QStringLiteral("11")), RunMode::SequentialSet, false);
        for (QChar c : clicks)
            f.run.answerSingle(c.digitValue());
        QCOMPARE(f.run.display().rightMarkVisible, fetched<bool>("rightMark"));
        QCOMPARE(f.run.display().wrongMarkVisible, fetched<bool>("wrongMark"));
        QCOMPARE(f.run.question(1).userAnswer, QString(clicks.back()));
        f.ticks(14);
        QCOMPARE(f.run.current(), 1);
        f.ticks(1);
        QCOMPARE(f.run.current(), fetched<bool>("moves") ? 2 : 1);
    }

    void wrongStreakCarriesOver()
    {
        Fixture f;
        f.run.load(makeRun(QStringLiteral("111")), RunMode::SequentialSet, false);
        f.run.answerSingle(1);
        QVERIFY(!f.run.advanceRunning());
        f.run.next();
        f.run.answerSingle(4);
        QVERIFY(f.run.advanceRunning());
        QCOMPARE(f.run.wrongStreak(), 0);
        f.ticks(15);
        QCOMPARE(f.run.current(), 3);
        QCOMPARE(f.run.display().lineSpacing, 200);
    }

    void automaticMoveStopsAtLast()
    {
        Fixture f;
        f.run.load(makeRun(QStringLiteral("11")), RunMode::SequentialSet, false);
        f.run.next();
        f.run.answerSingle(2);
        f.ticks(15);
        QCOMPARE(f.run.current(), 2);
        QCOMPARE(f.run.display().page, RunDisplay::Page::SingleChoice);
        QVERIFY(f.run.display().bottomHintVisible);
        QVERIFY(f.notifier.notices.isEmpty());
        QCOMPARE(f.run.display().strip.at(1).colour, RunDisplay::kGreen);
    }

    void sliderSetsLaterDelays()
    {
        Fixture f;
        f.run.load(makeRun(QStringLiteral("111")), RunMode::SequentialSet, false);
        f.run.setSliderPosition(300);
        f.run.answerSingle(2);
        f.ticks(15);
        QCOMPARE(f.run.current(), 2);
        f.run.answerSingle(2);
        f.ticks(3);
        QCOMPARE(f.run.current(), 3);
    }

    void manualNextCancelsPendingMove()
    {
        Fixture f;
        f.run.load(makeRun(QStringLiteral("1111")), RunMode::SequentialSet, false);
        f.run.answerSingle(2);
        f.ticks(5);
        f.run.next();
        QVERIFY(!f.run.advanceRunning());
        QVERIFY(!f.run.display().advanceTimerOn);
        f.ticks(30);
        QCOMPARE(f.run.current(), 2);
        // The next automatic move has its full delay again.
        f.run.answerSingle(2);
        f.ticks(14);
        QCOMPARE(f.run.current(), 2);
        f.ticks(1);
        QCOMPARE(f.run.current(), 3);
    }

    void marksBySettings_data()
    {
        QTest::addColumn<bool>("instant");
        QTest::addColumn<bool>("exam");
        QTest::addColumn<int>("type");
        QTest::addColumn<bool>("wrongMark");
        QTest::newRow("single, instant on") << true << false << 1 << true;
        QTest::newRow("single, instant off") << false << false << 1 << false;
        QTest::newRow("single, exam") << true << true << 1 << false;
        QTest::newRow("true/false, instant off") << false << false << 4 << true;
        QTest::newRow("true/false, exam") << true << true << 4 << false;
    }
    void marksBySettings()
    {
        QFETCH(int, type);
        Settings s;
        s.showInstantAnswer = fetched<bool>("instant");
        Fixture f(s);
        f.run.load({makeQuestion(1, type, QStringLiteral("1")), makeQuestion(2, 1, "1")},
                   RunMode::SequentialSet, fetched<bool>("exam"));
        if (question::fromCode(type) == QuestionType::SingleChoice)
            f.run.answerSingle(3);
        else
            f.run.answerTrueFalse(false);
        QCOMPARE(f.run.display().wrongMarkVisible, fetched<bool>("wrongMark"));
        QVERIFY(!f.run.display().rightMarkVisible);
        // Exam mode moves on after any single-choice click; true/false always.
        QCOMPARE(f.run.advanceRunning(),
                 f.run.examMode() || question::fromCode(type) == QuestionType::TrueFalse);
    }

    void multipleChoiceFeedback()
    {
        Fixture f;
        f.run.load(makeRun(QStringLiteral("2"), {QStringLiteral("134")}), RunMode::SequentialSet,
                   false);
        const RunDisplay &d = f.run.display();
        struct Step
        {
            int box;
            bool checked;
            QString feedback;
            unsigned colour;
        };
        const QList<Step> steps = {
            {0, true, QStringLiteral("不完全正确"), RunDisplay::kGreen},
            {1, true, QStringLiteral("错误"), RunDisplay::kBlack},
            {1, false, QStringLiteral("不完全正确"), RunDisplay::kGreen},
            {2, true, QStringLiteral("不完全正确"), RunDisplay::kGreen},
            {3, true, QStringLiteral("正确"), RunDisplay::kRed},
        };
        for (const Step &step : steps) {
            f.run.setMultiBox(step.box, step.checked);
            QCOMPARE(d.multiFeedback, step.feedback);
            QCOMPARE(d.multiFeedbackColour, step.colour);
        }
        QCOMPARE(f.run.question(1).userAnswer, QStringLiteral("134"));
        QCOMPARE(d.multiChosen, QStringLiteral("ACD"));
        QVERIFY(!f.run.advanceRunning());
        for (int box : {0, 2, 3})
            f.run.setMultiBox(box, false);
        QCOMPARE(d.multiFeedback, QString());
    }

    void multipleChoiceStoredOutOfOrder()
    {
        Fixture f;
        f.run.load(makeRun(QStringLiteral("2"), {QStringLiteral("31")}), RunMode::SequentialSet,
                   false);
        f.run.setMultiBox(2, true);
        f.run.setMultiBox(0, true);
        QCOMPARE(f.run.question(1).userAnswer, QStringLiteral("13"));
        QCOMPARE(f.run.display().multiFeedback, QStringLiteral("不完全正确"));
        QVERIFY(!Grading::answeredCorrectly(f.run.question(1)));
    }

    void textAnswers()
    {
        Fixture f;
        f.run.load(makeRun(QStringLiteral("351")), RunMode::SequentialSet, false);
        const RunDisplay &d = f.run.display();
        f.run.fillInKeyRelease(QStringLiteral("安全，可靠"));
        QCOMPARE(f.run.question(1).userAnswer, QStringLiteral("安全，可靠"));
        QCOMPARE(d.saveHint, QStringLiteral("提示：已保存."));
        QVERIFY(d.saveHintVisible);
        f.run.fillInKeyPress();
        QCOMPARE(d.saveHint, QString());
        f.run.essayKeyRelease(QStringLiteral("第一行\n第二行"));
        QCOMPARE(f.run.question(2).userAnswer, QString()); // not the essay on screen
        f.run.next();
        QVERIFY(!d.saveHintVisible);
        f.run.essayKeyRelease(QStringLiteral("第一行\n第二行"));
        QCOMPARE(f.run.question(2).userAnswer, QStringLiteral("第一行\r\n第二行"));
        f.run.prior();
        QCOMPARE(d.fillInText, QStringLiteral("安全，可靠"));
        f.run.next();
        QCOMPARE(d.essayText, QStringLiteral("第一行\n第二行"));
    }

    void reveal_data()
    {
        QTest::addColumn<int>("type");
        QTest::addColumn<QString>("correct");
        QTest::addColumn<QString>("userAnswer");
        QTest::addColumn<QString>("shown");
        QTest::newRow("single") << 1 << "3"
                                << ""
                                << "C";
        QTest::newRow("multiple") << 2 << "134"
                                  << "134"
                                  << "ACD";
        QTest::newRow("fill-in") << 3 << "接地"
                                 << "接地"
                                 << "接地";
        QTest::newRow("true/false") << 4 << "0"
                                    << ""
                                    << "错";
        QTest::newRow("essay") << 5 << "停电，验电"
                               << "停电，验电"
                               << "停电，验电\n";
    }
    void reveal()
    {
        QFETCH(int, type);
        Fixture f;
        f.run.load({makeQuestion(1, type, fetched<QString>("correct"))}, RunMode::SequentialSet,
                   false);
        const RunDisplay &d = f.run.display();
        f.run.revealHover();
        QVERIFY(d.revealFigureVisible);
        QVERIFY(d.revealTimerOn);
        // Leaving the panel does not stop it; hovering again does not restart it.
        f.revealTicks(3);
        f.run.revealHover();
        QCOMPARE(d.revealFigure, QStringLiteral("2"));
        f.revealTicks(1);
        QCOMPARE(f.run.question(1).userAnswer, QString());
        f.revealTicks(1);
        QVERIFY(!f.run.revealRunning());
        QVERIFY(!d.revealFigureVisible);
        QCOMPARE(f.run.revealCountdown(), 5);
        QCOMPARE(f.run.question(1).userAnswer, fetched<QString>("userAnswer"));
        const QString shown = type == 1   ? d.singleChosen
                              : type == 2 ? d.multiChosen
                              : type == 3 ? d.fillInText
                              : type == 4 ? d.trueFalseChosen
                                          : d.essayText;
        QCOMPARE(shown, fetched<QString>("shown"));
        if (question::fromCode(type) == QuestionType::MultipleChoice)
            QCOMPARE(d.multiFeedback, QStringLiteral("正确"));
    }

    // The pointer over "查看答案", then a move before the half second is up:
    // the pending reveal is dropped, nothing lands on the question moved to.
    void moveDropsThePendingReveal_data()
    {
        QTest::addColumn<QString>("types");
        QTest::addColumn<QString>("move"); // n Next, p Prior, a digit a strip jump, t true + ticks
        QTest::addColumn<int>("landing");
        QTest::newRow("Next") << "2222"
                              << "n" << 3;
        QTest::newRow("Prior") << "2222"
                               << "p" << 1;
        QTest::newRow("strip jump") << "2222"
                                    << "4" << 4;
        QTest::newRow("automatic move after a true/false answer") << "2422"
                                                                  << "t" << 3;
        QTest::newRow("Next onto a fill-in question") << "2233"
                                                      << "n" << 3;
    }
    void moveDropsThePendingReveal()
    {
        QFETCH(QString, types);
        QFETCH(QString, move);
        QFETCH(int, landing);
        Fixture f;
        f.run.setSliderPosition(300); // the automatic move after 3 ticks
        f.run.load(makeRun(types, {"134", "1", "134", "134"}), RunMode::SequentialSet, false);
        f.run.next();
        QCOMPARE(f.run.current(), 2);
        f.run.revealHover();
        QVERIFY(f.run.revealRunning());
        f.revealTicks(2);
        const QChar m = move.at(0);
        if (m == QLatin1Char('n')) {
            f.run.next();
        } else if (m == QLatin1Char('p')) {
            f.run.prior();
        } else if (m == QLatin1Char('t')) {
            f.run.answerTrueFalse(true);
            f.ticks(3);
        } else {
            f.run.stripClick(m.digitValue());
        }
        QCOMPARE(f.run.current(), landing);
        QVERIFY(!f.run.revealRunning());
        QVERIFY(!f.run.display().revealFigureVisible);
        QCOMPARE(f.run.display().revealFigure, QStringLiteral("5"));
        f.revealTicks(PracticeRun::kRevealStart);
        const RunDisplay &d = f.run.display();
        QCOMPARE(f.run.question(landing).userAnswer, QString());
        QCOMPARE(d.multiChecks, (std::array<bool, 4>{}));
        QCOMPARE(d.multiChosen, QString());
        QCOMPARE(d.multiFeedback, QString());
        QCOMPARE(d.fillInText, QString());
        f.run.next();
        QCOMPARE(f.run.objectiveCorrect(), m == QLatin1Char('t') ? 1 : 0);
        // A new hover on the question moved to reveals its own answer.
        f.run.stripClick(landing);
        f.run.revealHover();
        f.revealTicks(PracticeRun::kRevealStart);
        QCOMPARE(f.run.question(landing).userAnswer, QStringLiteral("134"));
    }

    void revealPanels()
    {
        Settings off;
        off.showInstantAnswer = false;
        Fixture f(off);
        f.run.load(makeRun(QStringLiteral("31")), RunMode::SequentialSet, false);
        // The first question offers every panel, later pages follow the setting.
        QCOMPARE(f.run.display().revealPanelVisible,
                 (std::array<bool, 5>{true, true, true, true, true}));
        f.run.next();
        QVERIFY(!f.run.display().revealPanelVisible[0]);
        f.run.prior();
        QVERIFY(!f.run.display().revealPanelVisible[2]);
        f.run.revealHover();
        QVERIFY(!f.run.revealRunning());

        Fixture exam;
        exam.run.load(makeRun(QStringLiteral("3")), RunMode::MockExamination, true);
        QCOMPARE(exam.run.display().revealPanelVisible, (std::array<bool, 5>{}));
        exam.run.revealHover();
        QVERIFY(!exam.run.revealRunning());
    }

    void liveFigures()
    {
        Fixture f;
        QVector<RunQuestion> questions = makeRun(QStringLiteral("111111111133"));
        for (int i : {0, 4, 8})
            questions[i].userAnswer = QStringLiteral("2");
        questions[1].userAnswer = QStringLiteral("1");
        f.run.load(questions, RunMode::SequentialSet, false);
        QCOMPARE(f.run.display().liveCorrect + "/" + f.run.display().liveTotal,
                 QStringLiteral("00/00"));
        f.run.next();
        QCOMPARE(f.run.display().liveCorrect + "/" + f.run.display().liveTotal,
                 QStringLiteral("03/10"));
        QCOMPARE(f.run.objectiveCorrect(), 3);
    }

    void controlsWithoutQuestionDoNothing()
    {
        Fixture f;
        f.run.load(makeRun(QStringLiteral("1")), RunMode::SequentialSet, false);
        QSignalSpy stop(&f.run, &PracticeRun::countdownStopRequested);
        f.run.chapterDivided();
        QCOMPARE(stop.size(), 1);
        QCOMPARE(f.run.current(), 0);
        QCOMPARE(f.run.display().percentText, QStringLiteral("0%"));
        f.run.answerSingle(2);
        f.run.revealHover();
        QCOMPARE(f.run.question(1).userAnswer, QString());
        QVERIFY(!f.run.advanceRunning());
        QVERIFY(!f.run.revealRunning());
        // Wrong kind of control for the question on screen.
        Fixture g;
        g.run.load(makeRun(QStringLiteral("3")), RunMode::SequentialSet, false);
        g.run.answerSingle(1);
        g.run.answerTrueFalse(true);
        QCOMPARE(g.run.question(1).userAnswer, QString());
    }

    void inactiveRunIgnoresMoves()
    {
        Fixture f;
        QSignalSpy panel(&f.run, &PracticeRun::commandPageRequested);
        f.run.next();
        f.run.prior();
        QCOMPARE(f.run.current(), 0);
        f.run.stripClick(1);
        QCOMPARE(
            f.notifier.notices,
            QStringList{QStringLiteral(
                "[软件提示]：请选择左侧 的【顺序练习】、【随机练习】、【模拟考试】开始练习.")});
        QCOMPARE(panel.size(), 1);
    }

    void endRun_data()
    {
        QTest::addColumn<bool>("exam");
        QTest::addColumn<int>("n");
        QTest::newRow("practice keeps its length") << false << 3;
        QTest::newRow("mock examination keeps its length") << true << 3;
    }
    void endRun()
    {
        Fixture f;
        f.run.chapterDivided();
        f.run.load(makeRun(QStringLiteral("114")), RunMode::SequentialSet, fetched<bool>("exam"));
        f.run.setSliderPosition(800);
        f.run.answerSingle(2);
        f.run.revealHover();
        f.run.endRun();
        QCOMPARE(f.run.length(), fetched<int>("n"));
        QVERIFY(!f.run.active());
        QVERIFY(!f.run.examMode());
        QCOMPARE(f.run.current(), 0);
        QVERIFY(!f.run.advanceRunning());
        QVERIFY(!f.run.revealRunning());
        QCOMPARE(f.run.advanceCountdown(), 8);
        QVERIFY(f.run.display().strip.isEmpty());
        QCOMPARE(f.run.display().page, RunDisplay::Page::Chapter);
        f.ticks(20);
        QCOMPARE(f.run.current(), 0);
    }

    void loadCapsAtCapacity()
    {
        Fixture f;
        f.run.load(makeRun(QString(301, QLatin1Char('1'))), RunMode::RandomPractice, false);
        QCOMPARE(f.run.length(), 300);
        QCOMPARE(f.run.display().strip.size(), 300);
        QCOMPARE(f.run.display().strip.last().caption, QStringLiteral("300"));
    }
};

DRILLBAY_TEST(PracticeRunTest)
#include "PracticeRunTest.moc"
