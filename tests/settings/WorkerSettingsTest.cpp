#include "TestDatabase.h"
#include "TestRegistry.h"

#include "settings/SettingsStore.h"
#include "store/Sql.h"
#include "store/WorkerTable.h"

#include <QTest>

// A worker new to a centre has no settings row yet: the first save makes one,
// of that worker's own, as for a data file without the row.
class WorkerSettingsTest : public QObject
{
    Q_OBJECT

private slots:
    void firstSaveMakesTheWorkersRow()
    {
        TestDatabase db;
        db.exec(QStringLiteral("delete from run_record"));
        const SettingsStore store(db.db());
        QCOMPARE(store.load().setSize, 50);
        Settings settings;
        settings.setSize = 30;
        QVERIFY(!store.save(settings));
        QCOMPARE(store.load().setSize, 30);
        settings.setSize = 40;
        QVERIFY(store.save(settings));
        QCOMPARE(store.load().setSize, 40);
        QCOMPARE(sql::scalar(db.db(), QStringLiteral("select count(*) from run_record")),
                 qint64(1));
        if (!TestDatabase::onServer())
            return;
        // Another worker on the same connection sees the built-in values and
        // keeps a row of its own.
        const qint64 other = WorkerTable(db.db()).add(QStringLiteral("另一学员"), QString(),
                                                      QStringLiteral("2026-01-01T00:00:00"));
        WorkerTable::signIn(db.db(), other);
        QCOMPARE(store.load().setSize, 50);
        settings.setSize = 20;
        QVERIFY(!store.save(settings));
        WorkerTable::signIn(db.db(), db.workerId());
        QCOMPARE(store.load().setSize, 40);
    }
};

DRILLBAY_TEST(WorkerSettingsTest)
#include "WorkerSettingsTest.moc"
