#include "practice/AnswerKeys.h"

namespace {

using Action = AnswerKeys::Action;
using Command = AnswerKeys::Command;

// 1 … 4 for A … D and the digits 1 … 4, 0 for any other key.
int optionOf(int key)
{
    if (key >= Qt::Key_A && key <= Qt::Key_D)
        return key - Qt::Key_A + 1;
    if (key >= Qt::Key_1 && key <= Qt::Key_4)
        return key - Qt::Key_1 + 1;
    return 0;
}

bool isEnter(int key)
{
    return key == Qt::Key_Return || key == Qt::Key_Enter;
}

} // namespace

AnswerKeys::Command AnswerKeys::command(int key, Qt::KeyboardModifiers modifiers, QuestionType page,
                                        Focus focus)
{
    // The keypad's digits and Enter are the same keys as the main block's.
    const Qt::KeyboardModifiers held = modifiers & ~Qt::KeyboardModifiers(Qt::KeypadModifier);
    // Typed-text fields keep every key except the few that type nothing.
    if (key == Qt::Key_F1 && held == Qt::NoModifier)
        return {Action::KeyMap};
    if (isEnter(key) && held == Qt::ControlModifier)
        return {Action::HandIn};
    if (focus == Focus::EssayField)
        return {};
    if (focus == Focus::FillInField)
        return isEnter(key) && held == Qt::NoModifier ? Command{Action::Next} : Command{};
    if (held != Qt::NoModifier)
        return {};

    switch (key) {
    case Qt::Key_Left:
    case Qt::Key_PageUp:
        return {Action::Prior};
    case Qt::Key_Right:
    case Qt::Key_PageDown:
        return {Action::Next};
    default:
        break;
    }
    switch (page) {
    case QuestionType::SingleChoice:
    case QuestionType::MultipleChoice:
        if (const int option = optionOf(key))
            return {Action::Option, option};
        return {};
    case QuestionType::TrueFalse:
        if (key == Qt::Key_1 || key == Qt::Key_T)
            return {Action::True};
        if (key == Qt::Key_2 || key == Qt::Key_F)
            return {Action::False};
        return {};
    default:
        return {};
    }
}

bool AnswerKeys::repeats(Action action)
{
    return action == Action::Prior || action == Action::Next;
}

QList<AnswerKeys::Entry> AnswerKeys::keyMap()
{
    return {
        {QStringLiteral("A B C D 或 1 2 3 4"),
         QStringLiteral("单选题：选择该项；多选题：选中或取消该项")},
        {QStringLiteral("1 或 T"), QStringLiteral("判断题：对")},
        {QStringLiteral("2 或 F"), QStringLiteral("判断题：错")},
        {QStringLiteral("← 或 PageUp"), QStringLiteral("前一题[Prior]")},
        {QStringLiteral("→ 或 PageDown"), QStringLiteral("下一题[Next]")},
        {QStringLiteral("Ctrl+Enter"), QStringLiteral("交卷评阅")},
        {QStringLiteral("Enter"), QStringLiteral("填空题答案框中：下一题")},
        {QStringLiteral("Tab"), QStringLiteral("离开填空题答案框或论述题答案框")},
        {QStringLiteral("F1"), QStringLiteral("显示本按键说明")},
    };
}
