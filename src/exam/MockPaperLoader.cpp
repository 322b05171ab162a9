#include "exam/MockPaperLoader.h"

#include "practice/QuestionSource.h"
#include "question/QuestionType.h"
#include "store/BankTable.h"
#include "store/ChapterTable.h"
#include "store/QuestionTable.h"
#include "store/QuotaTable.h"

#include <QHash>
#include <QSet>
#include <numeric>

namespace {

// A stored quota row holds one quota and one drawn list per question type.
static_assert(QuotaRow::kTypes == question::kTypeCount);
using IdLists = std::array<QVector<qint64>, QuotaRow::kTypes>;

void appendDrawn(IdLists &lists, const QuotaRow &row)
{
    for (const QuestionType questionType : question::allTypes()) {
        const auto t = question::indexOf(questionType);
        lists[t] += quota::idsOf(row.drawn[t]);
    }
}

} // namespace

int MockPaperLoader::Paper::drawnCount() const
{
    return std::accumulate(drawnCounts.begin(), drawnCounts.end(), 0);
}

MockPaperLoader::Paper MockPaperLoader::load(const PaperScope &scope) const
{
    Paper paper;
    paper.content.mode = RunMode::MockExamination;
    paper.content.examMode = true;

    const QuotaTable quotas(m_db);
    const ChapterTable chapters(m_db);
    IdLists lists;
    QString countLead;

    if (scope.kind == PaperScope::Kind::QuotaRow) {
        const std::optional<QuotaRow> row = quotas.row(scope.id);
        if (!row) {
            paper.outcome = Outcome::NoSuchRow;
            return paper;
        }
        const std::optional<ChapterRow> chapter = chapters.find(row->chapterId);
        if (!chapter) {
            paper.outcome = Outcome::ChapterGone;
            return paper;
        }
        paper.title = QStringLiteral("本章名:") + chapter->name;
        countLead = QStringLiteral("本章随机抽取试题数:");
        appendDrawn(lists, *row);
    } else {
        const std::optional<BankRow> bank = BankTable(m_db).find(scope.id);
        if (!bank) {
            paper.outcome = Outcome::NoSuchBank;
            return paper;
        }
        QSet<qint64> existing;
        for (const ChapterRow &chapter : chapters.ofBank(bank->id))
            existing.insert(chapter.id);
        for (const QuotaRow &row : quotas.ofBank(bank->id)) {
            if (existing.contains(row.chapterId))
                appendDrawn(lists, row);
        }
        paper.title = QStringLiteral("本数据库名:") + bank->name;
        countLead = QStringLiteral("本数据库随机抽取试题数:");
    }

    QList<qint64> wanted;
    for (const QuestionType questionType : question::allTypes()) {
        const auto t = question::indexOf(questionType);
        paper.drawnCounts[t] = static_cast<int>(lists[t].size());
        wanted += lists[t];
    }
    QHash<qint64, RunQuestion> loaded;
    loaded.reserve(wanted.size());
    for (const QuestionRow &row : QuestionTable(m_db).readByIds(wanted))
        loaded.insert(row.id, QuestionSource::slotFromRow(row));

    paper.lines = MockPaperBuilder::heading(paper.title, countLead, paper.drawnCounts);
    paper.content.questions.reserve(loaded.size());
    for (const QuestionType questionType : question::allTypes()) {
        const auto t = question::indexOf(questionType);
        int number = 0;
        for (const qint64 id : lists[t]) {
            ++number; // a deleted question keeps its number: the count line counts it
            const auto found = loaded.constFind(id);
            if (found == loaded.constEnd())
                continue;
            paper.content.questions.append(*found);
            // A question whose type was changed after the draw is examined
            // but not written under a type it no longer has.
            if (question::fromCode(found->typeCode) == questionType)
                MockPaperBuilder::appendQuestion(paper.lines, *found, number);
        }
    }
    return paper;
}
