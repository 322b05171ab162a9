#pragma once

#include <QByteArray>
#include <QString>

// Text helpers for the places where the GBK byte form matters: length limits,
// cuts, stored question texts and text files. Everything else is QString.
namespace gbk {

// The GBK bytes of a text; characters GBK cannot represent become '?'.
QByteArray encode(const QString &text);
// GBK bytes back to text. Invalid sequences become U+FFFD.
QString decode(const QByteArray &bytes);
// The two-byte characters by their code (lead << 8 | trail), 65536 entries;
// 0 where the pair is not a character. For decoders that cannot afford a
// converter per text; decode() gives the same characters.
const char16_t *doubleByteChars();
// True when every character of the text has a GBK form.
bool representable(const QString &text);
// Byte length of the text in GBK.
int byteLength(const QString &text);
// The longest prefix of the text whose GBK form has at most maxBytes bytes,
// cut only between whole characters.
QString cut(const QString &text, int maxBytes);

} // namespace gbk

namespace text {

// Removes characters up to and including the blank (U+0000 .. U+0020) at both ends.
QString trimmed(const QString &text);
// Rounds to the nearest integer, halves to the even neighbour (12.5 -> 12, 13.5 -> 14).
int roundHalfEven(double value);
// "7" -> "07", "12" -> "12", "120" -> "120".
QString twoDigits(int value);

} // namespace text
