#include "question/Grading.h"

#include "base/GbkText.h"

QString Grading::Score::countFigure() const
{
    return QString::number(correct) + QLatin1Char('/') + QString::number(count);
}

bool Grading::answeredCorrectly(const RunQuestion &question)
{
    // One rule for the live figures and for grading: an empty answer is wrong,
    // even against a (broken) empty stored answer.
    if (!isObjective(question.typeCode))
        return false;
    const QString given = text::trimmed(question.userAnswer);
    return !given.isEmpty() && given == text::trimmed(question.correctAnswer);
}

std::optional<int> Grading::percentage(int correct, int count)
{
    if (count < 1)
        return std::nullopt;
    return text::roundHalfEven(correct * 100.0 / count);
}

QString Grading::noPercentageLine()
{
    return QStringLiteral("本套试题没有客观题，不计算得分率。");
}

Grading::Score Grading::score(std::span<const RunQuestion> questions)
{
    Score result;
    for (const RunQuestion &question : questions) {
        if (!isObjective(question.typeCode))
            continue;
        ++result.count;
        if (answeredCorrectly(question))
            ++result.correct;
    }
    result.percentage = percentage(result.correct, result.count);
    return result;
}
