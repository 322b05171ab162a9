#include "app/ui/TopBarPanel.h"

#include "app/ui/MainWindowNames.h"
#include "widgets/CjkFonts.h"
#include "widgets/LinkLabel.h"
#include "widgets/Theme.h"

#include <QHBoxLayout>
#include <QLabel>

TopBarPanel::TopBarPanel(QWidget *parent) : QFrame(parent)
{
    setObjectName(QStringLiteral("TopBar"));
    setFixedHeight(MainFrame::kTopBarHeight);
    auto *row = new QHBoxLayout(this);
    row->setContentsMargins(14, 0, 16, 0);
    row->setSpacing(6);

    m_chapterCaption = new QLabel(QStringLiteral("★选择章节："), this);
    m_chapterCaption->setObjectName(QStringLiteral("LabelChapterCaption"));
    m_chapterCaption->setFont(theme::font(theme::FontRole::Caption));
    theme::setTone(m_chapterCaption, theme::Tone::OnBar);
    row->addWidget(m_chapterCaption);

    m_chapterLink = new LinkLabel(QStringLiteral("（点击此处选择章节）"), this);
    m_chapterLink->setObjectName(MainWindowNames::chapterLink);
    m_chapterLink->setFont(cjk::hei(15));
    m_chapterLink->setLook(theme::colour(theme::Colour::Text), false,
                           theme::colour(theme::Colour::ChapterLinkHover), true);
    m_chapterLink->setMinimumWidth(360);
    connect(m_chapterLink, &LinkLabel::clicked, this, &TopBarPanel::chapterLinkClicked);
    row->addWidget(m_chapterLink);
    // Takes the room the link leaves, also while the link is hidden in a run.
    row->addStretch(1);

    m_runStatus = new QLabel(QStringLiteral("练习状态"), this);
    m_runStatus->setObjectName(QStringLiteral("LabelRunStatus"));
    m_runStatus->setFont(cjk::hei(14, true));
    theme::setTone(m_runStatus, theme::Tone::OnBar);
    row->addWidget(m_runStatus);
    row->addSpacing(30);

    const QString hint = QStringLiteral("系统提示：正确数/题数/客观总题目");
    auto *resultCaption = new QLabel(QStringLiteral("[正率/客观题]"), this);
    resultCaption->setObjectName(QStringLiteral("LabelResultCaption"));
    resultCaption->setFont(cjk::hei(14));
    theme::setTone(resultCaption, theme::Tone::OnBar);
    resultCaption->setToolTip(hint);
    row->addWidget(resultCaption);
    m_result = new QLabel(QStringLiteral("00/00"), this);
    m_result->setObjectName(QStringLiteral("LabelResult"));
    theme::setPart(m_result, QStringLiteral("liveResult"));
    m_result->setFont(cjk::hei(16, true));
    m_result->setTextFormat(Qt::RichText);
    m_result->setToolTip(hint);
    row->addWidget(m_result);
    setToolTip(hint);
}

void TopBarPanel::setChapterName(const QString &name)
{
    m_chapterName = name;
    m_chapterLink->setText(name.isEmpty() ? QStringLiteral("（点击此处选择章节）") : name);
    m_chapterLink->repaint();
}

void TopBarPanel::render(const MainFrame::TopBar &bar)
{
    if (m_chapterName != bar.chapter)
        setChapterName(bar.chapter);
    m_chapterCaption->setVisible(bar.chapterShown);
    m_chapterLink->setVisible(bar.chapterShown);
    m_runStatus->setText(bar.runStatus);
    m_result->setText(
        QStringLiteral("<span style=\"color:%1;font-weight:bold;\">%2</span>"
                       "<span style=\"color:%3;\">/%4</span>")
            .arg(theme::colour(theme::Colour::UserAnswer).name(), bar.liveCorrect.toHtmlEscaped(),
                 theme::colour(theme::Colour::Separator).name(), bar.liveTotal.toHtmlEscaped()));
}
