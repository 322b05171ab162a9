#pragma once

#include "practice/ui/QuestionPageBase.h"

class QPlainTextEdit;
class TypedAnswer;

// The essay page: the question, the editable answer view below it and the
// save hint. Key presses and releases in the answer view go to the run; the
// view is rewritten only when the run's answer text changes.
class EssayPage : public QuestionPageBase
{
    Q_OBJECT

public:
    explicit EssayPage(PracticeRun &run, QWidget *parent = nullptr);

    void render(const RunDisplay &display) override;

    QPlainTextEdit *answerView() const { return m_answer; }
    QLabel *saveHint() const { return m_hint; }

private:
    QPlainTextEdit *m_answer = nullptr;
    QLabel *m_hint = nullptr;
    TypedAnswer *m_typed = nullptr;
};
