#include "practice/ui/ChapterListDelegate.h"

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
    QColor background = Qt::white;
    QColor foreground = Qt::black;
    if ((option.state & QStyle::State_HasFocus) || index.row() == m_chosen) {
        background = Qt::red;
    } else if (index.row() == m_remembered) {
        background = Qt::red;
        foreground = Qt::white;
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
