#include "exam/ui/ResultsDesk.h"

#include "exam/ui/ResultsWindow.h"
#include "settings/PasswordGate.h"

#include <QPushButton>

ResultsDesk::ResultsDesk(QSqlDatabase db, PasswordGate &gate, Notifier &notifier,
                         const Clock &clock, FileDialogs &dialogs,
                         ResultsReport::SheetWriter writer, QObject *parent)
    : QObject(parent), m_gate(gate), m_report(std::move(db), notifier, clock, std::move(writer)),
      m_window(std::make_unique<ResultsWindow>(m_report, dialogs))
{
    m_window->hide();
    m_command = new QPushButton(QStringLiteral("学员成绩..."));
    m_command->setObjectName(QStringLiteral("ResultsCommand"));
    m_command->setMinimumHeight(26);
    m_command->setCursor(Qt::PointingHandCursor);
    m_command->setToolTip(
        QStringLiteral("查看每名学员的练习、模拟考试、错题本和及格预测（需要程序密码）"));
    connect(m_command, &QPushButton::clicked, this, &ResultsDesk::open);
}

ResultsDesk::~ResultsDesk() = default;

void ResultsDesk::open()
{
    if (!m_gate.accepted()) {
        emit passwordRequested();
        return;
    }
    if (!m_report.refresh())
        return;
    m_window->render();
    m_window->show();
    m_window->raise();
    m_window->activateWindow();
}
