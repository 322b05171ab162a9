#include "store/SettingsTable.h"

#include "store/Sql.h"

#include <QSqlQuery>
#include <QVariant>

namespace {

QVariantList valuesOf(const SettingsRow &row)
{
    return {row.setSize, row.showAnswer ? 1 : 0, row.advanceDelay, row.examMinutes,
            row.joke ? 1 : 0};
}

} // namespace

std::optional<SettingsRow> SettingsTable::read() const
{
    QSqlQuery query = sql::run(m_db, QStringLiteral("select per_num, display_answer, next_time, "
                                                    "test_time, joke_flag from run_record "
                                                    "order by rowid limit 1"));
    if (!query.next())
        return std::nullopt;
    SettingsRow row;
    row.setSize = query.value(0).toInt();
    row.showAnswer = query.value(1).toInt() != 0;
    row.advanceDelay = query.value(2).toInt();
    row.examMinutes = query.value(3).toInt();
    row.joke = query.value(4).toInt() != 0;
    return row;
}

bool SettingsTable::hasRow() const
{
    return sql::scalar(m_db, QStringLiteral("select count(*) from run_record")) > 0;
}

void SettingsTable::update(const SettingsRow &row) const
{
    sql::run(m_db,
             QStringLiteral("update run_record set per_num = ?, display_answer = ?, next_time = ?, "
                            "test_time = ?, joke_flag = ? "
                            "where rowid = (select min(rowid) from run_record)"),
             valuesOf(row));
}

void SettingsTable::insert(const SettingsRow &row) const
{
    sql::run(m_db,
             QStringLiteral("insert into run_record(per_num, display_answer, next_time, "
                            "test_time, joke_flag) values(?, ?, ?, ?, ?)"),
             valuesOf(row));
}
