#pragma once

#include <QElapsedTimer>
#include <QString>
#include <algorithm>
#include <cstdio>
#include <functional>
#include <vector>

// Runs a measured step several times and reports the median in milliseconds.
inline double medianMs(int runs, const std::function<void()> &step)
{
    std::vector<double> times;
    for (int i = 0; i < runs; ++i) {
        QElapsedTimer timer;
        timer.start();
        step();
        times.push_back(timer.nsecsElapsed() / 1e6);
    }
    std::sort(times.begin(), times.end());
    return times[times.size() / 2];
}

inline void report(const char *what, double ms, const char *baseline, double baselineMs)
{
    std::printf("%-44s %9.2f ms   (baseline: %s %.2f ms)\n", what, ms, baseline, baselineMs);
}
