#include "exam/WrongBookViewer.h"

#include "base/Notifier.h"
#include "base/StoreError.h"
#include "practice/KnownViewBuilder.h"
#include "store/BankTable.h"
#include "store/ChapterTable.h"
#include "store/QuestionTable.h"
#include "store/WrongBookTable.h"

#include <QHash>
#include <optional>

WrongBookViewer::WrongBookViewer(QSqlDatabase db, Notifier &notifier, QObject *parent)
    : QObject(parent), m_db(std::move(db)), m_notifier(notifier)
{
}

QString WrongBookViewer::countTitle(const QString &bank, int count)
{
    return QStringLiteral("错题本【") + bank + QStringLiteral("】 错题数:") +
           QString::number(count);
}

QString WrongBookViewer::removeQuestion()
{
    return QStringLiteral("[软件提示]：确定把选中的试题移出错题本吗？");
}

QString WrongBookViewer::clearQuestion(const QString &chapter, int count)
{
    return QStringLiteral("[软件提示]：确定清空【") + chapter + QStringLiteral("】的 ") +
           QString::number(count) + QStringLiteral(" 道错题吗？");
}

QString WrongBookViewer::noChapterNotice()
{
    return QStringLiteral("[软件提示]：请先在上面选择要清空错题的章节。");
}

QString WrongBookViewer::notChangedNotice(const QString &reason)
{
    return QStringLiteral("[软件提示]：错题本没有改动，原因：") + reason + QStringLiteral("。");
}

QString WrongBookViewer::notReadNotice(const QString &reason)
{
    return QStringLiteral("[软件提示]：错题本没有读出，原因：") + reason + QStringLiteral("。");
}

void WrongBookViewer::fill(const QString &currentChapter)
{
    m_bankId = 0;
    m_bankName.clear();
    try {
        // Rows of questions deleted since are never shown; here they go for good.
        WrongBookTable(m_db).purgeDeleted();
    } catch (const StoreError &) {
        // A file that takes no writes keeps them, unseen.
    }
    try {
        if (const std::optional<ChapterRow> chapter =
                ChapterTable(m_db).findByName(currentChapter)) {
            m_bankId = chapter->bankId;
            const std::optional<BankRow> bank = BankTable(m_db).find(chapter->bankId);
            m_bankName = bank ? bank->name : QString();
        }
    } catch (const StoreError &error) {
        m_notifier.inform(notReadNotice(error.reason()));
    }
    reload();
}

void WrongBookViewer::reload()
{
    Display shown;
    shown.serial = m_display.serial + 1;
    QList<WrongBookRow> entries;
    try {
        if (m_bankId != 0)
            entries = WrongBookTable(m_db).entriesOfBank(m_bankId);
    } catch (const StoreError &error) {
        m_notifier.inform(notReadNotice(error.reason()));
    }
    // The chapters in the order of their newest mistake, each with its count.
    QList<qint64> order;
    QHash<qint64, QString> names;
    QHash<qint64, int> counts;
    for (const WrongBookRow &entry : std::as_const(entries)) {
        if (!counts.contains(entry.chapterId)) {
            order.append(entry.chapterId);
            names.insert(entry.chapterId, entry.chapterName);
        }
        ++counts[entry.chapterId];
    }
    shown.chapters = {
        {0, QStringLiteral("全部章节 (") + QString::number(entries.size()) + QLatin1Char(')')}};
    for (const qint64 id : std::as_const(order)) {
        shown.chapters.append({id, names.value(id) + QStringLiteral(" (") +
                                       QString::number(counts.value(id)) + QLatin1Char(')')});
        if (id == m_chapterId)
            shown.chapterIndex = static_cast<int>(shown.chapters.size()) - 1;
    }
    if (shown.chapterIndex == 0)
        m_chapterId = 0;

    QList<qint64> ids;
    for (const WrongBookRow &entry : std::as_const(entries)) {
        if (m_chapterId != 0 && entry.chapterId != m_chapterId)
            continue;
        ids.append(entry.questionId);
        shown.rows.append({entry.questionId, entry.chapterId, entry.chapterName, QString(),
                           entry.timesWrong, entry.lastWrong.left(10)});
    }
    if (!ids.isEmpty()) {
        try {
            QHash<qint64, QString> stems;
            for (const QuestionRow &row : QuestionTable(m_db).readByIds(ids))
                stems.insert(row.id, known::gridStem(row.stem));
            for (Row &row : shown.rows)
                row.stem = stems.value(row.questionId);
        } catch (const StoreError &error) {
            m_notifier.inform(notReadNotice(error.reason()));
        }
    }
    shown.title = countTitle(m_bankName, static_cast<int>(shown.rows.size()));
    m_display = shown;
    Q_EMIT changed();
}

void WrongBookViewer::chooseChapter(int index)
{
    if (index < 0 || index >= m_display.chapters.size())
        return;
    m_chapterId = m_display.chapters.at(index).id;
    reload();
}

void WrongBookViewer::select(int row)
{
    if (row < 0 || row >= m_display.rows.size())
        return;
    m_display.selected = row;
    try {
        const std::optional<QuestionRow> question =
            QuestionTable(m_db).find(m_display.rows.at(row).questionId);
        m_display.detail = question ? known::detail(*question, row + 1) : known::missingDetail();
        const Row &shown = m_display.rows.at(row);
        StyledLine counts;
        counts.spans.append({QStringLiteral("做错 ") + QString::number(shown.timesWrong) +
                                 QStringLiteral(" 次，最近做错 ") + shown.lastWrong,
                             rgb::kBlue});
        m_display.detail.append(counts);
    } catch (const StoreError &error) {
        m_display.detail = known::missingDetail();
        m_notifier.inform(notReadNotice(error.reason()));
    }
    ++m_display.serial;
    Q_EMIT changed();
}

void WrongBookViewer::removeSelected()
{
    const int row = m_display.selected;
    if (row < 0 || row >= m_display.rows.size())
        return;
    if (!m_notifier.askYesNo(QStringLiteral("确定"), removeQuestion()))
        return;
    try {
        WrongBookTable(m_db).remove(m_display.rows.at(row).questionId);
    } catch (const StoreError &error) {
        m_notifier.inform(notChangedNotice(error.reason()));
    }
    reload();
}

void WrongBookViewer::clearChapter()
{
    if (m_chapterId == 0) {
        m_notifier.inform(noChapterNotice());
        return;
    }
    const ChapterChoice &choice = m_display.chapters.at(m_display.chapterIndex);
    const QString name = m_display.rows.isEmpty() ? choice.label : m_display.rows.first().chapter;
    if (!m_notifier.askYesNo(QStringLiteral("确定"),
                             clearQuestion(name, static_cast<int>(m_display.rows.size()))))
        return;
    try {
        WrongBookTable(m_db).removeChapter(m_chapterId);
    } catch (const StoreError &error) {
        m_notifier.inform(notChangedNotice(error.reason()));
    }
    reload();
}
