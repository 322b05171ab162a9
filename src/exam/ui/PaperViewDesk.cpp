#include "exam/ui/PaperViewDesk.h"

#include "exam/ui/PaperBrowseWindow.h"
#include "exam/ui/RunDesk.h"
#include "widgets/MainFrame.h"
#include "widgets/Theme.h"

#include <QToolButton>

PaperViewDesk::PaperViewDesk(MainFrame &frame, const DeskServices &services, RunDesk &desk,
                             QObject *parent)
    : QObject(parent), m_desk(desk), m_actions(services.clipboard, services.notifier),
      m_window(std::make_unique<PaperBrowseWindow>(m_actions))
{
    m_window->hide();
    m_window->setPlacement(MainFrame::kTopBarHeight, MainFrame::kPageAreaWidth);
    m_command = new QToolButton;
    m_command->setObjectName(PaperViewDeskNames::browseCommand);
    m_command->setText(QStringLiteral("边做边查阅试卷"));
    m_command->setFont(theme::font(theme::FontRole::Caption));
    m_command->setMinimumHeight(38);
    m_command->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
    m_command->setCursor(Qt::PointingHandCursor);
    connect(m_command, &QToolButton::clicked, this, [this] {
        if (const std::optional<StyledText> lines = m_desk.session().paperLines())
            m_window->showPaper(*lines);
    });
    frame.addPracticeCommand(m_command);
}

PaperViewDesk::~PaperViewDesk() = default;
