#pragma once

#include "ReadingBudget.h"

#include <QColor>
#include <algorithm>
#include <vector>

namespace rtf {

// Reads the colour-table destination: a colour an entry, an entry without
// parts the automatic colour. Entries past the budget are not added; their
// indexes read as the automatic colour.
class ColorTable
{
public:
    explicit ColorTable(ReadingBudget &budget) : m_budget(budget) {}

    // \colortbl: a table that replaces any before it.
    void begin();
    void setRed(int value) { m_red = std::clamp(value, 0, 255); }
    void setGreen(int value) { m_green = std::clamp(value, 0, 255); }
    void setBlue(int value) { m_blue = std::clamp(value, 0, 255); }
    // ';' ends an entry.
    void commit();

    // The colour of an index; invalid for the automatic colour and past the table.
    QColor at(int index) const;

private:
    ReadingBudget &m_budget;
    std::vector<QColor> m_colors;
    int m_red = -1;
    int m_green = -1;
    int m_blue = -1;
};

} // namespace rtf
