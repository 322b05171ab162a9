#pragma once

#include <QSqlDatabase>
#include <QString>

// The one connection to the data file. The file must exist and hold the
// tables of the format; the program never creates or alters tables.
class Database
{
public:
    // Opens the file under the given connection name. Returns an invalid
    // (closed) database and fills error with a message for the user when the
    // file is missing, cannot be opened, or lacks a table of the format.
    static QSqlDatabase open(const QString &path, const QString &connectionName,
                             QString *error = nullptr);
    // The data file beside the program.
    static QString defaultPath();
};
