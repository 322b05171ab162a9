#include "ReadingBudget.h"

#include <algorithm>
#include <utility>

namespace rtf {

qint64 ReadingBudget::limit(Construct c) const
{
    switch (c) {
    case Construct::Pictures:
        return m_limits.pictures;
    case Construct::PictureData:
        return m_limits.pictureBytes;
    case Construct::Colours:
        return m_limits.colours;
    case Construct::Fonts:
        return m_limits.fonts;
    case Construct::Formats:
        return m_limits.formats;
    case Construct::Paragraphs:
        return m_limits.paragraphs;
    case Construct::TableCells:
        return m_limits.tableCells;
    }
    return 0;
}

void ReadingBudget::refuse(Construct c)
{
    bool &cut = m_tally.cut[size_t(c)];
    if (!cut)
        m_untold.push_back(c);
    cut = true;
}

bool ReadingBudget::take(Construct c, qint64 amount)
{
    qint64 &used = m_tally.used[size_t(c)];
    if (amount > limit(c) - used) {
        refuse(c);
        return false;
    }
    used += amount;
    return true;
}

void ReadingBudget::giveBack(Construct c, qint64 amount)
{
    qint64 &used = m_tally.used[size_t(c)];
    used = std::max<qint64>(used - amount, 0);
}

qint64 ReadingBudget::remaining(Construct c) const
{
    return std::max<qint64>(limit(c) - m_tally.used[size_t(c)], 0);
}

bool ReadingBudget::takePicture(qint64 decodedBytes, qint64 keptBytes)
{
    if (decodedBytes > m_limits.largestPicture ||
        decodedBytes > m_limits.pictureBytes - m_tally.of(Construct::PictureData) ||
        keptBytes > m_limits.keptPictureBytes - m_tally.keptPictureBytes) {
        refuse(Construct::PictureData);
        return false;
    }
    m_tally.used[size_t(Construct::PictureData)] += decodedBytes;
    m_tally.keptPictureBytes += keptBytes;
    return true;
}

bool ReadingBudget::takeFormatChange()
{
    if (m_tally.formatChanges >= m_limits.formatChanges) {
        refuse(Construct::Formats);
        return false;
    }
    ++m_tally.formatChanges;
    return true;
}

bool ReadingBudget::takeFrame(qint64 keptBytes)
{
    if (keptBytes > m_limits.keptPictureBytes - m_tally.keptPictureBytes)
        return false;
    m_tally.keptPictureBytes += keptBytes;
    return true;
}

std::vector<Construct> ReadingBudget::untold()
{
    return std::exchange(m_untold, {});
}

QString ReadingBudget::notice(Construct c)
{
    switch (c) {
    case Construct::Pictures:
        return QStringLiteral("[此处图片过多，其余未显示]");
    case Construct::PictureData:
        return QStringLiteral("[此处图片过大，以方框代替]");
    case Construct::Colours:
        return QStringLiteral("[颜色表过长，其余颜色按默认颜色显示]");
    case Construct::Fonts:
        return QStringLiteral("[字体表过长，其余字体按默认字体显示]");
    case Construct::Formats:
        return QStringLiteral("[此处格式过多，其余文字按普通格式显示]");
    case Construct::Paragraphs:
        return QStringLiteral("[此处段落过多，其余段落接排显示]");
    case Construct::TableCells:
        return QStringLiteral("[此处表格过多，其余表格按文字显示]");
    }
    return {};
}

} // namespace rtf
