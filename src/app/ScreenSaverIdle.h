#pragma once

#include <optional>

// The desktop's idle time through the X11 screen-saver extension: the time
// since the last keyboard or mouse input to any program of the display. The
// Xlib calls stay in this class's own source file.
class ScreenSaverIdle
{
public:
    ScreenSaverIdle();
    ~ScreenSaverIdle();
    ScreenSaverIdle(const ScreenSaverIdle &) = delete;
    ScreenSaverIdle &operator=(const ScreenSaverIdle &) = delete;

    // False when there is no X11 display or it lacks the extension.
    bool available() const { return m_display != nullptr; }
    // Milliseconds since the last input; nothing when the display does not answer.
    std::optional<long long> idleMilliseconds();

private:
    void *m_display = nullptr;
    void *m_info = nullptr;
};
