#include "ColorTable.h"

#include <algorithm>

namespace rtf {

void ColorTable::begin()
{
    m_budget.giveBack(Construct::Colours, qint64(m_colors.size()));
    m_colors.clear();
    m_red = m_green = m_blue = -1;
}

void ColorTable::commit()
{
    const bool automatic = m_red < 0 && m_green < 0 && m_blue < 0;
    const QColor color =
        automatic ? QColor()
                  : QColor(std::max(m_red, 0), std::max(m_green, 0), std::max(m_blue, 0));
    m_red = m_green = m_blue = -1;
    if (m_budget.take(Construct::Colours))
        m_colors.push_back(color);
}

QColor ColorTable::at(int index) const
{
    return index >= 0 && size_t(index) < m_colors.size() ? m_colors[size_t(index)] : QColor();
}

} // namespace rtf
