#pragma once

#include "store/RowSet.h"

#include <QString>
#include <QStringList>
#include <memory>

// Reads the tables of a Jet 3 or 4.0 file (the older program's data file) into
// rows as stored. The only class that sees the Jet library. A file that is no
// Jet file, is cut short or damaged is refused by open() with the reason; rows
// the library cannot give whole are listed as unreadable, never guessed.
class JetReader
{
public:
    JetReader();
    ~JetReader();
    JetReader(const JetReader &) = delete;
    JetReader &operator=(const JetReader &) = delete;

    // Whether the file's header names the Jet engine (the file may still be damaged).
    static bool isJetFile(const QString &path);

    // Opens the file for reading; false with the reason in error when it
    // cannot be read as a Jet file.
    bool open(const QString &path, QString *error);
    // The file's user tables.
    QStringList tables() const;
    // The named columns of a table, in the order given (matched without regard
    // to case). False with the reason in error when the table or a column is
    // missing or the table's definition is damaged.
    bool read(const QString &table, const QStringList &columns, RowSet *rows, QString *error);

private:
    struct Handle;
    std::unique_ptr<Handle> m_handle;
};
