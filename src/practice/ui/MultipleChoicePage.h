#pragma once

#include "practice/ui/QuestionPageBase.h"

#include <QList>

class QCheckBox;

// The multiple-choice page: "选择：" with the chosen letters, the check boxes
// "A" … "D" and the feedback label.
class MultipleChoicePage : public QuestionPageBase
{
    Q_OBJECT

public:
    explicit MultipleChoicePage(PracticeRun &run, QWidget *parent = nullptr);

    void render(const RunDisplay &display) override;

    QLabel *chosenLabel() const { return m_chosen; }
    QLabel *feedbackLabel() const { return m_feedback; }
    QList<QCheckBox *> checkBoxes() const { return m_boxes; }

private:
    QLabel *m_chosen = nullptr;
    QLabel *m_feedback = nullptr;
    QList<QCheckBox *> m_boxes;
};
