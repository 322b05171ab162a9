#include "practice/ui/MultipleChoicePage.h"

#include "practice/PracticeRun.h"
#include "question/AnswerForm.h"
#include "question/QuestionType.h"
#include "widgets/Theme.h"

#include <QCheckBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QSignalBlocker>

MultipleChoicePage::MultipleChoicePage(PracticeRun &run, QWidget *parent)
    : QuestionPageBase(run, QuestionType::MultipleChoice, RunDisplay::Page::MultipleChoice, parent)
{
    setObjectName(QStringLiteral("TabSheetMultiple"));
    theme::setPart(this, QStringLiteral("multipleChoicePage"));
    auto *row = new QHBoxLayout(controlsArea());
    row->setContentsMargins(6, 0, 0, 0);
    row->setSpacing(10);
    m_chosen = addChosenLabel(row);
    m_chosen->setMinimumWidth(96);
    for (int i = 0; i < answer::kOptionCount; ++i) {
        auto *box = new QCheckBox(QString(answer::optionLetter(i + 1)), controlsArea());
        box->setObjectName(QStringLiteral("CheckBox") + answer::optionLetter(i + 1));
        box->setFont(theme::font(theme::FontRole::ChoiceLetter));
        box->setCursor(Qt::PointingHandCursor);
        // Only the user's clicks: the boxes are set without signals when rendered.
        connect(box, &QCheckBox::clicked, this,
                [this, i](bool checked) { m_run.setMultiBox(i, checked); });
        row->addWidget(box);
        m_boxes << box;
    }
    row->addSpacing(24);
    m_feedback = new QLabel(controlsArea());
    m_feedback->setObjectName(QStringLiteral("LabelFeedback"));
    m_feedback->setFont(theme::font(theme::FontRole::ChoiceLetter));
    m_feedback->setMinimumWidth(130);
    QSizePolicy keep = m_feedback->sizePolicy();
    keep.setRetainSizeWhenHidden(true);
    m_feedback->setSizePolicy(keep);
    row->addWidget(m_feedback);
    row->addStretch(1);
    setControlsHeight(50);
}

void MultipleChoicePage::render(const RunDisplay &display)
{
    QuestionPageBase::render(display);
    m_chosen->setText(display.multiChosen);
    for (int i = 0; i < m_boxes.size(); ++i) {
        const QSignalBlocker blocker(m_boxes.at(i));
        m_boxes.at(i)->setChecked(display.multiChecks[i]);
    }
    m_feedback->setText(display.multiFeedback);
    theme::setTextColour(m_feedback, QColor::fromRgb(display.multiFeedbackColour));
    m_feedback->setVisible(display.multiFeedbackVisible);
}
