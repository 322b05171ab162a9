#pragma once

#include "question/QuestionType.h"

#include <QString>

// One slot of the practice run: a question as loaded (texts decoded, trimmed,
// "<BR>" removed) and the user's answer in the encoding of its type.
struct RunQuestion
{
    qint64 questionId = 0;
    int typeCode = 0;
    QString stem;
    QString optionA;
    QString optionB;
    QString optionC;
    QString optionD;
    QString correctAnswer;
    QString userAnswer;
    int points = 0;
    QString imageName;
    bool wrongMark = false;
};

using question::isObjective;

namespace question {

// The most questions a run holds: its slots are numbered 1 … 300.
inline constexpr int kRunCapacity = 300;

} // namespace question
