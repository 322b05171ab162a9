#pragma once

#include "app/ScreenSaverIdle.h"
#include "reference/IdleSource.h"

#include <QElapsedTimer>
#include <QObject>
#include <memory>

// The idle time of the status bar: the X11 screen saver's figure where the
// program runs on an X11 display, otherwise (Wayland, offscreen) the time
// since the last keyboard or mouse event the program itself received.
class DesktopIdle : public QObject, public IdleSource
{
    Q_OBJECT

public:
    explicit DesktopIdle(QObject *parent = nullptr);
    ~DesktopIdle() override;

    qint64 idleMilliseconds() override;
    // True while the figure comes from the X11 screen saver.
    bool fromScreenSaver() const { return m_screenSaver != nullptr; }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    std::unique_ptr<ScreenSaverIdle> m_screenSaver;
    QElapsedTimer m_sinceInput;
};
