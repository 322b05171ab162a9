#include "store/ServerSession.h"

#include "base/StoreError.h"
#include "store/Sql.h"

#include <QHash>
#include <QMutex>
#include <QMutexLocker>
#include <QSqlError>
#include <QSqlQuery>

namespace {

// The worker of each signed-in connection, by connection name. Several
// threads may hold connections of their own.
QMutex &workersLock()
{
    static QMutex lock;
    return lock;
}

QHash<QString, qint64> &workers()
{
    static QHash<QString, qint64> byConnection;
    return byConnection;
}

} // namespace

void ServerSession::remember(const QSqlDatabase &db, qint64 workerId)
{
    const QMutexLocker locker(&workersLock());
    if (workerId > 0)
        workers().insert(db.connectionName(), workerId);
    else
        workers().remove(db.connectionName());
}

void ServerSession::reopenIfClosed(const QSqlDatabase &db)
{
    if (db.isOpen() || !db.isValid())
        return;
    QSqlDatabase connection = db;
    if (!connection.open()) {
        const QSqlError error = connection.lastError();
        const QString text = sql::storeText(error).trimmed();
        connection.close();
        throw StoreError(StoreError::Cause::ServerLost, text.isEmpty() ? error.text() : text,
                         QStringLiteral("connect"), StoreError::Origin::Server);
    }
    qint64 workerId = 0;
    {
        const QMutexLocker locker(&workersLock());
        workerId = workers().value(db.connectionName());
    }
    if (workerId <= 0)
        return;
    QSqlQuery signIn(connection);
    if (!signIn.exec(
            QStringLiteral("select set_config('drillbay.worker', '%1', false)").arg(workerId))) {
        const QSqlError error = signIn.lastError();
        // A connection that practises as nobody must not stay open.
        connection.close();
        throw sql::failure(error, QStringLiteral("sign in"));
    }
}

bool ServerSession::answers(const QSqlDatabase &db)
{
    QSqlQuery probe(db);
    return probe.exec(QStringLiteral("select 1")) || !probe.lastError().nativeErrorCode().isEmpty();
}

void ServerSession::dropLost(const QSqlDatabase &db)
{
    QSqlDatabase connection = db;
    connection.close();
}
