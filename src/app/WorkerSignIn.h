#pragma once

#include "store/WorkerTable.h"

#include <QList>
#include <QSqlDatabase>
#include <QString>

class Clock;

// Who is practising, asked at start on a centre's server ("学员："): one of
// the centre's workers, with the PIN when the worker has one, or a new worker
// with a name of its own and an optional PIN of four digits. Every refusal
// comes with the text the chooser shows.
class WorkerSignIn
{
public:
    static constexpr int kMaxNameLength = 20;

    struct Outcome
    {
        qint64 workerId = 0; // 0 when refused
        QString name;        // the worker's name as stored
        QString message;     // why it was refused
        bool wrongPin = false;
        bool accepted() const { return workerId > 0; }
    };

    WorkerSignIn(QSqlDatabase db, const Clock &clock);

    // The centre's workers, by name. Fills problem and returns none when the
    // list cannot be read.
    QList<WorkerRow> workers(QString *problem = nullptr) const;
    // An existing worker by name, with the PIN typed (ignored for a worker
    // without one).
    Outcome enter(const QString &name, const QString &pin) const;
    // A new worker with the name and the PIN typed (empty: none).
    Outcome create(const QString &name, const QString &pin) const;

    // The problem with a name or PIN typed for a new worker; empty when none.
    static QString nameProblem(const QString &name);
    static QString pinProblem(const QString &pin);

private:
    QSqlDatabase m_db;
    const Clock &m_clock;
};
