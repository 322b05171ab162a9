// The known questions on the synthetic bank: filling the viewer with 2,000
// known questions of one chapter (read, decoded, grid rows built and shown)
// against the bare select of the same rows; and marking the shown question
// known, the chapter's new figure included, against the bare update. A copy
// of the file is used: 2,000 questions spread over the whole table are moved
// into the first chapter and marked known there.
// Usage: bench_known DATABASE
#include "BenchUtil.h"
#include "base/Beeper.h"
#include "base/Notifier.h"
#include "practice/KnownQuestions.h"
#include "practice/KnownViewer.h"
#include "practice/PracticeRun.h"
#include "practice/QuestionSource.h"
#include "practice/ui/KnownViewerWindow.h"
#include "store/Database.h"

#include <QApplication>
#include <QTableView>
#include <QTemporaryDir>

namespace {

class SilentBeeper : public Beeper
{
public:
    void beep(int, int) override {}
};

constexpr int kKnown = 2000;

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
    const qint64 chapterId = sql::scalar(db, QStringLiteral("select min(id) from fenlei"));
    QSqlQuery nameQuery =
        sql::run(db, QStringLiteral("select 试卷名称 from fenlei where id = ?"), {chapterId});
    const QString chapter = nameQuery.next() ? nameQuery.value(0).toString() : QString();
    nameQuery.finish();
    sql::run(db, QStringLiteral("update 考试训练题库 set 题目选择 = 1 where 试卷分类 = ?"),
             {chapterId});
    sql::run(db,
             QStringLiteral("update 考试训练题库 set 试卷分类 = ?, 题目选择 = 0 where id in "
                            "(select id from 考试训练题库 where 试卷分类 <> ? and id % 49 = 0 "
                            "order by id limit ?)"),
             {chapterId, chapterId, kKnown});

    SilentNotifier notifier;
    KnownQuestions known(db, notifier);
    if (known.knownOf(chapter).size() != kKnown) {
        std::fprintf(stderr, "the chapter does not hold %d known questions\n", kKnown);
        return 1;
    }

    // Baseline of the fill: the same rows selected, nothing decoded.
    qint64 sink = 0;
    const double bareSelect = medianMs(10, [&] {
        QSqlQuery q = sql::run(db,
                               QStringLiteral("select id, 试卷分类, 题目类型, 题目, 选择项1, "
                                              "选择项2, 选择项3, 选择项4, 正确答案, 本题分数, "
                                              "题目选择, images, 解析 from 考试训练题库 where "
                                              "试卷分类 = ? and 题目选择 = 0 order by id"),
                               {chapterId});
        while (q.next())
            sink += q.value(0).toLongLong();
    });

    KnownViewer viewer(known, [&] { return chapter; });
    KnownViewerWindow window(viewer);
    window.show();
    QCoreApplication::processEvents();
    const double fill = medianMs(10, [&] {
        window.open();
        window.grid()->viewport()->repaint();
    });
    if (window.grid()->model()->rowCount() != kKnown)
        return 1;

    // Marking: a run of questions still to practise, each mark on the next one.
    PracticeRun run(Settings(), notifier);
    QVector<RunQuestion> loaded;
    for (const QuestionRow &row :
         QuestionTable(db).read(QuestionScope::chapter(chapterId).toPractise(), 100))
        loaded << QuestionSource::slotFromRow(row);
    run.load(loaded, RunMode::SequentialSet, false);
    SilentBeeper beeper;
    bool figured = true;
    const double mark = medianMs(
        40, [&] { figured = known.markShown(run, beeper, chapter).has_value() && figured; });
    // Baseline of the mark: the bare update of one question.
    qint64 other = loaded.last().questionId;
    const double bareUpdate = medianMs(40, [&] {
        sql::run(db, QStringLiteral("update 考试训练题库 set 题目选择 = 0 where id = ?"),
                 {other--});
    });

    std::printf("viewer of %d known questions filled and shown: %.2f ms "
                "(baseline: bare select %.2f ms)\n",
                kKnown, fill, bareSelect);
    std::printf("one question marked known with the figure: %.3f ms "
                "(baseline: bare update %.3f ms)\n",
                mark, bareUpdate);
    if (sink <= 0 || !figured)
        return 1;
    const bool fillInTime = bench("known_viewer_fill_2000", fill, 100, bareSelect);
    const bool markInTime = bench("known_mark_one", mark, 5, bareUpdate);
    return exitCode(fillInTime && markInTime);
}
