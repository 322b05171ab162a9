#include "store/Database.h"
#include "TestDatabase.h"
#include "TestRegistry.h"
#include "store/Schema.h"

#include <QFile>
#include <QSqlError>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <QTest>
#include <QUuid>

namespace {

QStringList columnsOf(const QSqlDatabase &db, const QString &table)
{
    QSqlQuery query(db);
    query.exec(QStringLiteral("pragma table_info(\"%1\")").arg(table));
    QStringList names;
    while (query.next())
        names << query.value(1).toString();
    return names;
}

// Rebuilds the table without the column (a column with an index cannot be
// dropped in place).
void dropColumn(TestDatabase &test, const QString &table, const QString &column)
{
    QStringList kept = columnsOf(test.db(), table);
    QVERIFY(kept.removeAll(column) == 1);
    test.exec(QStringLiteral("create table rebuilt as select \"%1\" from \"%2\"")
                  .arg(kept.join(QStringLiteral("\", \"")), table));
    test.exec(QStringLiteral("drop table \"%1\"").arg(table));
    test.exec(QStringLiteral("alter table rebuilt rename to \"%1\"").arg(table));
}

// A second connection of another program to the same file.
struct OtherProgram
{
    explicit OtherProgram(const QString &path)
        : name(QStringLiteral("other-") + QUuid::createUuid().toString(QUuid::WithoutBraces))
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), name);
        db.setDatabaseName(path);
        db.open();
    }
    ~OtherProgram()
    {
        QSqlDatabase::database(name, false).close();
        QSqlDatabase::removeDatabase(name);
    }
    bool exec(const QString &statement)
    {
        QSqlQuery query(QSqlDatabase::database(name, false));
        return query.exec(statement);
    }
    QString name;
};

} // namespace

// The data file is refused, with its name in the message, unless it is a
// database with every table of the format; it is never created.
class DatabaseTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void refusesUnusableFiles_data()
    {
        QTest::addColumn<QByteArray>("content"); // empty: no file at all
        QTest::addColumn<QString>("expected");
        QTest::newRow("missing") << QByteArray() << QStringLiteral("找不到数据文件");
        QTest::newRow("text file")
            << QByteArray("not a database\n") << QStringLiteral("不是可用的题库数据库");
        QTest::newRow("empty file") << QByteArray("\0", 0) << QStringLiteral("缺少数据表");
    }
    void refusesUnusableFiles()
    {
        QFETCH(QByteArray, content);
        QFETCH(QString, expected);
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("examination.mdb"));
        if (!content.isNull() || QByteArray(QTest::currentDataTag()) == "empty file") {
            QFile file(path);
            QVERIFY(file.open(QIODevice::WriteOnly));
            file.write(content);
        }
        QString error;
        const QSqlDatabase db = Database::open(path, QStringLiteral("refuse"), &error);
        QVERIFY(!db.isOpen());
        QVERIFY2(error.contains(expected), qPrintable(error));
        QVERIFY(error.contains(path));
        if (content.isNull() && QByteArray(QTest::currentDataTag()) == "missing")
            QVERIFY(!QFile::exists(path));
    }

    void refusesAFileWithoutAllTables()
    {
        TestDatabase test;
        test.exec(QStringLiteral("drop table joke"));
        QString error;
        const QSqlDatabase db = Database::open(test.path(), QStringLiteral("partial"), &error);
        QVERIFY(!db.isOpen());
        QVERIFY(error.contains(QStringLiteral("joke")));
    }

    void refusesAFileWithoutAColumn_data()
    {
        QTest::addColumn<QString>("table");
        QTest::addColumn<QString>("column");
        QTest::newRow("bank status") << "database_name"
                                     << "status";
        QTest::newRow("chapter name") << "fenlei"
                                      << "试卷名称";
        QTest::newRow("chapter bank") << "fenlei"
                                      << "database_id";
        QTest::newRow("question stem") << "考试训练题库"
                                       << "题目";
        QTest::newRow("practice state") << "考试训练题库"
                                        << "题目选择";
        QTest::newRow("settings delay") << "run_record"
                                        << "next_time";
        QTest::newRow("log text") << "log"
                                  << "info";
        QTest::newRow("drawn ids") << "rand_num"
                                   << "lunshu_num_shiti";
        QTest::newRow("document body") << "help"
                                       << "data";
        QTest::newRow("password") << "reg"
                                  << "pass";
    }
    void refusesAFileWithoutAColumn()
    {
        QFETCH(QString, table);
        QFETCH(QString, column);
        TestDatabase test;
        dropColumn(test, table, column);
        QString error;
        const QSqlDatabase db = Database::open(test.path(), QStringLiteral("column"), &error);
        QVERIFY(!db.isOpen());
        QVERIFY2(error.contains(QStringLiteral("缺少数据列“%1.%2”").arg(table, column)),
                 qPrintable(error));
        QVERIFY(error.contains(test.path()));
    }

    void namesEveryMissingTableAndColumn()
    {
        TestDatabase test;
        dropColumn(test, QStringLiteral("database_name"), QStringLiteral("status"));
        dropColumn(test, QStringLiteral("fenlei"), QStringLiteral("试卷名称"));
        QString error;
        QVERIFY(!Database::open(test.path(), QStringLiteral("columns"), &error).isOpen());
        QVERIFY2(error.contains(QStringLiteral("“database_name.status”、“fenlei.试卷名称”")),
                 qPrintable(error));
        test.exec(QStringLiteral("drop table reg"));
        test.exec(QStringLiteral("drop table help"));
        QVERIFY(!Database::open(test.path(), QStringLiteral("tables"), &error).isOpen());
        QVERIFY2(error.contains(QStringLiteral("缺少数据表“help”、“reg”")), qPrintable(error));
    }

    // The check knows every table and column of the format, and no other.
    void checksTheWholeFormat()
    {
        TestDatabase test;
        QSqlQuery tables(test.db());
        QVERIFY(tables.exec(QStringLiteral(
            "select name from sqlite_master where type='table' and name not like 'sqlite_%'")));
        QStringList inFormat;
        while (tables.next())
            for (const QString &column : columnsOf(test.db(), tables.value(0).toString()))
                inFormat << tables.value(0).toString() + QLatin1Char('.') + column;
        QStringList checked;
        for (const schema::TableColumns &table : schema::kRequiredColumns)
            for (const QString &column : table.columns)
                checked << table.table + QLatin1Char('.') + column;
        inFormat.sort();
        checked.sort();
        QCOMPARE(checked, inFormat);
    }

    // A file that another program holds locked is in use, not unusable.
    void fileInUseIsSaidToBeInUse()
    {
        TestDatabase test;
        OtherProgram other(test.path());
        QVERIFY(other.exec(QStringLiteral("begin exclusive")));
        QString error;
        const QSqlDatabase db = Database::open(test.path(), QStringLiteral("busy"), &error,
                                               Database::Access::ReadWrite, 20);
        QVERIFY(!db.isOpen());
        QVERIFY2(error.contains(QStringLiteral("正被其他程序使用")), qPrintable(error));
        QVERIFY(!error.contains(QStringLiteral("不是可用的题库数据库")));
        QVERIFY(error.contains(test.path()));
        QVERIFY(other.exec(QStringLiteral("rollback")));
        QVERIFY(Database::open(test.path(), QStringLiteral("busy"), &error).isOpen());
    }

    // As root a write-protected file can still be written, so the read-only
    // file is made by opening the connection for reading only.
    void readOnlyFileOpensAndIsKnownAsSuch()
    {
        TestDatabase test;
        QString error;
        const QSqlDatabase readOnly =
            Database::open(test.path(), QStringLiteral("ro"), &error, Database::Access::ReadOnly);
        QVERIFY2(readOnly.isOpen(), qPrintable(error));
        QVERIFY(Database::isReadOnly(readOnly));
        const QSqlDatabase writable = Database::open(test.path(), QStringLiteral("rw"), &error);
        QVERIFY(!Database::isReadOnly(writable));
        // The check leaves no lock behind: the other connection writes at once.
        test.exec(QStringLiteral("insert into joke(word) values('x')"));
        QSqlQuery write(writable);
        QVERIFY2(write.exec(QStringLiteral("insert into joke(word) values('y')")),
                 qPrintable(write.lastError().text()));
        QCOMPARE(Database::readOnlyNotice(QStringLiteral("/data/examination.mdb")),
                 QStringLiteral("[软件提示]：数据文件 /data/examination.mdb 是只读的，可以练习，"
                                "但本次运行中的做题记录、会做标记和系统配置都不会被保存。"));
    }

    void opensACompleteFile()
    {
        TestDatabase test;
        QString error = QStringLiteral("x");
        const QSqlDatabase db = Database::open(test.path(), QStringLiteral("complete"), &error);
        QVERIFY(db.isOpen());
        QVERIFY(error.isEmpty());
    }
};

DRILLBAY_TEST(DatabaseTest)
#include "DatabaseTest.moc"
