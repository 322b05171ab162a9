#include "exam/PaperBrowseBuilder.h"

#include "base/GbkText.h"
#include "question/AnswerForm.h"
#include "question/QuestionType.h"

#include <QRegularExpression>
#include <QStringList>

namespace {

StyledSpan span(const QString &text, unsigned color)
{
    StyledSpan s;
    s.text = text;
    s.color = color;
    s.family = FontFamily::Song;
    s.pointSize = 11;
    return s;
}

// Appends lines as the review does: each trimmed, in its own colour, 宋体 11
// points; a text with line breaks becomes several lines.
void add(StyledText &lines, const StyledSpan &style)
{
    static const QRegularExpression breaks(QStringLiteral("\r\n|\r|\n"));
    if (!style.text.contains(QLatin1Char('\n')) && !style.text.contains(QLatin1Char('\r'))) {
        lines.append(trimmedLine(StyledLine{{style}}));
        return;
    }
    for (const QString &part : text::trimmed(style.text).split(breaks)) {
        StyledSpan piece = style;
        piece.text = part;
        lines.append(StyledLine{{piece}});
    }
}

void add(StyledText &lines, const QString &text, unsigned color = rgb::kBlack)
{
    add(lines, span(text, color));
}

void unanswered(StyledText &lines)
{
    add(lines, QStringLiteral(" 未答 "), rgb::kBlue);
}

// The four options, each the user chose in red.
void options(StyledText &lines, const RunQuestion &q, const QString &given, bool multiple)
{
    const QString texts[answer::kOptionCount] = {q.optionA, q.optionB, q.optionC, q.optionD};
    for (int i = 0; i < answer::kOptionCount; ++i) {
        const QChar digit = answer::optionDigit(i + 1);
        const bool chosen =
            multiple ? given.contains(digit) : (given.size() == 1 && given.at(0) == digit);
        add(lines, QString(answer::optionLetter(i + 1)) + QLatin1Char('.') + texts[i],
            chosen ? rgb::kRed : rgb::kBlack);
    }
}

// The letters of the answer's digits 1 … 4, in the order the user gave them.
QString lettersInGivenOrder(const QString &given)
{
    QString letters;
    for (const QChar c : given) {
        const QString letter = answer::letterOfDigit(c);
        letters += letter;
    }
    return letters;
}

} // namespace

StyledText PaperBrowseBuilder::build(const QString &chapterLabel,
                                     std::span<const RunQuestion> questions)
{
    StyledText lines;
    lines.reserve(static_cast<qsizetype>(questions.size()) * 10 + 8);
    add(lines, QString());
    add(lines, QString());
    StyledSpan header =
        span(QStringLiteral("试卷名：[") + chapterLabel + QLatin1Char(']'), rgb::kBlack);
    header.bold = true;
    header.underline = true;
    add(lines, header);

    int number = 0;
    for (const RunQuestion &q : questions) {
        ++number;
        const QString given = text::trimmed(q.userAnswer);
        add(lines, QString());
        add(lines, QStringLiteral("【") + text::twoDigits(number) + QStringLiteral("】(") +
                       question::typeName(q.typeCode, question::TypeNaming::Review) +
                       QStringLiteral(").") + q.stem + QStringLiteral(" (本题分数:") +
                       QString::number(q.points) + QStringLiteral("分)"));
        switch (question::fromCode(q.typeCode)) {
        case QuestionType::SingleChoice: {
            options(lines, q, given, false);
            const QString letter =
                given.size() == 1 ? answer::letterOfDigit(given.at(0)) : QString();
            if (given.isEmpty())
                unanswered(lines);
            else if (!letter.isEmpty())
                add(lines, QStringLiteral("您选择: ") + letter + QLatin1Char(' '), rgb::kRed);
            break;
        }
        case QuestionType::MultipleChoice:
            options(lines, q, given, true);
            if (given.isEmpty())
                add(lines, QStringLiteral(" 未答"), rgb::kBlue);
            else
                add(lines, QStringLiteral(" 你选择: ") + lettersInGivenOrder(given), rgb::kRed);
            break;
        case QuestionType::FillIn:
            if (given.isEmpty())
                add(lines, QStringLiteral(" 未答"), rgb::kBlue);
            else
                add(lines, QStringLiteral(" 你填写: ") + given, rgb::kRed);
            break;
        case QuestionType::TrueFalse:
            if (given.isEmpty())
                add(lines, QStringLiteral(" 未答"), rgb::kBlue);
            else
                add(lines,
                    QStringLiteral(" 你判定:") + (given == answer::kTrue ? QStringLiteral("正确")
                                                  : given == answer::kFalse ? QStringLiteral("错误")
                                                                            : given),
                    rgb::kRed);
            break;
        case QuestionType::Essay:
            if (given.isEmpty())
                add(lines, QStringLiteral(" 未答"), rgb::kBlue);
            else
                add(lines, QStringLiteral(" 你回答: ") + given, rgb::kRed);
            break;
        default:
            break;
        }
        add(lines, QString());
        add(lines, QString());
    }
    for (int i = 0; i < 5; ++i)
        add(lines, QString());
    return lines;
}
