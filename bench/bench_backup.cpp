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

    // Taken in turns, so that both meet the disk in the same state.
    constexpr int kRuns = 7;
    Backups backups(db);
    QDateTime now(QDate(2026, 12, 10), QTime(8, 0));
    bool made = true;
    std::vector<double> copies;
    std::vector<double> backupTimes;
    for (int run = 0; run < kRuns; ++run) {
        // Each cp leaves its file, as each backup does.
        const QString copy = dir.filePath(QStringLiteral("cp-copy-%1.mdb").arg(run));
        copies.push_back(medianMs(1, [&] {
            if (QProcess::execute(QStringLiteral("cp"), {source, copy}) != 0)
                std::fprintf(stderr, "cp failed\n");
        }));
        now = now.addSecs(1);
        backupTimes.push_back(medianMs(1, [&] {
            try {
                backups.make(BackupGuard::deleteQuestion(), now);
            } catch (const StoreError &error) {
                std::fprintf(stderr, "backup failed: %s\n", qPrintable(error.reason()));
                made = false;
            }
        }));
    }
    std::sort(copies.begin(), copies.end());
    std::sort(backupTimes.begin(), backupTimes.end());
    const double baseline = copies[kRuns / 2];
    const double backup = backupTimes[kRuns / 2];
    if (!made || backups.list().size() != kRuns)
        return 1;
    return exitCode(bench("backup_100k", backup, 2 * baseline, baseline));
}
