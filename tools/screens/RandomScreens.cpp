#include "RandomScreens.h"
#include "ScreenSupport.h"

#include "app/ui/MainWindow.h"
#include "base/Clipboard.h"
#include "base/Clock.h"
#include "base/DeskServices.h"
#include "base/Notifier.h"
#include "base/RandomSource.h"
#include "base/Selection.h"
#include "exam/ui/KnownBar.h"
#include "exam/ui/PaperViewDesk.h"
#include "exam/ui/RandomPracticeDesk.h"
#include "exam/ui/RunDesk.h"
#include "exam/ui/ScorePage.h"
#include "practice/ui/SingleChoicePage.h"
#include "practice/ui/TrueFalsePage.h"
#include "question/QuestionType.h"
#include "settings/ui/SettingsDesk.h"
#include "store/Database.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QToolButton>
#include <cstdio>

namespace {

using Notices = screens::PrintingNotifier;
using screens::NoClipboard;

QString g_out;
int g_count = 0;

void shoot(QWidget *widget, const QString &name)
{
    QTest::qWait(60);
    const QString file = QDir(g_out).filePath(
        QStringLiteral("r%1-%2.png").arg(++g_count, 2, 10, QLatin1Char('0')).arg(name));
    widget->grab().save(file);
    std::fprintf(stderr, "saved %s\n", qPrintable(file));
}

} // namespace

int randomScreens(const QStringList &args)
{
    if (args.size() < 2) {
        std::fprintf(stderr, "usage: drillbay_screens --random <examination.mdb> <output folder> "
                             "[chapter]\n");
        return 2;
    }
    g_out = args.at(1);
    QDir().mkpath(g_out);
    const QString chapter =
        args.size() > 2 ? args.at(2) : QStringLiteral("第六章 接地、标示牌和遮栏（变电）");
    QTemporaryDir temp;
    const QSqlDatabase db = screens::openCopy(args.at(0), temp, QStringLiteral("random-screens"));
    if (!db.isOpen())
        return 1;

    Notices notifier;
    NoClipboard clipboard;
    SeededRandom random(7);
    SystemClock clock;
    Selection selection;
    const DeskServices services{db, notifier, clipboard, random, clock, selection};
    MainWindow main(notifier);
    SettingsDesk settings(main, db, notifier);
    RunDesk desk(main, services, settings);
    KnownBar known(main, services, desk);
    RandomPracticeDesk randomPractice(main, services, desk, settings.form());
    PaperViewDesk paperView(main, services, desk);
    main.show();
    QTest::qWait(100);
    desk.chooseChapter(chapter);
    shoot(&main, QStringLiteral("commands"));

    randomPractice.chapterButton()->click();
    QTest::qWait(700);
    shoot(&main, QStringLiteral("random-run"));

    // Some answers, right and wrong, then the paper view.
    PracticeRun &run = desk.run();
    for (int k = 1; k <= 6 && k <= run.length(); ++k) {
        if (question::fromCode(run.question(k).typeCode) == QuestionType::SingleChoice)
            desk.singleChoicePage()->choiceButtons().at(k % 3)->click();
        else if (question::fromCode(run.question(k).typeCode) == QuestionType::TrueFalse)
            desk.trueFalsePage()->trueButton()->click();
        if (run.current() == k)
            emit main.nextRequested();
        QTest::qWait(30);
    }
    shoot(&main, QStringLiteral("random-answered"));
    QTimer::singleShot(300, [] {
        if (QWidget *modal = QApplication::activeModalWidget()) {
            shoot(modal, QStringLiteral("paper-browse"));
            modal->close();
        }
    });
    paperView.command()->click();

    while (run.active() && run.current() <= run.length()) {
        emit main.nextRequested();
        QTest::qWait(10);
    }
    shoot(&main, QStringLiteral("score"));
    desk.scorePage()->redoButton()->click();
    QTest::qWait(100);
    shoot(&main, QStringLiteral("redo-run"));

    QTimer::singleShot(300, [] {
        if (QWidget *modal = QApplication::activeModalWidget())
            modal->close();
    });
    desk.session().grade();
    QTest::qWait(100);
    randomPractice.bankButton()->click();
    QTest::qWait(700);
    shoot(&main, QStringLiteral("bank-random-run"));
    return 0;
}
