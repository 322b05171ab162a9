#pragma once

#include "store/Schema.h"

#include <QSqlDatabase>
#include <QString>

// The tables the program adds to a data file that lacks them: the
// wrong-question book, the run history, the answer tallies and their
// settings. The tables of the file's own format are checked at start and never
// changed; these are created, with their indexes, in one transaction.
class AddedTables
{
public:
    // Creates whichever of the tables are missing. Returns an empty text when
    // all of them are there afterwards, otherwise why they could not be made
    // (a read-only file, a full disk); nothing is created then.
    static QString ensure(const QSqlDatabase &db);
    // Whether every added table is in the file.
    static bool present(const QSqlDatabase &db);
    // The statements that make them all, for a new file.
    static QStringList createStatements();
    // Their tables and columns, in the order of createStatements().
    static QList<schema::TableColumns> columns();
    // The one notice at start when they cannot be made.
    static QString unavailableNotice(const QString &reason);
};
