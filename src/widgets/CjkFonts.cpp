#include "widgets/CjkFonts.h"

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

QStringList songFamilies()
{
    return {QStringLiteral("SimSun"), QStringLiteral("AR PL SungtiL GB"),
            QStringLiteral("Noto Sans CJK SC")};
}

QStringList kaiFamilies()
{
    return {QStringLiteral("KaiTi_GB2312"), QStringLiteral("AR PL KaitiM GB"),
            QStringLiteral("Noto Sans CJK SC")};
}

QStringList heiFamilies()
{
    return {QStringLiteral("SimHei"), QStringLiteral("Noto Sans CJK SC")};
}

QStringList youyuanFamilies()
{
    return {QStringLiteral("YouYuan"), QStringLiteral("SimHei"),
            QStringLiteral("Noto Sans CJK SC")};
}

QFont song(int pixelSize, bool bold)
{
    return make(songFamilies(), pixelSize, bold);
}

QFont kai(int pixelSize, bool bold)
{
    return make(kaiFamilies(), pixelSize, bold);
}

QFont hei(int pixelSize, bool bold)
{
    return make(heiFamilies(), pixelSize, bold);
}

QFont youyuan(int pixelSize, bool bold)
{
    return make(youyuanFamilies(), pixelSize, bold);
}

} // namespace cjk
