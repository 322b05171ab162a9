#include "StartupConversion.h"

#include "base/Notifier.h"
#include "transfer/JetReader.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <cstdio>
#include <fcntl.h>
#include <unistd.h>

namespace {

bool syncPath(const QString &path, int flags)
{
    const int fd = ::open(QFile::encodeName(path).constData(), flags);
    if (fd < 0)
        return false;
    const bool synced = ::fsync(fd) == 0;
    ::close(fd);
    return synced;
}

} // namespace

QString StartupConversion::question(const QString &dataFile)
{
    const QFileInfo info(dataFile);
    return QStringLiteral("数据文件 %1 是旧版格式（Jet "
                          "4.0）的题库。是否转换为本软件的格式？原文件将保存为 %2。")
        .arg(info.fileName(), QFileInfo(keptName(dataFile)).fileName());
}

QString StartupConversion::keptName(const QString &dataFile)
{
    const QFileInfo info(dataFile);
    const QString stem = info.dir().filePath(info.completeBaseName() + QStringLiteral(".jet"));
    const QString suffix = QStringLiteral(".") + info.suffix();
    QString name = stem + suffix;
    for (int n = 1; QFileInfo::exists(name) || QFileInfo(name).isSymLink(); ++n)
        name = stem + QStringLiteral(".%1").arg(n) + suffix;
    return name;
}

StartupConversion::Outcome
StartupConversion::convertInPlace(const QString &dataFile,
                                  const DataFileConverter::Progress &progress)
{
    Outcome outcome;
    const QFileInfo info(dataFile);
    const QString partial = dataFile + QStringLiteral(".converting");
    // A part left by a conversion that was cut off is no one's data.
    QFile::remove(partial);
    QFile::remove(partial + QStringLiteral("-journal"));

    // The engine's backup cannot copy a Jet file; the original kept under its
    // new name below is this step's backup.
    const DataFileConverter::Report report =
        DataFileConverter::convert(dataFile, partial, progress);
    if (!report.ok()) {
        outcome.error = report.error;
        return outcome;
    }
    if (!report.unreadable.isEmpty()) {
        // Rows the reader could not take whole would be lost: keep the original.
        QFile::remove(partial);
        outcome.unreadable = report.unreadable;
        outcome.error = QStringLiteral("%1 行无法读取：\n%2")
                            .arg(report.unreadable.size())
                            .arg(report.unreadable.mid(0, 10).join(QLatin1Char('\n')));
        return outcome;
    }

    // The original's copy exists, complete on the disk, before the original is replaced.
    const QString kept = keptName(dataFile);
    if (!QFile::copy(dataFile, kept) || !syncPath(kept, O_RDONLY)) {
        QFile::remove(kept);
        QFile::remove(partial);
        outcome.error = QStringLiteral("原文件无法另存为 %1").arg(QFileInfo(kept).fileName());
        return outcome;
    }
    if (std::rename(QFile::encodeName(partial).constData(),
                    QFile::encodeName(dataFile).constData()) != 0) {
        QFile::remove(kept);
        QFile::remove(partial);
        outcome.error = QStringLiteral("转换后的文件无法改名为 %1").arg(info.fileName());
        return outcome;
    }
    syncPath(info.absolutePath(), O_RDONLY | O_DIRECTORY);
    outcome.keptAs = kept;
    return outcome;
}

StartupConversion::Result StartupConversion::offer(const QString &dataFile, Notifier &notifier,
                                                   const DataFileConverter::Progress &progress)
{
    if (!JetReader::isJetFile(dataFile))
        return Result::NotNeeded;
    if (!notifier.askYesNo(QStringLiteral("提示"), question(dataFile)))
        return Result::Declined;
    const Outcome outcome = convertInPlace(dataFile, progress);
    if (!outcome.error.isEmpty()) {
        notifier.inform(QStringLiteral("数据文件 %1 未能转换，原文件保持不变。\n\n%2")
                            .arg(QFileInfo(dataFile).fileName(), outcome.error));
        return Result::Failed;
    }
    return Result::Converted;
}
