#include "question/RunQuestion.h"

#include "base/GbkText.h"

bool answeredCorrectly(const RunQuestion &question)
{
    if (!isObjective(question.typeCode))
        return false;
    const QString given = text::trimmed(question.userAnswer);
    return !given.isEmpty() && given == text::trimmed(question.correctAnswer);
}
