#pragma once

#include <QFont>
#include <QStringList>

// The fonts of the windows, by the names the designs use. Each asks for the
// Windows family first and then a family that exists on this system; the
// families are those of the one table of Chinese faces, rtf/FontFamilies,
// which the reader of documents uses too.
namespace cjk {

QFont song(int pixelSize, bool bold = false);    // 宋体
QFont kai(int pixelSize, bool bold = false);     // 楷体_GB2312
QFont hei(int pixelSize, bool bold = false);     // 黑体
QFont youyuan(int pixelSize, bool bold = false); // 幼圆 (drawn with the 黑体 families)

// The family lists behind them, preferred first.
QStringList songFamilies();
QStringList kaiFamilies();
QStringList heiFamilies();
QStringList youyuanFamilies();

} // namespace cjk
