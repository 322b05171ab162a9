#pragma once

#include <QByteArray>
#include <QString>

// The stored forms the generator writes, each proved by reading it back the
// way the program does: a value that would not decode to its own text is
// refused with a DataError naming the text, never written.
class StoredValue
{
public:
    // An encoded column of the question table; the text is trimmed as the
    // editor does. field and the place name the value in the message.
    static QString questionText(const QString &text, const QString &field, const QString &file,
                                int line);
    // The same from GBK bytes (the synthetic banks build their texts as bytes).
    static QString questionBytes(const QByteArray &gbkText);
    // A joke through the joke library's encoder; an empty joke or one with a
    // control character is refused as well.
    static QString joke(const QString &joke, const QString &file, int line);
};
