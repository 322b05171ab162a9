#pragma once

#include "TestDatabase.h"

#include "store/AddedTables.h"
#include "store/AnswerTallyTable.h"
#include "store/PracticeLogTable.h"
#include "store/RunHistoryTable.h"
#include "store/WorkerTable.h"
#include "store/WrongBookTable.h"

#include <QDateTime>
#include <QList>
#include <QTest>
#include <optional>

// A centre's bank "变电" of two chapters with four single-choice questions
// each, and the means to record practice as one worker or another: on a
// server each worker is a row of its own and the connection signs in as the
// one that practises; a data file has its one implicit worker.
struct CentreFixture
{
    CentreFixture()
    {
        const QString problem = AddedTables::ensure(db.db());
        if (!problem.isEmpty())
            qFatal("added tables not made: %s", qPrintable(problem));
        bank = db.addBank(QStringLiteral("变电"));
        first = db.addChapter(bank, QStringLiteral("第一章"));
        second = db.addChapter(bank, QStringLiteral("第二章"));
        for (int k = 0; k < 4; ++k) {
            firstIds << db.addQuestion(first, 1, QStringLiteral("甲%1").arg(k), {},
                                       QStringLiteral("1"));
            secondIds << db.addQuestion(second, 1, QStringLiteral("乙%1").arg(k), {},
                                        QStringLiteral("1"));
        }
    }

    // The worker who practises from now on: the tests' own worker for the
    // first name, a new one for any other (a file has the first only).
    qint64 practiseAs(const QString &name)
    {
        if (!TestDatabase::onServer())
            return 0;
        const std::optional<WorkerRow> known = WorkerTable(db.db()).byName(name);
        const qint64 id =
            known ? known->id
            : names.isEmpty()
                ? db.workerId()
                : WorkerTable(db.db()).add(name, QString(), QStringLiteral("2026-12-01"));
        if (!known && names.isEmpty())
            db.exec(
                QStringLiteral("update worker set name = '%1' where id = %2").arg(name).arg(id));
        names << name;
        WorkerTable::signIn(db.db(), id);
        return id;
    }

    // A graded run of the chapter at `when`.
    void run(qint64 chapter, int kind, std::optional<int> percentage, const QString &when,
             int points = 0) const
    {
        RunHistoryRow row;
        row.date = when;
        row.kind = kind;
        row.bankId = bank;
        row.chapterId = chapter;
        row.objectiveTotal = percentage ? 4 : 0;
        row.points = points;
        row.percentage = percentage;
        RunHistoryTable(db.db()).append(row);
    }
    void wrong(qint64 questionId, const QString &when) const
    {
        WrongBookTable(db.db()).recordWrong(questionId, when);
    }
    void log(const QDateTime &when, int fen) const
    {
        PracticeLogTable(db.db()).append(when, fen, QStringLiteral("变电 第一章"));
    }
    void answer(const QString &day, qint64 questionId, bool right) const
    {
        AnswerTallyTable(db.db()).add(day, questionId, 1, right);
    }

    TestDatabase db;
    qint64 bank = 0;
    qint64 first = 0;
    qint64 second = 0;
    QList<qint64> firstIds;
    QList<qint64> secondIds;
    QStringList names;
};
