// Listing a bank's chapters with their question counts on a large database:
// 100,000 questions in 200 chapters. Run by hand: ./bench_bank_listing
#include "BenchUtil.h"
#include "base/Notifier.h"
#include "practice/BankPicker.h"
#include "store/Sql.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <cstdio>

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    QTemporaryDir dir;
    QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("bench"));
    db.setDatabaseName(dir.filePath(QStringLiteral("examination.mdb")));
    if (!db.open())
        return 1;
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

    BankPicker picker(db);
    picker.refresh();
    QElapsedTimer timer;
    constexpr int rounds = 20;
    timer.start();
    for (int i = 0; i < rounds; ++i)
        picker.listBank(0);
    const double perListing = static_cast<double>(timer.elapsed()) / rounds;
    // Baseline from the same run: one bare count over the question table.
    timer.restart();
    for (int i = 0; i < rounds; ++i)
        sql::scalar(db, QStringLiteral("select count(*) from 考试训练题库"));
    const double perCount = static_cast<double>(timer.nsecsElapsed()) / 1e6 / rounds;
    std::printf("listing 200 chapters / 100000 questions: %.1f ms (%lld items)   "
                "(baseline: select count(*) %.2f ms)\n",
                perListing, static_cast<long long>(picker.itemTexts().size()), perCount);
    return perListing < 100.0 ? 0 : 2;
}
