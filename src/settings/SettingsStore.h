#pragma once

#include "settings/Settings.h"
#include "store/SettingsTable.h"

#include <QSqlDatabase>

// The settings as the program uses them: the stored row with the built-in
// values in place of the missing ones.
class SettingsStore
{
public:
    explicit SettingsStore(QSqlDatabase db) : m_table(std::move(db)) {}

    // The stored values, with 50 / 15 / 90 for an empty or zero set size, delay
    // or examination time, each taken into its range (Settings::inRange); the
    // built-in values when there is no row.
    Settings load() const;
    // Writes the values into the settings row. Returns false when the file had
    // no row, which is then added with these values.
    bool save(const Settings &settings) const;

private:
    SettingsTable m_table;
};
