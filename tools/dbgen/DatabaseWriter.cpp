#include "DatabaseWriter.h"

#include "DataError.h"

#include <QSqlError>
#include <QUuid>
#include <QVariant>

namespace {

// A null QString binds as NULL; every text column is NOT NULL.
QString text(const QString &value)
{
    return value.isNull() ? QString(QLatin1String("")) : value;
}

} // namespace

DatabaseWriter::DatabaseWriter(const QString &path)
    : m_connection(QStringLiteral("dbgen-") + QUuid::createUuid().toString(QUuid::WithoutBraces))
{
    m_db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), m_connection);
    m_db.setDatabaseName(path);
    if (!m_db.open())
        throw DataError(QStringLiteral("cannot create %1: %2").arg(path, m_db.lastError().text()));
    // A part file is thrown away on failure: no journal, no syncs.
    exec(QStringLiteral("PRAGMA journal_mode=OFF"));
    exec(QStringLiteral("PRAGMA synchronous=OFF"));
}

DatabaseWriter::~DatabaseWriter()
{
    close();
}

void DatabaseWriter::close()
{
    m_bank.reset();
    m_chapter.reset();
    m_question.reset();
    m_joke.reset();
    m_document.reset();
    if (m_db.isValid()) {
        m_db.close();
        m_db = QSqlDatabase();
        QSqlDatabase::removeDatabase(m_connection);
    }
}

QStringList DatabaseWriter::schemaStatements(const QString &schemaSql)
{
    QStringList lines;
    for (const QString &line : schemaSql.split(QLatin1Char('\n'))) {
        const qsizetype comment = line.indexOf(QLatin1String("--"));
        lines << (comment >= 0 ? line.left(comment) : line);
    }
    QStringList statements;
    for (const QString &statement : lines.join(QLatin1Char('\n')).split(QLatin1Char(';'))) {
        if (!statement.trimmed().isEmpty())
            statements << statement.trimmed();
    }
    return statements;
}

void DatabaseWriter::createTables(const QString &schemaSql)
{
    const QStringList statements = schemaStatements(schemaSql);
    if (statements.isEmpty())
        throw DataError(QStringLiteral("the schema holds no statement"));
    for (const QString &statement : statements)
        exec(statement);
}

void DatabaseWriter::begin()
{
    if (!m_db.transaction())
        throw DataError(
            QStringLiteral("cannot begin a transaction: %1").arg(m_db.lastError().text()));
}

void DatabaseWriter::commit()
{
    m_bank.reset();
    m_chapter.reset();
    m_question.reset();
    m_joke.reset();
    m_document.reset();
    if (!m_db.commit())
        throw DataError(QStringLiteral("cannot commit: %1").arg(m_db.lastError().text()));
}

void DatabaseWriter::exec(const QString &statement)
{
    QSqlQuery query(m_db);
    if (!query.exec(statement))
        throw DataError(
            QStringLiteral("statement failed: %1\n%2").arg(statement, query.lastError().text()));
}

QSqlQuery &DatabaseWriter::prepared(std::optional<QSqlQuery> &slot, const QString &statement)
{
    if (!slot) {
        slot.emplace(m_db);
        if (!slot->prepare(statement))
            throw DataError(
                QStringLiteral("cannot prepare: %1\n%2").arg(statement, slot->lastError().text()));
    }
    return *slot;
}

void DatabaseWriter::run(QSqlQuery &query)
{
    if (!query.exec())
        throw DataError(QStringLiteral("insert failed: %1\n%2")
                            .arg(query.lastQuery(), query.lastError().text()));
}

void DatabaseWriter::addBank(qint64 id, const QString &name, bool enabled)
{
    QSqlQuery &q = prepared(m_bank, QStringLiteral("insert into database_name(id, database_name, "
                                                   "status) values(?,?,?)"));
    q.bindValue(0, id);
    q.bindValue(1, name);
    q.bindValue(2, enabled ? 1 : 0);
    run(q);
}

qint64 DatabaseWriter::addChapter(const QString &name, qint64 bankId, int minutes,
                                  const QString &created)
{
    QSqlQuery &q =
        prepared(m_chapter, QStringLiteral("insert into fenlei(试卷名称, database_id, alltime, "
                                           "创建日期, 创建者) values(?,?,?,?,?)"));
    q.bindValue(0, name);
    q.bindValue(1, bankId);
    q.bindValue(2, minutes);
    q.bindValue(3, created);
    q.bindValue(4, QStringLiteral("net_user"));
    run(q);
    return q.lastInsertId().toLongLong();
}

void DatabaseWriter::addQuestion(const EncodedQuestionRow &row)
{
    QSqlQuery &q = prepared(
        m_question, QStringLiteral("insert into 考试训练题库(试卷分类, 题目类型, 题目, "
                                   "选择项1, 选择项2, 选择项3, 选择项4, 正确答案, 本题分数, "
                                   "题目选择, images, 解析) values(?,?,?,?,?,?,?,?,?,?,?,?)"));
    q.bindValue(0, row.chapter);
    q.bindValue(1, row.type);
    q.bindValue(2, text(row.stem));
    for (int i = 0; i < 4; ++i)
        q.bindValue(3 + i, text(row.options[i]));
    q.bindValue(7, text(row.answer));
    q.bindValue(8, row.points);
    q.bindValue(9, row.toPractise ? 1 : 0);
    q.bindValue(10, text(row.image));
    q.bindValue(11, text(QString()));
    run(q);
}

void DatabaseWriter::addSettings(int perNum, bool displayAnswer, int nextTime, int testTime,
                                 bool jokeFlag)
{
    QSqlQuery q(m_db);
    q.prepare(
        QStringLiteral("insert into run_record(per_num, display_answer, next_time, test_time, "
                       "joke_flag) values(?,?,?,?,?)"));
    q.bindValue(0, perNum);
    q.bindValue(1, displayAnswer ? 1 : 0);
    q.bindValue(2, nextTime);
    q.bindValue(3, testTime);
    q.bindValue(4, jokeFlag ? 1 : 0);
    run(q);
}

void DatabaseWriter::addPassword(const QString &flag, const QString &pass)
{
    QSqlQuery q(m_db);
    q.prepare(QStringLiteral("insert into reg(flag, pass) values(?,?)"));
    q.bindValue(0, flag);
    q.bindValue(1, text(pass));
    run(q);
}

void DatabaseWriter::addJoke(const QString &word)
{
    QSqlQuery &q = prepared(m_joke, QStringLiteral("insert into joke(word) values(?)"));
    q.bindValue(0, text(word));
    run(q);
}

void DatabaseWriter::addDocument(const QString &title, const QByteArray &data, const QString &flag)
{
    QSqlQuery &q =
        prepared(m_document, QStringLiteral("insert into help(title, data, flag) values(?,?,?)"));
    q.bindValue(0, title);
    q.bindValue(1, data); // QByteArray binds as a BLOB
    q.bindValue(2, flag);
    run(q);
}
