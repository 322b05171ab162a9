#include "TestDatabase.h"
#include "TestRegistry.h"

#include "base/StoreError.h"
#include "store/PracticeLogTable.h"
#include "store/Transaction.h"

#include <QTest>

// A change of several rows lands whole or not at all.
class TransactionTest : public QObject
{
    Q_OBJECT

private slots:
    void wholeOrNothing_data()
    {
        QTest::addColumn<int>("failingFen"); // 0: no row fails
        QTest::addColumn<bool>("commit");
        QTest::addColumn<int>("kept");
        QTest::newRow("committed") << 0 << true << 3;
        QTest::newRow("left without commit") << 0 << false << 0;
        QTest::newRow("third row fails") << 3 << true << 0;
        QTest::newRow("first row fails") << 1 << true << 0;
    }
    void wholeOrNothing()
    {
        QFETCH(int, failingFen);
        QFETCH(bool, commit);
        QFETCH(int, kept);
        TestDatabase db;
        db.refuseWrites(QStringLiteral("insert"), QStringLiteral("log"), QStringLiteral("refused"),
                        QStringLiteral("new.fen = %1").arg(failingFen));
        PracticeLogTable log(db.db());
        bool thrown = false;
        try {
            Transaction change(db.db());
            for (int fen = 1; fen <= 3; ++fen)
                log.append(QDateTime::currentDateTime(), fen, QString());
            if (commit)
                change.commit();
        } catch (const StoreError &) {
            thrown = true;
        }
        QCOMPARE(thrown, failingFen > 0);
        QCOMPARE(log.count(), kept);
        // The connection is usable again afterwards.
        Transaction next(db.db());
        log.append(QDateTime::currentDateTime(), 9, QString());
        next.commit();
        QCOMPARE(log.count(), kept + 1);
    }
};

DRILLBAY_TEST(TransactionTest)
#include "TransactionTest.moc"
