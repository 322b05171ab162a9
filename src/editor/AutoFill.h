#pragma once

#include "question/AnswerForm.h"

#include <QString>
#include <array>

// Splits a question pasted whole into the stem box into the fields of its
// entry page. Nothing is stored: the user reviews the fields and saves.
//
// Choice questions: the capital letters A … D followed by one separator
// (".", "、", "．", ":", "：", ")", "）" or a blank) mark the options, which
// follow each other in the order A, B, C, D. Each marker is looked for before
// the next one, from D back to A; of a letter's markers the last that stands
// at the start of the text or after a line break or a blank wins, then one
// after a punctuation mark, then one glued to the text before it, as in
// "A.10kVB.35kV". A letter without a separator ("CT", "AC/DC", "B两相") is
// text. The stem is the text before the "A" marker; an option runs from after
// its separator to the next marker; without a "D" the fourth option is "0".
//
// Fill-in, true/false and essay questions: the answer follows the first
// "答案" and its colon of either width.
namespace autofill {

struct ChoiceSplit
{
    QString stem;
    std::array<QString, answer::kOptionCount> options;
};

enum class Verdict
{
    None, // neither word found: the answer controls stay as they are
    Correct,
    Wrong
};

struct AnswerSplit
{
    QString stem;
    QString answer;
};

struct TrueFalseSplit
{
    QString stem;
    Verdict verdict = Verdict::None;
};

// Option fields and the answer are given trimmed, as they will be saved.
ChoiceSplit splitChoice(const QString &text);
AnswerSplit splitAnswer(const QString &text);
TrueFalseSplit splitTrueFalse(const QString &text);

// True when the character at index is an option marker standing free: at the
// start, after a blank, a line break or a punctuation mark.
bool isOptionMarker(const QString &text, qsizetype index);

inline const QString kFilledNotice = QStringLiteral("已自动填写，可以人工调整.");
inline const QString kReviewNotice = QStringLiteral("答案从试题中搜索，请复核！");
inline const QString kCorrectFound = QStringLiteral("答案:正确");
inline const QString kWrongFound = QStringLiteral("答案:错误");

} // namespace autofill
