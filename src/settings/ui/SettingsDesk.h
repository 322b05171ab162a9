#pragma once

#include "settings/SettingsForm.h"
#include "settings/SettingsStore.h"
#include "widgets/PageHandle.h"

#include <QLatin1StringView>
#include <QObject>
#include <QSqlDatabase>

class MainFrame;
class Notifier;
class QPushButton;
class SettingsPage;

// The object names by which tests and stored layouts find the controls.
struct SettingsDeskNames
{
    static constexpr QLatin1StringView settingsCommand{"Button12"};
};

// The settings in the main window: reads the settings record at start-up,
// keeps the form that the settings page edits, and registers the page and
// "系统配置" on the command page. Saving the page ends the program.
class SettingsDesk : public QObject
{
    Q_OBJECT

public:
    SettingsDesk(MainFrame &frame, QSqlDatabase db, Notifier &notifier, QObject *parent = nullptr);

    // The settings read at start-up, and the form as the page holds it now.
    const Settings &startupSettings() const { return m_startup; }
    SettingsForm &form() { return m_form; }

    SettingsPage *page() const { return m_page; }
    PageHandle pageHandle() const { return m_handle; }
    QPushButton *command() const { return m_command; }

    // A command of another feature on the page, below the page's own controls.
    void addCommand(QWidget *command);
    // The form changed underneath the page (a run put the delay back to its
    // setting): shows it anew.
    void refresh();

signals:
    // "点击返回试题".
    void backToQuestions();
    // The delay slider moved, by the user or by "恢复默认值".
    void delayMoved(int position);

private:
    MainFrame &m_frame;
    SettingsStore m_store;
    Settings m_startup;
    SettingsForm m_form;
    SettingsPage *m_page = nullptr;
    PageHandle m_handle;
    QPushButton *m_command = nullptr;
};
