// drillbay_dbgen: builds the sample database from data/ or a large synthetic one.
//
//   drillbay_dbgen --sample OUT.mdb --data DATA_DIR [--images-out DIR]
//   drillbay_dbgen --synthetic OUT.mdb [--questions N] [--chapters N] [--banks N]
//                  [--seed N] [--force] [--data DATA_DIR]

#include "DataError.h"
#include "SampleBuilder.h"
#include "SyntheticBuilder.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QDir>
#include <cstdio>

namespace {

void say(FILE *stream, const QString &text)
{
    std::fputs(text.toUtf8().constData(), stream);
    std::fputc('\n', stream);
    std::fflush(stream);
}

int usage(const QString &why)
{
    say(stderr, QStringLiteral("drillbay_dbgen: %1").arg(why));
    say(stderr,
        QStringLiteral("usage: drillbay_dbgen --sample OUT.mdb --data DATA_DIR [--images-out DIR]\n"
                       "       drillbay_dbgen --synthetic OUT.mdb [--questions N] [--chapters N] "
                       "[--banks N] [--seed N] [--force] [--data DATA_DIR]"));
    return 2;
}

bool toNumber(const QString &text, qint64 &value)
{
    bool ok = false;
    value = text.toLongLong(&ok);
    return ok;
}

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    QCommandLineParser parser;
    parser.addHelpOption();
    const QCommandLineOption sample(QStringLiteral("sample"),
                                    QStringLiteral("Build the sample database."),
                                    QStringLiteral("OUT.mdb"));
    const QCommandLineOption synthetic(QStringLiteral("synthetic"),
                                       QStringLiteral("Build a synthetic database."),
                                       QStringLiteral("OUT.mdb"));
    const QCommandLineOption data(QStringLiteral("data"), QStringLiteral("The data folder."),
                                  QStringLiteral("DIR"));
    const QCommandLineOption imagesOut(QStringLiteral("images-out"),
                                       QStringLiteral("Copy data/images here."),
                                       QStringLiteral("DIR"));
    const QCommandLineOption questions(QStringLiteral("questions"),
                                       QStringLiteral("Synthetic questions."), QStringLiteral("N"),
                                       QStringLiteral("100000"));
    const QCommandLineOption chapters(QStringLiteral("chapters"),
                                      QStringLiteral("Synthetic chapters."), QStringLiteral("N"),
                                      QStringLiteral("200"));
    const QCommandLineOption banks(QStringLiteral("banks"), QStringLiteral("Synthetic banks."),
                                   QStringLiteral("N"), QStringLiteral("3"));
    const QCommandLineOption seed(QStringLiteral("seed"), QStringLiteral("Random seed."),
                                  QStringLiteral("N"), QStringLiteral("1"));
    const QCommandLineOption force(QStringLiteral("force"),
                                   QStringLiteral("Replace an existing synthetic database."));
    parser.addOptions(
        {sample, synthetic, data, imagesOut, questions, chapters, banks, seed, force});
    if (!parser.parse(app.arguments()))
        return usage(parser.errorText());
    if (parser.isSet(QStringLiteral("help"))) {
        parser.showHelp(0);
    }
    if (!parser.positionalArguments().isEmpty())
        return usage(
            QStringLiteral("unexpected argument \"%1\"").arg(parser.positionalArguments().first()));
    if (parser.isSet(sample) == parser.isSet(synthetic))
        return usage(QStringLiteral("give exactly one of --sample and --synthetic"));

    try {
        if (parser.isSet(sample)) {
            if (!parser.isSet(data))
                return usage(QStringLiteral("--sample needs --data DATA_DIR"));
            for (const auto *option : {&questions, &chapters, &banks, &seed, &force}) {
                if (parser.isSet(*option))
                    return usage(
                        QStringLiteral("--%1 belongs to --synthetic").arg(option->names().first()));
            }
            SampleBuilder::Options options;
            options.output = parser.value(sample);
            options.dataDir = parser.value(data);
            options.imagesOut = parser.value(imagesOut);
            const SampleBuilder::Report report = SampleBuilder::build(options);
            if (report.skipped)
                say(stdout,
                    QStringLiteral("drillbay_dbgen: %1 exists; kept as it is (not overwritten)")
                        .arg(QDir::toNativeSeparators(options.output)));
            else
                say(stdout,
                    QStringLiteral("drillbay_dbgen: wrote %1: %2 banks, %3 chapters, %4 questions, "
                                   "%5 jokes, %6 documents")
                        .arg(QDir::toNativeSeparators(options.output))
                        .arg(report.banks)
                        .arg(report.chapters)
                        .arg(report.questions)
                        .arg(report.jokes)
                        .arg(report.documents));
            if (!report.imagesCopied.isEmpty())
                say(stdout, QStringLiteral("drillbay_dbgen: copied %1 picture(s) to %2: %3")
                                .arg(report.imagesCopied.size())
                                .arg(QDir::toNativeSeparators(options.imagesOut),
                                     report.imagesCopied.join(QStringLiteral(", "))));
            return 0;
        }

        if (parser.isSet(imagesOut))
            return usage(QStringLiteral("--images-out belongs to --sample"));
        SyntheticBuilder::Options options;
        options.output = parser.value(synthetic);
        options.schemaPath = QDir(parser.isSet(data) ? parser.value(data)
                                                     : QStringLiteral(DRILLBAY_SOURCE_DIR "/data"))
                                 .filePath(QStringLiteral("schema.sql"));
        qint64 value = 0;
        const std::pair<const QCommandLineOption *, int *> numbers[] = {
            {&questions, &options.questions},
            {&chapters, &options.chapters},
            {&banks, &options.banks}};
        for (const auto &[option, target] : numbers) {
            if (!toNumber(parser.value(*option), value) || value < 0 || value > 100000000)
                return usage(QStringLiteral("--%1 takes a whole number, not \"%2\"")
                                 .arg(option->names().first(), parser.value(*option)));
            *target = static_cast<int>(value);
        }
        if (!toNumber(parser.value(seed), value) || value < 0 || value > 0xFFFFFFFFLL)
            return usage(QStringLiteral("--seed takes a whole number 0 ... 4294967295"));
        options.seed = static_cast<quint32>(value);
        options.force = parser.isSet(force);
        const SyntheticBuilder::Report report = SyntheticBuilder::build(options);
        say(stdout,
            QStringLiteral("drillbay_dbgen: wrote %1: %2 banks, %3 chapters, %4 questions in %5 ms")
                .arg(QDir::toNativeSeparators(options.output))
                .arg(report.banks)
                .arg(report.chapters)
                .arg(report.questions)
                .arg(report.milliseconds));
        return 0;
    } catch (const DataError &error) {
        say(stderr, QStringLiteral("drillbay_dbgen: error: %1").arg(error.message()));
        return 1;
    } catch (const std::exception &error) {
        say(stderr,
            QStringLiteral("drillbay_dbgen: error: %1").arg(QString::fromUtf8(error.what())));
        return 1;
    }
}
