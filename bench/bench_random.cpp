// A random run of 100 questions drawn from a bank of 80,000 candidates: the
// candidates' ids read, the draw, the drawn rows read and decoded into run
// slots, against reading and decoding the same 100 rows by id. The synthetic
// file holds one bank: a copy of it is split so that the drawing bank holds
// 160 of the 200 chapters (80,000 of the 100,000 questions).
// Usage: bench_random DATABASE
#include "BenchUtil.h"
#include "base/RandomSource.h"
#include "exam/RandomPracticeSource.h"
#include "practice/QuestionSource.h"
#include "store/Database.h"
#include "store/QuestionTable.h"

#include <QCoreApplication>
#include <QTemporaryDir>

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    QTemporaryDir dir;
    QSqlDatabase db = openCopyOfBank(argc, argv, dir);
    if (!db.isOpen())
        return 1;
    const qint64 bank = sql::scalar(db, QStringLiteral("select min(id) from database_name"));
    sql::run(db,
             QStringLiteral("insert into database_name (id, database_name, status) "
                            "values (?, ?, 1)"),
             {bank + 1000, QStringLiteral("另一题库")});
    sql::run(db,
             QStringLiteral("update fenlei set database_id = ? where id in "
                            "(select id from fenlei order by id desc limit 40)"),
             {bank + 1000});
    QSqlQuery first = sql::run(db,
                               QStringLiteral("select 试卷名称 from fenlei where database_id = ? "
                                              "order by id limit 1"),
                               {bank});
    if (!first.next())
        return 1;
    const QString chapter = first.value(0).toString();
    first.finish();

    constexpr int kRunSize = 100;
    SeededRandom random(20261209);
    const RandomPracticeSource source(db, random, RandomPracticeSource::Scope::Bank, chapter,
                                      kRunSize);
    const int candidates = static_cast<int>(source.candidates().ids.size());

    RunContent run;
    const double drawn = medianMs(9, [&] { run = source.content(); });
    QList<qint64> ids;
    for (const RunQuestion &q : std::as_const(run.questions))
        ids << q.questionId;

    // Baseline: the same rows read by id and decoded into slots.
    qsizetype sink = 0;
    const QuestionTable questions(db);
    const double baseline = medianMs(9, [&] {
        for (const QuestionRow &row : questions.readByIds(ids))
            sink += QuestionSource::slotFromRow(row).stem.size();
    });

    std::printf("random run of %lld drawn from %d candidates: %.2f ms (baseline: the same rows "
                "by id %.2f ms)\n",
                static_cast<long long>(run.questions.size()), candidates, drawn, baseline);
    if (run.questions.size() != kRunSize || candidates != 80000 || sink <= 0)
        return 1;
    return exitCode(bench("random_run_100_of_80000", drawn, 30, baseline));
}
