#pragma once

#include "question/RunQuestion.h"

#include <QString>
#include <optional>
#include <span>

// Marking of a practice run: the objective questions (types 1, 2 and 4) are
// counted and compared with their correct answers; fill-in and essay questions
// are left to the user.
class Grading
{
public:
    // The objective result of a run.
    struct Score
    {
        int count = 0;                 // objective questions
        int correct = 0;               // of those, answered correctly
        std::optional<int> percentage; // only when the run has an objective question

        // The right panel's first figure: correct "/" count.
        QString countFigure() const;
        bool operator==(const Score &) const = default;
    };

    // An objective slot is answered correctly when its user answer is not
    // empty and, trimmed, is the same string as its trimmed correct answer
    // (so an empty answer is wrong even against an empty stored answer).
    // Fill-in and essay questions never are.
    static bool answeredCorrectly(const RunQuestion &question);

    // correct / count x 100, rounded halves to even; nothing without objective questions.
    static std::optional<int> percentage(int correct, int count);
    // Said in place of the percentage of a run without objective questions.
    static QString noPercentageLine();

    // Counts the questions of a run (given in order) and computes the percentage.
    static Score score(std::span<const RunQuestion> questions);
};
