#pragma once

#include <QDateTime>
#include <QList>
#include <QSqlDatabase>
#include <QString>

// A record of the practice log as stored.
struct LogRow
{
    qint64 id = 0;
    QString date; // as stored: ISO date and time, but any text a file holds
    int fen = 0;  // percentage
    QString info; // what was practised
};

// The practice log (table log): one row per graded run, ascending id is the
// order in which the runs were graded.
class PracticeLogTable
{
public:
    explicit PracticeLogTable(QSqlDatabase db) : m_db(std::move(db)) {}

    // Adds a record graded at `when` (stored as ISO text with seconds) and
    // returns its id.
    qint64 append(const QDateTime &when, int fen, const QString &info) const;
    // Deletes every record but the `count` with the highest id.
    void keepNewest(int count) const;
    void removeAll() const;
    int count() const;
    // The `count` records with the highest id, in storage order.
    QList<LogRow> newest(int count) const;

private:
    QSqlDatabase m_db;
};
