// The wrong-question book and the statistics on the synthetic bank: a book
// run of 100 from a book of 20,000 entries, against reading the same rows by
// id; and the statistics window filled from 100,000 runs of history (grouped
// statements, charts built), against reading the history rows. A copy of the
// file is used; the added tables are made in it and filled here.
// Usage: bench_study DATABASE
#include "BenchUtil.h"
#include "base/FileDialogs.h"
#include "exam/StudyStatistics.h"
#include "exam/WrongBookSource.h"
#include "exam/ui/StatisticsWindow.h"
#include "store/AddedTables.h"
#include "store/QuestionTable.h"
#include "store/Transaction.h"

#include <QApplication>
#include <QDate>
#include <QTemporaryDir>

namespace {

constexpr int kBook = 20000;
constexpr int kRuns = 100000;
constexpr double kBookRunLimitMs = 30;
constexpr double kStatisticsLimitMs = 300;

class NoDialogs : public FileDialogs
{
public:
    QString openFileName(const QString &, const QString &) override { return {}; }
    QString saveFileName(const QString &, const QString &, const QString &) override { return {}; }
};

} // namespace

int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QTemporaryDir dir;
    QSqlDatabase db = openCopyOfBank(argc, argv, dir);
    if (!db.isOpen())
        return 1;
    if (const QString problem = AddedTables::ensure(db); !problem.isEmpty()) {
        std::fprintf(stderr, "added tables not made: %s\n", qPrintable(problem));
        return 1;
    }
    const qint64 bankId = sql::scalar(db, QStringLiteral("select min(id) from database_name"));
    QSqlQuery nameQuery =
        sql::run(db,
                 QStringLiteral("select 试卷名称 from fenlei where database_id = ? order by id"
                                " limit 1"),
                 {bankId});
    const QString chapter = nameQuery.next() ? nameQuery.value(0).toString() : QString();
    nameQuery.finish();
    const QDate today = QDate::currentDate();
    {
        Transaction fill(db);
        // Every fifth question of the bank, wrong on a day of the last two years.
        sql::run(db,
                 QStringLiteral("insert into wrong_book(question_id, times_wrong, last_wrong)"
                                " select id, 1 + id % 4, date(?, '-' || (id * 7919 % 730) ||"
                                " ' days') || 'T10:00:00' from 考试训练题库 where id % 5 = 0"
                                " order by id limit ?"),
                 {today.toString(Qt::ISODate), kBook});
        // 100,000 runs over three years, a quarter of each kind.
        sql::run(db,
                 QStringLiteral("with recursive n(k) as (select 1 union all select k + 1 from n"
                                " where k < ?) insert into run_history(date, kind, bank_id,"
                                " chapter_id, objective_right, objective_total, points,"
                                " percentage, minutes) select date(?, '-' || (k * 31 % 1095) ||"
                                " ' days') || 'T09:00:00', 1 + k % 4, ?, 0, k % 50, 50, k % 50,"
                                " k % 50 * 2, 20 from n"),
                 {kRuns, today.toString(Qt::ISODate), bankId});
        // Answers of the last 60 days for every chapter and objective type.
        sql::run(db,
                 QStringLiteral("with recursive d(k) as (select 0 union all select k + 1 from d"
                                " where k < 59) insert into answer_tally(day, chapter_id, type,"
                                " answered, right_count) select date(?, '-' || d.k || ' days'),"
                                " f.id, t.type, 10, 3 + (f.id + d.k) % 7 from d, fenlei f,"
                                " (select 1 as type union all select 2 union all select 4) t"
                                " where f.database_id = ?"),
                 {today.toString(Qt::ISODate), bankId});
        fill.commit();
    }

    bool within = true;
    const WrongBookSource source(db, WrongBookSource::Scope::Bank, chapter, 100);
    const QList<qint64> ids = source.ids();
    if (ids.size() != 100) {
        std::fprintf(stderr, "the book run holds %d questions, not 100\n",
                     static_cast<int>(ids.size()));
        return 1;
    }
    const double byId = medianMs(9, [&] { QuestionTable(db).readByIds(ids); });
    const double bookRun = medianMs(9, [&] {
        if (source.content().questions.size() != 100)
            std::abort();
    });
    within &= bench("wrong_book_run_100", bookRun, kBookRunLimitMs, byId);

    const double rowsRead = medianMs(5, [&] {
        QSqlQuery rows = sql::run(db, QStringLiteral("select * from run_history"));
        int count = 0;
        while (rows.next())
            count += rows.value(2).toInt() > 0 ? 1 : 0;
        if (count != kRuns)
            std::abort();
    });
    NoDialogs dialogs;
    SilentNotifier notifier;
    StatisticsWindow window(notifier, dialogs);
    window.resize(1180, 760);
    const double statistics = medianMs(5, [&] {
        window.fill(StudyStatistics::read(db, chapter, today, 60), today);
        window.grab();
    });
    within &= bench("statistics_open_100k", statistics, kStatisticsLimitMs, rowsRead);
    return exitCode(within);
}
