#include "exam/Countdown.h"
#include "TestRegistry.h"
#include "base/Beeper.h"

#include <QSignalSpy>
#include <QTest>

namespace {

class RecordingBeeper : public Beeper
{
public:
    void beep(int hz, int ms) override { tones << qMakePair(hz, ms); }
    QList<QPair<int, int>> tones;
};

} // namespace

class CountdownTest : public QObject
{
    Q_OBJECT

private slots:
    void label_data()
    {
        QTest::addColumn<int>("remaining");
        QTest::addColumn<QString>("label");
        QTest::newRow("59:59") << 3599 << "59:59";
        QTest::newRow("10:00") << 600 << "10:00";
        QTest::newRow("01:00") << 60 << "01:00";
        QTest::newRow("09:05") << 545 << "09:05";
        QTest::newRow("120:00") << 7200 << "120:00";
        QTest::newRow("0:59") << 59 << "0:59";
        QTest::newRow("0:1") << 1 << "0:1";
    }
    void label()
    {
        QFETCH(int, remaining);
        QFETCH(QString, label);
        QCOMPARE(Countdown::labelFor(remaining), label);
    }

    void run_data()
    {
        QTest::addColumn<int>("minutes");
        QTest::addColumn<int>("ticks");          // ticks until zero
        QTest::addColumn<QStringList>("labels"); // after ticks 1, 2, ...
        QTest::addColumn<QList<int>>("toneTicks");

        QTest::newRow("60 minutes")
            << 60 << 3600 << QStringList{"59:59", "59:58"} << QList<int>{3540, 3570, 3600};
        QTest::newRow("1 minute") << 1 << 60 << QStringList{"0:59", "0:58"} << QList<int>{30, 60};
        QTest::newRow("2 minutes") << 2 << 120 << QStringList{"01:59"} << QList<int>{60, 90, 120};
        QTest::newRow("0 minutes grades at once") << 0 << 1 << QStringList{"00:00"} << QList<int>{};
    }
    void run()
    {
        QFETCH(int, minutes);
        QFETCH(int, ticks);
        QFETCH(QStringList, labels);
        QFETCH(QList<int>, toneTicks);

        RecordingBeeper beeper;
        Countdown countdown(&beeper);
        QSignalSpy expired(&countdown, &Countdown::expired);
        QSignalSpy running(&countdown, &Countdown::runningChanged);
        countdown.start(minutes);
        QVERIFY(countdown.isRunning());
        QCOMPARE(countdown.label(),
                 minutes > 0 ? Countdown::labelFor(minutes * 60) : QStringLiteral("00:00"));

        QList<int> toneAt;
        QStringList shown;
        int tick = 0;
        int zeroAt = 0;
        while (tick < ticks + 5) {
            ++tick;
            const qsizetype before = beeper.tones.size();
            if (countdown.tick() && zeroAt == 0)
                zeroAt = tick;
            if (beeper.tones.size() > before)
                toneAt << tick;
            shown << countdown.label();
            if (minutes == 60 && tick == 3540)
                QCOMPARE(countdown.label(), QStringLiteral("01:00"));
            if (minutes == 60 && tick == 3541)
                QCOMPARE(countdown.label(), QStringLiteral("0:59"));
            if (minutes == 60 && tick == 3599)
                QCOMPARE(countdown.label(), QStringLiteral("0:1"));
        }
        QCOMPARE(shown.mid(0, labels.size()), labels);
        QCOMPARE(zeroAt, ticks);
        QCOMPARE(expired.count(), 1);
        QCOMPARE(toneAt, toneTicks);
        for (const auto &tone : beeper.tones)
            QCOMPARE(tone, qMakePair(2000, 100));
        QVERIFY(!countdown.isRunning());
        QCOMPARE(countdown.label(), QStringLiteral("00:00"));
        QCOMPARE(running.count(), 2); // on at the start, off at zero
    }

    void stopKeepsLabelAndIgnoresTicks()
    {
        Countdown countdown;
        countdown.start(1);
        for (int i = 0; i < 5; ++i)
            countdown.tick();
        countdown.stop();
        QSignalSpy labels(&countdown, &Countdown::labelChanged);
        QVERIFY(!countdown.tick());
        QCOMPARE(countdown.label(), QStringLiteral("0:55"));
        QCOMPARE(countdown.remaining(), 55);
        QCOMPARE(labels.count(), 0);
    }

    void restartSetsTimeAnew()
    {
        Countdown countdown;
        countdown.start(1);
        for (int i = 0; i < 50; ++i)
            countdown.tick();
        QSignalSpy labels(&countdown, &Countdown::labelChanged);
        countdown.start(2);
        // The new time shows at once, before the first tick.
        QCOMPARE(countdown.label(), QStringLiteral("02:00"));
        QCOMPARE(labels.count(), 1);
        countdown.tick();
        QCOMPARE(countdown.label(), QStringLiteral("01:59"));
        QVERIFY(countdown.isRunning());
    }
};

DRILLBAY_TEST(CountdownTest)
#include "CountdownTest.moc"
