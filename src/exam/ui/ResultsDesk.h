#pragma once

#include "exam/ResultsReport.h"

#include <QObject>
#include <QSqlDatabase>
#include <memory>

class Clock;
class FileDialogs;
class Notifier;
class PasswordGate;
class QPushButton;
class ResultsWindow;

// "学员成绩..." on the settings page, behind the program password: opens the
// trainer's view of every worker's results.
class ResultsDesk : public QObject
{
    Q_OBJECT

public:
    ResultsDesk(QSqlDatabase db, PasswordGate &gate, Notifier &notifier, const Clock &clock,
                FileDialogs &dialogs, ResultsReport::SheetWriter writer, QObject *parent = nullptr);
    ~ResultsDesk() override;

    // The command, for the settings page.
    QPushButton *command() const { return m_command; }
    ResultsWindow *window() const { return m_window.get(); }
    ResultsReport &report() { return m_report; }

    // Reads the results and shows the window; the password page first when
    // the password has not been entered. A failed read is told and the
    // window stays closed.
    void open();

signals:
    // The password has not been entered yet.
    void passwordRequested();

private:
    PasswordGate &m_gate;
    ResultsReport m_report;
    std::unique_ptr<ResultsWindow> m_window;
    QPushButton *m_command = nullptr;
};
