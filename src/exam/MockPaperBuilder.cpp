#include "exam/MockPaperBuilder.h"

#include "base/GbkText.h"
#include "question/AnswerForm.h"
#include "question/QuestionType.h"

#include <QRegularExpression>
#include <QStringList>
#include <numeric>

namespace {

const QString kCheck = QStringLiteral("√");

// Appends text as one line, or as several when it holds line breaks (a stem
// or an answer written over several lines); only the ends of the whole text
// are trimmed then, so the inner lines keep their indentation.
void write(StyledText &lines, const StyledSpan &style)
{
    if (!style.text.contains(QLatin1Char('\n')) && !style.text.contains(QLatin1Char('\r'))) {
        lines.append(trimmedLine(StyledLine{{style}}));
        return;
    }
    static const QRegularExpression breaks(QStringLiteral("\r\n|\r|\n"));
    const QStringList parts = text::trimmed(style.text).split(breaks);
    for (const QString &part : parts) {
        StyledSpan piece = style;
        piece.text = part;
        lines.append(StyledLine{{piece}});
    }
}

void line(StyledText &lines, const QString &text, unsigned color, bool underline = false)
{
    write(lines, MockPaperBuilder::span(text, color, underline));
}

void emptyLine(StyledText &lines)
{
    line(lines, QString(), rgb::kBlack);
}

// The letters of the answer's option digits, in A … D order whatever order
// the digits are stored in.
QString lettersInOrder(const QString &digits)
{
    QString letters;
    for (int option = 1; option <= answer::kOptionCount; ++option) {
        if (digits.contains(answer::optionDigit(option)))
            letters += answer::optionLetter(option);
    }
    return letters;
}

void appendOptions(StyledText &lines, const RunQuestion &q, bool multiple)
{
    const QString options[answer::kOptionCount] = {q.optionA, q.optionB, q.optionC, q.optionD};
    const QString &correct = q.correctAnswer;
    for (int i = 0; i < answer::kOptionCount; ++i) {
        const QChar digit = answer::optionDigit(i + 1);
        const QString text = QString(answer::optionLetter(i + 1)) + QLatin1Char('.') + options[i];
        if (multiple && correct.contains(digit))
            line(lines, text + kCheck, rgb::kRed);
        else if (!multiple && correct.size() == 1 && correct.at(0) == digit)
            line(lines, text + kCheck, rgb::kRed, true);
        else
            line(lines, text, rgb::kBlack);
    }
}

} // namespace

StyledSpan MockPaperBuilder::span(const QString &text, unsigned color, bool underline)
{
    StyledSpan s;
    s.text = text;
    s.color = color;
    s.underline = underline;
    s.family = FontFamily::Song;
    s.pointSize = 11;
    return s;
}

StyledText MockPaperBuilder::heading(const QString &title, const QString &countLead,
                                     const TypeCounts &counts)
{
    static const QString typeLeads[5] = {
        QStringLiteral("单选试题数:"), QStringLiteral("多选试题数:"), QStringLiteral("填空试题数:"),
        QStringLiteral("判断试题数:"), QStringLiteral("论述试题数:")};
    StyledText lines;
    emptyLine(lines);
    line(lines, title, rgb::kRed, true);
    emptyLine(lines);
    emptyLine(lines);
    const int all = std::accumulate(counts.begin(), counts.end(), 0);
    line(lines, countLead + QString::number(all), rgb::kRed, true);
    for (int t = 0; t < 5; ++t)
        line(lines, typeLeads[t] + QString::number(counts[t]), rgb::kGreen, true);
    emptyLine(lines);
    return lines;
}

void MockPaperBuilder::appendQuestion(StyledText &lines, const RunQuestion &q, int number)
{
    line(lines,
         QStringLiteral("【") + text::twoDigits(number) + QStringLiteral("】(") +
             question::typeName(q.typeCode) + QStringLiteral(").") + q.stem +
             QStringLiteral(" (本题分数:") + QString::number(q.points) + QStringLiteral("分)"),
         rgb::kBlack);
    switch (question::fromCode(q.typeCode)) {
    case QuestionType::SingleChoice: {
        appendOptions(lines, q, false);
        const QString letter =
            q.correctAnswer.size() == 1 ? answer::letterOfDigit(q.correctAnswer.at(0)) : QString();
        line(lines, QStringLiteral(" 正确答案:  ") + (letter.isEmpty() ? q.correctAnswer : letter),
             rgb::kRed);
        break;
    }
    case QuestionType::MultipleChoice:
        appendOptions(lines, q, true);
        line(lines, QStringLiteral("  正确答案：") + lettersInOrder(q.correctAnswer), rgb::kRed);
        break;
    case QuestionType::TrueFalse:
        line(lines,
             QStringLiteral("  正确答案:  ") +
                 (q.correctAnswer == answer::kTrue ? kCheck : QStringLiteral("X")),
             rgb::kFuchsia);
        break;
    default: // fill-in and essay
        line(lines, QStringLiteral("  正确答案:") + q.correctAnswer, rgb::kGreen);
        break;
    }
    emptyLine(lines);
    emptyLine(lines);
}
