#include "app/SingleInstance.h"
#include "TestRegistry.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

#include <memory>

#include <unistd.h>

namespace {

// The data file that the locks of a test stand for.
const QString kDatabase = QStringLiteral("/srv/training/examination.mdb");

// Sets an environment variable, or removes it for a null value, while it lives.
class EnvironmentVariable
{
public:
    EnvironmentVariable(const char *name, const QByteArray &value)
        : m_name(name), m_old(qgetenv(name)), m_wasSet(qEnvironmentVariableIsSet(name))
    {
        if (value.isNull())
            qunsetenv(name);
        else
            qputenv(name, value);
    }
    ~EnvironmentVariable()
    {
        if (m_wasSet)
            qputenv(m_name, m_old);
        else
            qunsetenv(m_name);
    }
    EnvironmentVariable(const EnvironmentVariable &) = delete;
    EnvironmentVariable &operator=(const EnvironmentVariable &) = delete;

private:
    const char *m_name;
    QByteArray m_old;
    bool m_wasSet;
};

// A lock made the way the program makes it, with the session's runtime
// folder set to `runtime` or not set at all (a null value).
std::unique_ptr<SingleInstance> startedWith(const QByteArray &runtime, const QString &database)
{
    EnvironmentVariable variable("XDG_RUNTIME_DIR", runtime);
    return std::make_unique<SingleInstance>(database);
}

} // namespace

class SingleInstanceTest : public QObject
{
    Q_OBJECT

private slots:
    void secondStartFailsWhileFirstRuns()
    {
        QTemporaryDir dir;
        SingleInstance first(kDatabase, dir.path());
        SingleInstance second(kDatabase, dir.path());
        QVERIFY(first.tryAcquire());
        QVERIFY(!second.tryAcquire());
        QVERIFY(QFile::exists(dir.filePath(SingleInstance::lockName(kDatabase))));
        first.release();
        QVERIFY(second.tryAcquire());
        QVERIFY(!first.tryAcquire());
    }

    void lockOfDeadProcessDoesNotBlock()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath(SingleInstance::lockName(kDatabase));
        // A lock file as a crashed program leaves it: a real lock's contents with
        // the number of a process that has ended.
        QByteArray contents;
        {
            SingleInstance crashed(kDatabase, dir.path());
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

        SingleInstance next(kDatabase, dir.path());
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
        QFile file(dir.filePath(SingleInstance::lockName(kDatabase)));
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(contents);
        file.close();
        SingleInstance instance(kDatabase, dir.path());
        QCOMPARE(instance.acquire(), SingleInstance::Start::Acquired);
        QVERIFY(instance.held());
        QVERIFY(instance.problem().isEmpty());
        // The taken-over lock keeps the next start out.
        SingleInstance second(kDatabase, dir.path());
        QCOMPARE(second.acquire(), SingleInstance::Start::AlreadyRunning);
    }

    void runningHolderKeepsOutEvenWithGarbledFile()
    {
        QTemporaryDir dir;
        SingleInstance first(kDatabase, dir.path());
        QCOMPARE(first.acquire(), SingleInstance::Start::Acquired);
        QFile file(first.lockFile());
        QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        file.write("garbled");
        file.close();
        SingleInstance second(kDatabase, dir.path());
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
            SingleInstance instance(kDatabase, folder);
            QCOMPARE(instance.acquire(), SingleInstance::Start::WithoutLock);
            QVERIFY(!instance.held());
            QVERIFY2(instance.problem().contains(blocker), qPrintable(instance.problem()));
        }
    }

    // On a centre's server the lock is the worker's: another worker of the
    // machine practises beside the first, the same worker does not.
    void oneLockPerWorkerOnAServer_data()
    {
        QTest::addColumn<QString>("secondServer");
        QTest::addColumn<qint64>("secondWorker");
        QTest::addColumn<bool>("excluded");
        const QString server = QStringLiteral("drill@centre:5432/bank");
        QTest::newRow("same worker") << server << qint64(7) << true;
        QTest::newRow("another worker") << server << qint64(8) << false;
        QTest::newRow("same worker on another server")
            << QStringLiteral("drill@centre:5433/bank") << qint64(7) << false;
    }
    void oneLockPerWorkerOnAServer()
    {
        QFETCH(QString, secondServer);
        QFETCH(qint64, secondWorker);
        QFETCH(bool, excluded);
        QTemporaryDir dir;
        SingleInstance first(
            SingleInstance::ServerWorker{QStringLiteral("drill@centre:5432/bank"), 7}, dir.path());
        SingleInstance second(SingleInstance::ServerWorker{secondServer, secondWorker}, dir.path());
        QCOMPARE(first.acquire(), SingleInstance::Start::Acquired);
        QCOMPARE(second.acquire(), excluded ? SingleInstance::Start::AlreadyRunning
                                            : SingleInstance::Start::Acquired);
        // Nor does a worker's lock keep the data file's program out.
        SingleInstance file(kDatabase, dir.path());
        QCOMPARE(file.acquire(), SingleInstance::Start::Acquired);
    }

    void missingFolderIsCreated()
    {
        QTemporaryDir dir;
        SingleInstance instance(kDatabase, dir.filePath(QStringLiteral("run/user")));
        QVERIFY(instance.tryAcquire());
    }

    // Starts from sessions with and without a runtime folder meet at one lock
    // for one data file, however its path is spelt; other data files have
    // locks of their own.
    void oneLockPerDataFileWhateverTheSession_data()
    {
        QTest::addColumn<QString>("secondFile"); // relative to the first file's folder
        QTest::addColumn<bool>("excluded");
        QTest::newRow("same file") << "examination.mdb" << true;
        QTest::newRow("same file through a link") << "link/examination.mdb" << true;
        QTest::newRow("another file") << "other/examination.mdb" << false;
    }
    void oneLockPerDataFileWhateverTheSession()
    {
        QFETCH(QString, secondFile);
        QFETCH(bool, excluded);
        QTemporaryDir files;
        QTemporaryDir runtime;
        const QDir folder(files.path());
        QVERIFY(folder.mkdir(QStringLiteral("other")));
        QVERIFY(QFile::link(files.path(), folder.filePath(QStringLiteral("link"))));
        for (const QString &name :
             {QStringLiteral("examination.mdb"), QStringLiteral("other/examination.mdb")}) {
            QFile file(folder.filePath(name));
            QVERIFY(file.open(QIODevice::WriteOnly));
        }

        const auto first = startedWith(QFile::encodeName(runtime.path()),
                                       folder.filePath(QStringLiteral("examination.mdb")));
        const auto second = startedWith(QByteArray(), folder.filePath(secondFile));
        QCOMPARE(first->acquire(), SingleInstance::Start::Acquired);
        QCOMPARE(second->acquire(), excluded ? SingleInstance::Start::AlreadyRunning
                                             : SingleInstance::Start::Acquired);
        // Started the other way round.
        first->release();
        second->release();
        QCOMPARE(second->acquire(), SingleInstance::Start::Acquired);
        QCOMPARE(first->acquire(), excluded ? SingleInstance::Start::AlreadyRunning
                                            : SingleInstance::Start::Acquired);
    }

    // Another user's folder of that name is not used for the lock.
    void foreignFolderIsNotTrusted()
    {
        if (::geteuid() != 0)
            QSKIP("needs root to give a folder to another user");
        QTemporaryDir dir;
        const QString foreign = dir.filePath(QStringLiteral("drillbay-foreign"));
        QVERIFY(QDir().mkdir(foreign));
        QVERIFY(::chown(QFile::encodeName(foreign).constData(), 65534, 65534) == 0);
        SingleInstance instance(kDatabase, foreign);
        QCOMPARE(instance.acquire(), SingleInstance::Start::WithoutLock);
        QVERIFY2(instance.problem().contains(foreign), qPrintable(instance.problem()));
    }
};

DRILLBAY_TEST(SingleInstanceTest)
#include "SingleInstanceTest.moc"
