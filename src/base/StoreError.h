#pragma once

#include <QString>
#include <stdexcept>

// Thrown by the store when a statement fails. The action that the user started
// catches it and says what was not saved and why; the application-wide
// handler only drops what nobody caught. What was already written stays written.
class StoreError : public std::runtime_error
{
public:
    // Why the data file refused, as far as the program can say it in its own
    // words. The store decides the cause from the engine's error code.
    enum class Cause
    {
        Failed,            // none of the causes below; the store's text is the detail
        FolderNotWritable, // no file can be made beside the data file
        ReadOnly,          // the file, or the connection, takes no changes
        DiskFull,
        InUse,       // another program holds the file locked
        Damaged,     // not a database, or its pages are broken
        MissingPart, // a table or column that the statement needs is not there
        DiskError,   // the disk failed to read or write
        NoAccess,    // the system refuses access to the file
        Moved,       // the file was moved or deleted while open
        ServerLost,  // the connection to the centre's server is gone (or never came)
        Busy,        // another user's change holds what this one needs (try again)
    };

    // Which store refused: the data file, or a centre's server (the user is
    // told of the one in use).
    enum class Origin
    {
        File,
        Server,
    };

    // storeText is the engine's own message; statement, when given, only goes
    // to what() for the error output.
    StoreError(Cause cause, const QString &storeText, const QString &statement = QString(),
               Origin origin = Origin::File);

    Cause cause() const { return m_cause; }
    Origin origin() const { return m_origin; }
    // The engine's own message, unchanged.
    QString storeText() const { return m_storeText; }
    // Why the statement failed, in the user's words.
    QString reason() const { return reasonOf(m_cause, m_storeText, m_origin); }

    // The cause in the user's words; a failure without a known cause carries
    // the store's own text as a detail after it.
    static QString reasonOf(Cause cause, const QString &storeText, Origin origin = Origin::File);

private:
    Cause m_cause;
    Origin m_origin;
    QString m_storeText;
};
