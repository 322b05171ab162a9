#pragma once

#include "app/ui/NotifierBoxes.h"
#include "app/ui/QtClipboard.h"
#include "base/RandomSource.h"
#include "exam/MockExamForm.h"
#include "exam/ReviewActions.h"
#include "widgets/QtFileDialogs.h"

#include <QDateTime>
#include <QSqlDatabase>
#include <memory>

class AboutBox;
class BackdropWindow;
class DesktopIdle;
class DocumentViewer;
class MainWindow;
class OutputCommands;
class PasswordGate;
class PickerWindow;
class MockExamDesk;
class PracticeDesk;
class QuotaPage;
class QtFileDialogs;
class RandomSource;
class ReviewWindow;
class QWidget;

// Every window of the program, created once at start-up, hidden, in a fixed
// order, and kept until the end.
class Windows
{
public:
    // mainDb and pickerDb are the two windows' own connections to the data file.
    Windows(QSqlDatabase mainDb, QSqlDatabase pickerDb);
    ~Windows();
    Windows(const Windows &) = delete;
    Windows &operator=(const Windows &) = delete;

    MainWindow *main() const { return m_main.get(); }
    QWidget *review() const;                                       // TForm2
    PickerWindow *picker() const { return m_picker.get(); }        // TForm3
    QWidget *paperBrowse() const { return m_paperBrowse.get(); }   // TForm7
    QWidget *documents() const { return m_documents.get(); }       // TForm9
    QWidget *knownViewer() const { return m_known.get(); }         // TForm14
    QWidget *about() const { return m_about.get(); }               // TForm15
    QWidget *search() const { return m_search.get(); }             // TForm17
    QWidget *composedPaper() const { return m_composed.get(); }    // TForm18
    QWidget *editor() const { return m_editor.get(); }             // TForm21
    BackdropWindow *backdrop() const { return m_backdrop.get(); }  // TForm13
    QWidget *chapterPaper() const { return m_chapterPaper.get(); } // TForm8
    QWidget *inputHelp() const { return m_inputHelp.get(); }       // TForm6
    // Practising in the main window; made once the windows exist.
    PracticeDesk *desk() const { return m_desk.get(); }
    // The mock examination's quota page (page Quota of the main window): its
    // open() shows the picker's bank, its paperRequested() asks for a paper.
    QuotaPage *quotaPage() const { return m_quotaPage; }
    // The examination settings that the quota page edits.
    MockExamForm &mockExamForm() { return m_mockExamForm; }

private:
    void wireReference(QSqlDatabase db);
    void wireSearch(QSqlDatabase db);
    void wireQuota(QSqlDatabase db);
    void wirePracticeExtras();
    void wireKnown();
    void wireMockExam(QSqlDatabase db);

    NotifierBoxes m_mainNotifier;
    NotifierBoxes m_pickerNotifier;
    NotifierBoxes m_editorNotifier;
    QtClipboard m_clipboard;
    ReviewActions m_reviewActions{m_clipboard, m_mainNotifier};
    // The mock paper window's copy command, its notices over that window.
    NotifierBoxes m_mockPaperNotifier;
    ReviewActions m_mockPaperActions{m_clipboard, m_mockPaperNotifier};
    // The search and the composed paper: their notices, file dialogs and the
    // clock-seeded draw of the paper.
    NotifierBoxes m_searchNotifier;
    NotifierBoxes m_paperNotifier;
    QtFileDialogs m_searchDialogs;
    QtFileDialogs m_paperDialogs;
    SeededRandom m_paperRandom{static_cast<quint64>(QDateTime::currentMSecsSinceEpoch())};
    // The clock-seeded draw of random practice.
    SeededRandom m_practiceRandom{static_cast<quint64>(QDateTime::currentMSecsSinceEpoch()) ^
                                  0x5bd1e995u};
    // The mock examination's settings and the clock-seeded draw of its quotas.
    MockExamForm m_mockExamForm;
    SeededRandom m_quotaRandom{static_cast<quint64>(QDateTime::currentMSecsSinceEpoch())};
    QuotaPage *m_quotaPage = nullptr;   // owned by the main window
    MockExamDesk *m_mockExam = nullptr; // owned by the main window
    std::unique_ptr<OutputCommands> m_searchCommands;
    std::unique_ptr<OutputCommands> m_paperCommands;
    // The documents' file dialogs, the clock-seeded draw of slogans and jokes,
    // and the desktop's idle time.
    std::unique_ptr<QtFileDialogs> m_documentDialogs;
    std::unique_ptr<RandomSource> m_extrasRandom;
    std::unique_ptr<DesktopIdle> m_idle;
    // Declared before the windows so that it outlives the pages it serves.
    std::unique_ptr<PracticeDesk> m_desk;
    std::unique_ptr<PasswordGate> m_passwordGate;
    std::unique_ptr<MainWindow> m_main;
    std::unique_ptr<ReviewWindow> m_review;
    std::unique_ptr<PickerWindow> m_picker;
    std::unique_ptr<QWidget> m_paperBrowse;
    std::unique_ptr<QWidget> m_documents;
    std::unique_ptr<QWidget> m_known;
    std::unique_ptr<QWidget> m_about;
    std::unique_ptr<QWidget> m_search;
    std::unique_ptr<QWidget> m_composed;
    std::unique_ptr<QWidget> m_editor;
    std::unique_ptr<BackdropWindow> m_backdrop;
    std::unique_ptr<QWidget> m_chapterPaper;
    std::unique_ptr<QWidget> m_inputHelp;
};
