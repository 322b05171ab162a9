#include "LegacyFixture.h"
#include "SampleBuilder.h"
#include "SourceTree.h"
#include "TestDatabase.h"
#include "TestRegistry.h"

#include "store/AddedTables.h"
#include "store/ServerSchema.h"
#include "store/ServerUrl.h"
#include "store/Sql.h"
#include "store/WorkerTable.h"
#include "transfer/DataFileConverter.h"

#include <QMap>
#include <QProcess>
#include <QSqlError>
#include <QSqlQuery>
#include <QTcpServer>
#include <QTemporaryDir>
#include <QTest>
#include <QUuid>

namespace {

// A schema of its own on the tests' server, empty until a test fills it.
class ServerPlace
{
public:
    ServerPlace()
        : m_schema(QStringLiteral("t_") + QUuid::createUuid().toString(QUuid::Id128)),
          m_connection(QStringLiteral("place-") + m_schema)
    {
        const QString server = qEnvironmentVariable("DRILLBAY_TEST_SERVER");
        m_url = server +
                (server.contains(QLatin1Char('?')) ? QStringLiteral("&") : QStringLiteral("?")) +
                QStringLiteral("options=-csearch_path%3D") + m_schema;
        const std::optional<ServerUrl> parts = ServerUrl::parse(server);
        m_db = QSqlDatabase::addDatabase(QStringLiteral("QPSQL"), m_connection);
        m_db.setHostName(parts->host);
        m_db.setPort(parts->port);
        m_db.setUserName(parts->user);
        m_db.setDatabaseName(parts->database);
        if (!m_db.open())
            qFatal("cannot reach the tests' server: %s", qPrintable(m_db.lastError().text()));
        exec(QStringLiteral("create schema ") + m_schema);
        exec(QStringLiteral("set search_path = ") + m_schema);
        exec(QStringLiteral("set client_min_messages = warning"));
    }
    ~ServerPlace()
    {
        exec(QStringLiteral("drop schema ") + m_schema + QStringLiteral(" cascade"));
        m_db.close();
        m_db = QSqlDatabase();
        QSqlDatabase::removeDatabase(m_connection);
    }
    ServerPlace(const ServerPlace &) = delete;
    ServerPlace &operator=(const ServerPlace &) = delete;

    QString url() const { return m_url; }
    QSqlDatabase db() const { return m_db; }
    void exec(const QString &statement) const
    {
        QSqlQuery query(m_db);
        if (!query.exec(statement))
            qFatal("%s: %s", qPrintable(statement), qPrintable(query.lastError().text()));
    }
    qint64 count(const QString &table) const
    {
        return sql::scalar(m_db, QStringLiteral("select count(*) from ") + table);
    }

private:
    QString m_schema;
    QString m_connection;
    QString m_url;
    QSqlDatabase m_db;
};

struct Run
{
    int exitCode = -1;
    QStringList out;
    QString err;
};

Run convert(const QStringList &arguments)
{
    QProcess tool;
    tool.start(QStringLiteral(DRILLBAY_CONVERT), arguments);
    Run run;
    if (!tool.waitForFinished(120000))
        return run;
    run.exitCode = tool.exitStatus() == QProcess::NormalExit ? tool.exitCode() : -1;
    run.out = QString::fromUtf8(tool.readAllStandardOutput())
                  .split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    run.err = QString::fromUtf8(tool.readAllStandardError());
    return run;
}

// Every table of a data file by name, as stored.
QMap<QString, RowSet> tablesOf(const QString &path)
{
    QList<RowSet> tables;
    QString error;
    if (!DataFileConverter::readTables(path, &tables, &error))
        qWarning("%s", qPrintable(error));
    QMap<QString, RowSet> byName;
    for (const RowSet &rows : std::as_const(tables))
        byName.insert(rows.table, rows);
    return byName;
}

// The sample database with a worker's practice behind it: known questions,
// settings, a log, run history, a wrong book, tallies and study settings.
QString practisedSample(const QTemporaryDir &dir)
{
    const QString path = dir.filePath(QStringLiteral("sample.mdb"));
    SampleBuilder::build({path, sourceTreePath(QStringLiteral("data")), QString()});
    const QString name = QStringLiteral("practised-") + QUuid::createUuid().toString();
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), name);
        db.setDatabaseName(path);
        db.open();
        if (!AddedTables::ensure(db).isEmpty())
            qFatal("cannot add the practice tables");
        for (const QString &statement : {
                 QStringLiteral("update 考试训练题库 set 题目选择 = 0 where id % 7 = 0"),
                 QStringLiteral("delete from run_record"),
                 QStringLiteral("insert into run_record values (30, 1, 2, 90, 0)"),
                 QStringLiteral("insert into log(id, date, fen, info) values"
                                " (4, '2026-03-01T08:00:00', 88, '练习 第一章'),"
                                " (9, NULL, 0, '')"),
                 QStringLiteral("insert into run_history(id, date, kind, bank_id, chapter_id,"
                                " objective_right, objective_total, points, percentage, minutes)"
                                " values (3, '2026-03-01T08:00:00', 1, 1, 1, 8, 10, 16, 80, 12)"),
                 QStringLiteral("insert into wrong_book values (7, 2, '2026-03-01T08:00:00', 1)"),
                 QStringLiteral("insert into answer_tally values ('2026-03-01', 1, 1, 10, 8)"),
                 QStringLiteral("insert into study_setting values ('daily_goal', 40)"),
             }) {
            QSqlQuery query(db);
            if (!query.exec(statement))
                qFatal("%s", qPrintable(query.lastError().text()));
        }
        db.close();
    }
    QSqlDatabase::removeDatabase(name);
    return path;
}

const QStringList kWorkerTables = {
    QStringLiteral("run_record"), QStringLiteral("log"),          QStringLiteral("run_history"),
    QStringLiteral("wrong_book"), QStringLiteral("answer_tally"), QStringLiteral("study_setting"),
};

// A port on this machine that nothing listens on.
quint16 closedPort()
{
    QTcpServer probe;
    probe.listen(QHostAddress::LocalHost);
    const quint16 port = probe.serverPort();
    probe.close();
    return port;
}

QString withUser(const QString &url, const QString &user)
{
    const qsizetype at = url.indexOf(QLatin1Char('@'));
    return QStringLiteral("postgresql://") + user + url.mid(at);
}

} // namespace

// drillbay_convert to and from a training centre's server: a data file's
// banks put on an empty server and copied back into a new file.
class CentreConversionTest : public QObject
{
    Q_OBJECT

private slots:
    void init()
    {
        if (!TestDatabase::onServer())
            QSKIP("puts banks on the tests' server: runs as the server entry");
    }

    // File -> server -> file gives the rows of the file's own conversion; a
    // second round trip gives the same rows again.
    void roundTrip_data()
    {
        QTest::addColumn<QString>("source");
        QTest::addColumn<QString>("worker");
        QTest::newRow("Jet file, with its worker")
            << QStringLiteral("legacy") << QStringLiteral("张师傅");
        QTest::newRow("Jet file, banks only") << QStringLiteral("legacy") << QString();
        QTest::newRow("practised sample, with its worker")
            << QStringLiteral("sample") << QStringLiteral("李工 \"二班\"");
        QTest::newRow("practised sample, banks only") << QStringLiteral("sample") << QString();
    }
    void roundTrip()
    {
        QFETCH(QString, source);
        QFETCH(QString, worker);
        QTemporaryDir dir;
        const QString from =
            source == QLatin1String("legacy") ? legacyBankPath() : practisedSample(dir);
        const QStringList workerArguments =
            worker.isEmpty() ? QStringList() : QStringList{QStringLiteral("--worker"), worker};
        const QString reference = dir.filePath(QStringLiteral("reference.mdb"));
        QCOMPARE(convert({from, reference}).exitCode, 0);
        const QMap<QString, RowSet> expected = tablesOf(reference);

        ServerPlace first;
        const Run up = convert(QStringList{from, first.url()} + workerArguments);
        QVERIFY2(up.exitCode == 0, qPrintable(up.err));
        QVERIFY(up.out.contains(QStringLiteral("%1 %2")
                                    .arg(schema::kQuestionTable)
                                    .arg(expected.value(schema::kQuestionTable).rows.size())));
        QVERIFY(up.out.contains(
            QStringLiteral("fenlei %1").arg(expected.value(QStringLiteral("fenlei")).rows.size())));
        QCOMPARE(up.out.contains(QStringLiteral("log %1").arg(
                     expected.value(QStringLiteral("log")).rows.size())),
                 !worker.isEmpty());
        // Without a worker the file's practice state stays behind, said in one line.
        QCOMPARE(std::count_if(
                     up.out.cbegin(), up.out.cend(),
                     [](const QString &line) { return line.contains(QLatin1String("--worker")); }),
                 worker.isEmpty() ? 1 : 0);
        // The identity columns go on past the ids kept.
        const qint64 newBank = sql::insert(
            first.db(), QStringLiteral("insert into database_name(database_name) values (?)"),
            {QStringLiteral("新题库")});
        QVERIFY(newBank > sql::scalar(first.db(),
                                      QStringLiteral("select max(id) from database_name"
                                                     " where id <> ?"),
                                      {newBank}));
        first.exec(QStringLiteral("delete from database_name where id = ") +
                   QString::number(newBank));
        const qint64 newQuestion =
            sql::insert(first.db(), QStringLiteral("insert into question(题目) values ('')"), {});
        QCOMPARE(newQuestion,
                 sql::scalar(first.db(), QStringLiteral("select max(id) from question")));
        QVERIFY(newQuestion > expected.value(schema::kQuestionTable).rows.size());
        first.exec(QStringLiteral("delete from question where id = ") +
                   QString::number(newQuestion));

        const QString back = dir.filePath(QStringLiteral("back.mdb"));
        const Run down = convert(QStringList{first.url(), back} + workerArguments);
        QVERIFY2(down.exitCode == 0, qPrintable(down.err));
        const QMap<QString, RowSet> returned = tablesOf(back);
        for (auto table = expected.cbegin(); table != expected.cend(); ++table) {
            RowSet want = table.value();
            if (worker.isEmpty() && kWorkerTables.contains(table.key()))
                continue;
            if (worker.isEmpty() && table.key() == schema::kQuestionTable) {
                const qsizetype mark = want.columns.indexOf(schema::kQuestionToPractise);
                for (QVariantList &row : want.rows)
                    row[mark] = qint64(1);
            }
            QVERIFY2(returned.contains(table.key()), qPrintable(table.key()));
            QCOMPARE(returned.value(table.key()).columns, want.columns);
            QCOMPARE(returned.value(table.key()).rows.size(), want.rows.size());
            for (qsizetype row = 0; row < want.rows.size(); ++row)
                QCOMPARE(returned.value(table.key()).rows.at(row), want.rows.at(row));
        }
        for (const QString &table : kWorkerTables) {
            if (worker.isEmpty())
                QVERIFY(returned.value(table).rows.isEmpty());
        }

        // Round two: the file that came back goes up and down again unchanged.
        ServerPlace second;
        QCOMPARE(convert(QStringList{back, second.url()} + workerArguments).exitCode, 0);
        const QString again = dir.filePath(QStringLiteral("again.mdb"));
        QCOMPARE(convert(QStringList{second.url(), again} + workerArguments).exitCode, 0);
        const QMap<QString, RowSet> twice = tablesOf(again);
        QCOMPARE(twice.keys(), returned.keys());
        for (auto table = returned.cbegin(); table != returned.cend(); ++table)
            QVERIFY2(twice.value(table.key()).rows == table.value().rows, qPrintable(table.key()));
    }

    // A known mark of one worker is not another's: the file copied for a
    // worker carries that worker's marks only.
    void knownMarksPerWorker()
    {
        QTemporaryDir dir;
        ServerPlace place;
        QCOMPARE(convert({legacyBankPath(), place.url(), QStringLiteral("--worker"),
                          QStringLiteral("甲")})
                     .exitCode,
                 0);
        const qint64 known =
            sql::scalar(place.db(), QStringLiteral("select count(*) from worker_known"));
        const WorkerTable workers(place.db());
        const qint64 other = workers.add(QStringLiteral("乙"), QString(), QStringLiteral(""));
        place.exec(QStringLiteral("insert into worker_known(worker_id, question_id) values (%1, 1)")
                       .arg(other));
        const QString mine = dir.filePath(QStringLiteral("mine.mdb"));
        QCOMPARE(
            convert({place.url(), mine, QStringLiteral("--worker"), QStringLiteral("甲")}).exitCode,
            0);
        const RowSet questions = tablesOf(mine).value(schema::kQuestionTable);
        const qsizetype mark = questions.columns.indexOf(schema::kQuestionToPractise);
        QCOMPARE(std::count_if(questions.rows.cbegin(), questions.rows.cend(),
                               [&](const QVariantList &row) { return row.at(mark) == 0; }),
                 known);
        const QString theirs = dir.filePath(QStringLiteral("theirs.mdb"));
        QCOMPARE(convert({place.url(), theirs, QStringLiteral("--worker"), QStringLiteral("乙")})
                     .exitCode,
                 0);
        const RowSet other_questions = tablesOf(theirs).value(schema::kQuestionTable);
        QCOMPARE(std::count_if(other_questions.rows.cbegin(), other_questions.rows.cend(),
                               [&](const QVariantList &row) { return row.at(mark) == 0; }),
                 1);
        // A worker the centre does not have is named.
        const Run nobody = convert({place.url(), dir.filePath(QStringLiteral("x.mdb")),
                                    QStringLiteral("--worker"), QStringLiteral("丙")});
        QCOMPARE(nobody.exitCode, 1);
        QVERIFY2(nobody.err.contains(QStringLiteral("没有学员“丙”")), qPrintable(nobody.err));
        QVERIFY(!QFileInfo::exists(dir.filePath(QStringLiteral("x.mdb"))));
    }

    // A target that cannot take the banks is refused, named with the reason,
    // and left as it was.
    void refusedTarget_data()
    {
        QTest::addColumn<QString>("state");
        QTest::addColumn<bool>("force");
        QTest::addColumn<QString>("message");
        QTest::addColumn<qint64>("banksAfter");
        QTest::newRow("a centre's tables")
            << QStringLiteral("tables") << false << QStringLiteral("已经有题库数据表") << qint64(0);
        QTest::newRow("a centre's banks, forced")
            << QStringLiteral("banks") << true << QStringLiteral("database_name") << qint64(1);
        QTest::newRow("a centre's workers only, forced")
            << QStringLiteral("worker") << true << QStringLiteral("worker") << qint64(0);
        QTest::newRow("a server that is down")
            << QStringLiteral("down") << false << QStringLiteral("无法连接数据库服务器")
            << qint64(-1);
        QTest::newRow("a login refused")
            << QStringLiteral("login") << false
            << QStringLiteral("无法连接数据库服务器 nobody_here@") << qint64(-1);
    }
    void refusedTarget()
    {
        QFETCH(QString, state);
        QFETCH(bool, force);
        QFETCH(QString, message);
        QFETCH(qint64, banksAfter);
        ServerPlace place;
        QString url = place.url();
        if (state != QLatin1String("down") && state != QLatin1String("login"))
            ServerSchema::create(place.db());
        if (state == QLatin1String("banks"))
            place.exec(
                QStringLiteral("insert into database_name(database_name) values ('别家题库')"));
        if (state == QLatin1String("worker"))
            WorkerTable(place.db()).add(QStringLiteral("王"), QString(), QStringLiteral(""));
        if (state == QLatin1String("down")) {
            const quint16 port = closedPort();
            const std::optional<ServerUrl> parts = ServerUrl::parse(url);
            url = QStringLiteral("postgresql://%1@127.0.0.1:%2/%3")
                      .arg(parts->user)
                      .arg(port)
                      .arg(parts->database);
            message += QStringLiteral(" %1@127.0.0.1:%2").arg(parts->user).arg(port);
        }
        if (state == QLatin1String("login"))
            url = withUser(url, QStringLiteral("nobody_here"));
        QStringList arguments{legacyBankPath(), url};
        if (force)
            arguments << QStringLiteral("--force");
        const Run run = convert(arguments);
        QCOMPARE(run.exitCode, 1);
        QVERIFY2(run.err.contains(message), qPrintable(run.err));
        QVERIFY(run.out.isEmpty());
        if (banksAfter >= 0) {
            QCOMPARE(place.count(QStringLiteral("database_name")), banksAfter);
            QCOMPARE(place.count(QStringLiteral("question")), qint64(0));
        } else {
            QCOMPARE(sql::scalar(place.db(),
                                 QStringLiteral("select count(*) from information_schema.tables"
                                                " where table_schema = current_schema()")),
                     qint64(0));
        }
    }

    // Tables that are there but hold nothing take the banks with --force.
    void emptyTablesTakenWithForce()
    {
        ServerPlace place;
        ServerSchema::create(place.db());
        const Run run = convert({legacyBankPath(), place.url(), QStringLiteral("--force")});
        QVERIFY2(run.exitCode == 0, qPrintable(run.err));
        QCOMPARE(place.count(QStringLiteral("question")), qint64(60));
    }

    // A write the server refuses in the middle takes everything back, and the
    // next conversion works.
    void failedWriteLeavesNothing_data()
    {
        QTest::addColumn<QString>("table");
        QTest::addColumn<QString>("operation");
        QTest::newRow("quota rows") << QStringLiteral("rand_num") << QStringLiteral("insert");
        QTest::newRow("the worker's log")
            << QStringLiteral("worker_log") << QStringLiteral("insert");
        QTest::newRow("questions, through the view")
            << QStringLiteral("question") << QStringLiteral("insert");
    }
    void failedWriteLeavesNothing()
    {
        QFETCH(QString, table);
        QFETCH(QString, operation);
        ServerPlace place;
        ServerSchema::create(place.db());
        place.exec(QStringLiteral("create function refuse() returns trigger language plpgsql as"
                                  " $$ begin raise exception 'disk full'; end $$"));
        place.exec(QStringLiteral("create trigger refuse before %1 on %2 for each row"
                                  " execute function refuse()")
                       .arg(operation, table));
        const Run run = convert({legacyBankPath(), place.url(), QStringLiteral("--force"),
                                 QStringLiteral("--worker"), QStringLiteral("张师傅")});
        QCOMPARE(run.exitCode, 1);
        QVERIFY2(run.err.contains(QStringLiteral("未做任何改动")), qPrintable(run.err));
        QVERIFY2(run.err.contains(QStringLiteral("disk full")), qPrintable(run.err));
        QVERIFY(run.out.isEmpty());
        QCOMPARE(ServerSchema::filledTables(place.db()), QStringList());
        place.exec(QStringLiteral("drop trigger refuse on ") + table);
        const Run again = convert({legacyBankPath(), place.url(), QStringLiteral("--force"),
                                   QStringLiteral("--worker"), QStringLiteral("张师傅")});
        QVERIFY2(again.exitCode == 0, qPrintable(again.err));
        QCOMPARE(place.count(QStringLiteral("question")), qint64(60));
        QCOMPARE(place.count(QStringLiteral("worker")), qint64(1));
    }

    // An empty database whose conversion fails keeps none of the tables.
    void failureOnAnEmptyDatabaseLeavesItEmpty()
    {
        ServerPlace place;
        // A name the centre's script needs is taken by something else.
        place.exec(QStringLiteral("create table worker_wrong_book (x integer)"));
        const Run run = convert({legacyBankPath(), place.url()});
        QCOMPARE(run.exitCode, 1);
        QVERIFY2(run.err.contains(QStringLiteral("未做任何改动")), qPrintable(run.err));
        QCOMPARE(
            sql::scalar(place.db(), QStringLiteral("select count(*) from information_schema.tables"
                                                   " where table_schema = current_schema()")),
            qint64(1));
    }

    void sourceOrTargetUnusable_data()
    {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<int>("exitCode");
        QTest::addColumn<QString>("message");
        QTest::newRow("two servers") << QStringList{QStringLiteral("postgresql://a@h/d"),
                                                    QStringLiteral("postgresql://a@h/e")}
                                     << 64 << QStringLiteral("must be a file");
        QTest::newRow("a worker between files")
            << QStringList{legacyBankPath(), QStringLiteral("/tmp/never.mdb"),
                           QStringLiteral("--worker"), QStringLiteral("张")}
            << 64 << QStringLiteral("--worker");
        QTest::newRow("a missing source") << QStringList{QStringLiteral("/nonexistent/x.mdb"),
                                                         QStringLiteral("postgresql://a@h/d")}
                                          << 1 << QStringLiteral("x.mdb");
    }
    void sourceOrTargetUnusable()
    {
        QFETCH(QStringList, arguments);
        QFETCH(int, exitCode);
        QFETCH(QString, message);
        const Run run = convert(arguments);
        QCOMPARE(run.exitCode, exitCode);
        QVERIFY2(run.err.contains(message), qPrintable(run.err));
    }
};

DRILLBAY_TEST(CentreConversionTest)
#include "CentreConversionTest.moc"
