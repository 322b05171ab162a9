// The key map ("按键说明"), the list of backups ("恢复备份") over three
// backups of the sample database, and the question asked when the backup
// before deleting a question fails (a file stands where the backups folder
// should), in the message box the program shows.
//   drillbay_screens --backups <examination.mdb> <output folder>
// The database is copied first.

#include "BackupScreens.h"
#include "ScreenSupport.h"

#include "app/ui/NotifierBoxes.h"
#include "practice/ui/KeyMapWindow.h"
#include "settings/BackupRestore.h"
#include "settings/ui/BackupWindow.h"
#include "store/BackupGuard.h"
#include "store/Backups.h"
#include "store/Database.h"

#include <QAbstractButton>
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QLibraryInfo>
#include <QLocale>
#include <QMessageBox>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QTranslator>
#include <cstdio>

int backupScreens(const QStringList &args)
{
    if (args.size() < 2) {
        std::fprintf(stderr,
                     "usage: drillbay_screens --backups <examination.mdb> <output folder>\n");
        return 2;
    }
    const QString out = args.at(1);
    QDir().mkpath(out);
    QTranslator translator;
    if (translator.load(QLocale(QLocale::Chinese, QLocale::China), QStringLiteral("qtbase"),
                        QStringLiteral("_"), QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        QCoreApplication::installTranslator(&translator);
    QTemporaryDir temp;
    const QSqlDatabase db = screens::openCopy(args.at(0), temp, QStringLiteral("backups"));
    if (!db.isOpen())
        return 1;

    KeyMapWindow keyMap;
    keyMap.show();
    screens::savePicture(&keyMap, out, QStringLiteral("key-map.png"), 150);
    keyMap.hide();

    const QDateTime start(QDate(2026, 12, 8), QTime(7, 58, 12));
    Backups backups(db);
    backups.make(BackupGuard::startOfDay(), start);
    backups.make(BackupGuard::deleteQuestion(), start.addSecs(3600 * 2 + 17 * 60));
    backups.make(BackupGuard::redrawQuotas(), start.addDays(1).addSecs(125));
    backups.make(BackupGuard::rewriteScores(), start.addDays(2).addSecs(4000));
    screens::PrintingNotifier notifier;
    BackupRestore restore(db, notifier);
    BackupWindow window(restore);
    window.open();
    screens::savePicture(&window, out, QStringLiteral("backup-list.png"), 150);
    window.hide();

    // The backups folder cannot be made: a file holds its name.
    QDir(backups.folder()).removeRecursively();
    QFile blocker(backups.folder());
    blocker.open(QIODevice::WriteOnly);
    blocker.close();
    NotifierBoxes boxes;
    QTimer::singleShot(300, [&out] {
        if (auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget())) {
            screens::savePicture(box, out, QStringLiteral("backup-failed.png"), 150);
            box->button(QMessageBox::No)->click();
        }
    });
    const bool goOn = BackupGuard::beforeStep(db, boxes, BackupGuard::deleteQuestion());
    std::fprintf(stderr, "answered %s\n", goOn ? "yes" : "no");
    return 0;
}
