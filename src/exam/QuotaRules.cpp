#include "exam/QuotaRules.h"

#include "exam/MockExamForm.h"
#include "question/QuestionType.h"

namespace quotarules {

namespace {

const QString kCrLf = QStringLiteral("\r\n");

QString bracketed(int number)
{
    return QLatin1Char('[') + QString::number(number) + QLatin1Char(']');
}

} // namespace

QList<int> choicesFor(int count)
{
    QList<int> choices;
    for (int quota = count; quota >= 0 && count > 0; --quota)
        choices << quota;
    return choices;
}

int fieldNumber(const QString &text, int overflow)
{
    const QString digits = text.trimmed();
    if (digits.isEmpty())
        return 0;
    for (const QChar c : digits) {
        if (c < QLatin1Char('0') || c > QLatin1Char('9'))
            return 0;
    }
    bool ok = false;
    const qint64 number = digits.toLongLong(&ok);
    return !ok || number > overflow ? overflow : static_cast<int>(number);
}

std::optional<FieldFix> checkMinutes(const QString &text)
{
    if (text.isEmpty() || fieldNumber(text, MockExamForm::kMaxMinutes + 1) == 0)
        return FieldFix{QString::number(MockExamForm::kDefaultMinutes),
                        QStringLiteral("[软件提示]:考试时间默认设置为 60 分钟.")};
    if (fieldNumber(text, MockExamForm::kMaxMinutes + 1) > MockExamForm::kMaxMinutes)
        return FieldFix{QString::number(MockExamForm::kMaxMinutes),
                        QStringLiteral("[软件提示]:考试时间最大设置为 180 分钟.")};
    return std::nullopt;
}

QString zeroQuestionLimitNotice()
{
    return QStringLiteral("[软件提示]:试题量不能设置为 0 道，请输入 1 到 150 之间的试题量.");
}

std::optional<FieldFix> checkQuestionLimit(const QString &text, const QString &previous)
{
    if (text.isEmpty())
        return FieldFix{QString::number(MockExamForm::kDefaultQuestionLimit),
                        QStringLiteral("[软件提示]:试题量默认设置为 120 道.")};
    if (fieldNumber(text, MockExamForm::kMaxQuestionLimit + 1) == 0)
        return FieldFix{previous, zeroQuestionLimitNotice()};
    if (fieldNumber(text, MockExamForm::kMaxQuestionLimit + 1) > MockExamForm::kMaxQuestionLimit)
        return FieldFix{QString::number(MockExamForm::kMaxQuestionLimit),
                        QStringLiteral("[软件提示]:试题量最大设置为 150 道.")};
    return std::nullopt;
}

std::optional<QString> refusal(const QString &minutesText, const QString &limitText,
                               const SaveFigures &figures)
{
    if (minutesText.isEmpty())
        return QStringLiteral("[软件提示]:请输入考试时间，默认模拟考试时间 60分钟 ");
    if (limitText.isEmpty())
        return QStringLiteral("[软件提示]:请输入试题量，默认随机抽取 120 道");
    if (figures.limit > MockExamForm::kMaxQuestionLimit)
        return QStringLiteral("[软件提示]:设定的试题量超过最大 150 道，请重新输入.");
    if (figures.after() <= figures.limit)
        return std::nullopt;
    return QStringLiteral("[软件提示]： 数据库中原有试题量:") +
           bracketed(figures.bankTotal - figures.chapterSaved) + QStringLiteral("道. ") + kCrLf +
           QStringLiteral("你本次抽取了 ") + bracketed(figures.chosen) + QStringLiteral("道..共") +
           bracketed(figures.after()) + QStringLiteral("道 ") + kCrLf +
           QStringLiteral("超过系统设定的试题量: ") + bracketed(figures.limit) +
           QStringLiteral("道 ") + kCrLf + QStringLiteral("提示：本次最大抽取试题数: ") +
           bracketed(figures.limit + figures.chapterSaved - figures.bankTotal) +
           QStringLiteral("道 ") + kCrLf +
           QStringLiteral("请重新选取本章试题，或者右键删除已经抽取的试题数量 .");
}

QString savedNotice()
{
    return QStringLiteral("[软件提示]:您选择的抽题数据已经保存,请双击下一章抽题.");
}

QString limitReachedNotice(int limit)
{
    return QStringLiteral("[软件提示]:您抽取的试题量 已经等于 设定的试题量.") + bracketed(limit) +
           QStringLiteral("道 可以点击各章修改.") + kCrLf +
           QStringLiteral("软件已经按设定的抽题数量随机抽题,如果要重新抽题，请点击左侧的 "
                          "[重新按抽题数量随机抽题] 链接. ") +
           kCrLf + QStringLiteral("否则，请点击左侧的【抽题模拟考试】按钮进入考试状态.");
}

QString redrawQuestion()
{
    return QStringLiteral("你确定要重新 随机抽取 设定的按章按题型 试题吗？");
}

QString noQuotasNotice(const QString &bankName)
{
    return QStringLiteral("[软件提示]：当前数据库【") + bankName +
           QStringLiteral("】没有设定抽题数量，现在自动打开按章抽题选择.");
}

QString redrawnNotice(const QString &bankName, int drawn)
{
    return QStringLiteral("[软件提示]：已按设定的按章按题型抽取方法，随机抽取数据库: [") +
           bankName + QStringLiteral("] 中试题:") + bracketed(drawn) +
           QStringLiteral("道完毕! 请点击【抽题模拟考试】按钮.");
}

QString shortChapterLine(const QString &chapterName, int type, int held, int quota)
{
    return QStringLiteral("[软件提示]：【") + chapterName + QStringLiteral("】现有") +
           question::typeName(type) + QString::number(held) + QStringLiteral("道，少于设定的") +
           QString::number(quota) + QStringLiteral("道，已全部抽取.");
}

QString goneChaptersLine(int rows)
{
    return QStringLiteral("[软件提示]：有") + QString::number(rows) +
           QStringLiteral("条抽题设定的章节已不存在，没有抽题.");
}

QString deleteQuestion()
{
    return QStringLiteral("你确定要【删除】本章抽取的试题数量设定吗？");
}

QString notSavedNotice(const QString &what, const QString &reason)
{
    return QStringLiteral("[软件提示]：") + what + QStringLiteral("没有保存，原因：") + reason;
}

QString notDeletedNotice(const QString &reason)
{
    return QStringLiteral("[软件提示]：抽题设定没有删除，原因：") + reason;
}

QString readFailedNotice(const QString &reason)
{
    return QStringLiteral("[软件提示]：数据没有读出，原因：") + reason;
}

QString noChapterNotice()
{
    return QStringLiteral("[软件提示]:请先双击选择一章，再设定抽题数量.");
}

QString chapterGoneNotice(const QString &chapterName)
{
    return QStringLiteral("[软件提示]:章节【") + chapterName +
           QStringLiteral("】已不存在，抽题数据没有保存，请重新双击选择章节.");
}

QString chapterItem(int position, const QString &name, int count)
{
    return QStringLiteral("【") + QString::number(position).rightJustified(2, QLatin1Char('0')) +
           QStringLiteral("】") + name + QLatin1Char('(') + QString::number(count) +
           QStringLiteral("道)");
}

} // namespace quotarules
