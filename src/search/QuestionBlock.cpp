#include "search/QuestionBlock.h"

#include "base/Colours.h"
#include "base/GbkText.h"
#include "question/AnswerForm.h"
#include "question/QuestionType.h"

namespace {

const QString kCheck = QStringLiteral("√");

StyledLine writtenLine(const QString &text, unsigned color, bool underline)
{
    StyledSpan span;
    span.text = text;
    span.color = color;
    span.underline = underline;
    span.family = FontFamily::Song;
    span.pointSize = 11;
    return trimmedLine(StyledLine{{span}});
}

QString typeNameOf(int type, QuestionBlock::Variant variant)
{
    if (question::fromCode(type) == QuestionType::Essay)
        return variant == QuestionBlock::Variant::Search ? QStringLiteral("简答题")
                                                         : QStringLiteral("论述题");
    return question::typeName(type, question::TypeNaming::Review);
}

// The single-choice answer line of a paper: the letter of a stored digit
// "1" … "4", anything else as stored.
QString singleAnswer(const QString &answer)
{
    if (answer.size() == 1) {
        const QString letter = answer::letterOfDigit(answer.at(0));
        if (!letter.isEmpty())
            return letter;
    }
    return answer;
}

// The letters of the options a multiple-choice answer holds, in option
// order: "31" gives "AC".
QString markedLetters(const QString &answer)
{
    QString letters;
    for (int option = 1; option <= answer::kOptionCount; ++option) {
        if (answer.contains(answer::optionDigit(option)))
            letters += answer::optionLetter(option);
    }
    return letters;
}

} // namespace

StyledLine QuestionBlock::plainLine(const QString &text, unsigned color)
{
    return writtenLine(text, color, false);
}

StyledLine QuestionBlock::underlinedLine(const QString &text, unsigned color)
{
    return writtenLine(text, color, true);
}

QString QuestionBlock::shown(const QString &text)
{
    QString out = text;
    out.remove(QStringLiteral("<BR>"));
    return text::trimmed(out);
}

void QuestionBlock::append(StyledText &lines, const QuestionRow &question, int number,
                           Variant variant)
{
    const bool search = variant == Variant::Search;
    lines.append(plainLine(QString(search ? 51 : 53, QLatin1Char('-')), rgb::kGrey));
    lines.append(plainLine(QString(), rgb::kGrey));
    lines.append(plainLine(QStringLiteral("【") + text::twoDigits(number) + QStringLiteral("】(") +
                               typeNameOf(question.type, variant) + QStringLiteral(").") +
                               shown(question.stem) + QStringLiteral(" (本题分数:") +
                               QString::number(question.points) + QStringLiteral("分)"),
                           rgb::kBlack));

    const QString correct = shown(question.answer);
    switch (question::fromCode(question.type)) {
    case QuestionType::SingleChoice:
    case QuestionType::MultipleChoice: {
        const bool multiple = question::fromCode(question.type) == QuestionType::MultipleChoice;
        for (int i = 0; i < answer::kOptionCount; ++i) {
            const QChar digit = answer::optionDigit(i + 1);
            const QString text = QString(answer::optionLetter(i + 1)) + QLatin1Char('.') +
                                 shown(question.options[static_cast<size_t>(i)]);
            const bool marked = multiple ? correct.contains(digit)
                                         : (correct.size() == 1 && correct.at(0) == digit);
            if (!marked)
                lines.append(plainLine(text, rgb::kBlack));
            else if (!multiple)
                lines.append(underlinedLine(text + kCheck, rgb::kRed));
            else
                lines.append(plainLine(text + kCheck, rgb::kRed));
        }
        if (!search) {
            lines.append(plainLine(multiple ? QStringLiteral("正确答案：") + markedLetters(correct)
                                            : QStringLiteral("正确答案:  ") + singleAnswer(correct),
                                   rgb::kRed));
        }
        break;
    }
    case QuestionType::TrueFalse:
        lines.append(plainLine(correct == answer::kTrue ? QStringLiteral("正确答案: √")
                                                        : QStringLiteral("正确答案: X"),
                               rgb::kRed));
        break;
    case QuestionType::FillIn:
    case QuestionType::Essay:
        lines.append(plainLine(QStringLiteral("正确答案:") + correct, rgb::kRed));
        break;
    default:
        break;
    }
}

StyledText QuestionBlock::build(const QuestionRow &question, int number, Variant variant)
{
    StyledText lines;
    append(lines, question, number, variant);
    return lines;
}
