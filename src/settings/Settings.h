#pragma once

// The settings row, read once at start-up; changes take effect at the next start.
struct Settings
{
    int setSize = 50; // questions per practice set
    bool showInstantAnswer = true;
    int advanceDelay = 15;    // tenths of a second before the automatic move
    int examMinutes = 90;     // countdown of every run but the mock examination
    bool jokeEnabled = false; // shown and saved back only
};
