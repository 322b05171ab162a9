#include "app/ui/SloganStrip.h"

#include "app/ui/MainWindowNames.h"
#include "widgets/CjkFonts.h"
#include "widgets/Theme.h"

#include <QLabel>
#include <QMouseEvent>
#include <algorithm>

namespace {

constexpr int kSloganStart = 709;

} // namespace

SloganStrip::SloganStrip(int width, QWidget *parent) : QFrame(parent)
{
    setObjectName(MainWindowNames::sloganStrip);
    theme::setPart(this, QStringLiteral("sloganStrip"));
    setFixedHeight(kHeight);
    m_slogan = new QLabel(QStringLiteral("电力工作人员必备环节  电力安全高于一切"), this);
    m_slogan->setObjectName(MainWindowNames::slogan);
    m_slogan->setFont(cjk::youyuan(19, true));
    QPalette green = m_slogan->palette();
    green.setColor(QPalette::WindowText, theme::colour(theme::Colour::Slogan));
    m_slogan->setPalette(green);
    m_slogan->adjustSize();
    // The text starts at its design position, moved left only as far as needed
    // to be read whole while it stands still.
    const int x = std::min(kSloganStart, width - m_slogan->width() - 24);
    m_slogan->move(x, (kHeight - m_slogan->height()) / 2);
}

void SloganStrip::showSlogan(const QString &text, int x, bool shown)
{
    if (m_slogan->text() != text) {
        m_slogan->setText(text);
        m_slogan->adjustSize();
    }
    m_slogan->move(x, m_slogan->y());
    m_slogan->setVisible(shown);
}

void SloganStrip::mousePressEvent(QMouseEvent *event)
{
    // The text does not take the mouse, so a click on it reaches the strip too.
    if (event->button() == Qt::LeftButton)
        emit clicked();
    QFrame::mousePressEvent(event);
}
