#include "practice/ui/RevealPanel.h"

#include "widgets/Theme.h"

#include <QHBoxLayout>
#include <QLabel>

RevealPanel::RevealPanel(QWidget *parent) : QFrame(parent)
{
    setObjectName(QStringLiteral("PanelReveal"));
    theme::setPart(this, QStringLiteral("revealPanel"));
    setMouseTracking(true);
    setCursor(Qt::WhatsThisCursor);
    setFixedSize(128, 44);
    setToolTip(QStringLiteral("鼠标移到此处，稍候显示正确答案"));
    auto *row = new QHBoxLayout(this);
    row->setContentsMargins(10, 2, 8, 2);
    row->setSpacing(6);
    auto *caption = new QLabel(QStringLiteral("查看答案"), this);
    caption->setFont(theme::font(theme::FontRole::Caption));
    theme::setTone(caption, theme::Tone::RevealCaption);
    caption->setAttribute(Qt::WA_TransparentForMouseEvents);
    row->addWidget(caption);
    m_figure = new QLabel(this);
    m_figure->setObjectName(QStringLiteral("LabelRevealFigure"));
    m_figure->setFont(theme::font(theme::FontRole::RevealFigure));
    theme::setTone(m_figure, theme::Tone::Alert);
    m_figure->setAttribute(Qt::WA_TransparentForMouseEvents);
    m_figure->setFixedWidth(18);
    QSizePolicy keep = m_figure->sizePolicy();
    keep.setRetainSizeWhenHidden(true);
    m_figure->setSizePolicy(keep);
    m_figure->hide();
    row->addWidget(m_figure);
}

void RevealPanel::setFigure(const QString &text, bool visible)
{
    if (m_figure->text() != text)
        m_figure->setText(text);
    m_figure->setVisible(visible);
}

void RevealPanel::enterEvent(QEnterEvent *event)
{
    QFrame::enterEvent(event);
    emit hovered();
}

void RevealPanel::mouseMoveEvent(QMouseEvent *event)
{
    QFrame::mouseMoveEvent(event);
    emit hovered();
}
