// drillbay_convert SOURCE TARGET [--force]: converts the older program's Jet
// data file (or copies a data file of this program) into a new data file.
#include "transfer/DataFileConverter.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>
#include <QTextStream>

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral(
        "Converts a Jet data file, or copies a data file of this program, into a new data file."));
    parser.addHelpOption();
    const QCommandLineOption force(QStringLiteral("force"),
                                   QStringLiteral("Replace TARGET when it exists."));
    parser.addOption(force);
    parser.addPositionalArgument(QStringLiteral("SOURCE"), QStringLiteral("The file to read."));
    parser.addPositionalArgument(QStringLiteral("TARGET"), QStringLiteral("The new file."));
    parser.process(app);
    QTextStream out(stdout);
    QTextStream err(stderr);
    const QStringList files = parser.positionalArguments();
    if (files.size() != 2) {
        err << "usage: drillbay_convert SOURCE TARGET [--force]\n";
        return 64;
    }
    const QString &source = files.at(0);
    const QString &target = files.at(1);
    if (QFileInfo::exists(target)) {
        if (!parser.isSet(force)) {
            err << target << ": exists already (give --force to replace it)\n";
            return 73;
        }
        if (QFileInfo(target).absoluteFilePath() == QFileInfo(source).absoluteFilePath()) {
            err << target << ": is the source itself\n";
            return 64;
        }
    }
    // The new file is written beside the target under another name and takes
    // the target's place only when it is complete.
    const QString partial = target + QStringLiteral(".converting");
    QFile::remove(partial);
    const DataFileConverter::Report report = DataFileConverter::convert(source, partial);
    if (!report.ok()) {
        err << report.error << '\n';
        return 1;
    }
    if (QFileInfo::exists(target) && !QFile::remove(target)) {
        QFile::remove(partial);
        err << target << ": cannot be replaced\n";
        return 1;
    }
    if (!QFile::rename(partial, target)) {
        QFile::remove(partial);
        err << target << ": cannot be written\n";
        return 1;
    }
    for (const auto &[table, count] : report.tables)
        out << table << ' ' << count << '\n';
    for (const QString &line : report.unreadable)
        out << line << '\n';
    return report.unreadable.isEmpty() ? 0 : 2;
}
