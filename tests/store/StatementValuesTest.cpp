#include "TestDatabase.h"
#include "TestRegistry.h"

#include "base/StoreError.h"
#include "store/Sql.h"

#include <QTest>

// Values reach a statement unchanged on either engine, whatever they hold,
// and a statement's own quoted texts and comments keep their question marks.
class StatementValuesTest : public QObject
{
    Q_OBJECT

private slots:
    void valuesReadBackAsGiven_data()
    {
        QTest::addColumn<QString>("title");
        QTest::addColumn<QByteArray>("data");
        QTest::newRow("plain") << QStringLiteral("安全规程") << QByteArray("\x01\x02", 2);
        QTest::newRow("quotes and a question mark")
            << QStringLiteral("it's \"the\" rule?") << QByteArray();
        QTest::newRow("a statement of its own")
            << QStringLiteral("'); delete from help; --") << QByteArray("x");
        QTest::newRow("backslashes") << QStringLiteral("C:\\规程\\'\\") << QByteArray("\\'", 2);
        QTest::newRow("empty") << QStringLiteral("") << QByteArray(1000, '\0');
    }
    void valuesReadBackAsGiven()
    {
        QFETCH(QString, title);
        QFETCH(QByteArray, data);
        TestDatabase db;
        const qint64 id = sql::insert(
            db.db(),
            QStringLiteral("insert into help(title, data, flag) -- no place in a comment ?\n"
                           " values(?, ?, '?' /* nor is this ? */)"),
            {title, data});
        QSqlQuery query = sql::run(db.db(),
                                   QStringLiteral("select title, data, flag, ? from help where"
                                                  " id = ? and title = ?"),
                                   {qint64(1) << 40, id, title});
        QVERIFY(query.next());
        QCOMPARE(query.value(0).toString(), title);
        QCOMPARE(query.value(1).toByteArray(), data);
        QCOMPARE(query.value(2).toString(), QStringLiteral("?"));
        QCOMPARE(query.value(3).toLongLong(), qint64(1) << 40);
        QCOMPARE(sql::scalar(db.db(), QStringLiteral("select count(*) from help")), 1);
    }

    // A statement with more places than values is refused, and the next one
    // runs as usual.
    void missingValueIsRefused()
    {
        TestDatabase db;
        QVERIFY_THROWS_EXCEPTION(
            StoreError,
            sql::run(db.db(), QStringLiteral("insert into help(title, flag) values(?, ?)"),
                     {QStringLiteral("只有一个")}));
        QCOMPARE(sql::scalar(db.db(), QStringLiteral("select count(*) from help")), 0);
        QCOMPARE(sql::scalar(db.db(), QStringLiteral("select ?"), {7}), 7);
    }
};

DRILLBAY_TEST(StatementValuesTest)
#include "StatementValuesTest.moc"
