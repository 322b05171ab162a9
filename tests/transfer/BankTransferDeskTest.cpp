#include "LegacyFixture.h"
#include "RecordingNotifier.h"
#include "ScriptedFileDialogs.h"
#include "TestDatabase.h"
#include "TestRegistry.h"

#include "store/BackupGuard.h"
#include "store/Backups.h"
#include "store/Sql.h"
#include "transfer/BankTransfer.h"
#include "transfer/DataFileConverter.h"
#include "transfer/ui/BankListDialog.h"
#include "transfer/ui/BankTransferDesk.h"
#include "widgets/LinkLabel.h"

#include <QApplication>
#include <QDialogButtonBox>
#include <QDir>
#include <QListWidget>
#include <QPushButton>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QVBoxLayout>

namespace {

// The settings page's area with the two commands, shown.
struct DeskOnPage
{
    TestDatabase db;
    QTemporaryDir folder;
    RecordingNotifier notifier;
    ScriptedFileDialogs dialogs;
    bool unlocked = true;
    QWidget page;
    BankTransferDesk desk{BankTransferDesk::Services{
        db.db(), notifier, dialogs, [this] { return unlocked; }, folder.path(), &page}};
    DeskOnPage()
    {
        auto *layout = new QVBoxLayout(&page);
        layout->addWidget(desk.exportCommand());
        layout->addWidget(desk.importCommand());
        page.show();
        QVERIFY(QTest::qWaitForWindowExposed(&page));
    }
};

void clickCentre(QWidget *widget)
{
    QTest::mouseClick(widget, Qt::LeftButton, {}, widget->rect().center());
}

// Answers the bank list when it opens: unticks the given rows with a click and
// the space bar, then clicks "确定".
void answerBankList(QList<int> untick, QStringList *shown)
{
    QTimer::singleShot(0, [untick, shown] {
        auto *dialog = qobject_cast<BankListDialog *>(QApplication::activeModalWidget());
        if (!dialog)
            return;
        QListWidget *list = dialog->list();
        for (int row = 0; row < list->count(); ++row)
            *shown << list->item(row)->text();
        for (const int row : untick) {
            const QRect rect = list->visualItemRect(list->item(row));
            QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, rect.center());
            QTest::keyClick(list, Qt::Key_Space);
        }
        auto *ok = dialog->findChild<QPushButton *>(QStringLiteral("okButton"));
        clickCentre(ok);
    });
}

// Answers the one-bank list when it opens: clicks the given row, then "确定".
void pickBank(int row, QStringList *shown)
{
    QTimer::singleShot(0, [row, shown] {
        auto *dialog = qobject_cast<BankListDialog *>(QApplication::activeModalWidget());
        if (!dialog)
            return;
        QListWidget *list = dialog->list();
        for (int at = 0; at < list->count(); ++at)
            *shown << list->item(at)->text();
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {},
                          list->visualItemRect(list->item(row)).center());
        clickCentre(dialog->findChild<QPushButton *>(QStringLiteral("okButton")));
    });
}

} // namespace

// The two commands as the user meets them on the settings page.
class BankTransferDeskTest : public QObject
{
    Q_OBJECT

private slots:
    void importChosenBanks()
    {
        DeskOnPage desk;
        desk.dialogs.answers << legacyBankPath();
        QStringList shown;
        answerBankList({1}, &shown);
        clickCentre(desk.desk.importCommand());
        QCOMPARE(shown, (QStringList{
                            QStringLiteral("变电安全工作规程题库（3 个章节，35 道试题）"),
                            QStringLiteral("线路安全工作规程题库（2 个章节，25 道试题）"),
                            QStringLiteral("配电安全工作规程题库（停用）（0 个章节，0 道试题）")}));
        QCOMPARE(
            desk.notifier.notices,
            QStringList{QStringLiteral("已导入：\n题库 变电安全工作规程题库：3 个章节，35 道试题\n"
                                       "题库 配电安全工作规程题库（停用）：0 个章节，0 道试题")});
        QCOMPARE(sql::scalar(desk.db.db(), QStringLiteral("select count(*) from 考试训练题库")),
                 qint64(35));
        QCOMPARE(sql::scalar(desk.db.db(), QStringLiteral("select count(*) from database_name")),
                 qint64(2));
        // The file as it was before the import is kept as a backup (a
        // centre's server is backed up by its own means): nothing to ask.
        QVERIFY(desk.notifier.questions.isEmpty());
        if (!TestDatabase::onServer()) {
            const QList<Backups::Entry> backups = Backups(desk.db.db()).list();
            QCOMPARE(backups.size(), 1);
            QCOMPARE(backups.first().step, BackupGuard::bankImport());
        }
    }

    // A backup that cannot be made is told, and "no" leaves the file as it was.
    void failedBackupAsksFirst()
    {
        if (TestDatabase::onServer())
            QSKIP("about the backup copy beside a data file");
        DeskOnPage desk;
        QFile blocker(QDir(desk.db.folder()).filePath(QStringLiteral("backups")));
        QVERIFY(blocker.open(QIODevice::WriteOnly));
        blocker.close();
        desk.dialogs.answers << legacyBankPath();
        QStringList shown;
        answerBankList({}, &shown);
        desk.notifier.answers << false;
        clickCentre(desk.desk.importCommand());
        QCOMPARE(desk.notifier.questions.size(), 1);
        QVERIFY(desk.notifier.questions.first().text.contains(BackupGuard::bankImport()));
        QCOMPARE(sql::scalar(desk.db.db(), QStringLiteral("select count(*) from 考试训练题库")),
                 qint64(0));
        QCOMPARE(sql::scalar(desk.db.db(), QStringLiteral("select count(*) from database_name")),
                 qint64(0));
    }

    void lockedAsksForThePassword()
    {
        DeskOnPage desk;
        desk.unlocked = false;
        QSignalSpy asked(&desk.desk, &BankTransferDesk::passwordRequested);
        clickCentre(desk.desk.importCommand());
        clickCentre(desk.desk.exportCommand());
        QCOMPARE(asked.size(), 2);
        QVERIFY(desk.dialogs.captions.isEmpty());
        QVERIFY(desk.notifier.notices.isEmpty());
    }

    // The chosen bank of the open connection (the data file or a centre's
    // server) goes into a new file.
    void exportChosenBank()
    {
        DeskOnPage desk;
        desk.dialogs.answers << legacyBankPath();
        QStringList imported;
        answerBankList({2}, &imported);
        clickCentre(desk.desk.importCommand());
        QCOMPARE(desk.notifier.notices.size(), 1);
        desk.notifier.notices.clear();

        const QString target = desk.folder.filePath(QStringLiteral("线路.mdb"));
        desk.dialogs.answers << target;
        QStringList offered;
        pickBank(1, &offered);
        clickCentre(desk.desk.exportCommand());
        QCOMPARE(offered,
                 (QStringList{QStringLiteral("变电安全工作规程题库（3 个章节，35 道试题）"),
                              QStringLiteral("线路安全工作规程题库（2 个章节，25 道试题）")}));
        QCOMPARE(desk.notifier.notices,
                 QStringList{QStringLiteral("已导出到 %1：\n题库 线路安全工作规程题库：2 个章节，"
                                            "25 道试题")
                                 .arg(QDir::toNativeSeparators(target))});
        QList<RowSet> tables;
        QString error;
        QVERIFY2(DataFileConverter::readTables(target, &tables, &error), qPrintable(error));
        const QList<BankTransfer::BankSummary> banks = BankTransfer::banks(tables);
        QCOMPARE(banks.size(), 1);
        QCOMPARE(banks.at(0).name, QStringLiteral("线路安全工作规程题库"));
        QCOMPARE(banks.at(0).questions, 25);
    }

    void unreadableFileIsNamed()
    {
        DeskOnPage desk;
        const QString path = desk.folder.filePath(QStringLiteral("bank.mdb"));
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(legacyBankBytes().left(5000));
        file.close();
        desk.dialogs.answers << path;
        clickCentre(desk.desk.importCommand());
        QCOMPARE(desk.notifier.notices.size(), 1);
        QVERIFY2(desk.notifier.notices.at(0).contains(QStringLiteral("bank.mdb")),
                 qPrintable(desk.notifier.notices.at(0)));
        QCOMPARE(sql::scalar(desk.db.db(), QStringLiteral("select count(*) from database_name")),
                 qint64(0));
    }
};

DRILLBAY_TEST(BankTransferDeskTest)
#include "BankTransferDeskTest.moc"
