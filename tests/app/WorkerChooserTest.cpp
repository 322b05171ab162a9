#include "app/ui/WorkerChooser.h"
#include "FixedClock.h"
#include "TestDatabase.h"
#include "TestRegistry.h"
#include "Typing.h"
#include "app/WorkerSignIn.h"

#include "store/WorkerTable.h"

#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTest>

namespace {

// The centre's workers of every test: the test database's own worker, one
// without a PIN and one with the PIN 1234.
struct Centre
{
    Centre()
    {
        if (!TestDatabase::onServer()) {
            // The data file has no workers; the same table as the server's.
            db.exec(QStringLiteral("create table worker(id integer primary key, name text not "
                                   "null unique, pin text not null default '', created text not "
                                   "null default '')"));
            WorkerTable(db.db()).add(QStringLiteral("测试学员"), QString(),
                                     QStringLiteral("2026-01-01T00:00:00"));
        }
        WorkerTable workers(db.db());
        workers.add(QStringLiteral("张三"), QString(), QStringLiteral("2026-01-01T00:00:00"));
        workers.add(QStringLiteral("李四"), QStringLiteral("1234"),
                    QStringLiteral("2026-01-01T00:00:00"));
    }

    TestDatabase db;
    FixedClock clock;
};

void clickRow(QListWidget *list, const QString &name)
{
    for (int row = 0; row < list->count(); ++row) {
        QListWidgetItem *item = list->item(row);
        if (item->data(Qt::UserRole).toString() == name) {
            list->scrollToItem(item);
            QTest::mouseClick(list->viewport(), Qt::LeftButton, {},
                              list->visualItemRect(item).center());
            return;
        }
    }
    QFAIL(qPrintable(QStringLiteral("no row for ") + name));
}

void click(QPushButton *button)
{
    QTest::mouseClick(button, Qt::LeftButton);
}

} // namespace

// "学员：" at start on a centre's server, as a worker uses it: a row clicked
// or a name typed, the PIN typed, a button clicked.
class WorkerChooserTest : public QObject
{
    Q_OBJECT

private slots:
    void listShowsTheCentresWorkers()
    {
        Centre centre;
        WorkerSignIn signIn(centre.db.db(), centre.clock);
        WorkerChooser chooser(signIn);
        QStringList rows;
        for (int row = 0; row < chooser.list()->count(); ++row)
            rows << chooser.list()->item(row)->text();
        QCOMPARE(rows.size(), 3);
        QVERIFY(rows.contains(QStringLiteral("张三")));
        QVERIFY(rows.contains(QStringLiteral("李四（有 PIN）")));
        QVERIFY(rows.contains(QStringLiteral("测试学员")));
    }

    void choose_data()
    {
        QTest::addColumn<QString>("row");  // clicked first, when given
        QTest::addColumn<QString>("name"); // typed into the name field
        QTest::addColumn<QString>("pin");
        QTest::addColumn<bool>("create"); // "新建学员" rather than "进入"
        QTest::addColumn<QString>("signedIn");
        QTest::addColumn<QString>("message");

        const QString none;
        QTest::newRow("row without a PIN") << "张三" << none << none << false << "张三" << none;
        QTest::newRow("row with its PIN") << "李四" << none << "1234" << false << "李四" << none;
        QTest::newRow("row with a wrong PIN")
            << "李四" << none << "1111" << false << none << "PIN 不正确，请重新输入。";
        QTest::newRow("row with a PIN not typed")
            << "李四" << none << none << false << none << "学员“李四”设有 PIN，请输入 4 位 PIN。";
        QTest::newRow("PIN typed for a worker without one")
            << "张三" << none << "9999" << false << "张三" << none;
        QTest::newRow("name typed") << none << " 张三 " << none << false << "张三" << none;
        QTest::newRow("unknown name") << none << "王五" << none << false << none
                                      << "没有名为“王五”的学员。新学员请点“新建学员”。";
        QTest::newRow("nothing chosen")
            << none << none << none << false << none << "请在列表中选择学员，或输入学员姓名。";
        QTest::newRow("new worker with a PIN") << none << "王五"
                                               << "4321" << true << "王五" << none;
        QTest::newRow("new worker without a PIN")
            << none << "王五" << none << true << "王五" << none;
        QTest::newRow("new worker of 20 characters") << none << QString(20, QChar(0x738B)) << none
                                                     << true << QString(20, QChar(0x738B)) << none;
        QTest::newRow("new worker, name too long") << none << QString(21, QChar(0x738B)) << none
                                                   << true << none << "学员姓名不能超过 20 个字。";
        QTest::newRow("new worker, no name")
            << none << none << "1234" << true << none << "请输入新学员的姓名。";
        QTest::newRow("new worker, blanks only")
            << none << "   " << none << true << none << "请输入新学员的姓名。";
        QTest::newRow("new worker, PIN too short")
            << none << "王五"
            << "12" << true << none << "PIN 应为 4 位数字，也可以不设。";
        QTest::newRow("new worker, PIN with a letter")
            << none << "王五"
            << "12a4" << true << none << "PIN 应为 4 位数字，也可以不设。";
        QTest::newRow("new worker, name taken")
            << none << "张三" << none << true << none
            << "学员“张三”已经有了。请换一个姓名，或在列表中选中后点“进入”。";
    }
    void choose()
    {
        QFETCH(QString, row);
        QFETCH(QString, name);
        QFETCH(QString, pin);
        QFETCH(bool, create);
        QFETCH(QString, signedIn);
        QFETCH(QString, message);
        Centre centre;
        WorkerSignIn signIn(centre.db.db(), centre.clock);
        WorkerChooser chooser(signIn);
        chooser.show();
        QVERIFY(QTest::qWaitForWindowExposed(&chooser));
        if (!row.isEmpty())
            clickRow(chooser.list(), row);
        typeText(chooser.nameField(), name);
        typeText(chooser.pinField(), pin);
        click(create ? chooser.createButton() : chooser.enterButton());

        const WorkerTable workers(centre.db.db());
        if (signedIn.isEmpty()) {
            QCOMPARE(chooser.messageLabel()->text(), message);
            QVERIFY(chooser.isVisible());
            QCOMPARE(chooser.workerId(), qint64(0));
            // Nothing was added.
            QCOMPARE(workers.all().size(), 3);
            return;
        }
        QCOMPARE(chooser.result(), int(QDialog::Accepted));
        QVERIFY(!chooser.isVisible());
        QCOMPARE(chooser.workerName(), signedIn);
        const std::optional<WorkerRow> worker = workers.byName(signedIn);
        QVERIFY(worker);
        QCOMPARE(chooser.workerId(), worker->id);
        if (create) {
            QCOMPARE(workers.all().size(), 4);
            QCOMPARE(worker->hasPin, !pin.isEmpty());
            QVERIFY(workers.pinMatches(worker->id, pin));
            if (!pin.isEmpty())
                QVERIFY(!workers.pinMatches(worker->id, QStringLiteral("0000")));
        }
    }

    // A wrong PIN clears the field for the next try, which may succeed.
    void wrongPinThenTheRightOne()
    {
        Centre centre;
        WorkerSignIn signIn(centre.db.db(), centre.clock);
        WorkerChooser chooser(signIn);
        chooser.show();
        QVERIFY(QTest::qWaitForWindowExposed(&chooser));
        clickRow(chooser.list(), QStringLiteral("李四"));
        typeText(chooser.pinField(), QStringLiteral("4321"));
        QTest::keyClick(chooser.pinField(), Qt::Key_Return);
        QCOMPARE(chooser.messageLabel()->text(), QStringLiteral("PIN 不正确，请重新输入。"));
        QVERIFY(chooser.pinField()->text().isEmpty());
        QVERIFY(chooser.isVisible());
        typeText(chooser.pinField(), QStringLiteral("1234"));
        click(chooser.enterButton());
        QCOMPARE(chooser.result(), int(QDialog::Accepted));
        QCOMPARE(chooser.workerName(), QStringLiteral("李四"));
    }

    // A new worker the store refuses is told with the reason; the next try,
    // once the store takes writes again, succeeds.
    void refusedNewWorkerIsToldAndTheNextTryWorks()
    {
        Centre centre;
        centre.db.refuseWrites(QStringLiteral("insert"), QStringLiteral("worker"),
                               QStringLiteral("disk is full"));
        WorkerSignIn signIn(centre.db.db(), centre.clock);
        WorkerChooser chooser(signIn);
        chooser.show();
        QVERIFY(QTest::qWaitForWindowExposed(&chooser));
        typeText(chooser.nameField(), QStringLiteral("王五"));
        click(chooser.createButton());
        const QString told = chooser.messageLabel()->text();
        QVERIFY2(told.startsWith(QStringLiteral("新学员“王五”没有保存，原因：")), qPrintable(told));
        QVERIFY2(told.contains(QStringLiteral("disk is full")), qPrintable(told));
        QVERIFY(chooser.isVisible());
        QVERIFY(!WorkerTable(centre.db.db()).byName(QStringLiteral("王五")));

        centre.db.acceptWrites();
        click(chooser.createButton());
        QCOMPARE(chooser.result(), int(QDialog::Accepted));
        QVERIFY(WorkerTable(centre.db.db()).byName(QStringLiteral("王五")));
    }

    void quitEndsWithoutAWorker()
    {
        Centre centre;
        WorkerSignIn signIn(centre.db.db(), centre.clock);
        WorkerChooser chooser(signIn);
        chooser.show();
        QVERIFY(QTest::qWaitForWindowExposed(&chooser));
        clickRow(chooser.list(), QStringLiteral("张三"));
        click(chooser.quitButton());
        QCOMPARE(chooser.result(), int(QDialog::Rejected));
        QCOMPARE(chooser.workerId(), qint64(0));
    }
};

DRILLBAY_TEST(WorkerChooserTest)
#include "WorkerChooserTest.moc"
