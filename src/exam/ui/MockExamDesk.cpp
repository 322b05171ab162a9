#include "exam/ui/MockExamDesk.h"

#include "exam/ui/MockPaperWindow.h"
#include "widgets/MainFrame.h"

#include <QPushButton>

MockExamDesk::MockExamDesk(MainFrame &frame, QSqlDatabase db, PracticeSession &session,
                           const MockExamForm &form, Notifier &notifier,
                           MockPaperWindow &paperWindow, QObject *parent)
    : QObject(parent), m_examination(std::move(db), session, form, notifier)
{
    m_command = new QPushButton(m_examination.command().caption);
    m_command->setObjectName(QStringLiteral("Button7"));
    m_command->setMinimumHeight(28);
    m_command->setCursor(Qt::PointingHandCursor);
    frame.addCommand(MainFrame::CommandGroup::Exam, m_command);

    paperWindow.setAnswerPageWidth(MainFrame::kPageAreaWidth);
    connect(m_command, &QPushButton::clicked, this, [this] { m_examination.start(); });
    connect(&m_examination, &MockExamination::commandChanged, this, &MockExamDesk::renderCommand);
    connect(&m_examination, &MockExamination::quotaPageRequested, this,
            &MockExamDesk::quotaPageRequested);
    connect(&m_examination, &MockExamination::paperReady, &paperWindow,
            &MockPaperWindow::showPaper);
}

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
