#include "TestRegistry.h"

#include "reference/IdleTime.h"

#include <QTest>

class IdleTimeTest : public QObject
{
    Q_OBJECT

private slots:
    void statusText_data()
    {
        QTest::addColumn<qint64>("idleMs");
        QTest::addColumn<QString>("text");
        QTest::newRow("just moved") << qint64(0) << QString();
        QTest::newRow("clock went back") << qint64(-5000) << QString();
        QTest::newRow("10 s exactly") << qint64(10000) << QString();
        QTest::newRow("just over 10 s")
            << qint64(10001) << QStringLiteral("鼠标键盘未动作时间：0分10秒");
        QTest::newRow("10.5 s to even")
            << qint64(10500) << QStringLiteral("鼠标键盘未动作时间：0分10秒");
        QTest::newRow("10.6 s") << qint64(10600) << QStringLiteral("鼠标键盘未动作时间：0分11秒");
        QTest::newRow("11.5 s to even")
            << qint64(11500) << QStringLiteral("鼠标键盘未动作时间：0分12秒");
        QTest::newRow("59.5 s makes a minute")
            << qint64(59500) << QStringLiteral("鼠标键盘未动作时间：1分0秒");
        QTest::newRow("125 s") << qint64(125000) << QStringLiteral("鼠标键盘未动作时间：2分5秒");
        QTest::newRow("an hour") << qint64(3600000)
                                 << QStringLiteral("鼠标键盘未动作时间：60分0秒");
    }
    void statusText()
    {
        QFETCH(qint64, idleMs);
        QFETCH(QString, text);
        QCOMPARE(idle::statusText(idleMs), text);
    }
};

DRILLBAY_TEST(IdleTimeTest)
#include "IdleTimeTest.moc"
