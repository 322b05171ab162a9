#pragma once

// A short tone. The program plays it on the sound device (silently when there
// is none); tests record the requests.
class Beeper
{
public:
    virtual ~Beeper() = default;
    virtual void beep(int hz, int ms) = 0;
};
