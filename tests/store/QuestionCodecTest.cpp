#include "store/QuestionCodec.h"
#include "TestRegistry.h"
#include "base/GbkText.h"

#include <QRandomGenerator>
#include <QTest>

namespace {

// What the stored value says read the long way: its bytes, then the text decoder.
QString byteFormOf(const QString &stored)
{
    QByteArray plain;
    if (!codec::decodeBytes(stored.toLatin1(), plain))
        return {};
    return gbk::decode(plain);
}

} // namespace

// Expected values below were worked out by hand: the four key letters combine to
// 0x57 ^ 0x45 ^ 0x58 ^ 0x4F = 0x05, and the length mask is (2n) mod 256.
class QuestionCodecTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void encodesKnownVectors_data()
    {
        QTest::addColumn<QString>("plain");
        QTest::addColumn<QString>("encoded");
        QTest::newRow("empty") << QString() << QString();
        QTest::newRow("blanks only") << QStringLiteral(" \t\r\n ") << QString();
        // n=3, L=6: 0x61^0x05^0x06 = 0x62 ...
        QTest::newRow("abc") << QStringLiteral("abc") << QStringLiteral("626160");
        // n=4, L=8: shares no prefix with "abc".
        QTest::newRow("abcd") << QStringLiteral("abcd") << QStringLiteral("6C6F6E69");
        QTest::newRow("trimmed") << QStringLiteral("  abc \t") << QStringLiteral("626160");
        // 电 = B5 E7 in GBK; n=2, L=4.
        QTest::newRow("one hanzi") << QStringLiteral("电") << QStringLiteral("B4E6");
        // 41 2E 20 D2 FD CF DF B2 BF B7 D6; n=11, L=0x16, mix 0x13.
        QTest::newRow("mixed") << QStringLiteral("A. 引线部分")
                               << QStringLiteral("523D33C1EEDCCCA1ACA4C5");
        // Full-width digits A3B1 A3B2; n=4, L=8, mix 0x0D.
        QTest::newRow("full-width") << QStringLiteral("１２") << QStringLiteral("AEBCAEBF");
        // 64 bytes: L = 128, 0x41^0x05^0x80 = 0xC4.
        QTest::newRow("64 bytes") << QString(64, QLatin1Char('A'))
                                  << QStringLiteral("C4").repeated(64);
        // 128 bytes: L = 0, only the key enters: 0x41^0x05 = 0x44.
        QTest::newRow("128 bytes")
            << QString(128, QLatin1Char('A')) << QStringLiteral("44").repeated(128);
        // 256 bytes: L = 0 again.
        QTest::newRow("256 bytes")
            << QString(256, QLatin1Char('A')) << QStringLiteral("44").repeated(256);
    }

    void encodesKnownVectors()
    {
        QFETCH(QString, plain);
        QFETCH(QString, encoded);
        QCOMPARE(encodeQuestionText(plain), encoded);
        QCOMPARE(decodeQuestionText(encoded), plain.trimmed());
    }

    // GBK's lead bytes run from 0x81 to 0xFE; one character from each range,
    // and the texts that once decoded to nothing.
    void decodesEveryLeadByteRange_data()
    {
        QTest::addColumn<QString>("plain");
        QTest::addColumn<QByteArray>("gbkHex");
        QTest::newRow("81: first lead byte") << QStringLiteral("丂") << QByteArray("8140");
        QTest::newRow("81-A0, trail above A0") << QStringLiteral("亐") << QByteArray("8180");
        QTest::newRow("A0: last lead below A1") << QStringLiteral("狛") << QByteArray("a0fe");
        QTest::newRow("A1-A7 symbols") << QStringLiteral("①，") << QByteArray("a2d9a3ac");
        QTest::newRow("A8-A9 pinyin, zero") << QStringLiteral("ā〇") << QByteArray("a8a1a996");
        QTest::newRow("AA-AF, trail below A1") << QStringLiteral("狜癄") << QByteArray("aa40afa0");
        QTest::newRow("B0-F7 first") << QStringLiteral("啊") << QByteArray("b0a1");
        QTest::newRow("B0-F7 last") << QStringLiteral("齄") << QByteArray("f7fe");
        QTest::newRow("F8-FE") << QStringLiteral("鳣") << QByteArray("f840");
        QTest::newRow("高壓設備") << QStringLiteral("高壓設備") << QByteArray("b8df89bad44f82e4");
        QTest::newRow("電壓表") << QStringLiteral("電壓表") << QByteArray("eb8a89bab1ed");
        QTest::newRow("為了安全") << QStringLiteral("為了安全") << QByteArray("9ee9c1cbb0b2c8ab");
        QTest::newRow("務必") << QStringLiteral("務必") << QByteArray("84d5b1d8");
        QTest::newRow("mixed with ascii")
            << QStringLiteral("A.務必在10kV設備") << QByteArray("412e84d5b1d8d4da31306b56d44f82e4");
    }
    void decodesEveryLeadByteRange()
    {
        QFETCH(QString, plain);
        QFETCH(QByteArray, gbkHex);
        QCOMPARE(gbk::encode(plain), QByteArray::fromHex(gbkHex));
        const QString stored = encodeQuestionText(plain);
        QCOMPARE(stored.size(), gbkHex.size());
        QCOMPARE(decodeQuestionText(stored), plain);
        QByteArray bytes;
        QVERIFY(codec::decodeBytes(stored.toLatin1(), bytes));
        QCOMPARE(bytes, QByteArray::fromHex(gbkHex));
    }

    void decodesInvalidValuesToEmpty_data()
    {
        QTest::addColumn<QString>("stored");
        QTest::newRow("odd length") << QStringLiteral("62616");
        QTest::newRow("non-hex") << QStringLiteral("6Z6160");
        QTest::newRow("non-ascii") << QStringLiteral("62电6");
        // One byte B5 (n=1, L=2): stored B5^05^02 = B2; a lead byte with nothing after it.
        QTest::newRow("lone final lead byte") << QStringLiteral("B2");
        // Three bytes B5 E7 B5 (n=3, L=6, mix 0x03): B6 E4 B6; the last lead stands alone.
        QTest::newRow("lead byte after a pair") << QStringLiteral("B6E4B6");
        // The lowest lead byte 81 alone (n=1, L=2): 81^05^02 = 86.
        QTest::newRow("lone final lead 81") << QStringLiteral("86");
        // B8 DF 89 (n=3, L=6, mix 0x03): BB DC 8A; the lead 89 has nothing after it.
        QTest::newRow("lead 89 after a pair") << QStringLiteral("BBDC8A");
    }

    void decodesInvalidValuesToEmpty()
    {
        QFETCH(QString, stored);
        QCOMPARE(decodeQuestionText(stored), QString());
    }

    // The one-pass decoder gives what the byte form gives, also for bytes that
    // its table does not know and at the lengths where the mask wraps.
    void decodesAsTheByteFormDoes_data()
    {
        QTest::addColumn<QByteArray>("plainGbk");
        QTest::newRow("80 between letters") << QByteArray("a\x80"
                                                          "b");
        QTest::newRow("FF alone") << QByteArray("\xFF");
        QTest::newRow("FF after a hanzi") << QByteArray("\xB5\xE7\xFF");
        QTest::newRow("lead before a digit") << QByteArray("\xB5"
                                                           "0x");
        QTest::newRow("lead before 7F") << QByteArray("\xB5\x7F");
        QTest::newRow("lead before FF") << QByteArray("\xB5\xFF");
        QTest::newRow("lead before a lead") << QByteArray("\xB5\xB5");
        QTest::newRow("last lead, last trail") << QByteArray("\xFE\xFE");
        QTest::newRow("first lead, first trail") << QByteArray("\x81\x40");
        QTest::newRow("hanzi at the end") << QByteArray("abc\xB5\xE7");
        QTest::newRow("blanks inside") << QByteArray("a\tb\nc \x01"
                                                     "d");
        const QByteArray hanzi("\xB5\xE7");
        QTest::newRow("63 bytes") << QByteArray(61, 'a') + hanzi;
        QTest::newRow("127 bytes") << QByteArray(125, 'a') + hanzi;
        QTest::newRow("128 bytes, mask 0") << hanzi.repeated(64);
        QTest::newRow("129 bytes") << QByteArray("a") + hanzi.repeated(64);
        QTest::newRow("hanzi across byte 128") << QByteArray(127, 'a') + hanzi + "b";
        QTest::newRow("255 bytes") << QByteArray(253, 'a') + hanzi;
        QTest::newRow("256 bytes") << hanzi.repeated(128);
    }
    void decodesAsTheByteFormDoes()
    {
        QFETCH(QByteArray, plainGbk);
        const QString stored = QString::fromLatin1(codec::encodeBytes(plainGbk));
        QVERIFY(!stored.isEmpty());
        QCOMPARE(decodeQuestionText(stored), byteFormOf(stored));
        QCOMPARE(decodeQuestionText(stored.toLower()), byteFormOf(stored));
        QCOMPARE(decodeQuestionText(QStringLiteral(" \t") + stored + QStringLiteral("\r\n")),
                 byteFormOf(stored));
    }

    // Values that are not an encoding, however far the decoder got before it met the fault.
    void decodesDamageAnywhereToEmpty_data()
    {
        QTest::addColumn<QString>("stored");
        // "电" is B4E6 (n=2, L=4), "a" alone is 66 (n=1, L=2).
        QTest::newRow("non-hex in a trail pair") << QStringLiteral("B4G6");
        QTest::newRow("non-ascii in a trail pair") << QStringLiteral("B4E") + QChar(0x0136);
        QTest::newRow("wide digit") << QStringLiteral("B4E６");
        QTest::newRow("Latin-1 letter") << QStringLiteral("B4E") + QChar(0x00C6);
        // A byte 80 first (with L=6: 80^05^06 = 83), then a fault further on.
        QTest::newRow("unknown byte, then non-hex") << QStringLiteral("83626Z");
        // 80 then the lead B5 alone (L=4: 81, B4).
        QTest::newRow("unknown byte, then a lone lead") << QStringLiteral("81B4");
        QTest::newRow("blank inside") << QStringLiteral("6261 60");
    }
    void decodesDamageAnywhereToEmpty()
    {
        QFETCH(QString, stored);
        QCOMPARE(decodeQuestionText(stored), QString());
        QCOMPARE(byteFormOf(stored), QString());
    }

    // Many texts of every kind of byte, drawn the same way each run.
    void decodesDrawnTextsAsTheByteFormDoes()
    {
        QRandomGenerator random(16);
        for (int text = 0; text < 3000; ++text) {
            QByteArray plain;
            const int length = static_cast<int>(random.bounded(1, 300));
            for (int i = 0; i < length; ++i) {
                const quint32 kind = random.bounded(10);
                if (kind < 4)
                    plain.append(static_cast<char>(random.bounded(0x21, 0x80)));
                else if (kind < 9)
                    plain.append(static_cast<char>(random.bounded(0xB0, 0xF8)))
                        .append(static_cast<char>(random.bounded(0xA1, 0xFF)));
                else
                    plain.append(static_cast<char>(random.bounded(0x80, 0x100)));
            }
            const QString stored = QString::fromLatin1(codec::encodeBytes(plain));
            QCOMPARE(decodeQuestionText(stored), byteFormOf(stored));
        }
    }

    void decodingTrimsAndAcceptsLowerCase()
    {
        QCOMPARE(decodeQuestionText(QStringLiteral("  626160 \r\n")), QStringLiteral("abc"));
        QCOMPARE(decodeQuestionText(QStringLiteral("b4e6")), QStringLiteral("电"));
    }

    void roundTripsRegulationText()
    {
        const QString text =
            QStringLiteral("在10kV设备上工作，人员与带电体的安全距离不得小于0.70m。<BR>"
                           "（　）“止步，高压危险！”");
        QCOMPARE(decodeQuestionText(encodeQuestionText(text)), text);
    }
};

DRILLBAY_TEST(QuestionCodecTest)
#include "QuestionCodecTest.moc"
