#include "practice/AnswerKeys.h"
#include "TestRegistry.h"

#include <QTest>

Q_DECLARE_METATYPE(AnswerKeys::Focus)
Q_DECLARE_METATYPE(QuestionType)

namespace {

using Action = AnswerKeys::Action;
using Focus = AnswerKeys::Focus;

} // namespace

class AnswerKeysTest : public QObject
{
    Q_OBJECT

private slots:
    void command_data()
    {
        QTest::addColumn<int>("key");
        QTest::addColumn<int>("modifiers");
        QTest::addColumn<QuestionType>("page");
        QTest::addColumn<Focus>("focus");
        QTest::addColumn<int>("action");
        QTest::addColumn<int>("option");

        const auto single = QuestionType::SingleChoice;
        const auto multiple = QuestionType::MultipleChoice;
        const auto trueFalse = QuestionType::TrueFalse;
        const auto fillIn = QuestionType::FillIn;
        const auto essay = QuestionType::Essay;
        const int none = Qt::NoModifier;
        const int ctrl = Qt::ControlModifier;
        const int keypad = Qt::KeypadModifier;
        auto row = [](const char *name, int key, int modifiers, QuestionType page, Focus focus,
                      Action action, int option = 0) {
            QTest::newRow(name) << key << modifiers << page << focus << static_cast<int>(action)
                                << option;
        };
        row("A chooses single A", Qt::Key_A, none, single, Focus::Page, Action::Option, 1);
        row("D chooses single D", Qt::Key_D, none, single, Focus::Page, Action::Option, 4);
        row("3 chooses single C", Qt::Key_3, none, single, Focus::Page, Action::Option, 3);
        row("keypad 2 chooses single B", Qt::Key_2, keypad, single, Focus::Page, Action::Option, 2);
        row("E is no option", Qt::Key_E, none, single, Focus::Page, Action::None);
        row("5 is no option", Qt::Key_5, none, single, Focus::Page, Action::None);
        row("B toggles multiple B", Qt::Key_B, none, multiple, Focus::Page, Action::Option, 2);
        row("4 toggles multiple D", Qt::Key_4, none, multiple, Focus::Page, Action::Option, 4);
        row("Alt+A answers nothing", Qt::Key_A, Qt::AltModifier, single, Focus::Page, Action::None);
        row("1 is true", Qt::Key_1, none, trueFalse, Focus::Page, Action::True);
        row("T is true", Qt::Key_T, none, trueFalse, Focus::Page, Action::True);
        row("2 is false", Qt::Key_2, none, trueFalse, Focus::Page, Action::False);
        row("F is false", Qt::Key_F, none, trueFalse, Focus::Page, Action::False);
        row("A on true/false", Qt::Key_A, none, trueFalse, Focus::Page, Action::None);
        row("3 on true/false", Qt::Key_3, none, trueFalse, Focus::Page, Action::None);
        row("T on single choice", Qt::Key_T, none, single, Focus::Page, Action::None);
        row("Left is prior", Qt::Key_Left, none, single, Focus::Page, Action::Prior);
        row("PageUp is prior", Qt::Key_PageUp, none, essay, Focus::Page, Action::Prior);
        row("Right is next", Qt::Key_Right, none, trueFalse, Focus::Page, Action::Next);
        row("PageDown is next", Qt::Key_PageDown, none, fillIn, Focus::Page, Action::Next);
        row("Shift+Right selects", Qt::Key_Right, Qt::ShiftModifier, single, Focus::Page,
            Action::None);
        row("Ctrl+Return hands in", Qt::Key_Return, ctrl, multiple, Focus::Page, Action::HandIn);
        row("Ctrl+keypad Enter hands in", Qt::Key_Enter, ctrl | keypad, single, Focus::Page,
            Action::HandIn);
        row("Return alone on a page", Qt::Key_Return, none, single, Focus::Page, Action::None);
        row("F1 shows the key map", Qt::Key_F1, none, single, Focus::Page, Action::KeyMap);
        // In the typed fields the keys type.
        row("A types in fill-in", Qt::Key_A, none, fillIn, Focus::FillInField, Action::None);
        row("1 types in fill-in", Qt::Key_1, none, fillIn, Focus::FillInField, Action::None);
        row("Left moves the cursor in fill-in", Qt::Key_Left, none, fillIn, Focus::FillInField,
            Action::None);
        row("PageDown stays in fill-in", Qt::Key_PageDown, none, fillIn, Focus::FillInField,
            Action::None);
        row("Return moves on from fill-in", Qt::Key_Return, none, fillIn, Focus::FillInField,
            Action::Next);
        row("keypad Enter moves on from fill-in", Qt::Key_Enter, keypad, fillIn, Focus::FillInField,
            Action::Next);
        row("Ctrl+Return hands in from fill-in", Qt::Key_Return, ctrl, fillIn, Focus::FillInField,
            Action::HandIn);
        row("A types in the essay", Qt::Key_A, none, essay, Focus::EssayField, Action::None);
        row("Return breaks the essay line", Qt::Key_Return, none, essay, Focus::EssayField,
            Action::None);
        row("Right stays in the essay", Qt::Key_Right, none, essay, Focus::EssayField,
            Action::None);
        row("Ctrl+Return hands in from the essay", Qt::Key_Return, ctrl, essay, Focus::EssayField,
            Action::HandIn);
        row("F1 from the essay", Qt::Key_F1, none, essay, Focus::EssayField, Action::KeyMap);
    }

    void command()
    {
        QFETCH(int, key);
        QFETCH(int, modifiers);
        QFETCH(QuestionType, page);
        QFETCH(Focus, focus);
        QFETCH(int, action);
        QFETCH(int, option);
        const AnswerKeys::Command got =
            AnswerKeys::command(key, Qt::KeyboardModifiers(modifiers), page, focus);
        QCOMPARE(static_cast<int>(got.action), action);
        QCOMPARE(got.option, option);
    }
};

DRILLBAY_TEST(AnswerKeysTest)
#include "AnswerKeysTest.moc"
