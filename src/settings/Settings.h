#pragma once

#include <algorithm>

// The settings row, read once at start-up; changes take effect at the next start.
struct Settings
{
    // What the settings page can show and the program uses. A stored value
    // outside is taken as the nearer end, so that the value shown, the value
    // in force and the value saved back are always one and the same.
    static constexpr int kSetSizeMin = 10;
    static constexpr int kSetSizeMax = 100;
    static constexpr int kAdvanceDelayMin = 3; // the slider's 300 ... 5000 ms
    static constexpr int kAdvanceDelayMax = 50;
    static constexpr int kExamMinutesMin = 10;
    static constexpr int kExamMinutesMax = 180;

    int setSize = 50; // questions per practice set
    bool showInstantAnswer = true;
    int advanceDelay = 15;    // tenths of a second before the automatic move
    int examMinutes = 90;     // countdown of every run but the mock examination
    bool jokeEnabled = false; // shown and saved back only

    Settings inRange() const
    {
        Settings s = *this;
        s.setSize = std::clamp(setSize, kSetSizeMin, kSetSizeMax);
        s.advanceDelay = std::clamp(advanceDelay, kAdvanceDelayMin, kAdvanceDelayMax);
        s.examMinutes = std::clamp(examMinutes, kExamMinutesMin, kExamMinutesMax);
        return s;
    }
};
