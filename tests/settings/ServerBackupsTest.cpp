#include "FixedClock.h"
#include "RecordingNotifier.h"
#include "TestDatabase.h"
#include "TestRegistry.h"

#include "settings/PasswordCodec.h"
#include "settings/PasswordGate.h"
#include "settings/ui/BackupDesk.h"
#include "settings/ui/BackupWindow.h"
#include "store/BackupGuard.h"

#include <QDir>
#include <QLabel>
#include <QPushButton>
#include <QTableWidget>
#include <QTest>

// A centre's server is backed up by the centre: the program makes no copies
// before a step or at start, and the backups page says so instead of
// listing copies.
class ServerBackupsTest : public QObject
{
    Q_OBJECT

private slots:
    void stepsGoOnWithoutACopy_data()
    {
        QTest::addColumn<bool>("atStart");
        QTest::newRow("before a step") << false;
        QTest::newRow("first start of the day") << true;
    }
    void stepsGoOnWithoutACopy()
    {
        QFETCH(bool, atStart);
        if (!TestDatabase::onServer())
            QSKIP("about a centre's server; the data file's copies are BackupsTest's");
        TestDatabase db;
        RecordingNotifier notifier;
        FixedClock clock;
        // Where a copy of a file would go, relative to the working folder.
        const QString folder = QDir::current().filePath(QStringLiteral("backups"));
        const bool folderBefore = QFileInfo::exists(folder);
        if (atStart)
            BackupGuard::atStart(db.db(), notifier, &clock);
        else
            QVERIFY(
                BackupGuard::beforeStep(db.db(), notifier, BackupGuard::deleteChapter(), &clock));
        QVERIFY(notifier.questions.isEmpty());
        QVERIFY(notifier.notices.isEmpty());
        QCOMPARE(QFileInfo::exists(folder), folderBefore);
    }

    void pageTellsWhoBacksUp()
    {
        if (!TestDatabase::onServer())
            QSKIP("about a centre's server; the data file's page is BackupWindowTest's");
        TestDatabase db;
        db.exec(QStringLiteral("insert into reg(flag, pass) values('999', '%1')")
                    .arg(encodePassword(QStringLiteral("drillbay"))));
        RecordingNotifier notifier;
        FixedClock clock;
        PasswordGate gate(db.db(), notifier);
        BackupDesk desk(db.db(), gate, notifier, clock);
        QCOMPARE(gate.check(QStringLiteral("drillbay")), PasswordGate::CheckResult::Accepted);
        QTest::mouseClick(desk.command(), Qt::LeftButton);
        BackupWindow *window = desk.window();
        QVERIFY(window->isVisible());
        QVERIFY2(window->note()->text().contains(QStringLiteral("由培训中心统一备份（pg_dump）")),
                 qPrintable(window->note()->text()));
        QVERIFY(!window->table()->isVisible());
        QVERIFY(!window->restoreButton()->isVisible());
        QVERIFY(window->closeButton()->isVisible());
    }
};

DRILLBAY_TEST(ServerBackupsTest)
#include "ServerBackupsTest.moc"
