#include "TestDatabase.h"
#include "TestRegistry.h"

#include "store/SettingsTable.h"
#include "store/Sql.h"

#include <QTest>
#include <limits>

class SettingsTableTest : public QObject
{
    Q_OBJECT

private slots:
    void noRow()
    {
        TestDatabase db;
        SettingsTable table(db.db());
        QVERIFY(!table.hasRow());
        QVERIFY(!table.read().has_value());
        // Updating a file without the row writes nothing.
        table.update(SettingsRow{30, true, 10, 60, true});
        QVERIFY(!table.hasRow());
    }

    void read_data()
    {
        QTest::addColumn<QString>("values");
        QTest::addColumn<int>("setSize");
        QTest::addColumn<bool>("showAnswer");
        QTest::addColumn<int>("delay");
        QTest::addColumn<int>("minutes");
        QTest::addColumn<bool>("joke");
        QTest::newRow("stored values") << "50, 1, 15, 90, 0" << 50 << true << 15 << 90 << false;
        QTest::newRow("missing values")
            << "null, null, null, null, null" << 0 << false << 0 << 0 << false;
        QTest::newRow("text that is no number")
            << "'abc', 2, '', 7, 1" << 0 << true << 0 << 7 << true;
        QTest::newRow("negative kept") << "-5, 0, -1, 0, 0" << -5 << false << -1 << 0 << false;
        // Beyond 32 bits: the nearer end of the int range, never the low bits
        // (4294967301 would otherwise read as 5).
        QTest::newRow("beyond int")
            << "4294967301, 4294967296, 21474836470, -4294967296, 4294967296"
            << std::numeric_limits<int>::max() << true << std::numeric_limits<int>::max()
            << std::numeric_limits<int>::min() << true;
    }
    void read()
    {
        QFETCH(QString, values);
        const QByteArray tag = QTest::currentDataTag();
        if (TestDatabase::onServer() && (tag == "text that is no number" || tag == "beyond int"))
            QSKIP("the server's integer columns hold neither text nor numbers beyond 32 bits");
        TestDatabase db;
        db.exec(QStringLiteral("insert into run_record values(%1)").arg(values));
        const std::optional<SettingsRow> row = SettingsTable(db.db()).read();
        QVERIFY(row.has_value());
        QTEST(row->setSize, "setSize");
        QTEST(row->showAnswer, "showAnswer");
        QTEST(row->advanceDelay, "delay");
        QTEST(row->examMinutes, "minutes");
        QTEST(row->joke, "joke");
    }

    void writesTheFirstRowOnly()
    {
        if (TestDatabase::onServer())
            QSKIP("a worker has one settings row on the server; the file may hold more");
        TestDatabase db;
        db.exec(QStringLiteral("insert into run_record values(50, 1, 15, 90, 0)"));
        db.exec(QStringLiteral("insert into run_record values(20, 0, 5, 30, 1)"));
        SettingsTable table(db.db());
        table.update(SettingsRow{100, false, 25, 120, true});
        QCOMPARE(table.read()->setSize, 100);
        QCOMPARE(sql::scalar(db.db(), QStringLiteral("select per_num from run_record "
                                                     "order by rowid limit 1 offset 1")),
                 20);
    }

    void insertAddsTheRow()
    {
        TestDatabase db;
        SettingsTable table(db.db());
        table.insert(SettingsRow{40, false, 12, 75, true});
        QVERIFY(table.hasRow());
        const SettingsRow row = *table.read();
        QCOMPARE(row.setSize, 40);
        QCOMPARE(row.showAnswer, false);
        QCOMPARE(row.advanceDelay, 12);
        QCOMPARE(row.examMinutes, 75);
        QCOMPARE(row.joke, true);
    }
};

DRILLBAY_TEST(SettingsTableTest)
#include "SettingsTableTest.moc"
