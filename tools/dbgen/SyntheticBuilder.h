#pragma once

#include <QString>

// A large database of made-up questions with the schema and encodings of the
// sample, for benchmarks and scale tests: every chapter holds all five types,
// texts have realistic lengths, settings and password rows are in place.
class SyntheticBuilder
{
public:
    struct Options
    {
        QString output;
        QString schemaPath; // data/schema.sql
        int questions = 100000;
        int chapters = 200;
        int banks = 3;
        quint32 seed = 1;
        bool force = false; // replace an existing output
    };
    struct Report
    {
        int banks = 0;
        int chapters = 0;
        int questions = 0;
        qint64 milliseconds = 0;
    };

    // Throws DataError on bad options (before anything is written), an
    // existing output without force, or a failed write.
    static Report build(const Options &options);
    static void check(const Options &options);
};
