// Chapter loading and set extraction on a large bank: 100,000 questions in
// 50 chapters of 2,000, a fifth of them marked as known. Run by hand.
#include "BenchUtil.h"
#include "practice/ChapterLoader.h"
#include "practice/QuestionSource.h"
#include "store/QuestionCodec.h"
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

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    QTemporaryDir dir;
    QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("bench"));
    db.setDatabaseName(dir.filePath(QStringLiteral("examination.mdb")));
    if (!db.open())
        qFatal("cannot open");
    createTables(db);
    fill(db, 50, 2000);

    const QString chapter = QStringLiteral("第25章");
    ChapterLoader loader(db);
    QuestionSource source(db);
    const ChapterLoader::Result r = loader.load(chapter, 0, 100);
    std::printf("chapter: T=%d Tp=%d C=%d P=%d sets=%d\n", r.bankTotal, r.bankToPractise,
                r.chapterTotal, r.chapterToPractise, r.setCount);
    std::printf("chapter load, all types:   %.2f ms (limit 50)\n",
                median([&] { loader.load(chapter, 0, 100); }));
    std::printf("chapter load, one type:    %.2f ms (limit 50)\n",
                median([&] { loader.load(chapter, 3, 100); }));
    std::printf("set of 100, middle set:    %.2f ms (limit 30)\n",
                median([&] { source.readSet(chapter, 0, 100, r.setCount, r.setCount / 2); }));
    std::printf("set of 100, last set:      %.2f ms (limit 30)\n",
                median([&] { source.readSet(chapter, 0, 100, r.setCount, r.setCount - 1); }));
    std::printf("set of 100, one type:      %.2f ms (limit 30)\n",
                median([&] { source.readSet(chapter, 5, 100, 20, 10); }));

    // Baselines from the same run: the bare statements, without decoding or texts.
    const QString chapterId = QStringLiteral("(select id from fenlei where 试卷名称=?)");
    std::printf(
        "baseline, the four counts:  %.2f ms\n", median([&] {
            sql::scalar(db, QStringLiteral("select count(*) from 考试训练题库 where 试卷分类 in "
                                           "(select id from fenlei where database_id=1)"));
            sql::scalar(
                db, QStringLiteral("select count(*) from 考试训练题库 where 试卷分类 in "
                                   "(select id from fenlei where database_id=1) and 题目选择=1"));
            sql::scalar(
                db, QStringLiteral("select count(*) from 考试训练题库 where 试卷分类=") + chapterId,
                {chapter});
            sql::scalar(db,
                        QStringLiteral("select count(*) from 考试训练题库 where 试卷分类=") +
                            chapterId + QStringLiteral(" and 题目选择=1"),
                        {chapter});
        }));
    std::printf("baseline, 100 raw rows:     %.2f ms\n", median([&] {
                    QSqlQuery q = sql::run(
                        db,
                        QStringLiteral("select * from 考试训练题库 where 试卷分类=") + chapterId +
                            QStringLiteral(" and 题目选择=1 order by id "
                                           "limit 100 offset 1000"),
                        {chapter});
                    while (q.next())
                        q.value(3);
                }));
    return 0;
}
