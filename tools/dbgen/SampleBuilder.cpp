#include "SampleBuilder.h"

#include "AtomicOutput.h"
#include "DataError.h"
#include "DatabaseWriter.h"
#include "ImageSync.h"
#include "SampleSources.h"
#include "StoredValue.h"

#include "settings/PasswordCodec.h"

#include <QDateTime>
#include <QDir>
#include <QFileInfo>

SampleBuilder::Report SampleBuilder::build(const Options &options)
{
    Report report;
    if (QFileInfo::exists(options.output)) {
        report.skipped = true;
    } else {
        const SampleSources sources = SampleSources::read(options.dataDir);
        const QString folder = QFileInfo(options.output).absolutePath();
        if (!QDir().mkpath(folder))
            throw DataError(QStringLiteral("cannot create the folder %1").arg(folder));
        AtomicOutput output(options.output);
        write(sources, output.partPath(), report);
        output.commit();
    }
    if (!options.imagesOut.isEmpty())
        report.imagesCopied = ImageSync::sync(
            QDir(options.dataDir).filePath(QStringLiteral("images")), options.imagesOut);
    return report;
}

QString SampleBuilder::chapterDate(int n)
{
    // A fixed day for reproducible files: the chapters of the sample were
    // "created" one a day from this date on.
    const QDateTime start(QDate(2025, 3, 3), QTime(9, 0, 0));
    return start.addDays(n).toString(Qt::ISODate);
}

void SampleBuilder::write(const SampleSources &sources, const QString &path, Report &report)
{
    DatabaseWriter writer(path);
    writer.createTables(sources.schemaSql);
    writer.begin();
    int chapterNumber = 0;
    for (const SourceBank &bank : sources.banks) {
        writer.addBank(bank.id, bank.name, bank.enabled);
        ++report.banks;
        for (const SourceChapter &chapter : bank.chapters) {
            const qint64 chapterId = writer.addChapter(chapter.name, bank.id, chapter.minutes,
                                                       chapterDate(chapterNumber++));
            ++report.chapters;
            for (const SourceQuestion &q : chapter.questions) {
                EncodedQuestionRow row;
                row.chapter = chapterId;
                row.type = q.type;
                row.stem =
                    StoredValue::questionText(q.stem, QStringLiteral("stem"), q.file, q.line);
                for (int i = 0; i < 4; ++i)
                    row.options[i] = StoredValue::questionText(
                        q.options[i], QStringLiteral("option %1").arg(QChar(u'A' + i)), q.file,
                        q.line);
                row.answer =
                    StoredValue::questionText(q.answer, QStringLiteral("answer"), q.file, q.line);
                row.points = q.points;
                row.toPractise = !q.known;
                row.image = q.image;
                writer.addQuestion(row);
                ++report.questions;
            }
        }
    }
    writer.addSettings(50, true, 15, 90, false);
    writer.addPassword(QStringLiteral("999"), encodePassword(initialPassword()));
    for (const QString &joke : sources.jokes) {
        writer.addJoke(joke);
        ++report.jokes;
    }
    for (const SampleSources::Document &document : sources.documents) {
        writer.addDocument(document.title, document.rtf, QStringLiteral("3"));
        ++report.documents;
    }
    writer.commit();
    writer.close();
}
