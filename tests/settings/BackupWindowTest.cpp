#include "FixedClock.h"
#include "RecordingNotifier.h"
#include "TestDatabase.h"
#include "TestRegistry.h"

#include "settings/PasswordCodec.h"
#include "settings/PasswordGate.h"
#include "settings/ui/BackupDesk.h"
#include "settings/ui/BackupWindow.h"
#include "store/BackupGuard.h"
#include "store/Backups.h"
#include "store/Database.h"
#include "store/Sql.h"

#include <QFile>
#include <QFileInfo>
#include <QPushButton>
#include <QSignalSpy>
#include <QTableWidget>
#include <QTest>

namespace {

const QDateTime kMorning(QDate(2026, 12, 10), QTime(8, 15, 0));

// The data file with its password, two backups of different days and the
// desk of "恢复备份..." over them.
struct Desk
{
    TestDatabase db;
    RecordingNotifier notifier;
    FixedClock clock{kMorning.addDays(1)};
    PasswordGate gate{db.db(), notifier};
    BackupDesk desk{db.db(), gate, notifier, clock};
    QString older;
    QString newer;

    Desk()
    {
        db.exec(QStringLiteral("insert into reg(flag, pass) values('999', '%1')")
                    .arg(encodePassword(QStringLiteral("drillbay"))));
        const qint64 chapter =
            db.addChapter(db.addBank(QStringLiteral("甲库")), QStringLiteral("第一章"));
        for (int i = 0; i < 8; ++i)
            db.addQuestion(chapter, 1, QStringLiteral("题%1").arg(i), {}, QStringLiteral("1"));
        older = Backups(db.db()).make(BackupGuard::startOfDay(), kMorning).path;
        db.exec(QStringLiteral("delete from 考试训练题库 where id > 3"));
        newer = Backups(db.db()).make(BackupGuard::rewriteScores(), kMorning.addSecs(3600)).path;
        db.exec(QStringLiteral("delete from 考试训练题库 where id > 1"));
    }
    qint64 questions() const
    {
        return sql::scalar(db.db(), QStringLiteral("select count(*) from 考试训练题库"));
    }
    BackupWindow *window() const { return desk.window(); }
    QStringList row(int r) const
    {
        QStringList cells;
        for (int c = 0; c < 3; ++c)
            cells << window()->table()->item(r, c)->text();
        return cells;
    }
    // The user clicks the command, then the row, then the restore button.
    void restoreRow(int r)
    {
        QTest::mouseClick(desk.command(), Qt::LeftButton);
        QTableWidget *table = window()->table();
        QTest::mouseClick(table->viewport(), Qt::LeftButton, {},
                          table->visualItemRect(table->item(r, 0)).center());
        QTest::mouseClick(window()->restoreButton(), Qt::LeftButton);
    }
};

} // namespace

class BackupWindowTest : public QObject
{
    Q_OBJECT

private slots:
    // Without the password the command asks for it and lists nothing.
    void behindThePassword()
    {
        Desk d;
        QSignalSpy asked(&d.desk, &BackupDesk::passwordRequested);
        QTest::mouseClick(d.desk.command(), Qt::LeftButton);
        QCOMPARE(asked.size(), 1);
        QVERIFY(!d.window()->isVisible());
        QCOMPARE(d.gate.check(QStringLiteral("drillbay")), PasswordGate::CheckResult::Accepted);
        QTest::mouseClick(d.desk.command(), Qt::LeftButton);
        QVERIFY(d.window()->isVisible());
        QCOMPARE(d.desk.command()->text(), QStringLiteral("恢复备份..."));
        QCOMPARE(d.window()->table()->rowCount(), 2);
        QCOMPARE(d.row(0).at(0), QStringLiteral("2026-12-10 09:15:00"));
        QCOMPARE(d.row(0).at(2), QStringLiteral("改分"));
        QCOMPARE(d.row(1).at(0), QStringLiteral("2026-12-10 08:15:00"));
        QCOMPARE(d.row(1).at(1), BackupRestore::sizeText(QFileInfo(d.older).size()));
        QCOMPARE(d.row(1).at(2), QStringLiteral("每日首次启动"));
        // Nothing chosen: the restore button waits.
        QVERIFY(!d.window()->restoreButton()->isEnabled());
    }

    // A restore after confirmation puts the older data back, keeps the data
    // as it stood as a backup first, and the program starts on the result.
    void restoreAndReadBack()
    {
        Desk d;
        QVERIFY(d.gate.check(QStringLiteral("drillbay")) == PasswordGate::CheckResult::Accepted);
        QSignalSpy restored(&d.desk, &BackupDesk::restored);
        QCOMPARE(d.questions(), 1);
        d.restoreRow(1);
        QCOMPARE(d.notifier.questions.size(), 1);
        QCOMPARE(d.notifier.questions.first().text,
                 QStringLiteral("[软件提示]：确定要用 2026-12-10 08:15:00（每日首次启动之前） "
                                "的备份替换当前的全部数据吗？\r\n当前的数据会先另存为一份备份。"));
        QCOMPARE(restored.size(), 1);
        QCOMPARE(d.questions(), 8);
        QCOMPARE(d.notifier.notices.last(),
                 QStringLiteral("[软件提示]：已恢复 2026-12-10 08:15:00（每日首次启动之前） "
                                "的备份。\r\n恢复前的数据已另存为备份 "
                                "examination-20261211-081500.mdb。"));
        // The list shows the copy of the data as it stood before.
        QCOMPARE(d.window()->table()->rowCount(), 3);
        QCOMPARE(d.row(0).at(2), QStringLiteral("恢复备份"));

        // The program started on the restored file finds it whole.
        QString error;
        QSqlDatabase started = Database::open(d.db.path(), QStringLiteral("restarted"), &error);
        QVERIFY2(started.isOpen(), qPrintable(error));
        QCOMPARE(sql::scalar(started, QStringLiteral("select count(*) from 考试训练题库")), 8);
        started.close();
        started = QSqlDatabase();
        QSqlDatabase::removeDatabase(QStringLiteral("restarted"));

        // And the copy of before restores the one question again.
        d.notifier.answers = {true};
        d.restoreRow(0);
        QCOMPARE(d.questions(), 1);
    }

    // No: nothing changes, no copy is made.
    void answeredNo()
    {
        Desk d;
        d.gate.check(QStringLiteral("drillbay"));
        d.notifier.answers = {false};
        d.restoreRow(0);
        QCOMPARE(d.questions(), 1);
        QCOMPARE(Backups(d.db.db()).list().size(), 2);
        QVERIFY(d.notifier.notices.isEmpty());
    }

    // A damaged backup is refused with the reason before anything changes.
    void damagedRefused()
    {
        Desk d;
        d.gate.check(QStringLiteral("drillbay"));
        QFile file(d.older);
        QVERIFY(file.open(QIODevice::ReadWrite));
        QVERIFY(file.seek(100));
        file.write(QByteArray(4000, '\x5A'));
        file.close();
        d.restoreRow(1);
        QVERIFY(d.notifier.questions.isEmpty());
        QCOMPARE(d.notifier.notices.size(), 1);
        QVERIFY2(d.notifier.notices.first().startsWith(QStringLiteral(
                     "[软件提示]：这份备份不能恢复，当前的数据没有改动。\r\n原因：")),
                 qPrintable(d.notifier.notices.first()));
        QCOMPARE(d.questions(), 1);
        QCOMPARE(Backups(d.db.db()).list().size(), 2);
    }

    // The file refuses the change: told, and the data stays as it was.
    void fileRefuses()
    {
        Desk d;
        d.gate.check(QStringLiteral("drillbay"));
        d.db.refuseWrites(QStringLiteral("insert"), QStringLiteral("考试训练题库"),
                          QStringLiteral("database or disk is full"));
        d.restoreRow(1);
        QCOMPARE(d.notifier.notices.size(), 1);
        QVERIFY(d.notifier.notices.first().startsWith(
            QStringLiteral("[软件提示]：备份没有恢复，当前的数据保持原样。原因：")));
        QCOMPARE(d.questions(), 1);
    }
};

DRILLBAY_TEST(BackupWindowTest)
#include "BackupWindowTest.moc"
