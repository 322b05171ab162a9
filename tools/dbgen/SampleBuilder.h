#pragma once

#include <QString>
#include <QStringList>

class SampleSources;

// Builds the sample database from a data folder (data/README.md). An existing
// output is never overwritten; the pictures are copied either way.
class SampleBuilder
{
public:
    struct Options
    {
        QString output;    // the database file to create
        QString dataDir;   // schema.sql, banks/, jokes.txt, docs/, images/
        QString imagesOut; // where images/*.png go; empty: not copied
    };
    struct Report
    {
        bool skipped = false; // the output existed and was kept
        int banks = 0;
        int chapters = 0;
        int questions = 0;
        int jokes = 0;
        int documents = 0;
        QStringList imagesCopied;
    };

    // The initial program password of a new database.
    static QString initialPassword() { return QStringLiteral("drillbay"); }

    // Throws DataError on bad sources or a failed write; the output file then
    // does not exist.
    static Report build(const Options &options);
    // Writes the sources into a new database file at path (used by build()).
    static void write(const SampleSources &sources, const QString &path, Report &report);
    // The creation date written for the n-th chapter (0-based), ISO text.
    static QString chapterDate(int n);
};
