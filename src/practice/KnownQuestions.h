#pragma once

#include "store/ChapterTable.h"
#include "store/QuestionTable.h"

#include <QList>
#include <QSqlDatabase>
#include <QString>
#include <optional>

class Beeper;
class Notifier;
class PracticeRun;

// The known questions: a question the user can answer is marked known and
// leaves the questions to practise (the chapter's sets shrink, the bank's
// learning level rises); it can be put back one at a time, a chapter at a time
// or a whole bank at a time. Every change is written at once. A change that
// could not be written is told in a notice, and no figure claims it.
class KnownQuestions
{
public:
    static constexpr int kBeepHz = 3000;
    static constexpr int kBeepMs = 100;

    static const QString kBankRestoredNotice;
    static const QString kNothingChosenNotice;
    static const QString kMissingNotice;

    KnownQuestions(QSqlDatabase db, Notifier &notifier);

    // The known figure of the bottom bar for the chapter: its known questions
    // ":" all its questions. None when there is no such chapter or it cannot
    // be counted.
    std::optional<QString> chapterFigure(const QString &chapter) const;

    // "【此题会做不练习】": beeps; with a question on screen, marks it known,
    // gives a single choice, multiple choice or true/false question its
    // correct answer and moves on as Next does. Returns the chapter's new
    // known figure, or none when the figure stays (nothing on screen, the
    // mark not written).
    std::optional<QString> markShown(PracticeRun &run, Beeper &beeper, const QString &chapter);

    // Puts the question with the id back to practise ("恢复此题"); false
    // after a notice, also when no id is given (no row clicked yet).
    bool restoreOne(const QString &selectedId);
    // Puts every question of the chapter back ("全部恢复"); false after a notice.
    bool restoreChapter(const QString &chapter);
    // Puts every question of the chapter's bank back (the chapter page's
    // restore link) and says so; false after a notice.
    bool restoreBank(const QString &chapter);

    // The chapter's known questions in storage order; none when there is no
    // such chapter or it cannot be read (the notice says why).
    QList<QuestionRow> knownOf(const QString &chapter) const;
    // The question with the id; none when it is gone or cannot be read.
    std::optional<QuestionRow> find(qint64 id) const;

    // The notices of a change not written.
    static QString notMarkedNotice(const QString &reason);
    static QString notRestoredNotice(const QString &reason);

private:
    QSqlDatabase m_db;
    Notifier &m_notifier;
    ChapterTable m_chapters;
    QuestionTable m_questions;
};
