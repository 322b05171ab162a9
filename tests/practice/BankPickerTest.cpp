#include "practice/BankPicker.h"
#include "RecordingNotifier.h"
#include "TestDatabase.h"
#include "TestRegistry.h"
#include "base/Selection.h"

#include <QSignalSpy>
#include <QTest>

class BankPickerTest : public QObject
{
    Q_OBJECT

private:
    static QString emptyNotice()
    {
        return QStringLiteral("[软件提示]:你当前选择的章节试题库 试题数为 0 ，请重新选择.");
    }
    // n questions of the chapter; the first `known` of them marked as known.
    static void fill(TestDatabase &db, int chapter, int n, int known = 0)
    {
        for (int i = 0; i < n; ++i)
            db.addQuestion(chapter, 1, QStringLiteral("题%1").arg(i), {"A", "B", "C", "D"},
                           QStringLiteral("1"), 2, i >= known);
    }

private slots:
    void banksInIdOrderGreyedWhenClosed()
    {
        TestDatabase db;
        db.addBank(QStringLiteral("变电"), true, 3);
        db.addBank(QStringLiteral("线路"), false, 1);
        db.addBank(QStringLiteral("配电"), true, 2);
        BankPicker picker(db.db());
        picker.refresh();
        QCOMPARE(picker.banks().size(), 3);
        QCOMPARE(picker.banks()[0].name, QStringLiteral("线路"));
        QCOMPARE(picker.banks()[1].name, QStringLiteral("配电"));
        QCOMPARE(picker.banks()[2].name, QStringLiteral("变电"));
        QVERIFY(!picker.banks()[0].enabled);
        // The first open bank is checked at the first showing; a closed one cannot be.
        QCOMPARE(picker.checkedBankName(), QStringLiteral("配电"));
        QVERIFY(!picker.listBank(0));
        QCOMPARE(picker.checkedPosition(), 1);
    }

    void itemsCountsAndOrder()
    {
        TestDatabase db;
        const int bank = db.addBank(QStringLiteral("安规"));
        const int other = db.addBank(QStringLiteral("其他"));
        QList<int> chapters;
        for (int i = 1; i <= 12; ++i)
            chapters << db.addChapter(bank, QStringLiteral("第%1章").arg(13 - i));
        fill(db, chapters[0], 3, 2); // known questions count as well
        fill(db, chapters[11], 1);
        fill(db, db.addChapter(other, QStringLiteral("别处")), 4);

        BankPicker picker(db.db());
        picker.refresh();
        const QStringList items = picker.itemTexts();
        QCOMPARE(items.size(), 12);
        QCOMPARE(items[0], QStringLiteral("【01】第12章(3道)"));
        QCOMPARE(items[8], QStringLiteral("【09】第4章(0道)"));
        QCOMPARE(items[9], QStringLiteral("【10】第3章(0道)"));
        QCOMPARE(items[11], QStringLiteral("【12】第1章(1道)"));
        QCOMPARE(picker.countsText(), QStringLiteral("当前试题库:4道/  全库:8道"));
        QCOMPARE(picker.rememberedItem(), 0);

        QVERIFY(picker.listBank(1));
        QCOMPARE(picker.itemTexts(), QStringList{QStringLiteral("【01】别处(4道)")});
        QCOMPARE(picker.countsText(), QStringLiteral("当前试题库:4道/  全库:8道"));
    }

    void doubleClick_data()
    {
        QTest::addColumn<int>("position");
        QTest::addColumn<QString>("chosen");
        QTest::addColumn<int>("remembered");
        QTest::newRow("first") << 0 << QStringLiteral("满") << 0;
        QTest::newRow("empty chapter") << 1 << QString() << 1;
        QTest::newRow("quote in name") << 2 << QStringLiteral("王's \"章\"") << 2;
        QTest::newRow("before the list") << -1 << QString() << 0;
        QTest::newRow("just past the end") << 3 << QString() << 0;
        QTest::newRow("far past the end") << 1000 << QString() << 0;
    }

    void doubleClick()
    {
        QFETCH(int, position);
        QFETCH(QString, chosen);
        TestDatabase db;
        const int bank = db.addBank(QStringLiteral("O'Neil 库"));
        fill(db, db.addChapter(bank, QStringLiteral("满")), 2);
        db.addChapter(bank, QStringLiteral("空"));
        fill(db, db.addChapter(bank, QStringLiteral("王's \"章\"")), 1);
        BankPicker picker(db.db());
        picker.refresh();
        QCOMPARE(picker.checkedBankName(), QStringLiteral("O'Neil 库"));
        RecordingNotifier notifier;
        QCOMPARE(picker.doubleClick(position, notifier), chosen);
        QTEST(picker.rememberedItem(), "remembered");
        QCOMPARE(picker.chosenOnce(), !chosen.isEmpty());
        QCOMPARE(notifier.notices, chosen.isEmpty() ? QStringList{emptyNotice()} : QStringList());
        QCOMPARE(picker.closeDecision(), chosen.isEmpty() ? BankPicker::CloseDecision::Refuse
                                                          : BankPicker::CloseDecision::Hide);
    }

    void everyBankIsOffered()
    {
        TestDatabase db;
        for (int i = 1; i <= 8; ++i)
            db.addBank(QStringLiteral("库%1").arg(i));
        const int eighth = 8;
        fill(db, db.addChapter(eighth, QStringLiteral("第八库章")), 2);
        BankPicker picker(db.db());
        picker.refresh();
        QCOMPARE(picker.banks().size(), 8);
        QVERIFY(picker.itemTexts().isEmpty());
        QVERIFY(picker.listBank(7));
        QCOMPARE(picker.checkedBankName(), QStringLiteral("库8"));
        QCOMPARE(picker.itemTexts(), QStringList{QStringLiteral("【01】第八库章(2道)")});
        QVERIFY(!picker.listBank(8));
    }

    void noBankAtAll()
    {
        TestDatabase db;
        BankPicker picker(db.db());
        picker.refresh();
        QVERIFY(!picker.hasBanks());
        QVERIFY(picker.itemTexts().isEmpty());
        QVERIFY(!picker.countsText().isEmpty());
        QVERIFY(!picker.countsText().startsWith(QStringLiteral("当前试题库:")));
        RecordingNotifier notifier;
        QVERIFY(picker.doubleClick(0, notifier).isEmpty());
        QCOMPARE(notifier.notices, QStringList{emptyNotice()});
        QCOMPARE(picker.closeDecision(), BankPicker::CloseDecision::AskQuit);
    }

    void nothingChoosableInOpenBanks()
    {
        TestDatabase db;
        const int closed = db.addBank(QStringLiteral("停用"), false);
        const int open = db.addBank(QStringLiteral("启用"));
        fill(db, db.addChapter(closed, QStringLiteral("停用章")), 3);
        db.addChapter(open, QStringLiteral("空章"));
        BankPicker picker(db.db());
        picker.refresh();
        QCOMPARE(picker.closeDecision(), BankPicker::CloseDecision::AskQuit);
        fill(db, db.addChapter(open, QStringLiteral("有题")), 1);
        QCOMPARE(picker.closeDecision(), BankPicker::CloseDecision::Refuse);
    }

    void listingReadsAfresh()
    {
        TestDatabase db;
        const int bank = db.addBank(QStringLiteral("库"));
        const int chapter = db.addChapter(bank, QStringLiteral("章"));
        BankPicker picker(db.db());
        picker.refresh();
        QCOMPARE(picker.itemTexts(), QStringList{QStringLiteral("【01】章(0道)")});
        fill(db, chapter, 5);
        // Showing again keeps the listed chapters; checking the bank reads anew.
        picker.refresh();
        QCOMPARE(picker.itemTexts(), QStringList{QStringLiteral("【01】章(0道)")});
        QVERIFY(picker.listBank(0));
        QCOMPARE(picker.itemTexts(), QStringList{QStringLiteral("【01】章(5道)")});
    }

    // The bank checked here is the selection's bank, whatever checks it: the
    // first showing, a click on another bank, a bank renamed or closed meanwhile.
    void selectionFollowsTheCheckedBank_data()
    {
        QTest::addColumn<QString>("change");
        QTest::addColumn<qint64>("bankId");
        QTest::addColumn<QString>("bankName");
        QTest::addColumn<int>("changes");
        QTest::newRow("first showing") << QString() << qint64(2) << QStringLiteral("配电") << 1;
        QTest::newRow("another bank checked")
            << QStringLiteral("list") << qint64(3) << QStringLiteral("变电") << 2;
        QTest::newRow("bank renamed")
            << QStringLiteral("update database_name set database_name = '配电新' where id = 2")
            << qint64(2) << QStringLiteral("配电新") << 2;
        QTest::newRow("bank closed")
            << QStringLiteral("update database_name set status = 0 where id = 2") << qint64(0)
            << QString() << 2;
        QTest::newRow("shown again unchanged")
            << QStringLiteral("select 1") << qint64(2) << QStringLiteral("配电") << 1;
    }
    void selectionFollowsTheCheckedBank()
    {
        QFETCH(QString, change);
        QFETCH(qint64, bankId);
        QFETCH(QString, bankName);
        QFETCH(int, changes);
        TestDatabase db;
        db.addBank(QStringLiteral("线路"), false, 1);
        db.addBank(QStringLiteral("配电"), true, 2);
        db.addBank(QStringLiteral("变电"), true, 3);
        Selection selection;
        QSignalSpy changed(&selection, &Selection::changed);
        BankPicker picker(db.db());
        picker.setSelection(&selection);
        QCOMPARE(changed.count(), 0);
        picker.refresh();
        if (change == QLatin1String("list")) {
            QVERIFY(picker.listBank(2));
        } else if (!change.isEmpty()) {
            db.exec(change);
            picker.refresh();
        }
        QCOMPARE(selection.bankId(), bankId);
        QCOMPARE(selection.bankName(), bankName);
        QCOMPARE(picker.checkedBankName(), bankName);
        QCOMPARE(changed.count(), changes);
    }
};

DRILLBAY_TEST(BankPickerTest)
#include "BankPickerTest.moc"
