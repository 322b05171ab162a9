#pragma once

#include <QHash>
#include <QList>
#include <QSqlDatabase>
#include <QString>
#include <array>
#include <functional>
#include <optional>

// A question as stored in the question table, its encoded texts decoded.
struct QuestionRow
{
    qint64 id = 0;
    qint64 chapterId = 0;
    int type = 0; // QuestionType code
    QString stem;
    std::array<QString, 4> options; // A … D
    QString answer;                 // in the encoding of its type
    int points = 0;
    bool toPractise = true; // false: marked as known
    QString image;          // picture file name as stored, empty for none
    QString note;           // explanatory note as stored
};

// Which questions a count or a read covers: those of one chapter or of a
// whole bank, optionally only those still to practise and only one type.
struct QuestionScope
{
    enum class Of
    {
        Chapter,
        Bank
    };
    Of of = Of::Chapter;
    qint64 id = 0; // the chapter's or the bank's id
    bool toPractiseOnly = false;
    int type = 0; // 0: every type

    static QuestionScope chapter(qint64 chapterId) { return {Of::Chapter, chapterId}; }
    static QuestionScope bank(qint64 bankId) { return {Of::Bank, bankId}; }
    QuestionScope toPractise() const
    {
        QuestionScope scope = *this;
        scope.toPractiseOnly = true;
        return scope;
    }
    QuestionScope ofType(int typeCode) const
    {
        QuestionScope scope = *this;
        scope.type = typeCode;
        return scope;
    }
};

// The questions of every bank (table 考试训练题库). Texts are decoded here, right
// after reading, so the rest of the program only sees plain text.
class QuestionTable
{
public:
    explicit QuestionTable(QSqlDatabase db) : m_db(std::move(db)) {}

    // Every question of the file, all banks.
    int countAll() const;
    int count(const QuestionScope &scope) const;
    // Question counts of the bank's chapters by chapter id; a chapter without
    // questions is missing.
    QHash<qint64, int> countsPerChapter(qint64 bankId) const;
    // Questions marked known per chapter of the bank, one grouped count.
    QHash<qint64, int> knownPerChapter(qint64 bankId) const;
    // True when some chapter of an enabled bank holds a question.
    bool anyInEnabledBank() const;

    // The questions of the scope in storage order: at most limit of them,
    // after skipping offset.
    QList<QuestionRow> read(const QuestionScope &scope, int limit, qint64 offset = 0) const;
    // The same questions newest first (descending id), as the editor lists them.
    QList<QuestionRow> readNewestFirst(const QuestionScope &scope, int limit,
                                       qint64 offset = 0) const;
    // The question with the id, in whichever chapter it is.
    std::optional<QuestionRow> find(qint64 id) const;
    // Questions of the chapter by type code 1 … 5 (index 0 unused), one grouped count.
    std::array<int, 6> countsPerType(qint64 chapterId) const;

    // The smallest and the largest id of the scope's questions; {0, 0} when
    // it has none. A pass over the scope reads the ids between them.
    struct IdSpan
    {
        qint64 first = 0;
        qint64 last = 0;
    };
    IdSpan idSpan(const QuestionScope &scope) const;
    // One stretch of a pass over the scope in storage order: the questions
    // with an id after afterId and up to upToId, at most limit of them, and
    // no more once maxHits were found. Only id and stem are read; the stem is
    // decoded and shown to `wanted`, and the ids it accepts are the hits (read
    // them whole with readByIds). The stretch walks the table by id, so a
    // whole pass reads every row of the span once and never sorts.
    struct Scan
    {
        QList<qint64> hits;
        qint64 lastId = 0; // the last question read; afterId when none was
        int read = 0;
        bool finished = false; // no question is left after lastId up to upToId
    };
    Scan scanStems(const QuestionScope &scope, qint64 afterId, qint64 upToId, int limit,
                   int maxHits, const std::function<bool(const QString &stem)> &wanted) const;
    // The questions with the ids, decoded whole, in storage order; ids without
    // a question (deleted meanwhile) are left out.
    QList<QuestionRow> readByIds(const QList<qint64> &ids) const;
    // The ids of the scope's questions in storage order.
    QList<qint64> ids(const QuestionScope &scope) const;
    // Gives every question of the bank the score of its type (index 1 … 5) in
    // one transaction. Throws StoreError when it fails; nothing is changed then.
    void setBankPoints(qint64 bankId, const std::array<int, 6> &points);

    // --- Writes of the question editor; each throws StoreError when it fails ----

    // Adds the question (chapter, type, texts, points; the texts encoded here,
    // to practise) and returns its new id. The chapter is looked for in the
    // same transaction: when it is gone, nothing is added and there is no id.
    std::optional<qint64> insert(const QuestionRow &row);
    // Adds the questions to the chapter in one transaction, in the order
    // given, each with its explanatory note. False when the chapter is gone
    // (nothing added); throws StoreError when a write fails (nothing added).
    bool insertAll(qint64 chapterId, const QList<QuestionRow> &rows);
    // Writes the stem and answer (and with withOptions the four options) of the
    // question with row.id; chapter, type, points and the known mark stay.
    // False when there is no such question (deleted meanwhile).
    bool updateTexts(const QuestionRow &row, bool withOptions);
    // False when there was no such question.
    bool remove(qint64 id);
    // Deletes every question of the chapter in one statement; returns how many.
    int removeChapter(qint64 chapterId);

    // --- The practice state (known or to practise) --------------------------------

    // The scope's questions marked known, in storage order.
    QList<QuestionRow> readKnown(const QuestionScope &scope) const;
    // Marks the question known (false) or to practise (true); false when
    // there is no such question. Throws StoreError when it fails.
    bool setToPractise(qint64 id, bool toPractise);
    // Puts every question of the scope back to practise in one statement;
    // returns how many the statement matched (on a server: how many known
    // marks it removed). Throws StoreError when it fails.
    int putBackToPractise(const QuestionScope &scope);

private:
    QSqlDatabase m_db;
};
