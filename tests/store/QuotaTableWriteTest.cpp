#include "TestDatabase.h"
#include "TestRegistry.h"

#include "base/StoreError.h"
#include "store/QuotaTable.h"

#include <QTest>

namespace {

QuotaRow chapterRow(qint64 bank, qint64 chapter, int position, std::array<int, 5> counts,
                    std::array<QString, 5> drawn)
{
    QuotaRow row;
    row.bankId = bank;
    row.chapterId = chapter;
    row.position = position;
    row.quota = counts;
    row.drawn = std::move(drawn);
    return row;
}

} // namespace

// The writing side of the quota rows: a chapter's row written whole, one
// type's drawn list, a row deleted, and failed writes that leave nothing.
class QuotaTableWriteTest : public QObject
{
    Q_OBJECT

private slots:
    void savingAChapterTwiceKeepsOneRow()
    {
        TestDatabase db;
        QuotaTable table(db.db());
        const qint64 first =
            table.saveChapter(chapterRow(1, 10, 2, {2, 0, 1, 0, 0}, {"#5#6", "", "#9", "", ""}));
        QVERIFY(first > 0);
        // Another bank's row of the same chapter id stays apart.
        const qint64 other = table.saveChapter(chapterRow(2, 10, 1, {1, 0, 0, 0, 0}, {"#7"}));
        QVERIFY(other != first);
        const qint64 again =
            table.saveChapter(chapterRow(1, 10, 3, {1, 1, 0, 0, 1}, {"#6", "#11", "", "", "#20"}));
        QCOMPARE(again, first);

        const QVector<QuotaRow> rows = table.ofBank(1);
        QCOMPARE(rows.size(), 1);
        const QuotaRow &row = rows.first();
        QCOMPARE(row.position, 3);
        QCOMPARE(row.quota, (std::array<int, 5>{1, 1, 0, 0, 1}));
        QCOMPARE(row.total, 3);
        QCOMPARE(row.drawn[0], QStringLiteral("#6"));
        QCOMPARE(row.drawn[2], QString());
        QCOMPARE(row.drawn[4], QStringLiteral("#20"));
        QCOMPARE(table.ofChapter(1, 10)->id, first);
        QCOMPARE(table.ofChapter(2, 10)->id, other);
        QVERIFY(!table.ofChapter(3, 10).has_value());
    }

    void oneTypesListAndDeletion_data()
    {
        QTest::addColumn<int>("type");
        QTest::addColumn<bool>("stored");
        QTest::addColumn<QStringList>("lists");
        const QString list = QStringLiteral("#40#41");
        QTest::newRow("single choice") << 1 << true << QStringList{list, "", "", "", "#3"};
        QTest::newRow("essay") << 5 << true << QStringList{"#1", "", "", "", list};
        QTest::newRow("true/false") << 4 << true << QStringList{"#1", "", "", list, "#3"};
        QTest::newRow("type 0") << 0 << false << QStringList{"#1", "", "", "", "#3"};
        QTest::newRow("type 6") << 6 << false << QStringList{"#1", "", "", "", "#3"};
    }

    void oneTypesListAndDeletion()
    {
        QFETCH(int, type);
        QFETCH(bool, stored);
        QFETCH(QStringList, lists);
        TestDatabase db;
        QuotaTable table(db.db());
        const qint64 id =
            table.saveChapter(chapterRow(1, 10, 1, {1, 0, 0, 1, 1}, {"#1", "", "", "", "#3"}));
        QCOMPARE(table.storeDrawn(id, type, QStringLiteral("#40#41")), stored);
        QVERIFY(!table.storeDrawn(id + 1, 1, QStringLiteral("#1")));
        const QuotaRow row = *table.row(id);
        for (int t = 0; t < 5; ++t)
            QCOMPARE(row.drawn[static_cast<size_t>(t)], lists.at(t));
        QCOMPARE(row.quota, (std::array<int, 5>{1, 0, 0, 1, 1}));

        QVERIFY(!table.remove(id + 1));
        QVERIFY(table.remove(id));
        QVERIFY(!table.row(id).has_value());
        QVERIFY(!table.remove(id));
    }

    void failedWriteChangesNothing_data()
    {
        QTest::addColumn<QString>("trigger");
        QTest::addColumn<bool>("existing");
        QTest::newRow("insert refused") << QStringLiteral("insert") << false;
        QTest::newRow("update refused") << QStringLiteral("update") << true;
    }

    void failedWriteChangesNothing()
    {
        QFETCH(QString, trigger);
        QFETCH(bool, existing);
        TestDatabase db;
        QuotaTable table(db.db());
        if (existing)
            table.saveChapter(chapterRow(1, 10, 1, {1, 0, 0, 0, 0}, {"#1"}));
        db.refuseWrites(trigger, QStringLiteral("rand_num"), QStringLiteral("disk full"));
        bool thrown = false;
        try {
            table.saveChapter(chapterRow(1, 10, 4, {3, 0, 0, 0, 0}, {"#1#2#3"}));
        } catch (const StoreError &error) {
            thrown = true;
            QCOMPARE(error.reason(), TestDatabase::refusal(QStringLiteral("disk full")));
        }
        QVERIFY(thrown);
        const QVector<QuotaRow> rows = table.ofBank(1);
        QCOMPARE(rows.size(), existing ? 1 : 0);
        if (existing) {
            QCOMPARE(rows.first().drawn[0], QStringLiteral("#1"));
            QCOMPARE(rows.first().position, 1);
        }
        // The connection is usable again: no transaction is left open.
        db.acceptWrites();
        table.saveChapter(chapterRow(1, 10, 4, {3, 0, 0, 0, 0}, {"#1#2#3"}));
        QCOMPARE(table.ofBank(1).first().drawn[0], QStringLiteral("#1#2#3"));
    }
};

DRILLBAY_TEST(QuotaTableWriteTest)
#include "QuotaTableWriteTest.moc"
