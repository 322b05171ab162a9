#include "TestDatabase.h"
#include "TestRegistry.h"

#include "base/StoreError.h"
#include "store/PracticeLogTable.h"
#include "store/Sql.h"

#include <QTest>

// A centre's server that refuses a write is named as the server, not as a
// data file, and the next write goes through once the cause is gone.
class ServerRefusalTest : public QObject
{
    Q_OBJECT

private slots:
    void init()
    {
        if (!TestDatabase::onServer())
            QSKIP("the data file's refusals are told by StoreErrorTest");
    }

    void refusalNamesTheServer_data()
    {
        QTest::addColumn<QString>("failure");
        QTest::addColumn<QString>("reason");
        QTest::newRow("read-only server") << "read-only"
                                          << "数据库服务器现在只允许读取";
        QTest::newRow("table gone") << "no table"
                                    << "服务器上的数据库缺少所需的数据表或数据列";
        QTest::newRow("refused by a trigger")
            << "trigger"
            << "数据库服务器拒绝了这次操作（详细信息：checks failed）";
    }
    void refusalNamesTheServer()
    {
        QFETCH(QString, failure);
        QFETCH(QString, reason);
        TestDatabase db;
        const auto write = [&] {
            PracticeLogTable(db.db()).append(QDateTime(QDate(2026, 3, 1), QTime(9, 0)), 80,
                                             QStringLiteral("[练习模式]"));
        };
        if (failure == QLatin1String("read-only"))
            db.exec(QStringLiteral("set default_transaction_read_only = on"));
        else if (failure == QLatin1String("no table"))
            db.dropTable(QStringLiteral("log"));
        else
            db.refuseWrites(QStringLiteral("insert"), QStringLiteral("log"),
                            QStringLiteral("checks failed"));
        try {
            write();
            QFAIL("the write went through");
        } catch (const StoreError &error) {
            QCOMPARE(error.origin(), StoreError::Origin::Server);
            QCOMPARE(error.reason(), reason);
        }
        if (failure == QLatin1String("no table"))
            return;
        if (failure == QLatin1String("read-only"))
            db.exec(QStringLiteral("set default_transaction_read_only = off"));
        else
            db.acceptWrites();
        write();
        QCOMPARE(PracticeLogTable(db.db()).count(), 1);
    }
};

DRILLBAY_TEST(ServerRefusalTest)
#include "ServerRefusalTest.moc"
