#include "app/DesktopLauncher.h"
#include "app/SingleInstance.h"
#include "app/ui/Application.h"
#include "app/ui/MainWindow.h"
#include "app/ui/NotifierBoxes.h"
#include "app/ui/Windows.h"
#include "store/AddedTables.h"
#include "store/BackupGuard.h"
#include "store/Database.h"
#include "transfer/StartupConversion.h"
#include "transfer/ui/ConversionProgressDialog.h"

#include <QDir>
#include <QLibraryInfo>
#include <QLocale>
#include <QMessageBox>
#include <QTranslator>
#include <cstdio>

int main(int argc, char **argv)
{
    Application app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("drillbay"));

    // Standard buttons of message boxes in Chinese (确定 / 是 / 否 / 取消).
    QTranslator translator;
    if (translator.load(QLocale(QLocale::Chinese, QLocale::China), QStringLiteral("qtbase"),
                        QStringLiteral("_"), QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        QCoreApplication::installTranslator(&translator);

    // One program per data file and user; a second start ends without a word.
    // A lock that cannot be made never keeps the program from starting.
    const QString path = Database::defaultPath();
    SingleInstance instance(path);
    switch (instance.acquire()) {
    case SingleInstance::Start::AlreadyRunning:
        return 0;
    case SingleInstance::Start::WithoutLock:
        std::fprintf(stderr, "%s\n", qPrintable(instance.problem()));
        break;
    case SingleInstance::Start::Acquired:
        break;
    }

    // The older program's Jet file is converted once, when the user agrees;
    // otherwise the program leaves it as it is and ends.
    {
        NotifierBoxes boxes;
        ConversionProgressDialog progress(path);
        switch (StartupConversion::offer(path, boxes, progress.progress())) {
        case StartupConversion::Result::NotNeeded:
        case StartupConversion::Result::Converted:
            break;
        case StartupConversion::Result::Declined:
            return 0;
        case StartupConversion::Result::Failed:
            return 1;
        }
    }

    QString error;
    const QSqlDatabase mainDb = Database::open(path, QStringLiteral("main"), &error);
    QSqlDatabase pickerDb;
    if (mainDb.isOpen())
        pickerDb = Database::open(path, QStringLiteral("picker"), &error);
    if (!mainDb.isOpen() || !pickerDb.isOpen()) {
        QMessageBox::critical(nullptr, QStringLiteral("提示"),
                              QStringLiteral("无法使用数据文件 %1，程序将退出。\n\n%2")
                                  .arg(QDir::toNativeSeparators(path), error));
        return 1;
    }
    // A write-protected file can still be practised from; say once that
    // nothing will be kept.
    if (Database::isReadOnly(mainDb))
        QMessageBox::information(nullptr, QStringLiteral("提示"), Database::readOnlyNotice(path));
    // The wrong-question book and the run history live in tables the program
    // adds; without them the rest of the program runs as before.
    if (const QString problem = AddedTables::ensure(mainDb); !problem.isEmpty())
        QMessageBox::information(nullptr, QStringLiteral("提示"),
                                 AddedTables::unavailableNotice(problem));

    // A read or write that fails later, where no action says so itself.
    NotifierBoxes failureNotices;
    app.setNotifier(&failureNotices);
    // The first start of a day keeps a copy of the file; a file that cannot
    // change needs none.
    if (!Database::isReadOnly(mainDb))
        BackupGuard::atStart(mainDb, failureNotices);

    Windows windows(mainDb, pickerDb);
    DesktopLauncher::placeForThisProgram();
    windows.main()->show();
    return app.exec();
}
