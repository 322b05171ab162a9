#pragma once

#include "store/DocumentTable.h"

#include <QByteArray>
#include <QSqlDatabase>
#include <QString>
#include <QStringList>
#include <optional>

class FileDialogs;
class Notifier;

// The regulation documents as the reader and the management page use them:
// the two title lists, the document to show for a clicked title, storing a
// document from a chosen file and deleting one by title. Store failures are
// told to the user here, in one notice each, and never leave a half change.
class RegulationDocuments
{
public:
    // Longest name the management page's field takes, in GBK bytes.
    static constexpr int kNameLimit = 50;
    // Largest file that is stored as a document.
    static constexpr qint64 kLargestFile = 50LL * 1024 * 1024;
    // The copy of the viewed document left in the working folder for other programs.
    static inline const QString kViewedCopy = QStringLiteral("abc.rtf");

    enum class StoreResult
    {
        NoName,    // the name field is empty: nothing asked, nothing stored
        Refused,   // the name or the chosen file cannot be stored (notice given)
        Cancelled, // the file dialog was cancelled: nothing stored, nothing said
        Failed,    // the database refused the row (notice given)
        Stored
    };

    // workFolder: where the viewed copy is written (the current folder in the program).
    RegulationDocuments(QSqlDatabase db, Notifier &notifier, FileDialogs &dialogs,
                        QString workFolder);

    // The reader's list: titles of the shown documents, ascending id.
    QStringList readerTitles();
    // The management page's list: every document, in storage order.
    QList<DocumentEntry> managementList();

    // The document for a title clicked in the reader (trimmed at both ends):
    // the shown document of that title with the lowest id, or nothing. Its
    // bytes are also written to the viewed copy, as far as the folder allows;
    // the view never depends on that copy.
    std::optional<DocumentRow> view(const QString &clickedTitle);
    // Where the last viewed copy was written; empty when it could not be.
    QString viewedCopyPath() const { return m_viewedCopy; }

    // "浏览": asks for a file and stores it under the name, trimmed at both
    // ends (a name of blanks only is no name).
    StoreResult store(const QString &name);
    // The file chosen by the last store that got as far as the dialog.
    QString chosenFile() const { return m_chosenFile; }

    // "删除此规程...": deletes the document the list's row names; 0 (nothing
    // selected) or a document deleted meanwhile deletes nothing. True when a
    // document was deleted.
    bool remove(qint64 id);

    // Text of a stored document that is not RTF: UTF-8 when its bytes are
    // valid UTF-8, otherwise GBK.
    static QString plainText(const QByteArray &data);

private:
    bool writeViewedCopy(const QByteArray &data);
    void readFailed(const QString &reason);

    QSqlDatabase m_db;
    Notifier &m_notifier;
    FileDialogs &m_dialogs;
    QString m_workFolder;
    QString m_viewedCopy;
    QString m_chosenFile;
};
