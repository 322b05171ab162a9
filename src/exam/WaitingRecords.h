#pragma once

#include "base/StoreError.h"

#include <QString>
#include <QStringList>
#include <functional>
#include <list>

// The records of graded runs that a centre's server could not take because
// the connection was gone: kept in memory, in grading order, and written when
// the server answers again. A record refused for any other reason is not
// kept: its grading tells the user at once, as with a data file.
class WaitingRecords
{
public:
    using Write = std::function<void()>;

    // Runs the write now. Returns true when it was written, false when it
    // waits for the server. Throws the StoreError of any other refusal.
    // Nothing jumps the queue: while a record waits, a new one waits behind it.
    bool submit(const QString &what, Write write);
    // Writes the waiting records in order, until the server fails again.
    // Returns the notices of records the server refused outright (each then
    // dropped, never silently).
    QStringList retry();

    int count() const { return static_cast<int>(m_waiting.size()); }
    bool empty() const { return m_waiting.empty(); }
    // What still waits, one line each ("2026-12-10 09:14 本章第3套的做题记录").
    QStringList what() const;

    // The run status while records wait.
    static QString waitingStatus(int count);
    // Told when the program closes with records still waiting.
    static QString closingQuestion(int count);
    // Told when a waiting record is refused outright at a retry.
    static QString refusedNotice(const QString &what, const QString &reason);

private:
    struct Record
    {
        QString what;
        Write write;
    };
    static bool lost(const StoreError &error);

    std::list<Record> m_waiting;
};
