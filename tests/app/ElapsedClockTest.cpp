#include "app/ElapsedClock.h"
#include "TestRegistry.h"

#include <QTest>

class ElapsedClockTest : public QObject
{
    Q_OBJECT

private slots:
    void text_data()
    {
        QTest::addColumn<int>("ticks");
        QTest::addColumn<QString>("text");
        QTest::newRow("start") << 0 << "00:00:00";
        QTest::newRow("59 seconds") << 59 << "00:00:59";
        QTest::newRow("seconds roll over") << 60 << "00:01:00";
        QTest::newRow("59:59") << 3599 << "00:59:59";
        QTest::newRow("minutes roll over") << 3600 << "01:00:00";
        QTest::newRow("99:59:59") << 99 * 3600 + 59 * 60 + 59 << "99:59:59";
        QTest::newRow("three-digit hours") << 100 * 3600 << "100:00:00";
    }

    void text()
    {
        QFETCH(int, ticks);
        ElapsedClock clock;
        for (int i = 0; i < ticks; ++i)
            clock.tick();
        QTEST(clock.text(), "text");
        QCOMPARE(clock.hours() * 3600 + clock.minutes() * 60 + clock.seconds(), ticks);
    }

    void stopIsForGood()
    {
        ElapsedClock clock;
        clock.tick();
        clock.stop();
        for (int i = 0; i < 100; ++i)
            clock.tick();
        QVERIFY(clock.stopped());
        QCOMPARE(clock.text(), QStringLiteral("00:00:01"));
    }
};

DRILLBAY_TEST(ElapsedClockTest)
#include "ElapsedClockTest.moc"
