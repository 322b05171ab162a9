#pragma once

#include <QObject>
#include <QPointer>
#include <QSqlDatabase>
#include <functional>

class FileDialogs;
class LinkLabel;
class Notifier;
class QWidget;

// "题库导出..." and "题库导入..." on the settings page, behind the program
// password: one bank written into a file of its own with its pictures, and the
// banks of such a file (or of an older program's Jet file) added as new banks.
class BankTransferDesk : public QObject
{
    Q_OBJECT

public:
    struct Services
    {
        QSqlDatabase db;
        Notifier &notifier;
        FileDialogs &dialogs;
        // Whether the program password was entered in this session.
        std::function<bool()> unlocked;
        // The folder that holds the data file and its "images" folder.
        QString programFolder;
        QWidget *dialogParent = nullptr;
    };
    explicit BankTransferDesk(Services services, QObject *parent = nullptr);
    ~BankTransferDesk() override;

    LinkLabel *exportCommand() const { return m_export; }
    LinkLabel *importCommand() const { return m_import; }

    void exportBank();
    void importBanks();

signals:
    // A command was used before the password was entered.
    void passwordRequested();

private:
    Services m_services;
    QPointer<LinkLabel> m_export;
    QPointer<LinkLabel> m_import;
};
