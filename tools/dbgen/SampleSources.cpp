#include "SampleSources.h"

#include "BankParser.h"
#include "DataError.h"
#include "RtfWriter.h"
#include "StoredValue.h"

#include "base/GbkText.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStringDecoder>

QString SampleSources::readText(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        throw DataError(
            QStringLiteral("%1: cannot read the file (%2)").arg(path, file.errorString()));
    QStringDecoder decoder(QStringDecoder::Utf8);
    QString text = decoder.decode(file.readAll());
    if (decoder.hasError())
        throw DataError(QStringLiteral("%1: the file is not valid UTF-8").arg(path));
    if (text.startsWith(QChar(0xFEFF)))
        text.remove(0, 1);
    return text;
}

SampleSources SampleSources::read(const QString &dataDir)
{
    const QDir data(dataDir);
    if (!data.exists())
        throw DataError(QStringLiteral("%1: the data folder does not exist").arg(dataDir));
    SampleSources sources;
    sources.schemaSql = readText(data.filePath(QStringLiteral("schema.sql")));
    sources.imagesDir = data.filePath(QStringLiteral("images"));

    const QDir banksDir(data.filePath(QStringLiteral("banks")));
    const QStringList bankFiles =
        banksDir.entryList({QStringLiteral("*.txt")}, QDir::Files, QDir::Name);
    if (bankFiles.isEmpty())
        throw DataError(QStringLiteral("%1: no bank file (*.txt)").arg(banksDir.path()));
    BankParser parser(sources.imagesDir);
    for (const QString &name : bankFiles)
        parser.parseFile(banksDir.filePath(name));
    sources.banks = parser.banks();

    const QString jokesPath = data.filePath(QStringLiteral("jokes.txt"));
    if (QFileInfo::exists(jokesPath))
        sources.readJokes(jokesPath);
    sources.readDocuments(data.filePath(QStringLiteral("docs")));
    return sources;
}

QString SampleSources::encodeJoke(const QString &joke, const QString &file, int line)
{
    return StoredValue::joke(joke, file, line);
}

void SampleSources::readJokes(const QString &path)
{
    const QStringList lines = readText(path).split(QLatin1Char('\n'));
    for (qsizetype i = 0; i < lines.size(); ++i) {
        const QString line = lines.at(i).trimmed();
        if (line.isEmpty() || line.startsWith(QLatin1Char('#')))
            continue;
        for (QChar c : line) {
            if (c.unicode() < 0x20)
                throw DataError::at(path, static_cast<int>(i + 1),
                                    QStringLiteral("the joke holds a control character"));
        }
        jokes << encodeJoke(line, path, static_cast<int>(i + 1));
    }
}

void SampleSources::readDocuments(const QString &dir)
{
    const QDir docs(dir);
    if (!docs.exists())
        return;
    for (const QString &name : docs.entryList({QStringLiteral("*.txt")}, QDir::Files, QDir::Name)) {
        const QString path = docs.filePath(name);
        const QString title = QFileInfo(name).completeBaseName();
        if (!gbk::representable(title))
            throw DataError(QStringLiteral("%1: the title (file name) holds a character that GBK "
                                           "cannot represent")
                                .arg(path));
        if (gbk::byteLength(title) > BankParser::kMaxNameBytes)
            throw DataError(
                QStringLiteral("%1: the title (file name) is longer than %2 bytes in GBK")
                    .arg(path)
                    .arg(BankParser::kMaxNameBytes));
        if (title.contains(QLatin1Char('\'')))
            throw DataError(
                QStringLiteral("%1: the title (file name) must not contain a single quote")
                    .arg(path));
        documents.append({title, RtfWriter::toRtf(readText(path))});
    }
}
