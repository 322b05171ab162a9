#pragma once

#include "question/QuestionType.h"

#include <QList>
#include <QString>
#include <Qt>

// What a key does on the answer pages: the same operations the mouse reaches
// through the page's buttons and check boxes, Prior, Next and "交卷评阅".
// In the fill-in field and the essay view the keys type text; only Enter in
// the one-line fill-in field moves on, and Tab (left to the field) leaves.
class AnswerKeys
{
public:
    enum class Action
    {
        None,   // the key is the focused control's own
        Option, // single choice: choose; multiple choice: toggle (option 1 … 4)
        True,   // "对"
        False,  // "错"
        Prior,
        Next,
        HandIn,
        KeyMap, // the window listing these keys
    };
    struct Command
    {
        Action action = Action::None;
        int option = 0; // 1 … 4 for Option

        bool operator==(const Command &) const = default;
    };
    // Where the keyboard focus stands on the answer page shown.
    enum class Focus
    {
        Page,        // anywhere but a field that takes text
        FillInField, // the one-line fill-in answer field
        EssayField,  // the essay answer view
    };

    // The command of a key pressed with the modifiers while the answer page
    // of the type is shown. Keypad digits count as the digits.
    static Command command(int key, Qt::KeyboardModifiers modifiers, QuestionType page,
                           Focus focus);
    // Whether a held key repeats the command: the moves do, answers do not
    // (a held letter would otherwise answer a single choice twice).
    static bool repeats(Action action);

    // The key map as the window lists it: the keys and what they do.
    struct Entry
    {
        QString keys;
        QString meaning;
    };
    static QList<Entry> keyMap();
};
