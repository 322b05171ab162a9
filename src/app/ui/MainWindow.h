#pragma once

#include "widgets/MainFrame.h"

#include <vector>

class LeftPanel;
class Notifier;
class QStackedWidget;
class QTimer;
class RunBarPanel;
class SloganStrip;
class StatusBarPanel;
class TopBarPanel;

// The main window: top bar with the current chapter, left command panel,
// slogan strip, the tab-less page area, the bottom bar of the practice run
// and the status bar with the elapsed-time clock. Features register their
// pages and commands and drive it through the operations of MainFrame; every
// named control carries its component name as objectName.
class MainWindow : public MainFrame
{
    Q_OBJECT

public:
    explicit MainWindow(Notifier &notifier, QWidget *parent = nullptr);

    // MainFrame
    PageHandle installPage(QWidget *page) override;
    void addCommand(CommandGroup group, QWidget *command) override;
    void setQuestionStrip(QWidget *strip) override;
    void addRunBarItem(QWidget *item, int stretch = 0) override;
    void addPracticeCommand(QWidget *command) override;
    void showPage(PageHandle page) override;
    bool isShown(PageHandle page) const override;
    void showLeftPage(LeftPage page) override;
    void showTopBar(const TopBar &bar) override;
    void showRunCommands(const RunCommands &commands) override;
    void showRunBar(const RunBar &bar) override;
    void showCountdown(const QString &text) override;
    void showSlogan(const QString &text, int x, bool shown) override;
    void showIdleTime(const QString &text) override;
    void quitWithoutAsking() override;
    void addClosingQuestion(std::function<QString()> question) override;

    // One second of the elapsed clock (the clock timer's slot).
    void tickClock();

signals:
    // The window was shown for the first time (the picker opens then).
    void firstShown();
    // The program is to end.
    void quitRequested();

protected:
    void showEvent(QShowEvent *event) override;
    void closeEvent(QCloseEvent *event) override;

private:
    QWidget *buildCentre();

    Notifier &m_notifier;
    bool m_shownOnce = false;
    bool m_quitting = false;
    std::vector<std::function<QString()>> m_closingQuestions;

    TopBarPanel *m_topBar = nullptr;
    LeftPanel *m_leftPanel = nullptr;
    SloganStrip *m_sloganStrip = nullptr;
    QStackedWidget *m_pageArea = nullptr;
    // Installed pages stand after the empty page the area shows at first.
    int m_firstPage = 0;
    RunBarPanel *m_runBar = nullptr;
    StatusBarPanel *m_statusBar = nullptr;
    QTimer *m_clockTimer = nullptr;
};
