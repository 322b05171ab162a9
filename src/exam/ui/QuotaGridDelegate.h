#pragma once

#include <QColor>
#include <QStyledItemDelegate>

// The look of the quota table: every cell white with its text centred in
// 宋体 10 points, black; the selected row yellow with its texts left-aligned
// in teal.
class QuotaGridDelegate : public QStyledItemDelegate
{
    Q_OBJECT

public:
    // 宋体 10 points at the screen's 96 dots per inch.
    static constexpr int kCellPixels = 13;

    using QStyledItemDelegate::QStyledItemDelegate;

    static QColor selectedFill();
    static QColor selectedText();

    void paint(QPainter *painter, const QStyleOptionViewItem &option,
               const QModelIndex &index) const override;
};
