#pragma once

#include "app/DesktopIdle.h"
#include "app/ui/NotifierBoxes.h"
#include "app/ui/QtClipboard.h"
#include "base/Clock.h"
#include "base/DeskServices.h"
#include "base/RandomSource.h"
#include "base/Selection.h"
#include "settings/PasswordGate.h"
#include "widgets/QtFileDialogs.h"

#include <QSqlDatabase>
#include <memory>

class BackupDesk;
class EditorDesk;
class KnownBar;
class StudyDesk;
class MainWindow;
class MockExamDesk;
class PaperViewDesk;
class PickerDesk;
class PickerWindow;
class QuotaDesk;
class RandomPracticeDesk;
class ResultsDesk;
class ReferenceDesk;
class BankTransferDesk;
class RunDesk;
class SearchDesk;
class SettingsDesk;
class BackdropWindow;
class QWidget;

// The composition root: the services every feature shares (the notices, the
// clipboard, the one random source and clock, the selection), the main
// window, and the features' desks, made once at start-up in a fixed order and
// wired to each other; their windows are hidden until asked for.
class Windows
{
public:
    // mainDb and pickerDb are the two windows' own connections to the data file.
    Windows(QSqlDatabase mainDb, QSqlDatabase pickerDb);
    ~Windows();
    Windows(const Windows &) = delete;
    Windows &operator=(const Windows &) = delete;

    MainWindow *main() const { return m_main.get(); }
    Selection &selection() { return m_selection; }

    SettingsDesk *settingsDesk() const { return m_settings; }
    RunDesk *runDesk() const { return m_run.get(); }
    KnownBar *knownBar() const { return m_known; }
    StudyDesk *studyDesk() const { return m_study; }
    RandomPracticeDesk *randomPracticeDesk() const { return m_randomPractice; }
    PaperViewDesk *paperViewDesk() const { return m_paperView; }
    SearchDesk *searchDesk() const { return m_search; }
    EditorDesk *editorDesk() const { return m_editor; }
    ReferenceDesk *referenceDesk() const { return m_reference; }
    BankTransferDesk *bankTransferDesk() const { return m_bankTransfer; }
    QuotaDesk *quotaDesk() const { return m_quota; }
    MockExamDesk *mockExamDesk() const { return m_mockExam; }
    PickerDesk *pickerDesk() const { return m_pickerDesk.get(); }
    BackupDesk *backupDesk() const { return m_backups; }
    ResultsDesk *resultsDesk() const { return m_results; }

    // The windows, by the desks that own them.
    QWidget *review() const;
    PickerWindow *picker() const;
    QWidget *paperBrowse() const;
    QWidget *documents() const;
    QWidget *knownViewer() const;
    QWidget *about() const;
    QWidget *search() const;
    QWidget *composedPaper() const;
    QWidget *editor() const;
    BackdropWindow *backdrop() const;
    QWidget *chapterPaper() const;
    QWidget *inputHelp() const;

private:
    void wireDesks();

    // Notices over each window that asks or tells something.
    NotifierBoxes m_mainNotifier;
    NotifierBoxes m_pickerNotifier;
    NotifierBoxes m_editorNotifier;
    NotifierBoxes m_searchNotifier;
    NotifierBoxes m_paperNotifier;
    NotifierBoxes m_mockPaperNotifier;
    QtClipboard m_clipboard;
    SystemClock m_clock;
    // Seeded from the clock: every draw of the program (papers, random
    // practice, quotas, slogans and jokes) takes its numbers from here.
    SeededRandom m_random;
    Selection m_selection;
    DeskServices m_services;
    DesktopIdle m_idle;
    std::unique_ptr<PasswordGate> m_passwordGate;
    std::unique_ptr<QtFileDialogs> m_documentDialogs;
    // Outlive the main window, whose pages they serve.
    std::unique_ptr<PickerDesk> m_pickerDesk;
    std::unique_ptr<RunDesk> m_run;
    std::unique_ptr<MainWindow> m_main;
    // Owned by the main window.
    SettingsDesk *m_settings = nullptr;
    BackupDesk *m_backups = nullptr;
    ResultsDesk *m_results = nullptr;
    KnownBar *m_known = nullptr;
    StudyDesk *m_study = nullptr;
    RandomPracticeDesk *m_randomPractice = nullptr;
    PaperViewDesk *m_paperView = nullptr;
    SearchDesk *m_search = nullptr;
    EditorDesk *m_editor = nullptr;
    ReferenceDesk *m_reference = nullptr;
    BankTransferDesk *m_bankTransfer = nullptr;
    QuotaDesk *m_quota = nullptr;
    MockExamDesk *m_mockExam = nullptr;
};
