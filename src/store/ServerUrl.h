#pragma once

#include <QString>
#include <optional>

// Where a training centre's server is: postgresql://user@host:port/database,
// with optional parameters after "?" (sslmode, connect_timeout, ...). A
// password is never taken from the address: the server's client library reads
// it from its own places (~/.pgpass, PGPASSWORD).
struct ServerUrl
{
    QString user;
    QString host;
    int port = 5432;
    QString database;
    // "key=value;key=value" for the client library (sslmode and the like).
    QString options;

    // Whether a text names a server rather than a file.
    static bool names(const QString &text);
    // The parts of the address; nothing for a text that is not one, with the
    // reason in error.
    static std::optional<ServerUrl> parse(const QString &text, QString *error = nullptr);
    // As the user sees it in a message: user@host:port/database.
    QString shown() const;
};
