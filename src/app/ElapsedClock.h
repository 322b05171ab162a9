#pragma once

#include <QString>

// The elapsed-time clock of the status bar: seconds, minutes and hours since
// the main window was created, advanced once a second by the window's timer.
// Once stopped it never runs again.
class ElapsedClock
{
public:
    void tick();
    void stop() { m_stopped = true; }
    bool stopped() const { return m_stopped; }

    int seconds() const { return m_seconds; }
    int minutes() const { return m_minutes; }
    int hours() const { return m_hours; }
    // "hh:mm:ss", each part with at least two digits.
    QString text() const;

private:
    int m_seconds = 0;
    int m_minutes = 0;
    int m_hours = 0;
    bool m_stopped = false;
};
