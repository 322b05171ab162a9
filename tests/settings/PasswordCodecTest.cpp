#include "settings/PasswordCodec.h"
#include "TestRegistry.h"

#include <QTest>

// Hand-computed vectors: only the key text's last character, '4' = 0x34,
// enters the result, so every GBK byte b is stored as b ^ 0x34 in two
// upper-case hexadecimal digits.
class PasswordCodecTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void encodesKnownVectors_data()
    {
        QTest::addColumn<QString>("password");
        QTest::addColumn<QString>("stored");
        QTest::newRow("empty") << QString() << QString();
        QTest::newRow("blanks only") << QStringLiteral("  \t \r\n") << QString();
        // 'a' 0x61^0x34 = 0x55, 'b' 0x62 -> 0x56, 'c' 0x63 -> 0x57.
        QTest::newRow("abc") << QStringLiteral("abc") << QStringLiteral("555657");
        QTest::newRow("trimmed") << QStringLiteral("  abc \t") << QStringLiteral("555657");
        // Case-sensitive: 'A' 0x41 -> 0x75, 'B' -> 0x76, 'C' -> 0x77.
        QTest::newRow("upper case") << QStringLiteral("ABC") << QStringLiteral("757677");
        // A leading blank is not part of the password (" ab" is stored as "ab").
        QTest::newRow("leading blank") << QStringLiteral(" ab") << QStringLiteral("5556");
        // '4' is the key character itself: 0x34^0x34 = 0x00; 'z' 0x7A -> 0x4E (upper-case hex).
        QTest::newRow("zero byte and letters") << QStringLiteral("4z") << QStringLiteral("004E");
        // 电 = B5 E7 in GBK: 0xB5^0x34 = 0x81, 0xE7^0x34 = 0xD3.
        QTest::newRow("one hanzi") << QStringLiteral("电") << QStringLiteral("81D3");
        // 电 B5 E7, '1' 0x31 -> 0x05.
        QTest::newRow("mixed") << QStringLiteral("电1") << QStringLiteral("81D305");
        // The initial password of the sample database:
        // d 64->50 r 72->46 i 69->5D l 6C->58 l 6C->58 b 62->56 a 61->55 y 79->4D.
        QTest::newRow("initial password")
            << QStringLiteral("drillbay") << QStringLiteral("50465D585856554D");
        // An inner blank stays: ' ' 0x20 -> 0x14.
        QTest::newRow("inner blank") << QStringLiteral("a b") << QStringLiteral("551456");
    }

    void encodesKnownVectors()
    {
        QFETCH(QString, password);
        QFETCH(QString, stored);
        QCOMPARE(encodePassword(password), stored);
    }

    void onlyTheLastKeyCharacterCounts()
    {
        // A chained exclusive-or over all thirteen key characters would give a
        // different byte; the stored form keeps b ^ '4' alone.
        unsigned char chained = 'a';
        for (const char *k = password::kKeyText; *k; ++k)
            chained ^= static_cast<unsigned char>(*k);
        QVERIFY(chained != 0x55);
        QCOMPARE(encodePassword(QStringLiteral("a")), QStringLiteral("55"));
        QCOMPARE(QByteArray(password::kKeyText).size(), 13);
    }

    void lengthIsTwoDigitsPerGbkByte()
    {
        QCOMPARE(encodePassword(QStringLiteral("密码abc")).size(), 2 * (4 + 3));
    }
};

DRILLBAY_TEST(PasswordCodecTest)
#include "PasswordCodecTest.moc"
