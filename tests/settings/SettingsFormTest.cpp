#include "settings/SettingsForm.h"
#include "RecordingNotifier.h"
#include "TestDatabase.h"
#include "TestRegistry.h"
#include "settings/SettingsStore.h"
#include "store/Database.h"
#include "store/Sql.h"

#include <QTest>

class SettingsFormTest : public QObject
{
    Q_OBJECT

private:
    // Inserts the settings row; a null variant stores NULL.
    static void addRow(TestDatabase &db, const QVariantList &values)
    {
        sql::run(db.db(),
                 QStringLiteral("insert into run_record(per_num, display_answer, next_time, "
                                "test_time, joke_flag) values(?,?,?,?,?)"),
                 values);
    }
    static QVariant null() { return QVariant(QMetaType::fromType<int>()); }

private slots:
    void startupValues_data()
    {
        QTest::addColumn<bool>("hasRow");
        QTest::addColumn<QVariantList>("row");
        QTest::addColumn<int>("setSize");
        QTest::addColumn<bool>("instant");
        QTest::addColumn<int>("delay");
        QTest::addColumn<int>("slider");
        QTest::addColumn<int>("minutes");
        QTest::addColumn<bool>("joke");

        QTest::newRow("no row: built-in values")
            << false << QVariantList() << 50 << true << 15 << 1500 << 90 << false;
        QTest::newRow("stored values")
            << true << QVariantList{30, 0, 20, 120, 1} << 30 << false << 20 << 2000 << 120 << true;
        QTest::newRow("zeros replaced")
            << true << QVariantList{0, 1, 0, 0, 0} << 50 << true << 15 << 1500 << 90 << false;
        QTest::newRow("nulls replaced")
            << true << QVariantList{null(), null(), null(), null(), null()} << 50 << false << 15
            << 1500 << 90 << false;
        QTest::newRow("slider ends")
            << true << QVariantList{100, 1, 3, 180, 0} << 100 << true << 3 << 300 << 180 << false;
        // Outside the slider's reach: the nearer end is shown and in force.
        QTest::newRow("delay above slider")
            << true << QVariantList{50, 1, 80, 60, 0} << 50 << true << 50 << 5000 << 60 << false;
        QTest::newRow("delay below slider")
            << true << QVariantList{50, 1, 1, 60, 0} << 50 << true << 3 << 300 << 60 << false;
        QTest::newRow("delay 100 times its limit")
            << true << QVariantList{50, 1, 5000, 60, 0} << 50 << true << 50 << 5000 << 60 << false;
        QTest::newRow("negative delay")
            << true << QVariantList{50, 1, -5, 60, 0} << 50 << true << 3 << 300 << 60 << false;
        // Beyond what its figure in milliseconds can hold.
        QTest::newRow("delay 21474837") << true << QVariantList{50, 1, 21474837, 60, 0} << 50
                                        << true << 50 << 5000 << 60 << false;
        QTest::newRow("delay above 32 bits")
            << true << QVariantList{50, 1, Q_INT64_C(5000000000), 60, 0} << 50 << true << 50 << 5000
            << 60 << false;
        QTest::newRow("negative and huge fields")
            << true << QVariantList{-20, 1, 15, Q_INT64_C(99999999999), 0} << 10 << true << 15
            << 1500 << 180 << false;
        QTest::newRow("fields clamped")
            << true << QVariantList{7, 1, 15, 250, 0} << 10 << true << 15 << 1500 << 180 << false;
    }

    void startupValues()
    {
        QFETCH(bool, hasRow);
        QFETCH(QVariantList, row);
        TestDatabase db;
        if (hasRow)
            addRow(db, row);
        const SettingsForm form(SettingsStore(db.db()).load());
        QTEST(form.setSize(), "setSize");
        QTEST(form.showInstantAnswer(), "instant");
        QTEST(form.advanceDelay(), "delay");
        QTEST(form.sliderPosition(), "slider");
        QTEST(form.examMinutes(), "minutes");
        QTEST(form.jokeEnabled(), "joke");
        QCOMPARE(form.delayFigure(), form.advanceDelay() * 100);
    }

    void sliderRounding_data()
    {
        QTest::addColumn<int>("position");
        QTest::addColumn<int>("delay");
        QTest::newRow("lowest") << 300 << 3;
        QTest::newRow("highest") << 5000 << 50;
        QTest::newRow("1450 half to even") << 1450 << 14;
        QTest::newRow("1550 half to even") << 1550 << 16;
        QTest::newRow("350 half to even") << 350 << 4;
        QTest::newRow("1449 down") << 1449 << 14;
        QTest::newRow("1451 up") << 1451 << 15;
    }

    void sliderRounding()
    {
        QFETCH(int, position);
        SettingsForm form;
        form.setSliderPosition(position);
        QTEST(form.advanceDelay(), "delay");
        QCOMPARE(form.delayFigure(), position);
        QTEST(form.values().advanceDelay, "delay");
    }

    void restoreDefaultsProposesSixtyMinutes()
    {
        TestDatabase db;
        addRow(db, {20, 0, 30, null(), 1});
        SettingsForm form(SettingsStore(db.db()).load());
        QCOMPARE(form.examMinutes(), 90);
        form.restoreDefaults();
        QCOMPARE(form.setSize(), 50);
        QCOMPARE(form.showInstantAnswer(), true);
        QCOMPARE(form.sliderPosition(), 1500);
        QCOMPARE(form.advanceDelay(), 15);
        QCOMPARE(form.examMinutes(), 60);
        QCOMPARE(form.jokeEnabled(), false);
        // Nothing is stored by restoring.
        QCOMPARE(SettingsStore(db.db()).load().examMinutes, 90);
    }

    void emptiedFieldsNoticeAndReset()
    {
        RecordingNotifier notifier;
        SettingsForm form;
        form.setSetSize(80);
        form.setExamMinutes(170);
        form.setSizeEmptied(notifier);
        form.examMinutesEmptied(notifier);
        QCOMPARE(form.setSize(), 50);
        QCOMPARE(form.examMinutes(), 60);
        QCOMPARE(notifier.notices, QStringList(2, QStringLiteral("[软件提示]：不能删除数据.")));
    }

    void confirmStoresAndQuits()
    {
        TestDatabase db;
        addRow(db, {50, 1, 80, 90, 0});
        SettingsStore store(db.db());
        SettingsForm form(store.load());
        form.setSetSize(70);
        form.setExamMinutes(40);
        RecordingNotifier notifier;
        QCOMPARE(form.confirm(store, notifier), SettingsForm::Outcome::Quit);
        QCOMPARE(notifier.notices,
                 QStringList{QStringLiteral(
                     "[软件提示]：配置参数已保存，本软件将退出，重新启动本软件后生效。")});
        const Settings saved = store.load();
        QCOMPARE(saved.setSize, 70);
        QCOMPARE(saved.examMinutes, 40);
        // The stored delay beyond the slider is saved as the value shown.
        QCOMPARE(saved.advanceDelay, 50);
        QCOMPARE(saved.showInstantAnswer, true);

        form.setSliderPosition(1450);
        form.confirm(store, notifier);
        QCOMPARE(store.load().advanceDelay, 14);
    }

    // A settings row that cannot be written: one notice says so and why, the
    // program goes on, and "确定" works once the cause is gone.
    void confirmThatCannotWriteSaysWhy_data()
    {
        QTest::addColumn<QString>("failure");
        QTest::addColumn<QString>("reason");
        QTest::newRow("refused by the file") << "full"
                                             << "数据文件拒绝了这次操作（详细信息：database or "
                                                "disk is full）";
        QTest::newRow("read-only file") << "read-only"
                                        << "数据文件是只读的";
        QTest::newRow("locked by another program") << "locked"
                                                   << "数据文件正被其他程序使用";
    }
    void confirmThatCannotWriteSaysWhy()
    {
        QFETCH(QString, failure);
        QFETCH(QString, reason);
        TestDatabase db;
        addRow(db, {50, 1, 15, 90, 0});
        if (failure == QLatin1String("full"))
            db.refuseWrites(QStringLiteral("update"), QStringLiteral("run_record"),
                            QStringLiteral("database or disk is full"));
        // As root a write-protected file can be written: the read-only file is
        // a connection opened for reading only.
        const auto access = failure == QLatin1String("read-only") ? Database::Access::ReadOnly
                                                                  : Database::Access::ReadWrite;
        QString error;
        const QSqlDatabase connection =
            Database::open(db.path(), QStringLiteral("settings-") + failure, &error, access, 20);
        QVERIFY2(connection.isOpen(), qPrintable(error));
        if (failure == QLatin1String("locked"))
            db.exec(QStringLiteral("begin exclusive"));

        SettingsStore store(connection);
        SettingsForm form(Settings{});
        form.setSetSize(80);
        RecordingNotifier notifier;
        QCOMPARE(form.confirm(store, notifier), SettingsForm::Outcome::Stay);
        QCOMPARE(notifier.notices,
                 QStringList{QStringLiteral("[软件提示]：配置参数没有保存，原因：") + reason +
                             QStringLiteral("。本软件继续运行，原来的配置保持不变。")});

        if (failure == QLatin1String("locked"))
            db.exec(QStringLiteral("rollback"));
        QCOMPARE(sql::scalar(db.db(), QStringLiteral("select per_num from run_record")), 50);
        if (failure == QLatin1String("full"))
            db.acceptWrites();
        if (failure != QLatin1String("read-only")) {
            notifier.notices.clear();
            QCOMPARE(form.confirm(store, notifier), SettingsForm::Outcome::Quit);
            QCOMPARE(notifier.notices, QStringList{SettingsForm::savedNotice()});
            QCOMPARE(sql::scalar(db.db(), QStringLiteral("select per_num from run_record")), 80);
        }
    }

    // Announcing "saved" while writing nothing would be a false report: a file
    // without its settings row gets one.
    void confirmWithoutRowAddsIt()
    {
        TestDatabase db;
        SettingsStore store(db.db());
        SettingsForm form(store.load());
        form.setSetSize(20);
        RecordingNotifier notifier;
        QCOMPARE(form.confirm(store, notifier), SettingsForm::Outcome::Quit);
        QCOMPARE(notifier.notices.size(), 1);
        QCOMPARE(sql::scalar(db.db(), QStringLiteral("select count(*) from run_record")), 1);
        const Settings saved = store.load();
        QCOMPARE(saved.setSize, 20);
        QCOMPARE(saved.advanceDelay, 15);
        QCOMPARE(saved.examMinutes, 90);
        QCOMPARE(saved.showInstantAnswer, true);
    }
};

DRILLBAY_TEST(SettingsFormTest)
#include "SettingsFormTest.moc"
