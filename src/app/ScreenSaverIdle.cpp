#include "app/ScreenSaverIdle.h"

#include <X11/Xlib.h>
#include <X11/extensions/scrnsaver.h>

ScreenSaverIdle::ScreenSaverIdle()
{
    Display *display = XOpenDisplay(nullptr);
    if (!display)
        return;
    int eventBase = 0;
    int errorBase = 0;
    if (!XScreenSaverQueryExtension(display, &eventBase, &errorBase)) {
        XCloseDisplay(display);
        return;
    }
    XScreenSaverInfo *info = XScreenSaverAllocInfo();
    if (!info) {
        XCloseDisplay(display);
        return;
    }
    m_display = display;
    m_info = info;
}

ScreenSaverIdle::~ScreenSaverIdle()
{
    if (m_info)
        XFree(m_info);
    if (m_display)
        XCloseDisplay(static_cast<Display *>(m_display));
}

std::optional<long long> ScreenSaverIdle::idleMilliseconds()
{
    if (!m_display)
        return std::nullopt;
    auto *display = static_cast<Display *>(m_display);
    auto *info = static_cast<XScreenSaverInfo *>(m_info);
    if (!XScreenSaverQueryInfo(display, DefaultRootWindow(display), info))
        return std::nullopt;
    return static_cast<long long>(info->idle);
}
