// The older program's data file converted, and a bank of the 100,000-question
// file exported and imported into an empty file.
//   bench_transfer <bank.mdb>
// convert_legacy_bank: the legacy fixture converted into a new file, against
// reading its rows through the Jet reader; limit 3x plus the measured cost of
// an empty new file (its tables, the sync to the disk, the check).
// export_bank_100k / import_bank_100k: the bank written into a new file, and
// that file's bank added to an empty file, each against reading the same rows;
// limit 4x.
#include "BenchUtil.h"

#include "store/TableRows.h"
#include "transfer/BankTransfer.h"
#include "transfer/DataFileConverter.h"

#include <QFileInfo>

namespace {

const QString kLegacyBank =
    QStringLiteral(DRILLBAY_SOURCE_DIR "/../shared/fixtures/legacy/legacy_bank.mdb");

QList<RowSet> readAll(const QString &path)
{
    QList<RowSet> tables;
    QString error;
    if (!DataFileConverter::readTables(path, &tables, &error))
        qFatal("%s", qPrintable(error));
    return tables;
}

} // namespace

int main(int argc, char **argv)
{
    QTemporaryDir dir;
    bool within = true;
    if (QFileInfo::exists(kLegacyBank)) {
        const double reading = medianMs(5, [] { readAll(kLegacyBank); });
        int run = 0;
        const double converting = medianMs(5, [&dir, &run] {
            const QString target = dir.filePath(QStringLiteral("legacy-%1.mdb").arg(++run));
            if (!DataFileConverter::convert(kLegacyBank, target).ok())
                qFatal("the legacy file was not converted");
        });
        // A new file of the format costs the same whatever goes into it
        // (its tables made, synced to the disk, checked): that part is added
        // to the limit as measured, the rest is held to three times the reading.
        QList<RowSet> empty = readAll(kLegacyBank);
        for (RowSet &rows : empty)
            rows.rows.clear();
        const double newFile = medianMs(5, [&dir, &run, &empty] {
            const QString target = dir.filePath(QStringLiteral("empty-%1.mdb").arg(++run));
            if (!DataFileConverter::writeFile(target, empty).isEmpty())
                qFatal("an empty file was not written");
        });
        const QList<RowSet> full = readAll(kLegacyBank);
        const double writing = medianMs(5, [&dir, &run, &full] {
            const QString target = dir.filePath(QStringLiteral("full-%1.mdb").arg(++run));
            if (!DataFileConverter::writeFile(target, full).isEmpty())
                qFatal("the rows were not written");
        });
        std::printf("BENCH write_legacy_rows %.2f limit - baseline %.2f\n", writing, reading);
        std::printf("BENCH new_empty_file %.2f limit - baseline %.2f\n", newFile, reading);
        within &= bench("convert_legacy_bank", converting, 3 * reading + newFile, reading);
    } else {
        std::fprintf(stderr, "no legacy fixture beside the project: convert_legacy_bank skipped\n");
    }

    QSqlDatabase db = openCopyOfBank(argc, argv, dir);
    if (!db.isOpen())
        return 1;
    const QList<BankTransfer::BankSummary> banks = BankTransfer::banks(readAll(db.databaseName()));
    if (banks.isEmpty())
        return 1;
    const qint64 bankId = banks.constFirst().id;
    const double readingBank = medianMs(3, [&db] { readAll(db.databaseName()); });
    const QString exported = dir.filePath(QStringLiteral("export/bank.mdb"));
    QDir().mkpath(dir.filePath(QStringLiteral("export")));
    int run = 0;
    const double exporting = medianMs(3, [&] {
        const QString target = dir.filePath(QStringLiteral("export/bank-%1.mdb").arg(++run));
        if (!BankTransfer::exportBank(db, bankId, dir.filePath(QStringLiteral("images")), target)
                 .ok())
            qFatal("the bank was not exported");
        QFile::remove(exported);
        QFile::rename(target, exported);
    });
    within &= bench("export_bank_100k", exporting, 4 * readingBank, readingBank);

    const double readingExport = medianMs(3, [&exported] { readAll(exported); });
    const double importing = medianMs(3, [&] {
        const QString target = dir.filePath(QStringLiteral("blank-%1.mdb").arg(++run));
        {
            QSqlDatabase empty =
                QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("empty"));
            empty.setDatabaseName(target);
            empty.open();
            table_rows::createTables(empty);
            const BankTransfer::Report report = BankTransfer::importBanks(
                empty, readAll(exported), {bankId}, dir.filePath(QStringLiteral("export/images")),
                dir.filePath(QStringLiteral("images")));
            if (!report.ok())
                qFatal("%s", qPrintable(report.error));
            empty.close();
        }
        QSqlDatabase::removeDatabase(QStringLiteral("empty"));
    });
    within &= bench("import_bank_100k", importing, 4 * readingExport, readingExport);
    return exitCode(within);
}
