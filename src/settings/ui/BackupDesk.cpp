#include "settings/ui/BackupDesk.h"

#include "settings/PasswordGate.h"
#include "settings/ui/BackupWindow.h"

#include <QPushButton>

BackupDesk::BackupDesk(QSqlDatabase db, PasswordGate &gate, Notifier &notifier, const Clock &clock,
                       QObject *parent)
    : QObject(parent), m_gate(gate), m_restore(std::move(db), notifier, &clock),
      m_window(std::make_unique<BackupWindow>(m_restore))
{
    m_window->hide();
    m_command = new QPushButton(QStringLiteral("恢复备份..."));
    m_command->setObjectName(QStringLiteral("BackupCommand"));
    m_command->setMinimumHeight(26);
    m_command->setCursor(Qt::PointingHandCursor);
    m_command->setToolTip(QStringLiteral("从自动备份中恢复数据（需要程序密码）"));
    connect(m_command, &QPushButton::clicked, this, &BackupDesk::open);
    connect(m_window.get(), &BackupWindow::restored, this, &BackupDesk::restored);
}

BackupDesk::~BackupDesk() = default;

void BackupDesk::open()
{
    if (!m_gate.accepted()) {
        emit passwordRequested();
        return;
    }
    m_window->open();
}
