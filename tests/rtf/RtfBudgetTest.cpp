#include "DocumentPictures.h"
#include "RtfReader.h"
#include "TestRegistry.h"

#include <QBuffer>
#include <QTest>
#include <QTextBlock>
#include <QTextDocument>
#include <QTextFrame>
#include <QTextImageFormat>

namespace {

QByteArray repeated(const QByteArray &piece, int times)
{
    QByteArray out;
    for (int i = 0; i < times; ++i)
        out += QByteArray(piece).replace("%n", QByteArray::number(i));
    return out;
}

QByteArray imageBytes(QSize size, const char *kind, QImage::Format format = QImage::Format_RGB32)
{
    QImage image(size, format);
    image.fill(QColor(30, 90, 200));
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, kind);
    return bytes;
}

QByteArray pngBytes(QSize size, QImage::Format format = QImage::Format_RGB32)
{
    return imageBytes(size, "PNG", format);
}

QByteArray pictureGroup(const QByteArray &png, const QByteArray &sizes = QByteArray())
{
    return "{\\pict\\pngblip" + sizes + " " + png.toHex() + "}";
}

void setLimit(rtf::Limits &limits, rtf::Construct construct, int value)
{
    switch (construct) {
    case rtf::Construct::Pictures:
        limits.pictures = value;
        break;
    case rtf::Construct::PictureData:
        limits.pictureBytes = value;
        break;
    case rtf::Construct::Colours:
        limits.colours = value;
        break;
    case rtf::Construct::Fonts:
        limits.fonts = value;
        break;
    case rtf::Construct::Formats:
        limits.formats = value;
        break;
    case rtf::Construct::Paragraphs:
        limits.paragraphs = value;
        break;
    case rtf::Construct::TableCells:
        limits.tableCells = value;
        break;
    }
}

struct Read
{
    QTextDocument document;
    rtf::Tally tally;
    QString text;
};

void read(const QByteArray &rtf, const rtf::Limits &limits, Read &into)
{
    rtf::ReadOptions options;
    options.limits = limits;
    options.tally = &into.tally;
    QVERIFY(rtf::readInto(rtf, into.document, options));
    into.text = rtf::plainText(into.document);
}

int fragmentCount(const QTextDocument &document)
{
    int fragments = 0;
    for (QTextBlock block = document.begin(); block.isValid(); block = block.next()) {
        for (auto it = block.begin(); !it.atEnd(); ++it)
            ++fragments;
    }
    return fragments;
}

QImage imageOf(const QTextDocument &document, const QTextImageFormat &format)
{
    return document.resource(QTextDocument::ImageResource, QUrl(format.name())).value<QImage>();
}

} // namespace

Q_DECLARE_METATYPE(rtf::Construct)

// What a document may hold: past each limit the reading goes on with the text,
// stops adding the construct and says so in one line where it first left one out.
class RtfBudgetTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void constructStopsAtItsLimit_data()
    {
        QTest::addColumn<rtf::Construct>("construct");
        QTest::addColumn<int>("limit");
        QTest::addColumn<QByteArray>("body");
        QTest::addColumn<QString>("notice");
        QTest::addColumn<QString>("shownText");

        QTest::newRow("empty pictures") << rtf::Construct::Pictures << 5 << repeated("{\\pict}", 40)
                                        << u"[此处图片过多，其余未显示]"_qs << u"before"_qs;
        QTest::newRow("paragraph marks")
            << rtf::Construct::Paragraphs << 5 << repeated("p%n\\par ", 40)
            << u"[此处段落过多，其余段落接排显示]"_qs << u"p39"_qs;
        QTest::newRow("line breaks")
            << rtf::Construct::Paragraphs << 5 << repeated("l%n\\line ", 40)
            << u"[此处段落过多，其余段落接排显示]"_qs << u"l39"_qs;
        QTest::newRow("colour table")
            << rtf::Construct::Colours << 5
            << "{\\colortbl" + repeated("\\red%n\\green0\\blue0;", 40) + "}{\\cf30 red}"
            << u"[颜色表过长，其余颜色按默认颜色显示]"_qs << u"red"_qs;
        QTest::newRow("distinct character formats")
            << rtf::Construct::Formats << 5 << repeated("{\\fs1%n f%n}", 40)
            << u"[此处格式过多，其余文字按普通格式显示]"_qs << u"f39"_qs;
        QTest::newRow("distinct paragraph formats")
            << rtf::Construct::Formats << 5 << repeated("\\li%n0 q%n\\par ", 40)
            << u"[此处格式过多，其余文字按普通格式显示]"_qs << u"q39"_qs;
        QTest::newRow("font table")
            << rtf::Construct::Fonts << 5
            << "{\\fonttbl" + repeated("{\\f%n\\fnil F%n;}", 40) + "}{\\f30 font}"
            << u"[字体表过长，其余字体按默认字体显示]"_qs << u"font"_qs;
        QTest::newRow("one-cell tables")
            << rtf::Construct::TableCells << 5
            << repeated("\\trowd\\cellx1000\\intbl c%n\\cell\\row\\pard\\par ", 40)
            << u"[此处表格过多，其余表格按文字显示]"_qs << u"c39"_qs;
        QTest::newRow("rows of a wide table")
            << rtf::Construct::TableCells << 12
            << "\\trowd\\cellx100\\cellx200\\cellx300" +
                   repeated("\\intbl a%n\\cell b%n\\cell c%n\\cell\\row ", 40) + "\\pard "
            << u"[此处表格过多，其余表格按文字显示]"_qs << u"c39"_qs;
        QByteArray distinctPictures;
        for (int i = 0; i < 4; ++i)
            distinctPictures += pictureGroup(pngBytes(QSize(16, 16 + i))) + QByteArray::number(i);
        QTest::newRow("decoded picture bytes")
            << rtf::Construct::PictureData << 2 * 16 * 17 * 4 << distinctPictures
            << u"[此处图片过大，以方框代替]"_qs << u"3"_qs;
    }
    void constructStopsAtItsLimit()
    {
        QFETCH(rtf::Construct, construct);
        QFETCH(int, limit);
        QFETCH(QByteArray, body);
        QFETCH(QString, notice);
        QFETCH(QString, shownText);
        rtf::Limits limits;
        setLimit(limits, construct, limit);
        Read r;
        read("{\\rtf1\\ansi before\\par " + body + " after}", limits, r);
        QVERIFY2(r.tally.of(construct) <= limit,
                 qPrintable(QString::number(r.tally.of(construct))));
        QVERIFY(r.tally.wasCut(construct));
        // The notice stands once, on a line of its own; the text goes on.
        QCOMPARE(r.text.count(notice), 1);
        QVERIFY(r.text.split(QLatin1Char('\n')).contains(notice));
        QVERIFY(r.text.contains(shownText));
        QVERIFY(r.text.startsWith(u"before\n"_qs));
        QVERIFY(r.text.contains(u"after"_qs));

        // Within its limit the same document reads whole and says nothing.
        setLimit(limits, construct, 1000000);
        Read whole;
        read("{\\rtf1\\ansi before\\par " + body + " after}", limits, whole);
        QVERIFY(!whole.tally.wasCut(construct));
        QVERIFY(!whole.text.contains(notice));
    }

    // The cut constructs are really left out of the document, not only counted.
    void documentHoldsNoMoreThanItsLimits()
    {
        rtf::Limits limits;
        limits.formats = 10;
        limits.paragraphs = 10;
        limits.tableCells = 10;
        Read r;
        read("{\\rtf1\\ansi " + repeated("{\\fs1%n\\cf%n\\li%n0 x%n\\par}", 200) +
                 repeated("\\trowd\\cellx99\\intbl c\\cell\\row\\pard ", 50) + "}",
             limits, r);
        // Formats: the limit, the plain ones, a table's and its cells', the notices'.
        QVERIFY2(r.document.allFormats().size() <= limits.formats + 8,
                 qPrintable(QString::number(r.document.allFormats().size())));
        QVERIFY(r.document.blockCount() <= limits.paragraphs + limits.tableCells + 8);
        QVERIFY(r.text.contains(u"x199"_qs));
    }

    // Every change of format along the text is a run of its own in the
    // document; past their limit the rest of the text reads plain, in one run.
    void formatChangesStop()
    {
        rtf::Limits limits;
        limits.formatChanges = 10;
        Read r;
        read("{\\rtf1\\ansi " + repeated("{\\b b%n}{\\i i%n}", 40) + "}", limits, r);
        QVERIFY(r.tally.formatChanges <= 10);
        QVERIFY(r.tally.wasCut(rtf::Construct::Formats));
        QCOMPARE(r.text.count(rtf::ReadingBudget::notice(rtf::Construct::Formats)), 1);
        QVERIFY(r.text.contains(u"b39i39"_qs));
        const int fragments = fragmentCount(r.document);
        QVERIFY2(fragments <= 12, qPrintable(QString::number(fragments)));
    }

    // Control words and groups that change nothing visible make no run of their own.
    void unchangedFormatIsOneRun()
    {
        Read r;
        read("{\\rtf1\\ansi a\\lang1033 b{\\insrsid5 c}{d}\\b0\\i0 e\\'41}", rtf::Limits(), r);
        QCOMPARE(r.text, u"abcdeA\n"_qs);
        QCOMPARE(fragmentCount(r.document), 1);
        QCOMPARE(r.tally.formatChanges, 1);
    }

    // A table costs a frame of its own besides its cells: it counts as two
    // cells more, so many small tables stop sooner than one large one.
    void tableCountsMoreThanItsCells()
    {
        rtf::Limits limits;
        limits.tableCells = 9;
        Read small;
        read("{\\rtf1\\ansi " + repeated("\\trowd\\cellx99\\intbl t%n\\cell\\row\\pard\\par ", 5) +
                 "}",
             limits, small);
        QCOMPARE(small.document.rootFrame()->childFrames().size(), 3);
        QVERIFY(small.text.contains(u"t4"_qs));
        Read large;
        read("{\\rtf1\\ansi\\trowd\\cellx99" + repeated("\\intbl r%n\\cell\\row ", 7) + "\\pard}",
             limits, large);
        QCOMPARE(large.document.rootFrame()->childFrames().size(), 1);
        QVERIFY(!large.tally.wasCut(rtf::Construct::TableCells));
    }

    // Colours and fonts past the table's limit read as the automatic colour and
    // the default font; those within it keep theirs.
    void cutTablesFallBack()
    {
        rtf::Limits limits;
        limits.colours = 2;
        limits.fonts = 1;
        Read r;
        read("{\\rtf1\\ansi\\deff0{\\fonttbl{\\f0 Alpha;}{\\f1 Beta;}}"
             "{\\colortbl;\\red255\\green0\\blue0;\\red0\\green0\\blue255;}"
             "{\\cf1 kept}{\\cf2 lost}{\\f1 beta}}",
             limits, r);
        QCOMPARE(r.document.find(u"kept"_qs).charFormat().foreground().color(), QColor(Qt::red));
        QVERIFY(
            !r.document.find(u"lost"_qs).charFormat().hasProperty(QTextFormat::ForegroundBrush));
        QCOMPARE(r.document.find(u"beta"_qs).charFormat().fontFamilies().toStringList().value(0),
                 u"Alpha"_qs);
    }

    // The budget as the program reads with it: the hostile constructs a few
    // times past the limits, each cut with its notice.
    void defaultLimitsCut_data()
    {
        const rtf::Limits limits;
        QTest::addColumn<rtf::Construct>("construct");
        QTest::addColumn<QByteArray>("body");
        QTest::newRow("empty pictures")
            << rtf::Construct::Pictures << repeated("{\\pict}", limits.pictures + 10);
        QTest::newRow("colour table") << rtf::Construct::Colours
                                      << "{\\colortbl" + QByteArray(limits.colours + 10, ';') + "}";
        QTest::newRow("font table")
            << rtf::Construct::Fonts
            << "{\\fonttbl" + repeated("{\\f%n a;}", limits.fonts + 10) + "}";
        QTest::newRow("character formats")
            << rtf::Construct::Formats
            << repeated("{\\fs%n x}{\\b\\fs%n y}", limits.formats / 2 + 10);
    }
    void defaultLimitsCut()
    {
        QFETCH(rtf::Construct, construct);
        QFETCH(QByteArray, body);
        Read r;
        read("{\\rtf1\\ansi " + body + " end}", rtf::Limits(), r);
        QVERIFY(r.tally.wasCut(construct));
        QVERIFY(r.text.contains(rtf::ReadingBudget::notice(construct)));
        QVERIFY(r.text.contains(u"end"_qs));
    }

    // Equal pictures are one image of the document, however often they stand.
    void equalPicturesShareOneImage()
    {
        const QByteArray picture = pictureGroup(pngBytes(QSize(8, 4)));
        Read r;
        read("{\\rtf1\\ansi " + picture + picture + "{\\pict}{\\pict}" + picture + "}",
             rtf::Limits(), r);
        const QList<QTextImageFormat> found = documentPictures(r.document);
        QCOMPARE(found.size(), 5);
        QSet<QString> names;
        for (const QTextImageFormat &format : found)
            names << format.name();
        QCOMPARE(names.size(), 2);
        QCOMPARE(found.at(0).name(), found.at(4).name());
        QCOMPARE(found.at(2).name(), found.at(3).name());
        // Decoded once: the budget counts it once.
        QCOMPARE(r.tally.of(rtf::Construct::PictureData), 8 * 4 * 4);
    }

    // A picture is counted at the size it takes decoded, and kept no larger
    // than twice the size it is shown at.
    void pictureCosts_data()
    {
        QTest::addColumn<QByteArray>("picture");
        QTest::addColumn<qint64>("largest");
        QTest::addColumn<bool>("decoded");
        QTest::addColumn<QSize>("kept");
        // 12 x 12 pixels: 576 bytes at 4 a pixel, 1152 at 8.
        const QByteArray deep = pngBytes(QSize(12, 12), QImage::Format_RGBA64);
        QTest::newRow("16-bit PNG at 8 bytes a pixel, over")
            << pictureGroup(deep) << qint64(1000) << false << QSize(64, 64);
        QTest::newRow("16-bit PNG at 8 bytes a pixel, within")
            << pictureGroup(deep) << qint64(1152) << true << QSize(12, 12);
        QTest::newRow("8-bit PNG at 4 bytes a pixel")
            << pictureGroup(pngBytes(QSize(12, 12))) << qint64(576) << true << QSize(12, 12);
        // 400 x 200 pixels: 320000 bytes whole, 5000 read at an eighth.
        QTest::newRow("JPEG shown small decoded at an eighth")
            << "{\\pict\\jpegblip\\picwgoal300\\pichgoal150 " +
                   imageBytes(QSize(400, 200), "JPEG").toHex() + "}"
            << qint64(5000) << true << QSize(40, 20);
        QTest::newRow("large picture kept at twice its shown size")
            << pictureGroup(pngBytes(QSize(400, 200)), "\\picwgoal300\\pichgoal150")
            << rtf::Limits().largestPicture << true << QSize(40, 20);
    }
    void pictureCosts()
    {
        QFETCH(QByteArray, picture);
        QFETCH(qint64, largest);
        QFETCH(bool, decoded);
        QFETCH(QSize, kept);
        rtf::Limits limits;
        limits.largestPicture = largest;
        Read r;
        read("{\\rtf1\\ansi " + picture + "}", limits, r);
        const QList<QTextImageFormat> found = documentPictures(r.document);
        QCOMPARE(found.size(), 1);
        QCOMPARE(found.first().property(QTextFormat::UserProperty).toBool(), !decoded);
        QCOMPARE(r.tally.wasCut(rtf::Construct::PictureData), !decoded);
        const QImage image = imageOf(r.document, found.first());
        QVERIFY(image.depth() <= 32);
        if (decoded)
            QCOMPARE(image.size(), kept);
    }
};

DRILLBAY_TEST(RtfBudgetTest)
#include "RtfBudgetTest.moc"
