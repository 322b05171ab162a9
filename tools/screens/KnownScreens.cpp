#include "KnownScreens.h"
#include "ScreenSupport.h"

#include "app/ui/MainWindow.h"
#include "base/Clipboard.h"
#include "base/Clock.h"
#include "base/DeskServices.h"
#include "base/Notifier.h"
#include "base/RandomSource.h"
#include "base/Selection.h"
#include "exam/ReviewActions.h"
#include "exam/ui/ChapterPage.h"
#include "exam/ui/KnownBar.h"
#include "exam/ui/ReviewWindow.h"
#include "exam/ui/RunDesk.h"
#include "practice/ui/KnownViewerWindow.h"
#include "settings/ui/SettingsDesk.h"
#include "store/Database.h"
#include "widgets/LinkLabel.h"

#include <QApplication>
#include <QDir>
#include <QEnterEvent>
#include <QFile>
#include <QPushButton>
#include <QTableView>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <cstdio>

namespace {

using screens::NoClipboard;
using screens::PrintingNotifier;

void shoot(QWidget *widget, const QString &folder, const QString &name)
{
    screens::savePicture(widget, folder, QStringLiteral("known-%1.png").arg(name), 80);
}

void clickRow(KnownViewerWindow &window, int row)
{
    QTableView *grid = window.grid();
    const QRect cell = grid->visualRect(grid->model()->index(row, 2));
    QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, cell.center());
}

} // namespace

int knownScreens(const QStringList &args)
{
    if (args.size() < 2) {
        std::fprintf(stderr, "usage: drillbay_screens --known <examination.mdb> <output folder> "
                             "[chapter]\n");
        return 2;
    }
    const QString out = args.at(1);
    QDir().mkpath(out);
    const QString chapter =
        args.size() > 2 ? args.at(2) : QStringLiteral("第六章 接地、标示牌和遮栏（变电）");
    QTemporaryDir temp;
    const QSqlDatabase db = screens::openCopy(args.at(0), temp, QStringLiteral("known-screens"));
    if (!db.isOpen())
        return 1;

    PrintingNotifier notifier;
    NoClipboard clipboard;
    SystemClock clock;
    SeededRandom random(20260101);
    Selection selection;
    const DeskServices services{db, notifier, clipboard, random, clock, selection};
    MainWindow main(notifier);
    SettingsDesk settings(main, db, notifier);
    RunDesk desk(main, services, settings);
    KnownBar known(main, services, desk);
    KnownViewerWindow &viewer = *known.viewerWindow();
    main.show();
    QTest::qWait(100);

    desk.chooseChapter(chapter);
    desk.session().startSequential(0);
    desk.session().setClicked(0);
    desk.session().extract();
    QTest::qWait(300);
    shoot(&main, out, QStringLiteral("01-run"));

    // The pointer over "【此题会做不练习】".
    LinkLabel *mark = known.markCommand();
    QEnterEvent enter(QPointF(2, 2), QPointF(2, 2), QPointF(2, 2));
    QApplication::sendEvent(mark, &enter);
    shoot(&main, out, QStringLiteral("02-hover"));
    QEvent leave(QEvent::Leave);
    QApplication::sendEvent(mark, &leave);

    // Four questions marked known.
    for (int i = 0; i < 4; ++i) {
        QTest::mouseClick(mark, Qt::LeftButton);
        QTest::qWait(30);
    }
    shoot(&main, out, QStringLiteral("03-marked"));

    QTest::mouseClick(known.viewCommand(), Qt::LeftButton);
    QTest::qWait(200);
    shoot(&viewer, out, QStringLiteral("04-viewer"));
    for (int row = 0; row < 4; ++row) {
        clickRow(viewer, row);
        shoot(&viewer, out, QStringLiteral("05-detail-row%1").arg(row + 1));
    }
    viewer.restoreOneButton()->click();
    shoot(&viewer, out, QStringLiteral("06-one-restored"));
    shoot(&main, out, QStringLiteral("07-figure-after-restore"));
    viewer.close();

    // The chapter page with its restore link, after the run is handed in.
    QTimer::singleShot(400, [] {
        if (QWidget *modal = QApplication::activeModalWidget())
            modal->close();
    });
    emit main.gradeRequested();
    QTest::qWait(200);
    desk.session().startSequential(0);
    shoot(&main, out, QStringLiteral("08-chapter-page"));
    QTest::mouseClick(desk.chapterPage()->restoreLink(), Qt::LeftButton);
    shoot(&main, out, QStringLiteral("09-bank-restored"));
    return 0;
}
