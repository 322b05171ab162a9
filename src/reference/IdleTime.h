#pragma once

#include <QString>

// The first field of the main window's status bar: how long keyboard and
// mouse have been still, once that is more than ten seconds.
namespace idle {

constexpr int kTickMs = 500;
constexpr qint64 kQuietMs = 10000;

// "鼠标键盘未动作时间：2分5秒" for an idle time in milliseconds, to the
// nearest second (halves to even); empty up to kQuietMs.
QString statusText(qint64 idleMs);

} // namespace idle
