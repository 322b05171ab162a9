#pragma once

#include "base/DeskServices.h"
#include "exam/StudyRecorder.h"
#include "exam/WrongBookPractice.h"
#include "exam/WrongBookViewer.h"
#include "settings/StudySettings.h"

#include <QObject>
#include <memory>

class FileDialogs;
class LinkLabel;
class MainFrame;
class QCheckBox;
class RunDesk;
class SettingsDesk;
class StatisticsWindow;
class QtFileDialogs;
class StudySettingsBox;
class WrongBookWindow;

// The wrong-question book and the statistics in the main window: "错题练习"
// with its bank option, "错题本" and "学习统计" under the practice log's links
// of the chapter page (the command page has no room left), the
// book's and the pass mark's settings on the settings page, and the grading
// hook that feeds the book and the run history. All of it is off (the
// commands say so) when the data file could not take the added tables.
class StudyDesk : public QObject
{
    Q_OBJECT

public:
    StudyDesk(MainFrame &frame, const DeskServices &services, RunDesk &desk, SettingsDesk &settings,
              QObject *parent = nullptr);
    ~StudyDesk() override;

    bool available() const { return m_available; }
    WrongBookPractice &practice() { return m_practice; }
    LinkLabel *practiceLink() const { return m_practiceLink; }
    QCheckBox *bankOption() const { return m_bankOption; }
    LinkLabel *bookLink() const { return m_bookLink; }
    LinkLabel *statisticsLink() const { return m_statisticsLink; }
    WrongBookWindow *bookWindow() const { return m_bookWindow.get(); }
    StatisticsWindow *statisticsWindow() const { return m_statisticsWindow.get(); }
    // The file dialogs of the chart pictures (the system's own unless a test sets others).
    void setFileDialogs(FileDialogs *dialogs);
    // "学习统计": reads the statistics of the current chapter's bank and shows them.
    void openStatistics();
    StudySettingsBox *settingsBox() const { return m_settingsBox; }

private:
    DeskServices m_services;
    RunDesk &m_desk;
    bool m_available = false;
    StudyRecorder m_recorder;
    StudySettings m_settings;
    WrongBookPractice m_practice;
    WrongBookViewer m_viewer;
    std::unique_ptr<WrongBookWindow> m_bookWindow;
    std::unique_ptr<QtFileDialogs> m_systemDialogs;
    std::unique_ptr<StatisticsWindow> m_statisticsWindow;
    StudySettingsBox *m_settingsBox = nullptr;
    LinkLabel *m_practiceLink = nullptr;
    QCheckBox *m_bankOption = nullptr;
    LinkLabel *m_bookLink = nullptr;
    LinkLabel *m_statisticsLink = nullptr;
};
