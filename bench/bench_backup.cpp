// A backup of the synthetic bank of 100,000 questions (the engine's copy
// into the backups folder, the note of its step, the folder trimmed) against
// copying the same file with cp.
// Usage: bench_backup DATABASE
#include "BenchUtil.h"
#include "store/BackupGuard.h"
#include "store/Backups.h"

#include <QCoreApplication>
#include <QDir>
#include <QProcess>
#include <QTemporaryDir>

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    QTemporaryDir dir;
    QSqlDatabase db = openCopyOfBank(argc, argv, dir);
    if (!db.isOpen())
        return 1;
    const QString source = db.databaseName();
    const QString copy = dir.filePath(QStringLiteral("cp-copy.mdb"));

    constexpr int kRuns = 5;
    const double baseline = medianMs(kRuns, [&] {
        QFile::remove(copy);
        if (QProcess::execute(QStringLiteral("cp"), {source, copy}) != 0)
            std::fprintf(stderr, "cp failed\n");
    });
    QFile::remove(copy);

    Backups backups(db);
    QDateTime now(QDate(2026, 12, 10), QTime(8, 0));
    bool made = true;
    const double backup = medianMs(kRuns, [&] {
        now = now.addSecs(1);
        try {
            backups.make(BackupGuard::deleteQuestion(), now);
        } catch (const StoreError &error) {
            std::fprintf(stderr, "backup failed: %s\n", qPrintable(error.reason()));
            made = false;
        }
    });
    if (!made || backups.list().size() != kRuns)
        return 1;
    return exitCode(bench("backup_100k", backup, 2 * baseline, baseline));
}
