#include "store/RunHistoryTable.h"

#include "store/Sql.h"

#include <QSqlQuery>
#include <QVariant>

namespace {

// Every bank (0), or the runs of one bank.
QString bankFilter(qint64 bankId, QVariantList &values, const QString &joiner)
{
    if (bankId == 0)
        return QString();
    values << bankId;
    return joiner + QStringLiteral(" bank_id = ?");
}

} // namespace

QStringList RunHistoryTable::createStatements()
{
    return {QStringLiteral("create table if not exists run_history ("
                           "id integer primary key autoincrement,"
                           " date text not null,"
                           " kind integer not null default 0,"
                           " bank_id integer not null default 0,"
                           " chapter_id integer not null default 0,"
                           " set_number integer not null default 0,"
                           " objective_right integer not null default 0,"
                           " objective_total integer not null default 0,"
                           " points integer not null default 0,"
                           " percentage integer,"
                           " minutes integer not null default 0)"),
            // Covers the statistics' grouping, so it never reads the rows themselves.
            QStringLiteral("create index if not exists run_history_day"
                           " on run_history(bank_id, date, kind, percentage)")};
}

qint64 RunHistoryTable::append(const RunHistoryRow &row, int kept) const
{
    const qint64 id = sql::insert(
        m_db,
        QStringLiteral("insert into run_history(date, kind, bank_id, chapter_id, set_number,"
                       " objective_right, objective_total, points, percentage, minutes)"
                       " values(?, ?, ?, ?, ?, ?, ?, ?, ?, ?)"),
        {row.date, row.kind, row.bankId, row.chapterId, row.setNumber, row.objectiveRight,
         row.objectiveTotal, row.points,
         row.percentage ? QVariant(*row.percentage) : QVariant(QMetaType(QMetaType::Int)),
         row.minutes});
    // Ids only grow, so the kept runs are those above the id kept places down.
    sql::run(m_db,
             QStringLiteral("delete from run_history where id <="
                            " (select id from run_history order by id desc limit 1 offset ?)"),
             {kept});
    return id;
}

int RunHistoryTable::count() const
{
    return static_cast<int>(sql::scalar(m_db, QStringLiteral("select count(*) from run_history")));
}

QList<RunHistoryRow> RunHistoryTable::newest(int limit) const
{
    QSqlQuery query = sql::run(
        m_db,
        QStringLiteral("select id, date, kind, bank_id, chapter_id, set_number, objective_right,"
                       " objective_total, points, percentage, minutes from run_history"
                       " order by id desc limit ?"),
        {limit});
    QList<RunHistoryRow> rows;
    while (query.next()) {
        RunHistoryRow row;
        row.id = query.value(0).toLongLong();
        row.date = query.value(1).toString();
        row.kind = query.value(2).toInt();
        row.bankId = query.value(3).toLongLong();
        row.chapterId = query.value(4).toLongLong();
        row.setNumber = query.value(5).toInt();
        row.objectiveRight = query.value(6).toInt();
        row.objectiveTotal = query.value(7).toInt();
        row.points = query.value(8).toInt();
        if (!query.value(9).isNull())
            row.percentage = query.value(9).toInt();
        row.minutes = query.value(10).toInt();
        rows.append(row);
    }
    return rows;
}

QList<RunHistoryTable::DayMean> RunHistoryTable::daily(qint64 bankId) const
{
    QVariantList values;
    QSqlQuery query = sql::run(
        m_db,
        QStringLiteral("select substr(date, 1, 10) as day, kind, count(*), count(percentage),"
                       " avg(percentage) from run_history") +
            bankFilter(bankId, values, QStringLiteral(" where")) +
            QStringLiteral(" group by day, kind order by day, kind"),
        values);
    QList<DayMean> days;
    while (query.next())
        days.append({query.value(0).toString(), query.value(1).toInt(), query.value(2).toInt(),
                     query.value(3).toInt(), query.value(4).toDouble()});
    return days;
}
