// Question lists in and out at scale: 10,000 questions of text parsed,
// checked and stored in one transaction; the same questions as a sheet read
// and stored; the sheet written. Each figure beside a baseline measured in
// the same run: reading the text file and splitting its lines, inflating the
// sheet's XML, writing the same cells as CSV.
// Usage: bench_lists   (builds its own database in a temporary folder)
#include "BenchUtil.h"
#include "base/GbkText.h"
#include "editor/ImportPlan.h"
#include "editor/QuestionListExport.h"
#include "editor/QuestionListReader.h"
#include "editor/ZipArchive.h"
#include "store/Sql.h"

#include <QCoreApplication>
#include <QSqlDatabase>
#include <QTemporaryDir>
#include <cstdio>

namespace {

constexpr int kQuestions = 10000;

QList<QuestionRow> questions()
{
    QList<QuestionRow> rows;
    for (int i = 0; i < kQuestions; ++i) {
        QuestionRow row;
        row.type = 1 + i % 5;
        row.stem = QStringLiteral("第%1题：工作票签发人不得兼任该项工作的工作负责人，"
                                  "工作负责人可以填写工作票（ ）。")
                       .arg(i);
        if (row.type <= 2)
            row.options = {QStringLiteral("工作许可人"), QStringLiteral("工作负责人"),
                           QStringLiteral("专责监护人"), QStringLiteral("工作班成员")};
        const QStringList answers = {
            QStringLiteral("2"), QStringLiteral("134"), QStringLiteral("一次完成"),
            QStringLiteral("1"), QStringLiteral("停电；验电；装设接地线；悬挂标示牌和装设遮栏。")};
        row.answer = answers[row.type - 1];
        row.points = 2;
        rows.append(row);
    }
    return rows;
}

qint64 addChapter(QSqlDatabase &db, int n)
{
    sql::run(db, QStringLiteral("insert into fenlei(id, 试卷名称, database_id) values(?,?,1)"),
             {n, QStringLiteral("第%1章").arg(n)});
    return n;
}

// Reads, checks and stores the list into a fresh chapter.
void importInto(QSqlDatabase &db, const QString &file, int chapter)
{
    const ListReading reading = QuestionListReader::readFile(file);
    const ImportPlan plan = ImportPlan::forChapter(reading.drafts, db, addChapter(db, chapter));
    const ImportPlan::Outcome outcome = plan.store(db, chapter);
    if (!outcome.stored || outcome.total != kQuestions)
        qFatal("import failed: %s %d", qPrintable(outcome.message), outcome.total);
}

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    QTemporaryDir dir;
    QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("bench"));
    db.setDatabaseName(dir.filePath(QStringLiteral("lists.mdb")));
    if (!db.open())
        return 1;
    createTables(db);
    sql::run(db, QStringLiteral("insert into database_name values(1, 'bank', 1)"));

    const QList<QuestionRow> rows = questions();
    const QString text = dir.filePath(QStringLiteral("list.txt"));
    const QString sheet = dir.filePath(QStringLiteral("list.xlsx"));
    if (!QuestionListExport::write(text, rows, QuestionListExport::Encoding::Gbk) ||
        !QuestionListExport::write(sheet, rows, QuestionListExport::Encoding::Utf8))
        return 1;

    bool ok = true;
    int chapter = 0;
    const double splitMs = medianMs(3, [&] {
        QFile file(text);
        file.open(QIODevice::ReadOnly);
        const QStringList lines = gbk::decode(file.readAll()).split(QLatin1Char('\n'));
        if (lines.size() < kQuestions)
            qFatal("short");
    });
    const double textMs = medianMs(3, [&] { importInto(db, text, ++chapter); });
    ok &= bench("import_text_10000", textMs, 2000, splitMs);

    const double unzipMs = medianMs(3, [&] {
        QFile file(sheet);
        file.open(QIODevice::ReadOnly);
        ZipArchive archive(file.readAll());
        if (archive.read(QStringLiteral("xl/worksheets/sheet1.xml")).status !=
            ZipArchive::Status::Read)
            qFatal("no sheet");
    });
    const double sheetMs = medianMs(3, [&] { importInto(db, sheet, ++chapter); });
    ok &= bench("import_xlsx_10000", sheetMs, 3000, unzipMs);

    const QString csv = dir.filePath(QStringLiteral("cells.csv"));
    const double csvMs = medianMs(3, [&] {
        QByteArray out;
        for (const QVariantList &cells : QuestionListExport::sheet(rows)) {
            QStringList fields;
            for (const QVariant &cell : cells)
                fields << QLatin1Char('"') + cell.toString().replace(u'"', QStringLiteral("\"\"")) +
                              QLatin1Char('"');
            out += fields.join(u',').toUtf8() + "\r\n";
        }
        QFile file(csv);
        file.open(QIODevice::WriteOnly);
        file.write(out);
    });
    const QString written = dir.filePath(QStringLiteral("out.xlsx"));
    const double exportMs = medianMs(3, [&] {
        if (!QuestionListExport::write(written, rows, QuestionListExport::Encoding::Utf8))
            qFatal("export failed");
    });
    ok &= bench("export_xlsx_10000", exportMs, 3000, csvMs);
    return exitCode(ok);
}
