#pragma once

#include <QString>

// Appends text to a plain-text file as GBK bytes (no byte-order mark). A
// relative name lands in the current directory. The file is created when
// missing; existing content is never truncated. Characters GBK cannot hold are
// written as "?".
class TextFileWriter
{
public:
    // False when the file can be neither opened nor created, or the write fails.
    static bool append(const QString &fileName, const QString &text);
};
