#include "RecordingNotifier.h"
#include "TestDatabase.h"
#include "TestRegistry.h"
#include "app/ui/MainWindow.h"
#include "settings/SettingsForm.h"
#include "settings/ui/SettingsDesk.h"
#include "settings/ui/SettingsPage.h"
#include "store/Database.h"

#include <QPushButton>
#include <QSignalSpy>
#include <QTest>

// "确定" on the settings page over a file that cannot be written: one notice,
// and the program goes on as before.
class SettingsSaveFailureTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void readOnlyFileKeepsTheProgramRunning()
    {
        TestDatabase db;
        db.exec(QStringLiteral("insert into run_record values(50, 1, 15, 90, 0)"));
        // As root a write-protected file can be written: the connection is
        // opened for reading only instead.
        QString error;
        const QSqlDatabase readOnly = Database::open(db.path(), QStringLiteral("settings-ro"),
                                                     &error, Database::Access::ReadOnly);
        QVERIFY2(readOnly.isOpen(), qPrintable(error));
        RecordingNotifier notifier;
        MainWindow window(notifier);
        SettingsDesk settings(window, readOnly, notifier);
        QSignalSpy quit(&window, &MainWindow::quitRequested);
        window.show();
        window.showPage(settings.pageHandle());

        window.findChild<QPushButton *>(SettingsPageNames::saveButton)->click();
        QCOMPARE(notifier.notices,
                 QStringList{SettingsForm::notSavedNotice(QStringLiteral("数据文件是只读的"))});
        QCOMPARE(quit.count(), 0);
        QVERIFY(window.isVisible());
        QVERIFY(window.isShown(settings.pageHandle()));

        // Closing still asks as usual.
        notifier.answers = {false};
        window.close();
        QCOMPARE(notifier.questions.size(), 1);
        QVERIFY(window.isVisible());
    }
};

DRILLBAY_TEST(SettingsSaveFailureTest)
#include "SettingsSaveFailureTest.moc"
