#include "practice/ui/SingleChoicePage.h"

#include "practice/PracticeRun.h"
#include "practice/ui/AnswerMark.h"
#include "question/AnswerForm.h"
#include "question/QuestionType.h"
#include "widgets/Theme.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QToolButton>

SingleChoicePage::SingleChoicePage(PracticeRun &run, QWidget *parent)
    : QuestionPageBase(run, QuestionType::SingleChoice, RunDisplay::Page::SingleChoice, parent)
{
    setObjectName(QStringLiteral("TabSheetSingle"));
    auto *row = new QHBoxLayout(controlsArea());
    m_marked = addMarkedChoice(row);
    for (int i = 0; i < answer::kOptionCount; ++i) {
        auto *button = new QToolButton(controlsArea());
        const QString letter(answer::optionLetter(i + 1));
        button->setObjectName(QStringLiteral("ButtonChoice") + letter);
        button->setText(letter);
        button->setToolTip(QStringLiteral("选择 ") + letter);
        button->setIcon(
            buttonFace(letter, theme::colour(theme::Colour::ChoicePlate), QSize(56, 40)));
        button->setIconSize(QSize(56, 40));
        button->setAutoRaise(true);
        button->setCursor(Qt::PointingHandCursor);
        button->setFixedSize(62, 46);
        connect(button, &QToolButton::clicked, this, [this, i] { m_run.answerSingle(i + 1); });
        row->addWidget(button);
        m_buttons << button;
    }
    row->addStretch(1);
    setControlsHeight(50);
}

void SingleChoicePage::render(const RunDisplay &display)
{
    QuestionPageBase::render(display);
    m_marked.show(display.singleChosen, display);
}
