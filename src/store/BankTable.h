#pragma once

#include <QList>
#include <QSqlDatabase>
#include <QString>
#include <optional>

// A question bank as stored in database_name.
struct BankRow
{
    qint64 id = 0;
    QString name;
    bool enabled = false; // false: shown, but its chapters cannot be chosen
};

// The question banks (table database_name). The program reads banks and never
// writes them.
class BankTable
{
public:
    explicit BankTable(QSqlDatabase db) : m_db(std::move(db)) {}

    // Every bank, in ascending id.
    QList<BankRow> all() const;
    // The bank with the id, if there is one.
    std::optional<BankRow> find(qint64 id) const;

private:
    QSqlDatabase m_db;
};
