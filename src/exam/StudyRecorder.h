#pragma once

#include "question/RunMode.h"
#include "question/RunQuestion.h"

#include <QDateTime>
#include <QSqlDatabase>
#include <QString>
#include <span>

// What grading leaves behind besides the practice log: the wrong-question
// book, the run history and the day's answer tallies, all written in one
// transaction, so a failed write leaves none of them half done.
//
// The book: every objective question answered wrong or left unanswered
// enters it (or its count rises, its streak starts again); in a run from the
// book, each one answered right gets one more in its streak and leaves the
// book once the streak reaches the setting. Right answers in other runs leave
// the book as it is.
class StudyRecorder
{
public:
    struct GradedRun
    {
        RunMode mode = RunMode::None;
        QString chapter; // the chapter the top bar showed
        int setIndex = 0;
        std::span<const RunQuestion> questions;
        QDateTime started;
        QDateTime graded;
    };

    explicit StudyRecorder(QSqlDatabase db) : m_db(std::move(db)) {}

    // The minutes a run took, rounded to whole minutes, at least 0.
    static int minutesUsed(const QDateTime &started, const QDateTime &graded);
    // The points of the objective questions answered right.
    static int pointsOf(std::span<const RunQuestion> questions);

    // Writes all of it; throws StoreError when the file refuses, and then
    // nothing of it is kept.
    void record(const GradedRun &run) const;

    // The one notice of a grading whose book and history could not be written.
    static QString notSavedNotice(const QString &reason);

private:
    QSqlDatabase m_db;
};
