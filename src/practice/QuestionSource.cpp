#include "practice/QuestionSource.h"

#include "base/GbkText.h"

#include <algorithm>

const QString QuestionSource::kEmptySetNotice =
    QStringLiteral("[软件提示]:本套试题已全部标记为会做，请重新选择章节或套题.");

namespace {

QString withoutBreaks(const QString &value)
{
    QString result = value;
    result.remove(QStringLiteral("<BR>"));
    return result;
}

// Trimmed and without "<BR>".
QString optionText(const QString &decoded)
{
    return withoutBreaks(text::trimmed(decoded));
}

} // namespace

RunQuestion QuestionSource::slotFromRow(const QuestionRow &row)
{
    RunQuestion q;
    q.questionId = row.id;
    q.typeCode = row.type;
    q.points = row.points;
    q.stem = text::trimmed(withoutBreaks(text::trimmed(row.stem)));
    q.optionA = optionText(row.options[0]);
    q.optionB = optionText(row.options[1]);
    q.optionC = optionText(row.options[2]);
    q.optionD = optionText(row.options[3]);
    q.correctAnswer = optionText(row.answer);
    q.imageName = text::trimmed(row.image);
    return q;
}

std::optional<QuestionScope> QuestionSource::practiseScope(const QString &chapter,
                                                           int typeFilter) const
{
    const std::optional<ChapterRow> found = m_chapters.findByName(chapter);
    if (!found)
        return std::nullopt;
    return QuestionScope::chapter(found->id).toPractise().ofType(std::max(typeFilter, 0));
}

int QuestionSource::toPractiseCount(const QString &chapter, int typeFilter) const
{
    const std::optional<QuestionScope> scope = practiseScope(chapter, typeFilter);
    return scope ? m_questions.count(*scope) : 0;
}

QVector<RunQuestion> QuestionSource::readSet(const QString &chapter, int typeFilter, int setSize,
                                             int setCount, int setIndex) const
{
    const std::optional<QuestionScope> scope = practiseScope(chapter, typeFilter);
    if (!scope)
        return {};
    const int available = m_questions.count(*scope);
    if (available <= 0 || setIndex < 0)
        return {};
    // The set size shrinks with the rows; the last set holds the remainder.
    const int size = setSize > 0 ? std::min(setSize, available) : available;
    const int remainder = available % size;
    int count = size;
    if (setIndex + 1 == setCount && remainder > 0)
        count = remainder;
    count = std::min(count, question::kRunCapacity);
    const qint64 skip = static_cast<qint64>(setIndex) * size;
    if (skip >= available)
        return {};

    QVector<RunQuestion> loaded;
    loaded.reserve(count);
    for (const QuestionRow &row : m_questions.read(*scope, count, skip))
        loaded.append(slotFromRow(row));
    return loaded;
}
