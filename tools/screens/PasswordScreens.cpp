// Pictures of the password page and the password change page of the main
// window, as "试题输入" shows them before the password was entered.
//   drillbay_screens --passwords <examination.mdb> <output folder>
// The database is copied first.

#include "PasswordScreens.h"
#include "ScreenSupport.h"

#include "app/ui/MainWindow.h"
#include "settings/PasswordGate.h"
#include "settings/ui/PasswordPages.h"
#include "settings/ui/SettingsDesk.h"
#include "store/Database.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>
#include <cstdio>

namespace {

void shoot(QWidget *widget, const QString &folder, const QString &name)
{
    screens::savePicture(widget, folder, QStringLiteral("password-%1.png").arg(name), 100);
}

} // namespace

int passwordScreens(const QStringList &args)
{
    if (args.size() < 2) {
        std::fprintf(stderr,
                     "usage: drillbay_screens --passwords <examination.mdb> <output folder>\n");
        return 2;
    }
    const QString out = args.at(1);
    QDir().mkpath(out);
    QTemporaryDir temp;
    const QSqlDatabase db = screens::openCopy(args.at(0), temp, QStringLiteral("passwords"));
    if (!db.isOpen())
        return 1;
    screens::PrintingNotifier notifier;
    MainWindow main(notifier);
    SettingsDesk settings(main, db, notifier);
    PasswordGate gate(db, notifier);
    const PageHandle entry = main.installPage(new PasswordEntryPage(gate));
    const PageHandle change = main.installPage(new PasswordChangePage(gate));
    main.show();
    QTest::qWait(200);

    main.showPage(entry);
    shoot(&main, out, QStringLiteral("entry"));
    main.showPage(change);
    shoot(&main, out, QStringLiteral("change"));
    return 0;
}
