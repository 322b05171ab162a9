#include "FontFamilies.h"

#include <initializer_list>

namespace rtf {

namespace {

bool isOneOf(const QString &name, std::initializer_list<const char16_t *> names)
{
    for (const char16_t *candidate : names) {
        if (name.compare(QString::fromUtf16(candidate), Qt::CaseInsensitive) == 0)
            return true;
    }
    return false;
}

QStringList faceFamilies(const QString &name)
{
    if (isOneOf(name, {u"宋体", u"新宋体", u"SimSun", u"NSimSun", u"宋体_GB2312", u"SimSun-ExtB",
                       u"STSong", u"华文宋体"}))
        return {QStringLiteral("SimSun"), QStringLiteral("AR PL SungtiL GB"),
                QStringLiteral("Noto Serif CJK SC")};
    if (isOneOf(name,
                {u"楷体", u"楷体_GB2312", u"KaiTi", u"KaiTi_GB2312", u"STKaiti", u"华文楷体"}))
        return {QStringLiteral("KaiTi_GB2312"), QStringLiteral("KaiTi"),
                QStringLiteral("AR PL KaitiM GB"), QStringLiteral("Noto Serif CJK SC")};
    // 仿宋 is a Song face drawn with a brush's slant; the installed Song face is the
    // nearest stand-in.
    if (isOneOf(name, {u"仿宋", u"仿宋_GB2312", u"FangSong", u"FangSong_GB2312", u"STFangsong",
                       u"华文仿宋"}))
        return {QStringLiteral("FangSong"), QStringLiteral("FangSong_GB2312"),
                QStringLiteral("AR PL SungtiL GB"), QStringLiteral("Noto Serif CJK SC")};
    if (isOneOf(name, {u"幼圆", u"YouYuan"}))
        return {QStringLiteral("YouYuan"), QStringLiteral("SimHei"),
                QStringLiteral("Noto Sans CJK SC")};
    if (isOneOf(name,
                {u"黑体", u"SimHei", u"微软雅黑", u"Microsoft YaHei", u"STHeiti", u"华文黑体"}))
        return {QStringLiteral("SimHei"), QStringLiteral("Noto Sans CJK SC")};
    return {};
}

} // namespace

QStringList familiesFor(const QString &name)
{
    const QString written = name.trimmed();
    QStringList families;
    if (!written.isEmpty())
        families << written;
    for (const QString &family : faceFamilies(written)) {
        if (!families.contains(family, Qt::CaseInsensitive))
            families << family;
    }
    return families;
}

QFont::StyleHint styleHintFor(const QByteArray &familyClass)
{
    if (familyClass == "froman")
        return QFont::Serif;
    if (familyClass == "fswiss")
        return QFont::SansSerif;
    if (familyClass == "fmodern")
        return QFont::TypeWriter;
    if (familyClass == "fscript")
        return QFont::Cursive;
    if (familyClass == "fdecor")
        return QFont::Decorative;
    return QFont::AnyStyle;
}

} // namespace rtf
