#pragma once

#include "question/RunQuestion.h"
#include "store/ChapterTable.h"
#include "store/QuestionTable.h"

#include <QSqlDatabase>
#include <QString>
#include <QVector>
#include <optional>

// Reads question rows into run slots: the rows of one practice set of a
// chapter, and the slot filling every loader shares.
class QuestionSource
{
public:
    // Shown when the chosen set has no question left to practise.
    static const QString kEmptySetNotice;

    explicit QuestionSource(QSqlDatabase db) : m_chapters(db), m_questions(db) {}

    // A slot from a question row: texts trimmed and cleared of "<BR>", the
    // picture name trimmed, no user answer.
    static RunQuestion slotFromRow(const QuestionRow &row);

    // Questions of the chapter still to practise, of the given type when
    // typeFilter > 0, in storage order.
    int toPractiseCount(const QString &chapter, int typeFilter) const;

    // The questions of set setIndex (0-based) when the chapter's questions
    // still to practise are cut into sets of setSize, the last of setCount
    // sets holding the remainder. The sets are cut from the rows as they are
    // now, so a set holds only the rows that still exist; an empty result
    // means there is nothing to practise in that set. Never more than 300.
    QVector<RunQuestion> readSet(const QString &chapter, int typeFilter, int setSize, int setCount,
                                 int setIndex) const;

private:
    // The chapter's questions still to practise, of one type when typeFilter > 0;
    // none when there is no such chapter.
    std::optional<QuestionScope> practiseScope(const QString &chapter, int typeFilter) const;

    ChapterTable m_chapters;
    QuestionTable m_questions;
};
