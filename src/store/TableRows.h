#pragma once

#include "store/RowSet.h"

#include <QSqlDatabase>
#include <QStringList>

// Whole tables as stored, for files the program writes anew (a converted older
// data file, an exported bank) and for comparing two files row by row. Every
// failed statement throws StoreError.
namespace table_rows {

// The statements that make the tables and indexes of the format.
QStringList schemaStatements();
// Makes the tables of the format in an empty file.
void createTables(const QSqlDatabase &db);
// Makes the tables the program adds to a file (the wrong book, run history,
// tallies, study settings), inside the caller's transaction.
void createAddedTables(const QSqlDatabase &db);
// The named columns of every row of a table, in storage order.
RowSet read(const QSqlDatabase &db, const QString &table, const QStringList &columns);
// Adds the rows with their ids as given. A NULL that meets a column declared
// NOT NULL takes the column's declared default; everything else is kept as it is.
void write(const QSqlDatabase &db, const RowSet &rows);

// The id a new row of the table would get: past every id it holds and every
// id it ever gave out.
qint64 nextId(const QSqlDatabase &db, const QString &table);
// Ids for `count` new rows of the table, ascending. A file gives the next
// ones in turn; a server takes them from the table's identity column, so that
// rows another connection adds meanwhile never meet them.
QList<qint64> newIds(const QSqlDatabase &db, const QString &table, qint64 count);
// After rows were written with their ids as given: the table's identity
// column continues past the highest id (a file's sequence does so by itself).
void advanceIds(const QSqlDatabase &db, const QString &table);
// Whether the connection has the table (or, on a server, a view of that name).
bool hasTable(const QSqlDatabase &db, const QString &table);

} // namespace table_rows
