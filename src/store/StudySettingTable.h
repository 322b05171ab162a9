#pragma once

#include <QSqlDatabase>
#include <QString>
#include <QStringList>
#include <optional>

// Settings of the wrong-question book and the statistics (table
// study_setting), one named whole number per row, apart from the settings row
// of the practice.
class StudySettingTable
{
public:
    explicit StudySettingTable(QSqlDatabase db) : m_db(std::move(db)) {}

    static QStringList createStatements();

    // The stored value; none when the setting was never stored.
    std::optional<int> value(const QString &name) const;
    void store(const QString &name, int value) const;

private:
    QSqlDatabase m_db;
};
