#include "editor/ListVocabulary.h"

#include "base/GbkText.h"
#include "question/AnswerForm.h"
#include "question/QuestionType.h"

#include <QHash>

namespace listvocab {

int typeOfName(const QString &name)
{
    static const QHash<QString, int> names = {
        {QStringLiteral("单项选择题"), 1},
        {QStringLiteral("单项选择"), 1},
        {QStringLiteral("单选题"), 1},
        {QStringLiteral("单选"), 1},
        {QStringLiteral("多项选择题"), 2},
        {QStringLiteral("多项选择"), 2},
        {QStringLiteral("多选题"), 2},
        {QStringLiteral("多选"), 2},
        {QStringLiteral("不定项选择题"), 2},
        {QStringLiteral("填空题"), 3},
        {QStringLiteral("填空"), 3},
        {QStringLiteral("判断题"), 4},
        {QStringLiteral("判断"), 4},
        {QStringLiteral("是非题"), 4},
        {QStringLiteral("简答题"), 5},
        {QStringLiteral("简答"), 5},
        {QStringLiteral("问答题"), 5},
        {QStringLiteral("问答"), 5},
        {QStringLiteral("论述题"), 5},
        {QStringLiteral("论述"), 5},
        {QStringLiteral("名词解释"), 5},
        {QStringLiteral("1"), 1},
        {QStringLiteral("2"), 2},
        {QStringLiteral("3"), 3},
        {QStringLiteral("4"), 4},
        {QStringLiteral("5"), 5},
    };
    return names.value(text::trimmed(name), 0);
}

QString headingName(int type)
{
    static const QString names[] = {QStringLiteral("单项选择题"), QStringLiteral("多项选择题"),
                                    QStringLiteral("填空题"), QStringLiteral("判断题"),
                                    QStringLiteral("论述题")};
    return question::isTypeCode(type) ? names[type - 1] : QString();
}

QString cellName(int type)
{
    return question::typeName(type);
}

QString choiceDigits(const QString &letters)
{
    bool chosen[answer::kOptionCount] = {};
    bool any = false;
    for (const QChar c : letters) {
        const QChar upper = c.toUpper();
        const qsizetype option = answer::kOptionLetters.indexOf(upper);
        if (option >= 0 && c.unicode() < 128) {
            chosen[option] = true;
            any = true;
        } else if (!(c.isSpace() || QStringLiteral(",，、.。;；").contains(c))) {
            return QString();
        }
    }
    QString digits;
    for (int i = 0; i < answer::kOptionCount; ++i) {
        if (chosen[i])
            digits += answer::optionDigit(i + 1);
    }
    return any ? digits : QString();
}

QString trueFalseValue(const QString &word)
{
    QString w = text::trimmed(word);
    while (!w.isEmpty() && QStringLiteral("。.；;").contains(w.back()))
        w.chop(1);
    static const QStringList yes = {
        QStringLiteral("√"),    QStringLiteral("✓"), QStringLiteral("✔"), QStringLiteral("对"),
        QStringLiteral("正确"), QStringLiteral("T"), QStringLiteral("是")};
    static const QStringList no = {
        QStringLiteral("×"),    QStringLiteral("✗"), QStringLiteral("✘"),
        QStringLiteral("X"),    QStringLiteral("x"), QStringLiteral("错"),
        QStringLiteral("错误"), QStringLiteral("F"), QStringLiteral("否")};
    if (yes.contains(w))
        return answer::kTrue;
    if (no.contains(w))
        return answer::kFalse;
    return QString();
}

QString trueFalseWord(const QString &stored)
{
    return stored == answer::kTrue ? QStringLiteral("对") : QStringLiteral("错");
}

} // namespace listvocab
