#pragma once

#include <QSqlDatabase>

// Keeps the program's connections to a centre's server usable after the
// server went away: a connection whose statement found the server gone is
// closed there, and the next statement on it opens it again and signs it in
// as the worker it was signed in as. The data file's connections never pass
// here.
class ServerSession
{
public:
    // Notes the worker a connection is signed in as (0: nobody), so that a
    // reopened connection is signed in again.
    static void remember(const QSqlDatabase &db, qint64 workerId);
    // Opens a closed server connection again and signs it in. Throws
    // StoreError (the server is gone) when the server does not answer; the
    // connection stays closed then and the next statement tries again.
    static void reopenIfClosed(const QSqlDatabase &db);
    // Whether the server still answers on the connection (a statement that
    // fails for a reason of the server's own counts as an answer).
    static bool answers(const QSqlDatabase &db);
    // Closes a connection whose server has gone, so that the next statement
    // reopens it instead of failing on the dead connection.
    static void dropLost(const QSqlDatabase &db);
};
