#include "StudyScreens.h"
#include "ScreenSupport.h"

#include "app/ui/MainWindow.h"
#include "base/Clock.h"
#include "base/DeskServices.h"
#include "base/RandomSource.h"
#include "base/Selection.h"
#include "exam/StudyRecorder.h"
#include "exam/ui/RunDesk.h"
#include "exam/ui/StatisticsWindow.h"
#include "exam/ui/StudyDesk.h"
#include "exam/ui/WrongBookWindow.h"
#include "practice/QuestionSource.h"
#include "settings/ui/SettingsDesk.h"
#include "store/AddedTables.h"
#include "store/ChapterTable.h"
#include "store/Database.h"
#include "store/QuestionTable.h"
#include "store/QuotaTable.h"
#include "widgets/LinkLabel.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QPushButton>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QTest>
#include <cstdio>

namespace {

using screens::NoClipboard;
using screens::PrintingNotifier;

// Runs of 20 questions from the bank's chapters, graded over the last 180
// days, the answers getting better with time and the weaker chapters lagging.
void gradeHistory(const QSqlDatabase &db, qint64 bankId, RandomSource &random, int runs)
{
    const QList<ChapterRow> chapters = ChapterTable(db).ofBank(bankId);
    const StudyRecorder recorder(db);
    const QDateTime now = QDateTime::currentDateTime();
    for (int r = 0; r < runs; ++r) {
        const ChapterRow &chapter = chapters.at(random.below(static_cast<int>(chapters.size())));
        QList<QuestionRow> rows =
            QuestionTable(db).read(QuestionScope::chapter(chapter.id), 20, random.below(10));
        if (rows.isEmpty())
            continue;
        QVector<RunQuestion> questions;
        const double progress = static_cast<double>(r) / runs;
        const int skill = 45 + static_cast<int>(35 * progress) - (chapter.id % 4) * 8;
        for (const QuestionRow &row : std::as_const(rows)) {
            RunQuestion question = QuestionSource::slotFromRow(row);
            if (random.below(100) < skill)
                question.userAnswer = question.correctAnswer;
            else
                question.userAnswer = question.correctAnswer == QStringLiteral("1")
                                          ? QStringLiteral("2")
                                          : QStringLiteral("1");
            questions.append(question);
        }
        const QDateTime graded =
            now.addDays(-180 + r * 180 / runs).addSecs(-3600 * random.below(10));
        const int kinds[] = {1, 1, 2, 3, 4};
        StudyRecorder::GradedRun run;
        run.mode = static_cast<RunMode>(kinds[random.below(5)]);
        run.chapter = chapter.name;
        run.questions = std::span<const RunQuestion>(questions.constData(), questions.size());
        run.started = graded.addSecs(-60 * (10 + random.below(30)));
        run.graded = graded;
        recorder.record(run);
    }
}

} // namespace

int studyScreens(const QStringList &args)
{
    if (args.size() < 2) {
        std::fprintf(stderr, "usage: drillbay_screens --study <examination.mdb> <output folder> "
                             "[chapter]\n");
        return 2;
    }
    const QString out = args.at(1);
    QDir().mkpath(out);
    const QString chapter =
        args.size() > 2 ? args.at(2) : QStringLiteral("第六章 接地、标示牌和遮栏（变电）");
    QTemporaryDir temp;
    const QSqlDatabase db = screens::openCopy(args.at(0), temp, QStringLiteral("study-screens"));
    if (!db.isOpen())
        return 1;
    AddedTables::ensure(db);

    PrintingNotifier notifier;
    NoClipboard clipboard;
    SystemClock clock;
    SeededRandom random(20260101);
    Selection selection;
    const DeskServices services{db, notifier, clipboard, random, clock, selection};
    MainWindow main(notifier);
    SettingsDesk settings(main, db, notifier);
    RunDesk desk(main, services, settings);
    StudyDesk study(main, services, desk, settings);
    main.show();
    QTest::qWait(100);
    desk.chooseChapter(chapter);
    QTest::qWait(100);
    screens::savePicture(&main, out, QStringLiteral("study-01-commands.png"));

    // An empty history first.
    QTest::mouseClick(study.statisticsLink(), Qt::LeftButton);
    screens::savePicture(study.statisticsWindow(), out, QStringLiteral("study-02-empty.png"), 300);
    study.statisticsWindow()->close();

    const std::optional<ChapterRow> current = ChapterTable(db).findByName(chapter);
    if (!current) {
        std::fprintf(stderr, "no chapter %s\n", qPrintable(chapter));
        return 1;
    }
    // Quotas of a mock examination over the first chapters, for the forecast.
    const QList<ChapterRow> chapters = ChapterTable(db).ofBank(current->bankId);
    for (int k = 0; k < std::min<int>(4, static_cast<int>(chapters.size())); ++k) {
        QuotaRow quota;
        quota.bankId = current->bankId;
        quota.chapterId = chapters.at(k).id;
        quota.position = k + 1;
        quota.quota = {8, 2, 0, 5, 0};
        QuotaTable(db).saveChapter(quota);
    }
    gradeHistory(db, current->bankId, random, 320);

    QTest::mouseClick(study.bookLink(), Qt::LeftButton);
    WrongBookWindow *book = study.bookWindow();
    QTableWidget *table = book->table();
    if (table->rowCount() > 2) {
        const QRect cell = table->visualItemRect(table->item(2, 1));
        QTest::mouseClick(table->viewport(), Qt::LeftButton, {}, cell.center());
    }
    screens::savePicture(book, out, QStringLiteral("study-03-book.png"), 200);
    book->close();

    QTest::mouseClick(study.statisticsLink(), Qt::LeftButton);
    screens::savePicture(study.statisticsWindow(), out, QStringLiteral("study-04-statistics.png"),
                         400);
    return 0;
}
