#pragma once

#include <QString>
#include <QStringList>

// Copies the pictures of a source folder into the program's images/ folder:
// only the files that are missing there or differ from the source.
class ImageSync
{
public:
    // Returns the names copied. Throws DataError when a file cannot be written.
    static QStringList sync(const QString &fromDir, const QString &toDir);
    static const QStringList &patterns();
};
