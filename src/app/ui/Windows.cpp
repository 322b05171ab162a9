#include "app/ui/Windows.h"

#include "app/ui/MainWindow.h"
#include "editor/XlsxWriter.h"
#include "editor/ui/EditorDesk.h"
#include "editor/ui/EditorWindow.h"
#include "editor/ui/InputHelpWindow.h"
#include "exam/ui/KnownBar.h"
#include "exam/ui/MockExamDesk.h"
#include "exam/ui/MockPaperWindow.h"
#include "exam/ui/PaperBrowseWindow.h"
#include "exam/ui/PaperViewDesk.h"
#include "exam/ui/QuotaDesk.h"
#include "exam/ui/RandomPracticeDesk.h"
#include "exam/ui/ResultsDesk.h"
#include "exam/ui/ReviewWindow.h"
#include "exam/ui/RunDesk.h"
#include "exam/ui/StudyDesk.h"
#include "practice/ui/BackdropWindow.h"
#include "practice/ui/KnownViewerWindow.h"
#include "practice/ui/PickerDesk.h"
#include "practice/ui/PickerWindow.h"
#include "reference/ui/AboutBox.h"
#include "reference/ui/DocumentViewer.h"
#include "reference/ui/ReferenceDesk.h"
#include "search/ui/ComposedPaperWindow.h"
#include "search/ui/SearchDesk.h"
#include "search/ui/SearchWindow.h"
#include "settings/ui/BackupDesk.h"
#include "settings/ui/SettingsDesk.h"
#include "transfer/ui/BankTransferDesk.h"
#include "widgets/LinkLabel.h"

#include <QCoreApplication>
#include <QDir>
#include <QPushButton>

Windows::Windows(QSqlDatabase mainDb, QSqlDatabase pickerDb)
    : m_random(static_cast<quint64>(m_clock.now().toMSecsSinceEpoch())),
      m_services{mainDb, m_mainNotifier, m_clipboard, m_random, m_clock, m_selection}
{
    m_main = std::make_unique<MainWindow>(m_mainNotifier);
    MainWindow *main = m_main.get();
    m_mainNotifier.setParent(main);
    m_pickerDesk = std::make_unique<PickerDesk>(pickerDb, m_pickerNotifier, m_selection);
    m_pickerNotifier.setParent(m_pickerDesk->picker());
    m_passwordGate = std::make_unique<PasswordGate>(mainDb, m_mainNotifier);
    m_documentDialogs = std::make_unique<QtFileDialogs>(main);

    // The order of the desks is the order of their commands within a group.
    m_settings = new SettingsDesk(*main, mainDb, m_mainNotifier, main);
    m_search = new SearchDesk(*main, m_services, m_searchNotifier, m_paperNotifier, main);
    m_searchNotifier.setParent(m_search->searchWindow());
    m_paperNotifier.setParent(m_search->composedPaper());
    m_run = std::make_unique<RunDesk>(*main, m_services, *m_settings);
    m_editor =
        new EditorDesk(*main, mainDb, *m_passwordGate, m_editorNotifier, *m_documentDialogs, main);
    m_editorNotifier.setParent(m_editor->editor());
    m_reference = new ReferenceDesk(*main, mainDb,
                                    ReferenceDesk::Services{m_mainNotifier, *m_documentDialogs,
                                                            m_random, m_idle, *m_passwordGate},
                                    QDir::currentPath());
    m_backups = new BackupDesk(mainDb, *m_passwordGate, m_mainNotifier, m_clock, main);
    m_quota = new QuotaDesk(*main, m_services, main);
    m_mockExam = new MockExamDesk(*main, m_services, m_run->session(), m_quota->form(),
                                  m_mockPaperNotifier, main);
    m_mockPaperNotifier.setParent(m_mockExam->paperWindow());
    m_randomPractice = new RandomPracticeDesk(*main, m_services, *m_run, m_settings->form(), main);
    m_paperView = new PaperViewDesk(*main, m_services, *m_run, main);
    m_known = new KnownBar(*main, m_services, *m_run, main);
    m_study = new StudyDesk(*main, m_services, *m_run, *m_settings, main);
    wireDesks();
}

Windows::~Windows() = default;

void Windows::wireDesks()
{
    MainWindow *main = m_main.get();
    PickerWindow *picker = m_pickerDesk->picker();
    RunDesk *run = m_run.get();

    QObject::connect(main, &MainWindow::firstShown, picker, &PickerWindow::openModal);
    // The chapter of a loaded run cannot change: the picker stays closed until it is graded.
    QObject::connect(main, &MainFrame::chapterLinkClicked, picker, [run, picker] {
        if (run->session().chapterChangeAllowed())
            picker->openOnTop();
    });
    QObject::connect(run, &RunDesk::pickerRequested, picker, &PickerWindow::openOnTop);
    QObject::connect(run, &RunDesk::pickerCloseRequested, picker, &QWidget::hide);
    QObject::connect(picker, &PickerWindow::chapterChosen, main, [main, run](const QString &name) {
        run->chooseChapter(name);
        main->show();
        main->raise();
        main->activateWindow();
    });
    QObject::connect(backdrop(), &BackdropWindow::clicked, main, [main] {
        main->raise();
        main->activateWindow();
    });
    QObject::connect(m_editor, &EditorDesk::editorOpening, backdrop(), &QWidget::hide);
    // "规程写入" stands on the settings page and asks for the editor's password.
    m_settings->addCommand(m_reference->writingCommand());
    // Bank files between installations stand beside it, behind the same password.
    m_bankTransfer = new BankTransferDesk(
        BankTransferDesk::Services{m_services.db, m_mainNotifier, *m_documentDialogs,
                                   [gate = m_passwordGate.get()] { return gate->accepted(); },
                                   QDir::currentPath(), main},
        main);
    m_settings->addCommand(m_bankTransfer->exportCommand());
    m_settings->addCommand(m_bankTransfer->importCommand());
    QObject::connect(m_bankTransfer, &BankTransferDesk::passwordRequested, m_editor,
                     &EditorDesk::askPassword);
    QObject::connect(m_reference, &ReferenceDesk::passwordRequested, m_editor,
                     &EditorDesk::askPassword);
    // "恢复备份..." stands on the settings page behind the same password. After
    // a restore the picker shows the restored banks and chapters, unless a
    // run holds the chapter.
    m_settings->addCommand(m_backups->command());
    QObject::connect(m_backups, &BackupDesk::passwordRequested, m_editor, &EditorDesk::askPassword);
    // The trainer's view of every worker's results, behind the same password;
    // its workbook goes through the question lists' sheet writer.
    m_results = new ResultsDesk(m_services.db, *m_passwordGate, m_mainNotifier, m_clock,
                                *m_documentDialogs, &XlsxWriter::write, main);
    m_settings->addCommand(m_results->command());
    QObject::connect(m_results, &ResultsDesk::passwordRequested, m_editor,
                     &EditorDesk::askPassword);
    QObject::connect(m_backups, &BackupDesk::restored, picker, [run, picker] {
        if (run->session().chapterChangeAllowed())
            picker->openOnTop();
    });
    // A bank without quotas opens the quota page; the page's views show in the
    // examination's paper window.
    QObject::connect(m_mockExam, &MockExamDesk::quotaPageRequested, m_quota, &QuotaDesk::openPage);
    QObject::connect(m_quota, &QuotaDesk::paperRequested, m_mockExam, &MockExamDesk::showPaper);
    QObject::connect(main, &MainWindow::quitRequested, qApp, &QCoreApplication::quit,
                     Qt::QueuedConnection);
    // The picker has asked already: ending the program closes every window,
    // and the main window must not ask a second time.
    QObject::connect(picker, &PickerWindow::quitRequested, main, &MainWindow::quitWithoutAsking);
}

QWidget *Windows::review() const
{
    return m_run->reviewWindow();
}

PickerWindow *Windows::picker() const
{
    return m_pickerDesk->picker();
}

QWidget *Windows::paperBrowse() const
{
    return m_paperView->window();
}

QWidget *Windows::documents() const
{
    return m_reference->viewer();
}

QWidget *Windows::knownViewer() const
{
    return m_known->viewerWindow();
}

QWidget *Windows::about() const
{
    return m_reference->aboutBox();
}

QWidget *Windows::search() const
{
    return m_search->searchWindow();
}

QWidget *Windows::composedPaper() const
{
    return m_search->composedPaper();
}

QWidget *Windows::editor() const
{
    return m_editor->editor();
}

BackdropWindow *Windows::backdrop() const
{
    return m_pickerDesk->backdrop();
}

QWidget *Windows::chapterPaper() const
{
    return m_mockExam->paperWindow();
}

QWidget *Windows::inputHelp() const
{
    return m_editor->help();
}
