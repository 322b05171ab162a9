#include "practice/ui/BackdropWindow.h"

#include "widgets/Theme.h"

#include <QGuiApplication>
#include <QMouseEvent>
#include <QScreen>

BackdropWindow::BackdropWindow(QWidget *parent)
    : QWidget(parent, Qt::Window | Qt::FramelessWindowHint)
{
    setObjectName(BackdropWindowNames::window);
    theme::fill(this, theme::Colour::Backdrop);
}

void BackdropWindow::showBackdrop()
{
    if (const QScreen *screen = QGuiApplication::primaryScreen())
        setGeometry(screen->geometry());
    showMaximized();
}

void BackdropWindow::mousePressEvent(QMouseEvent *event)
{
    QWidget::mousePressEvent(event);
    emit clicked();
}
