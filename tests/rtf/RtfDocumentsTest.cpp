#include "RtfReader.h"
#include "SourceTree.h"
#include "TestRegistry.h"

#include <QDir>
#include <QFile>
#include <QTest>
#include <QTextDocument>

namespace {

const QString kDocuments = sourceTreePath(QStringLiteral("tests/rtf/documents"));

QByteArray readFile(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return file.readAll();
}

} // namespace

// The hand-made documents of tests/rtf/documents, one construct each, read as
// the command-line reader prints them.
class RtfDocumentsTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void document_data()
    {
        QTest::addColumn<QString>("file");
        QTest::addColumn<QString>("expected");
        QTest::newRow("GBK of the Windows kind")
            << u"gbk-windows.rtf"_qs
            << u"电力安全工作规程\n第一条 总则，严禁带电作业。\n楷体的一段10kV\n仿宋电压\n丂丄\n"_qs;
        QTest::newRow("Big5") << u"big5.rtf"_qs << u"電力安全 ok\n"_qs;
        QTest::newRow("Shift-JIS") << u"shift-jis.rtf"_qs << u"安全第一\n"_qs;
        QTest::newRow("1252") << u"latin.rtf"_qs
                              << u"café “quoted” — ‘x’\u00A0y\n"_qs.replace(QChar(0xA0),
                                                                            QLatin1Char(' '));
        QTest::newRow("Unicode escapes")
            << u"unicode.rtf"_qs << u"电力\n规程\n安全x\n😀\n规程\n— end\n"_qs;
        QTest::newRow("skipped destinations")
            << u"destinations.rtf"_qs
            << u"visible one\nhidden shown\nlink text\nbinary  after\n kept\n"_qs;
        QTest::newRow("character formatting")
            << u"formatting.rtf"_qs
            << u"plain bold italic under none struck red marked green x2 H2O big hei kai "
               "fangsong reset\n"_qs;
        QTest::newRow("paragraphs")
            << u"paragraphs.rtf"_qs
            << u"centred\nright\njustified\nindented\nleft again\nsecond line\tafter tab\n\nlast\n"_qs;
        QTest::newRow("table") << u"table.rtf"_qs
                               << u"before\nA1\tA2\tA3\nB1\t\tB3 first B3 second\nafter\n"_qs;
        QTest::newRow("pictures")
            << u"pictures.rtf"_qs
            << u"png [图片 120×60]\nscaled [图片 3×6]\nbinary [图片 20×10]\njpeg [图片 80×40]\n"
               "wmf [图片 96×48]\nemf [图片 192×96]\nboth [图片 60×30]\n"
               "fallback first [图片 40×20]\nbroken [图片 40×20]\n"_qs;
        QTest::newRow("truncated") << u"truncated.rtf"_qs << u"first\nsecond bold and cut\n"_qs;
        QTest::newRow("unbalanced braces") << u"unbalanced.rtf"_qs << u"one\n"_qs;
        QTest::newRow("deep nesting") << u"deep-nesting.rtf"_qs << u"start  end\n"_qs;
        QTest::newRow("huge numbers") << u"huge-numbers.rtf"_qs << u"bigxA[图片 10000×10000]\n"_qs;
        QTest::newRow("odd hex") << u"odd-hex.rtf"_qs << u"a bzz c\n电 d [图片 32×32]\nx\n"_qs;
    }
    void document()
    {
        QFETCH(QString, file);
        QFETCH(QString, expected);
        const QByteArray bytes = readFile(kDocuments + QLatin1Char('/') + file);
        QVERIFY(!bytes.isEmpty());
        QTextDocument document;
        QVERIFY(rtf::readInto(bytes, document));
        QCOMPARE(rtf::plainText(document), expected);
    }

    // Every document of the folder has its row above.
    void everyDocumentListed()
    {
        const QStringList files = QDir(kDocuments).entryList({u"*.rtf"_qs}, QDir::Files);
        QCOMPARE(files.size(), 15);
    }

    void gbkFontsAndFormats()
    {
        QTextDocument document;
        QVERIFY(rtf::readInto(readFile(kDocuments + u"/gbk-windows.rtf"_qs), document));
        const QTextCursor title = document.find(u"电力安全工作规程"_qs);
        QCOMPARE(title.charFormat().fontFamilies().toStringList().value(1), u"SimHei"_qs);
        QCOMPARE(title.charFormat().fontPointSize(), 16.0);
        QCOMPARE(title.blockFormat().alignment(), Qt::AlignHCenter);
        QCOMPARE(document.find(u"总则"_qs).charFormat().fontWeight(), int(QFont::Bold));
        QCOMPARE(document.find(u"严禁"_qs).charFormat().foreground().color(), QColor(255, 0, 0));
        // The double-byte run takes its font from \dbch\f3, the Latin run from \loch\f0.
        QCOMPARE(
            document.find(u"楷体的一段"_qs).charFormat().fontFamilies().toStringList().value(1),
            u"KaiTi_GB2312"_qs);
        QCOMPARE(document.find(u"10kV"_qs).charFormat().fontFamilies().toStringList().value(0),
                 u"Times New Roman"_qs);
        QCOMPARE(document.find(u"仿宋"_qs).charFormat().fontFamilies().toStringList().value(1),
                 u"FangSong"_qs);
    }
};

DRILLBAY_TEST(RtfDocumentsTest)
#include "RtfDocumentsTest.moc"
