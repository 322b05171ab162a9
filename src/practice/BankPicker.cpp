#include "practice/BankPicker.h"

#include "base/GbkText.h"
#include "base/Notifier.h"
#include "base/Selection.h"
#include "base/StoreError.h"
#include <QHash>

BankPicker::BankPicker(QSqlDatabase db) : m_bankTable(db), m_chapterTable(db), m_questionTable(db)
{
}

void BankPicker::setSelection(Selection *selection)
{
    m_selection = selection;
    publishCheckedBank();
}

void BankPicker::publishCheckedBank()
{
    if (m_selection)
        m_selection->setBank(m_checkedBankId, m_checkedBankName);
}

void BankPicker::refresh()
{
    m_banks = m_bankTable.all();

    // Keep the checked bank's caption in step with the table; a bank that has
    // gone or been closed is no longer checked (its chapters stay listed).
    const int position = checkedPosition();
    if (position < 0 || !m_banks.at(position).enabled) {
        m_checked = false;
        m_checkedBankId = 0;
        m_checkedBankName.clear();
    } else {
        m_checkedBankName = m_banks.at(position).name;
    }
    publishCheckedBank();

    if (!m_listedOnce) {
        for (int i = 0; i < m_banks.size(); ++i) {
            if (m_banks.at(i).enabled) {
                listBank(i);
                break;
            }
        }
    }
    if (!m_listedOnce)
        m_wholeTotal = m_questionTable.countAll();
}

bool BankPicker::showBanks(Notifier &notifier)
{
    try {
        refresh();
    } catch (const StoreError &error) {
        m_readFailed = true;
        notifier.inform(readFailedNotice(error.reason()));
        return false;
    }
    m_readFailed = false;
    return true;
}

bool BankPicker::chooseBank(int bankPosition, Notifier &notifier)
{
    try {
        const bool listed = listBank(bankPosition);
        m_readFailed = false;
        return listed;
    } catch (const StoreError &error) {
        m_readFailed = true;
        notifier.inform(readFailedNotice(error.reason()));
        return false;
    }
}

int BankPicker::checkedPosition() const
{
    if (!m_checked)
        return -1;
    for (int i = 0; i < m_banks.size(); ++i) {
        if (m_banks.at(i).id == m_checkedBankId)
            return i;
    }
    return -1;
}

bool BankPicker::listBank(int bankPosition)
{
    if (bankPosition < 0 || bankPosition >= m_banks.size() || !m_banks.at(bankPosition).enabled)
        return false;
    const Bank bank = m_banks.at(bankPosition);

    const QList<ChapterRow> chapters = m_chapterTable.ofBank(bank.id);
    const QHash<qint64, int> perChapter = m_questionTable.countsPerChapter(bank.id);
    const int whole = m_questionTable.countAll();

    m_names.clear();
    m_counts.clear();
    m_bankTotal = 0;
    for (const ChapterRow &chapter : chapters) {
        const int count = perChapter.value(chapter.id, 0);
        m_names.append(chapter.name);
        m_counts.append(count);
        m_bankTotal += count;
    }
    m_wholeTotal = whole;
    m_checked = true;
    m_checkedBankId = bank.id;
    m_checkedBankName = bank.name;
    publishCheckedBank();
    m_listedOnce = true;
    m_remembered = 0;
    ++m_listings;
    return true;
}

QString BankPicker::itemText(int position, const QString &name, int count)
{
    return QStringLiteral("【") + text::twoDigits(position) + QStringLiteral("】") + name +
           QLatin1Char('(') + QString::number(count) + QStringLiteral("道)");
}

QStringList BankPicker::itemTexts() const
{
    QStringList texts;
    for (int i = 0; i < m_names.size(); ++i)
        texts << itemText(i + 1, m_names.at(i), m_counts.at(i));
    return texts;
}

QString BankPicker::countsText() const
{
    if (m_readFailed)
        return QStringLiteral("题库数据无法读取，不能列出试题库和章节。");
    if (m_banks.isEmpty())
        return QStringLiteral("数据库中没有试题库，无法选择章节。");
    if (!m_listedOnce)
        return QStringLiteral("没有可以使用的试题库（全部试题库均已停用）。");
    return QStringLiteral("当前试题库:") + QString::number(m_bankTotal) + QStringLiteral("道/  ") +
           QStringLiteral("全库:") + QString::number(m_wholeTotal) + QStringLiteral("道");
}

QString BankPicker::doubleClick(int position, Notifier &notifier)
{
    if (position < 0 || position >= m_names.size()) {
        notifier.inform(emptyChapterNotice());
        return QString();
    }
    m_remembered = position;
    if (m_counts.at(position) <= 0) {
        notifier.inform(emptyChapterNotice());
        return QString();
    }
    m_chosenOnce = true;
    return m_names.at(position);
}

BankPicker::CloseDecision BankPicker::closeDecision() const
{
    if (m_chosenOnce)
        return CloseDecision::Hide;
    if (m_readFailed)
        return CloseDecision::AskQuit;
    try {
        return anyChoosableChapter() ? CloseDecision::Refuse : CloseDecision::AskQuit;
    } catch (const StoreError &) {
        // Nothing can be read, so nothing can be chosen.
        m_readFailed = true;
        return CloseDecision::AskQuit;
    }
}

QString BankPicker::closeQuestion() const
{
    return m_readFailed ? readFailedQuestion() : quitQuestion();
}

bool BankPicker::anyChoosableChapter() const
{
    return m_questionTable.anyInEnabledBank();
}

QString BankPicker::emptyChapterNotice()
{
    return QStringLiteral("[软件提示]:你当前选择的章节试题库 试题数为 0 ，请重新选择.");
}

QString BankPicker::readFailedNotice(const QString &reason)
{
    return QStringLiteral("[软件提示]：读取题库数据失败，原因：") + reason +
           QStringLiteral("。现在不能列出试题库和章节。");
}

QString BankPicker::readFailedQuestion()
{
    return QStringLiteral("题库数据无法读取，现在不能选择章节。\n是否退出程序？");
}

QString BankPicker::quitQuestion()
{
    return QStringLiteral("当前没有可以练习的章节（没有可用的试题库或章节中没有试题）。\n"
                          "是否退出程序？");
}
