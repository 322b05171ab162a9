#pragma once

#include "practice/ui/QuestionPageBase.h"

class QLineEdit;
class TypedAnswer;

// The fill-in page: "答：" with the one-line answer field, the instruction and
// the save hint. Every key press and release in the field goes to the run;
// the field is rewritten only when the run's answer text changes, so the
// cursor stays where the user is typing.
class FillInPage : public QuestionPageBase
{
    Q_OBJECT

public:
    explicit FillInPage(PracticeRun &run, QWidget *parent = nullptr);

    void render(const RunDisplay &display) override;

    QLineEdit *answerField() const { return m_field; }
    QLabel *saveHint() const { return m_hint; }

private:
    QLineEdit *m_field = nullptr;
    QLabel *m_hint = nullptr;
    TypedAnswer *m_typed = nullptr;
};
