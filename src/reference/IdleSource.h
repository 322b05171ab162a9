#pragma once

#include <QtGlobal>

// How long keyboard and mouse have been still, as the desktop reports it.
class IdleSource
{
public:
    virtual ~IdleSource() = default;
    virtual qint64 idleMilliseconds() = 0;
};
