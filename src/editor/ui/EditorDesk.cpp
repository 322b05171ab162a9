#include "editor/ui/EditorDesk.h"

#include "editor/ui/EditorWindow.h"
#include "editor/ui/InputHelpWindow.h"
#include "settings/PasswordGate.h"
#include "settings/ui/PasswordPages.h"
#include "widgets/LinkLabel.h"
#include "widgets/MainFrame.h"

EditorDesk::EditorDesk(MainFrame &frame, QSqlDatabase db, PasswordGate &gate,
                       Notifier &editorNotifier, QObject *parent)
    : QObject(parent), m_frame(frame), m_gate(gate)
{
    m_editor = std::make_unique<EditorWindow>(std::move(db), editorNotifier);
    m_help = std::make_unique<InputHelpWindow>();

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
