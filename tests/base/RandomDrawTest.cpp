#include "ScriptedRandom.h"
#include "TestRegistry.h"

#include "base/RandomSource.h"

#include <QSet>
#include <QTest>

// Random practice, mock draws and paper composition all draw through
// draw::withoutRepeats: a repeat or an overrun would put one question twice
// on a paper or read past a bank.
class RandomDrawTest : public QObject
{
    Q_OBJECT

private slots:
    void scriptedDraws_data()
    {
        QTest::addColumn<int>("population");
        QTest::addColumn<int>("count");
        QTest::addColumn<QList<int>>("script");
        QTest::addColumn<QList<int>>("drawn");
        QTest::addColumn<QList<int>>("asked");
        QTest::newRow("zeros keep the stored order")
            << 5 << 3 << QList<int>{} << QList<int>{0, 1, 2} << QList<int>{5, 4, 3};
        QTest::newRow("the last place holds what was swapped out of the front")
            << 4 << 4 << QList<int>{3, 2, 1, 0} << QList<int>{3, 0, 1, 2} << QList<int>{4, 3, 2, 1};
        QTest::newRow("a swapped position is drawn from its new place")
            << 4 << 2 << QList<int>{1, 0} << QList<int>{1, 0} << QList<int>{4, 3};
        QTest::newRow("more asked than there are")
            << 2 << 5 << QList<int>{1, 0} << QList<int>{1, 0} << QList<int>{2, 1};
        QTest::newRow("numbers out of range wrap instead of overrunning")
            << 3 << 3 << QList<int>{7, -1, 99} << QList<int>{1, 2, 0} << QList<int>{3, 2, 1};
        QTest::newRow("nothing to draw from")
            << 0 << 3 << QList<int>{} << QList<int>{} << QList<int>{};
        QTest::newRow("nothing asked") << 3 << 0 << QList<int>{} << QList<int>{} << QList<int>{};
    }
    void scriptedDraws()
    {
        QFETCH(int, population);
        QFETCH(int, count);
        QFETCH(QList<int>, script);
        QFETCH(QList<int>, drawn);
        QFETCH(QList<int>, asked);
        ScriptedRandom random;
        random.script = script;
        QCOMPARE(draw::withoutRepeats(random, population, count), drawn);
        QCOMPARE(random.asked, asked);
    }

    void seededDrawsNeverRepeat()
    {
        SeededRandom random(20261209);
        for (int round = 0; round < 50; ++round) {
            const QList<int> drawn = draw::withoutRepeats(random, 300, 120);
            QCOMPARE(drawn.size(), 120);
            const QSet<int> distinct(drawn.cbegin(), drawn.cend());
            QCOMPARE(distinct.size(), 120);
            for (int position : drawn)
                QVERIFY(position >= 0 && position < 300);
        }
    }
};

DRILLBAY_TEST(RandomDrawTest)
#include "RandomDrawTest.moc"
