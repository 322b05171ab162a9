#include "base/GbkText.h"
#include "TestRegistry.h"

#include <QTest>

class GbkTextTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void byteLength_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("bytes");
        QTest::newRow("empty") << QString() << 0;
        QTest::newRow("ascii") << QStringLiteral("abc") << 3;
        QTest::newRow("hanzi") << QStringLiteral("安全") << 4;
        QTest::newRow("mixed") << QStringLiteral("A. 引线部分") << 11;
        QTest::newRow("full-width punctuation") << QStringLiteral("，。") << 4;
    }
    void byteLength()
    {
        QFETCH(QString, text);
        QFETCH(int, bytes);
        QCOMPARE(gbk::byteLength(text), bytes);
    }

    void cutKeepsWholeCharacters_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("max");
        QTest::addColumn<QString>("expected");
        QTest::newRow("fits") << QStringLiteral("ab安") << 4 << QStringLiteral("ab安");
        QTest::newRow("half a hanzi") << QStringLiteral("ab安") << 3 << QStringLiteral("ab");
        QTest::newRow("zero") << QStringLiteral("安") << 0 << QString();
        QTest::newRow("odd cut in hanzi run")
            << QStringLiteral("电力安全") << 5 << QStringLiteral("电力");
    }
    void cutKeepsWholeCharacters()
    {
        QFETCH(QString, text);
        QFETCH(int, max);
        QFETCH(QString, expected);
        QCOMPARE(gbk::cut(text, max), expected);
    }

    // Two-byte characters of every lead-byte range, including the ranges whose
    // lead or trail bytes lie below 0xA1, come back whole.
    void decodesEveryLeadByteRange_data()
    {
        QTest::addColumn<QByteArray>("gbkHex");
        QTest::addColumn<QString>("text");
        QTest::newRow("81-A0") << QByteArray("81408180a0fe") << QStringLiteral("丂亐狛");
        QTest::newRow("A1-A9") << QByteArray("a2d9a3aca8a1a996") << QStringLiteral("①，ā〇");
        QTest::newRow("AA-AF") << QByteArray("aa40afa0") << QStringLiteral("狜癄");
        QTest::newRow("B0-F7") << QByteArray("b0a1f7fe") << QStringLiteral("啊齄");
        QTest::newRow("F8-FE") << QByteArray("f840") << QStringLiteral("鳣");
        QTest::newRow("mixed with ascii")
            << QByteArray("b8df89bad44f82e4413130") << QStringLiteral("高壓設備A10");
    }
    void decodesEveryLeadByteRange()
    {
        QFETCH(QByteArray, gbkHex);
        QFETCH(QString, text);
        QCOMPARE(gbk::decode(QByteArray::fromHex(gbkHex)), text);
        QCOMPARE(gbk::encode(text), QByteArray::fromHex(gbkHex));
        QCOMPARE(gbk::byteLength(text), gbkHex.size() / 2);
    }

    void representable()
    {
        QVERIFY(gbk::representable(QStringLiteral("电力安全 ABC，。")));
        QVERIFY(!gbk::representable(QStringLiteral("safety \U0001F600")));
        // A failed check leaves the next one unaffected.
        QVERIFY(gbk::representable(QStringLiteral("电")));
    }

    void trimming_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("expected");
        QTest::newRow("controls") << QStringLiteral("\t\r\n abc \x01") << QStringLiteral("abc");
        QTest::newRow("inner kept") << QStringLiteral(" a b ") << QStringLiteral("a b");
        // The ideographic space is not a blank of ours.
        QTest::newRow("ideographic space") << QStringLiteral("　a") << QStringLiteral("　a");
        QTest::newRow("all blank") << QStringLiteral(" \t ") << QString();
    }
    void trimming()
    {
        QFETCH(QString, text);
        QFETCH(QString, expected);
        QCOMPARE(text::trimmed(text), expected);
    }

    void roundHalfEven_data()
    {
        QTest::addColumn<double>("value");
        QTest::addColumn<int>("expected");
        QTest::newRow("12.5") << 12.5 << 12;
        QTest::newRow("13.5") << 13.5 << 14;
        QTest::newRow("37.5") << 37.5 << 38;
        QTest::newRow("33.33") << 100.0 / 3 << 33;
        QTest::newRow("66.67") << 200.0 / 3 << 67;
        QTest::newRow("14.5 (1450 ms)") << 14.5 << 14;
        QTest::newRow("15.5 (1550 ms)") << 15.5 << 16;
        QTest::newRow("0.5") << 0.5 << 0;
        QTest::newRow("100") << 100.0 << 100;
    }
    void roundHalfEven()
    {
        QFETCH(double, value);
        QFETCH(int, expected);
        QCOMPARE(text::roundHalfEven(value), expected);
    }

    void twoDigits()
    {
        QCOMPARE(text::twoDigits(0), QStringLiteral("00"));
        QCOMPARE(text::twoDigits(9), QStringLiteral("09"));
        QCOMPARE(text::twoDigits(10), QStringLiteral("10"));
        QCOMPARE(text::twoDigits(120), QStringLiteral("120"));
    }
};

DRILLBAY_TEST(GbkTextTest)
#include "GbkTextTest.moc"
