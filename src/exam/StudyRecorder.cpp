#include "exam/StudyRecorder.h"

#include "question/Grading.h"
#include "settings/StudySettings.h"
#include "store/AnswerTallyTable.h"
#include "store/ChapterTable.h"
#include "store/RunHistoryTable.h"
#include "store/Transaction.h"
#include "store/WrongBookTable.h"

#include <algorithm>
#include <cmath>
#include <optional>

int StudyRecorder::minutesUsed(const QDateTime &started, const QDateTime &graded)
{
    if (!started.isValid() || !graded.isValid())
        return 0;
    const qint64 seconds = std::max<qint64>(0, started.secsTo(graded));
    return static_cast<int>(std::lround(static_cast<double>(seconds) / 60.0));
}

int StudyRecorder::pointsOf(std::span<const RunQuestion> questions)
{
    int points = 0;
    for (const RunQuestion &question : questions) {
        if (isObjective(question.typeCode) && Grading::answeredCorrectly(question))
            points += question.points;
    }
    return points;
}

void StudyRecorder::record(const GradedRun &run) const
{
    const int leaveAfter = StudySettings(m_db).leaveAfter();
    const std::optional<ChapterRow> chapter = ChapterTable(m_db).findByName(run.chapter);
    const Grading::Score score = Grading::score(run.questions);
    const QString when = run.graded.toString(QStringLiteral("yyyy-MM-ddTHH:mm:ss"));
    const QString day = run.graded.toString(QStringLiteral("yyyy-MM-dd"));

    QList<qint64> wrong;
    QList<qint64> rightFromBook;
    QList<AnswerTallyTable::Answer> answers;
    for (const RunQuestion &question : run.questions) {
        if (!isObjective(question.typeCode))
            continue;
        const bool right = Grading::answeredCorrectly(question);
        if (!right)
            wrong << question.questionId;
        else if (run.mode == RunMode::WrongBookPractice)
            rightFromBook << question.questionId;
        answers.append({question.questionId, question.typeCode, right});
    }
    const WrongBookTable book(m_db);
    Transaction transaction(m_db);
    book.recordWrong(wrong, when);
    book.recordRight(rightFromBook, leaveAfter);
    AnswerTallyTable(m_db).add(day, answers);
    RunHistoryRow row;
    row.date = when;
    row.kind = static_cast<int>(run.mode);
    row.bankId = chapter ? chapter->bankId : 0;
    row.chapterId = chapter ? chapter->id : 0;
    row.setNumber = run.mode == RunMode::SequentialSet ? run.setIndex + 1 : 0;
    row.objectiveRight = score.correct;
    row.objectiveTotal = score.count;
    row.points = pointsOf(run.questions);
    row.percentage = score.percentage;
    row.minutes = minutesUsed(run.started, run.graded);
    RunHistoryTable(m_db).append(row);
    transaction.commit();
}

QString StudyRecorder::notSavedNotice(const QString &reason)
{
    return QStringLiteral("[软件提示]：本次练习的错题本和学习记录没有保存，原因：") + reason +
           QStringLiteral("。");
}
