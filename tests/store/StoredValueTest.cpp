#include "StoredValue.h"
#include "DataError.h"
#include "TestRegistry.h"
#include "base/GbkText.h"
#include "store/QuestionCodec.h"

#include <QTest>
#include <strcodec.h>

// The generator writes only values that read back as their text, and names
// the value it refuses.
class StoredValueTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void questionTextsReadBack_data()
    {
        QTest::addColumn<QString>("text");
        QTest::newRow("traditional, low lead bytes") << QStringLiteral("高壓設備務必為了安全");
        QTest::newRow("simplified") << QStringLiteral("在高压设备上工作");
        QTest::newRow("blanks at the ends") << QStringLiteral("  電壓表 ");
        QTest::newRow("empty option") << QString();
    }
    void questionTextsReadBack()
    {
        QFETCH(QString, text);
        const QString stored =
            StoredValue::questionText(text, QStringLiteral("stem"), QStringLiteral("b.txt"), 3);
        QCOMPARE(decodeQuestionText(stored), text::trimmed(text));
        const QByteArray bytes = gbk::encode(text::trimmed(text));
        QCOMPARE(StoredValue::questionBytes(bytes), stored);
    }

    void refusedValuesAreNamed_data()
    {
        QTest::addColumn<QString>("kind");
        QTest::addColumn<QString>("value");
        QTest::addColumn<QString>("message");
        QTest::newRow("stem beyond GBK")
            << QStringLiteral("stem") << QStringLiteral("安全\U0001F600")
            << QStringLiteral("b.txt:3: the stem \"安全\U0001F600\" does not read back");
        QTest::newRow("empty joke") << QStringLiteral("joke") << QStringLiteral("  ")
                                    << QStringLiteral("j.txt:7: the joke is empty");
        QTest::newRow("joke with a zero character")
            << QStringLiteral("joke")
            << QStringLiteral("先验电") + QChar(0) + QStringLiteral("再接地")
            << QStringLiteral("j.txt:7: the joke \"先验电");
        QTest::newRow("joke beyond GBK")
            << QStringLiteral("joke") << QStringLiteral("笑\U0001F600")
            << QStringLiteral("j.txt:7: the joke \"笑\U0001F600\" holds a character that GBK");
    }
    void refusedValuesAreNamed()
    {
        QFETCH(QString, kind);
        QFETCH(QString, value);
        QFETCH(QString, message);
        try {
            if (kind == QLatin1String("joke"))
                StoredValue::joke(value, QStringLiteral("j.txt"), 7);
            else
                StoredValue::questionText(value, kind, QStringLiteral("b.txt"), 3);
            QFAIL("the value was accepted");
        } catch (const DataError &error) {
            QVERIFY2(error.message().startsWith(message), qPrintable(error.message()));
        }
    }

    void jokesReadBackThroughTheLibrary()
    {
        // Longer than the rolling key many times over, with low lead bytes.
        const QString joke = QStringLiteral("師傅說：高壓設備務必先驗電。").repeated(30);
        const QString stored = StoredValue::joke(joke, QStringLiteral("j.txt"), 1);
        QCOMPARE(gbk::decode(QByteArray(uncode(stored.toLatin1().constData()))), joke);
    }
};

DRILLBAY_TEST(StoredValueTest)
#include "StoredValueTest.moc"
