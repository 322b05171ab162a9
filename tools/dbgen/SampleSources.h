#pragma once

#include "BankSource.h"

#include <QByteArray>
#include <QList>
#include <QString>

// Everything the sample database is made of, read and checked from a data
// folder (data/README.md): the schema, the banks, the jokes in their stored
// form and the regulation documents as RTF. read() throws DataError naming the
// file and, where there is one, the line.
class SampleSources
{
public:
    struct Document
    {
        QString title;
        QByteArray rtf;
    };

    static SampleSources read(const QString &dataDir);

    // The stored (encoded) form of one joke, through strcodec's encode().
    // Throws DataError (at file:line, naming the joke) when it is empty, holds a
    // character GBK cannot represent or would not decode back to itself.
    static QString encodeJoke(const QString &joke, const QString &file, int line);

    QString schemaSql;
    QList<SourceBank> banks;
    QStringList jokes; // stored form
    QList<Document> documents;
    QString imagesDir; // data/images

private:
    static QString readText(const QString &path);
    void readJokes(const QString &path);
    void readDocuments(const QString &dir);
};
