#include "TestDatabase.h"

#include "base/StoreError.h"

#include "DatabaseWriter.h"

#include "store/QuestionCodec.h"
#include "store/ServerSchema.h"
#include "store/ServerUrl.h"
#include "store/Sql.h"
#include "store/WorkerTable.h"

#include "SourceTree.h"
#include <QFile>
#include <QSqlError>
#include <QSqlQuery>
#include <QTest>
#include <QUuid>
#include <QVariant>

namespace {

// The per-worker tables of the server under the data file's names: a refusal
// of writes to one of them is set on the table that holds the rows.
const QHash<QString, QString> kServerTableOf = {
    {QStringLiteral("log"), QStringLiteral("worker_log")},
    {QStringLiteral("run_record"), QStringLiteral("worker_run_record")},
    {QStringLiteral("run_history"), QStringLiteral("worker_run_history")},
    {QStringLiteral("wrong_book"), QStringLiteral("worker_wrong_book")},
    {QStringLiteral("answer_tally"), QStringLiteral("worker_answer_tally")},
    {QStringLiteral("study_setting"), QStringLiteral("worker_study_setting")},
};

QString quotedText(QString text)
{
    text.replace(QLatin1Char('\''), QStringLiteral("''"));
    return QLatin1Char('\'') + text + QLatin1Char('\'');
}

} // namespace

QString TestDatabase::refusal(const QString &detail)
{
    return StoreError::reasonOf(StoreError::Cause::Failed, detail,
                                onServer() ? StoreError::Origin::Server : StoreError::Origin::File);
}

bool TestDatabase::onServer()
{
    return qEnvironmentVariable("DRILLBAY_TEST_BACKEND") == QLatin1String("server");
}

TestDatabase::TestDatabase()
    : m_dir(std::make_unique<QTemporaryDir>()),
      m_connection(QStringLiteral("test-") + QUuid::createUuid().toString(QUuid::WithoutBraces))
{
    if (onServer()) {
        createOnServer();
        return;
    }
    m_db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), m_connection);
    m_db.setDatabaseName(path());
    if (!m_db.open())
        qFatal("cannot open test database");
    // A throwaway file: no need to wait for the disk on every statement.
    exec(QStringLiteral("PRAGMA synchronous=OFF"));
    exec(QStringLiteral("PRAGMA journal_mode=MEMORY"));
    QFile schema(sourceTreePath(QStringLiteral("data/schema.sql")));
    if (!schema.open(QIODevice::ReadOnly))
        qFatal("cannot read data/schema.sql");
    // The same statements the generator runs for the real file.
    for (const QString &statement :
         DatabaseWriter::schemaStatements(QString::fromUtf8(schema.readAll())))
        exec(statement);
}

void TestDatabase::createOnServer()
{
    const QString server = qEnvironmentVariable("DRILLBAY_TEST_SERVER");
    if (server.isEmpty())
        qFatal("DRILLBAY_TEST_SERVER names no server (scripts/test starts one)");
    m_schema = QStringLiteral("t_") + QUuid::createUuid().toString(QUuid::Id128);
    // Every connection opened with the address sees this test's tables first.
    m_url = server +
            (server.contains(QLatin1Char('?')) ? QStringLiteral("&") : QStringLiteral("?")) +
            QStringLiteral("options=-csearch_path%3D") + m_schema;
    {
        QString error;
        QSqlDatabase admin = QSqlDatabase::addDatabase(QStringLiteral("QPSQL"),
                                                       m_connection + QStringLiteral("-admin"));
        const std::optional<ServerUrl> parts = ServerUrl::parse(server, &error);
        if (!parts)
            qFatal("%s", qPrintable(error));
        admin.setHostName(parts->host);
        admin.setPort(parts->port);
        admin.setUserName(parts->user);
        admin.setDatabaseName(parts->database);
        if (!admin.open())
            qFatal("cannot reach the tests' server: %s", qPrintable(admin.lastError().text()));
        QSqlQuery create(admin);
        if (!create.exec(QStringLiteral("create schema ") + m_schema))
            qFatal("%s", qPrintable(create.lastError().text()));
        admin.close();
    }
    QSqlDatabase::removeDatabase(m_connection + QStringLiteral("-admin"));
    QString error;
    // The schema is empty: open without the start check, fill, then check.
    m_db = QSqlDatabase::addDatabase(QStringLiteral("QPSQL"), m_connection);
    const std::optional<ServerUrl> parts = ServerUrl::parse(m_url, &error);
    m_db.setHostName(parts->host);
    m_db.setPort(parts->port);
    m_db.setUserName(parts->user);
    m_db.setDatabaseName(parts->database);
    m_db.setConnectOptions(parts->options);
    if (!m_db.open())
        qFatal("cannot open the test schema: %s", qPrintable(m_db.lastError().text()));
    exec(QStringLiteral("set client_min_messages = warning"));
    ServerSchema::create(m_db);
    m_workerId = WorkerTable(m_db).add(QStringLiteral("测试学员"), QString(),
                                       QStringLiteral("2026-01-01T00:00:00"));
    WorkerTable::signIn(m_db, m_workerId);
}

TestDatabase::~TestDatabase()
{
    if (!m_schema.isEmpty()) {
        QSqlQuery drop(m_db);
        drop.exec(QStringLiteral("rollback"));
        drop.exec(QStringLiteral("drop schema ") + m_schema + QStringLiteral(" cascade"));
    }
    m_db.close();
    m_db = QSqlDatabase();
    QSqlDatabase::removeDatabase(m_connection);
}

QString TestDatabase::path() const
{
    if (onServer())
        return m_url;
    return m_dir->filePath(QStringLiteral("examination.mdb"));
}

QString TestDatabase::folder() const
{
    return m_dir->path();
}

void TestDatabase::exec(const QString &statement)
{
    QSqlQuery query(m_db);
    if (!query.exec(statement))
        qFatal("%s: %s", qPrintable(statement), qPrintable(query.lastError().text()));
}

void TestDatabase::continueIdsAfter(const QString &table, qint64 last)
{
    if (onServer()) {
        const QString target = table == QStringLiteral("考试训练题库")
                                   ? QStringLiteral("question")
                                   : kServerTableOf.value(table, table);
        sql::run(m_db, QStringLiteral("select setval(pg_get_serial_sequence(?, 'id'), ?)"),
                 {target, last});
        return;
    }
    sql::run(m_db, QStringLiteral("delete from sqlite_sequence where name = ?"), {table});
    sql::run(m_db, QStringLiteral("insert into sqlite_sequence(name, seq) values(?, ?)"),
             {table, last});
}

void TestDatabase::dropTable(const QString &table)
{
    const bool view =
        onServer() && (table == QStringLiteral("考试训练题库") || kServerTableOf.contains(table));
    exec((view ? QStringLiteral("drop view ") : QStringLiteral("drop table ")) + table);
}

void TestDatabase::refuseOnServer(const QString &name, const QString &operation,
                                  const QString &table, const QString &reason, const QString &when)
{
    // A raised exception, as a server refuses; the question view has its
    // own triggers, which a refusal named to sort first runs ahead of.
    const bool view = table == QStringLiteral("考试训练题库");
    const QString target = kServerTableOf.value(table, table);
    QString condition = when.isEmpty() ? QStringLiteral("true") : when;
    if (operation == QLatin1String("delete"))
        condition.replace(QLatin1String("new."), QLatin1String("old."));
    exec(QStringLiteral("create function a_%1() returns trigger language plpgsql as $f$ begin "
                        "if %2 then raise exception %3; end if; "
                        "if TG_OP = 'DELETE' then return old; end if; return new; end $f$")
             .arg(name, condition, quotedText(reason)));
    exec(QStringLiteral("create trigger a_%1 %2 %3 on %4 for each row execute function a_%1()")
             .arg(name, view ? QStringLiteral("instead of") : QStringLiteral("before"), operation,
                  target));
}

void TestDatabase::refuseWrites(const QString &operation, const QString &table,
                                const QString &reason, const QString &when)
{
    const QString name = QStringLiteral("refusal_") + QString::number(m_refusals.size() + 1);
    if (onServer()) {
        refuseOnServer(name, operation, table, reason, when);
        m_refusals << name + QStringLiteral(" on ") +
                          (table == QStringLiteral("考试训练题库")
                               ? table
                               : kServerTableOf.value(table, table));
        // The questions' known marks are rows of their own there, which a
        // bank's or chapter's restore deletes without touching the view.
        if (table == QStringLiteral("考试训练题库") && operation == QLatin1String("update") &&
            when.isEmpty()) {
            refuseOnServer(name + QStringLiteral("k"), QStringLiteral("delete"),
                           QStringLiteral("worker_known"), reason, when);
            m_refusals << name + QStringLiteral("k on worker_known");
        }
        return;
    }
    QString quoted = reason;
    quoted.replace(QLatin1Char('\''), QStringLiteral("''"));
    exec(QStringLiteral("create trigger %1 before %2 on %3 %4 begin select raise(abort, '%5'); end")
             .arg(name, operation, table,
                  when.isEmpty() ? QString() : QStringLiteral("when ") + when, quoted));
    m_refusals << name;
}

void TestDatabase::acceptWrites()
{
    if (onServer()) {
        for (const QString &refusal : std::as_const(m_refusals)) {
            const QString name = refusal.section(QLatin1Char(' '), 0, 0);
            exec(QStringLiteral("drop trigger a_") + refusal);
            exec(QStringLiteral("drop function a_") + name + QStringLiteral("()"));
        }
        m_refusals.clear();
        return;
    }
    for (const QString &name : std::as_const(m_refusals))
        exec(QStringLiteral("drop trigger ") + name);
    m_refusals.clear();
}

qint64 TestDatabase::addBank(const QString &name, bool enabled, qint64 id)
{
    if (id == 0)
        id = sql::scalar(m_db, QStringLiteral("select coalesce(max(id),0)+1 from database_name"));
    sql::run(m_db,
             QStringLiteral("insert into database_name(id, database_name, status) "
                            "values(?,?,?)"),
             {id, name, enabled ? 1 : 0});
    return id;
}

qint64 TestDatabase::addChapter(qint64 bankId, const QString &name, int alltime)
{
    return sql::insert(
        m_db,
        QStringLiteral("insert into fenlei(试卷名称, database_id, alltime, "
                       "创建日期, 创建者) values(?,?,?,?,?)"),
        {name, bankId, alltime, QStringLiteral("2026-01-01T00:00:00"), QStringLiteral("net_user")});
}

qint64 TestDatabase::addQuestion(qint64 chapterId, int type, const QString &stem,
                                 const QStringList &options, const QString &answer, int points,
                                 bool toPractise, const QString &image)
{
    QStringList four = options;
    while (four.size() < 4)
        four << QString();
    // The text columns are NOT NULL: a null QString would bind as NULL.
    const auto text = [](const QString &value) {
        return value.isNull() ? QStringLiteral("") : value;
    };
    return sql::insert(
        m_db,
        QStringLiteral("insert into 考试训练题库(试卷分类, 题目类型, 题目, 选择项1, 选择项2, "
                       "选择项3, 选择项4, 正确答案, 本题分数, 题目选择, images, 解析) "
                       "values(?,?,?,?,?,?,?,?,?,?,?,?)"),
        {chapterId, type, text(encodeQuestionText(stem)), text(encodeQuestionText(four[0])),
         text(encodeQuestionText(four[1])), text(encodeQuestionText(four[2])),
         text(encodeQuestionText(four[3])), text(encodeQuestionText(answer)), points,
         toPractise ? 1 : 0, text(image), text(QString())});
}
