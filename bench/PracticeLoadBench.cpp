// Chapter loading and set extraction on a large bank.
// Usage: PracticeLoadBench [DATABASE]
// With a database (scripts/bench gives it the synthetic bank) the chapter with
// the most questions is loaded; without one, a bank of 100,000 questions in 50
// interleaved chapters of 2,000, a fifth of them known, is built first.
#include "BenchUtil.h"
#include "practice/ChapterLoader.h"
#include "practice/QuestionSource.h"
#include "store/BankTable.h"
#include "store/ChapterTable.h"
#include "store/Database.h"
#include "store/QuestionCodec.h"
#include "store/QuestionTable.h"
#include "store/Sql.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <QTextStream>
#include <QVariant>
#include <cstdio>

namespace {

void fill(const QSqlDatabase &db, int chapters, int perChapter)
{
    sql::run(db,
             QStringLiteral("insert into database_name(id, database_name, status) values(1, ?, 1)"),
             {QStringLiteral("大题库")});
    sql::run(db, QStringLiteral("begin"));
    const QString stem =
        encodeQuestionText(QStringLiteral("在电气设备上工作，保证安全的组织措施有哪些？"));
    const QString option = encodeQuestionText(QStringLiteral("工作票制度"));
    const QString answer = encodeQuestionText(QStringLiteral("2"));
    QSqlQuery insert(db);
    insert.prepare(QStringLiteral(
        "insert into 考试训练题库(试卷分类, 题目类型, 题目, 选择项1, 选择项2, 选择项3, 选择项4, "
        "正确答案, 本题分数, 题目选择, images, 解析) values(?,?,?,?,?,?,?,?,?,?,'','')"));
    for (int c = 1; c <= chapters; ++c) {
        sql::run(
            db,
            QStringLiteral("insert into fenlei(试卷名称, database_id, alltime, 创建日期, 创建者) "
                           "values(?, 1, 60, '2026-01-01T00:00:00', 'net_user')"),
            {QStringLiteral("第%1章").arg(c)});
    }
    // Chapters interleaved in storage order, as questions are entered over time.
    for (int i = 0; i < chapters * perChapter; ++i) {
        insert.addBindValue(i % chapters + 1);
        insert.addBindValue(i % 5 + 1);
        insert.addBindValue(stem);
        for (int o = 0; o < 4; ++o)
            insert.addBindValue(option);
        insert.addBindValue(answer);
        insert.addBindValue(2);
        insert.addBindValue(i % 5 == 0 ? 0 : 1);
        if (!insert.exec())
            qFatal("insert failed");
    }
    sql::run(db, QStringLiteral("commit"));
}

double median(const std::function<void()> &work)
{
    return medianMs(20, work);
}

// The chapter of the file with the most questions.
QString largestChapter(const QSqlDatabase &db)
{
    QString name;
    int most = -1;
    for (const BankRow &bank : BankTable(db).all()) {
        const QHash<qint64, int> counts = QuestionTable(db).countsPerChapter(bank.id);
        for (const ChapterRow &chapter : ChapterTable(db).ofBank(bank.id)) {
            if (counts.value(chapter.id) > most) {
                most = counts.value(chapter.id);
                name = chapter.name;
            }
        }
    }
    return name;
}

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    QTemporaryDir dir;
    QSqlDatabase db;
    QString chapter;
    if (argc > 1) {
        QString error;
        db = Database::open(QString::fromLocal8Bit(argv[1]), QStringLiteral("bench"), &error);
        if (!db.isOpen()) {
            std::fprintf(stderr, "%s\n", qPrintable(error));
            return 1;
        }
        chapter = largestChapter(db);
    } else {
        db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("bench"));
        db.setDatabaseName(dir.filePath(QStringLiteral("examination.mdb")));
        if (!db.open())
            qFatal("cannot open");
        createTables(db);
        fill(db, 50, 2000);
        chapter = QStringLiteral("第25章");
    }

    ChapterLoader loader(db);
    QuestionSource source(db);
    const ChapterLoader::Result r = loader.load(chapter, 0, 100);
    // The one-type figures take the type with the most questions to practise.
    int type = 1;
    ChapterLoader::Result typed = loader.load(chapter, type, 100);
    for (int t = 2; t <= 5; ++t) {
        const ChapterLoader::Result candidate = loader.load(chapter, t, 100);
        if (candidate.chapterToPractise > typed.chapterToPractise) {
            type = t;
            typed = candidate;
        }
    }
    std::printf("chapter %s: T=%d Tp=%d C=%d P=%d sets=%d; type %d: P=%d sets=%d\n",
                qPrintable(chapter), r.bankTotal, r.bankToPractise, r.chapterTotal,
                r.chapterToPractise, r.setCount, type, typed.chapterToPractise, typed.setCount);
    if (!r.ok || !typed.ok) {
        std::fprintf(stderr, "the chapter has nothing to practise\n");
        return 1;
    }

    // Baselines from the same run: the bare statements, without decoding or texts.
    const QString chapterId = QStringLiteral("(select id from fenlei where 试卷名称=?)");
    const double counts = median([&] {
        sql::scalar(db,
                    QStringLiteral("select count(*) from 考试训练题库 where 试卷分类 in "
                                   "(select id from fenlei where database_id=?)"),
                    {r.bankId});
        sql::scalar(db,
                    QStringLiteral("select count(*) from 考试训练题库 where 试卷分类 in "
                                   "(select id from fenlei where database_id=?) and 题目选择=1"),
                    {r.bankId});
        sql::scalar(db,
                    QStringLiteral("select count(*) from 考试训练题库 where 试卷分类=") + chapterId,
                    {chapter});
        sql::scalar(db,
                    QStringLiteral("select count(*) from 考试训练题库 where 试卷分类=") +
                        chapterId + QStringLiteral(" and 题目选择=1"),
                    {chapter});
    });
    const qint64 middleOffset = qint64(r.setCount / 2) * 100;
    const double rawRows = median([&] {
        QSqlQuery q =
            sql::run(db,
                     QStringLiteral("select * from 考试训练题库 where 试卷分类=") + chapterId +
                         QStringLiteral(" and 题目选择=1 order by id limit 100 offset ?"),
                     {chapter, middleOffset});
        while (q.next())
            q.value(3);
    });
    std::printf("baselines: the four counts %.2f ms, 100 raw rows %.2f ms\n", counts, rawRows);

    bool within = true;
    within &=
        bench("chapter_load_all_types", median([&] { loader.load(chapter, 0, 100); }), 50, counts);
    within &= bench("chapter_load_one_type", median([&] { loader.load(chapter, type, 100); }), 50,
                    counts);
    within &= bench("set_of_100_middle",
                    median([&] { source.readSet(chapter, 0, 100, r.setCount, r.setCount / 2); }),
                    30, rawRows);
    within &= bench("set_of_100_last",
                    median([&] { source.readSet(chapter, 0, 100, r.setCount, r.setCount - 1); }),
                    30, rawRows);
    within &= bench("set_of_100_one_type", median([&] {
                        source.readSet(chapter, type, 100, typed.setCount, typed.setCount / 2);
                    }),
                    30, rawRows);
    return exitCode(within);
}
