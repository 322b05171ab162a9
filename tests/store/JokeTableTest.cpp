#include "TestDatabase.h"
#include "TestRegistry.h"

#include "store/JokeTable.h"
#include "store/Sql.h"

#include <QTest>

// The jokes come back in the order they were written, whatever their text.
class JokeTableTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void wordsInStorageOrder_data()
    {
        QTest::addColumn<QStringList>("words");
        QTest::newRow("none") << QStringList{};
        QTest::newRow("against the alphabet")
            << QStringList{QStringLiteral("zz"), QStringLiteral("aa"), QStringLiteral("mm")};
        QTest::newRow("same text twice")
            << QStringList{QStringLiteral("笑"), QStringLiteral("话"), QStringLiteral("笑")};
    }
    void wordsInStorageOrder()
    {
        QFETCH(QStringList, words);
        TestDatabase db;
        for (const QString &word : std::as_const(words))
            sql::run(db.db(), QStringLiteral("insert into joke(word) values(?)"), {word});
        QCOMPARE(JokeTable(db.db()).words(), words);
    }
};

DRILLBAY_TEST(JokeTableTest)
#include "JokeTableTest.moc"
