#pragma once

#include "practice/ui/QuestionPageBase.h"

#include <QList>

class AnswerMark;
class QToolButton;

// The single-choice page: "选择：" with the chosen letter, the right and wrong
// marks, and the picture buttons A, B, C, D.
class SingleChoicePage : public QuestionPageBase
{
    Q_OBJECT

public:
    explicit SingleChoicePage(PracticeRun &run, QWidget *parent = nullptr);

    void render(const RunDisplay &display) override;

    QLabel *chosenLabel() const { return m_marked.chosen; }
    AnswerMark *rightMark() const { return m_marked.right; }
    AnswerMark *wrongMark() const { return m_marked.wrong; }
    // Buttons A … D.
    QList<QToolButton *> choiceButtons() const { return m_buttons; }

private:
    MarkedChoice m_marked;
    QList<QToolButton *> m_buttons;
};
