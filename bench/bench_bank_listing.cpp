// Listing a bank's chapters with their question counts in the picker.
// Usage: bench_bank_listing [DATABASE]
// With a database (scripts/bench gives it the synthetic bank) the bank with
// the most chapters is listed; without one, a bank of 200 chapters and
// 100,000 questions is built in a temporary folder first.
#include "BenchUtil.h"
#include "practice/BankPicker.h"
#include "store/ChapterTable.h"
#include "store/Database.h"
#include "store/Sql.h"

#include <QCoreApplication>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <cstdio>

namespace {

void fill(QSqlDatabase &db)
{
    createTables(db);
    db.transaction();
    sql::run(db, QStringLiteral("insert into database_name values(1, 'bank', 1)"));
    for (int c = 1; c <= 200; ++c)
        sql::run(db, QStringLiteral("insert into fenlei(id, 试卷名称, database_id) values(?,?,1)"),
                 {c, QStringLiteral("chapter %1").arg(c)});
    QSqlQuery insert(db);
    insert.prepare(
        QStringLiteral("insert into 考试训练题库(试卷分类, 题目类型, 题目) values(?,1,'00')"));
    for (int q = 0; q < 100000; ++q) {
        insert.addBindValue(1 + q % 200);
        insert.exec();
    }
    db.commit();
}

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    QTemporaryDir dir;
    QSqlDatabase db;
    if (argc > 1) {
        QString error;
        db = Database::open(QString::fromLocal8Bit(argv[1]), QStringLiteral("bench"), &error);
        if (!db.isOpen()) {
            std::fprintf(stderr, "%s\n", qPrintable(error));
            return 1;
        }
    } else {
        db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("bench"));
        db.setDatabaseName(dir.filePath(QStringLiteral("examination.mdb")));
        if (!db.open())
            return 1;
        fill(db);
    }

    BankPicker picker(db);
    picker.refresh();
    int widest = -1;
    qsizetype mostChapters = -1;
    for (int i = 0; i < picker.banks().size(); ++i) {
        const qsizetype chapters = ChapterTable(db).ofBank(picker.banks().at(i).id).size();
        if (picker.banks().at(i).enabled && chapters > mostChapters) {
            widest = i;
            mostChapters = chapters;
        }
    }
    if (widest < 0) {
        std::fprintf(stderr, "no enabled bank to list\n");
        return 1;
    }

    const double listing = medianMs(20, [&] { picker.listBank(widest); });
    // Baseline from the same run: one bare count over the question table.
    const double count =
        medianMs(20, [&] { sql::scalar(db, QStringLiteral("select count(*) from 考试训练题库")); });
    std::printf("listing %lld chapters / %d questions: %.2f ms   (baseline: select count(*) "
                "%.2f ms)\n",
                static_cast<long long>(picker.itemTexts().size()), picker.wholeTotal(), listing,
                count);
    return exitCode(bench("picker_listing", listing, 100, count));
}
