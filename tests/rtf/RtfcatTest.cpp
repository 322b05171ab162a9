#include "TestRegistry.h"

#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

// The command-line reader: its output and exit codes.
class RtfcatTest : public QObject
{
    Q_OBJECT

private:
    struct Run
    {
        int exitCode = -1;
        QByteArray out;
        QByteArray err;
    };
    static Run run(const QStringList &arguments)
    {
        QProcess process;
        process.start(QStringLiteral(DRILLBAY_RTFCAT), arguments);
        Run result;
        if (!process.waitForFinished(60000))
            return result;
        result.exitCode = process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -2;
        result.out = process.readAllStandardOutput();
        result.err = process.readAllStandardError();
        return result;
    }

private Q_SLOTS:
    void printsTheTextInUtf8()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath(u"doc.rtf"_qs);
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(
            "{\\rtf1\\ansi\\ansicpg936 \\'b5\\'e7\\par\\trowd\\cellx9\\cellx19\\intbl a\\cell "
            "b\\cell\\row\\pard{\\pict\\wmetafile8\\picwgoal300\\pichgoal150 01}}");
        file.close();
        const Run result = run({path});
        QCOMPARE(result.exitCode, 0);
        QCOMPARE(QString::fromUtf8(result.out), u"电\na\tb\n[图片 20×10]\n"_qs);
    }

    void refuses_data()
    {
        QTest::addColumn<QByteArray>("content");
        QTest::addColumn<bool>("create");
        QTest::addColumn<QByteArray>("message");
        QTest::newRow("missing file") << QByteArray() << false << QByteArray("cannot read");
        QTest::newRow("not RTF") << QByteArray("plain words") << true
                                 << QByteArray("is not an RTF document");
        QTest::newRow("empty file") << QByteArray() << true << QByteArray("is not an RTF document");
    }
    void refuses()
    {
        QFETCH(QByteArray, content);
        QFETCH(bool, create);
        QFETCH(QByteArray, message);
        QTemporaryDir dir;
        const QString path = dir.filePath(u"doc.rtf"_qs);
        if (create) {
            QFile file(path);
            QVERIFY(file.open(QIODevice::WriteOnly));
            file.write(content);
        }
        const Run result = run({path});
        QCOMPARE(result.exitCode, 1);
        QVERIFY(result.out.isEmpty());
        QVERIFY2(result.err.contains(message), result.err.constData());
    }

    void wrongArguments()
    {
        QCOMPARE(run({}).exitCode, 2);
        QCOMPARE(run({u"a"_qs, u"b"_qs}).exitCode, 2);
    }
};

DRILLBAY_TEST(RtfcatTest)
#include "RtfcatTest.moc"
