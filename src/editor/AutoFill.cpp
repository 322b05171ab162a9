#include "editor/AutoFill.h"

#include "base/GbkText.h"
#include "question/AnswerForm.h"

namespace autofill {

namespace {

const QString kAnswerMarker = QStringLiteral("答案");

bool isSeparator(QChar c)
{
    static const QString separators = QStringLiteral(".、．:：)） \t\u3000");
    return separators.contains(c);
}

// How a letter stands as an option marker. A marker is a capital A … D
// followed by a separator; one at the start of the text or after a blank or a
// line break stands free, one after a punctuation mark less so, and one glued
// to the text before it ("10kVB.35kV") is taken only where no other is found.
enum class Standing
{
    None,
    Glued,
    AfterPunctuation,
    Free
};

Standing standingOf(const QString &text, qsizetype index)
{
    if (index < 0 || index + 1 >= text.size())
        return Standing::None;
    const QChar letter = text.at(index);
    if (!answer::kOptionLetters.contains(letter) || !isSeparator(text.at(index + 1)))
        return Standing::None;
    if (index == 0 || text.at(index - 1).isSpace())
        return Standing::Free;
    return text.at(index - 1).isPunct() ? Standing::AfterPunctuation : Standing::Glued;
}

// The marker of the letter before end: the last one standing free, else the
// last after a punctuation mark, else the last glued; -1 when there is none.
qsizetype markerBefore(const QString &text, QChar letter, qsizetype end)
{
    qsizetype best[4] = {-1, -1, -1, -1};
    for (qsizetype i = text.indexOf(letter); i >= 0 && i < end; i = text.indexOf(letter, i + 1))
        best[static_cast<int>(standingOf(text, i))] = i;
    for (const Standing standing : {Standing::Free, Standing::AfterPunctuation, Standing::Glued}) {
        if (best[static_cast<int>(standing)] >= 0)
            return best[static_cast<int>(standing)];
    }
    return -1;
}

// Part of the text from start (0-based) of length n; out-of-range parts are
// cut to the text, a negative length gives the empty text.
QString part(const QString &text, qsizetype start, qsizetype n)
{
    if (start < 0)
        start = 0;
    if (n <= 0 || start >= text.size())
        return {};
    return text.mid(start, n);
}

// The text after the answer marker and one colon of either width.
QString afterMarker(const QString &text, qsizetype marker)
{
    qsizetype from = marker + kAnswerMarker.size();
    if (from < text.size() && (text.at(from) == u':' || text.at(from) == u'：'))
        ++from;
    return text.mid(from);
}

} // namespace

bool isOptionMarker(const QString &text, qsizetype index)
{
    return standingOf(text, index) >= Standing::AfterPunctuation;
}

ChoiceSplit splitChoice(const QString &text)
{
    // The options follow each other in the order A, B, C, D: each marker is
    // looked for before the next one found, from D back to A, so that a
    // letter inside a later option or glued to a unit before it does not
    // move the split.
    qsizetype bound = text.size();
    std::array<qsizetype, answer::kOptionCount> found = {-1, -1, -1, -1};
    for (int letter = answer::kOptionCount - 1; letter >= 0; --letter) {
        found[letter] = markerBefore(text, answer::optionLetter(letter + 1), bound);
        if (found[letter] >= 0)
            bound = found[letter];
    }
    const qsizetype a = found[0], b = found[1], c = found[2], d = found[3];
    // Each option starts after its letter and separator and ends before the
    // next marker; a missing marker keeps the bound found before it, as the
    // split has always done, so a malformed text gives empty or odd fields
    // that the user corrects.
    qsizetype start = a >= 0 ? a + 2 : 0;
    qsizetype end = b >= 0 ? b : 0;
    ChoiceSplit split;
    split.options[0] = part(text, start, end - start);
    if (c >= 0)
        end = c;
    if (b >= 0)
        start = b + 2;
    split.options[1] = part(text, start, end - start);
    if (c >= 0)
        start = c + 2;
    if (d < 0) {
        split.options[2] = part(text, start, text.size() - start);
        split.options[3] = QStringLiteral("0");
    } else {
        split.options[2] = part(text, start, d - start);
        split.options[3] = part(text, d + 2, text.size() - d - 2);
    }
    for (QString &option : split.options)
        option = text::trimmed(option);
    split.stem = a > 0 ? text.left(a) : QString();
    return split;
}

AnswerSplit splitAnswer(const QString &text)
{
    const qsizetype marker = text.indexOf(kAnswerMarker);
    AnswerSplit split;
    if (marker < 0) {
        // No marker: everything is taken for the answer and the stem is emptied.
        split.answer = text::trimmed(text);
        return split;
    }
    split.stem = text.left(marker);
    split.answer = text::trimmed(afterMarker(text, marker));
    return split;
}

TrueFalseSplit splitTrueFalse(const QString &text)
{
    const qsizetype marker = text.indexOf(kAnswerMarker);
    TrueFalseSplit split;
    QString tail;
    if (marker >= 0) {
        split.stem = text.left(marker);
        tail = afterMarker(text, marker);
    } else {
        // Without a marker the words are searched for from the sixth GBK byte on.
        qsizetype from = 0;
        int bytes = 0;
        while (from < text.size() && bytes < 5)
            bytes += gbk::byteLength(text.at(from++));
        tail = text.mid(from);
    }
    tail = text::trimmed(tail);
    if (tail.contains(u'正'))
        split.verdict = Verdict::Correct;
    // 错 is looked for last and wins when both words appear.
    if (tail.contains(u'错'))
        split.verdict = Verdict::Wrong;
    return split;
}

} // namespace autofill
