#include "widgets/LinkLabel.h"

#include <QMouseEvent>

LinkLabel::LinkLabel(const QString &text, QWidget *parent) : QLabel(text, parent)
{
    setCursor(Qt::PointingHandCursor);
    applyLook();
}

void LinkLabel::setLook(const QColor &rest, bool restBold, const QColor &hover, bool hoverBold)
{
    m_rest = rest;
    m_restBold = restBold;
    m_hover = hover;
    m_hoverBold = hoverBold;
    applyLook();
}

void LinkLabel::enterEvent(QEnterEvent *event)
{
    // A link emptied of its text offers nothing: no hand over blank space.
    setCursor(text().isEmpty() ? Qt::ArrowCursor : Qt::PointingHandCursor);
    m_hovered = true;
    applyLook();
    QLabel::enterEvent(event);
}

void LinkLabel::leaveEvent(QEvent *event)
{
    m_hovered = false;
    applyLook();
    QLabel::leaveEvent(event);
}

void LinkLabel::mouseReleaseEvent(QMouseEvent *event)
{
    QLabel::mouseReleaseEvent(event);
    if (event->button() == Qt::LeftButton && !text().isEmpty() &&
        rect().contains(event->position().toPoint()))
        emit clicked();
}

void LinkLabel::applyLook()
{
    QFont f = font();
    f.setBold(m_hovered ? m_hoverBold : m_restBold);
    f.setUnderline(m_hovered);
    setFont(f);
    QPalette p = palette();
    p.setColor(QPalette::WindowText, m_hovered ? m_hover : m_rest);
    setPalette(p);
}
