#pragma once

#include "app/ElapsedClock.h"
#include "settings/SettingsForm.h"
#include "settings/SettingsStore.h"

#include <QList>
#include <QSqlDatabase>
#include <QWidget>

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
// run and the status bar with the elapsed-time clock.
//
// Features add their controls through the accessors: installPage() puts a page
// widget in place of its empty placeholder, addCommand() adds a command to a
// group of the left panel, practiceLayout() and bottomCommands() take the run
// commands. Every named control carries its component name as objectName.
class MainWindow : public QWidget
{
    Q_OBJECT

public:
    // Pages of the page area, in their order.
    enum class Page
    {
        SingleChoice,
        MultipleChoice,
        FillIn,
        TrueFalse,
        Essay,
        Score,
        Settings,
        Chapter,
        Composition,
        Quota,
        RegulationWriting,
        Joke,
        PasswordEntry,
        PasswordChange,
    };
    enum class LeftPage
    {
        Commands,
        Practice
    };
    // Titled groups of the command page; a group shows once it holds a command.
    enum class CommandGroup
    {
        Practice,
        Exam,
        Tools,
        Editor,
        Extras,
        System
    };

    static constexpr int kClientWidth = 1130;
    static constexpr int kClientHeight = 657;
    static constexpr int kLeftPanelWidth = 180;
    static constexpr int kTopBarHeight = 36;
    // Width of the page area, where the answer pages stand.
    static constexpr int kPageAreaWidth = kClientWidth - kLeftPanelWidth;

    MainWindow(QSqlDatabase db, Notifier &notifier, QWidget *parent = nullptr);

    QSqlDatabase database() const { return m_db; }
    Notifier &notifier() const { return m_notifier; }

    // The settings read at start-up, as the settings page holds them now.
    SettingsForm &settingsForm() { return m_settingsForm; }
    const Settings &startupSettings() const { return m_startup; }

    // Current chapter: the name in the top bar (empty before the first choice).
    QString chapterName() const { return m_chapterName; }
    void setChapterName(const QString &name);

    // Top bar.
    QLabel *chapterCaption() const { return m_chapterCaption; }
    LinkLabel *chapterLink() const { return m_chapterLink; }
    QLabel *runStatusLabel() const { return m_runStatus; }
    QLabel *resultLabel() const { return m_result; }

    // Left panel.
    QStackedWidget *leftPanel() const { return m_leftPanel; }
    void showLeftPage(LeftPage page);
    QWidget *commandPage() const { return m_commandPage; }
    QWidget *practicePage() const { return m_practicePage; }
    void addCommand(CommandGroup group, QWidget *command);
    QPushButton *sequentialButton() const { return m_sequentialButton; }
    QComboBox *typeChoice() const { return m_typeChoice; }
    QPushButton *settingsButton() const { return m_settingsButton; }
    QLabel *countdownLabel() const { return m_countdown; }
    QToolButton *gradeButton() const { return m_gradeButton; }
    QToolButton *practiceBackButton() const { return m_practiceBack; }
    // The practice, exam, tools, editor and system commands of the command page.
    void setCommandsEnabled(bool enabled);
    // Where further run commands go on the practice page.
    QVBoxLayout *practiceLayout() const { return m_practiceLayout; }

    // Centre.
    QFrame *sloganStrip() const { return m_sloganStrip; }
    QLabel *sloganLabel() const { return m_sloganLabel; }
    QStackedWidget *pageArea() const { return m_pageArea; }
    QWidget *page(Page page) const;
    Page currentPage() const;
    void showPage(Page page);
    // Replaces the page's widget (the old one is deleted). A widget without an
    // objectName takes the page's name.
    void installPage(Page page, QWidget *widget);
    SettingsPage *settingsPage() const { return m_settingsPage; }
    static QString pageName(Page page);

    // Bottom bar. The strip area is as high as its contents ask (at least one
    // row of numbers); the page area gives up what the strip takes.
    QWidget *questionStripArea() const { return m_stripArea; }
    QWidget *bottomBar() const { return m_bottomBar; }
    QProgressBar *progressBar() const { return m_progress; }
    QLabel *percentLabel() const { return m_percent; }
    QPushButton *priorButton() const { return m_prior; }
    QPushButton *nextButton() const { return m_next; }
    // "请点击[交卷评阅]按钮交卷后进行答案对照" (hidden at start) and the colour legend.
    QLabel *bottomHint() const { return m_bottomHint; }
    QLabel *legendLabel() const { return m_legend; }
    // Where the known-question commands and hints go, before the two buttons.
    QHBoxLayout *bottomCommands() const { return m_bottomCommands; }

    // Status bar: panel 0 idle time, 1 the fixed line, 2 the elapsed clock.
    QLabel *statusPanel(int index) const { return m_status.value(index); }
    ElapsedClock &elapsedClock() { return m_clock; }
    QTimer *clockTimer() const { return m_clockTimer; }
    // Stops the elapsed clock for good.
    void stopElapsedClock();
    // One second of the elapsed clock (the clock timer's slot).
    void tickClock();

    // Ends the program without asking (after the settings were saved).
    void quitWithoutAsking();

signals:
    // The window was shown for the first time (the picker opens then).
    void firstShown();
    void chapterLinkClicked();
    // The program is to end.
    void quitRequested();

protected:
    void showEvent(QShowEvent *event) override;
    void closeEvent(QCloseEvent *event) override;

private:
    QWidget *buildTopBar();
    QWidget *buildLeftPanel();
    QWidget *buildCentre();
    QWidget *buildBottomBar();
    QWidget *buildStatusBar();

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
    QPushButton *m_sequentialButton = nullptr;
    QComboBox *m_typeChoice = nullptr;
    QPushButton *m_settingsButton = nullptr;
    QLabel *m_countdown = nullptr;
    QToolButton *m_gradeButton = nullptr;
    QToolButton *m_practiceBack = nullptr;
    QVBoxLayout *m_practiceLayout = nullptr;
    QFrame *m_sloganStrip = nullptr;
    QLabel *m_sloganLabel = nullptr;
    QStackedWidget *m_pageArea = nullptr;
    SettingsPage *m_settingsPage = nullptr;
    QWidget *m_bottomBar = nullptr;
    QWidget *m_stripArea = nullptr;
    QLabel *m_bottomHint = nullptr;
    QLabel *m_legend = nullptr;
    QProgressBar *m_progress = nullptr;
    QLabel *m_percent = nullptr;
    QPushButton *m_prior = nullptr;
    QPushButton *m_next = nullptr;
    QHBoxLayout *m_bottomCommands = nullptr;
    QList<QLabel *> m_status;
    QTimer *m_clockTimer = nullptr;
};
