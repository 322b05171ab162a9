#include "exam/ui/QuotaGridHeader.h"

#include "base/Colours.h"
#include "exam/ui/QuotaGridDelegate.h"
#include "widgets/Theme.h"

#include <QPainter>

QuotaGridHeader::QuotaGridHeader(QWidget *parent) : QHeaderView(Qt::Horizontal, parent)
{
    setSectionResizeMode(QHeaderView::Fixed);
    setHighlightSections(false);
    setSectionsClickable(false);
}

void QuotaGridHeader::paintSection(QPainter *painter, const QRect &rect, int logicalIndex) const
{
    painter->save();
    painter->fillRect(rect, theme::colour(theme::Colour::Paper));
    painter->setPen(theme::colour(theme::Colour::Separator));
    painter->drawLine(rect.topRight(), rect.bottomRight());
    painter->drawLine(rect.bottomLeft(), rect.bottomRight());
    painter->setPen(QColor::fromRgb(rgb::kRed));
    painter->setFont(theme::font(theme::FontRole::QuotaCell));
    painter->drawText(rect, Qt::AlignCenter,
                      model() ? model()->headerData(logicalIndex, Qt::Horizontal).toString()
                              : QString());
    painter->restore();
}
