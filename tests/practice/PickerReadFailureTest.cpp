#include "RecordingNotifier.h"
#include "TestDatabase.h"
#include "TestRegistry.h"
#include "practice/BankPicker.h"
#include "practice/ui/PickerWindow.h"
#include "store/Database.h"
#include "store/Sql.h"

#include <QFile>
#include <QLabel>
#include <QSignalSpy>
#include <QSqlQuery>
#include <QTest>
#include <QUuid>

namespace {

// A bank with one chapter of a few questions, enough for the question table
// to have pages of its own.
void fill(TestDatabase &db)
{
    const qint64 bank = db.addBank(QStringLiteral("变电安规"));
    db.addBank(QStringLiteral("线路安规"));
    const qint64 chapter = db.addChapter(bank, QStringLiteral("第一章"));
    for (int i = 0; i < 60; ++i)
        db.addQuestion(chapter, 1,
                       QStringLiteral("在高压设备上工作，应填用第一种工作票。") +
                           QString::number(i),
                       {"A", "B", "C", "D"}, QStringLiteral("1"));
}

// Overwrites the first page of the question table and of its indexes with
// garbage (counts may be read from an index alone).
void damageQuestionTable(TestDatabase &db)
{
    const qint64 pageSize = sql::scalar(db.db(), QStringLiteral("pragma page_size"));
    QList<qint64> roots;
    QSqlQuery query = sql::run(
        db.db(),
        QStringLiteral("select rootpage from sqlite_master where tbl_name='考试训练题库'"));
    while (query.next())
        roots << query.value(0).toLongLong();
    query.finish();
    QVERIFY(!roots.isEmpty());
    QFile file(db.path());
    QVERIFY(file.open(QIODevice::ReadWrite));
    for (const qint64 root : roots) {
        QVERIFY(file.seek((root - 1) * pageSize));
        file.write(QByteArray(static_cast<int>(pageSize), '\xA5'));
    }
}

// The connection of the picker, with a short wait for other programs' locks.
QSqlDatabase pickerConnection(const TestDatabase &db)
{
    QString error;
    const QString name = QUuid::createUuid().toString(QUuid::WithoutBraces);
    if (TestDatabase::onServer()) {
        const QSqlDatabase connection = Database::openServer(db.url(), name, &error);
        if (!connection.isOpen())
            qWarning("%s", qPrintable(error));
        else
            sql::run(connection, QStringLiteral("set lock_timeout = 20")).finish();
        return connection;
    }
    const QSqlDatabase connection =
        Database::open(db.path(), name, &error, Database::Access::ReadWrite, 20);
    if (!connection.isOpen())
        qWarning("%s", qPrintable(error));
    return connection;
}

// Another program holds the bank so that nobody can read it: the file's
// exclusive lock, on a server a transaction that locks the bank's tables.
void lockOut(TestDatabase &db)
{
    if (TestDatabase::onServer()) {
        db.exec(QStringLiteral("begin"));
        db.exec(
            QStringLiteral("lock table database_name, fenlei, question in access exclusive mode"));
        return;
    }
    db.exec(QStringLiteral("begin exclusive"));
}

} // namespace

// A database that cannot be read gives a notice and a picker that can be
// left, never an empty window without a word.
class PickerReadFailureTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void showingSaysWhyAndCanBeLeft_data()
    {
        QTest::addColumn<QString>("failure");
        QTest::addColumn<QString>("reason");
        QTest::addColumn<QString>("serverReason");
        QTest::newRow("damaged pages") << "damaged"
                                       << "数据文件已损坏" << QString();
        QTest::newRow("locked by another program") << "locked"
                                                   << "数据文件正被其他程序使用"
                                                   << "其他用户正在修改同一数据，请稍后再试";
    }
    void showingSaysWhyAndCanBeLeft()
    {
        QFETCH(QString, failure);
        QFETCH(QString, reason);
        QFETCH(QString, serverReason);
        if (TestDatabase::onServer()) {
            if (serverReason.isEmpty())
                QSKIP("damages the data file's pages");
            reason = serverReason;
        }
        TestDatabase db;
        fill(db);
        if (failure == QLatin1String("damaged"))
            damageQuestionTable(db);
        BankPicker picker(pickerConnection(db));
        if (failure == QLatin1String("locked"))
            lockOut(db);

        RecordingNotifier notifier;
        QVERIFY(!picker.showBanks(notifier));
        QCOMPARE(notifier.notices,
                 QStringList{QStringLiteral("[软件提示]：读取题库数据失败，原因：") + reason +
                             QStringLiteral("。现在不能列出试题库和章节。")});
        QVERIFY(picker.readFailed());
        QCOMPARE(picker.countsText(), QStringLiteral("题库数据无法读取，不能列出试题库和章节。"));
        QCOMPARE(picker.closeDecision(), BankPicker::CloseDecision::AskQuit);
        QCOMPARE(picker.closeQuestion(),
                 QStringLiteral("题库数据无法读取，现在不能选择章节。\n是否退出程序？"));

        if (failure == QLatin1String("locked")) {
            // Once the other program lets go, the next showing lists as usual.
            db.exec(QStringLiteral("rollback"));
            QVERIFY(picker.showBanks(notifier));
            QVERIFY(!picker.readFailed());
            QCOMPARE(picker.itemTexts(), QStringList{QStringLiteral("【01】第一章(60道)")});
            QCOMPARE(picker.closeDecision(), BankPicker::CloseDecision::Refuse);
            QCOMPARE(notifier.notices.size(), 1);
        }
    }

    void bankThatCannotBeListedKeepsTheList()
    {
        TestDatabase db;
        fill(db);
        BankPicker picker(pickerConnection(db));
        RecordingNotifier notifier;
        QVERIFY(picker.showBanks(notifier));
        lockOut(db);
        QVERIFY(!picker.chooseBank(1, notifier));
        QCOMPARE(notifier.notices.size(), 1);
        QCOMPARE(picker.checkedPosition(), 0);
        QCOMPARE(picker.chapterNames(), QStringList{QStringLiteral("第一章")});
        db.exec(QStringLiteral("rollback"));
        QVERIFY(picker.chooseBank(1, notifier));
        QVERIFY(picker.chapterNames().isEmpty());
        QCOMPARE(notifier.notices.size(), 1);
    }

    // The close check itself may find the file unreadable.
    void closeCheckThatCannotReadOffersToQuit()
    {
        TestDatabase db;
        fill(db);
        BankPicker picker(pickerConnection(db));
        RecordingNotifier notifier;
        QVERIFY(picker.showBanks(notifier));
        lockOut(db);
        QCOMPARE(picker.closeDecision(), BankPicker::CloseDecision::AskQuit);
        QCOMPARE(picker.closeQuestion(), BankPicker::readFailedQuestion());
        db.exec(QStringLiteral("rollback"));
    }

    void windowOnADamagedFileCanBeClosed()
    {
        if (TestDatabase::onServer())
            QSKIP("damages the data file's pages");
        TestDatabase db;
        fill(db);
        damageQuestionTable(db);
        RecordingNotifier notifier;
        PickerWindow window(pickerConnection(db), notifier);
        QSignalSpy quit(&window, &PickerWindow::quitRequested);
        window.openModal();
        QCOMPARE(notifier.notices.size(), 1);
        QCOMPARE(window.countsLabel()->text(),
                 QStringLiteral("题库数据无法读取，不能列出试题库和章节。"));
        notifier.answers = {true};
        window.close();
        QCOMPARE(notifier.questions.size(), 1);
        QCOMPARE(notifier.questions[0].text, BankPicker::readFailedQuestion());
        QVERIFY(!window.isVisible());
        QCOMPARE(quit.count(), 1);
    }
};

DRILLBAY_TEST(PickerReadFailureTest)
#include "PickerReadFailureTest.moc"
