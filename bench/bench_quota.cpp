// Re-drawing every quota of a bank: 200 quota rows, one per chapter of the
// synthetic bank, 150 questions in all (one question each in the first 150
// chapters, types in turn, the last 50 rows without a quota), beside reading
// the same chapters' candidate ids without drawing or writing. It works on a
// copy of the file, which stays as it was.
// Usage: bench_quota DATABASE
#include "BenchUtil.h"
#include "base/RandomSource.h"
#include "exam/QuotaDraw.h"
#include "question/QuestionType.h"
#include "store/Database.h"
#include "store/QuestionTable.h"
#include "store/QuotaTable.h"

#include <QCoreApplication>
#include <QFile>
#include <QSqlQuery>
#include <QTemporaryDir>

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    QTemporaryDir temp;
    QSqlDatabase db = openCopyOfBank(argc, argv, temp);
    if (!db.isOpen())
        return 1;
    const qint64 bank =
        sql::scalar(db, QStringLiteral("select id from database_name order by id limit 1"));
    QList<qint64> chapters;
    {
        QSqlQuery query = sql::run(
            db, QStringLiteral("select id from fenlei where database_id = ? order by id limit 200"),
            {bank});
        while (query.next())
            chapters << query.value(0).toLongLong();
    }
    if (chapters.size() < 200) {
        std::fprintf(stderr, "the bank has %lld chapters, 200 are needed\n",
                     static_cast<long long>(chapters.size()));
        return 1;
    }

    QuotaTable quotas(db);
    sql::run(db, QStringLiteral("delete from rand_num"));
    for (int k = 0; k < chapters.size(); ++k) {
        QuotaRow row;
        row.bankId = bank;
        row.chapterId = chapters.at(k);
        row.position = k + 1;
        if (k < 150)
            row.quota[static_cast<size_t>(k % 5)] = 1;
        quotas.saveChapter(row);
    }

    SeededRandom random(20260101);
    QuotaDraw draw(db, random);
    QuotaDraw::Redrawn result;
    const double redrawn = medianMs(9, [&] { result = draw.redrawBank(bank); });

    // Baseline: the candidate ids of the same chapters and types, read only.
    const QuestionTable questions(db);
    qint64 sink = 0;
    const double read = medianMs(9, [&] {
        for (const QuotaRow &row : quotas.ofBank(bank)) {
            for (const QuestionType questionType : question::allTypes()) {
                const int type = question::code(questionType);
                if (row.quota[static_cast<size_t>(type - 1)] > 0)
                    sink +=
                        questions.ids(QuestionScope::chapter(row.chapterId).ofType(type)).size();
            }
        }
    });

    int drawn = 0;
    for (const QuotaRow &row : quotas.ofBank(bank)) {
        for (const QString &list : row.drawn)
            drawn += static_cast<int>(quota::idsOf(list).size());
    }
    std::printf("re-draw of %lld quota rows: %d questions drawn, %d told (short: %lld)\n",
                static_cast<long long>(chapters.size()), drawn, result.drawn,
                static_cast<long long>(result.shortLines.size()));
    if (drawn != 150 || result.drawn != 150 || sink <= 0) {
        std::fprintf(stderr, "expected 150 drawn questions, got %d\n", drawn);
        return 1;
    }
    return exitCode(bench("quota_redraw_200", redrawn, 100, read));
}
