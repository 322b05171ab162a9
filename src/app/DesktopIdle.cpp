#include "app/DesktopIdle.h"

#include <QCoreApplication>
#include <QEvent>
#include <QGuiApplication>

DesktopIdle::DesktopIdle(QObject *parent) : QObject(parent)
{
    m_sinceInput.start();
    if (QGuiApplication::platformName() == QLatin1String("xcb")) {
        auto screenSaver = std::make_unique<ScreenSaverIdle>();
        if (screenSaver->available())
            m_screenSaver = std::move(screenSaver);
    }
    // The program's own input is watched in any case, for a display that
    // stops answering.
    if (QCoreApplication *app = QCoreApplication::instance())
        app->installEventFilter(this);
}

DesktopIdle::~DesktopIdle()
{
    if (QCoreApplication *app = QCoreApplication::instance())
        app->removeEventFilter(this);
}

qint64 DesktopIdle::idleMilliseconds()
{
    if (m_screenSaver) {
        if (const std::optional<long long> idle = m_screenSaver->idleMilliseconds())
            return *idle;
    }
    return m_sinceInput.elapsed();
}

bool DesktopIdle::eventFilter(QObject *watched, QEvent *event)
{
    switch (event->type()) {
    case QEvent::KeyPress:
    case QEvent::KeyRelease:
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonRelease:
    case QEvent::MouseButtonDblClick:
    case QEvent::MouseMove:
    case QEvent::Wheel:
    case QEvent::TouchBegin:
    case QEvent::TabletPress:
        m_sinceInput.restart();
        break;
    default:
        break;
    }
    return QObject::eventFilter(watched, event);
}
