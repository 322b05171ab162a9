#pragma once

#include <QSqlDatabase>
#include <QStringList>

// The tables of a training centre's server (data/schema-server.sql, built in).
class ServerSchema
{
public:
    // Creates every table, view and function on an empty database. Throws
    // StoreError; a database that already holds a table of the format is
    // refused (nothing is created then).
    static void create(const QSqlDatabase &db);
    // As create(), inside the caller's transaction: a later failure of the
    // caller takes the tables back with everything else.
    static void createWithin(const QSqlDatabase &db);
    // The centre's tables that hold rows (the workers among them), by name.
    static QStringList filledTables(const QSqlDatabase &db);
    // Whether the database holds the centre's tables.
    static bool present(const QSqlDatabase &db);
    // Brings the tables of a database made by an earlier version of the
    // program up to date, in one transaction: the counts per chapter are
    // added and filled from the rows there. True when it changed anything;
    // throws StoreError when it fails (nothing is changed then).
    static bool upgrade(const QSqlDatabase &db);
    // Lets the server look over every table after a bulk load (vacuum and
    // analyze), so that its plans and index-only reads fit the rows from the
    // first worker on instead of after its own background pass. Outside a
    // transaction; throws StoreError when it fails (nothing is lost then).
    static void settleAfterLoad(const QSqlDatabase &db);
};
