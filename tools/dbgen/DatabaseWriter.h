#pragma once

#include <QByteArray>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QString>
#include <QStringList>
#include <optional>

// One row of the question table with its texts already in the stored
// (encoded) form.
struct EncodedQuestionRow
{
    qint64 chapter = 0;
    int type = 1;
    QString stem;
    QString options[4];
    QString answer;
    int points = 2;
    bool toPractise = true;
    QString image;
};

// Writes a new database file: creates the tables from the schema text and
// inserts rows through prepared statements inside one transaction. Every
// failure throws DataError.
class DatabaseWriter
{
public:
    // Opens (creates) the file; it should not exist yet.
    explicit DatabaseWriter(const QString &path);
    ~DatabaseWriter();
    DatabaseWriter(const DatabaseWriter &) = delete;
    DatabaseWriter &operator=(const DatabaseWriter &) = delete;

    // The statements of a schema file: comments dropped, split at ';'.
    static QStringList schemaStatements(const QString &schemaSql);

    void createTables(const QString &schemaSql);
    void begin();
    void commit();
    // Commits nothing further and closes the file.
    void close();

    void addBank(qint64 id, const QString &name, bool enabled);
    qint64 addChapter(const QString &name, qint64 bankId, int minutes, const QString &created);
    void addQuestion(const EncodedQuestionRow &row);
    void addSettings(int perNum, bool displayAnswer, int nextTime, int testTime, bool jokeFlag);
    void addPassword(const QString &flag, const QString &pass);
    void addJoke(const QString &word);
    void addDocument(const QString &title, const QByteArray &data, const QString &flag);

private:
    QSqlQuery &prepared(std::optional<QSqlQuery> &slot, const QString &statement);
    void exec(const QString &statement);
    void run(QSqlQuery &query);

    QString m_connection;
    QSqlDatabase m_db;
    std::optional<QSqlQuery> m_bank, m_chapter, m_question, m_joke, m_document;
};
