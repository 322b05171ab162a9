#include "practice/BankPicker.h"

#include "base/GbkText.h"
#include "base/Notifier.h"
#include "store/Sql.h"

#include <QHash>
#include <QVariant>

BankPicker::BankPicker(QSqlDatabase db) : m_db(db) {}

void BankPicker::refresh()
{
    QList<Bank> banks;
    {
        QSqlQuery query = sql::run(
            m_db,
            QStringLiteral("select id, database_name, status from database_name order by id"));
        while (query.next())
            banks.append(Bank{query.value(0).toInt(), query.value(1).toString(),
                              query.value(2).toInt() != 0});
    }
    m_banks = banks;

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

    if (!m_listedOnce) {
        for (int i = 0; i < m_banks.size(); ++i) {
            if (m_banks.at(i).enabled) {
                listBank(i);
                break;
            }
        }
    }
    if (!m_listedOnce)
        m_wholeTotal = static_cast<int>(
            sql::scalar(m_db, QStringLiteral("select count(*) from 考试训练题库")));
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

    QList<int> ids;
    QStringList names;
    {
        QSqlQuery query = sql::run(
            m_db, QStringLiteral("select id, 试卷名称 from fenlei where database_id=? order by id"),
            {bank.id});
        while (query.next()) {
            ids.append(query.value(0).toInt());
            names.append(query.value(1).toString());
        }
    }
    // One grouped count for the whole bank instead of one count per chapter.
    QHash<int, int> perChapter;
    {
        QSqlQuery query = sql::run(
            m_db,
            QStringLiteral("select 试卷分类, count(*) from 考试训练题库 where 试卷分类 in "
                           "(select id from fenlei where database_id=?) group by 试卷分类"),
            {bank.id});
        while (query.next())
            perChapter.insert(query.value(0).toInt(), query.value(1).toInt());
    }
    const int whole =
        static_cast<int>(sql::scalar(m_db, QStringLiteral("select count(*) from 考试训练题库")));

    m_names = names;
    m_counts.clear();
    m_bankTotal = 0;
    for (const int id : ids) {
        const int count = perChapter.value(id, 0);
        m_counts.append(count);
        m_bankTotal += count;
    }
    m_wholeTotal = whole;
    m_checked = true;
    m_checkedBankId = bank.id;
    m_checkedBankName = bank.name;
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
    return anyChoosableChapter() ? CloseDecision::Refuse : CloseDecision::AskQuit;
}

bool BankPicker::anyChoosableChapter() const
{
    return sql::scalar(m_db, QStringLiteral("select exists(select 1 from 考试训练题库 q "
                                            "join fenlei f on f.id=q.试卷分类 "
                                            "join database_name d on d.id=f.database_id "
                                            "where d.status<>0)")) != 0;
}

QString BankPicker::emptyChapterNotice()
{
    return QStringLiteral("[软件提示]:你当前选择的章节试题库 试题数为 0 ，请重新选择.");
}

QString BankPicker::quitQuestion()
{
    return QStringLiteral("当前没有可以练习的章节（没有可用的试题库或章节中没有试题）。\n"
                          "是否退出程序？");
}
