#pragma once

#include "app/ElapsedClock.h"
#include "settings/SettingsForm.h"
#include "settings/SettingsStore.h"
#include "widgets/MainFrame.h"

#include <QList>
#include <QSqlDatabase>

class LinkLabel;
class Notifier;
class QComboBox;
class QFrame;
class QHBoxLayout;
class QLabel;
class QProgressBar;
class QPushButton;
class QStackedWidget;
class QTimer;
class QToolButton;
class QVBoxLayout;
class SettingsPage;

// The main window "TForm1": top bar with the current chapter, left command
// panel, slogan strip, the tab-less page area, the bottom bar of the practice
// run and the status bar with the elapsed-time clock. Features register their
// pages and commands and drive it through the operations of MainFrame; every
// named control carries its component name as objectName.
class MainWindow : public MainFrame
{
    Q_OBJECT

public:
    MainWindow(QSqlDatabase db, Notifier &notifier, QWidget *parent = nullptr);

    // The settings read at start-up, as the settings page holds them now.
    SettingsForm &settingsForm() { return m_settingsForm; }
    const Settings &startupSettings() const { return m_startup; }

    // Current chapter: the name in the top bar (empty before the first choice).
    QString chapterName() const { return m_chapterName; }

    static QString pageName(Page page);

    // MainFrame
    void installPage(Page page, QWidget *widget) override;
    void addCommand(CommandGroup group, QWidget *command) override;
    void setQuestionStrip(QWidget *strip) override;
    void addRunBarItem(QWidget *item, int stretch = 0) override;
    void addPracticeCommand(QWidget *command) override;
    void showPage(Page page) override;
    Page currentPage() const override;
    void showLeftPage(LeftPage page) override;
    void showTopBar(const TopBar &bar) override;
    void showRunCommands(const RunCommands &commands) override;
    void showRunBar(const RunBar &bar) override;
    void showCountdown(const QString &text) override;
    void refreshSettings() override;
    void addSettingsCommand(QWidget *command) override;
    void showSlogan(const QString &text, int x, bool shown) override;
    void showIdleTime(const QString &text) override;

    // One second of the elapsed clock (the clock timer's slot).
    void tickClock();

    // Ends the program without asking (after the settings were saved).
    void quitWithoutAsking();

signals:
    // The window was shown for the first time (the picker opens then).
    void firstShown();
    // The program is to end.
    void quitRequested();

protected:
    void showEvent(QShowEvent *event) override;
    void closeEvent(QCloseEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    QWidget *buildTopBar();
    QWidget *buildLeftPanel();
    QWidget *buildCentre();
    QWidget *buildBottomBar();
    QWidget *buildStatusBar();
    void setChapterName(const QString &name);

    QSqlDatabase m_db;
    Notifier &m_notifier;
    SettingsStore m_store;
    Settings m_startup;
    SettingsForm m_settingsForm;
    ElapsedClock m_clock;
    QString m_chapterName;
    bool m_shownOnce = false;
    bool m_quitting = false;

    QLabel *m_chapterCaption = nullptr;
    LinkLabel *m_chapterLink = nullptr;
    QLabel *m_runStatus = nullptr;
    QLabel *m_result = nullptr;
    QStackedWidget *m_leftPanel = nullptr;
    QWidget *m_commandPage = nullptr;
    QWidget *m_practicePage = nullptr;
    QList<QWidget *> m_groupBoxes;
    QList<QVBoxLayout *> m_groupLayouts;
    QLabel *m_countdown = nullptr;
    QToolButton *m_gradeButton = nullptr;
    QToolButton *m_practiceBack = nullptr;
    QVBoxLayout *m_practiceCommands = nullptr; // below the grade button
    QFrame *m_sloganStrip = nullptr;
    QLabel *m_slogan = nullptr;
    QStackedWidget *m_pageArea = nullptr;
    SettingsPage *m_settingsPage = nullptr;
    QWidget *m_stripArea = nullptr;
    QLabel *m_bottomHint = nullptr;
    QProgressBar *m_progress = nullptr;
    QLabel *m_percent = nullptr;
    QPushButton *m_next = nullptr;
    QHBoxLayout *m_runBarItems = nullptr;
    QList<QLabel *> m_status;
    QTimer *m_clockTimer = nullptr;
};
