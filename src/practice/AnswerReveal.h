#pragma once

#include "practice/RunDisplay.h"
#include "practice/TickCountdown.h"
#include "question/RunQuestion.h"

#include <functional>
#include <optional>

// The answer reveal of the answer pages ("查看答案"): the pointer over the
// panel starts a countdown of half a second in ticks of the window's 100 ms
// timer, shown as a figure on the panels; leaving the panel does not stop it.
// When it runs out, the correct answer of the question it was started for is
// put on that question's page. A move to another question drops a pending
// reveal, so an answer never lands on the question that follows.
class AnswerReveal
{
public:
    static constexpr int kStart = 5; // tenths of a second

    // The figure and its visibility are written into display.
    explicit AnswerReveal(RunDisplay &display);

    // The pointer is over the panel while question `slot` is on screen: the
    // figure shows and the countdown starts. One already running goes on
    // unchanged, for the question it was started for.
    void start(int slot);
    // One tick: the figure counts down. When the countdown runs out, the slot
    // whose answer is due now; the countdown is then stopped and reloaded and
    // its figure hidden. Nothing while stopped.
    std::optional<int> tick();
    // A pending reveal is dropped: the countdown stops and reloads, the
    // figure is hidden.
    void cancel();

    bool running() const { return m_countdown.running(); }
    int left() const { return m_countdown.left(); }

    // Puts the correct answer of the question on its page:
    // - single choice: the chosen letter shows the correct one; the user's
    //   answer stays;
    // - multiple choice: the boxes of the correct digits are checked, all
    //   others cleared, and boxesChanged() records them as the user's clicks
    //   would; the chosen letters then show the correct digits in their
    //   stored order;
    // - fill-in and essay: the field or view shows the correct answer, which
    //   becomes the user's answer;
    // - true/false: the chosen answer shows "对" or "错"; the user's answer stays.
    void show(RunQuestion &question, const std::function<void()> &boxesChanged) const;

private:
    void showFigure(bool visible);

    RunDisplay &m_display;
    TickCountdown m_countdown{kStart};
    int m_slot = 0;
};
