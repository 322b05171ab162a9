#include "settings/SettingsStore.h"

namespace {

int positiveOr(int stored, int fallback)
{
    return stored == 0 ? fallback : stored;
}

SettingsRow rowOf(const Settings &settings)
{
    SettingsRow row;
    row.setSize = settings.setSize;
    row.showAnswer = settings.showInstantAnswer;
    row.advanceDelay = settings.advanceDelay;
    row.examMinutes = settings.examMinutes;
    row.joke = settings.jokeEnabled;
    return row;
}

} // namespace

Settings SettingsStore::load() const
{
    Settings settings;
    const std::optional<SettingsRow> row = m_table.read();
    if (!row)
        return settings;
    settings.setSize = positiveOr(row->setSize, 50);
    settings.showInstantAnswer = row->showAnswer;
    settings.advanceDelay = positiveOr(row->advanceDelay, 15);
    settings.examMinutes = positiveOr(row->examMinutes, 90);
    settings.jokeEnabled = row->joke;
    // Only values the settings page can show are ever in force.
    return settings.inRange();
}

bool SettingsStore::save(const Settings &settings) const
{
    if (!m_table.hasRow()) {
        // A file without its settings row gets one, so that "saved" is true.
        m_table.insert(rowOf(settings));
        return false;
    }
    m_table.update(rowOf(settings));
    return true;
}
