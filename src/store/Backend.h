#pragma once

#include <QSqlDatabase>

// Where a connection's tables live. The table classes choose a statement by it
// where the two engines differ; nothing above the store asks.
enum class Backend
{
    File,   // the data file beside the program (SQLite)
    Server, // a training centre's shared database (PostgreSQL)
};

Backend backendOf(const QSqlDatabase &db);
