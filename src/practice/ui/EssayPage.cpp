#include "practice/ui/EssayPage.h"

#include "practice/PracticeRun.h"
#include "practice/ui/TypedAnswer.h"
#include "question/QuestionType.h"
#include "widgets/Theme.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPlainTextEdit>
#include <QVBoxLayout>

EssayPage::EssayPage(PracticeRun &run, QWidget *parent)
    : QuestionPageBase(run, QuestionType::Essay, RunDisplay::Page::Essay, parent)
{
    setObjectName(QStringLiteral("TabSheetEssay"));
    auto *column = new QVBoxLayout(controlsArea());
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(3);
    auto *heading = new QHBoxLayout;
    auto *caption = new QLabel(QStringLiteral("答："), controlsArea());
    caption->setFont(theme::font(theme::FontRole::AnswerCaption));
    heading->addWidget(caption);
    m_hint = TypedAnswer::makeSaveHint(QStringLiteral("LabelEssaySaved"), controlsArea());
    heading->addWidget(m_hint);
    heading->addStretch(1);
    column->addLayout(heading);

    m_answer = new QPlainTextEdit(controlsArea());
    m_answer->setObjectName(QStringLiteral("RichEditEssay"));
    theme::setPart(m_answer, QStringLiteral("essayField"));
    m_answer->setFont(theme::font(theme::FontRole::QuestionText));
    // Tab leaves the view as it leaves every other control; it types no tab.
    m_answer->setTabChangesFocus(true);
    m_typed = new TypedAnswer(m_answer,
                              {[this] { return m_answer->toPlainText(); },
                               [this](const QString &t) { m_answer->setPlainText(t); },
                               [this] { m_run.essayKeyPress(); },
                               [this](const QString &t) { m_run.essayKeyRelease(t); }},
                              this);
    connect(m_answer, &QPlainTextEdit::textChanged, m_typed, &TypedAnswer::edited);
    column->addWidget(m_answer, 1);
    setControlsHeight(170);
}

void EssayPage::render(const RunDisplay &display)
{
    QuestionPageBase::render(display);
    m_typed->show(display.essayText);
    m_hint->setText(display.saveHint);
    m_hint->setVisible(display.saveHintVisible);
}
