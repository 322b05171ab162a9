#include "exam/ReviewBuilder.h"
#include "ExamTestQuestions.h"
#include "TestRegistry.h"

#include <QTest>

namespace {

QStringList texts(const StyledText &lines)
{
    QStringList all;
    for (const StyledLine &line : lines)
        all << line.text();
    return all;
}

// The index after the last expected line when `expected` occurs in `lines` in
// order (other lines may stand between), -1 otherwise.
qsizetype findInOrder(const QStringList &lines, const QStringList &expected, QString *missing)
{
    qsizetype at = 0;
    for (const QString &want : expected) {
        const qsizetype found = lines.indexOf(want, at);
        if (found < 0) {
            *missing = want;
            return -1;
        }
        at = found + 1;
    }
    return at;
}

} // namespace

class ReviewBuilderTest : public QObject
{
    Q_OBJECT

private slots:
    void lines_data()
    {
        QTest::addColumn<QList<RunQuestion>>("run");
        QTest::addColumn<QStringList>("expected"); // in this order
        QTest::addColumn<QStringList>("absent");
        QTest::addColumn<QString>("countFigure");
        QTest::addColumn<QString>("percentFigure");

        QTest::newRow("single right wrong right")
            << QList<RunQuestion>{sampleQuestion(1, "1", "1"), sampleQuestion(1, "2", "3"),
                                  sampleQuestion(1, "3", "3")}
            << QStringList{"答案判定: √   得分:2", "答案判定: X", "答案判定: √   得分:4",
                           "客观题正确：2 /客观总数:3", "67分"}
            << QStringList{} << "2/3"
            << "67";

        QTest::newRow("single letters and marked option")
            << QList<RunQuestion>{sampleQuestion(1, "2", "3")}
            << QStringList{"A.甲", "B.乙√", "C.丙", "D.丁", "", "正确答案:B", "你的答案:C"}
            << QStringList{} << "0/1"
            << "0";

        QTest::newRow("judgement false answered false")
            << QList<RunQuestion>{sampleQuestion(1, "1", "1", 2), sampleQuestion(4, "0", "0", 3)}
            << QStringList{"正确答案:错误", "你的答案:错误", "答案判定:  √得分:5"} << QStringList{}
            << "2/2"
            << "100";

        QTest::newRow("judgement wrong and true")
            << QList<RunQuestion>{sampleQuestion(4, "1", "0")}
            << QStringList{"正确答案:正确", "你的答案:错误", "答案判定:  X"} << QStringList{}
            << "0/1"
            << "0";

        QTest::newRow("multiple missing a digit")
            << QList<RunQuestion>{sampleQuestion(2, "134", "13")}
            << QStringList{"A.甲√",        "B.乙",        "C.丙√",      "D.丁√",
                           "正确答案:ACD", "你的答案:AC", "答案判定: X"}
            << QStringList{"得分:"} << "0/1"
            << "0";

        QTest::newRow("multiple in another order")
            << QList<RunQuestion>{sampleQuestion(2, "13", "31")}
            << QStringList{"正确答案:AC", "你的答案:CA", "答案判定: X"} << QStringList{} << "0/1"
            << "0";

        QTest::newRow("multiple right")
            << QList<RunQuestion>{sampleQuestion(2, "24", "24", 4)}
            << QStringList{"正确答案:BD", "你的答案:BD", "答案判定: √   得分:4"} << QStringList{}
            << "1/1"
            << "100";

        QTest::newRow("unanswered")
            << QList<RunQuestion>{sampleQuestion(1, "1", "  "), sampleQuestion(2, "12", ""),
                                  sampleQuestion(4, "1", "")}
            << QStringList{"你的答案:未答", "答案判定: X",   "你的答案:未答",
                           "答案判定: X",   "你的答案:未答", "答案判定:  X"}
            << QStringList{} << "0/3"
            << "0";

        QTest::newRow("correct answer outside the options")
            << QList<RunQuestion>{sampleQuestion(1, "7", "1")}
            << QStringList{"A.甲", "B.乙",      "C.丙",       "D.丁",
                           "",     "正确答案:", "你的答案:A", "答案判定: X"}
            << QStringList{"A.甲√", "B.乙√", "C.丙√", "D.丁√"} << "0/1"
            << "0";

        QTest::newRow("odd stored answers print no letter")
            << QList<RunQuestion>{sampleQuestion(1, "2", "x"), sampleQuestion(2, "19", "9"),
                                  sampleQuestion(4, "x", "1"), sampleQuestion(1, "5", "5")}
            << QStringList{"正确答案:B",          "你的答案:",    "答案判定: X", "A.甲√",
                           "正确答案:A",          "你的答案:",    "答案判定: X", "正确答案:x",
                           "你的答案:正确",       "答案判定:  X", "正确答案:",   "你的答案:",
                           "答案判定: √   得分:2"}
            << QStringList{} << "1/4"
            << "25";

        QTest::newRow("fill-in and essay are not marked")
            << QList<RunQuestion>{sampleQuestion(1, "1", "1"), sampleQuestion(3, "abc", "abc", 5),
                                  sampleQuestion(5, "论述", "", 10), sampleQuestion(1, "2", "2")}
            << QStringList{"答案判定: √   得分:2",
                           "",
                           "正确答案:abc",
                           "",
                           "你的答案:abc",
                           "正确答案:论述",
                           "",
                           "你的答案:未答",
                           "答案判定: √   得分:4",
                           "客观题正确：2 /客观总数:2",
                           "100分"}
            << QStringList{} << "2/2"
            << "100";

        QTest::newRow("answer text over several lines")
            << QList<RunQuestion>{sampleQuestion(5, "要点", "  第一行\r\n  第二行  \n")}
            << QStringList{"你的答案:第一行", "  第二行", ""} << QStringList{} << "0/0"
            << "";

        QTest::newRow("indented answers keep their indentation")
            << QList<RunQuestion>{sampleQuestion(
                   5, "要点：\r\n  一、停电\r\n    1. 断开开关\r\n  二、验电 ", "\t甲\n\t\t乙\n")}
            << QStringList{"正确答案:要点：", "  一、停电", "    1. 断开开关", "  二、验电", "",
                           "你的答案:甲",     "\t\t乙"}
            << QStringList{"一、停电", "二、验电 ", "乙"} << "0/0"
            << "";

        QTest::newRow("no objective question")
            << QList<RunQuestion>{sampleQuestion(3, "a", "a"), sampleQuestion(5, "b", "")}
            << QStringList{"客观题正确：0 /客观总数:0", ReviewBuilder::noObjectiveLine()}
            << QStringList{"分"} << "0/0"
            << "";
    }
    void lines()
    {
        QFETCH(QList<RunQuestion>, run);
        QFETCH(QStringList, expected);
        QFETCH(QStringList, absent);
        QFETCH(QString, countFigure);
        QFETCH(QString, percentFigure);

        const ReviewBuilder::Review review = ReviewBuilder::build(QStringLiteral("第一章"), run);
        const QStringList all = texts(review.lines);
        QString missing;
        QVERIFY2(findInOrder(all, expected, &missing) >= 0,
                 qPrintable(QStringLiteral("missing in order: ") + missing));
        for (const QString &line : absent)
            QVERIFY2(!all.contains(line), qPrintable(line));
        QCOMPARE(review.countFigure, countFigure);
        QCOMPARE(review.percentFigure, percentFigure);
    }

    // One question, every line and its look.
    void wholeReview()
    {
        const ReviewBuilder::Review review = ReviewBuilder::build(
            QStringLiteral("安规"), QList<RunQuestion>{sampleQuestion(1, "1", "1")});
        const QStringList expected = {"",
                                      "",
                                      "试卷名：考试训练题库[安规]",
                                      "",
                                      "【01】(单选题).题干 (本题分数:2分)",
                                      "A.甲√",
                                      "B.乙",
                                      "C.丙",
                                      "D.丁",
                                      "",
                                      "正确答案:A",
                                      "你的答案:A",
                                      "答案判定: √   得分:2",
                                      QString(55, QLatin1Char('-')),
                                      "客观题正确：1 /客观总数:1",
                                      "100分",
                                      "",
                                      "",
                                      "",
                                      "",
                                      ""};
        QCOMPARE(texts(review.lines), expected);

        auto span = [&](int line) { return review.lines.at(line).spans.value(0); };
        QVERIFY(span(2).bold && span(2).underline);
        QCOMPARE(span(2).family, FontFamily::Song);
        QCOMPARE(span(2).pointSize, 11);
        QCOMPARE(span(4).color, rgb::kBlack);
        QVERIFY(!span(4).bold && !span(4).underline);
        QCOMPARE(span(5).color, rgb::kRed);
        QCOMPARE(span(6).color, rgb::kBlack);
        QCOMPARE(span(10).color, rgb::kRed);
        QCOMPARE(span(11).color, rgb::kGreen);
        QCOMPARE(span(12).color, rgb::kRed);
        QCOMPARE(span(13).color, rgb::kGrey);
        QCOMPARE(span(14).color, rgb::kBlack);
        QCOMPARE(span(15).color, rgb::kRed);
        QCOMPARE(span(15).family, FontFamily::Arial);
        QCOMPARE(span(15).pointSize, 30);
        QVERIFY(span(15).bold);
        QCOMPARE(review.score.percentage, std::optional<int>(100));
    }

    // The line writers' trimming works across the spans of a line.
    void trimmedLine_data()
    {
        QTest::addColumn<QStringList>("spans");
        QTest::addColumn<QStringList>("trimmed");
        QTest::newRow("blanks at both ends")
            << QStringList{"\t a", " b \r\n"} << QStringList{"a", " b"};
        QTest::newRow("blank first span dropped")
            << QStringList{"  ", " x", "y "} << QStringList{"x", "y"};
        QTest::newRow("blank last span dropped") << QStringList{"x ", " "} << QStringList{"x"};
        QTest::newRow("only blanks keep one span") << QStringList{"  ", "\n"} << QStringList{""};
        QTest::newRow("inner blanks stay")
            << QStringList{"a  ", "  b"} << QStringList{"a  ", "  b"};
    }
    void trimmedLine()
    {
        QFETCH(QStringList, spans);
        QFETCH(QStringList, trimmed);
        StyledLine line;
        for (const QString &text : spans)
            line.spans.append(StyledSpan{text});
        QStringList result;
        for (const StyledSpan &span : ::trimmedLine(line).spans)
            result << span.text;
        QCOMPARE(result, trimmed);
    }

    void numbering_data()
    {
        QTest::addColumn<QString>("header");
        QTest::newRow("9") << "【09】(填空题).题9 (本题分数:1分)";
        QTest::newRow("10") << "【10】(简答题).题10 (本题分数:1分)";
        QTest::newRow("120") << "【120】(简答题).题120 (本题分数:1分)";
    }
    void numbering()
    {
        QFETCH(QString, header);
        QList<RunQuestion> run;
        for (int k = 1; k <= 120; ++k)
            run << sampleQuestion(k == 9 ? 3 : 5, "a", "", 1,
                                  QStringLiteral("题") + QString::number(k));
        const QStringList all = texts(ReviewBuilder::build(QStringLiteral("c"), run).lines);
        QVERIFY2(all.contains(header), qPrintable(header));
        QCOMPARE(all.count(QString(55, QLatin1Char('-'))), 120);
    }
};

DRILLBAY_TEST(ReviewBuilderTest)
#include "ReviewBuilderTest.moc"
