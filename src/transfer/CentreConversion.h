#pragma once

#include <QList>
#include <QPair>
#include <QString>
#include <QStringList>

// Puts a data file's banks on a training centre's server, and copies a
// centre's banks back into a new data file. What the centre shares (banks,
// chapters, questions, quotas with their drawn papers, documents, the
// password, jokes) keeps its ids exactly. A data file's practice state (known
// marks, settings, log, run history, wrong book, tallies, study settings)
// belongs to its one implicit worker: it travels only with a worker named.
class CentreConversion
{
public:
    struct Report
    {
        // Rows copied per table, under the data file's table names.
        QList<QPair<QString, qint64>> tables;
        // One line per stored row that could not be read or copied, with the reason.
        QStringList unreadable;
        // What was left out on purpose, one line each.
        QStringList notes;
        // Why nothing was copied; empty when the copy is complete.
        QString error;
        bool ok() const { return error.isEmpty(); }
    };

    // Creates the centre's tables on the server and copies the file into
    // them, in one transaction: on failure the database stays as it was. A
    // database that has the tables already is refused; with `force` it is
    // taken when every one of them is empty (two centres' banks are never
    // mixed). With a worker's name the file's practice state becomes that
    // worker's (added when new); without, it is left out.
    static Report toServer(const QString &source, const QString &url, bool force,
                           const QString &worker);

    // Writes the server's shared tables into a new data file at target (which
    // must not exist). Every question is to practise unless a worker is
    // named: then that worker's known marks and practice state come along.
    static Report fromServer(const QString &url, const QString &target, const QString &worker);
};
