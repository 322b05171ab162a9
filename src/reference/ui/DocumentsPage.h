#pragma once

#include "store/DocumentTable.h"

#include <QLatin1StringView>
#include <QList>
#include <QStringList>
#include <QWidget>

class QLineEdit;
class QListWidget;

// The object names by which tests and stored layouts find the controls.
struct DocumentsPageNames
{
    static constexpr QLatin1StringView listCaption{"Label11"};
    static constexpr QLatin1StringView documentList{"ListBox2"};
    static constexpr QLatin1StringView removeAction{"N5"};
    static constexpr QLatin1StringView nameCaption{"Label12"};
    static constexpr QLatin1StringView nameField{"Edit16"};
    static constexpr QLatin1StringView fileCaption{"Label13"};
    static constexpr QLatin1StringView fileField{"Edit15"};
    static constexpr QLatin1StringView browseButton{"Button3"};
    static constexpr QLatin1StringView saveAsHint{"Label14"};
    static constexpr QLatin1StringView deleteHint{"Label15"};
};

// The management page of the regulation documents in the main window:
// "规程列表：" with its context menu "删除此规程...", the name of a new
// document, the chosen file and "浏览".
class DocumentsPage : public QWidget
{
    Q_OBJECT

public:
    // nameLimit: the longest name, in GBK bytes.
    explicit DocumentsPage(int nameLimit, QWidget *parent = nullptr);

    // Fills the list, one row per document: rows of one title stay apart.
    void setDocuments(const QList<DocumentEntry> &documents);
    QStringList titles() const;
    void clearName();
    void setFilePath(const QString &path);

    QListWidget *list() const { return m_list; }
    QLineEdit *nameField() const { return m_name; }
    QLineEdit *fileField() const { return m_file; }

signals:
    // "浏览", with the name field's text as typed.
    void storeRequested(const QString &name);
    // "删除此规程..." with the document of the row right-clicked; 0 when
    // the click was below the rows.
    void deleteRequested(qint64 id);

private:
    QListWidget *m_list = nullptr;
    QLineEdit *m_name = nullptr;
    QLineEdit *m_file = nullptr;
    qint64 m_menuDocument = 0; // the document of the row the menu was opened on
};
