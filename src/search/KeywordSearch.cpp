#include "search/KeywordSearch.h"

#include "base/Colours.h"
#include "base/GbkText.h"
#include "base/Notifier.h"
#include "base/StoreError.h"
#include "search/QuestionBlock.h"
#include "store/BankTable.h"
#include "store/ChapterTable.h"
#include "store/QuestionTable.h"

KeywordSearch::KeywordSearch(QSqlDatabase db, Notifier &notifier)
    : m_db(std::move(db)), m_notifier(notifier)
{
}

KeywordSearch::Bank KeywordSearch::bankOf(const QString &chapterName) const
{
    Bank bank;
    const std::optional<ChapterRow> chapter = ChapterTable(m_db).findByName(chapterName);
    if (!chapter)
        return bank;
    bank.id = chapter->bankId;
    if (const std::optional<BankRow> row = BankTable(m_db).find(bank.id))
        bank.name = row->name;
    bank.questions = QuestionTable(m_db).count(QuestionScope::bank(bank.id));
    return bank;
}

QString KeywordSearch::bankNotice(const Bank &bank)
{
    return QStringLiteral("当前数据库名: [") + bank.name + QStringLiteral("]   试题总共有:[") +
           QString::number(bank.questions) + QStringLiteral("]道  中查询.");
}

QString KeywordSearch::countNotice(int hits)
{
    return QStringLiteral("[软件提示]：共找到 【") + QString::number(hits) +
           QStringLiteral("】 个记录.");
}

QString KeywordSearch::emptyKeywordNotice()
{
    return QStringLiteral("[软件提示]：请输入关键字");
}

QString KeywordSearch::copyNotice()
{
    return QStringLiteral(
        "[软件提示]：本页数据已经复制到剪切板，你可以将其粘贴到文本文件中留后查看。");
}

bool KeywordSearch::start(const QString &chapterName, const QString &keyword)
{
    m_running = false;
    try {
        m_bank = bankOf(chapterName);
    } catch (const StoreError &error) {
        m_notifier.inform(QStringLiteral("[软件提示]：无法读取题库，查询未进行。原因：") +
                          error.reason());
        return false;
    }
    m_notifier.inform(bankNotice(m_bank));
    if (text::trimmed(keyword).isEmpty()) {
        m_notifier.inform(emptyKeywordNotice());
        return false;
    }
    m_keyword = keyword.left(kMaxKeywordLength);
    m_spanKnown = false;
    m_lastId = 0;
    m_lastToRead = 0;
    m_hits = 0;
    m_running = true;
    return true;
}

StyledText KeywordSearch::heading() const
{
    return {QuestionBlock::underlinedLine(QStringLiteral("查询关键字 [") + m_keyword +
                                              QStringLiteral("] 结果如下："),
                                          rgb::kRed),
            QuestionBlock::plainLine(QString(), rgb::kRed)};
}

void KeywordSearch::next(int rows, const std::function<void(const StyledText &)> &write,
                         int maxHits)
{
    if (!m_running)
        return;
    const QString keyword = m_keyword;
    QList<QuestionRow> hits;
    QuestionTable::Scan scan;
    try {
        const QuestionTable questions(m_db);
        if (!m_spanKnown) {
            const QuestionTable::IdSpan span = questions.idSpan(QuestionScope::bank(m_bank.id));
            m_lastId = span.first - 1;
            m_lastToRead = span.last;
            m_spanKnown = true;
        }
        // Matching reads id and stem only; the hits alone are read whole.
        scan = questions.scanStems(
            QuestionScope::bank(m_bank.id), m_lastId, m_lastToRead, rows, maxHits,
            [&keyword](const QString &stem) { return stem.contains(keyword, Qt::CaseSensitive); });
        hits = questions.readByIds(scan.hits);
    } catch (const StoreError &error) {
        m_running = false;
        m_notifier.inform(QStringLiteral("[软件提示]：读取题库失败，查询在第 ") +
                          QString::number(m_hits) + QStringLiteral(" 个记录之后中断。原因：") +
                          error.reason());
        return;
    }
    m_lastId = scan.lastId;
    StyledText lines;
    lines.reserve(hits.size() * 8);
    for (const QuestionRow &hit : hits)
        QuestionBlock::append(lines, hit, ++m_hits, QuestionBlock::Variant::Search);
    if (!lines.isEmpty())
        write(lines);
    if (scan.finished)
        finish();
}

void KeywordSearch::finish()
{
    m_running = false;
    m_notifier.inform(countNotice(m_hits));
}
