#include "reference/IdleTime.h"

#include "base/GbkText.h"

namespace idle {

QString statusText(qint64 idleMs)
{
    if (idleMs <= kQuietMs)
        return {};
    const qint64 seconds = text::roundHalfEven(static_cast<double>(idleMs) / 1000.0);
    return QStringLiteral("鼠标键盘未动作时间：") + QString::number(seconds / 60) +
           QStringLiteral("分") + QString::number(seconds % 60) + QStringLiteral("秒");
}

} // namespace idle
