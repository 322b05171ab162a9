#pragma once

#include "widgets/Theme.h"

#include <QColor>
#include <QLabel>

// A label that works like a link: hand cursor, its own look while the pointer
// is over it, and clicked() on a left click. The command panel's links are grey
// and turn red, bold and underlined; other links choose their colours.
class LinkLabel : public QLabel
{
    Q_OBJECT

public:
    explicit LinkLabel(const QString &text, QWidget *parent = nullptr);

    // Colour and weight at rest and while hovered (hover is always underlined).
    void setLook(const QColor &rest, bool restBold, const QColor &hover, bool hoverBold);
    bool hovered() const { return m_hovered; }

signals:
    void clicked();

protected:
    void enterEvent(QEnterEvent *event) override;
    void leaveEvent(QEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;

private:
    void applyLook();

    QColor m_rest = theme::colour(theme::Colour::LinkRest);
    QColor m_hover = theme::colour(theme::Colour::LinkHover);
    bool m_restBold = false;
    bool m_hoverBold = true;
    bool m_hovered = false;
};
