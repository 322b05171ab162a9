#pragma once

#include <QList>
#include <QSqlDatabase>
#include <QString>
#include <optional>

// A worker of a training centre, as the start-up list shows them.
struct WorkerRow
{
    qint64 id = 0;
    QString name;
    bool hasPin = false;
};

// The centre's workers on a server, and which one a connection practises as.
// A connection signed in as a worker reads and writes that worker's known
// marks, settings, log, run history and wrong-question book under the data
// file's table names; a data file has one implicit worker and no such table.
class WorkerTable
{
public:
    explicit WorkerTable(QSqlDatabase db) : m_db(std::move(db)) {}

    // Every worker, by name.
    QList<WorkerRow> all() const;
    std::optional<WorkerRow> byName(const QString &name) const;
    // Adds a worker with an optional PIN (empty for none) and returns the id.
    qint64 add(const QString &name, const QString &pin, const QString &created) const;
    // Whether the PIN opens the worker (any PIN for a worker without one).
    bool pinMatches(qint64 workerId, const QString &pin) const;

    // Signs the connection in as the worker, or out (0). Every later
    // statement on the connection sees that worker's state.
    static void signIn(const QSqlDatabase &db, qint64 workerId);
    // The worker the connection is signed in as.
    static std::optional<qint64> signedIn(const QSqlDatabase &db);

    // A PIN is four digits, or none.
    static bool validPin(const QString &pin);

private:
    QSqlDatabase m_db;
};
