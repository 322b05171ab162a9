#include "reference/JokeDecoder.h"
#include "TestRegistry.h"
#include "base/GbkText.h"
#include "strcodec.h"

#include <QTest>

class JokeDecoderTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void roundTripsThroughTheLibrary_data()
    {
        QTest::addColumn<QString>("joke");
        QTest::newRow("ascii") << QStringLiteral("ground first");
        QTest::newRow("chinese") << QStringLiteral("师傅说：先验电，再挂地线，最后才讲笑话。");
        QTest::newRow("longer than the key")
            << QStringLiteral("停电、验电、接地、悬挂标示牌和装设遮栏");
    }
    void roundTripsThroughTheLibrary()
    {
        QFETCH(QString, joke);
        const QByteArray stored(encode(gbk::encode(joke).constData()));
        QVERIFY(!stored.isEmpty());
        QCOMPARE(JokeDecoder::decode(QString::fromLatin1(stored)), joke);
    }

    void refusedValuesGiveEmptyText_data()
    {
        QTest::addColumn<QString>("stored");
        QTest::newRow("empty") << QString();
        QTest::newRow("odd length") << QStringLiteral("ABC");
        QTest::newRow("not hexadecimal") << QStringLiteral("ZZ");
        QTest::newRow("non-ascii") << QStringLiteral("笑话");
    }
    void refusedValuesGiveEmptyText()
    {
        QFETCH(QString, stored);
        QCOMPARE(JokeDecoder::decode(stored), QString());
    }

    // Decoding the key's own byte gives a zero byte, which would cut a C string short.
    void zeroByteIsRefused()
    {
        // First key byte is 0x3C: the stored pair "3C" decodes to 0.
        QCOMPARE(QByteArray(uncode("3C41")), QByteArray());
    }
};

DRILLBAY_TEST(JokeDecoderTest)
#include "JokeDecoderTest.moc"
