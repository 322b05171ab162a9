#include "practice/ui/FillInPage.h"

#include "practice/PracticeRun.h"
#include "practice/ui/AnswerLengthValidator.h"
#include "practice/ui/TypedAnswer.h"
#include "question/QuestionType.h"
#include "widgets/Theme.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>

FillInPage::FillInPage(PracticeRun &run, QWidget *parent)
    : QuestionPageBase(run, QuestionType::FillIn, RunDisplay::Page::FillIn, parent)
{
    setObjectName(QStringLiteral("TabSheetFillIn"));
    auto *column = new QVBoxLayout(controlsArea());
    column->setContentsMargins(6, 0, 0, 0);
    column->setSpacing(4);
    auto *row = new QHBoxLayout;
    row->setSpacing(6);
    auto *caption = new QLabel(QStringLiteral("答："), controlsArea());
    caption->setFont(theme::font(theme::FontRole::AnswerCaption));
    row->addWidget(caption);
    m_field = new QLineEdit(controlsArea());
    m_field->setObjectName(QStringLiteral("EditFillIn"));
    theme::setPart(m_field, QStringLiteral("fillInField"));
    // The limit is the run's, in GBK bytes; a longer revealed answer shows whole.
    m_field->setValidator(new AnswerLengthValidator(
        [this](const QString &text) { return m_run.fillInAllowed(text); }, m_field));
    m_field->setFont(theme::font(theme::FontRole::AnswerCaption));
    m_field->setMinimumHeight(30);
    m_typed = new TypedAnswer(m_field,
                              {[this] { return m_field->text(); },
                               [this](const QString &t) { m_field->setText(t); },
                               [this] { m_run.fillInKeyPress(); },
                               [this](const QString &t) { m_run.fillInKeyRelease(t); }},
                              this);
    connect(m_field, &QLineEdit::textEdited, m_typed, &TypedAnswer::edited);
    row->addWidget(m_field, 1);
    column->addLayout(row);

    auto *notes = new QHBoxLayout;
    notes->setSpacing(16);
    auto *instruction =
        new QLabel(QStringLiteral("请将填空题答案写于其中,答案自动保存。【多个答案之间用，分开】"),
                   controlsArea());
    instruction->setObjectName(QStringLiteral("LabelFillInInstruction"));
    instruction->setFont(theme::font(theme::FontRole::Instruction));
    theme::setTone(instruction, theme::Tone::Heading);
    notes->addWidget(instruction);
    m_hint = TypedAnswer::makeSaveHint(QStringLiteral("LabelFillInSaved"), controlsArea());
    notes->addWidget(m_hint);
    notes->addStretch(1);
    column->addLayout(notes);
    setControlsHeight(58);
}

void FillInPage::render(const RunDisplay &display)
{
    QuestionPageBase::render(display);
    m_typed->show(display.fillInText);
    m_hint->setText(display.saveHint);
    m_hint->setVisible(display.saveHintVisible);
}
