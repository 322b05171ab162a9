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

    void missingFolderIsCreated()
    {
        QTemporaryDir dir;
        SingleInstance instance(dir.filePath(QStringLiteral("run/user")));
        QVERIFY(instance.tryAcquire());
    }
};

DRILLBAY_TEST(SingleInstanceTest)
#include "SingleInstanceTest.moc"
