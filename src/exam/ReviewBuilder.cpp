#include "exam/ReviewBuilder.h"

#include "base/GbkText.h"
#include "question/AnswerForm.h"
#include "question/QuestionType.h"

#include <QRegularExpression>
#include <QStringList>

namespace {

const QString kCheck = QStringLiteral("√");

// The one line writer of the review: every line is split at line breaks,
// trimmed and appended with its own style (宋体 11 points unless stated).
class LineWriter
{
public:
    explicit LineWriter(StyledText &lines) : m_lines(lines) {}

    void line(const QString &text, unsigned color = rgb::kBlack) { styled(span(text, color)); }
    void empty() { line(QString()); }

    void styled(const StyledSpan &style)
    {
        static const QRegularExpression breaks(QStringLiteral("\r\n|\r|\n"));
        if (!style.text.contains(QLatin1Char('\n')) && !style.text.contains(QLatin1Char('\r'))) {
            m_lines.append(trimmedLine(StyledLine{{style}}));
            return;
        }
        // Only the ends of the whole text are trimmed: the lines of a
        // multi-line answer keep their indentation.
        const QStringList parts = text::trimmed(style.text).split(breaks);
        for (const QString &part : parts) {
            StyledSpan piece = style;
            piece.text = part;
            m_lines.append(StyledLine{{piece}});
        }
    }

    static StyledSpan span(const QString &text, unsigned color)
    {
        StyledSpan s;
        s.text = text;
        s.color = color;
        s.family = FontFamily::Song;
        s.pointSize = 11;
        return s;
    }

private:
    StyledText &m_lines;
};

QString singleLetter(const QString &answer)
{
    return answer.size() == 1 ? answer::letterOfDigit(answer.at(0)) : QString();
}

QString judgement(const QString &answer)
{
    if (answer == answer::kTrue)
        return QStringLiteral("正确");
    if (answer == answer::kFalse)
        return QStringLiteral("错误");
    return answer;
}

void writeOptions(LineWriter &out, const RunQuestion &q, const QString &correct, bool multiple)
{
    const QString options[answer::kOptionCount] = {q.optionA, q.optionB, q.optionC, q.optionD};
    for (int i = 0; i < answer::kOptionCount; ++i) {
        const QChar digit = answer::optionDigit(i + 1);
        const bool marked =
            multiple ? correct.contains(digit) : (correct.size() == 1 && correct.at(0) == digit);
        const QString text = QString(answer::optionLetter(i + 1)) + QLatin1Char('.') + options[i];
        if (marked)
            out.line(text + kCheck, rgb::kRed);
        else
            out.line(text, rgb::kBlack);
    }
}

} // namespace

QString ReviewBuilder::noObjectiveLine()
{
    return Grading::noPercentageLine();
}

ReviewBuilder::Review ReviewBuilder::build(const QString &chapterLabel,
                                           std::span<const RunQuestion> questions)
{
    Review review;
    review.lines.reserve(static_cast<qsizetype>(questions.size()) * 12 + 16);
    LineWriter out(review.lines);

    out.empty();
    out.empty();
    StyledSpan header = LineWriter::span(
        QStringLiteral("试卷名：考试训练题库[") + chapterLabel + QLatin1Char(']'), rgb::kBlack);
    header.bold = true;
    header.underline = true;
    out.styled(header);

    const QString separator(55, QLatin1Char('-'));
    int running = 0;
    int number = 0;
    for (const RunQuestion &q : questions) {
        ++number;
        const QString correct = text::trimmed(q.correctAnswer);
        const QString given = text::trimmed(q.userAnswer);
        const bool right = Grading::answeredCorrectly(q);
        if (right)
            running += q.points;

        out.empty();
        out.line(QStringLiteral("【") + text::twoDigits(number) + QStringLiteral("】(") +
                     question::typeName(q.typeCode, question::TypeNaming::Review) +
                     QStringLiteral(").") + q.stem + QStringLiteral(" (本题分数:") +
                     QString::number(q.points) + QStringLiteral("分)"),
                 rgb::kBlack);

        switch (question::fromCode(q.typeCode)) {
        case QuestionType::SingleChoice:
        case QuestionType::MultipleChoice: {
            const bool multiple = question::fromCode(q.typeCode) == QuestionType::MultipleChoice;
            writeOptions(out, q, correct, multiple);
            out.empty();
            out.line(QStringLiteral("  正确答案:") +
                         (multiple ? answer::lettersOf(correct) : singleLetter(correct)),
                     rgb::kRed);
            const QString mine = given.isEmpty()
                                     ? QStringLiteral("未答")
                                     : (multiple ? answer::lettersOf(given) : singleLetter(given));
            out.line(QStringLiteral("  你的答案:") + mine + QLatin1Char(' '), rgb::kGreen);
            out.line(right ? QStringLiteral("  答案判定: √   得分:") + QString::number(running)
                           : QStringLiteral("  答案判定: X "),
                     rgb::kRed);
            break;
        }
        case QuestionType::TrueFalse:
            out.empty();
            out.line(QStringLiteral("  正确答案:") + judgement(correct), rgb::kRed);
            out.line(QStringLiteral("  你的答案:") +
                         (given.isEmpty() ? QStringLiteral("未答") : judgement(given)),
                     rgb::kGreen);
            out.line(right ? QStringLiteral("  答案判定:  √得分:") + QString::number(running)
                           : QStringLiteral("  答案判定:  X "),
                     rgb::kRed);
            break;
        case QuestionType::FillIn:
        case QuestionType::Essay:
            out.empty();
            out.line(QStringLiteral("  正确答案:") + correct, rgb::kRed);
            out.empty();
            out.line(QStringLiteral("  你的答案:") +
                         (given.isEmpty() ? QStringLiteral("未答") : given),
                     rgb::kGreen);
            break;
        default:
            break;
        }
        out.line(separator, rgb::kGrey);
    }

    review.score = Grading::score(questions);
    review.countFigure = review.score.countFigure();
    out.line(QStringLiteral("客观题正确：") + QString::number(review.score.correct) +
                 QStringLiteral(" /客观总数:") + QString::number(review.score.count),
             rgb::kBlack);
    if (review.score.percentage) {
        review.percentFigure = QString::number(*review.score.percentage);
        StyledSpan big = LineWriter::span(review.percentFigure + QStringLiteral("分"), rgb::kRed);
        big.family = FontFamily::Arial;
        big.pointSize = 30;
        big.bold = true;
        out.styled(big);
    } else {
        out.line(noObjectiveLine(), rgb::kRed);
    }
    for (int i = 0; i < 5; ++i)
        out.empty();
    return review;
}
