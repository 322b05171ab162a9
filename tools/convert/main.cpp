// drillbay_convert SOURCE TARGET [--force] [--worker NAME]: converts the older
// program's Jet data file (or copies a data file of this program) into a new
// data file, puts such a file on a training centre's server
// (TARGET postgresql://...), or copies a server's banks into a new data file
// (SOURCE postgresql://...).
#include "store/ServerUrl.h"
#include "transfer/CentreConversion.h"
#include "transfer/DataFileConverter.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>
#include <QTextStream>

namespace {

// One line per table with its rows, one per row not copied, then what was
// left out; 2 when a row could not be copied.
int finish(const CentreConversion::Report &report, QTextStream &out, QTextStream &err)
{
    if (!report.ok()) {
        err << report.error << '\n';
        return 1;
    }
    for (const auto &[table, count] : report.tables)
        out << table << ' ' << count << '\n';
    for (const QString &line : report.unreadable)
        out << line << '\n';
    for (const QString &line : report.notes)
        out << line << '\n';
    return report.unreadable.isEmpty() ? 0 : 2;
}

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral(
        "Converts a Jet data file, or copies a data file of this program, into a new data file\n"
        "or onto a training centre's server (postgresql://user@host:port/database);\n"
        "copies a server's banks into a new data file."));
    parser.addHelpOption();
    const QCommandLineOption force(
        QStringLiteral("force"),
        QStringLiteral("Replace TARGET when it is a file that exists; write into a server's\n"
                       "tables that exist but hold no rows."));
    parser.addOption(force);
    const QCommandLineOption worker(
        QStringLiteral("worker"),
        QStringLiteral("The worker whose known marks, settings, log, run history, wrong book,\n"
                       "tallies and study settings travel with the banks."),
        QStringLiteral("NAME"));
    parser.addOption(worker);
    parser.addPositionalArgument(QStringLiteral("SOURCE"),
                                 QStringLiteral("The file or server to read."));
    parser.addPositionalArgument(QStringLiteral("TARGET"),
                                 QStringLiteral("The new file, or the server to fill."));
    parser.process(app);
    QTextStream out(stdout);
    QTextStream err(stderr);
    const QStringList files = parser.positionalArguments();
    if (files.size() != 2) {
        err << "usage: drillbay_convert SOURCE TARGET [--force] [--worker NAME]\n";
        return 64;
    }
    const QString &source = files.at(0);
    const QString &target = files.at(1);
    const QString workerName = parser.value(worker).trimmed();
    if (parser.isSet(worker) && workerName.isEmpty()) {
        err << "--worker: the name is empty\n";
        return 64;
    }
    const bool fromServer = ServerUrl::names(source);
    const bool toServer = ServerUrl::names(target);
    if (fromServer && toServer) {
        err << "one of SOURCE and TARGET must be a file\n";
        return 64;
    }
    if (!fromServer && !toServer && parser.isSet(worker)) {
        err << "--worker belongs to a copy to or from a server\n";
        return 64;
    }
    if (toServer) {
        const CentreConversion::Report report =
            CentreConversion::toServer(source, target, parser.isSet(force), workerName);
        return finish(report, out, err);
    }
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
    CentreConversion::Report report;
    if (fromServer) {
        report = CentreConversion::fromServer(source, partial, workerName);
    } else {
        const DataFileConverter::Report converted = DataFileConverter::convert(source, partial);
        report.tables = converted.tables;
        report.unreadable = converted.unreadable;
        report.error = converted.error;
    }
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
    return finish(report, out, err);
}
