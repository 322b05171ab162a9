#pragma once

#include "practice/ui/QuestionPageBase.h"

class AnswerMark;
class QToolButton;

// The true/false page: "选择：" with "对" or "错", the right and wrong marks,
// and the picture buttons for true and false.
class TrueFalsePage : public QuestionPageBase
{
    Q_OBJECT

public:
    explicit TrueFalsePage(PracticeRun &run, QWidget *parent = nullptr);

    void render(const RunDisplay &display) override;

    QLabel *chosenLabel() const { return m_marked.chosen; }
    AnswerMark *rightMark() const { return m_marked.right; }
    AnswerMark *wrongMark() const { return m_marked.wrong; }
    QToolButton *trueButton() const { return m_true; }
    QToolButton *falseButton() const { return m_false; }

private:
    MarkedChoice m_marked;
    QToolButton *m_true = nullptr;
    QToolButton *m_false = nullptr;
};
