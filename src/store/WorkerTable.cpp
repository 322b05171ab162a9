#include "store/WorkerTable.h"

#include "store/ServerSession.h"
#include "store/Sql.h"

#include <QCryptographicHash>
#include <QSqlQuery>
#include <QVariant>

namespace {

// Only a digest of the PIN is stored, salted with the worker's name.
QString digestOf(const QString &name, const QString &pin)
{
    if (pin.isEmpty())
        return QString();
    const QByteArray salted =
        (QStringLiteral("drillbay-pin:") + name + QLatin1Char(':') + pin).toUtf8();
    return QString::fromLatin1(
        QCryptographicHash::hash(salted, QCryptographicHash::Sha256).toHex());
}

WorkerRow workerFrom(const QSqlQuery &query)
{
    return WorkerRow{query.value(0).toLongLong(), query.value(1).toString(),
                     !query.value(2).toString().isEmpty()};
}

} // namespace

QList<WorkerRow> WorkerTable::all() const
{
    QSqlQuery query =
        sql::run(m_db, QStringLiteral("select id, name, pin from worker order by name, id"), {});
    QList<WorkerRow> rows;
    while (query.next())
        rows << workerFrom(query);
    return rows;
}

std::optional<WorkerRow> WorkerTable::byName(const QString &name) const
{
    QSqlQuery query =
        sql::run(m_db, QStringLiteral("select id, name, pin from worker where name = ?"), {name});
    if (!query.next())
        return std::nullopt;
    return workerFrom(query);
}

qint64 WorkerTable::add(const QString &name, const QString &pin, const QString &created) const
{
    // The text columns are NOT NULL: a null text would bind as NULL.
    const auto text = [](const QString &value) {
        return value.isNull() ? QStringLiteral("") : value;
    };
    return sql::insert(m_db,
                       QStringLiteral("insert into worker(name, pin, created) values(?, ?, ?)"),
                       {text(name), text(digestOf(name, pin)), text(created)});
}

bool WorkerTable::pinMatches(qint64 workerId, const QString &pin) const
{
    QSqlQuery query =
        sql::run(m_db, QStringLiteral("select name, pin from worker where id = ?"), {workerId});
    if (!query.next())
        return false;
    const QString stored = query.value(1).toString();
    return stored.isEmpty() || stored == digestOf(query.value(0).toString(), pin);
}

void WorkerTable::signIn(const QSqlDatabase &db, qint64 workerId)
{
    sql::run(db, QStringLiteral("select set_config('drillbay.worker', ?, false)"),
             {workerId > 0 ? QString::number(workerId) : QStringLiteral("")})
        .finish();
    ServerSession::remember(db, workerId);
}

std::optional<qint64> WorkerTable::signedIn(const QSqlDatabase &db)
{
    QSqlQuery query = sql::run(db, QStringLiteral("select drillbay_worker()"), {});
    if (!query.next() || query.value(0).isNull())
        return std::nullopt;
    return query.value(0).toLongLong();
}

bool WorkerTable::validPin(const QString &pin)
{
    if (pin.isEmpty())
        return true;
    if (pin.size() != 4)
        return false;
    return std::all_of(pin.begin(), pin.end(),
                       [](QChar c) { return c >= QLatin1Char('0') && c <= QLatin1Char('9'); });
}
