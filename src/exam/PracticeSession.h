#pragma once

#include "base/StyledText.h"
#include "exam/PracticeLog.h"
#include "exam/WaitingRecords.h"
#include "practice/RunSource.h"

#include <QDateTime>
#include <QObject>
#include <QSqlDatabase>
#include <QString>
#include <functional>
#include <optional>

class Countdown;
class Notifier;
class PracticeRun;
class ReviewPresenter;
class SequentialPractice;
class SettingsForm;
class StudyRecorder;

// The life of a practice run around the run itself: choosing and loading the
// chapter, sequential practice and set extraction, the countdown, grading with
// its review and log record, and the return to the idle main window. The main
// window forwards the user's commands here and renders frame() and the run's
// display() after every changed().
class PracticeSession : public QObject
{
    Q_OBJECT

public:
    enum class LeftPage
    {
        Commands,
        Practice
    };

    // What the main window shows around the run.
    struct Frame
    {
        QString chapter;                // the chapter link of the top bar
        bool chapterLinkVisible = true; // "★选择章节：" and the link
        QString runStatus = QStringLiteral("练习状态");
        QString gradeCaption = QStringLiteral("交卷评阅");
        bool gradeEnabled = true;
        LeftPage leftPage = LeftPage::Commands;
        int leftPageSerial = 0;           // grows whenever leftPage is set
        bool practiceBackEnabled = true;  // the picture leading back to the commands
        bool knownCommandVisible = false; // "【此题会做不练习】"
        bool commandsEnabled = true;      // practice, settings, search ... (not Prior/Next)
        bool setChoiceEnabled = true; // the set list and "提取试题" (off while a run is loaded)
        QString countdownLabel;
        StyledText logLines; // the practice-log view of the chapter page
        int logSerial = 0;   // grows whenever logLines is replaced
        // Graded runs' records waiting for the centre's server to answer again.
        int waitingRecords = 0;
    };

    PracticeSession(QSqlDatabase db, PracticeRun &run, SequentialPractice &sequential,
                    Countdown &countdown, SettingsForm &settingsForm, Notifier &notifier,
                    ReviewPresenter &presenter, QObject *parent = nullptr);

    // The clock of log records (the current time unless a test sets one).
    void setClock(std::function<QDateTime()> clock) { m_clock = std::move(clock); }
    // Where graded runs also go: the wrong-question book and the run history
    // (none while the file cannot hold them).
    void setStudyRecorder(const StudyRecorder *recorder) { m_study = recorder; }

    // The one notice of a grading whose log record could not be written.
    static QString logNotSavedNotice(const QString &reason);
    // The wrong-question redo's question, its notice and the run status.
    static QString redoQuestion();
    static QString redoNotice(int before, int kept);
    static QString redoStatus(int kept);

    const Frame &frame() const { return m_frame; }
    bool grading() const { return m_grading; }

    // Whether the chapter may change: not while a run is loaded and not yet
    // graded (the picker stays closed then).
    bool chapterChangeAllowed() const;
    // A chapter chosen in the picker: becomes the current chapter and is
    // loaded for all types; the chapter page and the log are shown. Returns
    // false after the load's notice (the picker is asked to open again when
    // the chapter has nothing left to practise). Refused with a notice while
    // a run is loaded.
    bool chooseChapter(const QString &name);
    // "本章顺序练习" (0) and the type choice box (1 … 5).
    void startSequential(int typeFilter);
    // A click on a row of the set list.
    void setClicked(int row);
    // "提取试题".
    void extract();

    // How a run from a source other than the set list starts.
    struct RunStart
    {
        RunContent content;
        QString statusText;         // the run status of the top bar
        int countdownMinutes = 0;   // the countdown starts with these minutes
        int switchPanelAfterMs = 0; // then the left panel shows the practice page
    };
    // Loads a run (a random draw, a mock paper) in place of whatever run was
    // loaded, which is discarded without grading, and starts the countdown.
    // Returns false, loading nothing, for empty content or during a grading.
    bool startRun(const RunStart &start);
    // The left panel, switched by the system (e.g. 200 ms after an extraction).
    void showLeftPage(LeftPage page);
    // "本套错题重练": after the user's confirmation the run shrinks to its
    // objective questions not yet right and starts again with the countdown;
    // with none left the run is unloaded without grading or log record.
    void redoWrong();
    // "边做边查阅试卷": the run with the user's answers (never the correct
    // ones); nothing, after a notice, when no run is loaded.
    std::optional<StyledText> paperLines();
    // The set the loaded run belongs to: the set index of sequential practice
    // (also for its redo), 0 for runs not cut from the chapter's sets.
    int setIndexOfRun() const;
    // "交卷评阅", "查看我的试卷及评阅" and the countdown's zero.
    void grade();
    // The countdown's one-second tick.
    void countdownTick();
    // "查看我的做题记录" of the chapter page: the newest records.
    void listLog();
    // "查看我的做题记录" of the score page: trims the log, shows the chapter page.
    void trimLog();
    // "删所有".
    void deleteLog();
    // Writes the records that wait for the server (a timer calls this while
    // any wait); a record the server refuses outright is told.
    void retryWaitingRecords();
    // The question to ask before the program closes with records still
    // waiting; empty when none waits.
    QString closingQuestion() const;

Q_SIGNALS:
    void changed();
    // The picker must open again (a chosen chapter has nothing to practise).
    void pickerRequested();
    // A run was loaded: the picker must close (the chapter cannot change now).
    void pickerCloseRequested();
    // Switch the left panel to the practice page after this many milliseconds.
    void practicePanelDue(int milliseconds);

private:
    void setLeftPage(LeftPage page);
    void restoreIdle();
    void enterRunFrame(const QString &statusText, int countdownMinutes, int switchPanelAfterMs);

    QSqlDatabase m_db;
    PracticeRun &m_run;
    SequentialPractice &m_sequential;
    Countdown &m_countdown;
    SettingsForm &m_form;
    Notifier &m_notifier;
    ReviewPresenter &m_presenter;
    PracticeLog m_log;
    WaitingRecords m_waiting;
    std::function<QDateTime()> m_clock = [] { return QDateTime::currentDateTime(); };
    const StudyRecorder *m_study = nullptr;
    QDateTime m_runStarted; // when the loaded run was started, for the minutes it took
    Frame m_frame;
    bool m_grading = false;
};
