#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>

// The stored forms of a Jet file's values, decoded without the Jet library:
// dates are days since 1899-12-30 in a double, texts are UTF-16 (with the
// file's own compression) or, in the older format, bytes of the file's code page.
namespace jet {

// A stored date in the store's own form (yyyy-MM-ddTHH:mm:ss), exact to the
// second also before 1900, where the whole days count backwards and the time
// of day still counts forwards. An empty string for a value no calendar holds.
QString dateText(double days);

// A stored text of the 4.0 format: UTF-16LE, or the compressed form that starts
// with FF FE and switches between one-byte and two-byte characters at each
// zero byte. Every stored unit is kept, also one that is no valid character.
QString unicodeText(QByteArrayView stored);

// A stored text of the 3.x format in the file's code page (936 is GBK; other
// code pages are read as Windows-1252).
QString codePageText(QByteArrayView stored, int codePage);

} // namespace jet
