#include "editor/QuestionListText.h"

#include "base/GbkText.h"
#include "editor/ListVocabulary.h"
#include "question/AnswerForm.h"
#include "question/QuestionType.h"

#include <QRegularExpression>
#include <array>
#include <optional>

namespace {

const QString kOptionSeparators = QStringLiteral(".、．:：)）");

const QRegularExpression &headingPattern()
{
    static const QRegularExpression pattern(
        QStringLiteral("^(?:第?[一二三四五六七八九十]{1,3}\\s*(?:[、.．:：]|部分)\\s*|[（(]["
                       "一二三四五六七八九十]{1,3}["
                       ")）]\\s*)?"
                       "(单项选择题|单项选择|单选题|多项选择题|多项选择|多选题|不定项选择题|选择题|"
                       "填空题|判断题|是非题|"
                       "简答题|问答题|论述题|名词解释)"
                       "\\s*(?:[（(]([^)）]*)[)）])?\\s*[:：]?$"));
    return pattern;
}

const QRegularExpression &numberPattern()
{
    static const QRegularExpression pattern(QStringLiteral(
        "^(?:第\\s*(\\d{1,5})\\s*题\\s*[、.．:：]?|[（(]\\s*(\\d{1,5})\\s*[)）]|(\\d{1,"
        "5})\\s*(?:[、．]|\\.))\\s*(.*)$"));
    return pattern;
}

const QRegularExpression &answerMarker()
{
    static const QRegularExpression pattern(QStringLiteral(
        "【\\s*(?:正确|参考|标准)?答案\\s*】\\s*[:：]?|(?:正确|参考|标准)?答案\\s*[:：]"));
    return pattern;
}

const QRegularExpression &notePattern()
{
    static const QRegularExpression pattern(
        QStringLiteral("^(?:【\\s*(?:答案|试题)?解析\\s*】|(?:答案|试题)?解析\\s*[:：])\\s*(.*)$"));
    return pattern;
}

const QRegularExpression &scoreLinePattern()
{
    static const QRegularExpression pattern(
        QStringLiteral("^(?:分值|分数|【分值】)\\s*[:：]?\\s*(\\S*)\\s*分?$"));
    return pattern;
}

const QRegularExpression &stemScorePattern()
{
    static const QRegularExpression pattern(
        QStringLiteral("[（(]\\s*([^（()）\\s]{1,4}?)\\s*分\\s*[)）]"));
    return pattern;
}

const QRegularExpression &sectionScorePattern()
{
    static const QRegularExpression pattern(QStringLiteral("每(?:小)?题\\s*(\\d{1,3})\\s*分"));
    return pattern;
}

// A bracket holding a choice or true/false answer: "（ B ）", "(AC)", "（√）".
const QRegularExpression &bracketAnswerPattern()
{
    static const QRegularExpression pattern(QStringLiteral(
        "([（(])\\s*([A-D](?:\\s*[A-D]){0,3}|√|×|✓|✗|✔|✘|对|错|正确|错误)\\s*([)）])"));
    return pattern;
}

// A blank holding a fill-in answer: "____一次完成____" or "（ 一次完成 ）".
const QRegularExpression &blankAnswerPattern()
{
    static const QRegularExpression pattern(QStringLiteral(
        "[_＿]{2,}\\s*([^_＿\\s][^_＿]*?)\\s*[_＿]{2,}|([（(])[ \\t\\x{3000}]+([^)）]+?)"
        "[ \\t\\x{3000}]+([)）])"));
    return pattern;
}

const QRegularExpression &emptyBlankPattern()
{
    static const QRegularExpression pattern(QStringLiteral("[_＿]{2,}|[（(][ \\t\\x{3000}]*[)）]"));
    return pattern;
}

enum class Part
{
    Stem,
    Option,
    Answer,
    Note
};

struct Pending
{
    int line = 0;
    int number = 0;
    int headingType = 0;
    QString sectionPoints;
    QString stem;
    std::array<QString, answer::kOptionCount> options;
    int optionCount = 0;
    bool hasAnswer = false;
    QString answer;
    QString points;
    QString note;
    Part part = Part::Stem;
    int innerLast = 0; // the last number of a list inside the answer

    QString &current()
    {
        switch (part) {
        case Part::Option:
            return options[static_cast<size_t>(optionCount - 1)];
        case Part::Answer:
            return answer;
        case Part::Note:
            return note;
        default:
            return stem;
        }
    }
    void append(const QString &text)
    {
        QString &field = current();
        if (!field.isEmpty())
            field += QLatin1Char('\n');
        field += text;
    }
};

// "1.5" read as "1." and "5": a decimal number rather than a numbered line.
bool looksDecimal(const QRegularExpressionMatch &number, const QString &line)
{
    return number.hasMatch() && number.capturedLength(3) > 0 &&
           line.at(number.capturedEnd(3)) == u'.' && number.capturedLength(4) > 0 &&
           number.captured(4).at(0).isDigit();
}

bool isAsciiWordChar(QChar c)
{
    return c.unicode() < 128 && c.isLetterOrNumber();
}

// The option line "A.甲 B.乙 C.丙" cut into its options, the first letter
// given; each later marker is the next letter with a separator, not glued to
// a word before it.
QList<QPair<int, QString>> splitOptions(const QString &line)
{
    QList<QPair<int, QString>> parts;
    const int first = static_cast<int>(answer::kOptionLetters.indexOf(line.at(0)));
    int letter = first;
    qsizetype start = 2;
    for (qsizetype i = 2; i + 1 < line.size(); ++i) {
        if (letter + 1 >= answer::kOptionCount)
            break;
        const QChar next = answer::kOptionLetters.at(letter + 1);
        if (line.at(i) == next && !isAsciiWordChar(line.at(i - 1)) &&
            kOptionSeparators.contains(line.at(i + 1))) {
            parts.append({letter, text::trimmed(line.mid(start, i - start))});
            ++letter;
            start = i + 2;
        }
    }
    parts.append({letter, text::trimmed(line.mid(start))});
    return parts;
}

bool isOptionLine(const QString &line)
{
    return line.size() >= 2 && answer::kOptionLetters.contains(line.at(0)) &&
           (kOptionSeparators.contains(line.at(1)) ||
            (line.at(1).isSpace() && line.size() > 2 && line.at(2).unicode() >= 128));
}

QString chopStops(QString text)
{
    text = text::trimmed(text);
    while (!text.isEmpty() && QStringLiteral("。.；;，,").contains(text.back()))
        text.chop(1);
    return text::trimmed(text);
}

ListDraft finish(Pending &q)
{
    ListDraft result;
    result.line = q.line;
    QString stem = q.stem;

    // The score written in the stem, the last one counted.
    QString points = q.points;
    auto scores = stemScorePattern().globalMatch(stem);
    QRegularExpressionMatch lastScore;
    while (scores.hasNext())
        lastScore = scores.next();
    if (lastScore.hasMatch()) {
        if (points.isEmpty())
            points = lastScore.captured(1);
        stem.remove(lastScore.capturedStart(), lastScore.capturedLength());
    }
    if (points.isEmpty())
        points = q.sectionPoints.isEmpty() ? draft::kDefaultPoints : q.sectionPoints;

    const bool hasOptions = q.optionCount > 0;
    QString raw = q.answer;
    bool fromBracket = false;
    if (!q.hasAnswer) {
        auto brackets = bracketAnswerPattern().globalMatch(stem);
        QRegularExpressionMatch last;
        while (brackets.hasNext())
            last = brackets.next();
        if (last.hasMatch()) {
            raw = last.captured(2);
            stem.replace(last.capturedStart(), last.capturedLength(),
                         last.captured(1) + QStringLiteral("  ") + last.captured(3));
            fromBracket = true;
        }
    }

    int type = q.headingType;
    if (type <= 0) {
        if (hasOptions || type == -1) {
            type = listvocab::choiceDigits(raw).size() > 1 ? 2 : 1;
        } else if (!listvocab::trueFalseValue(raw).isEmpty() && (q.hasAnswer || fromBracket)) {
            type = 4;
        } else if (q.hasAnswer) {
            type = emptyBlankPattern().match(stem).hasMatch() ||
                           blankAnswerPattern().match(stem).hasMatch()
                       ? 3
                       : 5;
        } else {
            type = blankAnswerPattern().match(stem).hasMatch() ? 3 : 5;
        }
    }

    // A fill-in answer inside its blank, the blank then emptied.
    if (type == 3 && !q.hasAnswer && !fromBracket) {
        const QRegularExpressionMatch blank = blankAnswerPattern().match(stem);
        if (blank.hasMatch()) {
            if (blank.capturedLength(1) > 0) {
                raw = blank.captured(1);
                stem.replace(blank.capturedStart(), blank.capturedLength(), QStringLiteral("____"));
            } else {
                raw = blank.captured(3);
                stem.replace(blank.capturedStart(), blank.capturedLength(),
                             blank.captured(2) + QStringLiteral("  ") + blank.captured(4));
            }
        }
    }

    QuestionDraft &d = result.draft;
    d.type = type;
    d.stem = text::trimmed(stem);
    d.points = points;
    switch (question::fromCode(type)) {
    case QuestionType::SingleChoice:
    case QuestionType::MultipleChoice: {
        d.options = q.options;
        const QString digits = listvocab::choiceDigits(chopStops(raw));
        // A single choice holds one letter; anything else chooses nothing.
        if (type == 2 || digits.size() == 1)
            d.answer = digits;
        break;
    }
    case QuestionType::TrueFalse:
        d.answer = listvocab::trueFalseValue(raw);
        break;
    default:
        d.answer = text::trimmed(raw);
        break;
    }
    result.note = text::trimmed(q.note);
    return result;
}

} // namespace

QList<ListDraft> QuestionListText::read(const QString &text)
{
    QStringList lines = text.split(QLatin1Char('\n'));
    QList<int> numbers;
    numbers.reserve(lines.size());
    for (int i = 0; i < lines.size(); ++i) {
        if (lines[i].endsWith(QLatin1Char('\r')))
            lines[i].chop(1);
        numbers.append(i + 1);
    }
    return readLines(lines, numbers);
}

QList<ListDraft> QuestionListText::readLines(const QStringList &lines, const QList<int> &numbers)
{
    // Numbered lists ignore text outside their questions (titles, notes to
    // the candidate); lists without numbers take every text as a question.
    bool numbered = false;
    for (const QString &line : lines) {
        const QString trimmed = text::trimmed(line);
        const QRegularExpressionMatch number = numberPattern().match(trimmed);
        if (number.hasMatch() &&
            (!looksDecimal(number, trimmed) || number.captured(3).toInt() == 1)) {
            numbered = true;
            break;
        }
    }

    QList<ListDraft> drafts;
    std::optional<Pending> q;
    int headingType = 0;
    QString sectionPoints;
    bool afterHeading = true;
    bool blankSeen = false;
    int lastNumber = 0;
    int numberStyle = -1;
    auto close = [&] {
        if (q)
            drafts.append(finish(*q));
        q.reset();
    };
    auto open = [&](int line, int number, const QString &stemText) {
        close();
        q.emplace();
        q->line = line;
        q->number = number;
        q->headingType = headingType;
        q->sectionPoints = sectionPoints;
        q->stem = stemText;
        blankSeen = false;
        afterHeading = false;
    };

    for (qsizetype index = 0; index < lines.size(); ++index) {
        QString line = text::trimmed(lines[index]).replace(QChar(0x3000), QLatin1Char(' '));
        line = text::trimmed(line);
        const int lineNumber = numbers.value(index, static_cast<int>(index) + 1);
        if (line.isEmpty()) {
            blankSeen = true;
            continue;
        }

        const QRegularExpressionMatch heading = headingPattern().match(line);
        if (heading.hasMatch()) {
            close();
            const int named = listvocab::typeOfName(heading.captured(1));
            headingType = named == 0 ? -1 : named; // "选择题": the shape decides
            sectionPoints = sectionScorePattern().match(heading.captured(2)).captured(1);
            afterHeading = true;
            numberStyle = -1; // each section may number its own way
            continue;
        }

        // An answer after the text on the same line: the text first.
        QString answerText;
        bool answerHere = false;
        const QRegularExpressionMatch marker = answerMarker().match(line);
        if (marker.hasMatch()) {
            answerText = text::trimmed(line.mid(marker.capturedEnd()));
            line = text::trimmed(line.left(marker.capturedStart()));
            answerHere = true;
        }

        if (!line.isEmpty()) {
            QRegularExpressionMatch number = numberPattern().match(line);
            // "1.5米" is a number, not a question, unless it is the next
            // question's number ("3.10kV设备…" after question 2).
            if (looksDecimal(number, line) && number.captured(3).toInt() != lastNumber + 1)
                number = QRegularExpressionMatch();
            if (number.hasMatch()) {
                const int style = number.capturedLength(1) > 0   ? 0
                                  : number.capturedLength(2) > 0 ? 1
                                                                 : 2;
                const int n =
                    QString(number.captured(1) + number.captured(2) + number.captured(3)).toInt();
                const bool inAnswer = q && (q->part == Part::Answer || q->part == Part::Note);
                // Inside an answer a numbered line goes on the answer's own
                // list unless it is the next question of the same numbering.
                const bool innerList =
                    inAnswer && (n == 1 || (q->innerLast > 0 && n == q->innerLast + 1));
                const bool starts =
                    !q || afterHeading || numberStyle < 0 ||
                    (inAnswer ? !innerList && style == numberStyle && n == lastNumber + 1
                              : style == numberStyle || q->part != Part::Stem);
                if (innerList)
                    q->innerLast = n;
                if (starts) {
                    if (numberStyle < 0)
                        numberStyle = style;
                    lastNumber = n;
                    open(lineNumber, n, number.captured(4));
                    line.clear();
                }
            }
        }

        if (!line.isEmpty() && q && q->part != Part::Answer && q->part != Part::Note &&
            isOptionLine(line)) {
            for (const auto &[letter, optionText] : splitOptions(line)) {
                q->options[static_cast<size_t>(letter)] = optionText;
                q->optionCount = std::max(q->optionCount, letter + 1);
                q->part = Part::Option;
            }
            line.clear();
        }

        if (!line.isEmpty()) {
            const QRegularExpressionMatch note = notePattern().match(line);
            const QRegularExpressionMatch score = scoreLinePattern().match(line);
            if (note.hasMatch() && q) {
                q->part = Part::Note;
                q->append(note.captured(1));
            } else if (score.hasMatch() && q) {
                q->points = score.captured(1);
            } else {
                const bool startsUnnumbered =
                    !numbered && (!q || q->hasAnswer || (blankSeen && q->optionCount > 0));
                if (startsUnnumbered)
                    open(lineNumber, 0, line);
                else if (q)
                    q->append(line);
                // Text before the first numbered question is not a question.
            }
        }

        if (answerHere && q) {
            q->hasAnswer = true;
            q->part = Part::Answer;
            q->answer = answerText;
        }
        blankSeen = false;
    }
    close();
    return drafts;
}
