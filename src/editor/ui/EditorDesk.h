#pragma once

#include "widgets/PageHandle.h"

#include <QLatin1StringView>
#include <QObject>
#include <QSqlDatabase>
#include <memory>

class EditorWindow;
class FileDialogs;
class ListExport;
class ListImportWindow;
class InputHelpWindow;
class LinkLabel;
class MainFrame;
class Notifier;
class PasswordChangePage;
class PasswordEntryPage;
class PasswordGate;

// The object names by which tests and stored layouts find the controls.
struct EditorDeskNames
{
    static constexpr QLatin1StringView inputCommand{"Label118"};
};

// The trainer's side in the main window: "试题输入" on the tools group opens
// the editor once the password was entered, the password page and the
// password change page, the editor window and its help window.
class EditorDesk : public QObject
{
    Q_OBJECT

public:
    // editorNotifier: the notices over the editor window; listDialogs: the
    // file dialogs of the question-list import and export.
    EditorDesk(MainFrame &frame, QSqlDatabase db, PasswordGate &gate, Notifier &editorNotifier,
               FileDialogs &listDialogs, QObject *parent = nullptr);
    ~EditorDesk() override;

    // "试题输入": the editor, or the password page until the password was entered.
    void openEditor();
    // Shows the password page; the right password opens the editor.
    void askPassword();

    EditorWindow *editor() const { return m_editor.get(); }
    InputHelpWindow *help() const { return m_help.get(); }
    ListImportWindow *listImport() const { return m_listImport.get(); }
    PasswordEntryPage *entryPage() const { return m_entry; }
    PasswordChangePage *changePage() const { return m_change; }
    PageHandle entryPageHandle() const { return m_entryHandle; }
    PageHandle changePageHandle() const { return m_changeHandle; }
    LinkLabel *command() const { return m_command; }

signals:
    // The editor is about to open (the picker's backdrop steps aside).
    void editorOpening();

private:
    void showEditor();

    MainFrame &m_frame;
    PasswordGate &m_gate;
    std::unique_ptr<EditorWindow> m_editor;
    std::unique_ptr<InputHelpWindow> m_help;
    std::unique_ptr<ListImportWindow> m_listImport;
    std::unique_ptr<ListExport> m_listExport;
    PasswordEntryPage *m_entry = nullptr;
    PasswordChangePage *m_change = nullptr;
    PageHandle m_entryHandle;
    PageHandle m_changeHandle;
    LinkLabel *m_command = nullptr;
};
