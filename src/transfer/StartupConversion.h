#pragma once

#include "transfer/DataFileConverter.h"

#include <QString>

class Notifier;

// The data file at start is the older program's Jet file: the user is asked
// whether to convert it. The converted file is written beside it, synced and
// checked, a copy of the original is kept under a name of its own, and only
// then does the converted file take the data file's name in one step: the
// data file is at every moment either the untouched original or the complete
// converted file.
class StartupConversion
{
public:
    enum class Result
    {
        NotNeeded, // no Jet file: start as usual
        Converted, // start on the converted file
        Declined,  // the user said no: the file is untouched, the program ends
        Failed,    // the user was told why; the file is untouched, the program ends
    };

    // The question put to the user about the data file.
    static QString question(const QString &dataFile);
    // The free name the original is kept under: examination.jet.mdb, then
    // examination.jet.1.mdb, examination.jet.2.mdb, ...
    static QString keptName(const QString &dataFile);

    // Asks, converts with progress and tells the user of a failure.
    static Result offer(const QString &dataFile, Notifier &notifier,
                        const DataFileConverter::Progress &progress = {});

    struct Outcome
    {
        QString error; // empty when the data file is now the converted one
        QString keptAs;
        QStringList unreadable;
    };
    // The conversion in place, without asking.
    static Outcome convertInPlace(const QString &dataFile,
                                  const DataFileConverter::Progress &progress = {});
};
