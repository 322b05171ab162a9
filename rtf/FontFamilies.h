#pragma once

#include <QFont>
#include <QString>
#include <QStringList>

namespace rtf {

// The families asked for a font named in a document's font table: the name as
// written first, then the Windows name of its face and the faces installed here
// that stand in for it (宋体, 黑体, 幼圆, 楷体, 仿宋 and their Latin names). A
// Latin face is followed by the installed face that draws its letters when it
// is missing here, then by the 宋体 stand-ins for the Chinese characters.
QStringList familiesFor(const QString &name, QFont::StyleHint hint = QFont::AnyStyle);

// The style hint of a font-table family class (\froman, \fswiss, ...).
QFont::StyleHint styleHintFor(const QByteArray &familyClass);

} // namespace rtf
