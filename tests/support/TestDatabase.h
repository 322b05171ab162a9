#pragma once

#include <QSqlDatabase>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>
#include <memory>

// A fresh database with the tables of data/schema.sql in a temporary folder,
// filled by each test with the rows it needs. A test entry run against the
// server (DRILLBAY_TEST_BACKEND=server) gets instead a schema of its own on the
// tests' server (DRILLBAY_TEST_SERVER) with the tables of
// data/schema-server.sql, signed in as a worker of its own.
class TestDatabase
{
public:
    TestDatabase();
    ~TestDatabase();
    TestDatabase(const TestDatabase &) = delete;
    TestDatabase &operator=(const TestDatabase &) = delete;

    QSqlDatabase db() const { return m_db; }
    // Whether this run of the tests is against the server.
    static bool onServer();
    // The reason the user is told when the store in use refuses a write with
    // the engine's message `detail`.
    static QString refusal(const QString &detail);
    // The address of this database on the server (a connection opened with
    // it sees the same tables); empty for a file.
    QString url() const { return m_url; }
    // The worker the connection is signed in as on the server (0 for a file).
    qint64 workerId() const { return m_workerId; }
    QString path() const;
    QString folder() const;

    // Convenience writers. Texts of questions are encoded as the editor does.
    qint64 addBank(const QString &name, bool enabled = true, qint64 id = 0);
    qint64 addChapter(qint64 bankId, const QString &name, int alltime = 60);
    qint64 addQuestion(qint64 chapterId, int type, const QString &stem, const QStringList &options,
                       const QString &answer, int points = 2, bool toPractise = true,
                       const QString &image = QString());
    void exec(const QString &statement);
    // New rows of `table` get ids after `last` (the file's sqlite_sequence,
    // the identity of the server's table that holds the rows).
    void continueIdsAfter(const QString &table, qint64 last);
    // Removes a table of the data file as a damaged or foreign file lacks it
    // (on the server, the view that shows it where there is one).
    void dropTable(const QString &table);

    // The file refuses a kind of write as a full, locked or read-only file
    // does: every `operation` ("insert", "update", "delete") on `table` fails
    // with `reason` (where `when` holds, a condition on old. and new.).
    void refuseWrites(const QString &operation, const QString &table, const QString &reason,
                      const QString &when = QString());
    // Every write refused so far succeeds again.
    void acceptWrites();

private:
    void createOnServer();
    void refuseOnServer(const QString &name, const QString &operation, const QString &table,
                        const QString &reason, const QString &when);

    std::unique_ptr<QTemporaryDir> m_dir;
    QString m_connection;
    QString m_url;
    QString m_schema;
    qint64 m_workerId = 0;
    QSqlDatabase m_db;
    QStringList m_refusals;
};
