#pragma once

#include "DatabaseWriter.h"
#include "store/Sql.h"

#include <QElapsedTimer>
#include <QFile>
#include <QSqlDatabase>
#include <QString>
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

inline void report(const char *what, double ms, const char *baseline, double baselineMs)
{
    std::printf("%-44s %9.2f ms   (baseline: %s %.2f ms)\n", what, ms, baseline, baselineMs);
}

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
