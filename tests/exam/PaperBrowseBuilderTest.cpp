#include "ExamTestQuestions.h"
#include "TestRegistry.h"

#include "exam/PaperBrowseBuilder.h"

#include <QTest>

using namespace Qt::Literals::StringLiterals;

namespace {

RunQuestion makeQuestion(int type, const QString &correct, const QString &given)
{
    return sampleQuestion(type, correct, given, 3);
}

// A line as "text|colour" (colour 0xRRGGBB in hex), to compare whole blocks.
QStringList described(const StyledText &lines, qsizetype from, qsizetype count)
{
    QStringList out;
    for (qsizetype i = from; i < from + count && i < lines.size(); ++i) {
        const StyledLine &line = lines.at(i);
        out << line.text() + QLatin1Char('|') +
                   QString::number(line.spans.value(0).color, 16).rightJustified(6, u'0');
    }
    return out;
}

} // namespace

class PaperBrowseBuilderTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    // The lines of one question after its header, by type and answer.
    void answerLines_data()
    {
        QTest::addColumn<int>("type");
        QTest::addColumn<QString>("correct");
        QTest::addColumn<QString>("given");
        QTest::addColumn<QString>("typeName");
        QTest::addColumn<QStringList>("lines");
        const QString black = QStringLiteral("|000000");
        const QString red = QStringLiteral("|ff0000");
        QTest::newRow("single chosen C")
            << 1 << QStringLiteral("2") << QStringLiteral("3") << QStringLiteral("单选题")
            << QStringList{u"A.甲"_s + black, u"B.乙"_s + black, u"C.丙"_s + red, u"D.丁"_s + black,
                           u"您选择: C"_s + red};
        QTest::newRow("single unanswered")
            << 1 << QStringLiteral("2") << QString() << QStringLiteral("单选题")
            << QStringList{u"A.甲"_s + black, u"B.乙"_s + black, u"C.丙"_s + black,
                           u"D.丁"_s + black, u"未答|0000ff"_s};
        QTest::newRow("multiple in the user's order")
            << 2 << QStringLiteral("12") << QStringLiteral("41") << QStringLiteral("多选题")
            << QStringList{u"A.甲"_s + red, u"B.乙"_s + black, u"C.丙"_s + black, u"D.丁"_s + red,
                           u"你选择: DA"_s + red};
        QTest::newRow("multiple unanswered")
            << 2 << QStringLiteral("12") << QString() << QStringLiteral("多选题")
            << QStringList{u"A.甲"_s + black, u"B.乙"_s + black, u"C.丙"_s + black,
                           u"D.丁"_s + black, u"未答|0000ff"_s};
        QTest::newRow("fill-in") << 3 << QStringLiteral("接地线") << QStringLiteral(" 验电 ")
                                 << QStringLiteral("填空题")
                                 << QStringList{u"你填写: 验电"_s + red};
        QTest::newRow("true/false true")
            << 4 << QStringLiteral("0") << QStringLiteral("1") << QStringLiteral("判断题")
            << QStringList{u"你判定:正确"_s + red};
        QTest::newRow("true/false false")
            << 4 << QStringLiteral("1") << QStringLiteral("0") << QStringLiteral("判断题")
            << QStringList{u"你判定:错误"_s + red};
        QTest::newRow("true/false unanswered")
            << 4 << QStringLiteral("1") << QString() << QStringLiteral("判断题")
            << QStringList{u"未答|0000ff"_s};
        QTest::newRow("essay") << 5 << QStringLiteral("要点") << QStringLiteral("我的回答")
                               << QStringLiteral("简答题")
                               << QStringList{u"你回答: 我的回答"_s + red};
        QTest::newRow("essay unanswered")
            << 5 << QStringLiteral("要点") << QString() << QStringLiteral("简答题")
            << QStringList{u"未答|0000ff"_s};
    }
    void answerLines()
    {
        QFETCH(int, type);
        QFETCH(QString, correct);
        QFETCH(QString, given);
        QFETCH(QString, typeName);
        QFETCH(QStringList, lines);
        const QList<RunQuestion> run{makeQuestion(type, correct, given)};
        const StyledText text = PaperBrowseBuilder::build(QStringLiteral("第一章"), run);
        // Two empty lines, the paper's header, an empty line, the question's header.
        QCOMPARE(described(text, 0, 4), (QStringList{u"|000000"_s, u"|000000"_s,
                                                     u"试卷名：[第一章]|000000"_s, u"|000000"_s}));
        QVERIFY(text.at(2).spans.at(0).bold);
        QVERIFY(text.at(2).spans.at(0).underline);
        QCOMPARE(described(text, 4, 1),
                 QStringList{u"【01】("_s + typeName + u").题干 (本题分数:3分)|000000"_s});
        QCOMPARE(described(text, 5, lines.size()), lines);
        // Two empty lines end the block, five the text.
        QCOMPARE(text.size(), 5 + lines.size() + 2 + 5);
        for (qsizetype i = 5 + lines.size(); i < text.size(); ++i)
            QVERIFY(text.at(i).text().isEmpty());
        for (const StyledLine &line : text) {
            for (const StyledSpan &span : line.spans) {
                QCOMPARE(span.family, FontFamily::Song);
                QCOMPARE(span.pointSize, 11);
            }
        }
    }

    // Nothing in the view tells the correct answer or a verdict.
    void neverShowsTheCorrectAnswer()
    {
        QList<RunQuestion> run{makeQuestion(1, QStringLiteral("4"), QStringLiteral("1")),
                               makeQuestion(3, QStringLiteral("秘密答案"), QString()),
                               makeQuestion(5, QStringLiteral("论述要点"), QStringLiteral("略"))};
        for (int k = 0; k < 12; ++k)
            run << makeQuestion(2, QStringLiteral("1234"), QStringLiteral("1"));
        const StyledText text = PaperBrowseBuilder::build(QStringLiteral("章"), run);
        const QString all = plainText(text);
        for (const QString &word :
             {QStringLiteral("正确答案"), QStringLiteral("秘密答案"), QStringLiteral("论述要点"),
              QStringLiteral("√"), QStringLiteral("得分"), QStringLiteral("判定: ")})
            QVERIFY2(!all.contains(word), qPrintable(word));
        QVERIFY(all.contains(QStringLiteral("【15】(多选题)")));
        QVERIFY(all.contains(QStringLiteral("【09】(多选题)")));
    }

    // A stem of several lines is split into lines, trimmed only at its ends.
    void multiLineAnswer()
    {
        RunQuestion q = makeQuestion(5, QString(), QStringLiteral("第一行\r\n  第二行"));
        const StyledText text = PaperBrowseBuilder::build(QString(), QList<RunQuestion>{q});
        QCOMPARE(text.at(5).text(), QStringLiteral("你回答: 第一行"));
        QCOMPARE(text.at(6).text(), QStringLiteral("  第二行"));
    }
};

DRILLBAY_TEST(PaperBrowseBuilderTest)
#include "PaperBrowseBuilderTest.moc"
