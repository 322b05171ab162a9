#include "TestRegistry.h"

#include "editor/AutoFill.h"
#include "editor/InputHelp.h"

#include <QTest>

Q_DECLARE_METATYPE(autofill::Verdict)

namespace {

const QString kExampleStem =
    QStringLiteral("例：室内母线分段部分、母线交叉部分及部分停电检修易误碰(   )的，应设有明显"
                   "标志的永久性隔离挡板(护网)。 ");

} // namespace

// The split of a pasted question into the fields of its entry page.
class AutoFillTest : public QObject
{
    Q_OBJECT

private slots:
    void choice_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("stem");
        QTest::addColumn<QStringList>("options");

        QTest::newRow("help example, CR LF")
            << kExampleStem +
                   QStringLiteral("\r\nA. 引线部分\r\nB. 停电部分\r\nC. 停电设备\r\nD. 有电设备")
            << kExampleStem + QStringLiteral("\r\n")
            << QStringList{"引线部分", "停电部分", "停电设备", "有电设备"};
        QTest::newRow("three options: D is 0")
            << QStringLiteral("题干\nA.甲\nB.乙\nC.丙") << QStringLiteral("题干\n")
            << QStringList{"甲", "乙", "丙", "0"};
        // Every separator, whichever width; the separator never stays in the option.
        QTest::newRow("separators")
            << QStringLiteral("题干 A、甲 B．乙 C：丙 D）丁") << QStringLiteral("题干 ")
            << QStringList{"甲", "乙", "丙", "丁"};
        QTest::newRow("ascii separators")
            << QStringLiteral("题干(A)甲(B:乙(C.丙(D 丁") << QStringLiteral("题干(")
            << QStringList{"甲(", "乙(", "丙(", "丁"};
        // Letters inside words are text: CT, PT, AC/DC, GIS.
        QTest::newRow("capitals in words")
            << QStringLiteral("CT和PT的二次回路在GIS中\nA.AC/DC电源\nB.CT回路\nC.PT回路\nD.GIS")
            << QStringLiteral("CT和PT的二次回路在GIS中\n")
            << QStringList{"AC/DC电源", "CT回路", "PT回路", "GIS"};
        // A marker needs its separator: "A" before a Chinese character is text.
        QTest::newRow("letter without separator")
            << QStringLiteral("选出A类设备\nA.一\nB.二\nC.三\nD.四")
            << QStringLiteral("选出A类设备\n") << QStringList{"一", "二", "三", "四"};
        // The options follow each other in order: a later "A." is text of option D.
        QTest::newRow("A after D")
            << QStringLiteral("题干\nA.一\nB.二\nC.三\nD.四\nA.再一") << QStringLiteral("题干\n")
            << QStringList{"一", "二", "三", "四\nA.再一"};
        // Options written back to back: each marker is glued to the text before it.
        QTest::newRow("back to back") << QStringLiteral("A.10kVB.35kVC.110kVD.220kV") << QString()
                                      << QStringList{"10kV", "35kV", "110kV", "220kV"};
        QTest::newRow("back to back after the stem")
            << QStringLiteral("线路的额定电压为(   )。A.10kVB.35kVC.110kVD.220kV")
            << QStringLiteral("线路的额定电压为(   )。")
            << QStringList{"10kV", "35kV", "110kV", "220kV"};
        QTest::newRow("back to back, glued to the stem")
            << QStringLiteral("额定电压为A.10kVB.35kVC.110kVD.220kV")
            << QStringLiteral("额定电压为") << QStringList{"10kV", "35kV", "110kV", "220kV"};
        QTest::newRow("back to back, capitals in words")
            << QStringLiteral("GIS中CT回路用(   )。A.AC/DC电源B.CT电源C.GIS电源D.直流")
            << QStringLiteral("GIS中CT回路用(   )。")
            << QStringList{"AC/DC电源", "CT电源", "GIS电源", "直流"};
        // "A、B两相" is text: its B has no separator.
        QTest::newRow("B两相 inside option A")
            << QStringLiteral("A、B两相短路 B、三相短路 C、单相接地 D、两相接地") << QString()
            << QStringList{"B两相短路", "三相短路", "单相接地", "两相接地"};
        QTest::newRow("option A beginning with A、B")
            << QStringLiteral("发生(   )时零序电流最大。\nA.A、B两相短路\nB.三相短路\nC.单相接地"
                              "\nD.两相接地")
            << QStringLiteral("发生(   )时零序电流最大。\n")
            << QStringList{"A、B两相短路", "三相短路", "单相接地", "两相接地"};
        QTest::newRow("A、B in the stem")
            << QStringLiteral("(A、B)两相短路时：\nA.甲\nB.乙\nC.丙\nD.丁")
            << QStringLiteral("(A、B)两相短路时：\n") << QStringList{"甲", "乙", "丙", "丁"};
        QTest::newRow("B. inside option B")
            << QStringLiteral("题干 A.甲 B.乙型号XB.2 C.丙 D.丁") << QStringLiteral("题干 ")
            << QStringList{"甲", "乙型号XB.2", "丙", "丁"};
        QTest::newRow("no markers") << QStringLiteral("只有题干没有选项") << QString()
                                    << QStringList{"", "", "只有题干没有选项", "0"};
        QTest::newRow("lower case letters are text")
            << QStringLiteral("题干 a.一 b.二 A.甲 B.乙 C.丙 D.丁")
            << QStringLiteral("题干 a.一 b.二 ") << QStringList{"甲", "乙", "丙", "丁"};
        QTest::newRow("marker at the very end")
            << QStringLiteral("题干 A.甲 B.乙 C.丙 D.") << QStringLiteral("题干 ")
            << QStringList{"甲", "乙", "丙", ""};
        QTest::newRow("empty") << QString() << QString() << QStringList{"", "", "", "0"};
    }
    void choice()
    {
        QFETCH(QString, text);
        QFETCH(QString, stem);
        QFETCH(QStringList, options);
        const autofill::ChoiceSplit split = autofill::splitChoice(text);
        QCOMPARE(split.stem, stem);
        QCOMPARE(QStringList(split.options.begin(), split.options.end()), options);
    }

    void markers_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("index");
        QTest::addColumn<bool>("marker");
        QTest::newRow("at start") << QStringLiteral("A.x") << 0 << true;
        QTest::newRow("after blank") << QStringLiteral("x A x") << 2 << true;
        QTest::newRow("after line break") << QStringLiteral("x\nB、x") << 2 << true;
        QTest::newRow("after full-width punctuation") << QStringLiteral("（C）x") << 1 << true;
        QTest::newRow("after letter") << QStringLiteral("AC/DC") << 1 << false;
        QTest::newRow("before letter") << QStringLiteral(" CT ") << 1 << false;
        QTest::newRow("after hanzi") << QStringLiteral("中A.x") << 1 << false;
        QTest::newRow("last character") << QStringLiteral("x A") << 2 << false;
        QTest::newRow("E is no marker") << QStringLiteral(" E.x") << 1 << false;
    }
    void markers()
    {
        QFETCH(QString, text);
        QFETCH(int, index);
        QFETCH(bool, marker);
        QCOMPARE(autofill::isOptionMarker(text, index), marker);
    }

    void answer_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("stem");
        QTest::addColumn<QString>("answer");
        QTest::newRow("help example, full-width colon")
            << QStringLiteral(
                   "例：一张工作票上所列的检修设备应同时停、送电，开工前工作票内的全部安全"
                   "措施应________。 答案：一次完成。")
            << QStringLiteral(
                   "例：一张工作票上所列的检修设备应同时停、送电，开工前工作票内的全部安全"
                   "措施应________。 ")
            << QStringLiteral("一次完成。");
        QTest::newRow("ascii colon") << QStringLiteral("题干\r\n答案:停电")
                                     << QStringLiteral("题干\r\n") << QStringLiteral("停电");
        QTest::newRow("no colon") << QStringLiteral("题干答案 停电") << QStringLiteral("题干")
                                  << QStringLiteral("停电");
        QTest::newRow("first marker") << QStringLiteral("题干答案：甲，答案乙")
                                      << QStringLiteral("题干") << QStringLiteral("甲，答案乙");
        QTest::newRow("no marker") << QStringLiteral(" 全是答案的文字") << QStringLiteral(" 全是")
                                   << QStringLiteral("的文字");
        QTest::newRow("no marker at all")
            << QStringLiteral("  无标记  ") << QString() << QStringLiteral("无标记");
        QTest::newRow("marker only") << QStringLiteral("答案：") << QString() << QString();
    }
    void answer()
    {
        QFETCH(QString, text);
        QFETCH(QString, stem);
        QFETCH(QString, answer);
        const autofill::AnswerSplit split = autofill::splitAnswer(text);
        QCOMPARE(split.stem, stem);
        QCOMPARE(split.answer, answer);
    }

    void trueFalse_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("stem");
        QTest::addColumn<autofill::Verdict>("verdict");
        using V = autofill::Verdict;
        const QString example = QStringLiteral(
            "例：装设接地线应先接导体端，后接接地端，接地线应接触良好，连接应可靠。(  ) ");
        QTest::newRow("help example")
            << example + QStringLiteral("答案：错误.") << example << V::Wrong;
        QTest::newRow("full-width colon, 正确")
            << QStringLiteral("题干答案：正确") << QStringLiteral("题干") << V::Correct;
        // Either colon width: the first character of the answer is not cut.
        QTest::newRow("ascii colon, 正确")
            << QStringLiteral("题干答案:正确") << QStringLiteral("题干") << V::Correct;
        QTest::newRow("错 alone") << QStringLiteral("题干答案：错") << QStringLiteral("题干")
                                  << V::Wrong;
        QTest::newRow("正 alone") << QStringLiteral("题干答案: 正") << QStringLiteral("题干")
                                  << V::Correct;
        QTest::newRow("both: 错 wins")
            << QStringLiteral("题干答案：正确还是错误") << QStringLiteral("题干") << V::Wrong;
        QTest::newRow("neither") << QStringLiteral("题干答案：对") << QStringLiteral("题干")
                                 << V::None;
        // The stem's words are not searched when the marker is there.
        QTest::newRow("word in stem only")
            << QStringLiteral("正确的是答案：对") << QStringLiteral("正确的是") << V::None;
        // Without a marker, the search starts at the sixth GBK byte.
        QTest::newRow("no marker, word early")
            << QStringLiteral("正确的题干") << QString() << V::None;
        QTest::newRow("no marker, word late")
            << QStringLiteral("这道题干是错的") << QString() << V::Wrong;
    }
    void trueFalse()
    {
        QFETCH(QString, text);
        QFETCH(QString, stem);
        QFETCH(autofill::Verdict, verdict);
        const autofill::TrueFalseSplit split = autofill::splitTrueFalse(text);
        QCOMPARE(split.stem, stem);
        QCOMPARE(split.verdict, verdict);
    }

    // The help window's examples, pasted as its lines say, split into the
    // fields they describe.
    void helpExamples_data()
    {
        QTest::addColumn<int>("type");
        QTest::addColumn<QString>("pasted");
        QTest::addColumn<QString>("stem");
        QTest::addColumn<QStringList>("fields"); // options, the answer, or the verdict

        QStringList texts;
        for (const StyledLine &line : inputhelp::lines())
            texts << line.text();
        QCOMPARE(texts.count(QStringLiteral("试题输入帮助")), 1);
        const auto example = [&](const char *start) {
            for (const QString &text : texts) {
                if (text.startsWith(QString::fromUtf8(start)))
                    return text;
            }
            return QString();
        };
        // The choice example stands in the sections of both choice types,
        // each time with its four options below it; "答案：D：" is deleted
        // as the help says.
        qsizetype from = 0;
        for (const char *section : {"single choice", "multiple choice"}) {
            const qsizetype optionA = texts.indexOf(QStringLiteral("A. 引线部分"), from);
            QVERIFY(optionA > 0);
            from = optionA + 1;
            QString pasted = texts.mid(optionA - 1, 5).join(QStringLiteral("\r\n"));
            pasted.remove(QStringLiteral("答案：D："));
            QTest::newRow(section) << 1 << pasted << kExampleStem + QStringLiteral("\r\n")
                                   << QStringList{"引线部分", "停电部分", "停电设备", "有电设备"};
        }
        const QString fillIn = example("例：一张工作票");
        QTest::newRow("fill-in") << 3 << fillIn
                                 << fillIn.left(fillIn.indexOf(QStringLiteral("答案")))
                                 << QStringList{"一次完成。"};
        const QString trueFalse = example("例：装设接地线");
        QTest::newRow("true/false")
            << 4 << trueFalse << trueFalse.left(trueFalse.indexOf(QStringLiteral("答案")))
            << QStringList{"错误"};
        const QString essayStem = example("例：哪些信号") + QStringLiteral("\r\n");
        const QString essayAnswer = example("答案：表示设备");
        QTest::newRow("essay") << 5 << essayStem + essayAnswer << essayStem
                               << QStringList{essayAnswer.mid(3)};
    }
    void helpExamples()
    {
        QFETCH(int, type);
        QFETCH(QString, pasted);
        QFETCH(QString, stem);
        QFETCH(QStringList, fields);
        if (type == 1) {
            const autofill::ChoiceSplit split = autofill::splitChoice(pasted);
            QCOMPARE(split.stem, stem);
            QCOMPARE(QStringList(split.options.begin(), split.options.end()), fields);
        } else if (type == 4) {
            const autofill::TrueFalseSplit split = autofill::splitTrueFalse(pasted);
            QCOMPARE(split.stem, stem);
            QCOMPARE(split.verdict, fields.first() == QStringLiteral("错误")
                                        ? autofill::Verdict::Wrong
                                        : autofill::Verdict::Correct);
        } else {
            const autofill::AnswerSplit split = autofill::splitAnswer(pasted);
            QCOMPARE(split.stem, stem);
            QCOMPARE(QStringList{split.answer}, fields);
        }
    }

    // A megabyte of pasted text with markers only at the end.
    void largePaste()
    {
        const QString filler(1 << 20, QChar(u'电'));
        const autofill::ChoiceSplit split =
            autofill::splitChoice(filler + QStringLiteral("\nA.一\nB.二\nC.三\nD.四"));
        QCOMPARE(split.stem.size(), filler.size() + 1);
        QCOMPARE(split.options[3], QStringLiteral("四"));
        QCOMPARE(autofill::splitAnswer(filler).answer.size(), filler.size());
    }
};

DRILLBAY_TEST(AutoFillTest)
#include "AutoFillTest.moc"
