#pragma once

#include <QSqlDatabase>
#include <optional>

// The settings row of run_record as stored: a missing or unreadable number
// reads as 0, a missing flag as false.
struct SettingsRow
{
    int setSize = 0; // per_num
    bool showAnswer = false;
    int advanceDelay = 0; // next_time, tenths of a second
    int examMinutes = 0;  // test_time
    bool joke = false;
};

// The settings (table run_record). The table holds one row; when a file has
// more, the first in storage order is the one read and written.
class SettingsTable
{
public:
    explicit SettingsTable(QSqlDatabase db) : m_db(std::move(db)) {}

    // The settings row, if the file has one.
    std::optional<SettingsRow> read() const;
    bool hasRow() const;
    // Overwrites the settings row (nothing when there is none).
    void update(const SettingsRow &row) const;
    // Adds a settings row.
    void insert(const SettingsRow &row) const;

private:
    QSqlDatabase m_db;
};
