#include "RtfReader.h"
#include "DocumentPictures.h"
#include "RtfParser.h"
#include "TestRegistry.h"

#include <QGlyphRun>
#include <QRawFont>
#include <QTest>
#include <QTextBlock>
#include <QTextDocument>
#include <QTextImageFormat>
#include <QTextLayout>
#include <QTextTable>

namespace {

QString textOf(const QByteArray &rtf)
{
    QTextDocument document;
    if (!rtf::readInto(rtf, document))
        return QStringLiteral("<not rtf>");
    return rtf::plainText(document);
}

// The format of the last character of the first occurrence of word.
QTextCharFormat formatOf(const QTextDocument &document, const QString &word)
{
    const QTextCursor found = document.find(word);
    return found.isNull() ? QTextCharFormat() : found.charFormat();
}

QByteArray gbkHex(const QString &text)
{
    QStringEncoder encoder("GBK");
    const QByteArray bytes = encoder.encode(text);
    QByteArray out;
    for (char byte : bytes)
        out += "\\'" + QByteArray::number(uchar(byte), 16).rightJustified(2, '0');
    return out;
}

} // namespace

class RtfReaderTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void notRtf_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::newRow("empty") << QByteArray();
        QTest::newRow("plain text") << QByteArray("电力安全");
        QTest::newRow("brace only") << QByteArray("{");
        QTest::newRow("other control word") << QByteArray("{\\pard text}");
        QTest::newRow("html") << QByteArray("<html>{\\rtf1}</html>");
    }
    void notRtf()
    {
        QFETCH(QByteArray, bytes);
        QTextDocument document;
        document.setPlainText(QStringLiteral("left over"));
        QVERIFY(!rtf::readInto(bytes, document));
        QVERIFY(document.isEmpty());
        QVERIFY(rtf::read(bytes, nullptr) == nullptr);
    }

    void rtfHeader_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::newRow("bare") << QByteArray("{\\rtf1 a}");
        QTest::newRow("blanks before") << QByteArray(" \r\n\t{\\rtf1 a}");
        QTest::newRow("byte-order mark") << QByteArray("\xEF\xBB\xBF{\\rtf1 a}");
        QTest::newRow("no version") << QByteArray("{\\rtf a}");
    }
    void rtfHeader()
    {
        QFETCH(QByteArray, bytes);
        QObject owner;
        QTextDocument *document = rtf::read(bytes, &owner);
        QVERIFY(document);
        QCOMPARE(document->parent(), &owner);
        QCOMPARE(rtf::plainText(*document), QStringLiteral("a\n"));
    }

    // Text as the reader makes it of each construct, printed as the tool prints it.
    void text_data()
    {
        QTest::addColumn<QByteArray>("rtf");
        QTest::addColumn<QString>("expected");

        // Code pages
        QTest::newRow("GBK pairs by \\ansicpg936")
            << QByteArray("{\\rtf1\\ansi\\ansicpg936 \\'b5\\'e7\\'c1\\'a6}") << u"电力\n"_qs;
        QTest::newRow("GBK pairs by \\fcharset134")
            << QByteArray("{\\rtf1\\ansi{\\fonttbl{\\f1\\fcharset134 SimSun;}}\\f1 \\'b0\\'b2}")
            << u"安\n"_qs;
        QTest::newRow("pair split by a line end")
            << QByteArray("{\\rtf1\\ansi\\ansicpg936 \\'b5\r\n\\'e7}") << u"电\n"_qs;
        QTest::newRow("trail byte written as itself")
            << QByteArray("{\\rtf1\\ansi\\ansicpg936 \\'81@}") << u"丂\n"_qs;
        QTest::newRow("font code page over the document's")
            << QByteArray("{\\rtf1\\ansi\\ansicpg936{\\fonttbl{\\f0\\fcharset136 x;}}\\f0 "
                          "\\'b9\\'71}")
            << u"電\n"_qs;
        QTest::newRow("\\cpg of a font")
            << QByteArray("{\\rtf1\\ansi{\\fonttbl{\\f0\\cpg936 x;}}\\f0 \\'b5\\'e7}")
            << u"电\n"_qs;
        QTest::newRow("charset 0 keeps the document's page")
            << QByteArray("{\\rtf1\\ansi\\ansicpg936{\\fonttbl{\\f0\\fcharset0 Times;}}\\f0 "
                          "\\'b5\\'e7}")
            << u"电\n"_qs;
        QTest::newRow("1252 quotes")
            << QByteArray("{\\rtf1\\ansi\\ansicpg1252 \\'93a\\'94 caf\\'e9}") << u"“a” café\n"_qs;
        QTest::newRow("no code page reads 1252")
            << QByteArray("{\\rtf1\\ansi na\\'efve}") << u"naïve\n"_qs;
        QTest::newRow("Shift-JIS by \\fcharset128")
            << QByteArray("{\\rtf1\\ansi{\\fonttbl{\\f0\\fcharset128 m;}}\\f0 \\'88\\'c0}")
            << u"安\n"_qs;
        QTest::newRow("unknown code page reads Latin-1")
            << QByteArray("{\\rtf1\\ansi\\ansicpg4242 \\'e9}") << u"é\n"_qs;
        QTest::newRow("GBK pair split by a group")
            << QByteArray("{\\rtf1\\ansi\\ansicpg936 \\'b5{\\'e7}\\'c1{\\b\\'a6}}") << u"电力\n"_qs;
        QTest::newRow("GBK pair split by a control word")
            << QByteArray("{\\rtf1\\ansi\\ansicpg936{\\colortbl;\\red255\\green0\\blue0;}"
                          "\\'b5\\cf1\\'e7\\'c1\\lang2052 \\'a6}")
            << u"电力\n"_qs;
        QTest::newRow("lead byte not carried into another page")
            << QByteArray("{\\rtf1\\ansi\\ansicpg1252{\\fonttbl{\\f0\\fcharset134 A;}"
                          "{\\f1\\fcharset0 B;}}\\f0 \\'b5\\f1\\'e7}")
            << u"ç\n"_qs;
        QTest::newRow("lead byte not carried over a paragraph")
            << QByteArray("{\\rtf1\\ansi\\ansicpg936 a\\'b5\\par\\'b5\\'e7}") << u"a\n电\n"_qs;
        // Word names the double-byte font and goes back to \\loch before the text.
        QTest::newRow("\\hich\\af \\dbch\\af \\loch\\f order")
            << QByteArray("{\\rtf1\\ansi\\ansicpg1252{\\fonttbl{\\f0\\froman\\fcharset0 Times;}"
                          "{\\f13\\fnil\\fcharset134 SimSun;}}\\hich\\af0\\dbch\\af13\\loch\\f0 "
                          "\\'b5\\'e7\\'c1\\'a6 10kV caf\\'e9}")
            << u"电力 10kV café\n"_qs;
        QTest::newRow("\\hich keeps high bytes single")
            << QByteArray("{\\rtf1\\ansi\\ansicpg1252{\\fonttbl{\\f0\\fcharset0 Times;}"
                          "{\\f13\\fcharset134 SimSun;}}\\dbch\\af13\\hich\\f0 \\'e9\\'e9}")
            << u"éé\n"_qs;
        QTest::newRow("group ends the font's page")
            << QByteArray("{\\rtf1\\ansi{\\fonttbl{\\f0 A;}{\\f1\\fcharset134 B;}}"
                          "{\\f1 \\'b5\\'e7}\\'e9}")
            << u"电é\n"_qs;

        // Unicode escapes
        QTest::newRow("\\u with its fallback")
            << QByteArray("{\\rtf1\\ansi \\u30005?\\u21147?}") << u"电力\n"_qs;
        QTest::newRow("negative \\u") << QByteArray("{\\rtf1\\ansi \\u-30268?}") << u"规\n"_qs;
        QTest::newRow("\\uc0 skips nothing")
            << QByteArray("{\\rtf1\\ansi\\uc0 \\u31532 a}") << u"第a\n"_qs;
        QTest::newRow("\\uc2 skips two \\'hh")
            << QByteArray("{\\rtf1\\ansi\\uc2\\u23433\\'b0\\'b2b}") << u"安b\n"_qs;
        QTest::newRow("fallback \\'hh counts once")
            << QByteArray("{\\rtf1\\ansi \\u8212\\'97x}") << u"—x\n"_qs;
        QTest::newRow("group end stops the skip")
            << QByteArray("{\\rtf1\\ansi {\\uc3\\u23433 a}b}") << u"安b\n"_qs;
        QTest::newRow("\\uc is scoped to its group")
            << QByteArray("{\\rtf1\\ansi {\\uc0 x}\\u23433?}") << u"x安\n"_qs;
        QTest::newRow("surrogate pair")
            << QByteArray("{\\rtf1\\ansi \\u-10179?\\u-8704?}") << u"😀\n"_qs;
        QTest::newRow("lone surrogate")
            << QByteArray("{\\rtf1\\ansi \\u-10179?x}") << u"\uFFFDx\n"_qs;
        QTest::newRow("control characters dropped, line ends kept")
            << QByteArray("{\\rtf1\\ansi\\uc0 a\\u0 b\\u7 c\\u9 d\\u10 e\\u13 f\\u31 g\\u8233 h}")
            << u"abc\td\ne\nfg\nh\n"_qs;
        QTest::newRow("\\ud over \\upr")
            << QByteArray("{\\rtf1\\ansi {\\upr{plain}{\\*\\ud{\\u35268?}}}}") << u"规\n"_qs;

        // Destinations and hidden text
        QTest::newRow("ignorable destination")
            << QByteArray("{\\rtf1\\ansi a{\\*\\foo {nested} x}b}") << u"ab\n"_qs;
        QTest::newRow("header, footer, footnote")
            << QByteArray("{\\rtf1\\ansi {\\header h}{\\footer f}a{\\footnote n}b}") << u"ab\n"_qs;
        QTest::newRow("info and stylesheet")
            << QByteArray("{\\rtf1\\ansi{\\info{\\title t}}{\\stylesheet{\\s0 Normal;}}a}")
            << u"a\n"_qs;
        QTest::newRow("field result shown, instruction not")
            << QByteArray("{\\rtf1\\ansi {\\field{\\*\\fldinst PAGE}{\\fldrslt 7}}}") << u"7\n"_qs;
        QTest::newRow("text box text, not its fallback")
            << QByteArray("{\\rtf1\\ansi a{\\shp{\\*\\shpinst\\shpleft0{\\sp{\\sn shapeType}"
                          "{\\sv 202}}{\\shptxt \\pard box\\par}}{\\shprslt{\\*\\do\\dobxcolumn"
                          "{\\dptxbx{\\dptxbxtext\\pard box\\par}}}}}b}")
            << u"abox\nb\n"_qs;
        QTest::newRow("drawing-object fallback without text box")
            << QByteArray("{\\rtf1\\ansi a{\\shp{\\*\\shpinst\\shpleft0{\\sp{\\sn shapeType}"
                          "{\\sv 1}}}{\\shprslt{\\*\\do\\dobxcolumn\\dpx0{\\dptxbx{\\dptxbxtext"
                          "\\pard fallback\\par}}}}}b}")
            << u"afallback\nb\n"_qs;
        QTest::newRow("plain fallback without text box")
            << QByteArray("{\\rtf1\\ansi a{\\shp{\\*\\shpinst{\\sp{\\sn x}{\\sv 1}}}"
                          "{\\shprslt shown}}b}")
            << u"ashownb\n"_qs;
        QTest::newRow("text box of a second shape")
            << QByteArray("{\\rtf1\\ansi {\\shp{\\*\\shpinst{\\shptxt one}}{\\shprslt x}}"
                          "{\\shp{\\*\\shpinst{\\sp{\\sn y}{\\sv 2}}}{\\shprslt two}}}")
            << u"onetwo\n"_qs;
        QTest::newRow("\\bin skipped with its bytes")
            << QByteArray("{\\rtf1\\ansi a\\bin4 }{\\}b}") << u"ab\n"_qs;
        QTest::newRow("\\bin inside a skipped group")
            << QByteArray("{\\rtf1\\ansi a{\\*\\x \\bin2 }}}b}") << u"ab\n"_qs;
        QTest::newRow("hidden text")
            << QByteArray("{\\rtf1\\ansi a{\\v b}c\\v d\\v0 e}") << u"ace\n"_qs;
        QTest::newRow("escaped braces and backslash")
            << QByteArray("{\\rtf1\\ansi \\{a\\}\\\\}") << u"{a}\\\n"_qs;
        QTest::newRow("special characters")
            << QByteArray("{\\rtf1\\ansi \\emdash\\endash\\bullet\\lquote\\rquote"
                          "\\ldblquote\\rdblquote\\~.}")
            << u"—–•‘’“” .\n"_qs;

        // Paragraphs
        QTest::newRow("\\par ends a paragraph")
            << QByteArray("{\\rtf1\\ansi a\\par b\\par}") << u"a\nb\n"_qs;
        QTest::newRow("text after the last \\par")
            << QByteArray("{\\rtf1\\ansi a\\par b}") << u"a\nb\n"_qs;
        QTest::newRow("empty paragraphs kept")
            << QByteArray("{\\rtf1\\ansi a\\par\\par b\\par}") << u"a\n\nb\n"_qs;
        QTest::newRow("\\line and \\tab")
            << QByteArray("{\\rtf1\\ansi a\\line b\\tab c}") << u"a\nb\tc\n"_qs;
        QTest::newRow("line ends in the file are not text")
            << QByteArray("{\\rtf1\\ansi a\r\nb\nc}") << u"abc\n"_qs;
        QTest::newRow("backslash before a line end is \\par")
            << QByteArray("{\\rtf1\\ansi a\\\nb}") << u"a\nb\n"_qs;
        QTest::newRow("control word delimiter space")
            << QByteArray("{\\rtf1\\ansi \\b  a\\b0 b}") << u" ab\n"_qs;

        // Tables
        QTest::newRow("table")
            << QByteArray("{\\rtf1\\ansi x\\par\\trowd\\cellx100\\cellx200\\intbl a\\cell b\\cell"
                          "\\row\\trowd\\cellx100\\cellx200\\intbl c\\cell d\\cell\\row\\pard y}")
            << u"x\na\tb\nc\td\ny\n"_qs;
        QTest::newRow("empty cells")
            << QByteArray("{\\rtf1\\ansi\\trowd\\cellx1\\cellx2\\cellx3\\intbl\\cell\\cell z\\cell"
                          "\\row\\pard}")
            << u"\t\tz\n"_qs;
        QTest::newRow("cells without \\cellx grow the table")
            << QByteArray("{\\rtf1\\ansi\\intbl a\\cell b\\cell c\\cell\\row\\pard}")
            << u"a\tb\tc\n"_qs;
        QTest::newRow("two paragraphs in a cell")
            << QByteArray("{\\rtf1\\ansi\\trowd\\cellx9\\intbl a\\par b\\cell\\row\\pard}")
            << u"a b\n"_qs;
        QTest::newRow("\\itap0 leaves the table")
            << QByteArray("{\\rtf1\\ansi\\trowd\\cellx9\\itap1 a\\cell\\row\\itap0 b}")
            << u"a\nb\n"_qs;
        QTest::newRow("nested cells flattened")
            << QByteArray("{\\rtf1\\ansi\\trowd\\cellx9\\intbl a\\nestcell b\\nestrow\\cell\\row"
                          "\\pard}")
            << u"a b \n"_qs;
    }
    void text()
    {
        QFETCH(QByteArray, rtf);
        QFETCH(QString, expected);
        QCOMPARE(textOf(rtf), expected);
    }

    void characterFormat_data()
    {
        QTest::addColumn<QByteArray>("rtf");
        QTest::addColumn<QString>("word");
        QTest::addColumn<int>("property");
        QTest::addColumn<QVariant>("value");

        const QByteArray head = "{\\rtf1\\ansi{\\colortbl;\\red255\\green0\\blue0;"
                                "\\red0\\green128\\blue0;}";
        const int weight = QTextFormat::FontWeight;
        QTest::newRow("bold") << head + "{\\b word}}" << u"word"_qs << weight
                              << QVariant(int(QFont::Bold));
        QTest::newRow("bold off") << head + "\\b a\\b0 word}" << u"word"_qs << weight
                                  << QVariant(int(QFont::Normal));
        QTest::newRow("bold ends with its group")
            << head + "{\\b a}word}" << u"word"_qs << weight << QVariant(int(QFont::Normal));
        QTest::newRow("italic") << head + "{\\i word}}" << u"word"_qs
                                << int(QTextFormat::FontItalic) << QVariant(true);
        QTest::newRow("underline")
            << head + "{\\ul word}}" << u"word"_qs << int(QTextFormat::TextUnderlineStyle)
            << QVariant(int(QTextCharFormat::SingleUnderline));
        QTest::newRow("\\ulnone") << head + "\\ul a\\ulnone word}" << u"word"_qs
                                  << int(QTextFormat::TextUnderlineStyle)
                                  << QVariant(int(QTextCharFormat::NoUnderline));
        QTest::newRow("strike") << head + "{\\strike word}}" << u"word"_qs
                                << int(QTextFormat::FontStrikeOut) << QVariant(true);
        QTest::newRow("\\fs half points") << head + "{\\fs21 word}}" << u"word"_qs
                                          << int(QTextFormat::FontPointSize) << QVariant(10.5);
        QTest::newRow("default size 12")
            << head + "word}" << u"word"_qs << int(QTextFormat::FontPointSize) << QVariant(12.0);
        QTest::newRow("size capped") << head + "{\\fs999999 word}}" << u"word"_qs
                                     << int(QTextFormat::FontPointSize) << QVariant(1638.0);
        QTest::newRow("\\cf") << head + "{\\cf1 word}}" << u"word"_qs
                              << int(QTextFormat::ForegroundBrush)
                              << QVariant(QBrush(QColor(255, 0, 0)));
        QTest::newRow("\\highlight")
            << head + "{\\highlight2 word}}" << u"word"_qs << int(QTextFormat::BackgroundBrush)
            << QVariant(QBrush(QColor(0, 128, 0)));
        QTest::newRow("\\cb") << head + "{\\cb1 word}}" << u"word"_qs
                              << int(QTextFormat::BackgroundBrush)
                              << QVariant(QBrush(QColor(255, 0, 0)));
        QTest::newRow("colour past the table") << head + "{\\cf9 word}}" << u"word"_qs
                                               << int(QTextFormat::ForegroundBrush) << QVariant();
        QTest::newRow("super") << head + "{\\super word}}" << u"word"_qs
                               << int(QTextFormat::TextVerticalAlignment)
                               << QVariant(int(QTextCharFormat::AlignSuperScript));
        QTest::newRow("sub") << head + "{\\sub word}}" << u"word"_qs
                             << int(QTextFormat::TextVerticalAlignment)
                             << QVariant(int(QTextCharFormat::AlignSubScript));
        QTest::newRow("\\plain resets") << head + "\\b\\i\\fs40\\cf1\\plain word}" << u"word"_qs
                                        << int(QTextFormat::FontPointSize) << QVariant(12.0);
        // Double-byte runs take the associated properties, others the main ones.
        QTest::newRow("\\dbch\\afs") << head + "\\fs24{\\dbch\\afs32 word}}" << u"word"_qs
                                     << int(QTextFormat::FontPointSize) << QVariant(16.0);
        QTest::newRow("\\loch ignores \\afs") << head + "\\fs24{\\loch\\afs32 word}}" << u"word"_qs
                                              << int(QTextFormat::FontPointSize) << QVariant(12.0);
        QTest::newRow("\\dbch\\ab")
            << head + "{\\dbch\\ab word}}" << u"word"_qs << weight << QVariant(int(QFont::Bold));
        QTest::newRow("\\rtlch\\ab is not double-byte")
            << head + "{\\dbch\\rtlch\\ab\\ltrch word}}" << u"word"_qs << weight
            << QVariant(int(QFont::Normal));
        QTest::newRow("\\dbch falls back to \\b")
            << head + "{\\b\\dbch word}}" << u"word"_qs << weight << QVariant(int(QFont::Bold));
    }
    void characterFormat()
    {
        QFETCH(QByteArray, rtf);
        QFETCH(QString, word);
        QFETCH(int, property);
        QFETCH(QVariant, value);
        QTextDocument document;
        QVERIFY(rtf::readInto(rtf, document));
        const QTextCharFormat format = formatOf(document, word);
        QVERIFY(format.isValid());
        if (!value.isValid()) {
            QVERIFY(!format.hasProperty(property));
        } else if (property == QTextFormat::FontWeight && value.toInt() == QFont::Normal) {
            QCOMPARE(format.fontWeight(), int(QFont::Normal));
        } else if (property == QTextFormat::TextUnderlineStyle && value.toInt() == 0) {
            QVERIFY(!format.fontUnderline());
        } else {
            QCOMPARE(format.property(property), value);
        }
    }

    void fontFamilies_data()
    {
        QTest::addColumn<QByteArray>("fontEntry");
        QTest::addColumn<QStringList>("families");
        const QStringList song = {u"SimSun"_qs, u"AR PL SungtiL GB"_qs, u"Noto Serif CJK SC"_qs};
        QTest::newRow("宋体 in GBK")
            << "\\fcharset134 " + gbkHex(u"宋体"_qs) << (QStringList{u"宋体"_qs} + song);
        QTest::newRow("SimSun") << QByteArray("\\fcharset134 SimSun") << song;
        QTest::newRow("simsun in any case")
            << QByteArray("\\fcharset0 simsun")
            << QStringList{u"simsun"_qs, u"AR PL SungtiL GB"_qs, u"Noto Serif CJK SC"_qs};
        QTest::newRow("黑体") << "\\fcharset134 " + gbkHex(u"黑体"_qs)
                              << QStringList{u"黑体"_qs, u"SimHei"_qs, u"Noto Sans CJK SC"_qs};
        QTest::newRow("幼圆") << "\\fcharset134 " + gbkHex(u"幼圆"_qs)
                              << QStringList{u"幼圆"_qs, u"YouYuan"_qs, u"SimHei"_qs,
                                             u"Noto Sans CJK SC"_qs};
        QTest::newRow("楷体_GB2312") << "\\fcharset134 " + gbkHex(u"楷体_GB2312"_qs)
                                     << QStringList{u"楷体_GB2312"_qs, u"KaiTi_GB2312"_qs,
                                                    u"AR PL KaitiM GB"_qs, u"Noto Serif CJK SC"_qs};
        QTest::newRow("KaiTi") << QByteArray("\\fcharset134 KaiTi")
                               << QStringList{u"KaiTi"_qs, u"KaiTi_GB2312"_qs,
                                              u"AR PL KaitiM GB"_qs, u"Noto Serif CJK SC"_qs};
        QTest::newRow("仿宋") << "\\fcharset134 " + gbkHex(u"仿宋"_qs)
                              << QStringList{u"仿宋"_qs, u"FangSong"_qs, u"FangSong_GB2312"_qs,
                                             u"AR PL SungtiL GB"_qs, u"Noto Serif CJK SC"_qs};
        QTest::newRow("name in \\u escapes")
            << QByteArray("\\fcharset0 \\u23435?\\u20307?") << (QStringList{u"宋体"_qs} + song);
        QTest::newRow("GBK bytes before a \\u")
            << "\\fcharset134 " + gbkHex(u"楷"_qs) + "\\u20307?"
            << QStringList{u"楷体"_qs, u"KaiTi_GB2312"_qs, u"AR PL KaitiM GB"_qs,
                           u"Noto Serif CJK SC"_qs};
        QTest::newRow("alternative name skipped")
            << QByteArray("\\fcharset0 SimHei{\\*\\falt Arial}")
            << QStringList{u"SimHei"_qs, u"Noto Sans CJK SC"_qs};
    }
    void fontFamilies()
    {
        QFETCH(QByteArray, fontEntry);
        QFETCH(QStringList, families);
        QTextDocument document;
        QVERIFY(
            rtf::readInto("{\\rtf1\\ansi{\\fonttbl{\\f3" + fontEntry + ";}}\\f3 word}", document));
        QCOMPARE(formatOf(document, u"word"_qs).fontFamilies().toStringList(), families);
    }

    void defaultFontAndFamilyClass()
    {
        QTextDocument document;
        QVERIFY(rtf::readInto("{\\rtf1\\ansi\\deff1{\\fonttbl{\\f0 A;}{\\f1\\fmodern Courier;}}"
                              "word {\\f0 other}\\plain last}",
                              document));
        const QTextCharFormat word = formatOf(document, u"word"_qs);
        QCOMPARE(word.fontFamilies().toStringList().value(0), u"Courier"_qs);
        QCOMPARE(word.fontStyleHint(), QFont::TypeWriter);
        QCOMPARE(formatOf(document, u"other"_qs).fontFamilies().toStringList().value(0), u"A"_qs);
        QCOMPARE(formatOf(document, u"last"_qs).fontFamilies().toStringList().value(0),
                 u"Courier"_qs);
    }

    // Text in a run of a Latin face: the families keep the face's name
    // first; the Latin letters are drawn in the face the system gives for
    // that name alone, the Chinese characters in an installed 宋体 stand-in
    // (not in whichever Chinese face the system would pick).
    void latinFaceWithChineseText_data()
    {
        QTest::addColumn<QByteArray>("fontEntry");
        QTest::addColumn<QString>("name");
        QTest::addColumn<int>("hint");
        QTest::newRow("installed serif face") << QByteArray("\\froman\\fcharset0 DejaVu Serif")
                                              << u"DejaVu Serif"_qs << int(QFont::Serif);
        QTest::newRow("installed sans face, no class")
            << QByteArray("\\fnil\\fcharset0 DejaVu Sans") << u"DejaVu Sans"_qs
            << int(QFont::AnyStyle);
        QTest::newRow("missing face, roman class")
            << QByteArray("\\froman\\fcharset0 Times New Roman") << u"Times New Roman"_qs
            << int(QFont::Serif);
        QTest::newRow("missing face, swiss class")
            << QByteArray("\\fswiss\\fcharset0 Arial") << u"Arial"_qs << int(QFont::SansSerif);
        QTest::newRow("unknown face, no class") << QByteArray("\\fnil\\fcharset0 Zz No Such Face")
                                                << u"Zz No Such Face"_qs << int(QFont::AnyStyle);
    }
    void latinFaceWithChineseText()
    {
        QFETCH(QByteArray, fontEntry);
        QFETCH(QString, name);
        QFETCH(int, hint);
        QTextDocument document;
        QVERIFY(rtf::readInto("{\\rtf1\\ansi{\\fonttbl{\\f3" + fontEntry +
                                  ";}}\\f3\\fs24 Ab\\u31532?\\u19968?}",
                              document));
        const QTextCharFormat format = formatOf(document, u"Ab第一"_qs);
        QCOMPARE(format.fontFamilies().toStringList().value(0), name);

        QFont alone;
        alone.setFamilies({name});
        alone.setStyleHint(QFont::StyleHint(hint));
        const QString latinFace = QRawFont::fromFont(alone).familyName();
        QTextLayout layout(u"Ab第一"_qs, format.font());
        layout.beginLayout();
        layout.createLine();
        layout.endLayout();
        QStringList latin;
        QStringList chinese;
        for (const QGlyphRun &run : layout.glyphRuns()) {
            (run.rawFont().familyName() == latinFace ? latin : chinese)
                << run.rawFont().familyName();
        }
        QCOMPARE(latin.size(), 1);
        QCOMPARE(chinese.size(), 1);
        const QStringList song = {u"SimSun"_qs, u"AR PL SungtiL GB"_qs, u"Noto Serif CJK SC"_qs};
        QVERIFY2(song.contains(chinese.first()), qPrintable(chinese.first()));
    }

    // A font number missing from the table passes on to the run's font, then
    // to the default font.
    // Double-byte text after Word's \\loch takes the font \\dbch named, the
    // Latin text the \\loch font.
    void doubleByteTextTakesItsFont()
    {
        QTextDocument document;
        QVERIFY(rtf::readInto("{\\rtf1\\ansi\\ansicpg1252{\\fonttbl{\\f0\\froman\\fcharset0 Times;}"
                              "{\\f13\\fnil\\fcharset134 SimSun;}}\\hich\\af0\\dbch\\af13\\afs32"
                              "\\loch\\f0\\fs20 \\'b5\\'e7 kV}",
                              document));
        const QTextCharFormat east = formatOf(document, u"电"_qs);
        QCOMPARE(east.fontFamilies().toStringList().value(0), u"SimSun"_qs);
        QCOMPARE(east.fontPointSize(), 16.0);
        const QTextCharFormat latin = formatOf(document, u"kV"_qs);
        QCOMPARE(latin.fontFamilies().toStringList().value(0), u"Times"_qs);
        QCOMPARE(latin.fontPointSize(), 10.0);
    }

    void missingFontFallsBack_data()
    {
        QTest::addColumn<QByteArray>("run");
        QTest::addColumn<QString>("family");
        QTest::newRow("\\dbch\\af missing") << QByteArray("\\f1\\dbch\\af9 word") << u"B"_qs;
        QTest::newRow("\\dbch\\af present") << QByteArray("\\f1\\dbch\\af0 word") << u"A"_qs;
        QTest::newRow("\\af outside \\dbch") << QByteArray("\\f1\\loch\\af0 word") << u"B"_qs;
        QTest::newRow("\\f missing") << QByteArray("\\f7 word") << u"C"_qs;
    }
    void missingFontFallsBack()
    {
        QFETCH(QByteArray, run);
        QFETCH(QString, family);
        QTextDocument document;
        QVERIFY(rtf::readInto(
            "{\\rtf1\\ansi\\deff2{\\fonttbl{\\f0 A;}{\\f1 B;}{\\f2 C;}}" + run + "}", document));
        QCOMPARE(formatOf(document, u"word"_qs).fontFamilies().toStringList().value(0), family);
    }

    void paragraphFormat_data()
    {
        QTest::addColumn<QByteArray>("controls");
        QTest::addColumn<int>("alignment");
        QTest::addColumn<double>("left");
        QTest::addColumn<double>("right");
        QTest::addColumn<double>("indent");
        QTest::addColumn<double>("top");
        QTest::addColumn<double>("bottom");
        const int left = int(Qt::AlignLeft);
        QTest::newRow("default") << QByteArray() << left << 0.0 << 0.0 << 0.0 << 0.0 << 0.0;
        QTest::newRow("\\qc") << QByteArray("\\qc") << int(Qt::AlignHCenter) << 0.0 << 0.0 << 0.0
                              << 0.0 << 0.0;
        QTest::newRow("\\qr") << QByteArray("\\qr") << int(Qt::AlignRight) << 0.0 << 0.0 << 0.0
                              << 0.0 << 0.0;
        QTest::newRow("\\qj") << QByteArray("\\qj") << int(Qt::AlignJustify) << 0.0 << 0.0 << 0.0
                              << 0.0 << 0.0;
        // 15 twips a pixel.
        QTest::newRow("indents") << QByteArray("\\li720\\ri360\\fi-360") << left << 48.0 << 24.0
                                 << -24.0 << 0.0 << 0.0;
        QTest::newRow("spacing") << QByteArray("\\sb240\\sa120") << left << 0.0 << 0.0 << 0.0
                                 << 16.0 << 8.0;
        QTest::newRow("\\pard resets")
            << QByteArray("\\qc\\li720\\sb240\\pard") << left << 0.0 << 0.0 << 0.0 << 0.0 << 0.0;
        QTest::newRow("huge indent bounded")
            << QByteArray("\\li99999999999") << left << 2112.0 << 0.0 << 0.0 << 0.0 << 0.0;
    }
    void paragraphFormat()
    {
        QFETCH(QByteArray, controls);
        QFETCH(int, alignment);
        QFETCH(double, left);
        QFETCH(double, right);
        QFETCH(double, indent);
        QFETCH(double, top);
        QFETCH(double, bottom);
        QTextDocument document;
        // The settings in force at the paragraph mark belong to the paragraph.
        QVERIFY(rtf::readInto("{\\rtf1\\ansi\\qr first\\par\\pard " + controls +
                                  " second\\par"
                                  "\\pard\\qc third}",
                              document));
        QCOMPARE(document.blockCount(), 3);
        const QTextBlockFormat format = document.findBlockByNumber(1).blockFormat();
        QCOMPARE(int(format.alignment()), alignment);
        QCOMPARE(format.leftMargin(), left);
        QCOMPARE(format.rightMargin(), right);
        QCOMPARE(format.textIndent(), indent);
        QCOMPARE(format.topMargin(), top);
        QCOMPARE(format.bottomMargin(), bottom);
        QCOMPARE(document.findBlockByNumber(0).blockFormat().alignment(), Qt::AlignRight);
        QCOMPARE(document.findBlockByNumber(2).blockFormat().alignment(), Qt::AlignHCenter);
    }

    void tableShape()
    {
        QTextDocument document;
        QVERIFY(rtf::readInto("{\\rtf1\\ansi\\trowd\\trgaph108\\trleft0\\clbrdrt\\brdrs\\cellx1440"
                              "\\cellx4320\\intbl a\\cell b\\cell\\row\\trowd\\cellx1440\\cellx4320"
                              "\\intbl c\\cell d\\cell\\row\\pard after}",
                              document));
        QTextCursor cursor = document.find(u"a"_qs);
        QTextTable *table = cursor.currentTable();
        QVERIFY(table);
        QCOMPARE(table->rows(), 2);
        QCOMPARE(table->columns(), 2);
        QCOMPARE(table->cellAt(1, 1).firstCursorPosition().block().text(), u"d"_qs);
        const QTextTableFormat format = table->format();
        QCOMPARE(format.border(), 1.0);
        const QList<QTextLength> widths = format.columnWidthConstraints();
        QCOMPARE(widths.size(), 2);
        QCOMPARE(widths.at(0), QTextLength(QTextLength::FixedLength, 96));
        QCOMPARE(widths.at(1), QTextLength(QTextLength::FixedLength, 192));
        QVERIFY(!document.find(u"after"_qs).currentTable());
    }

    // Rows are added in batches; the table ends with exactly the rows it was given.
    void tableRowCount_data()
    {
        QTest::addColumn<int>("rows");
        QTest::addColumn<bool>("truncated");
        for (int rows : {1, 2, 3, 5, 17}) {
            QTest::addRow("%d rows", rows) << rows << false;
            QTest::addRow("%d rows, document cut", rows) << rows << true;
        }
    }
    void tableRowCount()
    {
        QFETCH(int, rows);
        QFETCH(bool, truncated);
        QByteArray rtf = "{\\rtf1\\ansi\\trowd\\cellx100\\cellx200";
        for (int r = 0; r < rows; ++r)
            rtf += "\\intbl r" + QByteArray::number(r) + "\\cell x\\cell\\row ";
        if (!truncated)
            rtf += "\\pard after}";
        QTextDocument document;
        QVERIFY(rtf::readInto(rtf, document));
        QTextTable *table = document.find(u"r0"_qs).currentTable();
        QVERIFY(table);
        QCOMPARE(table->rows(), rows);
        QCOMPARE(table->cellAt(rows - 1, 0).firstCursorPosition().block().text(),
                 QStringLiteral("r%1").arg(rows - 1));
    }

    void tableWithoutBordersHasNone()
    {
        QTextDocument document;
        QVERIFY(
            rtf::readInto("{\\rtf1\\ansi\\trowd\\cellx100\\intbl a\\cell\\row\\pard}", document));
        QTextTable *table = document.find(u"a"_qs).currentTable();
        QVERIFY(table);
        QCOMPARE(table->format().border(), 0.0);
    }

    void pictureSize_data()
    {
        QTest::addColumn<QByteArray>("picture");
        QTest::addColumn<QSize>("shown");
        QTest::addColumn<bool>("placeholder");
        const QByteArray png = pngHex(6, 3);
        QTest::newRow("png at goal size")
            << "\\pngblip\\picw6\\pich3\\picwgoal1800\\pichgoal900 " + png << QSize(120, 60)
            << false;
        QTest::newRow("png scaled")
            << "\\pngblip\\picwgoal1800\\pichgoal900\\picscalex50\\picscaley200 " + png
            << QSize(60, 120) << false;
        QTest::newRow("png own size") << "\\pngblip " + png << QSize(6, 3) << false;
        QTest::newRow("png by \\bin")
            << "\\pngblip\\picwgoal300\\pichgoal150\\bin" +
                   QByteArray::number(pngBytes(6, 3).size()) + " " + pngBytes(6, 3)
            << QSize(20, 10) << false;
        QTest::newRow("wmf frame at goal size")
            << QByteArray("\\wmetafile8\\picw100\\pich100\\picwgoal1440\\pichgoal720 0100")
            << QSize(96, 48) << true;
        QTest::newRow("emf frame by hundredths of a millimetre")
            << QByteArray("\\emfblip\\picw2540\\pich5080 01") << QSize(96, 192) << true;
        QTest::newRow("damaged png is a frame")
            << QByteArray("\\pngblip\\picwgoal600\\pichgoal300 89504e47deadbeef") << QSize(40, 20)
            << true;
        QTest::newRow("no size at all") << QByteArray("\\wmetafile8 01") << QSize(32, 32) << true;
        // The group names the kind; bytes of another kind are not guessed at.
        QTest::newRow("JPEG under \\pngblip is a frame")
            << "\\pngblip\\picwgoal600\\pichgoal300 " + imageBytes(6, 3, "JPEG").toHex()
            << QSize(40, 20) << true;
        QTest::newRow("PNG under \\jpegblip is a frame")
            << "\\jpegblip\\picwgoal600\\pichgoal300 " + pngHex(6, 3) << QSize(40, 20) << true;
        QTest::newRow("BMP under \\pngblip is a frame")
            << "\\pngblip\\picwgoal600\\pichgoal300 " + imageBytes(6, 3, "BMP").toHex()
            << QSize(40, 20) << true;
        QTest::newRow("huge goal bounded")
            << QByteArray("\\wmetafile8\\picwgoal999999999\\pichgoal15 01") << QSize(10000, 1)
            << true;
    }
    void pictureSize()
    {
        QFETCH(QByteArray, picture);
        QFETCH(QSize, shown);
        QFETCH(bool, placeholder);
        QTextDocument document;
        QVERIFY(rtf::readInto("{\\rtf1\\ansi a{\\pict" + picture + "}b}", document));
        QCOMPARE(rtf::plainText(document),
                 QStringLiteral("a[图片 %1×%2]b\n").arg(shown.width()).arg(shown.height()));
        const QList<QTextImageFormat> found = documentPictures(document);
        QCOMPARE(found.size(), 1);
        QCOMPARE(found.first().property(QTextFormat::UserProperty).toBool(), placeholder);
        const QImage image =
            document.resource(QTextDocument::ImageResource, QUrl(found.first().name()))
                .value<QImage>();
        QVERIFY(!image.isNull());
        if (!placeholder)
            QCOMPARE(image.size(), QSize(6, 3));
    }

    void shapePicturePreferred_data()
    {
        QTest::addColumn<QByteArray>("body");
        const QByteArray shape =
            "{\\*\\shppict{\\pict\\pngblip\\picwgoal900\\pichgoal450 " + pngHex(6, 3) + "}}";
        const QByteArray fallback =
            "{\\nonshppict{\\pict\\wmetafile8\\picwgoal300\\pichgoal300 0100}}";
        QTest::addColumn<QString>("expected");
        QTest::newRow("shape first") << shape + fallback << u"x[图片 60×30]y\n"_qs;
        QTest::newRow("fallback first") << fallback + shape << u"x[图片 60×30]y\n"_qs;
        QTest::newRow("blank between") << shape + " \r\n" + fallback << u"x[图片 60×30] y\n"_qs;
        QTest::newRow("in another paragraph")
            << fallback + "\\par " + shape << u"x\n[图片 60×30]y\n"_qs;
    }
    void shapePicturePreferred()
    {
        QFETCH(QByteArray, body);
        QFETCH(QString, expected);
        QTextDocument document;
        QVERIFY(rtf::readInto("{\\rtf1\\ansi x" + body + "y}", document));
        QCOMPARE(rtf::plainText(document), expected);
    }

    void fallbackPictureAloneShown()
    {
        QTextDocument document;
        QVERIFY(rtf::readInto("{\\rtf1\\ansi {\\nonshppict{\\pict\\wmetafile8\\picwgoal300"
                              "\\pichgoal300 01}}}",
                              document));
        QCOMPARE(rtf::plainText(document), u"[图片 20×20]\n"_qs);
    }

    // Malformed input: the reader returns, keeps what it read and stays bounded.
    void malformed_data()
    {
        QTest::addColumn<QByteArray>("rtf");
        QTest::addColumn<QString>("expected");
        QTest::newRow("truncated in a group")
            << QByteArray("{\\rtf1\\ansi a\\par {\\b b") << u"a\nb\n"_qs;
        QTest::newRow("truncated in a control word")
            << QByteArray("{\\rtf1\\ansi a\\pa") << u"a\n"_qs;
        QTest::newRow("truncated after a backslash")
            << QByteArray("{\\rtf1\\ansi a\\") << u"a\n"_qs;
        QTest::newRow("truncated in \\'") << QByteArray("{\\rtf1\\ansi a\\'b") << u"a\n"_qs;
        QTest::newRow("truncated picture")
            << QByteArray("{\\rtf1\\ansi a{\\pict\\pngblip 8950") << u"a\n"_qs;
        QTest::newRow("closing braces too many") << QByteArray("{\\rtf1\\ansi a}}}b") << u"a\n"_qs;
        QTest::newRow("text after the document") << QByteArray("{\\rtf1\\ansi a}b") << u"a\n"_qs;
        QTest::newRow("\\bin past the end")
            << QByteArray("{\\rtf1\\ansi a\\bin999999 xyz}") << u"a\n"_qs;
        QTest::newRow("negative \\bin") << QByteArray("{\\rtf1\\ansi a\\bin-5 b}") << u"ab\n"_qs;
        QTest::newRow("\\u out of range")
            << QByteArray("{\\rtf1\\ansi a\\u99999999999 ?b}") << u"ab\n"_qs;
        QTest::newRow("non-hex after \\'") << QByteArray("{\\rtf1\\ansi a\\'zzb}") << u"azzb\n"_qs;
        QTest::newRow("one hex digit") << QByteArray("{\\rtf1\\ansi a\\'4 b}") << u"a b\n"_qs;
        QTest::newRow("lead byte alone")
            << QByteArray("{\\rtf1\\ansi\\ansicpg936 a\\'b5}") << u"a\n"_qs;
        QTest::newRow("odd picture hex")
            << QByteArray("{\\rtf1\\ansi {\\pict\\pngblip\\picwgoal150\\pichgoal150 abc}}")
            << u"[图片 10×10]\n"_qs;
        QTest::newRow("long control word")
            << QByteArray("{\\rtf1\\ansi a\\") + QByteArray(100000, 'x') + " b}" << u"ab\n"_qs;
        QTest::newRow("long number")
            << QByteArray("{\\rtf1\\ansi a\\fs") + QByteArray(100000, '9') + " b}" << u"ab\n"_qs;
        QTest::newRow("star at the top") << QByteArray("{\\rtf1\\*\\foo a}") << u"a\n"_qs;
        QTest::newRow("skipped destination at the top")
            << QByteArray("{\\rtf1\\info a}") << u"a\n"_qs;
    }
    void malformed()
    {
        QFETCH(QByteArray, rtf);
        QFETCH(QString, expected);
        QCOMPARE(textOf(rtf), expected);
    }

    void deepNestingIsCut()
    {
        const int limit = rtf::RtfParser::maxGroupDepth;
        // Groups up to the limit are read; a group beyond it is skipped whole.
        const QByteArray within = QByteArray(limit - 2, '{') + "in" + QByteArray(limit - 2, '}');
        QCOMPARE(textOf("{\\rtf1 a" + within + "b}"), u"ainb\n"_qs);
        const QByteArray beyond = QByteArray(limit + 5, '{') + "deep" + QByteArray(limit + 5, '}');
        QCOMPARE(textOf("{\\rtf1 a" + beyond + "b}"), u"ab\n"_qs);
        const QByteArray huge = QByteArray(1000000, '{');
        QCOMPARE(textOf("{\\rtf1 a" + huge), u"a\n"_qs);
    }

    // However many code pages a document names, the pages without a codec
    // share one decoder.
    void decodersOneACodec()
    {
        rtf::CodePageDecoder decoder;
        for (int page = 5000; page < 7000; ++page)
            QCOMPARE(decoder.decode("a\xe9", page), u"a\u00e9"_qs);
        QCOMPARE(decoder.decode("\xb5\xe7", 936), u"电"_qs);
        QCOMPARE(decoder.decoderCount(), size_t(2));
    }

    void tableColumnsAreCapped()
    {
        const int limit = rtf::RtfParser::maxTableColumns;
        QByteArray cells;
        for (int i = 0; i < limit + 2; ++i)
            cells += "c\\cell ";
        QTextDocument document;
        QVERIFY(rtf::readInto("{\\rtf1\\ansi\\intbl " + cells + "\\row\\pard}", document));
        QTextTable *table = document.find(u"c"_qs).currentTable();
        QVERIFY(table);
        QCOMPARE(table->columns(), limit);
        // The cells beyond the last column go on in it after tabs.
        QCOMPARE(table->cellAt(0, limit - 1).firstCursorPosition().block().text(), u"c\tc\tc"_qs);
    }

    void tableCellsAreCapped()
    {
        // A wide row definition repeated by bare row marks stops making cells at
        // the limit; what follows reads as paragraphs.
        QByteArray rtf = "{\\rtf1\\ansi\\trowd";
        for (int i = 0; i < rtf::RtfParser::maxTableColumns; ++i)
            rtf += "\\cellx" + QByteArray::number((i + 1) * 10);
        rtf += "\\intbl ";
        const qsizetype rows = rtf::Limits().tableCells / rtf::RtfParser::maxTableColumns + 10;
        for (qsizetype i = 0; i < rows; ++i)
            rtf += "x\\row ";
        rtf += "\\pard end}";
        QTextDocument document;
        QVERIFY(rtf::readInto(rtf, document));
        QTextTable *table = document.find(u"x"_qs).currentTable();
        QVERIFY(table);
        QVERIFY(qsizetype(table->rows()) * table->columns() <= rtf::Limits().tableCells);
        QVERIFY(!document.find(u"end"_qs).isNull());
        QVERIFY(!document.find(u"end"_qs).currentTable());
    }

private:
    static QByteArray imageBytes(int width, int height, const char *format)
    {
        QImage image(width, height, QImage::Format_RGB32);
        image.fill(QColor(200, 30, 30));
        QByteArray bytes;
        QBuffer buffer(&bytes);
        buffer.open(QIODevice::WriteOnly);
        image.save(&buffer, format);
        return bytes;
    }
    static QByteArray pngBytes(int width, int height) { return imageBytes(width, height, "PNG"); }
    static QByteArray pngHex(int width, int height) { return pngBytes(width, height).toHex(); }
};

DRILLBAY_TEST(RtfReaderTest)
#include "RtfReaderTest.moc"
