#pragma once

#include <QSqlDatabase>
#include <QString>

// A trainer's step that must not interleave with the same step of another
// trainer on a centre's server ("改分", a quota re-draw, a chapter deletion, a
// bank import). Held from construction to destruction; a second program that
// asks meanwhile is refused and told who holds it and since when. The lock goes
// with its connection, so a program that dies frees it. A data file has one
// program at a time (the single-instance lock and the file's own locks): there
// the lock is always held at once.
class TrainerLock
{
public:
    // step: the step's name as the backup list shows it (BackupGuard's names).
    TrainerLock(QSqlDatabase db, QString step);
    ~TrainerLock();
    TrainerLock(const TrainerLock &) = delete;
    TrainerLock &operator=(const TrainerLock &) = delete;

    bool held() const { return m_held; }
    // Why the step cannot go on now: another trainer holds it, or the server
    // could not be asked. Empty while held.
    QString refusal() const { return m_refusal; }

    // The refusal when another holds the step.
    static QString heldByNotice(const QString &step, const QString &holder, const QString &since);

private:
    QSqlDatabase m_db;
    QString m_step;
    bool m_held = false;
    bool m_locked = false;
    QString m_refusal;
};
