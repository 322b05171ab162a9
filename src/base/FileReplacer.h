#pragma once

#include <QByteArray>
#include <QString>

// Writes a file whole and anew: the bytes go into a new file beside the name,
// which then takes the name in one step. Whatever stood at the name, a
// read-only file or a symbolic link, is replaced, never written through, and
// a write that fails part-way (a full disk) leaves it as it was.
class FileReplacer
{
public:
    // False, with the reason, when the file could not be written whole; the
    // part written beside is removed then.
    static bool replace(const QString &path, const QByteArray &bytes, QString *reason = nullptr);
};
