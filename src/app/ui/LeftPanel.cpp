#include "app/ui/LeftPanel.h"

#include "app/ui/MainWindowNames.h"
#include "widgets/CjkFonts.h"
#include "widgets/Theme.h"

#include <QComboBox>
#include <QFrame>
#include <QLabel>
#include <QPushButton>
#include <QScrollArea>
#include <QToolButton>
#include <QVBoxLayout>

namespace {

// Titles of the command groups in their order; the editor's command shares
// the tools' box, and the settings button stands in a box of its own without
// a title (its caption says what it is).
const char *const kGroupTitles[] = {"章节练习", "模拟考试", "题库工具", nullptr, "资料与其他", ""};

constexpr int kCommandHeight = 26;

} // namespace

LeftPanel::LeftPanel(QWidget *parent) : QStackedWidget(parent)
{
    setObjectName(QStringLiteral("LeftPanel"));
    setFixedWidth(MainFrame::kLeftPanelWidth);
    addWidget(buildCommandPage());
    addWidget(buildPracticePage());
}

// Titled groups, shown once they hold a command. The groups keep their
// natural heights; when the features' commands outgrow the panel, the page
// scrolls rather than squeezing buttons into each other.
QWidget *LeftPanel::buildCommandPage()
{
    auto *scroller = new QScrollArea(this);
    scroller->setObjectName(QStringLiteral("CommandPage"));
    scroller->setFrameShape(QFrame::NoFrame);
    scroller->setWidgetResizable(true);
    scroller->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    m_commandPage = scroller;
    auto *list = new QWidget(scroller);
    list->setObjectName(QStringLiteral("CommandList"));
    auto *commands = new QVBoxLayout(list);
    commands->setContentsMargins(6, 5, 6, 5);
    commands->setSpacing(5);
    for (const char *title : kGroupTitles) {
        if (!title) { // shares the box before it
            m_groupBoxes << m_groupBoxes.constLast();
            m_groupLayouts << m_groupLayouts.constLast();
            continue;
        }
        auto *box = new QFrame(list);
        box->setObjectName(QStringLiteral("CommandGroup"));
        auto *inner = new QVBoxLayout(box);
        inner->setContentsMargins(8, 3, 8, 5);
        inner->setSpacing(2);
        if (*title) {
            auto *heading = new QLabel(QString::fromUtf8(title), box);
            heading->setObjectName(QStringLiteral("GroupTitle"));
            heading->setFont(cjk::hei(13, true));
            inner->addWidget(heading);
        }
        box->setVisible(false);
        commands->addWidget(box);
        m_groupBoxes << box;
        m_groupLayouts << inner;
    }
    commands->addStretch(1);
    scroller->setWidget(list);
    return scroller;
}

// The countdown and the commands of a run.
QWidget *LeftPanel::buildPracticePage()
{
    m_practicePage = new QWidget(this);
    m_practicePage->setObjectName(QStringLiteral("PracticePage"));
    auto *practice = new QVBoxLayout(m_practicePage);
    practice->setContentsMargins(10, 14, 10, 10);
    practice->setSpacing(8);
    auto *countdownCaption = new QLabel(QStringLiteral("倒计时"), m_practicePage);
    countdownCaption->setObjectName(QStringLiteral("LabelCountdownCaption"));
    countdownCaption->setFont(theme::font(theme::FontRole::Caption));
    countdownCaption->setAlignment(Qt::AlignCenter);
    theme::setTone(countdownCaption, theme::Tone::Heading);
    practice->addWidget(countdownCaption);
    m_countdown = new QLabel(QStringLiteral("00:00"), m_practicePage);
    m_countdown->setObjectName(QStringLiteral("LabelCountdown"));
    theme::setPart(m_countdown, QStringLiteral("countdown"));
    m_countdown->setFont(cjk::hei(30, true));
    m_countdown->setAlignment(Qt::AlignCenter);
    practice->addWidget(m_countdown);
    practice->addSpacing(6);
    m_gradeButton = new QToolButton(m_practicePage);
    m_gradeButton->setObjectName(MainWindowNames::gradeButton);
    m_gradeButton->setText(QStringLiteral("交卷评阅"));
    m_gradeButton->setFont(theme::font(theme::FontRole::Caption));
    m_gradeButton->setMinimumHeight(38);
    m_gradeButton->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
    m_gradeButton->setCursor(Qt::PointingHandCursor);
    connect(m_gradeButton, &QToolButton::clicked, this, &LeftPanel::gradeRequested);
    practice->addWidget(m_gradeButton);
    m_practiceCommands = new QVBoxLayout;
    m_practiceCommands->setSpacing(8);
    practice->addLayout(m_practiceCommands);
    practice->addStretch(1);
    m_practiceBack = new QToolButton(m_practicePage);
    m_practiceBack->setObjectName(QStringLiteral("ImageBackToCommands"));
    m_practiceBack->setText(QStringLiteral("◀ 返回功能菜单"));
    m_practiceBack->setAutoRaise(true);
    m_practiceBack->setCursor(Qt::PointingHandCursor);
    m_practiceBack->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
    connect(m_practiceBack, &QToolButton::clicked, this,
            [this] { showPage(MainFrame::LeftPage::Commands); });
    practice->addWidget(m_practiceBack);
    return m_practicePage;
}

void LeftPanel::addCommand(MainFrame::CommandGroup group, QWidget *command)
{
    const int index = static_cast<int>(group);
    // Buttons and choice boxes of the command page share one height, so that
    // every group fits the panel without scrolling.
    if (qobject_cast<QPushButton *>(command) || qobject_cast<QComboBox *>(command))
        command->setFixedHeight(kCommandHeight);
    command->setParent(m_groupBoxes.at(index));
    m_groupLayouts.at(index)->addWidget(command);
    m_groupBoxes.at(index)->setVisible(true);
}

void LeftPanel::addPracticeCommand(QWidget *command)
{
    command->setParent(m_practicePage);
    m_practiceCommands->addWidget(command);
}

void LeftPanel::showPage(MainFrame::LeftPage page)
{
    setCurrentWidget(page == MainFrame::LeftPage::Commands ? m_commandPage : m_practicePage);
}

void LeftPanel::render(const MainFrame::RunCommands &commands)
{
    m_gradeButton->setText(commands.gradeCaption);
    m_gradeButton->setEnabled(commands.gradeEnabled);
    m_practiceBack->setEnabled(commands.backToCommandsEnabled);
    for (const MainFrame::CommandGroup group :
         {MainFrame::CommandGroup::Practice, MainFrame::CommandGroup::Exam,
          MainFrame::CommandGroup::Tools, MainFrame::CommandGroup::Editor,
          MainFrame::CommandGroup::System})
        m_groupBoxes.at(static_cast<int>(group))->setEnabled(commands.commandsEnabled);
}

void LeftPanel::showCountdown(const QString &text)
{
    m_countdown->setText(text);
}
