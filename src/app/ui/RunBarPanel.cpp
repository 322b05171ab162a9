#include "app/ui/RunBarPanel.h"

#include "app/ui/MainWindowNames.h"
#include "widgets/CjkFonts.h"
#include "widgets/Theme.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QVBoxLayout>

// Not of fixed height: the strip area above the row grows with the rows of
// question numbers a run needs, and the page area gives up the room.
RunBarPanel::RunBarPanel(QWidget *parent) : QFrame(parent)
{
    setObjectName(QStringLiteral("BottomBar"));
    setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Fixed);
    auto *column = new QVBoxLayout(this);
    column->setContentsMargins(0, 3, 10, 4);
    column->setSpacing(2);

    m_stripArea = new QWidget(this);
    m_stripArea->setObjectName(QStringLiteral("QuestionStrip"));
    m_stripArea->setMinimumHeight(24);
    m_stripArea->setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Fixed);
    column->addWidget(m_stripArea);

    auto *row = new QHBoxLayout;
    row->setContentsMargins(10, 0, 0, 0);
    row->setSpacing(8);
    m_progress = new QProgressBar(this);
    m_progress->setObjectName(MainWindowNames::progressBar);
    m_progress->setRange(0, 100);
    m_progress->setValue(0);
    m_progress->setTextVisible(false);
    m_progress->setFixedSize(250, 16);
    row->addWidget(m_progress);
    m_percent = new QLabel(QStringLiteral("100%"), this);
    m_percent->setObjectName(QStringLiteral("LabelPercent"));
    m_percent->setFont(cjk::hei(14, true));
    theme::setTone(m_percent, theme::Tone::Alert);
    m_percent->setMinimumWidth(44);
    row->addWidget(m_percent);

    // The legend, with the hand-in hint under it while it is shown.
    auto *notes = new QVBoxLayout;
    notes->setSpacing(0);
    auto *legend = new QLabel(QStringLiteral("红色表示你答错了 绿色表示正确 灰色表示主观题"), this);
    legend->setObjectName(QStringLiteral("LabelLegend"));
    legend->setFont(theme::font(theme::FontRole::Note));
    theme::setTone(legend, theme::Tone::Note);
    notes->addWidget(legend);
    m_bottomHint = new QLabel(QStringLiteral("请点击[交卷评阅]按钮交卷后进行答案对照"), this);
    m_bottomHint->setObjectName(QStringLiteral("LabelHandInHint"));
    m_bottomHint->setFont(cjk::song(12, true));
    theme::setTone(m_bottomHint, theme::Tone::HandInHint);
    QSizePolicy keep = m_bottomHint->sizePolicy();
    keep.setRetainSizeWhenHidden(true);
    m_bottomHint->setSizePolicy(keep);
    m_bottomHint->setVisible(false);
    notes->addWidget(m_bottomHint);
    row->addLayout(notes);

    m_items = new QHBoxLayout;
    m_items->setSpacing(6);
    row->addLayout(m_items, 1);
    auto *prior = new QPushButton(QStringLiteral("前一题[Prior]"), this);
    prior->setObjectName(MainWindowNames::priorButton);
    prior->setMinimumSize(112, 28);
    m_next = new QPushButton(QStringLiteral("下一题[Next]"), this);
    m_next->setObjectName(MainWindowNames::nextButton);
    m_next->setMinimumSize(112, 28);
    connect(prior, &QPushButton::clicked, this, &RunBarPanel::priorRequested);
    connect(m_next, &QPushButton::clicked, this, &RunBarPanel::nextRequested);
    row->addWidget(prior);
    row->addWidget(m_next);
    column->addLayout(row);
}

void RunBarPanel::setQuestionStrip(QWidget *strip)
{
    auto *area = new QHBoxLayout(m_stripArea);
    area->setContentsMargins(0, 0, 0, 0);
    strip->setParent(m_stripArea);
    area->addWidget(strip);
}

void RunBarPanel::addItem(QWidget *item, int stretch)
{
    item->setParent(this);
    m_items->addWidget(item, stretch);
}

void RunBarPanel::render(const MainFrame::RunBar &bar)
{
    if (m_progress->minimum() != bar.progressMinimum ||
        m_progress->maximum() != bar.progressMaximum)
        m_progress->setRange(bar.progressMinimum, bar.progressMaximum);
    m_progress->setValue(bar.progressValue);
    m_percent->setText(bar.percentText);
    m_bottomHint->setVisible(bar.handInHintVisible);
    m_next->setEnabled(bar.nextEnabled);
    m_next->setText(bar.nextCaption);
}
