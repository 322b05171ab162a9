#include "question/QuestionType.h"

namespace question {

QString typeName(int typeCode, TypeNaming naming)
{
    switch (typeCode) {
    case SingleChoice:
        return QStringLiteral("单选题");
    case MultipleChoice:
        return QStringLiteral("多选题");
    case FillIn:
        return QStringLiteral("填空题");
    case TrueFalse:
        return QStringLiteral("判断题");
    case Essay:
        return naming == TypeNaming::Review ? QStringLiteral("简答题") : QStringLiteral("论述题");
    default:
        return QString();
    }
}

QStringList typeChoiceItems()
{
    QStringList items;
    for (int type = SingleChoice; type <= Essay; ++type)
        items << QStringLiteral("本章") + typeName(type) + QStringLiteral("练习");
    return items;
}

} // namespace question
