#include "practice/ui/BackdropWindow.h"

#include "widgets/Theme.h"

#include <QGuiApplication>
#include <QMouseEvent>
#include <QScreen>

BackdropWindow::BackdropWindow(QWidget *parent)
    : QWidget(parent, Qt::Window | Qt::FramelessWindowHint)
{
    setObjectName(QStringLiteral("TForm13"));
    setAutoFillBackground(true);
    QPalette black = palette();
    black.setColor(QPalette::Window, theme::colour(theme::Colour::Backdrop));
    setPalette(black);
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
