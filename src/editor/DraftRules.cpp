#include "editor/DraftRules.h"

#include "base/GbkText.h"
#include "question/AnswerForm.h"
#include "question/QuestionType.h"

namespace draft {

namespace {

const QString kPrefix = QStringLiteral("[软件提示]：");

bool isChoice(QuestionType type)
{
    return type == QuestionType::SingleChoice || type == QuestionType::MultipleChoice;
}

QString stemTooLong(QuestionType type, DraftForm form)
{
    if (form == DraftForm::Correction)
        return QStringLiteral("[软件提示]：试题字数不超过 1000 个字符.");
    switch (type) {
    case QuestionType::SingleChoice:
        return QStringLiteral("[软件提示]：试题字数不能超过 1000 个字符.");
    case QuestionType::MultipleChoice:
        return QStringLiteral("[软件提示]：试题字数不能 1000 个字符.");
    case QuestionType::FillIn:
        return QStringLiteral("[软件提示]：试题字数不能过 1000 个字符.");
    default:
        return QStringLiteral("[软件提示]：试题字数不超过 1000 个字符.");
    }
}

QString optionEmpty(int index)
{
    // The fourth option's message has no blank before its full stop.
    static const std::array<QString, answer::kOptionCount> texts = {
        QStringLiteral("[软件提示]：选择项 A 不能为空 ."),
        QStringLiteral("[软件提示]：选择项 B 不能为空 ."),
        QStringLiteral("[软件提示]：选择项 C 不能为空 ."),
        QStringLiteral("[软件提示]：选择项 D 不能为空."),
    };
    return texts[index];
}

QString optionTooLong(int index, QuestionType type, DraftForm form)
{
    if (index == 3 && type == QuestionType::SingleChoice && form == DraftForm::Entry)
        return QStringLiteral("[软件提示]：选择项 D 字数超过 200 个字符.");
    return kPrefix + QStringLiteral("选择项 ") + answer::optionLetter(index + 1) +
           QStringLiteral(" 字数不能超过 200 个字符.");
}

QString answerMissing(QuestionType type, DraftForm form)
{
    switch (type) {
    case QuestionType::FillIn:
        return QStringLiteral("[软件提示]：正确答案不能为空 .");
    case QuestionType::Essay:
        return form == DraftForm::Entry ? QStringLiteral("[软件提示]：正确答案不能为空 .")
                                        : QStringLiteral("[软件提示]：论述题答案不能为空 .");
    default:
        return QStringLiteral("[软件提示]：请选择正确答案.");
    }
}

QString pointsEmpty(QuestionType type)
{
    switch (type) {
    case QuestionType::MultipleChoice:
        return QStringLiteral("[软件提示]：分值不能为空, 填写默认分值 2 分.");
    case QuestionType::FillIn:
        return QStringLiteral("[软件提示]：分值不能为空，自动填写分值 2 分.");
    default:
        return QStringLiteral("[软件提示]：分值不能为空,自动填写默认分值 2 分.");
    }
}

QString pointsTooLong(QuestionType type)
{
    switch (type) {
    case QuestionType::SingleChoice:
        return QStringLiteral("[软件提示]：长度不超过3位 .");
    case QuestionType::FillIn:
    case QuestionType::Essay:
        return QStringLiteral("[软件提示]：分值长度不超过3位.");
    default:
        return QStringLiteral("[软件提示]：长度不超过3位.");
    }
}

QString unstorable(const QString &field)
{
    return kPrefix + field + QStringLiteral("中有无法保存的字符，请修改后再保存.");
}

DraftCheck refuse(const QString &message)
{
    DraftCheck result;
    result.message = message;
    return result;
}

} // namespace

DraftCheck check(const QuestionDraft &draft, DraftForm form)
{
    const QuestionType type = question::fromCode(draft.type);
    const QString stem = text::trimmed(draft.stem);
    if (stem.isEmpty())
        return refuse(QStringLiteral("[软件提示]：试题不能为空."));
    if (gbk::byteLength(stem) > kStemBytes)
        return refuse(stemTooLong(type, form));

    if (isChoice(type)) {
        for (int i = 0; i < answer::kOptionCount; ++i) {
            // Options count as typed: blanks alone are not empty.
            if (draft.options[i].isEmpty())
                return refuse(optionEmpty(i));
            if (gbk::byteLength(draft.options[i]) > kOptionBytes)
                return refuse(optionTooLong(i, type, form));
        }
    }

    const QString answer = type == QuestionType::Essay ? text::trimmed(draft.answer) : draft.answer;
    if (answer.isEmpty())
        return refuse(answerMissing(type, form));
    if (type == QuestionType::FillIn && gbk::byteLength(answer) > kFillInBytes)
        return refuse(form == DraftForm::Entry
                          ? QStringLiteral("[软件提示]：正确答案 字数不能超过 200 个字符.")
                          : QStringLiteral("[软件提示]：正确答案字数不能超过 200 个字符."));
    if (type == QuestionType::Essay && gbk::byteLength(answer) > kEssayBytes)
        return refuse(QStringLiteral("[软件提示]：正确答案 字数不能超过 500 个字符."));

    int points = 0;
    if (form == DraftForm::Entry) {
        if (draft.points.isEmpty()) {
            DraftCheck result = refuse(pointsEmpty(type));
            result.resetPoints = true;
            return result;
        }
        if (draft.points.size() > kPointsChars)
            return refuse(pointsTooLong(type));
        bool whole = false;
        points = text::trimmed(draft.points).toInt(&whole);
        if (!whole)
            return refuse(QStringLiteral("[软件提示]：分值必须是整数，请重新填写."));
    }

    // Nothing is stored as "?": text GBK cannot carry is refused by field.
    if (!gbk::representable(stem))
        return refuse(unstorable(QStringLiteral("试题")));
    if (isChoice(type)) {
        for (int i = 0; i < answer::kOptionCount; ++i) {
            if (!gbk::representable(draft.options[i]))
                return refuse(unstorable(QStringLiteral("选择项 ") + answer::optionLetter(i + 1) +
                                         QLatin1Char(' ')));
        }
    }
    if (!gbk::representable(answer))
        return refuse(unstorable(QStringLiteral("正确答案")));

    DraftCheck result;
    result.row.type = draft.type;
    result.row.stem = stem;
    if (isChoice(type))
        result.row.options = draft.options;
    result.row.answer = answer;
    result.row.points = points;
    return result;
}

} // namespace draft
