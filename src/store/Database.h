#pragma once

#include <QSqlDatabase>
#include <QString>

// The one connection to the data file. The file must exist and hold the
// tables and columns of the format; the program never creates or alters tables.
class Database
{
public:
    enum class Access
    {
        ReadWrite, // read-write when the file allows it, read-only otherwise
        ReadOnly,  // reading only, whatever the file allows
    };
    // How long a statement waits for another program's lock before it fails.
    static constexpr int kBusyTimeoutMs = 1000;

    // Opens the file under the given connection name. Returns an invalid
    // (closed) database and fills error with a message for the user when the
    // file is missing, cannot be opened, is in use by another program, is not
    // a database, or lacks a table or column of the format (all named).
    static QSqlDatabase open(const QString &path, const QString &connectionName,
                             QString *error = nullptr, Access access = Access::ReadWrite,
                             int busyTimeoutMs = kBusyTimeoutMs);
    // Opens a training centre's server (postgresql://user@host:port/db) under
    // the given connection name. Returns an invalid database and fills error
    // with a message naming the server and the reason when the address is
    // wrong, the server cannot be reached or refuses the login, or the
    // database lacks a table or column of the format. Tables::Any leaves the
    // tables unchecked (the converter puts them on an empty database).
    enum class Tables
    {
        Required,
        Any,
    };
    static QSqlDatabase openServer(const QString &url, const QString &connectionName,
                                   QString *error = nullptr, Tables tables = Tables::Required);
    // True when nothing can be written through the connection: the file or its
    // folder is write-protected, or it was opened for reading only. Changes
    // nothing in the file.
    static bool isReadOnly(const QSqlDatabase &db);
    // The one notice at start when the file is read-only.
    static QString readOnlyNotice(const QString &path);
    // The data file beside the program.
    static QString defaultPath();
};
