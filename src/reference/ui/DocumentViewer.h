#pragma once

#include <QByteArray>
#include <QStringList>
#include <QWidget>

class QListWidget;
class QTextDocument;
class QTextEdit;

// The reader window "系统帮助": the titles of the stored regulation documents
// on the left, the chosen document on the right with its formatting, tables
// and pictures. Not modal; created once and reused, its caption keeps the
// title of the last document shown.
class DocumentViewer : public QWidget
{
    Q_OBJECT

public:
    static constexpr int kListWidth = 220;
    static constexpr int kStripWidth = 8;
    static constexpr int kLeftMargin = 12;

    explicit DocumentViewer(QWidget *parent = nullptr);

    // Shows the window maximised with these titles in the list.
    void open(const QStringList &titles);
    void setTitles(const QStringList &titles);
    QStringList titles() const;

    void clearDocument();
    // The document's bytes: RTF with its formatting, anything else as plain text.
    void showDocument(const QString &title, const QByteArray &data);
    QTextEdit *view() const { return m_view; }

signals:
    // A title was clicked in the list.
    void titleClicked(const QString &title);

private:
    void replaceDocument(QTextDocument *document);

    QListWidget *m_list = nullptr;
    QTextEdit *m_view = nullptr;
};
