#include "TestDatabase.h"
#include "TestRegistry.h"

#include "base/StoreError.h"
#include "store/Database.h"
#include "store/PracticeLogTable.h"
#include "store/Sql.h"
#include "store/Transaction.h"

#include <QDir>
#include <QFile>
#include <QRegularExpression>
#include <QSqlQuery>
#include <QTest>
#include <QUuid>

#include <memory>

#include <sys/fsuid.h>
#include <unistd.h>

namespace {

// File permissions bind root too while this lives: file access runs as the
// user "nobody". Without it a test run as root could write anywhere.
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

QString connectionName()
{
    return QUuid::createUuid().toString(QUuid::WithoutBraces);
}

// The program's own connection to the file, waiting only briefly for locks.
QSqlDatabase programConnection(const QString &path)
{
    QString error;
    QSqlDatabase db =
        Database::open(path, connectionName(), &error, Database::Access::ReadWrite, 20);
    if (!db.isOpen())
        qWarning("%s", qPrintable(error));
    return db;
}

// Overwrites the first page of the practice log with garbage.
void damageLogTable(const TestDatabase &test)
{
    const qint64 pageSize = sql::scalar(test.db(), QStringLiteral("pragma page_size"));
    const qint64 root = sql::scalar(
        test.db(), QStringLiteral("select rootpage from sqlite_master where name = 'log'"));
    QFile file(test.path());
    QVERIFY(file.open(QIODevice::ReadWrite));
    QVERIFY(file.seek((root - 1) * pageSize));
    file.write(QByteArray(static_cast<int>(pageSize), '\xA5'));
}

// One practice-log record written as the program writes a change.
void writeRecord(const QSqlDatabase &db, const QString &info = QStringLiteral("[顺序练习]"))
{
    Transaction change(db);
    PracticeLogTable(db).append(QDateTime::currentDateTime(), 80, info);
    change.commit();
}

} // namespace

// A failed read or write is told in the program's own words; the store's own
// text is only a detail, and only where no cause can be named.
class StoreErrorTest : public QObject
{
    Q_OBJECT

private slots:
    void failedWriteSaysWhy_data()
    {
        QTest::addColumn<QString>("failure");
        QTest::addColumn<QString>("reason");
        QTest::newRow("read-only file") << "read-only file"
                                        << "数据文件是只读的";
        QTest::newRow("read-only folder") << "read-only folder"
                                          << "数据文件所在的文件夹不能写入";
        QTest::newRow("folder moved away") << "moved"
                                           << "数据文件已被移走或删除";
        QTest::newRow("disk full") << "full"
                                   << "磁盘空间已满";
        QTest::newRow("another program writing") << "writer"
                                                 << "数据文件正被其他程序使用";
        QTest::newRow("another program reading at commit") << "reader"
                                                           << "数据文件正被其他程序使用";
        QTest::newRow("damaged pages") << "damaged"
                                       << "数据文件已损坏";
        QTest::newRow("table gone") << "no table"
                                    << "数据文件缺少所需的数据表或数据列";
        QTest::newRow("refused by a trigger")
            << "trigger"
            << "数据文件拒绝了这次操作（详细信息：checks failed）";
    }
    void failedWriteSaysWhy()
    {
        QFETCH(QString, failure);
        QFETCH(QString, reason);
        TestDatabase test;
        const QString folder = test.folder();
        QString path = test.path();
        std::unique_ptr<WithoutRootAccess> withoutRoot;
        QSqlDatabase other;
        QSqlQuery otherQuery;

        if (failure == QLatin1String("read-only file")) {
            QVERIFY(QFile::setPermissions(folder, kReadable | QFileDevice::WriteOwner));
            QVERIFY(QFile::setPermissions(path, QFileDevice::ReadOwner | QFileDevice::ReadGroup |
                                                    QFileDevice::ReadOther));
            withoutRoot = std::make_unique<WithoutRootAccess>();
        }
        if (failure == QLatin1String("damaged"))
            damageLogTable(test);
        QSqlDatabase db = programConnection(path);
        QVERIFY(db.isOpen());

        if (failure == QLatin1String("read-only folder")) {
            QVERIFY(QFile::setPermissions(folder, kReadable));
            withoutRoot = std::make_unique<WithoutRootAccess>();
        } else if (failure == QLatin1String("moved")) {
            QVERIFY(QDir().rename(folder, folder + QStringLiteral("-moved")));
        } else if (failure == QLatin1String("full")) {
            const qint64 pages = sql::scalar(db, QStringLiteral("pragma page_count"));
            sql::run(db, QStringLiteral("pragma max_page_count = %1").arg(pages)).finish();
        } else if (failure == QLatin1String("writer") || failure == QLatin1String("reader")) {
            other = programConnection(path);
            otherQuery = QSqlQuery(other);
            QVERIFY(otherQuery.exec(QStringLiteral("begin")));
            // A reader keeps its lock until its transaction ends; a writer
            // holds the file for writing.
            QVERIFY(otherQuery.exec(failure == QLatin1String("writer")
                                        ? QStringLiteral("insert into joke(word) values('x')")
                                        : QStringLiteral("select count(*) from log")));
        } else if (failure == QLatin1String("no table")) {
            test.exec(QStringLiteral("drop table log"));
        } else if (failure == QLatin1String("trigger")) {
            test.refuseWrites(QStringLiteral("insert"), QStringLiteral("log"),
                              QStringLiteral("checks failed"));
        }

        QString told;
        try {
            writeRecord(db,
                        QString(failure == QLatin1String("full") ? 20000 : 1, QLatin1Char('x')));
        } catch (const StoreError &error) {
            told = error.reason();
        }
        withoutRoot.reset();
        if (failure == QLatin1String("moved"))
            QVERIFY(QDir().rename(folder + QStringLiteral("-moved"), folder));
        QFile::setPermissions(folder, kReadable | QFileDevice::WriteOwner);
        QCOMPARE(told, reason);
        // Nothing of the engine's English where the cause has a name.
        if (failure != QLatin1String("trigger"))
            QVERIFY2(!told.contains(QRegularExpression(QStringLiteral("[A-Za-z]"))),
                     qPrintable(told));
        // The failed change is undone: the connection takes the next change.
        otherQuery.finish();
        if (other.isOpen())
            QVERIFY(QSqlQuery(other).exec(QStringLiteral("rollback")));
        if (failure == QLatin1String("writer") || failure == QLatin1String("reader")) {
            writeRecord(db);
            QCOMPARE(PracticeLogTable(db).count(), 1);
        }
    }

    // A file that cannot be used at all is refused at the start in the same words.
    void unusableFileSaysWhy()
    {
        TestDatabase test;
        test.db().close();
        QFile file(test.path());
        QVERIFY(file.open(QIODevice::ReadWrite));
        file.write(QByteArray(100, '\xA5'));
        file.close();
        QString error;
        QVERIFY(!Database::open(test.path(), connectionName(), &error).isOpen());
        QVERIFY2(error.endsWith(QStringLiteral("原因：数据文件已损坏")), qPrintable(error));
    }
};

DRILLBAY_TEST(StoreErrorTest)
#include "StoreErrorTest.moc"
