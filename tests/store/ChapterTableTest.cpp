#include "TestDatabase.h"
#include "TestRegistry.h"

#include "store/BankTable.h"
#include "store/ChapterTable.h"

#include <QTest>

namespace {

constexpr qint64 kHigh = qint64(1) << 32;

QStringList namesOf(const QList<ChapterRow> &rows)
{
    QStringList names;
    for (const ChapterRow &row : rows)
        names << row.name;
    return names;
}

} // namespace

// Banks and chapters: storage order by id, ids beyond 32 bits kept whole.
class ChapterTableTest : public QObject
{
    Q_OBJECT

private slots:
    void banksInAscendingId()
    {
        TestDatabase db;
        db.addBank(QStringLiteral("丙"), true, kHigh + 2);
        db.addBank(QStringLiteral("甲"), false, 7);
        db.addBank(QStringLiteral("乙"), true, 2);
        BankTable table(db.db());
        const QList<BankRow> banks = table.all();
        QCOMPARE(banks.size(), 3);
        QCOMPARE(banks.at(0).id, qint64(2));
        QCOMPARE(banks.at(1).id, qint64(7));
        QCOMPARE(banks.at(1).name, QStringLiteral("甲"));
        QVERIFY(!banks.at(1).enabled);
        QCOMPARE(banks.at(2).id, kHigh + 2);
        QVERIFY(banks.at(2).enabled);

        QCOMPARE(table.find(kHigh + 2)->name, QStringLiteral("丙"));
        QVERIFY(!table.find(kHigh + 7).has_value());
        QVERIFY(!table.find(0).has_value());
    }

    void chaptersOfBank_data()
    {
        QTest::addColumn<qint64>("bank");
        QTest::addColumn<QStringList>("names");
        QTest::newRow("low bank, by id") << qint64(1) << QStringList{"三", "九", "高"};
        QTest::newRow("high bank alone") << kHigh + 1 << QStringList{"五"};
        QTest::newRow("no such bank") << qint64(4) << QStringList{};
    }
    void chaptersOfBank()
    {
        QFETCH(qint64, bank);
        QFETCH(QStringList, names);
        TestDatabase db;
        db.exec(QStringLiteral("insert into fenlei(id, 试卷名称, database_id) values "
                               "(9, '九', 1), (3, '三', 1), (5, '五', %1), (%2, '高', 1)")
                    .arg(kHigh + 1)
                    .arg(kHigh + 3));
        QCOMPARE(namesOf(ChapterTable(db.db()).ofBank(bank)), names);
    }

    void findByName()
    {
        TestDatabase db;
        const qint64 bank = db.addBank(QStringLiteral("库"), true, kHigh + 1);
        // The next chapter id is 2^32 + 1.
        db.continueIdsAfter(QStringLiteral("fenlei"), kHigh);
        db.addChapter(bank, QStringLiteral("第一章"));
        db.addChapter(bank, QStringLiteral("第二章 线路"), 45);
        ChapterTable table(db.db());

        const std::optional<ChapterRow> chapter = table.findByName(QStringLiteral("第二章 线路"));
        QVERIFY(chapter.has_value());
        QCOMPARE(chapter->id, kHigh + 2);
        QCOMPARE(chapter->bankId, kHigh + 1);
        QCOMPARE(chapter->examMinutes, 45);
        QCOMPARE(chapter->created, QStringLiteral("2026-01-01T00:00:00"));
        QCOMPARE(chapter->creator, QStringLiteral("net_user"));
        // Names are compared whole; a quote in a name is a value like any other.
        QVERIFY(!table.findByName(QStringLiteral("第二章")).has_value());
        QVERIFY(!table.findByName(QStringLiteral("第一章' or '1'='1")).has_value());

        // By id, beyond 32 bits, and nothing for an id that is not stored.
        const std::optional<ChapterRow> byId = table.find(kHigh + 2);
        QVERIFY(byId.has_value());
        QCOMPARE(byId->name, QStringLiteral("第二章 线路"));
        QCOMPARE(table.find(kHigh + 1)->name, QStringLiteral("第一章"));
        QVERIFY(!table.find(2).has_value());
        QVERIFY(!table.find(kHigh + 3).has_value());
    }
};

DRILLBAY_TEST(ChapterTableTest)
#include "ChapterTableTest.moc"
