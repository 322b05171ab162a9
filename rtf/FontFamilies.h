#pragma once

#include <QFont>
#include <QString>
#include <QStringList>

namespace rtf {

// The Chinese faces by the names the documents and the windows use, each as
// the families asked for: the Windows name first, then the face installed
// here that stands in for it. This is the one table of them; the windows'
// fonts (widgets/CjkFonts) take their families from here.
QStringList songFamilies();     // 宋体
QStringList kaiFamilies();      // 楷体
QStringList heiFamilies();      // 黑体
QStringList youyuanFamilies();  // 幼圆, drawn with the 黑体 faces here
QStringList fangsongFamilies(); // 仿宋, drawn with the 宋体 face here

// The families asked for a font named in a document's font table: the name as
// written first, then the Windows name of its face and the faces installed here
// that stand in for it (宋体, 黑体, 幼圆, 楷体, 仿宋 and their Latin names). A
// Latin face is followed by the installed face that draws its letters when it
// is missing here, then by the 宋体 stand-ins for the Chinese characters.
QStringList familiesFor(const QString &name, QFont::StyleHint hint = QFont::AnyStyle);

// The style hint of a font-table family class (\froman, \fswiss, ...).
QFont::StyleHint styleHintFor(const QByteArray &familyClass);

} // namespace rtf
