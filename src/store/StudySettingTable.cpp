#include "store/StudySettingTable.h"

#include "store/Backend.h"
#include "store/Sql.h"

#include <QSqlQuery>
#include <QVariant>

QStringList StudySettingTable::createStatements()
{
    return {QStringLiteral("create table if not exists study_setting ("
                           "name text primary key, value integer not null)")};
}

std::optional<int> StudySettingTable::value(const QString &name) const
{
    QSqlQuery query =
        sql::run(m_db, QStringLiteral("select value from study_setting where name = ?"), {name});
    if (!query.next())
        return std::nullopt;
    return query.value(0).toInt();
}

void StudySettingTable::store(const QString &name, int value) const
{
    // On a server the settings are the signed-in worker's rows of the shared table.
    sql::run(
        m_db,
        backendOf(m_db) == Backend::Server
            ? QStringLiteral("insert into worker_study_setting(name, value) values(?, ?)"
                             " on conflict(worker_id, name) do update set value = excluded.value")
            : QStringLiteral("insert into study_setting(name, value) values(?, ?)"
                             " on conflict(name) do update set value = excluded.value"),
        {name, value});
}
