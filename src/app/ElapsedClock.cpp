#include "app/ElapsedClock.h"

#include "base/GbkText.h"

void ElapsedClock::tick()
{
    if (m_stopped)
        return;
    if (++m_seconds == 60) {
        m_seconds = 0;
        if (++m_minutes == 60) {
            m_minutes = 0;
            ++m_hours;
        }
    }
}

QString ElapsedClock::text() const
{
    return text::twoDigits(m_hours) + QLatin1Char(':') + text::twoDigits(m_minutes) +
           QLatin1Char(':') + text::twoDigits(m_seconds);
}
