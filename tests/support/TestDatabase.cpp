#include "TestDatabase.h"

#include "DatabaseWriter.h"

#include "store/QuestionCodec.h"
#include "store/Sql.h"

#include "SourceTree.h"
#include <QFile>
#include <QSqlError>
#include <QSqlQuery>
#include <QTest>
#include <QUuid>
#include <QVariant>

TestDatabase::TestDatabase()
    : m_dir(std::make_unique<QTemporaryDir>()),
      m_connection(QStringLiteral("test-") + QUuid::createUuid().toString(QUuid::WithoutBraces))
{
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

TestDatabase::~TestDatabase()
{
    m_db.close();
    m_db = QSqlDatabase();
    QSqlDatabase::removeDatabase(m_connection);
}

QString TestDatabase::path() const
{
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

void TestDatabase::refuseWrites(const QString &operation, const QString &table,
                                const QString &reason, const QString &when)
{
    const QString name = QStringLiteral("refusal_") + QString::number(m_refusals.size() + 1);
    QString quoted = reason;
    quoted.replace(QLatin1Char('\''), QStringLiteral("''"));
    exec(QStringLiteral("create trigger %1 before %2 on %3 %4 begin select raise(abort, '%5'); end")
             .arg(name, operation, table,
                  when.isEmpty() ? QString() : QStringLiteral("when ") + when, quoted));
    m_refusals << name;
}

void TestDatabase::acceptWrites()
{
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
    QSqlQuery q = sql::run(
        m_db,
        QStringLiteral("insert into fenlei(试卷名称, database_id, alltime, "
                       "创建日期, 创建者) values(?,?,?,?,?)"),
        {name, bankId, alltime, QStringLiteral("2026-01-01T00:00:00"), QStringLiteral("net_user")});
    return q.lastInsertId().toLongLong();
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
    QSqlQuery q = sql::run(
        m_db,
        QStringLiteral("insert into 考试训练题库(试卷分类, 题目类型, 题目, 选择项1, 选择项2, "
                       "选择项3, 选择项4, 正确答案, 本题分数, 题目选择, images, 解析) "
                       "values(?,?,?,?,?,?,?,?,?,?,?,?)"),
        {chapterId, type, text(encodeQuestionText(stem)), text(encodeQuestionText(four[0])),
         text(encodeQuestionText(four[1])), text(encodeQuestionText(four[2])),
         text(encodeQuestionText(four[3])), text(encodeQuestionText(answer)), points,
         toPractise ? 1 : 0, text(image), text(QString())});
    return q.lastInsertId().toLongLong();
}
