#include "ImageSync.h"

#include "DataError.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace {

bool sameContent(const QString &a, const QString &b)
{
    const QFileInfo infoA(a);
    const QFileInfo infoB(b);
    if (!infoB.isFile() || infoA.size() != infoB.size())
        return false;
    QFile fileA(a);
    QFile fileB(b);
    if (!fileA.open(QIODevice::ReadOnly) || !fileB.open(QIODevice::ReadOnly))
        return false;
    return fileA.readAll() == fileB.readAll();
}

} // namespace

const QStringList &ImageSync::patterns()
{
    static const QStringList list = {QStringLiteral("*.png"), QStringLiteral("*.jpg"),
                                     QStringLiteral("*.jpeg"), QStringLiteral("*.bmp"),
                                     QStringLiteral("*.gif")};
    return list;
}

QStringList ImageSync::sync(const QString &fromDir, const QString &toDir)
{
    const QDir from(fromDir);
    if (!from.exists())
        return {};
    const QStringList names = from.entryList(patterns(), QDir::Files, QDir::Name);
    if (names.isEmpty())
        return {};
    if (!QDir().mkpath(toDir))
        throw DataError(QStringLiteral("cannot create the folder %1").arg(toDir));
    const QDir to(toDir);
    QStringList copied;
    for (const QString &name : names) {
        const QString source = from.filePath(name);
        const QString target = to.filePath(name);
        if (sameContent(source, target))
            continue;
        const QString part = target + QStringLiteral(".part");
        QFile::remove(part);
        if (!QFile::copy(source, part))
            throw DataError(QStringLiteral("cannot copy %1 to %2").arg(source, target));
        QFile::remove(target);
        if (!QFile::rename(part, target))
            throw DataError(QStringLiteral("cannot write %1").arg(target));
        copied << name;
    }
    return copied;
}
