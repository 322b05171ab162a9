#include "store/StudySettingTable.h"

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
    sql::run(m_db,
             QStringLiteral("insert into study_setting(name, value) values(?, ?)"
                            " on conflict(name) do update set value = excluded.value"),
             {name, value});
}
