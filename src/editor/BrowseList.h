#pragma once

#include "base/StyledText.h"
#include "store/QuestionTable.h"

#include <QList>
#include <QSqlDatabase>
#include <QString>

// One row of the editor's question list.
struct BrowseRow
{
    qint64 id = 0;
    QString typeName; // "单选题" …
    QString stem;     // without "<BR>", cut to 80 GBK bytes followed by "..."
};

// The current chapter's questions of one type (or of every type before a type
// has been chosen), newest first, twelve to a page. Every turn reads the
// database afresh; the state lasts as long as the editor.
class BrowseList
{
public:
    static constexpr int kRowsPerPage = 12;
    static constexpr int kStemBytes = 80;

    explicit BrowseList(QSqlDatabase db) : m_db(std::move(db)) {}

    // 0: every type; 1 … 5 a question type.
    int type() const { return m_type; }
    void setType(int type) { m_type = type; }

    // The turns of the paging strip for the chapter. Each reports whether the
    // page was (re)filled. Throws StoreError.
    bool first(qint64 chapterId);
    bool next(qint64 chapterId);
    bool prior(qint64 chapterId);
    bool last(qint64 chapterId);

    // Lists nothing: no chapter, or a chapter without questions, is chosen.
    // The type stays.
    void clear();

    int pageIndex() const { return m_pageIndex; }
    int pageCount() const { return m_pageCount; }
    int rowCount() const { return m_rowCount; }
    // The page box: the page number, "0" for an empty list.
    QString pageText() const { return QString::number(m_pageIndex + 1); }
    const QList<BrowseRow> &rows() const { return m_rows; }

    // The list's stem column for a decoded stem.
    static QString listedStem(const QString &stem);
    // The detail box for a question: its type, id and stem, the options with
    // the right ones red and underlined, and the answer.
    static StyledText detailLines(const QuestionRow &question);

private:
    QuestionScope scope(qint64 chapterId) const;
    void recount(qint64 chapterId);
    void fill(qint64 chapterId);

    QSqlDatabase m_db;
    int m_type = 0;
    int m_pageIndex = 0;
    int m_pageCount = 0;
    int m_rowCount = 0;
    QList<BrowseRow> m_rows;
};
