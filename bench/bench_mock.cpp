// A mock examination of 150 questions drawn over 30 chapters of the synthetic
// bank: loading the stored draw into the run together with building its
// paper, beside one statement reading the same rows; then showing the paper
// in the output view, beside an unstyled plain-text view. The quota rows are
// written inside a transaction that is rolled back, so the file stays as it was.
// Usage: bench_mock DATABASE
#include "BenchUtil.h"
#include "base/Notifier.h"
#include "exam/MockPaperLoader.h"
#include "practice/PracticeRun.h"
#include "settings/Settings.h"
#include "store/Database.h"
#include "store/QuestionTable.h"
#include "store/QuotaTable.h"
#include "widgets/OutputView.h"

#include <QApplication>
#include <QPlainTextEdit>
#include <QSqlQuery>
#include <QStringList>

int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    if (argc < 2) {
        std::fprintf(stderr, "usage: %s DATABASE\n", argv[0]);
        return 2;
    }
    QString error;
    QSqlDatabase db =
        Database::open(QString::fromLocal8Bit(argv[1]), QStringLiteral("bench"), &error);
    if (!db.isOpen()) {
        std::fprintf(stderr, "%s\n", qPrintable(error));
        return 1;
    }
    QSqlQuery bankQuery =
        sql::run(db, QStringLiteral("select id from database_name order by id limit 1"));
    const qint64 bank = bankQuery.next() ? bankQuery.value(0).toLongLong() : 0;
    bankQuery.finish();

    // 30 chapters, each drawing 3 single, 1 multiple and one of the other
    // three types in turn: 150 in all.
    db.transaction();
    QList<qint64> chapters;
    QSqlQuery chapterQuery = sql::run(
        db, QStringLiteral("select id from fenlei where database_id = ? order by id limit 30"),
        {bank});
    while (chapterQuery.next())
        chapters << chapterQuery.value(0).toLongLong();
    chapterQuery.finish();
    const QuestionTable questions(db);
    QList<qint64> drawnIds;
    int position = 0;
    for (const qint64 chapter : chapters) {
        ++position;
        std::array<int, 5> quota{3, 1, 0, 0, 0};
        quota[2 + position % 3] = 1;
        std::array<QString, 5> lists;
        for (int t = 0; t < 5; ++t) {
            const QList<qint64> ids = questions.ids(QuestionScope::chapter(chapter).ofType(t + 1));
            // Drawn from the middle and backwards, as a draw leaves them.
            QVector<qint64> picked;
            const qsizetype half = std::max<qsizetype>(ids.size() / 2, 1);
            for (int k = 0; k < quota[t] && k < ids.size(); ++k)
                picked << ids.at(std::min(ids.size() - 1, half + (k * 7) % half));
            quota[t] = static_cast<int>(picked.size());
            // An empty list is stored as the empty text, never as NULL.
            lists[t] = picked.isEmpty() ? QStringLiteral("") : quota::listOf(picked);
            drawnIds += picked;
        }
        QVariantList values{bank, chapter, position};
        int total = 0;
        for (const int q : quota) {
            values << q;
            total += q;
        }
        values << total;
        for (const QString &list : lists)
            values << list;
        sql::run(db,
                 QStringLiteral("insert into rand_num (db_db_id, sele_zhang_id, sele_zhang_xuhao, "
                                "s_num, d_num, t_num, p_num, lunshu_num, total_num, s_num_shiti, "
                                "d_num_shiti, t_num_shiti, p_num_shiti, lunshu_num_shiti) values "
                                "(?,?,?,?,?,?,?,?,?,?,?,?,?,?)"),
                 values);
    }

    const Settings settings;
    SilentNotifier notifier;
    PracticeRun run(settings, notifier);
    MockPaperLoader::Paper paper;
    const double loaded = medianMs(9, [&] {
        paper = MockPaperLoader(db).load(PaperScope::ofBank(bank));
        run.load(paper.content);
    });

    // Baseline: the same rows in one statement, read raw.
    QString marks;
    QVariantList values;
    for (const qint64 id : drawnIds) {
        marks += marks.isEmpty() ? QStringLiteral("?") : QStringLiteral(",?");
        values << id;
    }
    qint64 sink = 0;
    const double raw = medianMs(9, [&] {
        QSqlQuery query = sql::run(db,
                                   QStringLiteral("select * from 考试训练题库 where id in (") +
                                       marks + QStringLiteral(")"),
                                   values);
        while (query.next())
            sink += query.value(0).toLongLong();
    });

    OutputView view;
    view.resize(950, 700);
    view.show();
    const double shown = medianMs(5, [&] {
        view.setLines(paper.lines);
        view.scrollToTop();
        QCoreApplication::processEvents();
    });
    QPlainTextEdit bare;
    bare.resize(950, 700);
    bare.show();
    const QString plain = plainText(paper.lines);
    const double bareShown = medianMs(5, [&] {
        bare.setPlainText(plain);
        QCoreApplication::processEvents();
    });
    db.rollback();

    std::printf("mock paper: %d drawn, %d in the run, %lld lines\n", paper.drawnCount(),
                run.length(), static_cast<long long>(paper.lines.size()));
    std::printf("load into the run and build the paper: %.2f ms (baseline: one statement "
                "reading the same rows %.2f ms)\n",
                loaded, raw);
    std::printf("show the paper: %.2f ms (baseline: unstyled plain-text view %.2f ms)\n", shown,
                bareShown);
    if (run.length() != 150 || sink <= 0) {
        std::fprintf(stderr, "expected a run of 150 questions, got %d\n", run.length());
        return 1;
    }
    const bool loadedInTime = bench("mock_load_150", loaded, 50, raw);
    const bool shownInTime = bench("mock_show_150", shown, 300, bareShown);
    return exitCode(loadedInTime && shownInTime);
}
