#include "exam/WrongBookSource.h"

#include "practice/QuestionSource.h"
#include "store/ChapterTable.h"
#include "store/QuestionTable.h"
#include "store/WrongBookTable.h"

#include <QHash>
#include <algorithm>
#include <optional>

WrongBookSource::WrongBookSource(QSqlDatabase db, Scope scope, QString chapter, int setSize)
    : m_db(std::move(db)), m_scope(scope), m_chapter(std::move(chapter)), m_setSize(setSize)
{
}

bool WrongBookSource::chapterFound() const
{
    return ChapterTable(m_db).findByName(m_chapter).has_value();
}

QList<qint64> WrongBookSource::ids() const
{
    const std::optional<ChapterRow> chapter = ChapterTable(m_db).findByName(m_chapter);
    const int limit = std::min(m_setSize, question::kRunCapacity);
    if (!chapter || limit <= 0)
        return {};
    const WrongBookTable book(m_db);
    return m_scope == Scope::Bank ? book.newestOfBank(chapter->bankId, limit)
                                  : book.newestOfChapter(chapter->id, limit);
}

RunContent WrongBookSource::contentOf(const QList<qint64> &ids) const
{
    RunContent content;
    content.mode = RunMode::WrongBookPractice;
    content.examMode = false;
    QHash<qint64, int> order;
    order.reserve(ids.size());
    for (int k = 0; k < ids.size(); ++k)
        order.insert(ids.at(k), k);
    QList<QuestionRow> rows = QuestionTable(m_db).readByIds(ids);
    // readByIds gives storage order; the run keeps the book's order.
    std::sort(rows.begin(), rows.end(), [&order](const QuestionRow &a, const QuestionRow &b) {
        return order.value(a.id) < order.value(b.id);
    });
    content.questions.reserve(rows.size());
    for (const QuestionRow &row : std::as_const(rows))
        content.questions.append(QuestionSource::slotFromRow(row));
    return content;
}

RunContent WrongBookSource::content() const
{
    return contentOf(ids());
}
