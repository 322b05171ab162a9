#include "exam/QuotaDraw.h"

#include "base/RandomSource.h"
#include "exam/QuotaRules.h"
#include "question/QuestionType.h"
#include "store/ChapterTable.h"
#include "store/QuestionTable.h"
#include "store/QuotaTable.h"
#include "store/Transaction.h"

#include <QHash>

QuotaDraw::Drawn QuotaDraw::draw(qint64 chapterId, int type, int quota) const
{
    Drawn drawn;
    if (quota < 1)
        return drawn;
    const QList<qint64> ids =
        QuestionTable(m_db).ids(QuestionScope::chapter(chapterId).ofType(type));
    drawn.held = static_cast<int>(ids.size());
    const QList<int> positions = draw::withoutRepeats(m_random, drawn.held, quota);
    drawn.ids.reserve(positions.size());
    for (const int position : positions)
        drawn.ids << ids[position];
    return drawn;
}

QuotaDraw::Redrawn QuotaDraw::redrawBank(qint64 bankId)
{
    QHash<qint64, QString> names;
    for (const ChapterRow &chapter : ChapterTable(m_db).ofBank(bankId))
        names.insert(chapter.id, chapter.name);

    QuotaTable quotas(m_db);
    const QVector<QuotaRow> rows = quotas.ofBank(bankId);
    Redrawn result;
    Transaction transaction(m_db);
    for (const QuotaRow &row : rows) {
        const auto name = names.constFind(row.chapterId);
        if (name == names.constEnd()) {
            if (row.quotaSum() > 0)
                ++result.goneRows;
            continue;
        }
        int rowDrawn = 0;
        for (const QuestionType questionType : question::allTypes()) {
            const int type = question::code(questionType);
            const int quota = row.quota[static_cast<size_t>(type - 1)];
            if (quota < 1)
                continue;
            const Drawn drawn = draw(row.chapterId, type, quota);
            if (drawn.held < quota)
                result.shortLines << quotarules::shortChapterLine(*name, type, drawn.held, quota);
            quotas.storeDrawn(row.id, type, quota::listOf(drawn.ids));
            rowDrawn += static_cast<int>(drawn.ids.size());
        }
        quotas.storeTotal(row.id, rowDrawn);
        result.drawn += rowDrawn;
    }
    transaction.commit();
    return result;
}
