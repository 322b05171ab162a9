#pragma once

#include "base/StyledText.h"
#include "question/Grading.h"
#include "question/RunQuestion.h"

#include <span>

// Builds the annotated review of a graded run: every question with the correct
// answer, the user's answer and the verdict, the objective result and the
// percentage. Pure: reads the questions, changes nothing.
class ReviewBuilder
{
public:
    struct Review
    {
        StyledText lines;
        Grading::Score score;
        // The right panel: correct "/" objective questions, and the percentage
        // ("" when the run has no objective question).
        QString countFigure;
        QString percentFigure;
    };

    // Shown in place of the percentage line when the run has no objective question.
    static QString noObjectiveLine();

    static Review build(const QString &chapterLabel, std::span<const RunQuestion> questions);
};
