#include "exam/ui/QuotaGridDelegate.h"

#include "base/Colours.h"
#include "widgets/Theme.h"

#include <QPainter>

namespace {

// The selected row's text colour.
constexpr unsigned kTeal = 0x008080;

} // namespace

QColor QuotaGridDelegate::selectedFill()
{
    return QColor::fromRgb(rgb::kYellow);
}

QColor QuotaGridDelegate::selectedText()
{
    return QColor::fromRgb(kTeal);
}

void QuotaGridDelegate::paint(QPainter *painter, const QStyleOptionViewItem &option,
                              const QModelIndex &index) const
{
    const bool selected = option.state & QStyle::State_Selected;
    painter->save();
    painter->fillRect(option.rect, selected ? selectedFill() : theme::colour(theme::Colour::Paper));
    painter->setPen(selected ? selectedText() : theme::colour(theme::Colour::Text));
    painter->setFont(theme::font(theme::FontRole::QuotaCell));
    const QRect text = option.rect.adjusted(2, 0, -2, 0);
    painter->drawText(text, (selected ? Qt::AlignLeft : Qt::AlignHCenter) | Qt::AlignVCenter,
                      index.data(Qt::DisplayRole).toString());
    painter->restore();
}
