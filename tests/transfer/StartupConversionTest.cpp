#include "LegacyFixture.h"
#include "RecordingNotifier.h"
#include "TestRegistry.h"

#include "store/Database.h"
#include "transfer/StartupConversion.h"

#include <QCryptographicHash>
#include <QDir>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <QTest>
#include <QUuid>
#include <csignal>
#include <sys/fsuid.h>
#include <sys/resource.h>
#include <unistd.h>

namespace {

QByteArray digest(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return QCryptographicHash::hash(file.readAll(), QCryptographicHash::Sha256);
}

// A folder with examination.mdb holding the given bytes.
QString placeDataFile(const QTemporaryDir &dir, const QByteArray &bytes)
{
    const QString path = dir.filePath(QStringLiteral("examination.mdb"));
    QFile file(path);
    file.open(QIODevice::WriteOnly);
    file.write(bytes);
    return path;
}

qint64 questionCount(const QString &path)
{
    const QString name = QUuid::createUuid().toString();
    qint64 count = -1;
    {
        QSqlDatabase db = Database::open(path, name);
        QSqlQuery query(db);
        if (query.exec(QStringLiteral("SELECT count(*) FROM 考试训练题库")) && query.next())
            count = query.value(0).toLongLong();
        query.finish();
        db.close();
    }
    QSqlDatabase::removeDatabase(name);
    return count;
}

// Writes beyond the given size fail (as on a full disk) while in scope.
class FileSizeLimit
{
public:
    explicit FileSizeLimit(rlim_t bytes)
    {
        std::signal(SIGXFSZ, SIG_IGN);
        getrlimit(RLIMIT_FSIZE, &m_before);
        rlimit limit = m_before;
        limit.rlim_cur = bytes;
        setrlimit(RLIMIT_FSIZE, &limit);
    }
    ~FileSizeLimit() { setrlimit(RLIMIT_FSIZE, &m_before); }

private:
    rlimit m_before{};
};

// File permissions bind root too while this lives: file access runs as the
// user "nobody".
class WithoutRootAccess
{
public:
    WithoutRootAccess()
    {
        if (::geteuid() == 0) {
            ::setfsuid(65534);
            m_switched = true;
        }
    }
    ~WithoutRootAccess()
    {
        if (m_switched)
            ::setfsuid(0);
    }
    WithoutRootAccess(const WithoutRootAccess &) = delete;
    WithoutRootAccess &operator=(const WithoutRootAccess &) = delete;

private:
    bool m_switched = false;
};

constexpr QFileDevice::Permissions kReadable = QFileDevice::ReadOwner | QFileDevice::ReadGroup |
                                               QFileDevice::ReadOther | QFileDevice::ExeOwner |
                                               QFileDevice::ExeGroup | QFileDevice::ExeOther;

} // namespace

// The older program's data file found at start: asked, converted in place
// with the original kept, or left untouched.
class StartupConversionTest : public QObject
{
    Q_OBJECT

private slots:
    void convertsAndKeepsTheOriginal()
    {
        QTemporaryDir dir;
        const QString path = placeDataFile(dir, legacyBankBytes());
        const QByteArray original = digest(path);
        RecordingNotifier notifier;
        QList<int> steps;
        const auto result = StartupConversion::offer(path, notifier, [&](int done, int total) {
            steps << done;
            QVERIFY(done <= total);
        });
        QCOMPARE(result, StartupConversion::Result::Converted);
        QCOMPARE(notifier.questions.size(), 1);
        QCOMPARE(notifier.questions.at(0).caption, QStringLiteral("提示"));
        QCOMPARE(notifier.questions.at(0).text,
                 QStringLiteral(
                     "数据文件 examination.mdb 是旧版格式（Jet "
                     "4.0）的题库。是否转换为本软件的格式？原文件将保存为 examination.jet.mdb。"));
        QVERIFY(notifier.notices.isEmpty());
        QVERIFY(!steps.isEmpty());
        QCOMPARE(digest(dir.filePath(QStringLiteral("examination.jet.mdb"))), original);
        QCOMPARE(questionCount(path), qint64(60));
        QCOMPARE(QDir(dir.path()).entryList(QDir::Files).size(), 2);
        // The converted file is no Jet file: nothing is asked at the next start.
        QCOMPARE(StartupConversion::offer(path, notifier), StartupConversion::Result::NotNeeded);
        QCOMPARE(notifier.questions.size(), 1);
    }

    void keptNameNeverOverwrites()
    {
        QTemporaryDir dir;
        const QString path = placeDataFile(dir, legacyBankBytes());
        QCOMPARE(StartupConversion::keptName(path),
                 dir.filePath(QStringLiteral("examination.jet.mdb")));
        placeDataFile(dir, {});
        QFile(dir.filePath(QStringLiteral("examination.mdb")))
            .copy(dir.filePath(QStringLiteral("examination.jet.mdb")));
        QFile(dir.filePath(QStringLiteral("examination.mdb")))
            .copy(dir.filePath(QStringLiteral("examination.jet.1.mdb")));
        QCOMPARE(StartupConversion::keptName(path),
                 dir.filePath(QStringLiteral("examination.jet.2.mdb")));
        // A conversion next to earlier copies names the free one.
        QTemporaryDir again;
        const QString data = placeDataFile(again, legacyBankBytes());
        QFile earlier(again.filePath(QStringLiteral("examination.jet.mdb")));
        earlier.open(QIODevice::WriteOnly);
        earlier.write("earlier copy");
        earlier.close();
        RecordingNotifier notifier;
        QCOMPARE(StartupConversion::offer(data, notifier), StartupConversion::Result::Converted);
        QVERIFY(notifier.questions.at(0).text.endsWith(QStringLiteral("examination.jet.1.mdb。")));
        QCOMPARE(digest(again.filePath(QStringLiteral("examination.jet.1.mdb"))),
                 QCryptographicHash::hash(legacyBankBytes(), QCryptographicHash::Sha256));
        QFile kept(again.filePath(QStringLiteral("examination.jet.mdb")));
        QVERIFY(kept.open(QIODevice::ReadOnly));
        QCOMPARE(kept.readAll(), QByteArray("earlier copy"));
    }

    void declinedLeavesTheFile()
    {
        QTemporaryDir dir;
        const QString path = placeDataFile(dir, legacyBankBytes());
        const QByteArray original = digest(path);
        RecordingNotifier notifier;
        notifier.answers << false;
        QCOMPARE(StartupConversion::offer(path, notifier), StartupConversion::Result::Declined);
        QCOMPARE(digest(path), original);
        QCOMPARE(QDir(dir.path()).entryList(QDir::Files),
                 QStringList{QStringLiteral("examination.mdb")});
    }

    void failureLeavesTheOriginal_data()
    {
        QTest::addColumn<QString>("kind");
        QTest::addColumn<QString>("reason");
        QTest::newRow("truncated file") << QStringLiteral("truncated") << QStringLiteral("不完整");
        QTest::newRow("full disk") << QStringLiteral("full") << QStringLiteral("无法写入");
        QTest::newRow("read-only folder")
            << QStringLiteral("read-only") << QStringLiteral("无法写入");
        QTest::newRow("damaged catalogue")
            << QStringLiteral("damaged") << QStringLiteral("examination.mdb");
    }
    void failureLeavesTheOriginal()
    {
        QFETCH(QString, kind);
        QFETCH(QString, reason);
        QTemporaryDir dir;
        QByteArray bytes = legacyBankBytes();
        if (kind == QStringLiteral("truncated"))
            bytes.truncate(bytes.size() - 1000);
        if (kind == QStringLiteral("damaged"))
            bytes.truncate(3 * 4096); // the catalogue's pages are gone
        const QString path = placeDataFile(dir, bytes);
        const QByteArray original = digest(path);
        RecordingNotifier notifier;
        StartupConversion::Result result;
        if (kind == QStringLiteral("full")) {
            const FileSizeLimit limit(64 * 1024);
            result = StartupConversion::offer(path, notifier);
        } else if (kind == QStringLiteral("read-only")) {
            QFile::setPermissions(path, kReadable);
            QFile::setPermissions(dir.path(), kReadable);
            {
                const WithoutRootAccess asUser;
                result = StartupConversion::offer(path, notifier);
            }
            QFile::setPermissions(dir.path(), kReadable | QFileDevice::WriteOwner);
        } else {
            result = StartupConversion::offer(path, notifier);
        }
        QCOMPARE(result, StartupConversion::Result::Failed);
        QCOMPARE(notifier.notices.size(), 1);
        QVERIFY2(notifier.notices.at(0).startsWith(
                     QStringLiteral("数据文件 examination.mdb 未能转换，原文件保持不变。")),
                 qPrintable(notifier.notices.at(0)));
        QVERIFY2(notifier.notices.at(0).contains(reason), qPrintable(notifier.notices.at(0)));
        QCOMPARE(digest(path), original);
        QCOMPARE(QDir(dir.path()).entryList(QDir::Files),
                 QStringList{QStringLiteral("examination.mdb")});
    }
};

DRILLBAY_TEST(StartupConversionTest)
#include "StartupConversionTest.moc"
