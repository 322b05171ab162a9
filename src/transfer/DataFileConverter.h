#pragma once

#include "store/RowSet.h"

#include <QList>
#include <QPair>
#include <QSqlDatabase>
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
    // A data file of this program also gives the tables it added (the wrong
    // book, run history, tallies and study settings) where it has them.
    static bool readTables(const QString &source, QList<RowSet> *tables, QString *error);

    // Which tables a connection's reading gives.
    enum class Scope
    {
        Format,    // the tables of the format
        WithAdded, // and the added tables the connection has
    };
    // Every table of an open connection (a data file or a centre's server,
    // whose per-worker tables show the signed-in worker's rows). False with
    // the reason when a table cannot be read.
    static bool readConnection(const QSqlDatabase &db, QList<RowSet> *tables, QString *error,
                               Scope scope);
};
