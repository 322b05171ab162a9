#include "TestRegistry.h"

#include "LegacyFixture.h"
#include "transfer/JetHeader.h"
#include "transfer/JetValues.h"

#include <QTest>

// Stored Jet values decoded without the library: dates from their doubles,
// texts unit by unit.
class JetValuesTest : public QObject
{
    Q_OBJECT

private slots:
    // The first page's password as the older program wrote it: none in the
    // fixture, and any password of up to 20 characters read back as set.
    void headerPassword_data()
    {
        QTest::addColumn<QString>("password");
        QTest::newRow("none") << QString();
        QTest::newRow("latin") << QStringLiteral("abc");
        QTest::newRow("chinese and digits") << QStringLiteral("安全2026");
        QTest::newRow("twenty characters") << QStringLiteral("12345678901234567890");
    }
    void headerPassword()
    {
        QFETCH(QString, password);
        const QByteArray head = legacyBankBytes().left(jetheader::kBytesNeeded);
        QCOMPARE(jetheader::password(head), std::optional<QString>(QString()));
        const std::optional<QString> read =
            jetheader::password(jetheader::withPassword(head, password));
        QVERIFY(read.has_value());
        QCOMPARE(*read, password);
        // Too few bytes, or another version: no answer rather than a guess.
        QVERIFY(!jetheader::password(head.left(0x40)).has_value());
        QByteArray jet3 = head;
        jet3[0x14] = 0;
        QVERIFY(!jetheader::password(jet3).has_value());
    }

    void dates_data()
    {
        QTest::addColumn<double>("days");
        QTest::addColumn<QString>("text");
        QTest::newRow("the calendar's start") << 0.0 << QStringLiteral("1899-12-30T00:00:00");
        QTest::newRow("noon next day") << 1.5 << QStringLiteral("1899-12-31T12:00:00");
        QTest::newRow("a chapter of 2009")
            << 39874.38373842592 << QStringLiteral("2009-03-02T09:12:35");
        // Before the calendar's start the days count back, the time forwards.
        QTest::newRow("one day before, 06:00") << -1.25 << QStringLiteral("1899-12-29T06:00:00");
        QTest::newRow("1850, 18:30")
            << -18170.770833333332 << QStringLiteral("1850-04-01T18:30:00");
        QTest::newRow("year 1") << -693593.0 << QStringLiteral("0001-01-01T00:00:00");
        QTest::newRow("rounds up to midnight")
            << 2.9999999999 << QStringLiteral("1900-01-02T00:00:00");
        QTest::newRow("before year 1") << -700000.0 << QString();
        QTest::newRow("not a number") << std::nan("") << QString();
    }
    void dates()
    {
        QFETCH(double, days);
        QFETCH(QString, text);
        QCOMPARE(jet::dateText(days), text);
    }

    void texts_data()
    {
        QTest::addColumn<QByteArray>("stored");
        QTest::addColumn<QString>("text");
        QTest::newRow("empty, not NULL") << QByteArray() << QStringLiteral("");
        QTest::newRow("plain UTF-16") << QByteArray("A\0\x2d\x4e", 4) << QStringLiteral("A中");
        QTest::newRow("compressed ASCII")
            << QByteArray("\xff\xfe#12#40", 8) << QStringLiteral("#12#40");
        QTest::newRow("compressed, switching") << QByteArray("\xff\xfe"
                                                             "ab\0\x2d\x4e\0c",
                                                             9)
                                               << QStringLiteral("ab中c");
        // An extension character of GBK and a lone surrogate are kept unit by unit.
        QTest::newRow("GBK extension")
            << QByteArray("\x00\x4e\xb5\x4d", 4) << QString(QChar(0x4e00)) + QChar(0x4db5);
        QTest::newRow("lone surrogate") << QByteArray("\x00\xd8"
                                                      "a\0",
                                                      4)
                                        << QString(QChar(0xd800)) + QLatin1Char('a');
        QTest::newRow("odd byte at the end") << QByteArray("a\0b", 3) << QStringLiteral("a");
        QTest::newRow("quote") << QByteArray("\xff\xfe'\"", 4) << QStringLiteral("'\"");
    }
    void texts()
    {
        QFETCH(QByteArray, stored);
        QFETCH(QString, text);
        const QString decoded = jet::unicodeText(stored);
        QCOMPARE(decoded, text);
        QVERIFY(!decoded.isNull());
    }

    void longMemo()
    {
        // A memo of 72,000 characters, compressed and not.
        QString text;
        for (int i = 0; i < 72000; ++i)
            text.append(QChar(char16_t(0x4e00 + i % 2000)));
        QByteArray stored(reinterpret_cast<const char *>(text.utf16()), text.size() * 2);
        QCOMPARE(jet::unicodeText(stored), text);
    }

    void codePages()
    {
        QCOMPARE(jet::codePageText(QByteArray("\xd6\xd0\xce\xc4"), 936), QStringLiteral("中文"));
        QCOMPARE(jet::codePageText(QByteArray("caf\xe9"), 1252), QStringLiteral("café"));
        QVERIFY(!jet::codePageText(QByteArray(), 936).isNull());
    }
};

DRILLBAY_TEST(JetValuesTest)
#include "JetValuesTest.moc"
