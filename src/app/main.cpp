#include "app/DesktopLauncher.h"
#include "app/SingleInstance.h"
#include "app/ui/Application.h"
#include "app/ui/MainWindow.h"
#include "app/ui/Windows.h"
#include "store/Database.h"
#include "widgets/CjkFonts.h"

#include <QDir>
#include <QLibraryInfo>
#include <QLocale>
#include <QMessageBox>
#include <QTranslator>

int main(int argc, char **argv)
{
    Application app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("drillbay"));
    // Controls without a font of their own (buttons, message boxes) use 黑体.
    QApplication::setFont(cjk::hei(13));

    // Standard buttons of message boxes in Chinese (确定 / 是 / 否 / 取消).
    QTranslator translator;
    if (translator.load(QLocale(QLocale::Chinese, QLocale::China), QStringLiteral("qtbase"),
                        QStringLiteral("_"), QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        QCoreApplication::installTranslator(&translator);

    // One program per desktop; a second start ends without a word.
    SingleInstance instance;
    if (!instance.tryAcquire())
        return 0;

    const QString path = Database::defaultPath();
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

    Windows windows(mainDb, pickerDb);
    DesktopLauncher::placeForThisProgram();
    windows.main()->show();
    return app.exec();
}
