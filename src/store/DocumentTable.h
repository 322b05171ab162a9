#pragma once

#include <QByteArray>
#include <QList>
#include <QSqlDatabase>
#include <QString>
#include <QStringList>
#include <optional>

// A stored regulation document (a row of help): its bytes are the file it was
// stored from, an RTF document as a rule.
struct DocumentRow
{
    qint64 id = 0;
    QString title;
    QByteArray data;
    QString flag;
};

// A document as the management list shows it: the title and the row it names,
// so that two documents of one title stay apart.
struct DocumentEntry
{
    qint64 id = 0;
    QString title;
};

// The regulation documents (table help). The reader shows the documents whose
// flag is kShownFlag; the management page lists and deletes every document.
class DocumentTable
{
public:
    static inline const QString kShownFlag = QStringLiteral("3");

    explicit DocumentTable(QSqlDatabase db) : m_db(std::move(db)) {}

    // Titles of the shown documents, in ascending id.
    QStringList shownTitles() const;
    // Every document, in storage order.
    QList<DocumentEntry> allEntries() const;
    // The shown document of that title with the lowest id, if there is one.
    std::optional<DocumentRow> firstShown(const QString &title) const;
    // Stores a new document and returns its id.
    qint64 add(const QString &title, const QByteArray &data, const QString &flag = kShownFlag);
    // Deletes the document of that id (any flag); false when there is none.
    bool remove(qint64 id);

private:
    QSqlDatabase m_db;
};
