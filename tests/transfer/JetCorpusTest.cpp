#include "LegacyFixture.h"
#include "TestRegistry.h"

#include "transfer/DataFileConverter.h"

#include <QDir>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QTest>

// Damaged Jet files never take the program down: the inputs the fuzzer kept
// (tests/transfer/corpus) and the older program's file with damaged pages are
// either converted or refused with a reason, and nothing is left half-written.
class JetCorpusTest : public QObject
{
    Q_OBJECT

private slots:
    void damagedFilesAreRefusedOrRead_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        const QDir corpus(sourceTreePath(QStringLiteral("tests/transfer/corpus")));
        for (const QFileInfo &file : corpus.entryInfoList(QDir::Files)) {
            QFile input(file.filePath());
            if (input.open(QIODevice::ReadOnly))
                QTest::newRow(qPrintable(file.fileName())) << input.readAll();
        }
        // Each page of the file in turn overwritten with noise, and every
        // 997th byte of the file changed.
        const QByteArray bank = legacyBankBytes();
        QRandomGenerator noise(19);
        for (qsizetype page = 0; page < bank.size() / 4096; ++page) {
            QByteArray damaged = bank;
            for (qsizetype at = page * 4096 + 64; at < (page + 1) * 4096; ++at)
                damaged[at] = char(noise.bounded(256));
            QTest::newRow(qPrintable(QStringLiteral("noise on page %1").arg(page))) << damaged;
        }
        QByteArray sprinkled = bank;
        for (qsizetype at = 4096; at < sprinkled.size(); at += 997)
            sprinkled[at] = char(sprinkled.at(at) ^ 0x5a);
        QTest::newRow("sprinkled") << sprinkled;
    }
    void damagedFilesAreRefusedOrRead()
    {
        QFETCH(QByteArray, bytes);
        QTemporaryDir dir;
        const QString source = dir.filePath(QStringLiteral("damaged.mdb"));
        QFile file(source);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(bytes);
        file.close();
        const QString target = dir.filePath(QStringLiteral("examination.mdb"));
        const DataFileConverter::Report report = DataFileConverter::convert(source, target);
        if (report.ok()) {
            QVERIFY(QFileInfo::exists(target));
        } else {
            QVERIFY(!QFileInfo::exists(target));
            QVERIFY2(report.error.contains(QStringLiteral("damaged.mdb")),
                     qPrintable(report.error));
        }
    }
};

DRILLBAY_TEST(JetCorpusTest)
#include "JetCorpusTest.moc"
