#include "ExamTestQuestions.h"
#include "TestRegistry.h"

#include "exam/MockPaperBuilder.h"

#include <QTest>

namespace {

// A line as "<colour><u>|text": K black, R red, G green, F fuchsia; "u" when
// underlined. Also checks that every span is 宋体 11 points.
QStringList described(const StyledText &lines)
{
    QStringList all;
    for (const StyledLine &line : lines) {
        QString colour = QStringLiteral("?");
        bool underline = false;
        for (const StyledSpan &span : line.spans) {
            if (span.family != FontFamily::Song || span.pointSize != 11 || span.bold)
                return {QStringLiteral("font of: ") + line.text()};
            underline = span.underline;
            switch (span.color) {
            case rgb::kBlack:
                colour = QStringLiteral("K");
                break;
            case rgb::kRed:
                colour = QStringLiteral("R");
                break;
            case rgb::kGreen:
                colour = QStringLiteral("G");
                break;
            case rgb::kFuchsia:
                colour = QStringLiteral("F");
                break;
            default:
                colour = QString::number(span.color, 16);
            }
        }
        all << colour + (underline ? QStringLiteral("u") : QString()) + QLatin1Char('|') +
                   line.text();
    }
    return all;
}

RunQuestion paperQuestion(int type, const QString &correct, int points = 1)
{
    RunQuestion q =
        sampleQuestion(type, correct, QString(), points, QStringLiteral("工作票签发人"));
    return q;
}

} // namespace

// The paper of a stored draw: heading, numbering, ticks, answer lines and
// their colours exactly as the paper window shows them.
class MockPaperBuilderTest : public QObject
{
    Q_OBJECT

private slots:
    void heading()
    {
        const StyledText lines =
            MockPaperBuilder::heading(QStringLiteral("本数据库名:变电运行"),
                                      QStringLiteral("本数据库随机抽取试题数:"), {10, 0, 2, 5, 1});
        QCOMPARE(described(lines),
                 (QStringList{"K|", "Ru|本数据库名:变电运行", "K|", "K|",
                              "Ru|本数据库随机抽取试题数:18", "Gu|单选试题数:10", "Gu|多选试题数:0",
                              "Gu|填空试题数:2", "Gu|判断试题数:5", "Gu|论述试题数:1", "K|"}));
    }

    void blocks_data()
    {
        QTest::addColumn<RunQuestion>("question");
        QTest::addColumn<int>("number");
        QTest::addColumn<QStringList>("expected");

        const QString header = QStringLiteral("(单选题).工作票签发人 (本题分数:1分)");
        QTest::newRow("single, third option, number below ten")
            << paperQuestion(1, "3") << 7
            << QStringList{"K|【07】" + header, "K|A.甲", "K|B.乙", "Ru|C.丙√", "K|D.丁",
                           "R|正确答案:  C",    "K|",     "K|"};
        QTest::newRow("single, number ten has no leading zero")
            << paperQuestion(1, "1") << 10
            << QStringList{"K|【10】" + header, "Ru|A.甲√", "K|B.乙", "K|C.丙", "K|D.丁",
                           "R|正确答案:  A",    "K|",       "K|"};
        QTest::newRow("single, answer not an option digit is written as stored")
            << paperQuestion(1, "5") << 1
            << QStringList{"K|【01】" + header, "K|A.甲", "K|B.乙", "K|C.丙", "K|D.丁",
                           "R|正确答案:  5",    "K|",     "K|"};
        QTest::newRow("multiple, digits out of order give letters in order")
            << paperQuestion(2, "41", 2) << 2
            << QStringList{"K|【02】(多选题).工作票签发人 (本题分数:2分)",
                           "R|A.甲√",
                           "K|B.乙",
                           "K|C.丙",
                           "R|D.丁√",
                           "R|正确答案：AD",
                           "K|",
                           "K|"};
        QTest::newRow("fill-in") << paperQuestion(3, "停电、验电") << 3
                                 << QStringList{"K|【03】(填空题).工作票签发人 (本题分数:1分)",
                                                "G|正确答案:停电、验电", "K|", "K|"};
        QTest::newRow("true") << paperQuestion(4, "1") << 4
                              << QStringList{"K|【04】(判断题).工作票签发人 (本题分数:1分)",
                                             "F|正确答案:  √", "K|", "K|"};
        QTest::newRow("false") << paperQuestion(4, "0") << 5
                               << QStringList{"K|【05】(判断题).工作票签发人 (本题分数:1分)",
                                              "F|正确答案:  X", "K|", "K|"};
        QTest::newRow("true/false with a stray answer counts as X")
            << paperQuestion(4, "对") << 6
            << QStringList{"K|【06】(判断题).工作票签发人 (本题分数:1分)", "F|正确答案:  X", "K|",
                           "K|"};
        QTest::newRow("essay over two lines, named 论述题")
            << paperQuestion(5, "第一点\r\n  第二点", 5) << 11
            << QStringList{"K|【11】(论述题).工作票签发人 (本题分数:5分)", "G|正确答案:第一点",
                           "G|  第二点", "K|", "K|"};
    }

    void blocks()
    {
        QFETCH(RunQuestion, question);
        QFETCH(int, number);
        QFETCH(QStringList, expected);
        StyledText lines;
        MockPaperBuilder::appendQuestion(lines, question, number);
        QCOMPARE(described(lines), expected);
    }
};

DRILLBAY_TEST(MockPaperBuilderTest)
#include "MockPaperBuilderTest.moc"
