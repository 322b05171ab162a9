#include "store/TrainerLock.h"

#include "base/StoreError.h"
#include "store/Backend.h"
#include "store/Sql.h"

#include <QDateTime>
#include <QSqlQuery>
#include <QSysInfo>
#include <QVariant>

namespace {

// Every program of the centre maps a step to the same lock number.
const QString kLockKey = QStringLiteral("hashtext('drillbay-trainer:' || cast(? as text))");

} // namespace

TrainerLock::TrainerLock(QSqlDatabase db, QString step)
    : m_db(std::move(db)), m_step(std::move(step))
{
    if (backendOf(m_db) != Backend::Server) {
        m_held = true;
        return;
    }
    try {
        QSqlQuery taken = sql::run(
            m_db, QStringLiteral("select pg_try_advisory_lock(") + kLockKey + QLatin1Char(')'),
            {m_step});
        m_locked = taken.next() && taken.value(0).toBool();
        taken.finish();
        if (!m_locked) {
            QSqlQuery holder = sql::run(
                m_db, QStringLiteral("select holder, since from trainer_lock where step = ?"),
                {m_step});
            const bool known = holder.next();
            m_refusal = heldByNotice(
                m_step, known ? holder.value(0).toString() : QStringLiteral("其他用户"),
                known ? holder.value(1).toString() : QString());
            return;
        }
        // Who holds it, for the others to be told: the signed-in worker on
        // this machine.
        QSqlQuery name = sql::run(
            m_db, QStringLiteral("select name from worker where id = drillbay_worker()"), {});
        QString holder = name.next() ? name.value(0).toString() : QStringLiteral("培训员");
        name.finish();
        holder += QStringLiteral("（") + QSysInfo::machineHostName() + QStringLiteral("）");
        sql::run(m_db,
                 QStringLiteral("insert into trainer_lock(step, holder, since) values(?, ?, ?)"
                                " on conflict(step) do update set holder = excluded.holder,"
                                " since = excluded.since"),
                 {m_step, holder,
                  QDateTime::currentDateTime().toString(QStringLiteral("yyyy-MM-dd HH:mm:ss"))});
        m_held = true;
    } catch (const StoreError &error) {
        m_refusal =
            QStringLiteral("[软件提示]：“%1”现在无法进行，原因：%2。").arg(m_step, error.reason());
    }
}

TrainerLock::~TrainerLock()
{
    if (!m_locked)
        return;
    // A connection that is gone has freed the lock already.
    try {
        sql::run(m_db, QStringLiteral("delete from trainer_lock where step = ?"), {m_step});
        sql::run(m_db, QStringLiteral("select pg_advisory_unlock(") + kLockKey + QLatin1Char(')'),
                 {m_step})
            .finish();
    } catch (const StoreError &) {
    }
}

QString TrainerLock::heldByNotice(const QString &step, const QString &holder, const QString &since)
{
    const QString when = since.isEmpty() ? QString() : QStringLiteral("，%1 开始").arg(since);
    return QStringLiteral("[软件提示]：%1 正在进行“%2”%3。请等其完成后再试。")
        .arg(holder, step, when);
}
