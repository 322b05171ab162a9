#include "exam/Countdown.h"

#include "base/Beeper.h"
#include "base/GbkText.h"

Countdown::Countdown(Beeper *beeper, QObject *parent) : QObject(parent), m_beeper(beeper) {}

void Countdown::start(int minutes)
{
    m_remaining = minutes * 60;
    // The whole time shows from the start, not the last run's leftover (or
    // "00:00") until the first tick.
    setLabel(m_remaining > 0 ? labelFor(m_remaining) : QStringLiteral("00:00"));
    setRunning(true);
}

void Countdown::setLabel(const QString &text)
{
    if (text == m_label)
        return;
    m_label = text;
    emit labelChanged(m_label);
}

void Countdown::stop()
{
    setRunning(false);
}

QString Countdown::labelFor(int remaining)
{
    if (remaining >= 60)
        return text::twoDigits(remaining / 60) + QLatin1Char(':') +
               QStringLiteral("%1").arg(remaining % 60, 2, 10, QLatin1Char('0'));
    return QStringLiteral("0:") + QString::number(remaining);
}

bool Countdown::tick()
{
    if (!m_running)
        return false;
    --m_remaining;
    const bool zero = m_remaining <= 0;
    const QString text = zero ? QStringLiteral("00:00") : labelFor(m_remaining);
    if (m_remaining <= 60 && m_remaining % 30 == 0 && m_beeper)
        m_beeper->beep(kToneHz, kToneMs);
    if (zero)
        setRunning(false);
    setLabel(text);
    if (zero)
        emit expired();
    return zero;
}

void Countdown::setRunning(bool running)
{
    if (m_running == running)
        return;
    m_running = running;
    emit runningChanged(running);
}
