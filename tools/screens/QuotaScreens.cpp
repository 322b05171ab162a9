// Pictures of the mock examination's quota page: opened on the first enabled
// bank, a chapter edited with quotas chosen, the table after saving two
// chapters with a row selected, its context menu, and the command page with
// the quota figure.
//   drillbay_screens --quota <examination.mdb> <output folder>
// The database is copied first.

#include "QuotaScreens.h"
#include "ScreenSupport.h"

#include "app/ui/MainWindow.h"
#include "base/Notifier.h"
#include "base/RandomSource.h"
#include "base/Selection.h"
#include "exam/MockExamForm.h"
#include "exam/ui/QuotaCommands.h"
#include "exam/ui/QuotaPage.h"
#include "exam/ui/QuotaPageNames.h"
#include "settings/ui/SettingsDesk.h"
#include "store/Database.h"
#include "store/QuotaTable.h"
#include "widgets/LinkLabel.h"

#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QListWidget>
#include <QMenu>
#include <QPushButton>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QTest>
#include <cstdio>

namespace {

using screens::PrintingNotifier;

void shoot(QWidget *widget, const QString &folder, const QString &name)
{
    screens::savePicture(widget, folder, QStringLiteral("quota-%1.png").arg(name), 100);
}

// Chooses the largest offered quota up to `wanted` for the type.
void choose(QuotaPage &page, int type, int wanted)
{
    QComboBox *list = page.quotaList(type);
    for (int i = 0; i < list->count(); ++i) {
        if (list->itemText(i).toInt() <= wanted) {
            list->setCurrentIndex(i);
            return;
        }
    }
}

} // namespace

int quotaScreens(const QStringList &args)
{
    if (args.size() < 2) {
        std::fprintf(stderr, "usage: drillbay_screens --quota <examination.mdb> <output folder>\n");
        return 2;
    }
    const QString out = args.at(1);
    QDir().mkpath(out);
    QTemporaryDir temp;
    const QSqlDatabase db = screens::openCopy(args.at(0), temp, QStringLiteral("quota"));
    if (!db.isOpen())
        return 1;
    PrintingNotifier notifier;
    SeededRandom random(20260101);
    MockExamForm form;
    MainWindow main(notifier);
    SettingsDesk settings(main, db, notifier);
    // No picker here: the page opens on the first enabled bank, which then
    // stands for the selection's bank.
    Selection selection;
    auto *page = new QuotaPage(db, notifier, random, form, selection);
    const PageHandle handle = main.installPage(page);
    auto *commands = new QuotaCommands(main, *page, handle, selection, &main);
    main.show();
    QTest::qWait(200);

    commands->openPage();
    selection.setBank(page->setup().bankId(), page->setup().bankName());
    shoot(&main, out, QStringLiteral("opened"));
    // The first chapter with some quotas, saved.
    choose(*page, 1, 5);
    choose(*page, 4, 5);
    page->findChild<QPushButton *>(QuotaPageNames::saveButton)->click();
    // The second chapter opened and chosen, not yet saved.
    if (page->chapterList()->count() > 1) {
        QListWidget *list = page->chapterList();
        list->setCurrentRow(1);
        emit list->itemDoubleClicked(list->item(1));
        choose(*page, 1, 3);
        choose(*page, 2, 2);
        page->findChild<QPushButton *>(QuotaPageNames::saveButton)->click();
        choose(*page, 1, 4);
    }
    page->table()->selectRow(0);
    shoot(&main, out, QStringLiteral("edited"));
    QMenu *menu = page->tableMenu();
    menu->popup(page->table()->viewport()->mapToGlobal(QPoint(60, 30)));
    shoot(menu, out, QStringLiteral("menu"));
    menu->hide();
    QTest::mouseMove(commands->settingsLink());
    QTest::qWait(100);
    shoot(&main, out, QStringLiteral("figure"));
    std::fprintf(stderr, "figure: %s\n", qPrintable(commands->figure()->text()));
    return 0;
}
