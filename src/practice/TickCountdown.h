#pragma once

// A short countdown in ticks of the window's 100 ms timer: the automatic move
// to the next question and the reveal of an answer. Started, it counts down
// from its reload value; the tick that reaches zero is reported, and the
// countdown stops and reloads. Stopping early reloads it too; starting again
// while it runs changes nothing.
class TickCountdown
{
public:
    explicit TickCountdown(int reload) : m_reload(reload), m_left(reload) {}

    // The value taken at the next reload; the ticks now left stay.
    void setReload(int reload) { m_reload = reload; }
    int reload() const { return m_reload; }

    void start() { m_running = true; }
    void stop()
    {
        m_running = false;
        m_left = m_reload;
    }

    bool running() const { return m_running; }
    int left() const { return m_left; }

    // One tick: true when it reached zero (the countdown is then stopped and
    // reloaded). A tick while stopped does nothing.
    bool tick()
    {
        if (!m_running)
            return false;
        --m_left;
        if (m_left > 0)
            return false;
        stop();
        return true;
    }

private:
    int m_reload;
    int m_left;
    bool m_running = false;
};
