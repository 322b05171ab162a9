#include "editor/ImportPlan.h"

#include "base/GbkText.h"
#include "base/StoreError.h"
#include "question/QuestionType.h"

#include <QSet>
#include <limits>

namespace {

const QString kNotStored = QStringLiteral("[软件提示]：试题没有导入，原因：");
const QString kChapterGone =
    QStringLiteral("[软件提示]：该章节已经被删除，试题没有保存，请重新选择章节.");

} // namespace

ImportPlan::ImportPlan(const QList<ListDraft> &drafts, const QStringList &chapterStems)
{
    QSet<QString> stems;
    for (const QString &stem : chapterStems)
        stems.insert(text::trimmed(stem));
    m_items.reserve(drafts.size());
    for (const ListDraft &source : drafts) {
        Item item;
        item.source = source;
        if (!question::isTypeCode(source.draft.type)) {
            item.status = kUnknownType;
        } else {
            const DraftCheck check = draft::check(source.draft, DraftForm::Entry);
            if (!check.passes()) {
                item.status = check.message;
            } else if (stems.contains(check.row.stem)) {
                item.status = kDuplicate;
            } else {
                item.status = kImportable;
                item.importable = true;
                item.row = check.row;
                item.row.note = source.note;
                stems.insert(check.row.stem);
            }
        }
        m_items.append(item);
    }
}

ImportPlan ImportPlan::forChapter(const QList<ListDraft> &drafts, QSqlDatabase db, qint64 chapterId)
{
    QStringList stems;
    const QList<QuestionRow> rows =
        QuestionTable(std::move(db))
            .read(QuestionScope::chapter(chapterId), std::numeric_limits<int>::max());
    stems.reserve(rows.size());
    for (const QuestionRow &row : rows)
        stems.append(row.stem);
    return ImportPlan(drafts, stems);
}

int ImportPlan::count(int type, bool importable) const
{
    int n = 0;
    for (const Item &item : m_items) {
        if (item.importable == importable && (type == 0 || item.source.draft.type == type))
            ++n;
    }
    return n;
}

ImportPlan::Outcome ImportPlan::store(QSqlDatabase db, qint64 chapterId) const
{
    Outcome outcome;
    QList<QuestionRow> rows;
    for (const Item &item : m_items) {
        if (item.importable)
            rows.append(item.row);
    }
    try {
        if (!QuestionTable(std::move(db)).insertAll(chapterId, rows)) {
            outcome.message = kChapterGone;
            return outcome;
        }
    } catch (const StoreError &error) {
        outcome.message = kNotStored + error.reason() + QStringLiteral("。");
        return outcome;
    }
    outcome.stored = true;
    for (const QuestionRow &row : rows)
        ++outcome.perType[static_cast<size_t>(row.type)];
    outcome.total = static_cast<int>(rows.size());
    return outcome;
}

QStringList ImportPlan::summary() const
{
    QStringList lines;
    for (const QuestionType type : question::allTypes()) {
        const int code = question::code(type);
        const int good = count(code, true);
        const int bad = count(code, false);
        if (good + bad > 0)
            lines.append(QStringLiteral("%1 %2 道：可导入 %3 道，不能导入 %4 道")
                             .arg(question::typeName(type))
                             .arg(good + bad)
                             .arg(good)
                             .arg(bad));
    }
    lines.append(QStringLiteral("共 %1 道：可导入 %2 道，不能导入 %3 道")
                     .arg(m_items.size())
                     .arg(count(0, true))
                     .arg(count(0, false)));
    return lines;
}

QStringList ImportPlan::report(const Outcome &outcome) const
{
    QStringList lines;
    if (!outcome.stored) {
        lines.append(outcome.message);
        return lines;
    }
    lines.append(QStringLiteral("已导入 %1 道试题。").arg(outcome.total));
    for (const QuestionType type : question::allTypes()) {
        const int n = outcome.perType[question::indexOf(type) + 1];
        if (n > 0)
            lines.append(QStringLiteral("  %1：%2 道").arg(question::typeName(type)).arg(n));
    }
    const int left = count(0, false);
    if (left > 0) {
        lines.append(QStringLiteral("未导入 %1 道：").arg(left));
        for (const Item &item : m_items) {
            if (!item.importable)
                lines.append(QStringLiteral("  第 %1 行  %2  %3")
                                 .arg(item.source.line)
                                 .arg(question::typeName(item.source.draft.type))
                                 .arg(item.status));
        }
    }
    return lines;
}
