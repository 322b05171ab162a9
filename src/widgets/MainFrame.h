#pragma once

#include "widgets/PageHandle.h"

#include <QString>
#include <QWidget>
#include <functional>

// The main window as the features see it: places where they register their
// pages and commands, and a few typed operations on what the window shows
// around a practice run. Nobody outside the window reaches into its widgets;
// the window's own controls report through the signals below.
class MainFrame : public QWidget
{
    Q_OBJECT

public:
    // The two pages of the left panel.
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

    // The top bar around a run.
    struct TopBar
    {
        QString chapter;          // empty: the link asks the user to choose a chapter
        bool chapterShown = true; // "★选择章节：" and the chapter link
        QString runStatus = QStringLiteral("练习状态");
        QString liveCorrect = QStringLiteral("00"); // green, bold
        QString liveTotal = QStringLiteral("00");   // grey
    };

    // The run's commands on the left panel's practice page, and the command page.
    struct RunCommands
    {
        QString gradeCaption = QStringLiteral("交卷评阅");
        bool gradeEnabled = true;
        bool backToCommandsEnabled = true;
        // Practice, exam, tools, editor and system commands (not Prior/Next).
        bool commandsEnabled = true;
    };

    // The bottom bar of a run.
    struct RunBar
    {
        int progressMinimum = 0;
        int progressMaximum = 100;
        int progressValue = 0;
        QString percentText = QStringLiteral("100%");
        bool handInHintVisible = false; // "请点击[交卷评阅]按钮交卷后进行答案对照"
        bool nextEnabled = true;
        QString nextCaption = QStringLiteral("下一题[Next]");
    };

    using QWidget::QWidget;

    // --- Registration, once at start-up -----------------------------------------

    // Adds the page to the page area, hidden until shown; the feature keeps the
    // handle to show the page later. The page keeps its objectName.
    virtual PageHandle installPage(QWidget *page) = 0;
    virtual void addCommand(CommandGroup group, QWidget *command) = 0;
    // The question-number strip above the bottom bar's row; the strip area is
    // as high as the strip asks, the page area gives up the room.
    virtual void setQuestionStrip(QWidget *strip) = 0;
    // Run commands and hints of the bottom bar, before Prior and Next.
    virtual void addRunBarItem(QWidget *item, int stretch = 0) = 0;
    // A command of the left panel's practice page, below "交卷评阅".
    virtual void addPracticeCommand(QWidget *command) = 0;

    // --- Operations --------------------------------------------------------------

    // Shows an installed page; a handle of no page changes nothing.
    virtual void showPage(PageHandle page) = 0;
    // Whether the page is the one the page area shows.
    virtual bool isShown(PageHandle page) const = 0;
    virtual void showLeftPage(LeftPage page) = 0;
    virtual void showTopBar(const TopBar &bar) = 0;
    virtual void showRunCommands(const RunCommands &commands) = 0;
    virtual void showRunBar(const RunBar &bar) = 0;
    virtual void showCountdown(const QString &text) = 0;
    // The slogan strip: the text with its left edge at x pixels from the
    // strip's left edge, or no text while the strip is stopped.
    virtual void showSlogan(const QString &text, int x, bool shown) = 0;
    // The first field of the status bar (the idle time; empty clears it).
    virtual void showIdleTime(const QString &text) = 0;
    // Ends the program without the closing question (the user has confirmed
    // already, or the settings were saved).
    virtual void quitWithoutAsking() = 0;
    // A feature's say before the program closes: the question returns a text
    // to ask (yes closes) when something would be lost, empty otherwise.
    virtual void addClosingQuestion(std::function<QString()> question) = 0;

signals:
    void chapterLinkClicked();
    void priorRequested();
    void nextRequested();
    void gradeRequested();
    // A click on the slogan strip.
    void sloganStripClicked();
};
