#include "practice/ChapterLoader.h"

#include "base/GbkText.h"
#include "question/QuestionType.h"
#include <algorithm>

namespace {

const QString kLevels[10] = {
    QStringLiteral("您现在是 [初级工] 级.多学多练，会做的题点击【会做不练习】即可升级。加油！"),
    QStringLiteral("您已经达到 [技能1级] 级.会做的题点击【会做不练习】即可升级。加油！"),
    QStringLiteral("您已经达到 [技能2级] 级.会做的题点击【会做不练习】即可升级。加油！"),
    QStringLiteral("您已经达到 [技能3级] 级.会做的题点击【会做不练习】即可升级。加油！"),
    QStringLiteral("您已经达到 [技师] 级.您已经有一半题会做了，祝贺！加油！"),
    QStringLiteral("您已经达到 [助理工程师] 级.您已经有60% 题会做了，继续努力！"),
    QStringLiteral("您已经达到 [中级工程师] 级.您已经有70% 题会做了，继续努力！"),
    QStringLiteral("祝贺！您已经达到 [高级工程师] 级.您已经有80% 题会做了，继续努力！"),
    QStringLiteral("祝贺！您已经达到 [教授级] 级.只有20%的题，您在练习！马上要进入【师者】级。"),
    QStringLiteral("祝贺！您已经达到 [师者] 级.您可以为人师了。"),
};

const QString kHintLine = QStringLiteral(
    "提示：如果某道题会做，则点击紫色的【此题会做不练习】按钮，将不重复练习会做的题，"
    "使得要练习的题目越来越少，会做所有的题目,你的学习级别达到[师者]级 ");
const QString kRestoreLink = QStringLiteral("将试题全部恢复到学习状态");

QString padded(int number, int width)
{
    return QString::number(number).rightJustified(width, QLatin1Char('0'));
}

} // namespace

QString ChapterLoader::levelLine(int known, int total, int *percent)
{
    const int s = total > 0 ? text::roundHalfEven(static_cast<double>(known) / total * 100.0) : 0;
    if (percent)
        *percent = s;
    const int row = std::clamp(s / 10, 0, 9);
    return kLevels[row] + QStringLiteral("   ") + QString::number(known) + QStringLiteral(":") +
           QString::number(total);
}

QString ChapterLoader::failureNotice(const QString &chapter, int typeFilter)
{
    if (question::isTypeCode(typeFilter))
        return QStringLiteral("软件提示：您选择的章节 [") + chapter + QStringLiteral("] 中 [") +
               question::typeName(typeFilter) +
               QStringLiteral("] 试题数为 0 道，无法进行顺序练习，请重新选择.");
    return QStringLiteral("软件提示：您选择的试题章节 [") + chapter +
           QStringLiteral("] 中 试题数为 0 道，无法进行考试模拟，请重新选择.") +
           QStringLiteral("\r\n") + QStringLiteral("  请点击左上角章节选择旁边的“章节”");
}

QString ChapterLoader::setItem(int number, int count, bool lastPartial, int setCount)
{
    const int width = std::max(2, static_cast<int>(QString::number(setCount).size()));
    const QString figure = lastPartial ? text::twoDigits(count) : QString::number(count);
    return QStringLiteral("本章第【") + padded(number, width) + QStringLiteral("】套试卷") +
           figure + QStringLiteral("道试题");
}

int ChapterLoader::setNumberOfItem(const QString &item)
{
    const qsizetype open = item.indexOf(QStringLiteral("【"));
    const qsizetype close = item.indexOf(QStringLiteral("】"), open + 1);
    if (open < 0 || close < 0)
        return 0;
    return item.mid(open + 1, close - open - 1).toInt();
}

ChapterLoader::Result ChapterLoader::load(const QString &chapter, int typeFilter,
                                          int setSizeField) const
{
    Result r;
    const int f = question::isTypeCode(typeFilter) ? typeFilter : 0;

    // The chapter and its bank.
    if (const std::optional<ChapterRow> found = m_chapterTable.findByName(chapter)) {
        r.chapterId = found->id;
        r.bankId = found->bankId;
    }
    if (const std::optional<BankRow> bank = m_bankTable.find(r.bankId))
        r.bankName = bank->name;

    // Counts of the bank and of the chapter.
    const QuestionScope inBank = QuestionScope::bank(r.bankId);
    const QuestionScope inChapter = QuestionScope::chapter(r.chapterId).ofType(f);
    if (r.chapterId != 0) {
        r.bankTotal = m_questionTable.count(inBank);
        r.bankToPractise = m_questionTable.count(inBank.toPractise().ofType(f));
        r.chapterTotal = m_questionTable.count(inChapter);
        r.chapterToPractise = m_questionTable.count(inChapter.toPractise());
    }

    // Known figure of the bottom bar: the known questions of the whole bank.
    // With a type filter the bank's to-practise count covers one type only,
    // and subtracting it from the bank total would count every other type as
    // known; the figure is taken over all types instead.
    const int bankToPractiseAll =
        (f > 0 && r.chapterId != 0) ? m_questionTable.count(inBank.toPractise()) : r.bankToPractise;
    const int known = r.bankTotal - bankToPractiseAll;
    r.knownFigure = QString::number(known) + QStringLiteral("/") + QString::number(r.bankTotal);

    // Nothing to practise.
    if (r.chapterTotal == 0 || r.chapterToPractise == 0) {
        r.notice = failureNotice(chapter, f);
        r.openPicker = f == 0;
        return r;
    }

    // The division into sets.
    const int p = r.chapterToPractise;
    r.setSize = std::min(std::max(setSizeField, 1), p);
    r.fullSets = p / r.setSize;
    r.remainder = p - r.fullSets * r.setSize;
    r.setCount = r.fullSets + (r.remainder > 0 ? 1 : 0);

    // Texts of the chapter page.
    r.bankChapterLine = QStringLiteral("题库:[") + r.bankName + QStringLiteral("]  当前章节:[") +
                        chapter + QStringLiteral("]");
    r.setInfoLine = QStringLiteral("试题总共有:【") + QString::number(r.chapterTotal) +
                    QStringLiteral("】道") + QStringLiteral("  会做的题有:【") +
                    QString::number(r.chapterTotal - p) + QStringLiteral("】道 ") +
                    QStringLiteral("  要练习的题有:【") + QString::number(p) +
                    QStringLiteral("】道 ") + QStringLiteral(" 分割成：【") +
                    QString::number(r.setCount) + QStringLiteral("】套试卷");
    r.setItems.reserve(r.setCount);
    for (int k = 1; k <= r.fullSets; ++k)
        r.setItems << setItem(k, r.setSize, false, r.setCount);
    if (r.remainder > 0)
        r.setItems << setItem(r.fullSets + 1, r.remainder, true, r.setCount);

    // Level line, hint line and restore link.
    if (f > 0) {
        r.levelLine = QStringLiteral("提示:你选择的是:[") + chapter + QStringLiteral("]") +
                      QStringLiteral("    ") + question::typeName(f) + QStringLiteral("练习");
    } else {
        r.levelLine = levelLine(known, r.bankTotal, &r.levelPercent);
        r.hintLine = kHintLine;
        r.restoreLinkText = kRestoreLink;
    }
    r.ok = true;
    return r;
}
