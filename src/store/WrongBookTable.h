#pragma once

#include <QList>
#include <QSqlDatabase>
#include <QString>
#include <QStringList>
#include <optional>

// A question of the wrong-question book as stored, with where it stands now.
struct WrongBookRow
{
    qint64 questionId = 0;
    qint64 chapterId = 0;
    QString chapterName;
    int timesWrong = 0;
    QString lastWrong; // ISO date and time of the last wrong answer
    int rightStreak = 0;
};

// The wrong-question book (table wrong_book): one row per question answered
// wrong or left unanswered, with how often, when last, and how many right
// answers in a row it has had since in runs from the book. Rows of questions
// or chapters that no longer exist are never returned and are purged.
class WrongBookTable
{
public:
    explicit WrongBookTable(QSqlDatabase db) : m_db(std::move(db)) {}

    // The statements that create the table and its index where the file lacks them.
    static QStringList createStatements();

    // The questions were answered wrong at `when` (an id once per wrong
    // answer): each enters the book, or its count rises; either way its right
    // streak starts again.
    void recordWrong(const QList<qint64> &questionIds, const QString &when) const;
    void recordWrong(qint64 questionId, const QString &when) const
    {
        recordWrong(QList<qint64>{questionId}, when);
    }
    // The questions were answered right in a run from the book: each one's
    // streak rises, and at `leaveAfter` right in a row it leaves the book.
    // Returns how many left. A question not in the book changes nothing.
    int recordRight(const QList<qint64> &questionIds, int leaveAfter) const;
    bool recordRight(qint64 questionId, int leaveAfter) const
    {
        return recordRight(QList<qint64>{questionId}, leaveAfter) > 0;
    }

    // The book's questions of a chapter, or of every chapter of a bank,
    // newest mistakes first, at most limit of them.
    QList<qint64> newestOfChapter(qint64 chapterId, int limit) const;
    QList<qint64> newestOfBank(qint64 bankId, int limit) const;
    // Every entry of the bank's chapters, newest mistakes first, with the chapter's name.
    QList<WrongBookRow> entriesOfBank(qint64 bankId) const;
    // Entries per chapter of the bank (chapters without entries are missing).
    QList<QPair<qint64, int>> countsPerChapter(qint64 bankId) const;
    int count() const;
    bool contains(qint64 questionId) const;
    std::optional<WrongBookRow> find(qint64 questionId) const;

    // False when the question was not in the book.
    bool remove(qint64 questionId) const;
    // Removes the chapter's entries; returns how many.
    int removeChapter(qint64 chapterId) const;
    // Removes the rows of questions that were deleted; returns how many.
    int purgeDeleted() const;

private:
    QSqlDatabase m_db;
};
