#include "widgets/CjkFonts.h"

#include <QStringList>

namespace {

QFont make(const QStringList &families, int pixelSize, bool bold)
{
    QFont font;
    font.setFamilies(families);
    font.setPixelSize(pixelSize);
    font.setBold(bold);
    return font;
}

} // namespace

namespace cjk {

QFont song(int pixelSize, bool bold)
{
    return make({QStringLiteral("SimSun"), QStringLiteral("AR PL SungtiL GB"),
                 QStringLiteral("Noto Sans CJK SC")},
                pixelSize, bold);
}

QFont kai(int pixelSize, bool bold)
{
    return make({QStringLiteral("KaiTi_GB2312"), QStringLiteral("AR PL KaitiM GB"),
                 QStringLiteral("Noto Sans CJK SC")},
                pixelSize, bold);
}

QFont hei(int pixelSize, bool bold)
{
    return make({QStringLiteral("SimHei"), QStringLiteral("Noto Sans CJK SC")}, pixelSize, bold);
}

QFont youyuan(int pixelSize, bool bold)
{
    return make(
        {QStringLiteral("YouYuan"), QStringLiteral("SimHei"), QStringLiteral("Noto Sans CJK SC")},
        pixelSize, bold);
}

} // namespace cjk
