#include "app/BackendChoice.h"
#include "app/DesktopLauncher.h"
#include "app/SingleInstance.h"
#include "app/WorkerSignIn.h"
#include "app/ui/Application.h"
#include "app/ui/MainWindow.h"
#include "app/ui/NotifierBoxes.h"
#include "app/ui/Windows.h"
#include "app/ui/WorkerChooser.h"
#include "base/Clock.h"
#include "base/StoreError.h"
#include "store/AddedTables.h"
#include "store/BackupGuard.h"
#include "store/Database.h"
#include "store/ServerUrl.h"
#include "store/WorkerTable.h"
#include "transfer/StartupConversion.h"
#include "transfer/ui/ConversionProgressDialog.h"

#include <QDir>
#include <QLibraryInfo>
#include <QLocale>
#include <QMessageBox>
#include <QTranslator>
#include <cstdio>
#include <memory>

namespace {

void refuseStart(const QString &message)
{
    QMessageBox::critical(nullptr, QStringLiteral("提示"), message);
}

// The windows on two connections made ready: the main window's and the
// picker's.
int runWindows(Application &app, const QSqlDatabase &mainDb, const QSqlDatabase &pickerDb,
               bool dailyBackup)
{
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
    if (dailyBackup && !Database::isReadOnly(mainDb))
        BackupGuard::atStart(mainDb, failureNotices);

    Windows windows(mainDb, pickerDb);
    DesktopLauncher::placeForThisProgram();
    windows.main()->show();
    return app.exec();
}

int startOnFile(Application &app)
{
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
        refuseStart(QStringLiteral("无法使用数据文件 %1，程序将退出。\n\n%2")
                        .arg(QDir::toNativeSeparators(path), error));
        return 1;
    }
    // A write-protected file can still be practised from; say once that
    // nothing will be kept.
    if (Database::isReadOnly(mainDb))
        QMessageBox::information(nullptr, QStringLiteral("提示"), Database::readOnlyNotice(path));
    return runWindows(app, mainDb, pickerDb, true);
}

// A centre's server: the worker says who is practising first; every
// connection of the program is signed in as that worker. The centre backs
// its server up itself: no file copies here.
int startOnServer(Application &app, const QString &url)
{
    QString error;
    const QSqlDatabase mainDb = Database::openServer(url, QStringLiteral("main"), &error);
    if (!mainDb.isOpen()) {
        refuseStart(error + QStringLiteral("\n\n程序将退出。"));
        return 1;
    }
    const QString server = ServerUrl::parse(url)->shown();

    SystemClock clock;
    WorkerSignIn signIn(mainDb, clock);
    WorkerChooser chooser(signIn);
    // One program per worker on this machine: another worker may practise
    // beside it, the same worker is sent back to the list.
    std::unique_ptr<SingleInstance> instance;
    for (;;) {
        if (chooser.exec() != QDialog::Accepted)
            return 0;
        instance = std::make_unique<SingleInstance>(
            SingleInstance::ServerWorker{server, chooser.workerId()});
        const SingleInstance::Start start = instance->acquire();
        if (start == SingleInstance::Start::AlreadyRunning) {
            chooser.reset(QStringLiteral("学员“%1”已经在本机的另一个程序窗口中练习。")
                              .arg(chooser.workerName()));
            continue;
        }
        if (start == SingleInstance::Start::WithoutLock)
            std::fprintf(stderr, "%s\n", qPrintable(instance->problem()));
        break;
    }

    const qint64 worker = chooser.workerId();
    QSqlDatabase pickerDb = Database::openServer(url, QStringLiteral("picker"), &error);
    if (!pickerDb.isOpen()) {
        refuseStart(error + QStringLiteral("\n\n程序将退出。"));
        return 1;
    }
    try {
        WorkerTable::signIn(mainDb, worker);
        WorkerTable::signIn(pickerDb, worker);
    } catch (const StoreError &failure) {
        refuseStart(QStringLiteral("无法以学员“%1”的身份登录数据库服务器 %2\n原因：%3\n\n"
                                   "程序将退出。")
                        .arg(chooser.workerName(), server, failure.reason()));
        return 1;
    }
    if (Database::isReadOnly(mainDb))
        QMessageBox::information(nullptr, QStringLiteral("提示"), Database::readOnlyNotice(server));
    return runWindows(app, mainDb, pickerDb, false);
}

} // namespace

int main(int argc, char **argv)
{
    Application app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("drillbay"));

    // Standard buttons of message boxes in Chinese (确定 / 是 / 否 / 取消).
    QTranslator translator;
    if (translator.load(QLocale(QLocale::Chinese, QLocale::China), QStringLiteral("qtbase"),
                        QStringLiteral("_"), QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        QCoreApplication::installTranslator(&translator);

    // The data file beside the program, unless the command line or
    // drillbay.ini names a centre's server.
    const BackendChoice backend =
        BackendChoice::decide(QCoreApplication::arguments(), BackendChoice::defaultIniPath());
    switch (backend.kind()) {
    case BackendChoice::Kind::Refused:
        refuseStart(backend.message());
        return 1;
    case BackendChoice::Kind::Server:
        return startOnServer(app, backend.url());
    case BackendChoice::Kind::File:
        break;
    }
    return startOnFile(app);
}
