#include "exam/ui/MockExamDesk.h"

#include "base/Selection.h"
#include "exam/ui/MockPaperWindow.h"
#include "widgets/MainFrame.h"

#include <QPushButton>

MockExamDesk::MockExamDesk(MainFrame &frame, const DeskServices &services, PracticeSession &session,
                           const MockExamForm &form, Notifier &paperNotifier, QObject *parent)
    : QObject(parent), m_examination(services.db, session, form, services.notifier),
      m_paperActions(services.clipboard, paperNotifier),
      m_paperWindow(std::make_unique<MockPaperWindow>(m_paperActions))
{
    m_paperWindow->hide();
    const Selection *selection = &services.selection;
    m_examination.setBankSource([selection] { return selection->bankName(); });
    m_command = new QPushButton(m_examination.command().caption);
    m_command->setObjectName(MockExamDeskNames::examCommand);
    m_command->setMinimumHeight(28);
    m_command->setCursor(Qt::PointingHandCursor);
    frame.addCommand(MainFrame::CommandGroup::Exam, m_command);

    m_paperWindow->setAnswerPageWidth(MainFrame::kPageAreaWidth);
    connect(m_command, &QPushButton::clicked, this, [this] { m_examination.start(); });
    connect(&m_examination, &MockExamination::commandChanged, this, &MockExamDesk::renderCommand);
    connect(&m_examination, &MockExamination::quotaPageRequested, this,
            &MockExamDesk::quotaPageRequested);
    connect(&m_examination, &MockExamination::paperReady, m_paperWindow.get(),
            &MockPaperWindow::showPaper);
}

MockExamDesk::~MockExamDesk() = default;

void MockExamDesk::showPaper(const PaperScope &scope)
{
    m_examination.showPaper(scope);
}

void MockExamDesk::renderCommand()
{
    const MockExamination::Command &command = m_examination.command();
    m_command->setText(command.caption);
    m_command->setEnabled(command.enabled);
    // The paper is read while the event loop waits: paint "抽题中.请等待..." now.
    if (m_command->isVisible())
        m_command->repaint();
}
