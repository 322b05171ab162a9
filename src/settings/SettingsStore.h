#pragma once

#include "settings/Settings.h"

#include <QSqlDatabase>

// Reads and writes the single settings row of run_record.
class SettingsStore
{
public:
    explicit SettingsStore(QSqlDatabase db) : m_db(db) {}

    // The stored values, with 50 / 15 / 90 for an empty or zero set size, delay
    // or examination time; the built-in values when there is no row.
    Settings load() const;
    // Writes the values into the settings row. Returns false when the file had
    // no row, which is then added with these values.
    bool save(const Settings &settings) const;

private:
    QSqlDatabase m_db;
};
