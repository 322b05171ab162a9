#include "TestDatabase.h"
#include "TestRegistry.h"

#include "base/StoreError.h"
#include "store/PracticeLogTable.h"
#include "store/Sql.h"

#include <QTest>

namespace {

const QDateTime kGraded(QDate(2026, 12, 9), QTime(8, 5, 7));

// Five records with fen 1 … 5.
void fillFive(const PracticeLogTable &log)
{
    for (int fen = 1; fen <= 5; ++fen)
        log.append(kGraded.addSecs(fen), fen, QStringLiteral("[随机模式]-[第一章]"));
}

QList<int> fens(const QList<LogRow> &rows)
{
    QList<int> result;
    for (const LogRow &row : rows)
        result << row.fen;
    return result;
}

} // namespace

class PracticeLogTableTest : public QObject
{
    Q_OBJECT

private slots:
    void appendStoresIsoDateAndEmptyInfo()
    {
        TestDatabase db;
        PracticeLogTable log(db.db());
        const qint64 first = log.append(kGraded, 80, QStringLiteral("[模拟考试]-[第一章]"));
        const qint64 second = log.append(kGraded, 0, QString());
        QCOMPARE(second, first + 1);
        const QList<LogRow> rows = log.newest(5);
        QCOMPARE(rows.size(), 2);
        QCOMPARE(rows.at(0).id, first);
        QCOMPARE(rows.at(0).date, QStringLiteral("2026-12-09T08:05:07"));
        QCOMPARE(rows.at(0).fen, 80);
        QCOMPARE(rows.at(0).info, QStringLiteral("[模拟考试]-[第一章]"));
        QCOMPARE(rows.at(1).info, QStringLiteral(""));
        QVERIFY(!rows.at(1).info.isNull());
    }

    void newest_data()
    {
        QTest::addColumn<int>("count");
        QTest::addColumn<QList<int>>("expected");
        QTest::newRow("none") << 0 << QList<int>{};
        QTest::newRow("three, oldest first") << 3 << QList<int>{3, 4, 5};
        QTest::newRow("more than there are") << 9 << QList<int>{1, 2, 3, 4, 5};
    }
    void newest()
    {
        QFETCH(int, count);
        QFETCH(QList<int>, expected);
        TestDatabase db;
        PracticeLogTable log(db.db());
        fillFive(log);
        QCOMPARE(fens(log.newest(count)), expected);
    }

    void keepNewest_data()
    {
        QTest::addColumn<int>("kept");
        QTest::addColumn<QList<int>>("expected");
        QTest::newRow("keep none") << 0 << QList<int>{};
        QTest::newRow("keep one") << 1 << QList<int>{5};
        QTest::newRow("keep exactly all") << 5 << QList<int>{1, 2, 3, 4, 5};
        QTest::newRow("keep more") << 6 << QList<int>{1, 2, 3, 4, 5};
    }
    void keepNewest()
    {
        QFETCH(int, kept);
        QFETCH(QList<int>, expected);
        TestDatabase db;
        PracticeLogTable log(db.db());
        fillFive(log);
        log.keepNewest(kept);
        QCOMPARE(log.count(), expected.size());
        QCOMPARE(fens(log.newest(10)), expected);
    }

    void removeAll()
    {
        TestDatabase db;
        PracticeLogTable log(db.db());
        fillFive(log);
        log.removeAll();
        QCOMPARE(log.count(), 0);
        // Ids keep growing after the log was emptied.
        QVERIFY(log.append(kGraded, 1, QString()) > 5);
    }

    void failedWriteThrowsItsReason()
    {
        TestDatabase db;
        db.refuseWrites(QStringLiteral("insert"), QStringLiteral("log"),
                        QStringLiteral("database or disk is full"));
        PracticeLogTable log(db.db());
        try {
            log.append(kGraded, 50, QStringLiteral("x"));
            QFAIL("no StoreError");
        } catch (const StoreError &error) {
            QVERIFY2(QString::fromUtf8(error.what()).contains(QStringLiteral("disk is full")),
                     error.what());
        }
        QCOMPARE(log.count(), 0);
        // The failure leaves no open statement behind: the next write goes through.
        db.acceptWrites();
        log.append(kGraded, 50, QStringLiteral("x"));
        QCOMPARE(log.count(), 1);
    }
};

DRILLBAY_TEST(PracticeLogTableTest)
#include "PracticeLogTableTest.moc"
