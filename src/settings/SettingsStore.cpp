#include "settings/SettingsStore.h"

#include "store/Sql.h"

#include <QVariant>

namespace {

int positiveOr(const QVariant &value, int fallback)
{
    bool ok = false;
    const int number = value.toInt(&ok);
    return (value.isNull() || !ok || number == 0) ? fallback : number;
}

} // namespace

Settings SettingsStore::load() const
{
    Settings settings;
    QSqlQuery query = sql::run(m_db, QStringLiteral("select per_num, display_answer, next_time, "
                                                    "test_time, joke_flag from run_record"));
    if (!query.next())
        return settings;
    settings.setSize = positiveOr(query.value(0), 50);
    settings.showInstantAnswer = query.value(1).toInt() != 0;
    settings.advanceDelay = positiveOr(query.value(2), 15);
    settings.examMinutes = positiveOr(query.value(3), 90);
    settings.jokeEnabled = query.value(4).toInt() != 0;
    return settings;
}

bool SettingsStore::save(const Settings &settings) const
{
    const QVariantList values{settings.setSize, settings.showInstantAnswer ? 1 : 0,
                              settings.advanceDelay, settings.examMinutes,
                              settings.jokeEnabled ? 1 : 0};
    if (sql::scalar(m_db, QStringLiteral("select count(*) from run_record")) == 0) {
        // A file without its settings row gets one, so that "saved" is true.
        sql::run(m_db,
                 QStringLiteral("insert into run_record(per_num, display_answer, next_time, "
                                "test_time, joke_flag) values(?,?,?,?,?)"),
                 values);
        return false;
    }
    // The table holds one row; rowid keeps the update to the first if a file has more.
    sql::run(m_db,
             QStringLiteral("update run_record set per_num=?, display_answer=?, next_time=?, "
                            "test_time=?, joke_flag=? where rowid=(select min(rowid) from "
                            "run_record)"),
             values);
    return true;
}
