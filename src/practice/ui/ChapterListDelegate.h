#pragma once

#include <QStyledItemDelegate>

// Draws the picker's chapter list: the item with the input focus red with
// black text, the remembered item red with white text, the others white with
// black text. The item is as high as the font plus 7 pixels; the text starts
// one blank and 5 pixels from the left, 4 pixels below the top.
class ChapterListDelegate : public QStyledItemDelegate
{
    Q_OBJECT

public:
    using QStyledItemDelegate::QStyledItemDelegate;

    void setRemembered(int row) { m_remembered = row; }
    int remembered() const { return m_remembered; }
    // A row drawn like the focused one also while the list has no focus
    // (the set list's chosen set); -1 for none.
    void setChosen(int row) { m_chosen = row; }
    int chosen() const { return m_chosen; }

    static int itemHeight(const QFont &font);

    void paint(QPainter *painter, const QStyleOptionViewItem &option,
               const QModelIndex &index) const override;
    QSize sizeHint(const QStyleOptionViewItem &option, const QModelIndex &index) const override;

private:
    int m_remembered = 0;
    int m_chosen = -1;
};
