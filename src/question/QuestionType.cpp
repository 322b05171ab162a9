#include "question/QuestionType.h"

namespace question {

QString typeName(QuestionType type, TypeNaming naming)
{
    switch (type) {
    case QuestionType::SingleChoice:
        return QStringLiteral("单选题");
    case QuestionType::MultipleChoice:
        return QStringLiteral("多选题");
    case QuestionType::FillIn:
        return QStringLiteral("填空题");
    case QuestionType::TrueFalse:
        return QStringLiteral("判断题");
    case QuestionType::Essay:
        return naming == TypeNaming::Review ? QStringLiteral("简答题") : QStringLiteral("论述题");
    }
    return QString();
}

QStringList typeChoiceItems()
{
    QStringList items;
    for (const QuestionType type : allTypes())
        items << QStringLiteral("本章") + typeName(type) + QStringLiteral("练习");
    return items;
}

} // namespace question
