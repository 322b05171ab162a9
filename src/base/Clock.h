#pragma once

#include <QDateTime>

// The time of day as the system sees it: log records, the seed of random
// draws. The program reads the machine's clock; tests set the time.
class Clock
{
public:
    virtual ~Clock() = default;
    virtual QDateTime now() const = 0;
};

// The machine's local time.
class SystemClock : public Clock
{
public:
    QDateTime now() const override { return QDateTime::currentDateTime(); }
};
