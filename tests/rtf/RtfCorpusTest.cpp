#include "RtfReader.h"
#include "TestRegistry.h"

#include <QDir>
#include <QFile>
#include <QTest>
#include <QTextDocument>

// Inputs the fuzzer found crashing, hanging or exhausting memory
// (tests/rtf/corpus, kept by scripts/fuzz) and the hand-made documents: each
// reads to its end, and what it makes stays in proportion to its bytes.
class RtfCorpusTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void input_data()
    {
        QTest::addColumn<QString>("path");
        for (const char *folder : {"corpus", "documents"}) {
            const QDir dir(QStringLiteral(DRILLBAY_SOURCE_DIR "/tests/rtf/") +
                           QLatin1String(folder));
            for (const QFileInfo &info : dir.entryInfoList(QDir::Files, QDir::Name)) {
                if (info.fileName() == QLatin1String("README.md"))
                    continue;
                QTest::newRow(
                    qPrintable(QLatin1String(folder) + QLatin1Char('/') + info.fileName()))
                    << info.absoluteFilePath();
            }
        }
    }
    void input()
    {
        QFETCH(QString, path);
        QFile file(path);
        QVERIFY(file.open(QIODevice::ReadOnly));
        const QByteArray bytes = file.readAll();
        QTextDocument document;
        rtf::readInto(bytes, document);
        const QString text = rtf::plainText(document);
        // The widest table row costs a few bytes of input for 64 cells; nothing
        // the reader makes grows faster.
        QVERIFY(text.size() <= 80 * bytes.size() + 1024);
        QVERIFY(document.characterCount() <= 80 * bytes.size() + 1024);
        // The same bytes read into a used document give the same text.
        QTextDocument again;
        again.setPlainText(u"left over"_qs);
        rtf::readInto(bytes, again);
        QCOMPARE(rtf::plainText(again), text);
    }
};

DRILLBAY_TEST(RtfCorpusTest)
#include "RtfCorpusTest.moc"
