#include "practice/KnownViewBuilder.h"

#include "base/Colours.h"
#include "base/GbkText.h"
#include "question/AnswerForm.h"
#include "question/QuestionType.h"

#include <array>

namespace known {

namespace {

const QString kBreak = QStringLiteral("<BR>");
const QString kEllipsis = QStringLiteral("...");

// The grid's type names and the detail header's, by type code 1 … 5.
QString shortTypeName(int type)
{
    static const std::array<QString, question::kTypeCount> names = {
        QStringLiteral("单选"), QStringLiteral("多选"), QStringLiteral("填空"),
        QStringLiteral("判断"), QStringLiteral("论述")};
    return question::isTypeCode(type) ? names[type - 1] : QString();
}

QString longTypeName(int type)
{
    static const std::array<QString, question::kTypeCount> names = {
        QStringLiteral("单项选择题"), QStringLiteral("多项选择题"), QStringLiteral("填空题"),
        QStringLiteral("判断题"), QStringLiteral("论述题")};
    return question::isTypeCode(type) ? names[type - 1] : QString();
}

QString withoutBreaks(QString value)
{
    value.remove(kBreak);
    return value;
}

// A single choice in its form: one digit 1 … 4.
bool singleForm(const QString &answer)
{
    return answer.size() == 1 && !answer::letterOfDigit(answer.at(0)).isEmpty();
}

// A multiple choice in its form: option digits only, at least one.
bool multipleForm(const QString &answer)
{
    if (answer.isEmpty())
        return false;
    for (QChar c : answer) {
        if (answer::letterOfDigit(c).isEmpty())
            return false;
    }
    return true;
}

StyledLine plainLine(const QString &text, unsigned colour = rgb::kBlack)
{
    StyledSpan span;
    span.text = text;
    span.color = colour;
    span.family = FontFamily::Song;
    span.pointSize = 10;
    return trimmedLine(StyledLine{{span}});
}

// "  正确答案:" + answer in red, shown without its leading blanks.
StyledLine correctAnswerLine(const QString &answer)
{
    return plainLine(QStringLiteral("  正确答案:") + answer, rgb::kRed);
}

} // namespace

QString countLabel(int count, const QString &chapter)
{
    const QString figure = QStringLiteral("会做的试题数:") + QString::number(count);
    return chapter.isEmpty() ? figure
                             : figure + QStringLiteral("  【") + chapter + QStringLiteral("】");
}

QString gridStem(const QString &stem)
{
    const QString plain = withoutBreaks(stem);
    if (gbk::byteLength(plain) <= kStemCutBytes)
        return plain;
    return gbk::cut(plain, kStemCutBytes) + kEllipsis;
}

QString gridAnswer(int type, const QString &answer)
{
    const QString value = text::trimmed(answer);
    switch (question::fromCode(type)) {
    case QuestionType::SingleChoice:
        return singleForm(value) ? answer::letterOfDigit(value.at(0)) : value;
    case QuestionType::MultipleChoice: {
        if (!multipleForm(value))
            return value;
        QString letters;
        for (int option = 1; option <= answer::kOptionCount; ++option) {
            if (value.contains(answer::optionDigit(option)))
                letters += answer::optionLetter(option);
        }
        return letters;
    }
    case QuestionType::TrueFalse:
        if (value == answer::kTrue)
            return QStringLiteral("正确");
        if (value == answer::kFalse)
            return QStringLiteral("错误");
        return value;
    default:
        return QString();
    }
}

GridRow gridRow(const QuestionRow &row)
{
    return GridRow{QString::number(row.id), shortTypeName(row.type), gridStem(row.stem),
                   gridAnswer(row.type, row.answer)};
}

QList<GridRow> gridRows(const QList<QuestionRow> &rows)
{
    QList<GridRow> grid;
    grid.reserve(std::max<qsizetype>(rows.size(), 1));
    for (const QuestionRow &row : rows)
        grid.append(gridRow(row));
    if (grid.isEmpty())
        grid.append(GridRow{});
    return grid;
}

StyledText detail(const QuestionRow &row, int number)
{
    const QString stem = withoutBreaks(row.stem);
    const QString answer = text::trimmed(withoutBreaks(row.answer));
    StyledText lines;

    StyledSpan header;
    header.text = text::twoDigits(number) + QStringLiteral(".") + longTypeName(row.type);
    header.color = rgb::kGreen;
    lines.append(trimmedLine(StyledLine{{header}}));
    lines.append(plainLine(stem));

    switch (question::fromCode(row.type)) {
    case QuestionType::SingleChoice:
    case QuestionType::MultipleChoice: {
        const bool inForm = question::fromCode(row.type) == QuestionType::SingleChoice
                                ? singleForm(answer)
                                : multipleForm(answer);
        for (int option = 1; option <= answer::kOptionCount; ++option) {
            const QChar digit = answer::optionDigit(option);
            const bool correct =
                inForm && (question::fromCode(row.type) == QuestionType::SingleChoice
                               ? answer == QString(digit)
                               : answer.contains(digit));
            const QString text = QString(answer::optionLetter(option)) + QStringLiteral(".") +
                                 text::trimmed(withoutBreaks(row.options[option - 1]));
            lines.append(correct ? plainLine(text + QStringLiteral("√"), rgb::kRed)
                                 : plainLine(text));
        }
        if (!inForm)
            lines.append(correctAnswerLine(answer));
        break;
    }
    case QuestionType::TrueFalse:
        if (answer == answer::kTrue)
            lines.append(plainLine(QStringLiteral("√"), rgb::kRed));
        else if (answer == answer::kFalse)
            lines.append(plainLine(QStringLiteral("X"), rgb::kRed));
        else
            lines.append(correctAnswerLine(answer));
        break;
    default:
        // Fill-in, essay, and a type code outside 1 … 5: the answer as text.
        lines.append(correctAnswerLine(answer));
        break;
    }
    lines.append(plainLine(kSeparator, rgb::kGrey));
    return lines;
}

StyledText missingDetail()
{
    return {plainLine(QStringLiteral("[软件提示]:此题已不在题库中."), rgb::kRed)};
}

} // namespace known
