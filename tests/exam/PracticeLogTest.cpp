#include "exam/PracticeLog.h"
#include "TestDatabase.h"
#include "TestRegistry.h"
#include "store/Sql.h"

#include <QSqlQuery>
#include <QTest>

namespace {

const QDateTime kStart(QDate(2026, 12, 9), QTime(14, 3, 27));

} // namespace

class PracticeLogTest : public QObject
{
    Q_OBJECT

private slots:
    void info_data()
    {
        QTest::addColumn<int>("mode");
        QTest::addColumn<int>("setIndex");
        QTest::addColumn<QString>("info");
        QTest::newRow("third set") << 1 << 2 << "[练习模式]-[第一章]第【3】套";
        QTest::newRow("first set") << 1 << 0 << "[练习模式]-[第一章]第【1】套";
        QTest::newRow("random") << 2 << 4 << "[随机模式]-[第一章]";
        QTest::newRow("mock examination") << 3 << 4 << "[模拟考试]-[第一章]";
        QTest::newRow("unknown mode") << 0 << 4 << "";
        QTest::newRow("wrong-question book") << 4 << 4 << "[错题练习]-[第一章]";
        QTest::newRow("beyond the modes") << 5 << 4 << "";
    }
    void info()
    {
        QFETCH(int, mode);
        QFETCH(int, setIndex);
        QFETCH(QString, info);
        QCOMPARE(PracticeLog::info(RunMode(mode), QStringLiteral("第一章"), setIndex), info);
    }

    void appendStoresRecord()
    {
        TestDatabase db;
        PracticeLog log(db.db());
        log.append(RunMode(1), QStringLiteral("第一章"), 2, 50, kStart);
        log.append(RunMode(7), QStringLiteral("第一章"), 2, 0,
                   kStart.addSecs(1)); // no info, still stored
        QSqlQuery q =
            sql::run(db.db(), QStringLiteral("SELECT info, fen, date FROM log ORDER BY id"));
        QVERIFY(q.next());
        QCOMPARE(q.value(0).toString(), QStringLiteral("[练习模式]-[第一章]第【3】套"));
        QCOMPARE(q.value(1).toInt(), 50);
        QCOMPARE(q.value(2).toString(), QStringLiteral("2026-12-09T14:03:27"));
        QVERIFY(q.next());
        QCOMPARE(q.value(0).toString(), QString());
        QCOMPARE(q.value(2).toString(), QStringLiteral("2026-12-09T14:03:28"));
        QVERIFY(!q.next());
    }

    void keepsNewestAndListsTwenty()
    {
        TestDatabase db;
        PracticeLog log(db.db());
        QVERIFY(db.db().transaction()); // one disk write for the whole series
        for (int i = 0; i < 105; ++i) {
            log.append(RunMode(2), QStringLiteral("章"), 0, i, kStart.addSecs(i));
            log.trim();
        }
        QVERIFY(db.db().commit());
        QCOMPARE(log.count(), 100);
        QCOMPARE(sql::scalar(db.db(), QStringLiteral("SELECT MIN(fen) FROM log")), 5);

        const StyledText lines = log.listRecent();
        QCOMPARE(lines.size(), 40);
        for (int n = 1; n <= 20; ++n) {
            QCOMPARE(lines.at(2 * n - 2).text(), QString());
            const int fen = 84 + n;
            QCOMPARE(lines.at(2 * n - 1).text(),
                     QStringLiteral("[%1].[随机模式]-[章][%2]  得分:%3")
                         .arg(n)
                         .arg(kStart.addSecs(fen).toString(QStringLiteral("yyyy-MM-dd HH:mm:ss")))
                         .arg(fen));
        }
    }

    void scoreSpanIsRedBold()
    {
        TestDatabase db;
        PracticeLog log(db.db());
        log.append(RunMode(1), QStringLiteral("第二章"), 2, 12, kStart);
        const StyledText lines = log.listRecent();
        QCOMPARE(lines.size(), 2);
        const StyledLine &line = lines.at(1);
        QCOMPARE(line.spans.size(), 2);
        QCOMPARE(line.spans.at(0).text,
                 QStringLiteral("[1].[练习模式]-[第二章]第【3】套[2026-12-09 14:03:27]"));
        QCOMPARE(line.spans.at(0).color, rgb::kBlack);
        QVERIFY(!line.spans.at(0).bold);
        QCOMPARE(line.spans.at(1).text, QStringLiteral("  得分:12"));
        QCOMPARE(line.spans.at(1).color, rgb::kRed);
        QVERIFY(line.spans.at(1).bold);
    }

    // A run without objective questions has no percentage: its record keeps
    // fen 0 (the column's format) and is told apart from a real 0 by its info.
    void recordWithoutPercentage_data()
    {
        QTest::addColumn<bool>("scored");
        QTest::addColumn<QString>("info");
        QTest::addColumn<QString>("score");
        QTest::newRow("percentage 0") << true << "[练习模式]-[第一章]第【2】套"
                                      << "  得分:0";
        QTest::newRow("no percentage") << false << "[练习模式]-[第一章]第【2】套[无客观题]"
                                       << "  得分:--";
    }
    void recordWithoutPercentage()
    {
        QFETCH(bool, scored);
        QFETCH(QString, info);
        QFETCH(QString, score);
        TestDatabase db;
        PracticeLog log(db.db());
        log.append(RunMode(1), QStringLiteral("第一章"), 1,
                   scored ? std::optional<int>(0) : std::nullopt, kStart);
        QSqlQuery q = sql::run(db.db(), QStringLiteral("SELECT info, fen FROM log"));
        QVERIFY(q.next());
        QCOMPARE(q.value(0).toString(), info);
        QCOMPARE(q.value(1).toInt(), 0);
        q.finish();
        const StyledText lines = log.listRecent();
        QCOMPARE(lines.size(), 2);
        QCOMPARE(lines.at(1).spans.at(0).text,
                 QStringLiteral("[1].") + info + QStringLiteral("[2026-12-09 14:03:27]"));
        QCOMPARE(lines.at(1).spans.at(1).text, score);
    }

    void trimKeepsShortLog()
    {
        TestDatabase db;
        PracticeLog log(db.db());
        for (int i = 0; i < 3; ++i)
            log.append(RunMode(3), QStringLiteral("c"), 0, i, kStart);
        log.trim();
        QCOMPARE(log.count(), 3);
        QCOMPARE(log.listRecent().size(), 6);
    }

    void deleteAll()
    {
        TestDatabase db;
        PracticeLog log(db.db());
        for (int i = 0; i < 7; ++i)
            log.append(RunMode(2), QStringLiteral("c"), 0, i, kStart);
        log.deleteAll();
        QCOMPARE(log.count(), 0);
        QVERIFY(log.listRecent().isEmpty());
    }

    void dateText_data()
    {
        QTest::addColumn<QString>("stored");
        QTest::addColumn<QString>("shown");
        QTest::newRow("iso") << "2026-01-02T03:04:05"
                             << "2026-01-02 03:04:05";
        QTest::newRow("not a date") << "gestern"
                                    << "gestern";
        QTest::newRow("empty") << ""
                               << "";
    }
    void dateText()
    {
        QFETCH(QString, stored);
        QFETCH(QString, shown);
        QCOMPARE(PracticeLog::dateText(stored), shown);
    }
};

DRILLBAY_TEST(PracticeLogTest)
#include "PracticeLogTest.moc"
