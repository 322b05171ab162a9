#include "practice/ui/TrueFalsePage.h"

#include "practice/PracticeRun.h"
#include "practice/ui/AnswerMark.h"
#include "question/QuestionType.h"
#include "widgets/Theme.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QToolButton>

namespace {

QToolButton *verdictButton(const QString &name, const QString &text, const QColor &plate,
                           QWidget *parent)
{
    auto *button = new QToolButton(parent);
    button->setObjectName(name);
    button->setText(text);
    button->setToolTip(text);
    button->setIcon(QuestionPageBase::buttonFace(text, plate, QSize(72, 40)));
    button->setIconSize(QSize(72, 40));
    button->setAutoRaise(true);
    button->setCursor(Qt::PointingHandCursor);
    button->setFixedSize(78, 46);
    return button;
}

} // namespace

TrueFalsePage::TrueFalsePage(PracticeRun &run, QWidget *parent)
    : QuestionPageBase(run, QuestionType::TrueFalse, RunDisplay::Page::TrueFalse, parent)
{
    setObjectName(QStringLiteral("TabSheetTrueFalse"));
    auto *row = new QHBoxLayout(controlsArea());
    m_marked = addMarkedChoice(row);
    m_true = verdictButton(QStringLiteral("ButtonTrue"), QStringLiteral("对"),
                           theme::colour(theme::Colour::TruePlate), controlsArea());
    m_false = verdictButton(QStringLiteral("ButtonFalse"), QStringLiteral("错"),
                            theme::colour(theme::Colour::FalsePlate), controlsArea());
    connect(m_true, &QToolButton::clicked, this, [this] { m_run.answerTrueFalse(true); });
    connect(m_false, &QToolButton::clicked, this, [this] { m_run.answerTrueFalse(false); });
    row->addWidget(m_true);
    row->addWidget(m_false);
    row->addStretch(1);
    setControlsHeight(50);
}

void TrueFalsePage::render(const RunDisplay &display)
{
    QuestionPageBase::render(display);
    m_marked.show(display.trueFalseChosen, display);
}
