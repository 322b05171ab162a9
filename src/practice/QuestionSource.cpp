#include "practice/QuestionSource.h"

#include "base/GbkText.h"
#include "store/QuestionCodec.h"
#include "store/Schema.h"
#include "store/Sql.h"

#include <QSqlQuery>
#include <QVariant>
#include <algorithm>

const QString QuestionSource::kEmptySetNotice =
    QStringLiteral("[软件提示]:本套试题已全部标记为会做，请重新选择章节或套题.");

namespace {

constexpr int kCapacity = 300;

QString withoutBreaks(const QString &value)
{
    QString result = value;
    result.remove(QStringLiteral("<BR>"));
    return result;
}

// Decoded, trimmed and without "<BR>".
QString optionText(const QSqlQuery &row, const QString &column)
{
    return withoutBreaks(text::trimmed(decodeQuestionText(row.value(column).toString())));
}

// The chapter's questions still to practise, of one type when typeFilter > 0.
QString practiseCondition(int typeFilter)
{
    QString condition =
        QStringLiteral(" where %1 = (select id from fenlei where %2 = ?)"
                       " and %3 = TRUE")
            .arg(schema::kQuestionChapter, schema::kChapterName, schema::kQuestionToPractise);
    if (typeFilter > 0)
        condition += QStringLiteral(" and %1 = ?").arg(schema::kQuestionType);
    return condition;
}

QVariantList practiseValues(const QString &chapter, int typeFilter)
{
    QVariantList values{chapter};
    if (typeFilter > 0)
        values << typeFilter;
    return values;
}

} // namespace

QString QuestionSource::slotColumns()
{
    return QStringList{QStringLiteral("id"),     schema::kQuestionType,    schema::kQuestionStem,
                       schema::kQuestionOption1, schema::kQuestionOption2, schema::kQuestionOption3,
                       schema::kQuestionOption4, schema::kQuestionAnswer,  schema::kQuestionPoints,
                       schema::kQuestionImage}
        .join(QStringLiteral(", "));
}

RunQuestion QuestionSource::slotFromRow(const QSqlQuery &row)
{
    RunQuestion q;
    q.questionId = row.value(QStringLiteral("id")).toInt();
    q.typeCode = row.value(schema::kQuestionType).toInt();
    q.points = row.value(schema::kQuestionPoints).toInt();
    q.stem = text::trimmed(withoutBreaks(
        text::trimmed(decodeQuestionText(row.value(schema::kQuestionStem).toString()))));
    q.optionA = optionText(row, schema::kQuestionOption1);
    q.optionB = optionText(row, schema::kQuestionOption2);
    q.optionC = optionText(row, schema::kQuestionOption3);
    q.optionD = optionText(row, schema::kQuestionOption4);
    q.correctAnswer = optionText(row, schema::kQuestionAnswer);
    q.imageName = text::trimmed(row.value(schema::kQuestionImage).toString());
    return q;
}

int QuestionSource::toPractiseCount(const QString &chapter, int typeFilter) const
{
    const QString statement = QStringLiteral("select count(*) from ") + schema::kQuestionTable +
                              practiseCondition(typeFilter);
    return static_cast<int>(sql::scalar(m_db, statement, practiseValues(chapter, typeFilter)));
}

QVector<RunQuestion> QuestionSource::readSet(const QString &chapter, int typeFilter, int setSize,
                                             int setCount, int setIndex) const
{
    const int available = toPractiseCount(chapter, typeFilter);
    if (available <= 0 || setIndex < 0)
        return {};
    // The set size shrinks with the rows; the last set holds the remainder.
    const int size = setSize > 0 ? std::min(setSize, available) : available;
    const int remainder = available % size;
    int count = size;
    if (setIndex + 1 == setCount && remainder > 0)
        count = remainder;
    count = std::min(count, kCapacity);
    const qint64 skip = static_cast<qint64>(setIndex) * size;
    if (skip >= available)
        return {};

    const QString statement = QStringLiteral("select ") + slotColumns() + QStringLiteral(" from ") +
                              schema::kQuestionTable + practiseCondition(typeFilter) +
                              QStringLiteral(" order by id limit ? offset ?");
    QVariantList values = practiseValues(chapter, typeFilter);
    values << count << skip;
    QSqlQuery query = sql::run(m_db, statement, values);
    QVector<RunQuestion> loaded;
    loaded.reserve(count);
    while (query.next() && loaded.size() < count)
        loaded.append(slotFromRow(query));
    return loaded;
}
