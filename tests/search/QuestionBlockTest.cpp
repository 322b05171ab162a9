#include "search/QuestionBlock.h"
#include "TestRegistry.h"

#include <QTest>

Q_DECLARE_METATYPE(QuestionRow)

namespace {

QuestionRow question(int type, const QString &stem, const QString &answer,
                     const QStringList &options = {"甲", "乙", "丙", "丁"}, int points = 2)
{
    QuestionRow row;
    row.type = type;
    row.stem = stem;
    row.answer = answer;
    for (int i = 0; i < 4 && i < options.size(); ++i)
        row.options[static_cast<size_t>(i)] = options.at(i);
    row.points = points;
    return row;
}

// Each line as "text|colour" with "|u" after an underlined one; the colour as
// k (black), r (red) or g (grey).
QStringList described(const StyledText &lines)
{
    QStringList all;
    for (const StyledLine &line : lines) {
        QString text;
        QString colour;
        bool underline = false;
        for (const StyledSpan &span : line.spans) {
            text += span.text;
            colour = span.color == 0xFF0000   ? QStringLiteral("r")
                     : span.color == 0x808080 ? QStringLiteral("g")
                     : span.color == 0        ? QStringLiteral("k")
                                              : QString::number(span.color, 16);
            underline = span.underline;
            if (span.bold || span.family != FontFamily::Song || span.pointSize != 11)
                text += QStringLiteral("<not 宋体 11 plain>");
        }
        all << text + QLatin1Char('|') + colour + (underline ? QStringLiteral("|u") : QString());
    }
    return all;
}

const QString kSearchRule = QString(51, QLatin1Char('-')) + QStringLiteral("|g");
const QString kPaperRule = QString(53, QLatin1Char('-')) + QStringLiteral("|g");

} // namespace

class QuestionBlockTest : public QObject
{
    Q_OBJECT

private slots:
    void lines_data()
    {
        QTest::addColumn<QuestionRow>("question");
        QTest::addColumn<int>("number");
        QTest::addColumn<bool>("search");
        QTest::addColumn<QStringList>("expected");

        QTest::newRow("single, search: answer underlined and ticked")
            << question(1, "题干", "2") << 7 << true
            << QStringList{kSearchRule, "|g",        "【07】(单选题).题干 (本题分数:2分)|k",
                           "A.甲|k",    "B.乙√|r|u", "C.丙|k",
                           "D.丁|k"};
        QTest::newRow("single, paper: answer underlined, letter after two blanks")
            << question(1, "题干", "2") << 12 << false
            << QStringList{kPaperRule,
                           "|g",
                           "【12】(单选题).题干 (本题分数:2分)|k",
                           "A.甲|k",
                           "B.乙√|r|u",
                           "C.丙|k",
                           "D.丁|k",
                           "正确答案:  B|r"};
        QTest::newRow("single answer 5 marks nothing, paper writes it as stored")
            << question(1, "题干", "5") << 100 << false
            << QStringList{kPaperRule,
                           "|g",
                           "【100】(单选题).题干 (本题分数:2分)|k",
                           "A.甲|k",
                           "B.乙|k",
                           "C.丙|k",
                           "D.丁|k",
                           "正确答案:  5|r"};
        QTest::newRow("single answer 12 is not an option")
            << question(1, "题干", "12") << 1 << true
            << QStringList{kSearchRule, "|g",     "【01】(单选题).题干 (本题分数:2分)|k",
                           "A.甲|k",    "B.乙|k", "C.丙|k",
                           "D.丁|k"};
        QTest::newRow("multiple, search: ticked red, not underlined")
            << question(2, "多", "31") << 9 << true
            << QStringList{kSearchRule, "|g",     "【09】(多选题).多 (本题分数:2分)|k",
                           "A.甲√|r",   "B.乙|k", "C.丙√|r",
                           "D.丁|k"};
        QTest::newRow("multiple, paper: letters in option order, full-width colon")
            << question(2, "多", "31") << 10 << false
            << QStringList{kPaperRule,
                           "|g",
                           "【10】(多选题).多 (本题分数:2分)|k",
                           "A.甲√|r",
                           "B.乙|k",
                           "C.丙√|r",
                           "D.丁|k",
                           "正确答案：AC|r"};
        QTest::newRow("empty option keeps its letter")
            << question(1, "题", "1", {"甲", "", " <BR> ", "丁"}) << 1 << true
            << QStringList{kSearchRule, "|g",   "【01】(单选题).题 (本题分数:2分)|k",
                           "A.甲√|r|u", "B.|k", "C.|k",
                           "D.丁|k"};
        QTest::newRow("fill-in") << question(3, "  填<BR>空  ", " 答案<BR>一 ") << 3 << true
                                 << QStringList{kSearchRule, "|g",
                                                "【03】(填空题).填空 (本题分数:2分)|k",
                                                "正确答案:答案一|r"};
        QTest::newRow("true") << question(4, "判", "1", {}, 1) << 4 << false
                              << QStringList{kPaperRule, "|g", "【04】(判断题).判 (本题分数:1分)|k",
                                             "正确答案: √|r"};
        QTest::newRow("false") << question(4, "判", "0") << 4 << true
                               << QStringList{kSearchRule, "|g",
                                              "【04】(判断题).判 (本题分数:2分)|k",
                                              "正确答案: X|r"};
        QTest::newRow("true/false anything but 1 is X")
            << question(4, "判", "对") << 4 << true
            << QStringList{kSearchRule, "|g", "【04】(判断题).判 (本题分数:2分)|k",
                           "正确答案: X|r"};
        QTest::newRow("essay in the search is 简答题")
            << question(5, "问", "答", {}, 5) << 2 << true
            << QStringList{kSearchRule, "|g", "【02】(简答题).问 (本题分数:5分)|k",
                           "正确答案:答|r"};
        QTest::newRow("essay in a paper is 论述题")
            << question(5, "问", "答", {}, 5) << 2 << false
            << QStringList{kPaperRule, "|g", "【02】(论述题).问 (本题分数:5分)|k", "正确答案:答|r"};
        QTest::newRow("unknown type: header only")
            << question(7, "怪", "1") << 1 << true
            << QStringList{kSearchRule, "|g", "【01】().怪 (本题分数:2分)|k"};
        QTest::newRow("empty stem and empty answer")
            << question(3, "", "") << 1 << false
            << QStringList{kPaperRule, "|g", "【01】(填空题). (本题分数:2分)|k", "正确答案:|r"};
    }
    void lines()
    {
        QFETCH(QuestionRow, question);
        QFETCH(int, number);
        QFETCH(bool, search);
        QFETCH(QStringList, expected);
        const StyledText lines = QuestionBlock::build(question, number,
                                                      search ? QuestionBlock::Variant::Search
                                                             : QuestionBlock::Variant::Composition);
        QCOMPARE(described(lines), expected);
    }

    void writersTrimAndKeepOneSpan()
    {
        const StyledLine blank = QuestionBlock::plainLine(QStringLiteral(" \t "), 0xFF0000);
        QCOMPARE(blank.text(), QString());
        QCOMPARE(blank.spans.size(), 1);
        QCOMPARE(blank.spans.first().color, 0xFF0000u);
        const StyledLine underlined =
            QuestionBlock::underlinedLine(QStringLiteral("  关键字  "), 0xFF0000);
        QCOMPARE(underlined.text(), QStringLiteral("关键字"));
        QVERIFY(underlined.spans.first().underline);
        QVERIFY(!underlined.spans.first().bold);
    }
};

DRILLBAY_TEST(QuestionBlockTest)
#include "QuestionBlockTest.moc"
