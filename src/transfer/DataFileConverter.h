#pragma once

#include "store/RowSet.h"

#include <QList>
#include <QPair>
#include <QString>
#include <QStringList>
#include <functional>

// Copies every table of a data file into a new file of this program's format:
// from a Jet file (the older program's examination.mdb) or from a file of this
// program. Ids, texts, NULLs, dates and document bytes stay as stored.
class DataFileConverter
{
public:
    struct Report
    {
        // Rows written per table, in the order of the format.
        QList<QPair<QString, qint64>> tables;
        // One line per stored row that could not be read, with the reason.
        QStringList unreadable;
        // Why nothing was written; empty when the file was written.
        QString error;
        bool ok() const { return error.isEmpty(); }
    };
    // Called after each table with the tables done and the tables in all.
    using Progress = std::function<void(int done, int total)>;

    // Writes the new file at target, which must not exist yet; it is synced to
    // the disk and passes the start check of every table and column before
    // this returns. On failure nothing is left at target.
    static Report convert(const QString &source, const QString &target,
                          const Progress &progress = {});

    // Every table of the format from a Jet file or a data file of this
    // program, in the order of the format. False with the reason (naming the
    // file) when the file cannot be read.
    // Writes the tables into a new file at target as convert() does; the
    // reason (naming the file) when it failed, and then nothing is left at target.
    static QString writeFile(const QString &target, const QList<RowSet> &tables,
                             const Progress &progress = {});
    static bool readTables(const QString &source, QList<RowSet> *tables, QString *error);
};
