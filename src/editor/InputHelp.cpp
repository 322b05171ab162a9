#include "editor/InputHelp.h"

namespace inputhelp {

namespace {

constexpr unsigned kRed = rgb::kRed;
constexpr unsigned kBlack = rgb::kBlack;
constexpr unsigned kGreen = rgb::kGreen;
constexpr unsigned kNavy = rgb::kNavy;

StyledLine textLine(const QString &text, unsigned color, FontFamily family = FontFamily::Song,
                    int points = kTextPoints)
{
    StyledSpan span;
    span.text = text;
    span.color = color;
    span.family = family;
    span.pointSize = points;
    return StyledLine{{span}};
}

StyledLine empty()
{
    return textLine(QString(), kBlack);
}

void heading(StyledText &lines, const QString &text)
{
    lines << empty() << textLine(text, kBlack, FontFamily::Hei, kHeadingPoints) << empty();
}

const QString kFormat = QStringLiteral("编辑试题的格式如下：");
const QString kCapitals = QStringLiteral("编辑试题的格式如下：其中A B C D 为大写");
const QString kMarkerRule =
    QStringLiteral("其中必须有 [答案:***]  二字，否则无法识别，且试题干中不得有答案二字.");
const QString kNotRecognised =
    QStringLiteral("\"答案不能自动识别\"。请选择答案，并点击【保存】按钮即可");
const QString kSave = QStringLiteral("点击【保存】按钮即可");

void choiceExample(StyledText &lines)
{
    lines << textLine(QStringLiteral("例：室内母线分段部分、母线交叉部分及部分停电检修易误碰(   )"
                                     "的，应设有明显标志的永久性隔离挡板(护网)。 答案：D："),
                      kBlack)
          << textLine(QStringLiteral("A. 引线部分"), kBlack)
          << textLine(QStringLiteral("B. 停电部分"), kBlack)
          << textLine(QStringLiteral("C. 停电设备"), kBlack)
          << textLine(QStringLiteral("D. 有电设备"), kBlack);
}

} // namespace

StyledText lines()
{
    StyledText lines;
    // The title stands out like the section headings.
    lines << empty() << empty()
          << textLine(QStringLiteral("试题输入帮助"), kRed, FontFamily::Hei, kHeadingPoints)
          << empty();

    heading(lines, QStringLiteral(" 一.单项选择题输入 "));
    lines << textLine(kCapitals, kRed) << empty();
    choiceExample(lines);
    lines << empty()
          << textLine(
                 QStringLiteral("方法：将试题及其选项全部复制到试题输入框中。将【答案：D】删除，"
                                "点击【自动填写】按钮，则自动将选择项填写到选项框中."),
                 kGreen)
          << textLine(kNotRecognised, kGreen);

    heading(lines, QStringLiteral(" 二.多项选择题输入 "));
    lines << empty() << textLine(kCapitals, kRed) << empty();
    choiceExample(lines);
    lines << empty()
          << textLine(
                 QStringLiteral("方法：将试题及其选项全部复制到试题输入框中。将【答案：D】删除，"
                                "点击【自动填写】按钮，则\"自动将选择项填写到选项框\"中."),
                 kNavy)
          << textLine(kNotRecognised, kNavy);

    heading(lines, QStringLiteral(" 三.填空题输入"));
    lines << empty() << textLine(kFormat, kRed) << textLine(kMarkerRule, kRed) << empty()
          << textLine(
                 QStringLiteral("例：一张工作票上所列的检修设备应同时停、送电，开工前工作票内的"
                                "全部安全措施应________。 答案：一次完成。"),
                 kBlack)
          << empty()
          << textLine(
                 QStringLiteral("方法：将试题及其答案全部复制到试题输入框中。直接点击【自动填写】"
                                "按钮，则\"软件将试题答案自动填写\"."),
                 kGreen)
          << textLine(kSave, kGreen);

    heading(lines, QStringLiteral(" 四.判断题输入"));
    lines << textLine(kFormat, kRed)
          << textLine(QStringLiteral("其中必须有 [答案:正确] 或者 [答案：错误] 字样，否则无法识别，"
                                     "且试题干中不得有答案二字."),
                      kRed)
          << empty()
          << textLine(
                 QStringLiteral("例：装设接地线应先接导体端，后接接地端，接地线应接触良好，连接应"
                                "可靠。(  ) 答案：错误."),
                 kBlack)
          << empty()
          << textLine(
                 QStringLiteral("方法：将试题及其答案全部复制到试题输入框中。直接点击【自动填写】"
                                "按钮，则软件将 [自动识别试题答案]自动填写."),
                 kGreen)
          << textLine(kSave, kGreen);

    heading(lines, QStringLiteral(" 五.论述输入"));
    lines << textLine(kFormat, kRed) << textLine(kMarkerRule, kRed) << empty()
          << textLine(QStringLiteral("例：哪些信号、仪表，如果指示有电，则禁止在设备上工作。"),
                      kBlack)
          << textLine(
                 QStringLiteral("答案：表示设备断开和允许进入间隔的信号，经常接入的电压表等，如果"
                                "指示有电，则禁止在设备上工作."),
                 kBlack)
          << empty()
          << textLine(
                 QStringLiteral("方法：将试题及其答案全部复制到试题输入框中。直接点击【自动填写】"
                                "按钮，则软件“将试题答案自动填写”"),
                 kGreen)
          << textLine(kSave, kGreen) << empty() << textLine(QStringLiteral("注意："), kBlack)
          << textLine(QStringLiteral("1.【名词解释】题，添加到论述题中，每个题目前写【名词解释】;"),
                      kBlack)
          << textLine(QStringLiteral("2.【简答】题，添加到论述题中，每个题目前写【简答题】;"),
                      kBlack)
          << textLine(QStringLiteral("3.【改错】题，添加到论述题中，每个题目前写【改错】;"), kBlack)
          << textLine(QStringLiteral("4. 各试题均不输入题号，软件自动生成;"), kBlack) << empty()
          << empty();
    return lines;
}

} // namespace inputhelp
