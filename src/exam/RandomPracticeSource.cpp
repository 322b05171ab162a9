#include "exam/RandomPracticeSource.h"

#include "base/RandomSource.h"
#include "practice/PracticeRun.h"
#include "practice/QuestionSource.h"
#include "store/BankTable.h"
#include "store/ChapterTable.h"
#include "store/QuestionTable.h"

#include <QHash>
#include <algorithm>
#include <optional>

RandomPracticeSource::RandomPracticeSource(QSqlDatabase db, RandomSource &random, Scope scope,
                                           QString chapter, int setSize)
    : m_db(std::move(db)), m_random(random), m_scope(scope), m_chapter(std::move(chapter)),
      m_setSize(setSize)
{
}

int RandomPracticeSource::runSize(int candidateCount, int setSize)
{
    if (candidateCount <= 0 || setSize <= 0)
        return 0;
    return std::min({candidateCount, setSize, question::kRunCapacity});
}

RandomPracticeSource::Candidates RandomPracticeSource::candidates() const
{
    Candidates found;
    const std::optional<ChapterRow> chapter = ChapterTable(m_db).findByName(m_chapter);
    if (!chapter)
        return found;
    found.chapterFound = true;
    QuestionScope scope = QuestionScope::chapter(chapter->id);
    if (m_scope == Scope::Bank) {
        scope = QuestionScope::bank(chapter->bankId);
        const std::optional<BankRow> bank = BankTable(m_db).find(chapter->bankId);
        found.scopeName = bank ? bank->name : QString();
    } else {
        found.scopeName = chapter->name;
    }
    found.ids = QuestionTable(m_db).ids(scope);
    return found;
}

RunContent RandomPracticeSource::draw(const Candidates &candidates, int count) const
{
    RunContent content;
    content.mode = RunMode::RandomPractice;
    content.examMode = false;
    const int population = static_cast<int>(candidates.ids.size());
    count = std::min(count, question::kRunCapacity);
    QList<int> positions = draw::withoutRepeats(m_random, population, count);
    if (positions.isEmpty())
        return content;
    // Back into the candidates' order.
    std::sort(positions.begin(), positions.end());
    QList<qint64> drawn;
    drawn.reserve(positions.size());
    QHash<qint64, int> order;
    order.reserve(positions.size());
    for (const int position : std::as_const(positions)) {
        const qint64 id = candidates.ids.at(position);
        order.insert(id, position);
        drawn.append(id);
    }
    QList<QuestionRow> rows = QuestionTable(m_db).readByIds(drawn);
    std::stable_sort(rows.begin(), rows.end(),
                     [&order](const QuestionRow &a, const QuestionRow &b) {
                         return order.value(a.id) < order.value(b.id);
                     });
    content.questions.reserve(rows.size());
    for (const QuestionRow &row : std::as_const(rows))
        content.questions.append(QuestionSource::slotFromRow(row));
    return content;
}

RunContent RandomPracticeSource::content() const
{
    const Candidates found = candidates();
    return draw(found, runSize(static_cast<int>(found.ids.size()), m_setSize));
}
