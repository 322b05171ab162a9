#include "TestRegistry.h"

#include "practice/TickCountdown.h"

#include <QTest>

// The automatic move and the answer reveal count their 100 ms ticks here; an
// off-by-one moves on a tick early or reveals an answer a tick late.
class TickCountdownTest : public QObject
{
    Q_OBJECT

private slots:
    void reachesZeroOnTheReloadTick_data()
    {
        QTest::addColumn<int>("reload");
        QTest::addColumn<int>("ticksToZero");
        QTest::newRow("reveal, five tenths") << 5 << 5;
        QTest::newRow("shortest delay") << 3 << 3;
        QTest::newRow("longest delay") << 50 << 50;
        QTest::newRow("one tick") << 1 << 1;
        QTest::newRow("a zero reload fires at once") << 0 << 1;
    }
    void reachesZeroOnTheReloadTick()
    {
        QFETCH(int, reload);
        QFETCH(int, ticksToZero);
        TickCountdown countdown(reload);
        countdown.start();
        for (int i = 1; i < ticksToZero; ++i)
            QVERIFY(!countdown.tick());
        QVERIFY(countdown.tick());
        QVERIFY(!countdown.running());
        QCOMPARE(countdown.left(), reload);
    }

    void stoppedTicksDoNothing()
    {
        TickCountdown countdown(5);
        QVERIFY(!countdown.tick());
        QCOMPARE(countdown.left(), 5);
    }

    void stoppingEarlyReloads()
    {
        TickCountdown countdown(5);
        countdown.start();
        countdown.tick();
        countdown.tick();
        QCOMPARE(countdown.left(), 3);
        countdown.stop();
        QCOMPARE(countdown.left(), 5);
    }

    void restartingWhileRunningKeepsItsPlace()
    {
        TickCountdown countdown(5);
        countdown.start();
        countdown.tick();
        countdown.start();
        QCOMPARE(countdown.left(), 4);
    }

    void aNewReloadWaitsForTheNextReload()
    {
        TickCountdown countdown(14);
        countdown.start();
        countdown.tick();
        countdown.setReload(30);
        QCOMPARE(countdown.left(), 13);
        countdown.stop();
        QCOMPARE(countdown.left(), 30);
    }
};

DRILLBAY_TEST(TickCountdownTest)
#include "TickCountdownTest.moc"
