#include "TestRegistry.h"

#include "editor/ListTextDecoder.h"
#include "editor/QuestionListText.h"

#include <QTest>

namespace {

// A draft written as one line for comparison:
// "line|type|stem|A/B/C/D|answer|points|note".
QString flat(const ListDraft &d)
{
    const bool choice = d.draft.type == 1 || d.draft.type == 2;
    const QString options =
        choice ? QStringList(d.draft.options.begin(), d.draft.options.end()).join(u'/') : QString();
    return QStringList{QString::number(d.line),
                       QString::number(d.draft.type),
                       d.draft.stem,
                       options,
                       d.draft.answer,
                       d.draft.points,
                       d.note}
        .join(u'|');
}

QStringList flatAll(const QList<ListDraft> &drafts)
{
    QStringList lines;
    for (const ListDraft &d : drafts)
        lines << flat(d);
    return lines;
}

} // namespace

// The shapes question lists of the trade come in, each read to the drafts
// the entry pages would hold.
class QuestionListTextTest : public QObject
{
    Q_OBJECT

private slots:
    void shapes_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QStringList>("expected");

        QTest::newRow("headings, numbers, options on their own lines")
            << QStringLiteral(
                   "一、单项选择题\n1. 工作票签发人不得兼任该项工作的（  ）。\nA.工作许可人\n"
                   "B.工作负责人\nC.专责监护人\nD.工作班成员\n答案：B\n"
                   "二、多选题\n2、 验电时应使用（ ）。\nA. 相应电压等级\nB. 合格的\n"
                   "C. 接触式验电器\nD. 任意验电器\n正确答案：ABC\n")
            << QStringList{
                   QStringLiteral(
                       "2|1|工作票签发人不得兼任该项工作的（  ）。|工作许可人/工作负责人/"
                       "专责监护人/工作班成员|2|2|"),
                   QStringLiteral("9|2|验电时应使用（ ）。|相应电压等级/合格的/接触式验电器/"
                                  "任意验电器|123|2|")};
        QTest::newRow("options back to back, answer in the stem's bracket, score")
            << QStringLiteral(
                   "单选题\n（1）室内母线分段部分应设有明显标志的永久性隔离挡板（ D ）。（2分）\n"
                   "A.引线部分 B.停电部分 C.停电设备 D.有电设备\n")
            << QStringList{QStringLiteral(
                   "2|1|室内母线分段部分应设有明显标志的永久性隔离挡板（  ）。|引线部分/停电部分/"
                   "停电设备/有电设备|4|2|")};
        QTest::newRow("letters glued after text, lower-case answer, 【答案】 and analysis")
            << QStringLiteral("第1题 高压设备发生接地时，室内人员应距离故障点（ ）以外。\n"
                              "A、2m  B、4m  C、8m  D、10m\n【答案】b\n解析：室内4米，室外8米。\n")
            << QStringList{QStringLiteral("1|1|高压设备发生接地时，室内人员应距离故障点（ ）以外。|"
                                          "2m/4m/8m/10m|2|2|室内4米，室外8米。")};
        QTest::newRow("true/false by words and marks, either colon")
            << QStringLiteral(
                   "三、判断题\n1．装设接地线应先接导体端。\n答案：错误\n2．停电检修应先验电。"
                   "\n答案:√\n3．工作票可以由工作负责人签发。（×）\n4．雷雨天禁止倒闸操作。"
                   "答案：对\n")
            << QStringList{QStringLiteral("2|4|装设接地线应先接导体端。||0|2|"),
                           QStringLiteral("4|4|停电检修应先验电。||1|2|"),
                           QStringLiteral("6|4|工作票可以由工作负责人签发。（  ）||0|2|"),
                           QStringLiteral("7|4|雷雨天禁止倒闸操作。||1|2|")};
        QTest::newRow("fill-in: answer line, underline blank, padded bracket")
            << QStringLiteral(
                   "填空题\n1. 开工前工作票内的全部安全措施应________。答案：一次完成\n"
                   "2. 验电时应戴__绝缘手套__。\n3. 接地线截面不得小于（ 25 ）平方毫米。\n")
            << QStringList{
                   QStringLiteral("2|3|开工前工作票内的全部安全措施应________。||一次完成|2|"),
                   QStringLiteral("3|3|验电时应戴____。||绝缘手套|2|"),
                   QStringLiteral("4|3|接地线截面不得小于（  ）平方毫米。||25|2|")};
        QTest::newRow("essay: answer over several lines, its own numbered list kept")
            << QStringLiteral(
                   "简答题（每题5分）\n1. 保证安全的技术措施有哪些？\n答案：\n1. 停电；\n"
                   "2. 验电；\n3. 装设接地线。\n2. 什么是运用中的电气设备？\n"
                   "答案：全部带有电压或一部分带有电压的设备。\n")
            << QStringList{
                   QStringLiteral("2|5|保证安全的技术措施有哪些？||1. 停电；\n2. 验电；\n3. "
                                  "装设接地线。|5|"),
                   QStringLiteral("7|5|什么是运用中的电气设备？||全部带有电压或一部分带有电压的"
                                  "设备。|5|")};
        QTest::newRow("no headings: the type from the shape")
            << QStringLiteral(
                   "1. 单选的题干\nA.甲\nB.乙\nC.丙\nD.丁\n答案：C\n2. 多选的题干\nA.甲\nB.乙\n"
                   "C.丙\nD.丁\n答案：AD\n3. 判断的题干\n答案：正确\n4. 填空的题干____。\n"
                   "答案：填空\n5. 论述的题干\n答案：论述\n6. 空白里的填空（ 答案 ）。\n")
            << QStringList{QStringLiteral("1|1|单选的题干|甲/乙/丙/丁|3|2|"),
                           QStringLiteral("7|2|多选的题干|甲/乙/丙/丁|14|2|"),
                           QStringLiteral("13|4|判断的题干||1|2|"),
                           QStringLiteral("15|3|填空的题干____。||填空|2|"),
                           QStringLiteral("17|5|论述的题干||论述|2|"),
                           QStringLiteral("19|3|空白里的填空（  ）。||答案|2|")};
        QTest::newRow("title lines before the first numbered question are not questions")
            << QStringLiteral(
                   "2024年安全规程考试题库\n（变电部分）\n\n一、单选题\n1. 题干\nA.甲 B.乙 C.丙 "
                   "D.丁\n答案：A\n")
            << QStringList{QStringLiteral("5|1|题干|甲/乙/丙/丁|1|2|")};
        QTest::newRow("without numbers: a question ends at its answer")
            << QStringLiteral("工作票有几种？\nA.一种\nB.二种\nC.三种\nD.四种\n答案：B\n"
                              "停电操作的顺序是什么？\n答案：先断路器后隔离开关\n")
            << QStringList{QStringLiteral("1|1|工作票有几种？|一种/二种/三种/四种|2|2|"),
                           QStringLiteral("7|5|停电操作的顺序是什么？||先断路器后隔离开关|2|")};
        QTest::newRow("answers the entry pages cannot choose are left empty")
            << QStringLiteral(
                   "单选题\n1. 题干一\nA.甲\nB.乙\nC.丙\nD.丁\n答案：AB\n2. 题干二\nA.甲\nB.乙\n"
                   "C.丙\nD.丁\n答案：E\n判断题\n3. 题干三\n答案：也许\n")
            << QStringList{QStringLiteral("2|1|题干一|甲/乙/丙/丁||2|"),
                           QStringLiteral("8|1|题干二|甲/乙/丙/丁||2|"),
                           QStringLiteral("15|4|题干三|||2|")};
        QTest::newRow("a stem starting with a number after the question's number")
            << QStringLiteral("填空题\n1.10kV设备不停电时的安全距离为____。\n答案：0.70m\n"
                              "2.35kV设备不停电时的安全距离为____。\n答案：\n1.00m\n")
            << QStringList{QStringLiteral("2|3|10kV设备不停电时的安全距离为____。||0.70m|2|"),
                           QStringLiteral("4|3|35kV设备不停电时的安全距离为____。||1.00m|2|")};
        QTest::newRow("three options, a score line, CR LF")
            << QStringLiteral("单选题\r\n1. 题干\r\nA.甲\r\nB.乙\r\nC.丙\r\n答案：A\r\n分值：3\r\n")
            << QStringList{QStringLiteral("2|1|题干|甲/乙/丙/|1|3|")};
    }
    void shapes()
    {
        QFETCH(QString, text);
        QFETCH(QStringList, expected);
        QCOMPARE(flatAll(QuestionListText::read(text)), expected);
    }

    void encodings_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("error");
        const QString words = QStringLiteral("1. 验电\n答案：对\n");
        QTest::newRow("UTF-8") << words.toUtf8() << words << QString();
        QTest::newRow("UTF-8 with its mark")
            << QByteArray("\xEF\xBB\xBF") + words.toUtf8() << words << QString();
        QTest::newRow("GBK") << QByteArray(
                                    "1. \xD1\xE9\xB5\xE7\n\xB4\xF0\xB0\xB8\xA3\xBA\xB6\xD4\n")
                             << words << QString();
        QTest::newRow("binary") << QByteArray("PK\x03\x04\x00\x00\x14\x00", 8) << QString()
                                << ListTextDecoder::kBinary;
    }
    void encodings()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(QString, text);
        QFETCH(QString, error);
        const ListTextDecoder::Result result = ListTextDecoder::decode(bytes);
        QCOMPARE(result.error, error);
        if (error.isEmpty())
            QCOMPARE(result.text, text);
    }
};

DRILLBAY_TEST(QuestionListTextTest)
#include "QuestionListTextTest.moc"
