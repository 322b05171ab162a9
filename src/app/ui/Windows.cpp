#include "app/ui/Windows.h"

#include "app/DesktopIdle.h"
#include "app/ui/MainWindow.h"
#include "base/Clock.h"
#include "base/RandomSource.h"
#include "editor/ui/EditorWindow.h"
#include "editor/ui/InputHelpWindow.h"
#include "exam/ui/MockExamDesk.h"
#include "exam/ui/MockPaperWindow.h"
#include "exam/ui/PaperBrowseWindow.h"
#include "exam/ui/PracticeDesk.h"
#include "exam/ui/QuotaCommands.h"
#include "exam/ui/QuotaPage.h"
#include "exam/ui/ReviewWindow.h"
#include "practice/ui/BackdropWindow.h"
#include "practice/ui/KnownViewerWindow.h"
#include "practice/ui/PickerWindow.h"
#include "reference/ui/AboutBox.h"
#include "reference/ui/DocumentViewer.h"
#include "reference/ui/ReferenceDesk.h"
#include "search/ui/ComposedPaperWindow.h"
#include "search/ui/CompositionPage.h"
#include "search/ui/OutputCommands.h"
#include "search/ui/SearchWindow.h"
#include "settings/PasswordGate.h"
#include "settings/ui/PasswordPages.h"
#include "widgets/LinkLabel.h"
#include "widgets/QtFileDialogs.h"

#include <QCoreApplication>
#include <QDir>

namespace {

// The trainer's side: "试题输入" behind the password, the password pages,
// the editor and its help window.
void wireEditor(MainWindow &main, PasswordGate &gate, EditorWindow *editor, InputHelpWindow *help,
                BackdropWindow *backdrop)
{
    auto *entry = new PasswordEntryPage(gate);
    auto *change = new PasswordChangePage(gate);
    main.installPage(MainFrame::Page::PasswordEntry, entry);
    main.installPage(MainFrame::Page::PasswordChange, change);
    auto *input = new LinkLabel(QStringLiteral("试题输入"));
    input->setObjectName(QStringLiteral("Label118"));
    main.addCommand(MainFrame::CommandGroup::Editor, input);

    const auto openEditor = [editor, backdrop] {
        backdrop->hide();
        editor->open();
    };
    QObject::connect(input, &LinkLabel::clicked, editor, [&main, &gate, openEditor] {
        if (gate.accepted())
            openEditor();
        else
            main.showPage(MainFrame::Page::PasswordEntry);
    });
    QObject::connect(entry, &PasswordEntryPage::accepted, editor, openEditor);
    QObject::connect(entry, &PasswordEntryPage::changeRequested, &main,
                     [&main] { main.showPage(MainFrame::Page::PasswordChange); });
    QObject::connect(change, &PasswordChangePage::changed, &main,
                     [&main] { main.showPage(MainFrame::Page::PasswordEntry); });
    QObject::connect(editor, &EditorWindow::helpRequested, help, &InputHelpWindow::open);
}

} // namespace

Windows::Windows(QSqlDatabase mainDb, QSqlDatabase pickerDb)
{
    m_main = std::make_unique<MainWindow>(mainDb, m_mainNotifier);
    m_mainNotifier.setParent(m_main.get());
    m_review = std::make_unique<ReviewWindow>(m_reviewActions);
    m_review->hide();
    m_picker = std::make_unique<PickerWindow>(pickerDb, m_pickerNotifier);
    m_pickerNotifier.setParent(m_picker.get());
    m_paperBrowse = std::make_unique<PaperBrowseWindow>(m_reviewActions);
    m_paperBrowse->hide();
    m_documents = std::make_unique<DocumentViewer>();
    m_documents->hide();
    m_about = std::make_unique<AboutBox>();
    m_about->hide();
    wireSearch(mainDb);
    m_editor = std::make_unique<EditorWindow>(mainDb, m_editorNotifier);
    m_editorNotifier.setParent(m_editor.get());
    m_backdrop = std::make_unique<BackdropWindow>();
    m_chapterPaper = std::make_unique<MockPaperWindow>(m_mockPaperActions);
    m_chapterPaper->hide();
    m_mockPaperNotifier.setParent(m_chapterPaper.get());
    m_inputHelp = std::make_unique<InputHelpWindow>();

    MainWindow *main = m_main.get();
    PickerWindow *picker = m_picker.get();
    picker->setBackdrop(m_backdrop.get());
    m_desk = std::make_unique<PracticeDesk>(*main, mainDb, m_mainNotifier, main->startupSettings(),
                                            main->settingsForm(), *m_review);
    PracticeDesk *desk = m_desk.get();
    m_passwordGate = std::make_unique<PasswordGate>(mainDb, m_mainNotifier);
    wireEditor(*main, *m_passwordGate, static_cast<EditorWindow *>(m_editor.get()),
               static_cast<InputHelpWindow *>(m_inputHelp.get()), m_backdrop.get());
    wireReference(mainDb);
    wireQuota(mainDb);
    wireMockExam(mainDb);
    wirePracticeExtras();
    wireKnown();

    QObject::connect(main, &MainWindow::firstShown, picker, &PickerWindow::openModal);
    // The chapter of a loaded run cannot change: the picker stays closed until it is graded.
    QObject::connect(main, &MainWindow::chapterLinkClicked, picker, [desk, picker] {
        if (desk->session().chapterChangeAllowed())
            picker->openOnTop();
    });
    QObject::connect(desk, &PracticeDesk::pickerRequested, picker, &PickerWindow::openOnTop);
    QObject::connect(desk, &PracticeDesk::pickerCloseRequested, picker, &QWidget::hide);
    QObject::connect(picker, &PickerWindow::chapterChosen, main, [main, desk](const QString &name) {
        desk->chooseChapter(name);
        main->show();
        main->raise();
        main->activateWindow();
    });
    QObject::connect(m_backdrop.get(), &BackdropWindow::clicked, main, [main] {
        main->raise();
        main->activateWindow();
    });
    QObject::connect(main, &MainWindow::quitRequested, qApp, &QCoreApplication::quit,
                     Qt::QueuedConnection);
    // The picker has asked already: ending the program closes every window,
    // and the main window must not ask a second time.
    QObject::connect(picker, &PickerWindow::quitRequested, main, &MainWindow::quitWithoutAsking);
}

Windows::~Windows() = default;

// "规程资料", "轻松一下" and "关于..." on the extras group, "规程写入" on the
// settings page, the reader and the about box, the slogan strip and the idle
// time; the main window owns what it wires.
void Windows::wireReference(QSqlDatabase db)
{
    m_documentDialogs = std::make_unique<QtFileDialogs>(m_main.get());
    m_extrasRandom = std::make_unique<SeededRandom>(
        static_cast<quint64>(SystemClock().now().toMSecsSinceEpoch()));
    m_idle = std::make_unique<DesktopIdle>();
    const ReferenceDesk::Services services{m_mainNotifier, *m_documentDialogs, *m_extrasRandom,
                                           *m_idle, *m_passwordGate};
    new ReferenceDesk(*m_main, db, services, *static_cast<DocumentViewer *>(m_documents.get()),
                      *static_cast<AboutBox *>(m_about.get()), QDir::currentPath());
}

// "本类试题查询", "本章试题组卷" and "本类试题组卷" on the tools group, the
// composition page, and the windows "试题查询" and "组卷结果".
void Windows::wireSearch(QSqlDatabase db)
{
    MainWindow *main = m_main.get();
    PickerWindow *picker = m_picker.get();
    m_searchCommands =
        std::make_unique<OutputCommands>(m_clipboard, m_searchNotifier, m_searchDialogs);
    m_paperCommands =
        std::make_unique<OutputCommands>(m_clipboard, m_paperNotifier, m_paperDialogs);

    auto search = std::make_unique<SearchWindow>(db, m_searchNotifier, *m_searchCommands,
                                                 [main] { return main->chapterName(); });
    search->hide();
    m_searchNotifier.setParent(search.get());
    m_searchDialogs.setParent(search.get());

    auto *page = new CompositionPage(db, m_mainNotifier, m_paperRandom);
    page->setBankSource([picker] { return picker->currentBankName(); });
    main->installPage(MainFrame::Page::Composition, page);
    auto composed = std::make_unique<ComposedPaperWindow>(page->composer(), *m_paperCommands);
    composed->hide();
    m_paperNotifier.setParent(composed.get());
    m_paperDialogs.setParent(composed.get());

    const auto command = [main](const QString &text, const QString &name) {
        auto *link = new LinkLabel(text);
        link->setObjectName(name);
        main->addCommand(MainFrame::CommandGroup::Tools, link);
        return link;
    };
    SearchWindow *searchWindow = search.get();
    QObject::connect(command(QStringLiteral("本类试题查询"), QStringLiteral("Label17")),
                     &LinkLabel::clicked, searchWindow, &SearchWindow::open);
    const auto openPage = [main, picker, page](PaperComposer::Scope scope) {
        page->open(scope, main->chapterName(), picker->currentBankName());
        main->showPage(MainFrame::Page::Composition);
    };
    QObject::connect(command(QStringLiteral("本章试题组卷"), QStringLiteral("Label2")),
                     &LinkLabel::clicked, page,
                     [openPage] { openPage(PaperComposer::Scope::Chapter); });
    QObject::connect(command(QStringLiteral("本类试题组卷"), QStringLiteral("Label134")),
                     &LinkLabel::clicked, page,
                     [openPage] { openPage(PaperComposer::Scope::Bank); });
    QObject::connect(page, &CompositionPage::paperRequested, composed.get(),
                     &ComposedPaperWindow::open);
    m_search = std::move(search);
    m_composed = std::move(composed);
}

// Random practice on the command page and the paper view on the practice page.
void Windows::wirePracticeExtras()
{
    m_desk->addRandomPractice(m_practiceRandom);
    m_desk->addPaperBrowse(*static_cast<PaperBrowseWindow *>(m_paperBrowse.get()));
}

// The quota page and, on the exam group, "模拟考试抽题设置" with the figure
// "已抽题数:" and "重新抽题"; the main window owns what it wires.
void Windows::wireQuota(QSqlDatabase db)
{
    MainWindow *main = m_main.get();
    PickerWindow *picker = m_picker.get();
    m_quotaPage = new QuotaPage(db, m_mainNotifier, m_quotaRandom, m_mockExamForm);
    m_quotaPage->setBankSource([picker] { return picker->currentBankId(); });
    main->installPage(MainFrame::Page::Quota, m_quotaPage);
    new QuotaCommands(*main, *m_quotaPage,
                      {[picker] { return picker->currentBankId(); },
                       [picker] { return picker->currentBankName(); }},
                      main);
}

// "【查看】" on the bottom bar fills and shows "会做的试题查看"; closing the
// viewer drops a pending automatic move of the main window.
void Windows::wireKnown()
{
    PracticeDesk *desk = m_desk.get();
    auto viewer = std::make_unique<KnownViewerWindow>(desk->knownViewer());
    viewer->hide();
    KnownViewerWindow *window = viewer.get();
    QObject::connect(desk, &PracticeDesk::knownViewerRequested, window, &KnownViewerWindow::open);
    QObject::connect(window, &KnownViewerWindow::closed, desk,
                     [desk] { desk->run().cancelAutomaticMove(); });
    m_known = std::move(viewer);
}

// "本类模拟考试" on the exam group and the paper window "模拟考试一章试题查看",
// which also shows the quota page's views; a bank without quotas opens the
// quota page.
void Windows::wireMockExam(QSqlDatabase db)
{
    MainWindow *main = m_main.get();
    PickerWindow *picker = m_picker.get();
    QuotaPage *page = m_quotaPage;
    m_mockExam = new MockExamDesk(*main, db, m_desk->session(), m_mockExamForm, m_mainNotifier,
                                  *static_cast<MockPaperWindow *>(m_chapterPaper.get()), main);
    m_mockExam->examination().setBankSource([picker] { return picker->currentBankName(); });
    QObject::connect(m_mockExam, &MockExamDesk::quotaPageRequested, page, [main, page] {
        page->open();
        main->showPage(MainFrame::Page::Quota);
    });
    QObject::connect(page, &QuotaPage::paperRequested, m_mockExam, &MockExamDesk::showPaper);
}

QWidget *Windows::review() const
{
    return m_review.get();
}
