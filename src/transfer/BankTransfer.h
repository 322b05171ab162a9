#pragma once

#include "store/RowSet.h"

#include <QList>
#include <QSqlDatabase>
#include <QString>
#include <QStringList>

// Banks carried between installations: one bank written into a new data file
// with its pictures, and the banks of such a file (or of an older program's
// Jet file) added to this program's file as new banks.
class BankTransfer
{
public:
    struct BankSummary
    {
        qint64 id = 0;
        QString name;
        int chapters = 0;
        int questions = 0;
    };
    struct Report
    {
        QStringList added;      // one line per bank added or written
        QStringList renamed;    // one line per bank, chapter or picture renamed
        QString error;          // why nothing was added or written
        int picturesCopied = 0; // by an import, into this computer's pictures
        bool ok() const { return error.isEmpty(); }
    };

    // The banks of a file's tables (as DataFileConverter::readTables gives
    // them), in ascending id, with their chapter and question counts.
    static QList<BankSummary> banks(const QList<RowSet> &tables);

    // Writes the bank, its chapters, questions and quota rows with their drawn
    // lists into a new data file at target, and the pictures its questions
    // name into the folder "images" beside it.
    static Report exportBank(const QSqlDatabase &db, qint64 bankId, const QString &imagesFolder,
                             const QString &target);

    // Adds the chosen banks of the source tables as new banks, in one
    // transaction: new ids throughout, chapter links and drawn lists remapped,
    // a bank or chapter name that exists already gets " (2)" (" (3)", ...),
    // every question is to be practised again, and pictures are copied into
    // targetImages without replacing a different picture of the same name.
    static Report importBanks(const QSqlDatabase &db, const QList<RowSet> &source,
                              const QList<qint64> &bankIds, const QString &sourceImages,
                              const QString &targetImages);
};
