#include "editor/ui/EditorDesk.h"

#include "editor/ListExport.h"
#include "editor/ui/EditorWindow.h"
#include "editor/ui/InputHelpWindow.h"
#include "editor/ui/ListImportWindow.h"
#include "settings/PasswordGate.h"
#include "settings/ui/PasswordPages.h"
#include "widgets/LinkLabel.h"
#include "widgets/MainFrame.h"

EditorDesk::EditorDesk(MainFrame &frame, QSqlDatabase db, PasswordGate &gate,
                       Notifier &editorNotifier, FileDialogs &listDialogs, QObject *parent)
    : QObject(parent), m_frame(frame), m_gate(gate)
{
    m_editor = std::make_unique<EditorWindow>(db, editorNotifier);
    m_help = std::make_unique<InputHelpWindow>();
    m_listImport = std::make_unique<ListImportWindow>(db, editorNotifier, listDialogs);
    m_listExport = std::make_unique<ListExport>(db, editorNotifier, listDialogs);

    m_entry = new PasswordEntryPage(gate);
    m_change = new PasswordChangePage(gate);
    m_entryHandle = frame.installPage(m_entry);
    m_changeHandle = frame.installPage(m_change);
    m_command = new LinkLabel(QStringLiteral("试题输入"));
    m_command->setObjectName(EditorDeskNames::inputCommand);
    frame.addCommand(MainFrame::CommandGroup::Editor, m_command);

    connect(m_command, &LinkLabel::clicked, this, &EditorDesk::openEditor);
    connect(m_entry, &PasswordEntryPage::accepted, this, &EditorDesk::showEditor);
    connect(m_entry, &PasswordEntryPage::changeRequested, this,
            [this] { m_frame.showPage(m_changeHandle); });
    connect(m_change, &PasswordChangePage::changed, this, &EditorDesk::askPassword);
    connect(m_editor.get(), &EditorWindow::helpRequested, m_help.get(), &InputHelpWindow::open);
    connect(m_editor.get(), &EditorWindow::importRequested, this,
            [this] { m_listImport->open(m_editor->editor().currentChapter()); });
    connect(m_editor.get(), &EditorWindow::exportRequested, this, [this] {
        QuestionEditor &editor = m_editor->editor();
        const int index = editor.currentChapterIndex();
        const QString name = editor.currentChapter() > 0 && index >= 0 ? editor.chapterNameAt(index)
                                                                       : QStringLiteral("试题");
        m_listExport->run(editor.currentChapter(), editor.bankId(), name);
    });
    connect(m_listImport.get(), &ListImportWindow::imported, m_editor.get(),
            &EditorWindow::questionsAdded);
}

EditorDesk::~EditorDesk() = default;

void EditorDesk::openEditor()
{
    if (m_gate.accepted())
        showEditor();
    else
        askPassword();
}

void EditorDesk::askPassword()
{
    m_frame.showPage(m_entryHandle);
}

void EditorDesk::showEditor()
{
    emit editorOpening();
    m_editor->open();
}
