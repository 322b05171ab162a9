#pragma once

#include "editor/ListDraft.h"

#include <QList>
#include <QString>

// Recognises the questions of a list written as text, as this trade writes
// them, without the user naming a layout:
// - section headings by type ("一、单项选择题", "判断题", "简答题（每题5分）");
// - questions numbered "1.", "1、", "1．", "（1）" or "第1题";
// - options A … D on lines of their own or back to back on one line;
// - the answer after "答案：", "【答案】", "正确答案:" (either colon), on its
//   own line or after the text, or inside the stem's brackets ("（ B ）",
//   "（√）"), the bracket then emptied; a fill-in answer inside a blank;
// - a score "（2分）" in the stem or "分值：2" on its own line;
// - an analysis after "解析：".
// A question under no heading takes its type from its shape. Lines that
// continue a stem, an option, an answer or an analysis join it with a line
// break. Without any numbering, a question ends at its answer or at a blank
// line after its options.
class QuestionListText
{
public:
    // The drafts in text order; line numbers count from 1.
    static QList<ListDraft> read(const QString &text);
    // The questions' lines of a list whose lines are given (a document's
    // paragraphs), with their numbers.
    static QList<ListDraft> readLines(const QStringList &lines, const QList<int> &numbers);
};
