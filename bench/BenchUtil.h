#pragma once

#include "DatabaseWriter.h"
#include "base/Notifier.h"
#include "store/Database.h"
#include "store/Sql.h"

#include <QElapsedTimer>
#include <QFile>
#include <QSqlDatabase>
#include <QString>
#include <QTemporaryDir>
#include <algorithm>
#include <cstdio>
#include <functional>
#include <vector>

// Runs a measured step several times and reports the median in milliseconds.
inline double medianMs(int runs, const std::function<void()> &step)
{
    std::vector<double> times;
    for (int i = 0; i < runs; ++i) {
        QElapsedTimer timer;
        timer.start();
        step();
        times.push_back(timer.nsecsElapsed() / 1e6);
    }
    std::sort(times.begin(), times.end());
    return times[times.size() / 2];
}

// A figure measured for information, without a limit of its own.
inline constexpr double kNoLimit = -1;

// Prints one figure in the form scripts/bench reads,
//   BENCH <name> <ms> limit <ms> baseline <ms>
// ("limit -" for kNoLimit), and returns false when it is over its limit.
// The name is one word; the baseline is measured in the same run.
inline bool bench(const char *name, double ms, double limitMs, double baselineMs)
{
    if (limitMs < 0)
        std::printf("BENCH %s %.2f limit - baseline %.2f\n", name, ms, baselineMs);
    else
        std::printf("BENCH %s %.2f limit %.2f baseline %.2f\n", name, ms, limitMs, baselineMs);
    std::fflush(stdout);
    return limitMs < 0 || ms <= limitMs;
}

// What a benchmark returns: 0, or 2 when a figure was over its limit.
inline int exitCode(bool withinLimits)
{
    return withinLimits ? 0 : 2;
}

// The bank named first on the command line, copied into `dir` so that the
// benchmark may change its copy, and opened as "bench". An unopened database,
// after a message, when no bank is named or it cannot be copied or opened.
inline QSqlDatabase openCopyOfBank(int argc, char **argv, const QTemporaryDir &dir,
                                   const char *usage = "DATABASE")
{
    if (argc < 2) {
        std::fprintf(stderr, "usage: %s %s\n", argv[0], usage);
        return {};
    }
    const QString copy = dir.filePath(QStringLiteral("bank.mdb"));
    if (!QFile::copy(QString::fromLocal8Bit(argv[1]), copy)) {
        std::fprintf(stderr, "cannot copy %s\n", argv[1]);
        return {};
    }
    QString error;
    QSqlDatabase db = Database::open(copy, QStringLiteral("bench"), &error);
    if (!db.isOpen())
        std::fprintf(stderr, "%s\n", qPrintable(error));
    return db;
}

// Notices unseen, every question answered yes: nothing waits for a person.
class SilentNotifier : public Notifier
{
public:
    void inform(const QString &) override {}
    bool askYesNo(const QString &, const QString &, Icon) override { return true; }
    bool askOkCancel(const QString &, const QString &) override { return true; }
};

// The tables of data/schema.sql in a fresh benchmark database.
inline void createTables(const QSqlDatabase &db)
{
    QFile schema(QStringLiteral(DRILLBAY_SOURCE_DIR "/data/schema.sql"));
    if (!schema.open(QIODevice::ReadOnly))
        qFatal("cannot read data/schema.sql");
    for (const QString &statement :
         DatabaseWriter::schemaStatements(QString::fromUtf8(schema.readAll())))
        sql::run(db, statement);
}
