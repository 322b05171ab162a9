#include "TestRegistry.h"

#include "base/GbkText.h"
#include "practice/KnownViewBuilder.h"

#include <QTest>

namespace {

// A line as "colour|text", the colour as a letter: k black, r red, g green, s grey.
QStringList described(const StyledText &lines)
{
    QStringList out;
    for (const StyledLine &line : lines) {
        const unsigned colour = line.spans.isEmpty() ? rgb::kBlack : line.spans.first().color;
        const QString letter = colour == rgb::kRed     ? QStringLiteral("r")
                               : colour == rgb::kGreen ? QStringLiteral("g")
                               : colour == rgb::kGrey  ? QStringLiteral("s")
                               : colour == rgb::kBlack ? QStringLiteral("k")
                                                       : QStringLiteral("?");
        out << letter + QStringLiteral("|") + line.text();
    }
    return out;
}

QuestionRow question(int type, const QString &stem, const QString &answer)
{
    QuestionRow row;
    row.id = 42;
    row.type = type;
    row.stem = stem;
    row.options = {QStringLiteral("甲"), QStringLiteral("乙<BR>"), QStringLiteral(" 丙 "),
                   QStringLiteral("丁")};
    row.answer = answer;
    return row;
}

const QString kSeparatorLine = QStringLiteral("s|") + QString(47, QLatin1Char('-'));

} // namespace

class KnownViewBuilderTest : public QObject
{
    Q_OBJECT

private slots:
    void gridStem_data()
    {
        QTest::addColumn<QString>("stem");
        QTest::addColumn<QString>("shown");
        const QString hundred(100, QLatin1Char('a'));
        const QString fifty = QString(50, QChar(u'电'));
        QTest::newRow("short") << "停电<BR>验电"
                               << "停电验电";
        QTest::newRow("100 bytes stays whole") << hundred << hundred;
        QTest::newRow("101 bytes cut") << hundred + QStringLiteral("b") << hundred + "...";
        QTest::newRow("150 bytes: first 100 and dots")
            << fifty + QString(25, QChar(u'压')) << fifty + QStringLiteral("...");
        // One ASCII byte first: the 50th double-byte character would end at
        // byte 101, so it is left out whole.
        QTest::newRow("split character left out")
            << QStringLiteral("a") + QString(60, QChar(u'电'))
            << QStringLiteral("a") + QString(49, QChar(u'电')) + QStringLiteral("...");
        QTest::newRow("breaks do not count")
            << QString(50, QChar(u'电')) + QStringLiteral("<BR><BR>") << fifty;
        QTest::newRow("empty") << ""
                               << "";
    }
    void gridStem()
    {
        QFETCH(QString, stem);
        QFETCH(QString, shown);
        QCOMPARE(known::gridStem(stem), shown);
        const QString body = shown.endsWith(QStringLiteral("...")) ? shown.chopped(3) : shown;
        QVERIFY(gbk::byteLength(body) <= known::kStemCutBytes);
    }

    void gridAnswer_data()
    {
        QTest::addColumn<int>("type");
        QTest::addColumn<QString>("answer");
        QTest::addColumn<QString>("shown");
        QTest::newRow("single 1") << 1 << "1"
                                  << "A";
        QTest::newRow("single 4, blanks") << 1 << " 4 "
                                          << "D";
        QTest::newRow("single out of form") << 1 << "5"
                                            << "5";
        QTest::newRow("single two digits") << 1 << "12"
                                           << "12";
        QTest::newRow("multiple in A-D order") << 2 << "31"
                                               << "AC";
        QTest::newRow("multiple all") << 2 << "4321"
                                      << "ABCD";
        QTest::newRow("multiple out of form") << 2 << "13x"
                                              << "13x";
        QTest::newRow("multiple empty") << 2 << ""
                                        << "";
        QTest::newRow("fill-in") << 3 << "放电"
                                 << "";
        QTest::newRow("true") << 4 << "1"
                              << "正确";
        QTest::newRow("false") << 4 << "0"
                               << "错误";
        QTest::newRow("true/false out of form") << 4 << "对"
                                                << "对";
        QTest::newRow("essay") << 5 << "要点"
                               << "";
        QTest::newRow("unknown type") << 9 << "1"
                                      << "";
    }
    void gridAnswer()
    {
        QFETCH(int, type);
        QFETCH(QString, answer);
        QFETCH(QString, shown);
        QCOMPARE(known::gridAnswer(type, answer), shown);
    }

    void gridRows()
    {
        QCOMPARE(known::gridRows({}), QList<known::GridRow>{known::GridRow{}});
        QuestionRow single = question(1, QStringLiteral("甲<BR>乙"), QStringLiteral("2"));
        single.id = 9007199254740993; // beyond what a double carries exactly
        const QuestionRow unknownType = question(7, QStringLiteral("怪"), QStringLiteral("1"));
        const QList<known::GridRow> rows = known::gridRows({single, unknownType});
        QCOMPARE(rows.size(), 2);
        QCOMPARE(rows.at(0),
                 (known::GridRow{QStringLiteral("9007199254740993"), QStringLiteral("单选"),
                                 QStringLiteral("甲乙"), QStringLiteral("B")}));
        QCOMPARE(rows.at(1), (known::GridRow{QStringLiteral("42"), QString(), QStringLiteral("怪"),
                                             QString()}));
        QCOMPARE(known::countLabel(0), QStringLiteral("会做的试题数:0"));
        QCOMPARE(known::countLabel(2000), QStringLiteral("会做的试题数:2000"));
    }

    void detail_data()
    {
        QTest::addColumn<int>("type");
        QTest::addColumn<QString>("answer");
        QTest::addColumn<int>("number");
        QTest::addColumn<QStringList>("lines");
        const QString stem = QStringLiteral("k|停电验电");
        QTest::newRow("single") << 1 << "2" << 3
                                << QStringList{"g|03.单项选择题", stem,     "k|A.甲",
                                               "r|B.乙√",         "k|C.丙", "k|D.丁",
                                               kSeparatorLine};
        QTest::newRow("multiple") << 2 << "41" << 12
                                  << QStringList{"g|12.多项选择题", stem,     "r|A.甲√",
                                                 "k|B.乙",          "k|C.丙", "r|D.丁√",
                                                 kSeparatorLine};
        QTest::newRow("fill-in") << 3 << " 放电 " << 1
                                 << QStringList{"g|01.填空题", stem, "r|正确答案:放电",
                                                kSeparatorLine};
        QTest::newRow("true") << 4 << "1" << 100
                              << QStringList{"g|100.判断题", stem, "r|√", kSeparatorLine};
        QTest::newRow("false") << 4 << "0" << 2
                               << QStringList{"g|02.判断题", stem, "r|X", kSeparatorLine};
        QTest::newRow("essay") << 5 << "一、<BR>二、" << 5
                               << QStringList{"g|05.论述题", stem, "r|正确答案:一、二、",
                                              kSeparatorLine};
        // An answer outside its type's form marks no option and is shown as stored.
        QTest::newRow("single out of form")
            << 1 << "9" << 1
            << QStringList{"g|01.单项选择题", stem,     "k|A.甲",       "k|B.乙",
                           "k|C.丙",          "k|D.丁", "r|正确答案:9", kSeparatorLine};
        QTest::newRow("true/false out of form")
            << 4 << "" << 1 << QStringList{"g|01.判断题", stem, "r|正确答案:", kSeparatorLine};
    }
    void detail()
    {
        QFETCH(int, type);
        QFETCH(QString, answer);
        QFETCH(int, number);
        QFETCH(QStringList, lines);
        const QuestionRow row = question(type, QStringLiteral("  停电<BR>验电 "), answer);
        const StyledText text = known::detail(row, number);
        QCOMPARE(described(text), lines);
        // Everything after the header in 宋体 10 point, regular.
        for (qsizetype i = 1; i < text.size(); ++i) {
            for (const StyledSpan &span : text.at(i).spans) {
                QCOMPARE(span.family, FontFamily::Song);
                QCOMPARE(span.pointSize, 10);
                QVERIFY(!span.bold);
            }
        }
    }
};

DRILLBAY_TEST(KnownViewBuilderTest)
#include "KnownViewBuilderTest.moc"
