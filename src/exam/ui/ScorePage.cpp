#include "exam/ui/ScorePage.h"

#include "exam/PracticeSession.h"
#include "widgets/LinkLabel.h"
#include "widgets/Theme.h"

#include <QFrame>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

QPushButton *command(const QString &name, const QString &text, QWidget *parent)
{
    auto *button = new QPushButton(text, parent);
    button->setObjectName(name);
    button->setFont(theme::font(theme::FontRole::Caption));
    button->setMinimumSize(200, 40);
    button->setCursor(Qt::PointingHandCursor);
    return button;
}

} // namespace

ScorePage::ScorePage(PracticeSession &session, QWidget *parent)
    : QWidget(parent), m_session(session)
{
    setObjectName(ScorePageNames::page);
    theme::paintPaper(this);

    auto *column = new QVBoxLayout(this);
    column->setContentsMargins(60, 30, 60, 20);
    column->setSpacing(14);
    auto *title = new QLabel(QStringLiteral("即时得分信息"), this);
    title->setObjectName(QStringLiteral("LabelScoreTitle"));
    title->setFont(theme::font(theme::FontRole::ScoreTitle));
    theme::setTone(title, theme::Tone::Heading);
    column->addWidget(title);

    auto *frame = new QFrame(this);
    frame->setObjectName(QStringLiteral("ScoreFrame"));
    theme::setPart(frame, QStringLiteral("scoreFrame"));
    auto *grid = new QGridLayout(frame);
    grid->setContentsMargins(30, 20, 30, 20);
    grid->setHorizontalSpacing(12);
    grid->setVerticalSpacing(16);
    auto *rawCaption = new QLabel(QStringLiteral("原始分："), frame);
    rawCaption->setFont(theme::font(theme::FontRole::ScoreCaption));
    grid->addWidget(rawCaption, 0, 0, Qt::AlignRight);
    m_scoreLine = new QLabel(frame);
    m_scoreLine->setObjectName(QStringLiteral("LabelScoreLine"));
    m_scoreLine->setFont(theme::font(theme::FontRole::ScoreFigure));
    theme::setTone(m_scoreLine, theme::Tone::Detail);
    grid->addWidget(m_scoreLine, 0, 1);
    auto *percentCaption = new QLabel(QStringLiteral("百分比率："), frame);
    percentCaption->setFont(theme::font(theme::FontRole::ScoreCaption));
    grid->addWidget(percentCaption, 1, 0, Qt::AlignRight);
    m_percent = new QLabel(frame);
    m_percent->setObjectName(QStringLiteral("LabelScorePercent"));
    m_percent->setFont(theme::font(theme::FontRole::ScorePercent));
    theme::setTone(m_percent, theme::Tone::Emphasis);
    grid->addWidget(m_percent, 1, 1);
    m_note = new QLabel(frame);
    m_note->setObjectName(QStringLiteral("LabelScoreNote"));
    m_note->setFont(theme::font(theme::FontRole::ScoreNote));
    theme::setTone(m_note, theme::Tone::Emphasis);
    m_note->hide();
    grid->addWidget(m_note, 2, 1);
    grid->setColumnStretch(1, 1);
    column->addWidget(frame);

    auto *commands = new QHBoxLayout;
    commands->setSpacing(20);
    m_redo = command(ScorePageNames::redoButton, QStringLiteral("本套错题重练"), this);
    connect(m_redo, &QPushButton::clicked, this, [this] { m_session.redoWrong(); });
    commands->addWidget(m_redo);
    m_review = command(ScorePageNames::reviewButton, QStringLiteral("查看我的试卷及评阅"), this);
    connect(m_review, &QPushButton::clicked, this, [this] { m_session.grade(); });
    commands->addWidget(m_review);
    commands->addStretch(1);
    column->addLayout(commands);

    m_log = new LinkLabel(QStringLiteral("查看我的做题记录"), this);
    m_log->setObjectName(ScorePageNames::logLink);
    m_log->setFont(theme::font(theme::FontRole::ListText));
    connect(m_log, &LinkLabel::clicked, this, [this] { m_session.trimLog(); });
    column->addWidget(m_log, 0, Qt::AlignLeft);
    column->addStretch(1);
}

void ScorePage::render(const RunDisplay &display)
{
    m_scoreLine->setText(display.scoreLine);
    m_percent->setText(display.scorePercent);
    m_note->setText(display.scoreNote);
    m_note->setVisible(!display.scoreNote.isEmpty());
}
