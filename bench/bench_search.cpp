// The keyword search over the searched bank, hits written into the output
// view, against reading the same rows and decoding their stems; and how soon
// the first hits show. The synthetic file holds one bank: a copy of it is
// split so that the searched bank holds 160 of the 200 chapters (80,000 of
// the 100,000 questions).
// Usage: bench_search DATABASE [KEYWORD]
#include "BenchUtil.h"
#include "base/Notifier.h"
#include "search/KeywordSearch.h"
#include "store/Database.h"
#include "store/QuestionCodec.h"
#include "widgets/OutputView.h"

#include <QApplication>
#include <QTemporaryDir>

namespace {

// A chapter of the bank, whose bank the search covers.
QString chapterOf(const QSqlDatabase &db, qint64 bank)
{
    QSqlQuery q = sql::run(db,
                           QStringLiteral("select 试卷名称 from fenlei where database_id = ? "
                                          "order by id limit 1"),
                           {bank});
    return q.next() ? q.value(0).toString() : QString();
}

} // namespace

int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const QString keyword = argc > 2 ? QString::fromLocal8Bit(argv[2]) : QStringLiteral("编号123");

    QTemporaryDir dir;
    QSqlDatabase db = openCopyOfBank(argc, argv, dir, "DATABASE [KEYWORD]");
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
    const QString chapter = chapterOf(db, bank);
    if (chapter.isEmpty())
        return 1;
    const qint64 questions =
        sql::scalar(db,
                    QStringLiteral("select count(*) from 考试训练题库 where 试卷分类 in "
                                   "(select id from fenlei where database_id = ?)"),
                    {bank});

    // Baseline: the same rows read in storage order, every stem decoded.
    qsizetype sink = 0;
    const double baseline = medianMs(5, [&] {
        QSqlQuery q = sql::run(db,
                               QStringLiteral("select id, 题目 from 考试训练题库 where 试卷分类 in "
                                              "(select id from fenlei where database_id = ?) "
                                              "order by id"),
                               {bank});
        while (q.next())
            sink += decodeQuestionText(q.value(1).toString()).size();
    });

    SilentNotifier notifier;
    KeywordSearch search(db, notifier);
    OutputView view;
    view.resize(900, 700);
    view.show();
    int hits = 0;
    std::vector<double> firstHits;
    const double whole = medianMs(5, [&] {
        QElapsedTimer timer;
        timer.start();
        bool first = true;
        search.start(chapter, keyword);
        view.setLines(search.heading());
        int rows = 500; // as the window does: a short first stretch
        while (search.running()) {
            search.next(rows, [&](const StyledText &lines) {
                view.appendLines(lines);
                view.scrollToEnd();
                if (first) {
                    QCoreApplication::processEvents();
                    firstHits.push_back(timer.nsecsElapsed() / 1e6);
                    first = false;
                }
            });
            rows = 4000;
            QCoreApplication::processEvents();
        }
        hits = search.hits();
    });
    std::sort(firstHits.begin(), firstHits.end());
    const double firstShown = firstHits.empty() ? 0 : firstHits[firstHits.size() / 2];

    std::printf("search of %lld questions for \"%s\": %d hits\n", static_cast<long long>(questions),
                qPrintable(keyword), hits);
    std::printf("whole search, hits shown: %.2f ms (baseline: rows read, stems decoded %.2f ms)\n",
                whole, baseline);
    std::printf("first hits shown after %.2f ms\n", firstShown);
    if (sink <= 0 || hits == 0)
        return 1;
    const bool wholeInTime = bench("search_whole", whole, 2 * baseline, baseline);
    const bool firstInTime = bench("search_first_hits", firstShown, 100, baseline);
    return exitCode(wholeInTime && firstInTime);
}
