#include "FixedClock.h"
#include "RecordingNotifier.h"
#include "TestDatabase.h"
#include "TestRegistry.h"

#include "base/StoreError.h"
#include "store/BackupGuard.h"
#include "store/Backups.h"
#include "store/Database.h"
#include "store/Sql.h"
#include "store/Transaction.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTest>
#include <QThread>
#include <csignal>
#include <sys/wait.h>
#include <unistd.h>

namespace {

const QDateTime kMorning(QDate(2026, 12, 10), QTime(8, 15, 0));

qint64 questionCount(const QSqlDatabase &db)
{
    return sql::scalar(db, QStringLiteral("select count(*) from 考试训练题库"));
}

// A bank with one chapter of n questions.
void fill(TestDatabase &db, int n)
{
    const qint64 bank = db.addBank(QStringLiteral("变电安规"));
    const qint64 chapter = db.addChapter(bank, QStringLiteral("第一章"));
    for (int i = 1; i <= n; ++i)
        db.addQuestion(chapter, 1, QStringLiteral("题干%1 ").arg(i).repeated(20),
                       {QStringLiteral("甲"), QStringLiteral("乙"), QStringLiteral("丙"),
                        QStringLiteral("丁")},
                       QStringLiteral("1"));
}

QStringList namesIn(const QString &folder)
{
    return QDir(folder).entryList(QDir::Files, QDir::Name);
}

// Overwrites the bytes of the file from offset on with a pattern.
void spoil(const QString &path, qint64 offset, qint64 length)
{
    QFile file(path);
    QVERIFY(file.open(QIODevice::ReadWrite));
    QVERIFY(file.seek(offset));
    file.write(QByteArray(static_cast<int>(length), '\xA5'));
}

} // namespace

class BackupsTest : public QObject
{
    Q_OBJECT

private slots:
    // A copy beside the file, named by its time, with the step it preceded,
    // that opens as the data file did and holds every row written so far;
    // nothing half-written stays behind.
    void copyOfTheFile_data()
    {
        QTest::addColumn<QString>("journal");
        QTest::newRow("rollback journal") << QStringLiteral("delete");
        // Rows written last stand in the log beside the file, not in it.
        QTest::newRow("write-ahead log") << QStringLiteral("wal");
    }
    void copyOfTheFile()
    {
        QFETCH(QString, journal);
        TestDatabase db;
        db.exec(QStringLiteral("pragma journal_mode = %1").arg(journal));
        fill(db, 30);
        Backups backups(db.db());
        const Backups::Entry made = backups.make(BackupGuard::deleteQuestion(), kMorning);
        QCOMPARE(backups.folder(), QDir(db.folder()).filePath(QStringLiteral("backups")));
        QCOMPARE(namesIn(backups.folder()),
                 QStringList{QStringLiteral("examination-20261210-081500.mdb")});
        QCOMPARE(made.step, QStringLiteral("删除试题"));
        QCOMPARE(made.bytes, QFileInfo(made.path).size());

        const QList<Backups::Entry> listed = backups.list();
        QCOMPARE(listed.size(), 1);
        QCOMPARE(listed.first().made, kMorning);
        QCOMPARE(listed.first().step, QStringLiteral("删除试题"));
        QCOMPARE(backups.problemWith(made.path), QString());
        QCOMPARE(namesIn(backups.folder()).size(), 1);
        QString error;
        QSqlDatabase copy =
            Database::open(made.path, QStringLiteral("copy"), &error, Database::Access::ReadOnly);
        QVERIFY2(copy.isOpen(), qPrintable(error));
        QCOMPARE(questionCount(copy), 30);
        copy.close();
        copy = QSqlDatabase();
        QSqlDatabase::removeDatabase(QStringLiteral("copy"));
        // The data file itself never holds the note.
        QCOMPARE(sql::scalar(db.db(), QStringLiteral("select count(*) from sqlite_master where "
                                                     "name='backup_note'")),
                 0);
    }

    // Two copies within one second get names of their own; the list shows
    // the newest first.
    void sameSecond()
    {
        TestDatabase db;
        fill(db, 2);
        Backups backups(db.db());
        backups.make(QStringLiteral("一"), kMorning);
        backups.make(QStringLiteral("二"), kMorning);
        backups.make(QStringLiteral("三"), kMorning);
        backups.make(QStringLiteral("四"), kMorning.addSecs(1));
        QCOMPARE(namesIn(backups.folder()),
                 (QStringList{QStringLiteral("examination-20261210-081500-2.mdb"),
                              QStringLiteral("examination-20261210-081500-3.mdb"),
                              QStringLiteral("examination-20261210-081500.mdb"),
                              QStringLiteral("examination-20261210-081501.mdb")}));
        QStringList steps;
        for (const Backups::Entry &entry : backups.list())
            steps << entry.step;
        QCOMPARE(steps, (QStringList{QStringLiteral("四"), QStringLiteral("三"),
                                     QStringLiteral("二"), QStringLiteral("一")}));
    }

    // The newest copies stay: a number of them, and a sum of bytes; the
    // newest always, and the copy about to be restored.
    void keepsTheNewest_data()
    {
        QTest::addColumn<int>("keep");
        QTest::addColumn<double>("budgetInCopies"); // the byte limit in sizes of one copy
        QTest::addColumn<int>("spared");            // index of the copy spared, -1 none
        QTest::addColumn<QList<int>>("left");       // the copies left, newest first
        QTest::newRow("at most three") << 3 << 100.0 << -1 << QList<int>{5, 4, 3};
        QTest::newRow("two by their bytes") << 20 << 2.5 << -1 << QList<int>{5, 4};
        QTest::newRow("the newest over the bytes") << 20 << 0.5 << -1 << QList<int>{5};
        QTest::newRow("the spared oldest") << 3 << 100.0 << 0 << QList<int>{5, 4, 0};
    }
    void keepsTheNewest()
    {
        QFETCH(int, keep);
        QFETCH(double, budgetInCopies);
        QFETCH(int, spared);
        QFETCH(QList<int>, left);
        TestDatabase db;
        fill(db, 20);
        const qint64 one = Backups(db.db()).make(QStringLiteral("0"), kMorning).bytes;
        const QString first = Backups(db.db()).list().first().path;
        Backups backups(db.db(), keep, static_cast<qint64>(one * budgetInCopies));
        for (int i = 1; i <= 5; ++i)
            backups.make(QString::number(i), kMorning.addSecs(60 * i),
                         spared == 0 ? first : QString());
        QList<int> steps;
        for (const Backups::Entry &entry : backups.list())
            steps << entry.step.toInt();
        QCOMPARE(steps, left);
    }

    // A copy broken off part-way (the program killed while writing) never
    // looks like a backup, and the next copy clears it away.
    void brokenOffCopy()
    {
        TestDatabase db;
        fill(db, 2);
        Backups backups(db.db());
        QVERIFY(QDir().mkpath(backups.folder()));
        const QString part =
            QDir(backups.folder()).filePath(QStringLiteral("examination-20261210-081400.mdb.part"));
        QFile file(part);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write("SQLite format 3");
        file.close();
        QVERIFY(backups.list().isEmpty());
        QVERIFY(!backups.madeOn(kMorning.date()));
        backups.make(QStringLiteral("一"), kMorning);
        QCOMPARE(namesIn(backups.folder()),
                 QStringList{QStringLiteral("examination-20261210-081500.mdb")});
    }

    // A backup killed at any moment (kill -9) leaves nothing that looks
    // complete and is not: every copy the list shows passes the check.
    void killedMidCopy()
    {
        TestDatabase db;
        fill(db, 3000);
        const QString path = db.path();
        const QString folder = Backups(db.db()).folder();
        for (const int delayMs : {3, 11, 29, 53, 97}) {
            const pid_t child = fork();
            QVERIFY(child >= 0);
            if (child == 0) {
                // The child copies the file over and over until it is killed.
                QString error;
                QSqlDatabase own = Database::open(path, QStringLiteral("child"), &error);
                if (!own.isOpen())
                    _exit(3);
                Backups backups(own);
                QDateTime now(QDate(2027, 1, 1), QTime(0, 0));
                for (;;) {
                    now = now.addSecs(1);
                    backups.make(QStringLiteral("子"), now);
                }
            }
            QThread::msleep(static_cast<unsigned long>(delayMs));
            QCOMPARE(kill(child, SIGKILL), 0);
            int status = 0;
            QCOMPARE(waitpid(child, &status, 0), child);
            QVERIFY(WIFSIGNALED(status));
            const QList<Backups::Entry> listed = Backups(db.db()).list();
            for (const Backups::Entry &entry : listed) {
                QCOMPARE(Backups(db.db()).problemWith(entry.path), QString());
                QCOMPARE(entry.step, QStringLiteral("子"));
            }
            // Whatever else the folder holds is a part the list never shows.
            for (const QString &name : namesIn(folder)) {
                QVERIFY2(name.endsWith(QLatin1String(".mdb")) ||
                             name.endsWith(QLatin1String(".part")) ||
                             name.endsWith(QLatin1String(".part-journal")),
                         qPrintable(name));
            }
        }
        // The next backup of the program clears what was cut short.
        Backups(db.db()).make(QStringLiteral("一"), kMorning.addYears(2));
        for (const QString &name : namesIn(folder))
            QVERIFY2(name.endsWith(QLatin1String(".mdb")), qPrintable(name));
    }

    // No folder for the copies: the copy fails with the reason, nothing is
    // left, and the step asks whether to go on without one.
    void failedCopyAsks_data()
    {
        QTest::addColumn<bool>("goOn");
        QTest::newRow("go on without") << true;
        QTest::newRow("stop") << false;
    }
    void failedCopyAsks()
    {
        QFETCH(bool, goOn);
        TestDatabase db;
        fill(db, 2);
        // A file stands where the folder should.
        QFile blocker(QDir(db.folder()).filePath(QStringLiteral("backups")));
        QVERIFY(blocker.open(QIODevice::WriteOnly));
        blocker.close();
        QVERIFY_THROWS_EXCEPTION(StoreError,
                                 Backups(db.db()).make(QStringLiteral("改分"), kMorning));

        RecordingNotifier notifier;
        notifier.answers = {goOn};
        FixedClock clock(kMorning);
        QCOMPARE(BackupGuard::beforeStep(db.db(), notifier, BackupGuard::rewriteScores(), &clock),
                 goOn);
        QCOMPARE(notifier.questions.size(), 1);
        QCOMPARE(notifier.questions.first().caption, QStringLiteral("提示信息"));
        QCOMPARE(notifier.questions.first().text,
                 BackupGuard::failedQuestion(QStringLiteral("改分"),
                                             QStringLiteral("数据文件所在的文件夹不能写入")));
        QVERIFY(notifier.questions.first().text.startsWith(
            QStringLiteral("[软件提示]：“改分”之前的数据备份没有做成")));

        // A copy that works asks nothing.
        QVERIFY(blocker.remove());
        RecordingNotifier quiet;
        QVERIFY(BackupGuard::beforeStep(db.db(), quiet, BackupGuard::rewriteScores(), &clock));
        QVERIFY(quiet.questions.isEmpty());
        QCOMPARE(Backups(db.db()).list().first().step, QStringLiteral("改分"));
    }

    // Inside an open change the copy is refused rather than taking half of it.
    void notInsideAChange()
    {
        TestDatabase db;
        fill(db, 3);
        Transaction change(db.db());
        db.exec(QStringLiteral("delete from 考试训练题库"));
        QVERIFY_THROWS_EXCEPTION(StoreError, Backups(db.db()).make(QStringLiteral("一"), kMorning));
        QVERIFY(Backups(db.db()).list().isEmpty());
    }

    // The first start of a day copies the file; later starts that day do not.
    void firstStartOfTheDay()
    {
        TestDatabase db;
        fill(db, 2);
        RecordingNotifier notifier;
        FixedClock clock(kMorning);
        BackupGuard::atStart(db.db(), notifier, &clock);
        clock.time = kMorning.addSecs(3600);
        BackupGuard::atStart(db.db(), notifier, &clock);
        clock.time = kMorning.addDays(1);
        BackupGuard::atStart(db.db(), notifier, &clock);
        const QList<Backups::Entry> listed = Backups(db.db()).list();
        QCOMPARE(listed.size(), 2);
        QCOMPARE(listed.at(0).made, kMorning.addDays(1));
        QCOMPARE(listed.at(1).made, kMorning);
        QCOMPARE(listed.at(1).step, QStringLiteral("每日首次启动"));
        QVERIFY(notifier.notices.isEmpty());

        // A copy that fails at start is told, and the start goes on.
        QVERIFY(QDir(Backups(db.db()).folder()).removeRecursively());
        QFile blocker(Backups(db.db()).folder());
        QVERIFY(blocker.open(QIODevice::WriteOnly));
        blocker.close();
        BackupGuard::atStart(db.db(), notifier, &clock);
        QCOMPARE(notifier.notices, QStringList{BackupGuard::failedAtStartNotice(
                                       QStringLiteral("数据文件所在的文件夹不能写入"))});
    }

    // A copy that is no longer what it was is refused with the reason.
    void damagedCopies_data()
    {
        QTest::addColumn<QString>("damage");
        QTest::addColumn<QString>("reasonStart");
        QTest::newRow("pages overwritten")
            << QStringLiteral("pages") << QStringLiteral("备份文件已损坏");
        QTest::newRow("cut short") << QStringLiteral("cut") << QString();
        QTest::newRow("not a database")
            << QStringLiteral("text") << QStringLiteral("数据文件不是可用的题库数据库");
        QTest::newRow("table missing") << QStringLiteral("table") << QStringLiteral("数据文件 ");
        QTest::newRow("gone") << QStringLiteral("gone") << QStringLiteral("找不到备份文件");
    }
    void damagedCopies()
    {
        QFETCH(QString, damage);
        QFETCH(QString, reasonStart);
        TestDatabase db;
        fill(db, 200);
        const QString path = Backups(db.db()).make(QStringLiteral("一"), kMorning).path;
        const qint64 size = QFileInfo(path).size();
        if (damage == QLatin1String("pages")) {
            spoil(path, size / 2, 8192);
        } else if (damage == QLatin1String("cut")) {
            QVERIFY(QFile::resize(path, size / 2));
        } else if (damage == QLatin1String("text")) {
            QFile file(path);
            QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
            file.write("这不是数据库");
        } else if (damage == QLatin1String("table")) {
            TestDatabase other;
            other.exec(QStringLiteral("drop table rand_num"));
            other.db().close();
            QVERIFY(QFile::remove(path));
            QVERIFY(QFile::copy(other.path(), path));
        } else {
            QVERIFY(QFile::remove(path));
        }
        const QString reason = Backups(db.db()).problemWith(path);
        QVERIFY2(!reason.isEmpty(), qPrintable(damage));
        QVERIFY2(reason.startsWith(reasonStart), qPrintable(reason));
    }

    // A restore puts back every row of the copy, through the open connection.
    void restoreReadsBack()
    {
        TestDatabase db;
        fill(db, 12);
        Backups backups(db.db());
        const QString path = backups.make(QStringLiteral("一"), kMorning).path;
        db.exec(QStringLiteral("delete from 考试训练题库 where id > 5"));
        db.exec(QStringLiteral("update fenlei set 试卷名称='改过的名字'"));
        QCOMPARE(questionCount(db.db()), 5);

        backups.restore(path);
        QCOMPARE(questionCount(db.db()), 12);
        QCOMPARE(sql::run(db.db(), QStringLiteral("select 试卷名称 from fenlei")).next(), true);
        QSqlQuery name = sql::run(db.db(), QStringLiteral("select 试卷名称 from fenlei"));
        QVERIFY(name.next());
        QCOMPARE(name.value(0).toString(), QStringLiteral("第一章"));
        name.finish();
        // The note stays in the copy; the data file gets none.
        QCOMPARE(sql::scalar(db.db(), QStringLiteral("select count(*) from sqlite_master where "
                                                     "name='backup_note'")),
                 0);
        // New rows follow on from the restored ones.
        db.addQuestion(1, 1, QStringLiteral("新题"), {}, QStringLiteral("1"));
        QCOMPARE(questionCount(db.db()), 13);
    }

    // A file that refuses the change keeps what it held.
    void restoreRefusedKeepsTheFile()
    {
        TestDatabase db;
        fill(db, 12);
        Backups backups(db.db());
        const QString path = backups.make(QStringLiteral("一"), kMorning).path;
        db.exec(QStringLiteral("delete from 考试训练题库 where id > 5"));
        db.refuseWrites(QStringLiteral("insert"), QStringLiteral("考试训练题库"),
                        QStringLiteral("database or disk is full"));
        QVERIFY_THROWS_EXCEPTION(StoreError, backups.restore(path));
        db.acceptWrites();
        QCOMPARE(questionCount(db.db()), 5);
        // The copy is let go: the next restore works.
        backups.restore(path);
        QCOMPARE(questionCount(db.db()), 12);
    }
};

DRILLBAY_TEST(BackupsTest)
#include "BackupsTest.moc"
