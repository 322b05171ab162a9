#include "practice/ui/ChapterListDelegate.h"

#include "widgets/Theme.h"

#include <QFontInfo>
#include <QPainter>
#include <cstdlib>

int ChapterListDelegate::itemHeight(const QFont &font)
{
    const int pixels = font.pixelSize() > 0 ? font.pixelSize() : QFontInfo(font).pixelSize();
    return std::abs(pixels) + 7;
}

void ChapterListDelegate::paint(QPainter *painter, const QStyleOptionViewItem &option,
                                const QModelIndex &index) const
{
    QColor background = theme::colour(theme::Colour::Paper);
    QColor foreground = theme::colour(theme::Colour::Text);
    if ((option.state & QStyle::State_HasFocus) || index.row() == m_chosen) {
        background = theme::colour(theme::Colour::ListMarked);
    } else if (index.row() == m_remembered) {
        background = theme::colour(theme::Colour::ListMarked);
        foreground = theme::colour(theme::Colour::ListMarkedText);
    }
    painter->save();
    painter->fillRect(option.rect, background);
    painter->setPen(foreground);
    painter->setFont(option.font);
    painter->drawText(option.rect.adjusted(5, 4, 0, 0), Qt::AlignLeft | Qt::AlignTop,
                      QLatin1Char(' ') + index.data(Qt::DisplayRole).toString());
    painter->restore();
}

QSize ChapterListDelegate::sizeHint(const QStyleOptionViewItem &option,
                                    const QModelIndex &index) const
{
    QSize size = QStyledItemDelegate::sizeHint(option, index);
    size.setHeight(itemHeight(option.font));
    return size;
}
