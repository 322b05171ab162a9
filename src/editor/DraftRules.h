#pragma once

#include "question/AnswerForm.h"
#include "store/QuestionTable.h"

#include <QString>
#include <array>

// What an entry or correction page holds when "保存" or "确定" is pressed,
// as the user left it (nothing trimmed yet).
struct QuestionDraft
{
    int type = 1; // QuestionType code
    QString stem;
    std::array<QString, answer::kOptionCount> options; // A … D; choice questions only
    // The answer in its stored form: single choice "1" … "4", multiple choice
    // the ticked digits in the order A … D, fill-in the field's text, true/false
    // "1" or "0", essay the box's text; empty when nothing is chosen.
    QString answer;
    QString points; // the score field; entry pages only
};

// Which page the draft comes from: the entry pages and the correction pages
// word some of their messages differently, and only entry pages have a score.
enum class DraftForm
{
    Entry,
    Correction
};

// The result of checking a draft: the first failing rule's message, or the
// question row to write.
struct DraftCheck
{
    QString message;          // empty: the draft passes
    bool resetPoints = false; // the score field goes back to the default score
    QuestionRow row;          // stem and essay answer trimmed, points converted

    bool passes() const { return message.isEmpty(); }
};

namespace draft {

// Limits in GBK bytes.
inline constexpr int kStemBytes = 1000;
inline constexpr int kOptionBytes = 200;
inline constexpr int kFillInBytes = 200;
inline constexpr int kEssayBytes = 500;
inline constexpr int kPointsChars = 3;
inline const QString kDefaultPoints = QStringLiteral("2");

// Runs the rules in their order: stem, options A … D, answer, score, then the
// characters that cannot be stored.
DraftCheck check(const QuestionDraft &draft, DraftForm form);

} // namespace draft
