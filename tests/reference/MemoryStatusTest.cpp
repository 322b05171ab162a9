#include "TestRegistry.h"

#include "reference/MemoryStatus.h"

#include <QTemporaryDir>
#include <QTest>

class MemoryStatusTest : public QObject
{
    Q_OBJECT

private slots:
    void figures_data()
    {
        QTest::addColumn<QByteArray>("meminfo");
        QTest::addColumn<QStringList>("figures"); // load, total, available, swap
        QTest::newRow("typical")
            << QByteArray("MemTotal:       16303412 kB\nMemFree:          812344 kB\n"
                          "MemAvailable:   10262764 kB\nBuffers:          123 kB\n"
                          "SwapTotal:       2097148 kB\nSwapFree:        2097148 kB\n")
            << QStringList{QStringLiteral("37%"), QStringLiteral("15921M"),
                           QStringLiteral("10022M"), QStringLiteral("2048M")};
        // 1.5 MiB to 2, 2.5 MiB to 2; a load of exactly 50 %.
        QTest::newRow("halves to even")
            << QByteArray("MemTotal: 5120 kB\nMemAvailable: 2560 kB\nSwapFree: 1536 kB\n")
            << QStringList{QStringLiteral("50%"), QStringLiteral("5M"), QStringLiteral("2M"),
                           QStringLiteral("2M")};
        QTest::newRow("no swap")
            << QByteArray("MemTotal: 1024 kB\nMemAvailable: 1024 kB\nSwapFree: 0 kB\n")
            << QStringList{QStringLiteral("0%"), QStringLiteral("1M"), QStringLiteral("1M"),
                           QStringLiteral("0M")};
        QTest::newRow("fields missing or unreadable")
            << QByteArray("MemTotal: lots kB\nSwapFree: 12 MB\nnonsense\n:\n")
            << QStringList{QStringLiteral("未知"), QStringLiteral("未知"), QStringLiteral("未知"),
                           QStringLiteral("未知")};
        QTest::newRow("available above total")
            << QByteArray("MemTotal: 1024 kB\nMemAvailable: 2048 kB\n")
            << QStringList{QStringLiteral("未知"), QStringLiteral("1M"), QStringLiteral("2M"),
                           QStringLiteral("未知")};
        QTest::newRow("overflowing number")
            << QByteArray(
                   "MemTotal: 99999999999999999999 kB\nMemAvailable: 9223372036854775807 kB\n")
            << QStringList{QStringLiteral("未知"), QStringLiteral("未知"), QStringLiteral("未知"),
                           QStringLiteral("未知")};
        QTest::newRow("empty") << QByteArray()
                               << QStringList{QStringLiteral("未知"), QStringLiteral("未知"),
                                              QStringLiteral("未知"), QStringLiteral("未知")};
    }
    void figures()
    {
        QFETCH(QByteArray, meminfo);
        QFETCH(QStringList, figures);
        const MemoryStatus status = MemoryStatus::parse(meminfo);
        QCOMPARE((QStringList{status.loadText(), status.totalText(), status.availableText(),
                              status.freeSwapText()}),
                 figures);
    }

    void unreadableFileGivesNoFigures()
    {
        QTemporaryDir dir;
        const MemoryStatus status = MemoryStatus::read(dir.filePath(QStringLiteral("none")));
        QVERIFY(!status.totalBytes && !status.availableBytes && !status.freeSwapBytes);
    }

    void thisMachineHasFigures()
    {
        const MemoryStatus status = MemoryStatus::read();
        QVERIFY(status.totalBytes && *status.totalBytes > 0);
        QVERIFY(status.loadText().endsWith(QLatin1Char('%')));
    }
};

DRILLBAY_TEST(MemoryStatusTest)
#include "MemoryStatusTest.moc"
