#include "store/SettingsTable.h"

#include "store/Backend.h"
#include "store/Sql.h"

#include <QSqlQuery>
#include <QVariant>
#include <algorithm>
#include <limits>

namespace {

QVariantList valuesOf(const SettingsRow &row)
{
    return {row.setSize, row.showAnswer ? 1 : 0, row.advanceDelay, row.examMinutes,
            row.joke ? 1 : 0};
}

// A stored number as an int: a number beyond the int range reads as the
// nearer end of it, never cut to its low bits.
int saturated(const QVariant &value)
{
    const qlonglong number = value.toLongLong();
    return static_cast<int>(std::clamp<qlonglong>(number, std::numeric_limits<int>::min(),
                                                  std::numeric_limits<int>::max()));
}

} // namespace

// The file's run_record may hold more than one row: the first one counts. On
// a server the table shows the signed-in worker's one row.
std::optional<SettingsRow> SettingsTable::read() const
{
    const QString select = QStringLiteral("select per_num, display_answer, next_time, "
                                          "test_time, joke_flag from run_record ");
    QSqlQuery query = sql::run(m_db, select + (backendOf(m_db) == Backend::Server
                                                   ? QStringLiteral("limit 1")
                                                   : QStringLiteral("order by rowid limit 1")));
    if (!query.next())
        return std::nullopt;
    SettingsRow row;
    row.setSize = saturated(query.value(0));
    row.showAnswer = query.value(1).toLongLong() != 0;
    row.advanceDelay = saturated(query.value(2));
    row.examMinutes = saturated(query.value(3));
    row.joke = query.value(4).toLongLong() != 0;
    return row;
}

bool SettingsTable::hasRow() const
{
    return sql::scalar(m_db, QStringLiteral("select count(*) from run_record")) > 0;
}

void SettingsTable::update(const SettingsRow &row) const
{
    const QString update =
        QStringLiteral("update run_record set per_num = ?, display_answer = ?, next_time = ?, "
                       "test_time = ?, joke_flag = ? ");
    sql::run(m_db,
             update + (backendOf(m_db) == Backend::Server
                           ? QString()
                           : QStringLiteral("where rowid = (select min(rowid) from run_record)")),
             valuesOf(row));
}

void SettingsTable::insert(const SettingsRow &row) const
{
    sql::run(m_db,
             QStringLiteral("insert into run_record(per_num, display_answer, next_time, "
                            "test_time, joke_flag) values(?, ?, ?, ?, ?)"),
             valuesOf(row));
}
