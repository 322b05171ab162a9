#include "practice/AnswerReveal.h"

#include "base/GbkText.h"
#include "question/AnswerForm.h"
#include "question/QuestionType.h"

namespace {

// "1" … "4" -> "A" … "D", anything else -> empty.
QString letterOf(const QString &digit)
{
    return digit.size() == 1 ? answer::letterOfDigit(digit.at(0)) : QString();
}

} // namespace

AnswerReveal::AnswerReveal(RunDisplay &display) : m_display(display)
{
    showFigure(false);
}

void AnswerReveal::showFigure(bool visible)
{
    m_display.revealFigure = QString::number(m_countdown.left());
    m_display.revealFigureVisible = visible;
}

void AnswerReveal::start(int slot)
{
    showFigure(true);
    if (m_countdown.running())
        return;
    m_slot = slot;
    m_countdown.start();
}

std::optional<int> AnswerReveal::tick()
{
    if (!m_countdown.running())
        return std::nullopt;
    if (!m_countdown.tick()) {
        showFigure(true);
        return std::nullopt;
    }
    // The countdown stopped and reloaded itself.
    showFigure(false);
    return m_slot;
}

void AnswerReveal::cancel()
{
    m_countdown.stop();
    showFigure(false);
}

void AnswerReveal::show(RunQuestion &question, const std::function<void()> &boxesChanged) const
{
    const QString correct = question.correctAnswer;
    switch (question::fromCode(question.typeCode)) {
    case QuestionType::SingleChoice:
        m_display.singleChosen = letterOf(text::trimmed(correct));
        break;
    case QuestionType::MultipleChoice: {
        for (int i = 0; i < answer::kOptionCount; ++i)
            m_display.multiChecks[static_cast<size_t>(i)] =
                correct.contains(answer::optionDigit(i + 1));
        if (boxesChanged)
            boxesChanged();
        QString letters;
        for (const QChar c : correct)
            letters += letterOf(QString(c));
        m_display.multiChosen = letters;
        break;
    }
    case QuestionType::FillIn:
        m_display.fillInText = correct;
        question.userAnswer = correct;
        break;
    case QuestionType::TrueFalse: {
        const QString value = text::trimmed(correct);
        m_display.trueFalseChosen = value == answer::kTrue    ? QStringLiteral("对")
                                    : value == answer::kFalse ? QStringLiteral("错")
                                                              : QString();
        break;
    }
    case QuestionType::Essay:
        m_display.essayText = correct + QStringLiteral("\n");
        question.userAnswer = correct;
        break;
    default:
        break;
    }
}
