#include "DeskFixture.h"
#include "ExamTestQuestions.h"
#include "TestRegistry.h"
#include "Typing.h"
#include "app/ui/MainWindowNames.h"
#include "exam/ui/AnswerKeyFilter.h"
#include "exam/ui/ReviewWindow.h"
#include "practice/ui/EssayPage.h"
#include "practice/ui/FillInPage.h"
#include "practice/ui/KeyMapWindow.h"
#include "practice/ui/MultipleChoicePage.h"
#include "practice/ui/SingleChoicePage.h"
#include "practice/ui/TrueFalsePage.h"

#include <QApplication>
#include <QCheckBox>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTableWidget>
#include <QTest>
#include <QTimer>
#include <QToolButton>

Q_DECLARE_METATYPE(RunMode)

namespace {

// What the user sees of the run after each step: the question on screen, the
// answers, the marks and verdicts, the strip, the live result, the timers.
QString snapshot(const RunDesk &desk)
{
    const PracticeRun &run = const_cast<RunDesk &>(desk).run();
    const RunDisplay &shown = run.display();
    QStringList parts{QStringLiteral("current %1 of %2").arg(run.current()).arg(run.length())};
    for (int k = 1; k <= run.length(); ++k)
        parts << QStringLiteral("answer %1 [%2]").arg(k).arg(run.question(k).userAnswer);
    parts << QStringLiteral("single %1 right %2 wrong %3")
                 .arg(shown.singleChosen)
                 .arg(shown.rightMarkVisible)
                 .arg(shown.wrongMarkVisible);
    parts << QStringLiteral("multiple %1 %2").arg(shown.multiChosen, shown.multiFeedback);
    parts << QStringLiteral("true/false %1").arg(shown.trueFalseChosen);
    for (const RunDisplay::StripNumber &number : shown.strip)
        parts << QStringLiteral("strip %1 %2 %3")
                     .arg(number.caption)
                     .arg(number.colour, 0, 16)
                     .arg(number.bold);
    parts << QStringLiteral("live %1/%2").arg(shown.liveCorrect, shown.liveTotal);
    parts
        << QStringLiteral("advancing %1 next %2").arg(shown.advanceTimerOn).arg(shown.nextEnabled);
    parts << QStringLiteral("active %1 streak %2").arg(run.active()).arg(run.wrongStreak());
    return parts.join(QLatin1Char('\n'));
}

// A key pressed as the keyboard does it: to the widget that has the focus.
void press(MainWindow &main, int key, Qt::KeyboardModifiers modifiers = Qt::NoModifier)
{
    QWidget *target = QApplication::focusWidget();
    if (!target || target->window() != &main)
        target = &main;
    QTest::keyClick(target, static_cast<Qt::Key>(key), modifiers);
}

// Closes the review once it is up.
void closeReviewWhenUp()
{
    QTimer::singleShot(50, [] {
        if (QWidget *modal = QApplication::activeModalWidget())
            modal->close();
        else
            closeReviewWhenUp();
    });
}

QVector<RunQuestion> mixedRun()
{
    return {sampleQuestion(1, QStringLiteral("2"), QString()),
            sampleQuestion(2, QStringLiteral("13"), QString()),
            sampleQuestion(4, QStringLiteral("1"), QString()),
            sampleQuestion(3, QStringLiteral("放电"), QString()),
            sampleQuestion(5, QStringLiteral("要点"), QString()),
            sampleQuestion(1, QStringLiteral("1"), QString())};
}

// One run sat by the mouse or by the keys; the snapshots after each step.
QStringList sit(RunMode mode, bool byKeys)
{
    DeskFixture windows;
    MainWindow &main = windows.main;
    RunDesk &desk = windows.desk;
    PracticeRun &run = desk.run();
    main.show();
    main.activateWindow();
    if (!QTest::qWaitForWindowActive(&main))
        qFatal("the main window never became active");
    run.load(mixedRun(), mode, mode == RunMode::MockExamination);
    QStringList steps;
    auto step = [&] { steps << snapshot(desk); };

    // Single choice: a wrong answer, then the right one; the automatic move follows.
    SingleChoicePage *single = desk.singleChoicePage();
    if (byKeys)
        press(main, Qt::Key_A);
    else
        QTest::mouseClick(single->choiceButtons().at(0), Qt::LeftButton);
    step();
    if (byKeys)
        press(main, Qt::Key_2);
    else
        QTest::mouseClick(single->choiceButtons().at(1), Qt::LeftButton);
    step();
    if (!QTest::qWaitFor([&] { return run.current() == 2 && !run.advanceRunning(); }, 5000))
        return steps << QStringLiteral("no automatic move from 1");
    step();

    // Multiple choice: A, C, D and D off again; then Next.
    MultipleChoicePage *multiple = desk.multipleChoicePage();
    for (const int option : {0, 2, 3, 3}) {
        if (byKeys)
            press(main, Qt::Key_A + option);
        else
            QTest::mouseClick(multiple->checkBoxes().at(option), Qt::LeftButton);
        step();
    }
    if (byKeys)
        press(main, Qt::Key_Right);
    else
        QTest::mouseClick(main.findChild<QPushButton *>(MainWindowNames::nextButton),
                          Qt::LeftButton);
    step();

    // True/false: "对"; the automatic move follows.
    if (byKeys)
        press(main, Qt::Key_T);
    else
        QTest::mouseClick(desk.trueFalsePage()->trueButton(), Qt::LeftButton);
    step();
    if (!QTest::qWaitFor([&] { return run.current() == 4 && !run.advanceRunning(); }, 5000))
        return steps << QStringLiteral("no automatic move from 3");
    step();

    // Fill-in: letters and digits type text in the field; Enter moves on.
    QLineEdit *field = desk.fillInPage()->answerField();
    QTest::mouseClick(field, Qt::LeftButton);
    QTest::keyClicks(field, QStringLiteral("AB12"));
    QTest::keyClick(field, Qt::Key_Left);
    typeText(field, QStringLiteral("放电"));
    step();
    if (byKeys)
        press(main, Qt::Key_Return);
    else
        QTest::mouseClick(main.findChild<QPushButton *>(MainWindowNames::nextButton),
                          Qt::LeftButton);
    step();

    // Essay: Return breaks the line, Tab leaves the view without typing.
    QPlainTextEdit *essay = desk.essayPage()->answerView();
    QTest::mouseClick(essay->viewport(), Qt::LeftButton);
    QTest::keyClicks(essay, QStringLiteral("ab"));
    QTest::keyClick(essay, Qt::Key_Return);
    QTest::keyClicks(essay, QStringLiteral("T1"));
    QTest::keyClick(essay, Qt::Key_Tab);
    if (QApplication::focusWidget() == essay)
        return steps << QStringLiteral("Tab stayed in the essay");
    step();

    // Back with Prior (into the fill-in field again), on with Enter there,
    // then hand in.
    if (byKeys)
        press(main, Qt::Key_PageUp);
    else
        QTest::mouseClick(main.findChild<QPushButton *>(MainWindowNames::priorButton),
                          Qt::LeftButton);
    step();
    if (QApplication::focusWidget() != desk.fillInPage()->answerField())
        return steps << QStringLiteral("the fill-in field did not take the keys");
    if (byKeys)
        press(main, Qt::Key_Return);
    else
        QTest::mouseClick(main.findChild<QPushButton *>(MainWindowNames::nextButton),
                          Qt::LeftButton);
    step();
    closeReviewWhenUp();
    if (byKeys)
        press(main, Qt::Key_Return, Qt::ControlModifier);
    else
        QTest::mouseClick(main.findChild<QToolButton *>(MainWindowNames::gradeButton),
                          Qt::LeftButton);
    step();
    steps << windows.notifier.notices.join(QLatin1Char('|'));
    return steps;
}

} // namespace

class AnswerKeysDeskTest : public QObject
{
    Q_OBJECT

private slots:
    // Keys do what clicks do, step by step, on every kind of run.
    void keysDoWhatClicksDo_data()
    {
        QTest::addColumn<RunMode>("mode");
        QTest::newRow("sequential") << RunMode::SequentialSet;
        QTest::newRow("random") << RunMode::RandomPractice;
        QTest::newRow("mock examination") << RunMode::MockExamination;
    }

    void keysDoWhatClicksDo()
    {
        QFETCH(RunMode, mode);
        const QStringList clicked = sit(mode, false);
        const QStringList keyed = sit(mode, true);
        QCOMPARE(keyed.size(), clicked.size());
        for (int i = 0; i < clicked.size(); ++i) {
            if (keyed.at(i) != clicked.at(i))
                qWarning("step %d\nclicked:\n%s\nkeyed:\n%s", i, qPrintable(clicked.at(i)),
                         qPrintable(keyed.at(i)));
            QCOMPARE(keyed.at(i), clicked.at(i));
        }
        // The run went where it should: graded and over.
        QVERIFY(keyed.at(keyed.size() - 2).contains(QStringLiteral("active 0")));
    }

    // The typed answers are what the user typed, not swallowed by the keys.
    void typedFieldsKeepTheirKeys()
    {
        DeskFixture windows;
        MainWindow &main = windows.main;
        RunDesk &desk = windows.desk;
        PracticeRun &run = desk.run();
        main.show();
        main.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&main));
        run.load({sampleQuestion(3, QStringLiteral("放电"), QString()),
                  sampleQuestion(5, QStringLiteral("要点"), QString()),
                  sampleQuestion(1, QStringLiteral("1"), QString())},
                 RunMode::RandomPractice, false);
        QLineEdit *field = desk.fillInPage()->answerField();
        QTest::mouseClick(field, Qt::LeftButton);
        QTest::keyClicks(field, QStringLiteral("ATF12"));
        QTest::keyClick(field, Qt::Key_Left);
        QTest::keyClick(field, Qt::Key_PageDown);
        QTest::keyClick(field, Qt::Key_Right);
        QCOMPARE(run.current(), 1);
        QCOMPARE(run.question(1).userAnswer, QStringLiteral("ATF12"));
        QTest::keyClick(field, Qt::Key_Enter, Qt::KeypadModifier);
        QCOMPARE(run.current(), 2);

        QPlainTextEdit *essay = desk.essayPage()->answerView();
        QTest::mouseClick(essay->viewport(), Qt::LeftButton);
        QTest::keyClicks(essay, QStringLiteral("A2"));
        QTest::keyClick(essay, Qt::Key_Return);
        QTest::keyClick(essay, Qt::Key_PageDown);
        QTest::keyClicks(essay, QStringLiteral("d"));
        QCOMPARE(run.current(), 2);
        QCOMPARE(run.question(2).userAnswer, QStringLiteral("A2\r\nd"));
        QTest::keyClick(essay, Qt::Key_Tab);
        QVERIFY(QApplication::focusWidget() != essay);
        press(main, Qt::Key_Right);
        QCOMPARE(run.current(), 3);
        QCOMPARE(run.question(2).userAnswer, QStringLiteral("A2\r\nd"));
    }

    // Keys alone through a run: arriving at a fill-in or essay question puts
    // the keys into its field, Enter moves on from the fill-in field, Tab
    // leaves the essay, and the arrows move on again.
    void keysAloneThroughTypedQuestions()
    {
        DeskFixture windows;
        MainWindow &main = windows.main;
        RunDesk &desk = windows.desk;
        PracticeRun &run = desk.run();
        main.show();
        main.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&main));
        run.load({sampleQuestion(1, QStringLiteral("1"), QString()),
                  sampleQuestion(3, QStringLiteral("放电"), QString()),
                  sampleQuestion(5, QStringLiteral("要点"), QString()),
                  sampleQuestion(4, QStringLiteral("0"), QString())},
                 RunMode::SequentialSet, false);
        press(main, Qt::Key_A);
        QTRY_COMPARE_WITH_TIMEOUT(run.current(), 2, 5000);
        QCOMPARE(QApplication::focusWidget(), desk.fillInPage()->answerField());
        typeText(QApplication::focusWidget(), QStringLiteral("放电"));
        press(main, Qt::Key_Return);
        QCOMPARE(run.question(2).userAnswer, QStringLiteral("放电"));
        QCOMPARE(run.current(), 3);
        QCOMPARE(QApplication::focusWidget(), desk.essayPage()->answerView());
        QTest::keyClicks(QApplication::focusWidget(), QStringLiteral("ab"));
        press(main, Qt::Key_Tab);
        press(main, Qt::Key_Right);
        QCOMPARE(run.question(3).userAnswer, QStringLiteral("ab"));
        QCOMPARE(run.current(), 4);
        press(main, Qt::Key_F);
        QCOMPARE(run.question(4).userAnswer, QStringLiteral("0"));
        // Back to the essay by keys, and its view takes the keys again.
        press(main, Qt::Key_Left);
        QCOMPARE(run.current(), 3);
        QCOMPARE(QApplication::focusWidget(), desk.essayPage()->answerView());
    }

    // A held answer key answers once: two wrong single-choice presses would
    // otherwise move on by themselves.
    void heldAnswerKeyAnswersOnce()
    {
        DeskFixture windows;
        MainWindow &main = windows.main;
        PracticeRun &run = windows.desk.run();
        main.show();
        main.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&main));
        run.load({sampleQuestion(1, QStringLiteral("2"), QString()),
                  sampleQuestion(1, QStringLiteral("2"), QString())},
                 RunMode::RandomPractice, false);
        QWidget *target = QApplication::focusWidget() ? QApplication::focusWidget() : &main;
        for (const bool repeated : {false, true, true}) {
            QKeyEvent held(QEvent::KeyPress, Qt::Key_A, Qt::NoModifier, QStringLiteral("a"),
                           repeated);
            QApplication::sendEvent(target, &held);
        }
        QCOMPARE(run.question(1).userAnswer, QStringLiteral("1"));
        QCOMPARE(run.wrongStreak(), 1);
        QVERIFY(!run.advanceRunning());
        // Held arrows do repeat.
        for (const bool repeated : {false, true}) {
            QKeyEvent held(QEvent::KeyPress, Qt::Key_Right, Qt::NoModifier, QString(), repeated);
            QApplication::sendEvent(target, &held);
        }
        QCOMPARE(run.current(), 3);
    }

    // F1 shows the key map over the answer page; Esc closes it. Keys on a
    // page that is no answer page are left alone.
    void keyMap()
    {
        DeskFixture windows;
        MainWindow &main = windows.main;
        RunDesk &desk = windows.desk;
        main.show();
        main.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&main));
        press(main, Qt::Key_F1);
        KeyMapWindow *keyMap = desk.answerKeys()->keyMapWindow();
        QVERIFY(!keyMap->isVisible());

        desk.run().load({sampleQuestion(4, QStringLiteral("1"), QString())},
                        RunMode::RandomPractice, false);
        press(main, Qt::Key_F1);
        QVERIFY(keyMap->isVisible());
        QCOMPARE(keyMap->windowTitle(), QStringLiteral("按键说明"));
        QCOMPARE(keyMap->table()->rowCount(), 9);
        QCOMPARE(keyMap->table()->item(1, 0)->text(), QStringLiteral("1 或 T"));
        QCOMPARE(keyMap->table()->item(1, 1)->text(), QStringLiteral("判断题：对"));
        // Keys typed in the key map do not answer the question behind it.
        QVERIFY(QTest::qWaitForWindowActive(keyMap));
        QTest::keyClick(keyMap, Qt::Key_T);
        QCOMPARE(desk.run().question(1).userAnswer, QString());
        QTest::keyClick(keyMap, Qt::Key_Escape);
        QVERIFY(!keyMap->isVisible());
    }
};

DRILLBAY_TEST(AnswerKeysDeskTest)
#include "AnswerKeysDeskTest.moc"
