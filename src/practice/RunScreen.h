#pragma once

#include "practice/RunDisplay.h"
#include "question/RunQuestion.h"
#include "settings/Settings.h"

#include <functional>

// What the practice run puts on screen, written into its RunDisplay: the
// page and question view of the question shown, the answer it shows as
// chosen, the progress bar and hints after a move, the question-number strip,
// the live figures of the top bar and the score page. The run decides when;
// this class knows how each of them looks.
class RunScreen
{
public:
    // How the question came on screen.
    enum class Move
    {
        First,
        Next,
        Prior,
        Automatic
    };

    RunScreen(RunDisplay &display, const Settings &settings);

    // The page the window shows; every switch counts.
    void switchPage(RunDisplay::Page page);
    // Question `number` on its answer page: the question view, the user's
    // answer as chosen, the picture and the reveal panels. The multiple-choice
    // boxes are set one by one, and boxesChanged() follows each box that
    // changed, as a click would.
    void showQuestion(const RunQuestion &question, int number, Move move, bool examMode,
                      const std::function<void()> &boxesChanged);
    // After a move to question `current` of `length`: the percentage, the
    // progress bar, the hint to hand in and the single-choice reveal panel.
    void finishMove(Move move, int current, int length, bool examMode);
    // Every answer page empty: no question, no chosen answer, no marks.
    void clearAnswerPages();
    // A multiple-choice box set by the system: boxesChanged() follows when
    // it changed.
    void setBox(int index, bool checked, const std::function<void()> &boxesChanged);

    // Numbers 1 … length, grey and plain.
    void buildStrip(int length);
    // The number of an answered question turns bold: silver for fill-in and
    // essay, red when marked wrong, green otherwise. Nothing outside the strip.
    void markStripNumber(int number, const RunQuestion &question);
    // The top bar's "correct / objective".
    void showLiveCounts(int correct, int objective);
    // The score page with the run's objective figures.
    void showScore(int correct, int objective);

private:
    RunDisplay &m_display;
    const Settings &m_settings;
};
