#include "app/SingleInstance.h"
#include "TestRegistry.h"

#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

class SingleInstanceTest : public QObject
{
    Q_OBJECT

private slots:
    void secondStartFailsWhileFirstRuns()
    {
        QTemporaryDir dir;
        SingleInstance first(dir.path());
        SingleInstance second(dir.path());
        QVERIFY(first.tryAcquire());
        QVERIFY(!second.tryAcquire());
        QVERIFY(QFile::exists(dir.filePath(QStringLiteral("ProgRun"))));
        first.release();
        QVERIFY(second.tryAcquire());
        QVERIFY(!first.tryAcquire());
    }

    void lockOfDeadProcessDoesNotBlock()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("ProgRun"));
        // A lock file as a crashed program leaves it: a real lock's contents with
        // the number of a process that has ended.
        QByteArray contents;
        {
            SingleInstance crashed(dir.path());
            QVERIFY(crashed.tryAcquire());
            QFile file(path);
            QVERIFY(file.open(QIODevice::ReadOnly));
            contents = file.readAll();
        }
        QProcess child;
        child.start(QStringLiteral("true"), {});
        QVERIFY(child.waitForStarted());
        const qint64 deadPid = child.processId();
        QVERIFY(child.waitForFinished());
        contents = QByteArray::number(deadPid) + contents.mid(contents.indexOf('\n'));
        QFile stale(path);
        QVERIFY(stale.open(QIODevice::WriteOnly));
        stale.write(contents);
        stale.close();

        SingleInstance next(dir.path());
        QVERIFY(next.tryAcquire());
    }

    // Whatever a lock file holds, only a running holder keeps a start out.
    void leftOverLockFilesAreTakenOver_data()
    {
        QTest::addColumn<QByteArray>("contents");
        QTest::newRow("empty") << QByteArray();
        QTest::newRow("garbage") << QByteArray("\x01\xFFnot a lock\n\n\n");
        QTest::newRow("number only") << QByteArray("12");
        QTest::newRow("own process number")
            << QByteArray::number(QCoreApplication::applicationPid());
    }
    void leftOverLockFilesAreTakenOver()
    {
        QFETCH(QByteArray, contents);
        QTemporaryDir dir;
        QFile file(dir.filePath(QStringLiteral("ProgRun")));
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(contents);
        file.close();
        SingleInstance instance(dir.path());
        QCOMPARE(instance.acquire(), SingleInstance::Start::Acquired);
        QVERIFY(instance.held());
        QVERIFY(instance.problem().isEmpty());
        // The taken-over lock keeps the next start out.
        SingleInstance second(dir.path());
        QCOMPARE(second.acquire(), SingleInstance::Start::AlreadyRunning);
    }

    void runningHolderKeepsOutEvenWithGarbledFile()
    {
        QTemporaryDir dir;
        SingleInstance first(dir.path());
        QCOMPARE(first.acquire(), SingleInstance::Start::Acquired);
        QFile file(first.lockFile());
        QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        file.write("garbled");
        file.close();
        SingleInstance second(dir.path());
        QCOMPARE(second.acquire(), SingleInstance::Start::AlreadyRunning);
        QVERIFY(!second.held());
    }

    void lockThatCannotBeMadeLetsTheProgramStart()
    {
        QTemporaryDir dir;
        // A file where the folder should be: nothing can be created in it (this
        // holds for root too, unlike a folder without write permission).
        const QString blocker = dir.filePath(QStringLiteral("runtime"));
        QFile file(blocker);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.close();
        for (const QString &folder : {blocker, blocker + QStringLiteral("/user")}) {
            SingleInstance instance(folder);
            QCOMPARE(instance.acquire(), SingleInstance::Start::WithoutLock);
            QVERIFY(!instance.held());
            QVERIFY2(instance.problem().contains(blocker), qPrintable(instance.problem()));
        }
    }

    void missingFolderIsCreated()
    {
        QTemporaryDir dir;
        SingleInstance instance(dir.filePath(QStringLiteral("run/user")));
        QVERIFY(instance.tryAcquire());
    }
};

DRILLBAY_TEST(SingleInstanceTest)
#include "SingleInstanceTest.moc"
