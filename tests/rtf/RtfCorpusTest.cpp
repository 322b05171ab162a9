#include "RtfReader.h"
#include "SourceTree.h"
#include "TestRegistry.h"
#include "fuzz/BudgetCheck.h"

#include <QDir>
#include <QFile>
#include <QTest>
#include <QTextDocument>

// Inputs the fuzzer found crashing, hanging or exhausting memory
// (tests/rtf/corpus, kept by scripts/fuzz), the hand-made documents and the
// hostile ones (tests/rtf/hostile: each construct that once cost without
// bound, many times over): each reads to its end, within the budget of a
// document, and what it makes stays in proportion to its bytes.
class RtfCorpusTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void input_data()
    {
        QTest::addColumn<QString>("path");
        for (const char *folder : {"corpus", "documents", "hostile"}) {
            const QDir dir(sourceTreePath(QStringLiteral("tests/rtf/")) + QLatin1String(folder));
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
        rtf::Tally tally;
        rtf::ReadOptions options;
        options.tally = &tally;
        rtf::readInto(bytes, document, options);
        const QString text = rtf::plainText(document);
        const QString over = rtf::overBudget(document, text, tally, options.limits, bytes.size());
        QVERIFY2(over.isEmpty(), qPrintable(over));
        // The same bytes read into a used document give the same text.
        QTextDocument again;
        again.setPlainText(u"left over"_qs);
        rtf::readInto(bytes, again);
        QCOMPARE(rtf::plainText(again), text);
    }
};

DRILLBAY_TEST(RtfCorpusTest)
#include "RtfCorpusTest.moc"
