#include "ScriptedRandom.h"
#include "TestRegistry.h"

#include "reference/SloganMarquee.h"

#include <QTest>

class SloganMarqueeTest : public QObject
{
    Q_OBJECT

private slots:
    // From 709 the text needs 859 ticks (about 43 seconds) to reach -150.
    void initialTextLeavesAfter859Ticks()
    {
        ScriptedRandom random;
        random.script << 5;
        SloganMarquee marquee(random);
        QCOMPARE(marquee.x(), 709);
        QCOMPARE(marquee.text(), QStringLiteral("电力工作人员必备环节  电力安全高于一切"));
        for (int i = 0; i < 858; ++i)
            QVERIFY(!marquee.tick());
        QCOMPARE(marquee.x(), -149);
        QVERIFY(random.asked.isEmpty());
        QVERIFY(marquee.tick());
        QCOMPARE(random.asked, QList<int>{20});
        QCOMPARE(marquee.x(), 950);
        QCOMPARE(marquee.text(), QStringLiteral("安全是天  责任无边  "));
        // From 950 a pass takes 1100 ticks.
        for (int i = 0; i < 1099; ++i)
            marquee.tick();
        QCOMPARE(marquee.x(), -149);
        QCOMPARE(random.asked.size(), 1);
        marquee.tick();
        QCOMPARE(random.asked.size(), 2);
        QCOMPARE(marquee.x(), 950);
    }

    void drawChoosesTheText_data()
    {
        QTest::addColumn<int>("drawn");
        QTest::addColumn<QString>("text");
        const QString initial = QStringLiteral("电力工作人员必备环节  电力安全高于一切");
        QTest::newRow("0 keeps the text") << 0 << initial;
        QTest::newRow("1 keeps the text") << 1 << initial;
        QTest::newRow("2 first slogan") << 2 << QStringLiteral("三大规程血写成，切莫儿戏去验证  ");
        QTest::newRow("10") << 10 << QStringLiteral("反违章、除隐患、保安全、促生产  ");
        QTest::newRow("17 half-width semicolon")
            << 17 << QStringLiteral("一人安全，全家幸福;一人违章，大家遭殃  ");
        QTest::newRow("18 leading blank")
            << 18 << QStringLiteral(" 规程是生命之本，违章是安全祸根  ");
        QTest::newRow("19 last slogan")
            << 19 << QStringLiteral("反违章，除隐患;保安全，促生产。  ");
        // A source that answers outside the range changes nothing.
        QTest::newRow("20 out of range") << 20 << initial;
        QTest::newRow("-1 out of range") << -1 << initial;
    }
    void drawChoosesTheText()
    {
        QFETCH(int, drawn);
        QFETCH(QString, text);
        ScriptedRandom random;
        random.script << drawn;
        SloganMarquee marquee(random);
        bool changed = false;
        while (random.asked.isEmpty())
            changed = marquee.tick();
        QCOMPARE(marquee.text(), text);
        QCOMPARE(changed, text != SloganMarquee::kInitialText);
        QCOMPARE(marquee.x(), 950);
    }

    void eighteenSlogans()
    {
        QCOMPARE(SloganMarquee::slogans().size(), 18);
        for (const QString &slogan : SloganMarquee::slogans())
            QVERIFY2(slogan.endsWith(QLatin1String("  ")), qPrintable(slogan));
    }

    void clickStopsAndRestarts()
    {
        ScriptedRandom random;
        SloganMarquee marquee(random);
        marquee.tick();
        QCOMPARE(marquee.x(), 708);
        marquee.toggle();
        QVERIFY(!marquee.running());
        for (int i = 0; i < 2000; ++i)
            marquee.tick();
        QCOMPARE(marquee.x(), 708);
        QVERIFY(random.asked.isEmpty());
        marquee.toggle();
        QVERIFY(marquee.running());
        marquee.tick();
        QCOMPARE(marquee.x(), 707);
    }
};

DRILLBAY_TEST(SloganMarqueeTest)
#include "SloganMarqueeTest.moc"
