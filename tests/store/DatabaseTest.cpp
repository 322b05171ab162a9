#include "store/Database.h"
#include "TestDatabase.h"
#include "TestRegistry.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>

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
