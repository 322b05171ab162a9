#pragma once

#include "practice/AnswerReveal.h"
#include "practice/RunDisplay.h"
#include "practice/RunScreen.h"
#include "practice/RunSource.h"
#include "practice/TickCountdown.h"
#include "question/RunMode.h"
#include "question/RunQuestion.h"
#include "settings/Settings.h"

#include <QObject>
#include <QString>
#include <QVector>

class Notifier;

// The one practice run of the program: the loaded questions, the moves between
// them, answer capture with its instant feedback and the automatic move; what
// it puts on screen (RunScreen) and the answer reveal are classes beside it.
// The main window owns the run,
// forwards the user's actions and the ticks of its two 100 ms timers, and
// renders display() after every changed().
class PracticeRun : public QObject
{
    Q_OBJECT

public:
    static constexpr int kRevealStart = AnswerReveal::kStart; // tenths of a second
    static constexpr int kFillInMaxBytes = 255;               // typed fill-in answers, GBK bytes

    PracticeRun(const Settings &settings, Notifier &notifier, QObject *parent = nullptr);

    // --- Loading and ending -------------------------------------------------

    // Fills slots 1 … n (at most question::kRunCapacity; slots beyond keep older contents),
    // sets the length, kind and exam flag, makes the run active, shows question
    // 1, marks the answers and builds the strip. An empty list loads nothing.
    void load(const QVector<RunQuestion> &loaded, RunMode mode, bool examMode);
    // What a source gives: the same, from its content.
    void load(const RunContent &content)
    {
        load(content.questions, content.mode, content.examMode);
    }
    // The chapter was divided into sets anew: no question is current any more.
    // While a run is active the countdown is asked to stop and the
    // single-choice page is shown empty.
    void chapterDivided();
    // Shows the chapter page and sets the progress bar to 0.
    void showChapterPage();
    // Removes the question-number strip.
    void freeStrip();
    // Ends the run when the review closes: not active, no mock examination, no
    // question current, both countdowns stopped and reloaded, answer pages
    // cleared, strip removed, chapter page shown.
    void endRun();
    // Grading starts: the automatic move and the answer reveal stop where they are.
    void stopTimers();
    // The wrong-question redo: the objective questions (single choice,
    // multiple choice, true/false) not answered correctly, in run order with
    // their answers cleared, are loaded again as a run of the same kind and
    // exam flag; fill-in and essay questions are dropped. With none to redo,
    // or no active run, nothing changes.
    struct Redo
    {
        int before = 0; // questions of the run before
        int kept = 0;   // questions of the redo
    };
    Redo redoWrong();

    // --- Moves ----------------------------------------------------------------

    void next();  // "下一题[Next]"
    void prior(); // "前一题[Prior]"
    void stripClick(int number);

    // --- Answers (act on the question on screen only) --------------------------

    void answerSingle(int digit);              // buttons A … D: 1 … 4
    void setMultiBox(int index, bool checked); // check boxes A … D: 0 … 3
    void fillInKeyPress();
    void fillInKeyRelease(const QString &fieldText);
    // Whether the fill-in field may hold this text: at most kFillInMaxBytes GBK
    // bytes, or as many as the correct answer of the question on screen has
    // when that is longer, so that a revealed answer always fits whole.
    bool fillInAllowed(const QString &fieldText) const;
    void essayKeyPress();
    void essayKeyRelease(const QString &viewText);
    void answerTrueFalse(bool value); // "对" true, "错" false
    // Pointer over "查看答案": half a second later the answer of the question
    // on screen is revealed, unless the user moved on meanwhile.
    void revealHover();
    // The question on screen was marked known: a single choice, multiple
    // choice or true/false question takes its correct answer as the user's,
    // so the run counts it right. False when no question is on screen.
    bool takeCorrectAnswer();

    // --- Timers ---------------------------------------------------------------

    void tickAdvance();
    void tickReveal();
    // A pending automatic move is dropped (the viewer of known questions closed).
    void cancelAutomaticMove();
    bool advanceRunning() const { return m_advance.running(); }
    bool revealRunning() const { return m_reveal.running(); }
    int advanceCountdown() const { return m_advance.left(); }
    int revealCountdown() const { return m_reveal.left(); }

    // The slider of the settings page (milliseconds, 300 … 5000). The advance
    // countdown is reloaded from it, position ÷ 100 rounded halves to even.
    void setSliderPosition(int position);
    int sliderPosition() const { return m_sliderPosition; }
    int sliderDelay() const;

    // --- Judging operations shared with grading ---------------------------------

    // wrongMark of every slot 1 … N, then the strip colour of question current − 1.
    void markAnswers();
    // objectiveCount / objectiveCorrect and the live figures of the top bar.
    void refreshLiveCounts();

    // --- State ----------------------------------------------------------------

    const RunDisplay &display() const { return m_display; }
    const Settings &settings() const { return m_settings; }

    RunQuestion &question(int k); // k in 1 … 300
    const RunQuestion &question(int k) const;
    bool questionOnScreen() const { return m_current >= 1 && m_current <= m_n; }

    // Questions loaded, 1 … 300.

    int length() const { return m_n; }
    int current() const { return m_current; }
    bool active() const { return m_active; }
    bool examMode() const { return m_examMode; }
    RunMode mode() const { return m_mode; }
    int objectiveCount() const { return m_objectiveCount; }
    int objectiveCorrect() const { return m_objectiveCorrect; }
    int wrongStreak() const { return m_wrongStreak; }

signals:
    // The display state or a field changed; render display().
    void changed();
    // The countdown must stop (the user passed the last question, or a
    // chapter was loaded while a run is active).
    void countdownStopRequested();
    // Next went past the last question: the score page is up.
    void passedLastQuestion();
    // The left panel must show its command page (strip click without a run).
    void commandPageRequested();

private:
    using Move = RunScreen::Move;

    void showQuestion(int k, Move move);
    void finishMove(Move move);
    void endOfRun();
    void automaticMove();
    void startAutomaticMove();
    void stopAutomaticMove();
    void buildStrip();
    void switchPage(RunDisplay::Page page);
    void updateTimerFlags();
    // A check box changed, by the user or by the system.
    void multiBoxesChanged();
    void revealAnswer();
    void stopReveal();
    void typedKeyPress(QuestionType type);
    void typedKeyRelease(QuestionType type, const QString &shown, const QString &answer);
    bool controlApplies(QuestionType type) const;

    Settings m_settings;
    Notifier &m_notifier;
    QVector<RunQuestion> m_slots; // index 0 unused

    int m_n = 0;
    int m_current = 0;
    bool m_active = false;
    bool m_examMode = false;
    RunMode m_mode = RunMode::None;
    int m_objectiveCount = 0;
    int m_objectiveCorrect = 0;
    int m_wrongStreak = 0;
    int m_runSerial = 0; // grows with every load and every end of a run

    int m_sliderPosition = 0;
    TickCountdown m_advance; // the automatic move to the next question

    RunDisplay m_display;
    RunScreen m_screen{m_display, m_settings};
    AnswerReveal m_reveal{m_display};
};
