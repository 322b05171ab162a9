#include "TestDatabase.h"
#include "TestRegistry.h"

#include "store/QuotaTable.h"

#include <QTest>

// Quota rows as the draw stores them, and drawn-id lists as people and older
// versions may have left them.
class QuotaTableTest : public QObject
{
    Q_OBJECT

private slots:
    void drawnListsKeepOnlyIds_data()
    {
        QTest::addColumn<QString>("list");
        QTest::addColumn<QVector<qint64>>("ids");
        QTest::newRow("empty") << QString() << QVector<qint64>{};
        QTest::newRow("drawing order") << QStringLiteral("#12#40#7") << QVector<qint64>{12, 40, 7};
        QTest::newRow("doubled and trailing marks")
            << QStringLiteral("##12##40#") << QVector<qint64>{12, 40};
        QTest::newRow("no leading mark") << QStringLiteral("5#6") << QVector<qint64>{5, 6};
        QTest::newRow("not ids") << QStringLiteral("#a#-3#0#7x#9") << QVector<qint64>{9};
        QTest::newRow("beyond 32 bits")
            << QStringLiteral("#4294967298") << QVector<qint64>{4294967298LL};
    }

    void drawnListsKeepOnlyIds()
    {
        QFETCH(QString, list);
        QFETCH(QVector<qint64>, ids);
        QCOMPARE(quota::idsOf(list), ids);
        QCOMPARE(quota::idsOf(quota::listOf(ids)), ids);
    }

    void bankRowsByPositionAndTotal()
    {
        TestDatabase db;
        db.exec(QStringLiteral(
            "insert into rand_num (db_db_id, sele_zhang_id, sele_zhang_xuhao, s_num, d_num, "
            "t_num, p_num, lunshu_num, total_num, s_num_shiti, p_num_shiti) values "
            "(1, 30, 3, 2, 0, 0, 1, 0, 3, '#5#6', '#9'), "
            "(1, 10, 1, 1, 1, 1, 1, 1, 5, '#1', ''), "
            "(2, 20, 1, 7, 0, 0, 0, 0, 7, '', '')"));
        QuotaTable table(db.db());
        const QVector<QuotaRow> rows = table.ofBank(1);
        QCOMPARE(rows.size(), 2);
        QCOMPARE(rows.at(0).chapterId, qint64(10));
        QCOMPARE(rows.at(1).position, 3);
        QCOMPARE(rows.at(1).quota[3], 1);
        QCOMPARE(rows.at(1).drawn[0], QStringLiteral("#5#6"));
        QCOMPARE(rows.at(1).quotaSum(), 3);
        QCOMPARE(table.bankTotal(1), 8);
        QCOMPARE(table.bankTotal(2), 7);
        QCOMPARE(table.bankTotal(3), 0);
        QVERIFY(table.row(rows.at(0).id).has_value());
        QVERIFY(!table.row(999).has_value());
    }
};

DRILLBAY_TEST(QuotaTableTest)
#include "QuotaTableTest.moc"
