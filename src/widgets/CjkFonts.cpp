#include "widgets/CjkFonts.h"

#include "FontFamilies.h"

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
    return rtf::songFamilies();
}

QStringList kaiFamilies()
{
    return rtf::kaiFamilies();
}

QStringList heiFamilies()
{
    return rtf::heiFamilies();
}

QStringList youyuanFamilies()
{
    return rtf::youyuanFamilies();
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
