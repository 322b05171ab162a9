#include "FontFamilies.h"

#include <QFontInfo>
#include <QGuiApplication>
#include <QHash>
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
        return songFamilies();
    if (isOneOf(name,
                {u"楷体", u"楷体_GB2312", u"KaiTi", u"KaiTi_GB2312", u"STKaiti", u"华文楷体"}))
        return kaiFamilies();
    if (isOneOf(name, {u"仿宋", u"仿宋_GB2312", u"FangSong", u"FangSong_GB2312", u"STFangsong",
                       u"华文仿宋"}))
        return fangsongFamilies();
    if (isOneOf(name, {u"幼圆", u"YouYuan"}))
        return youyuanFamilies();
    if (isOneOf(name,
                {u"黑体", u"SimHei", u"微软雅黑", u"Microsoft YaHei", u"STHeiti", u"华文黑体"}))
        return heiFamilies();
    return {};
}

// The face installed here that draws a Latin font's letters: the font itself,
// or what the system puts in its place (a document written elsewhere often
// names faces this system lacks). Found once per name and kind; empty without
// a font database.
QString latinFace(const QString &name, QFont::StyleHint hint)
{
    if (!qobject_cast<QGuiApplication *>(QCoreApplication::instance()))
        return {};
    // A document may name any number of faces; looking each up costs a
    // font match, so only so many are looked up in a program's life.
    constexpr qsizetype kLookedUp = 256;
    thread_local QHash<QString, QString> faces;
    const QString key = name + QChar(u'\n') + QString::number(int(hint));
    if (const auto found = faces.constFind(key); found != faces.constEnd())
        return *found;
    if (faces.size() >= kLookedUp)
        return {};
    QFont font;
    font.setFamilies({name});
    font.setStyleHint(hint);
    return *faces.insert(key, QFontInfo(font).family());
}

// The family without the foundry that the font database may add: "Nimbus
// Roman [urw]" is "Nimbus Roman".
QString withoutFoundry(const QString &family)
{
    const qsizetype bracket = family.indexOf(QLatin1String(" ["));
    return bracket < 0 ? family : family.left(bracket);
}

} // namespace

// The AR PL faces hold the characters of GB 2312 only; the rest of GBK is
// drawn in a Song face of the same style rather than in whatever face the
// system would pick (often a Japanese one).
QStringList songFamilies()
{
    return {QStringLiteral("SimSun"), QStringLiteral("AR PL SungtiL GB"),
            QStringLiteral("Noto Serif CJK SC")};
}

QStringList kaiFamilies()
{
    return {QStringLiteral("KaiTi_GB2312"), QStringLiteral("AR PL KaitiM GB"),
            QStringLiteral("Noto Serif CJK SC")};
}

QStringList heiFamilies()
{
    return {QStringLiteral("SimHei"), QStringLiteral("Noto Sans CJK SC")};
}

QStringList youyuanFamilies()
{
    return QStringList{QStringLiteral("YouYuan")} + heiFamilies();
}

QStringList fangsongFamilies()
{
    // 仿宋 is a Song face drawn with a brush's slant; the installed Song face
    // is the nearest stand-in.
    return QStringList{QStringLiteral("FangSong"), QStringLiteral("FangSong_GB2312")} +
           songFamilies().mid(1);
}

QStringList familiesFor(const QString &name, QFont::StyleHint hint)
{
    const QString written = name.trimmed();
    QStringList families;
    if (!written.isEmpty())
        families << written;
    QStringList faces = faceFamilies(written);
    if (faces.isEmpty() && !written.isEmpty()) {
        // A Latin face draws no Chinese characters. Left alone, the system
        // would pick any Chinese face for them (often a Kai face, small in
        // its square); Windows, where the documents come from, shows them in
        // 宋体. The Latin letters stay in the Latin face, or in what stands in
        // for it here: a missing first family would otherwise hand them to
        // the Song face too.
        const QString latin = latinFace(written, hint);
        if (!latin.isEmpty() && withoutFoundry(latin).compare(written, Qt::CaseInsensitive) != 0)
            faces << latin;
        faces += faceFamilies(QStringLiteral("宋体"));
    }
    for (const QString &family : faces) {
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
