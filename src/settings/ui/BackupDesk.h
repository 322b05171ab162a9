#pragma once

#include "settings/BackupRestore.h"

#include <QObject>
#include <QSqlDatabase>
#include <memory>

class BackupWindow;
class Clock;
class Notifier;
class PasswordGate;
class QPushButton;

// "恢复备份..." on the settings page, behind the program password: opens
// the list of backups, from which one is restored.
class BackupDesk : public QObject
{
    Q_OBJECT

public:
    BackupDesk(QSqlDatabase db, PasswordGate &gate, Notifier &notifier, const Clock &clock,
               QObject *parent = nullptr);
    ~BackupDesk() override;

    // The command, for the settings page.
    QPushButton *command() const { return m_command; }
    BackupWindow *window() const { return m_window.get(); }

signals:
    // The password has not been entered yet.
    void passwordRequested();
    // A backup was restored: what windows show of the data is to be read anew.
    void restored();

private:
    void open();

    PasswordGate &m_gate;
    BackupRestore m_restore;
    std::unique_ptr<BackupWindow> m_window;
    QPushButton *m_command = nullptr;
};
