#pragma once

#include "base/Clock.h"

// A clock that shows the time a test sets.
class FixedClock : public Clock
{
public:
    explicit FixedClock(QDateTime time = QDateTime(QDate(2026, 12, 9), QTime(8, 30)))
        : time(std::move(time))
    {
    }
    QDateTime now() const override { return time; }
    QDateTime time;
};
