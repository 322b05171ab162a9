#include "TestRegistry.h"

#include "exam/WaitingRecords.h"

#include <QTest>
#include <deque>

namespace {

using Cause = StoreError::Cause;

// A store that answers each write with the next scripted outcome (none: it
// takes the write) and notes what it took.
struct ScriptedStore
{
    std::deque<std::optional<Cause>> outcomes;
    QStringList taken;

    WaitingRecords::Write write(const QString &name)
    {
        return [this, name] {
            if (!outcomes.empty()) {
                const std::optional<Cause> outcome = outcomes.front();
                outcomes.pop_front();
                if (outcome)
                    throw StoreError(*outcome, QStringLiteral("scripted"));
            }
            taken << name;
        };
    }
};

} // namespace

class WaitingRecordsTest : public QObject
{
    Q_OBJECT

private slots:
    void submitted_data()
    {
        QTest::addColumn<QList<int>>("firstOutcomes"); // -1: written, else the cause
        QTest::addColumn<QStringList>("takenAtOnce");
        QTest::addColumn<int>("waiting");
        QTest::newRow("both written") << QList<int>{-1, -1} << QStringList{"甲", "乙"} << 0;
        // Once one waits, the next waits behind it without being tried.
        QTest::newRow("lost, the next waits behind")
            << QList<int>{int(Cause::ServerLost)} << QStringList{} << 2;
        QTest::newRow("the second lost")
            << QList<int>{-1, int(Cause::ServerLost)} << QStringList{"甲"} << 1;
    }
    void submitted()
    {
        QFETCH(QList<int>, firstOutcomes);
        QFETCH(QStringList, takenAtOnce);
        QFETCH(int, waiting);
        ScriptedStore store;
        for (int outcome : firstOutcomes)
            store.outcomes.push_back(outcome < 0 ? std::nullopt
                                                 : std::optional<Cause>(Cause(outcome)));
        WaitingRecords records;
        records.submit(QStringLiteral("记录甲"), store.write(QStringLiteral("甲")));
        records.submit(QStringLiteral("记录乙"), store.write(QStringLiteral("乙")));
        QCOMPARE(store.taken, takenAtOnce);
        QCOMPARE(records.count(), waiting);
        // The server answers again: everything arrives, in grading order.
        store.outcomes.clear();
        QVERIFY(records.retry().isEmpty());
        QCOMPARE(store.taken, (QStringList{"甲", "乙"}));
        QVERIFY(records.empty());
    }

    // Any other refusal is the grading's to tell at once: nothing waits.
    void otherRefusalsAreThrown()
    {
        ScriptedStore store;
        store.outcomes = {Cause::DiskFull};
        WaitingRecords records;
        QVERIFY_THROWS_EXCEPTION(StoreError, records.submit(QStringLiteral("记录甲"),
                                                            store.write(QStringLiteral("甲"))));
        QVERIFY(records.empty());
    }

    // A retry stops at the first record the server still cannot take, and a
    // record refused outright is told and dropped, never kept for ever.
    void retryKeepsOrderAndTellsRefusals()
    {
        ScriptedStore store;
        store.outcomes = {Cause::ServerLost};
        WaitingRecords records;
        QVERIFY(!records.submit(QStringLiteral("记录甲"), store.write(QStringLiteral("甲"))));
        QVERIFY(!records.submit(QStringLiteral("记录乙"), store.write(QStringLiteral("乙"))));
        QVERIFY(!records.submit(QStringLiteral("记录丙"), store.write(QStringLiteral("丙"))));
        QCOMPARE(records.what(), (QStringList{"记录甲", "记录乙", "记录丙"}));

        store.outcomes = {Cause::ServerLost};
        QVERIFY(records.retry().isEmpty());
        QCOMPARE(records.count(), 3);
        QVERIFY(store.taken.isEmpty());

        store.outcomes = {std::nullopt, Cause::Failed};
        const QStringList refused = records.retry();
        QCOMPARE(store.taken, (QStringList{"甲", "丙"}));
        QCOMPARE(refused.size(), 1);
        QVERIFY2(refused.first().startsWith(QStringLiteral("[软件提示]：记录乙没有保存")),
                 qPrintable(refused.first()));
        QVERIFY(records.empty());
    }
};

DRILLBAY_TEST(WaitingRecordsTest)
#include "WaitingRecordsTest.moc"
