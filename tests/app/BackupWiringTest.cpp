#include "TestDatabase.h"
#include "TestRegistry.h"
#include "app/ui/MainWindow.h"
#include "app/ui/Windows.h"
#include "editor/ui/EditorDesk.h"
#include "practice/ui/PickerWindow.h"
#include "settings/PasswordCodec.h"
#include "settings/ui/BackupDesk.h"
#include "settings/ui/BackupWindow.h"
#include "settings/ui/PasswordPages.h"
#include "settings/ui/SettingsDesk.h"
#include "store/BackupGuard.h"
#include "store/Backups.h"
#include "store/Sql.h"

#include <QAbstractButton>
#include <QApplication>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QTableWidget>
#include <QTest>
#include <QTimer>

namespace {

// Answers the program's message boxes as a user would, Yes or OK, and keeps
// their texts.
struct BoxAnswerer
{
    QStringList texts;
    bool running = true;

    void watch()
    {
        QTimer::singleShot(30, [this] {
            if (!running)
                return;
            if (auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget())) {
                texts << box->text();
                QAbstractButton *yes = box->button(QMessageBox::Yes);
                QTest::mouseClick(yes ? yes : box->button(QMessageBox::Ok), Qt::LeftButton);
            }
            watch();
        });
    }
};

} // namespace

// "恢复备份..." of the settings page, in the program as it is put together:
// behind the password, and after a restore the picker offers the restored
// banks and chapters.
class BackupWiringTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void restoreThroughTheProgram()
    {
        TestDatabase db;
        db.exec(QStringLiteral("insert into reg(flag, pass) values('999', '%1')")
                    .arg(encodePassword(QStringLiteral("drillbay"))));
        const qint64 chapter =
            db.addChapter(db.addBank(QStringLiteral("甲库")), QStringLiteral("第一章"));
        for (int i = 0; i < 4; ++i)
            db.addQuestion(chapter, 1, QStringLiteral("题%1").arg(i), {}, QStringLiteral("1"));
        Backups(db.db()).make(BackupGuard::deleteChapter(), QDateTime::currentDateTime());
        db.exec(QStringLiteral("delete from 考试训练题库"));

        Windows windows(db.db(), db.db());
        MainWindow *main = windows.main();
        EditorDesk *editorDesk = windows.editorDesk();
        main->showPage(windows.settingsDesk()->pageHandle());
        auto *command = main->findChild<QPushButton *>(QStringLiteral("BackupCommand"));
        QVERIFY(command);
        QCOMPARE(command->text(), QStringLiteral("恢复备份..."));

        // First the password.
        QTest::mouseClick(command, Qt::LeftButton);
        QVERIFY(main->isShown(editorDesk->entryPageHandle()));
        BackupWindow *list = windows.backupDesk()->window();
        QVERIFY(!list->isVisible());
        auto *field = main->findChild<QLineEdit *>(PasswordPagesNames::entryField);
        QTest::keyClicks(field, QStringLiteral("drillbay"));
        QTest::mouseClick(main->findChild<QPushButton *>(PasswordPagesNames::entryButton),
                          Qt::LeftButton);
        windows.editor()->close();

        main->showPage(windows.settingsDesk()->pageHandle());
        QTest::mouseClick(command, Qt::LeftButton);
        QVERIFY(list->isVisible());
        QCOMPARE(list->table()->rowCount(), 1);
        QTest::mouseClick(list->table()->viewport(), Qt::LeftButton, {},
                          list->table()->visualItemRect(list->table()->item(0, 0)).center());
        BoxAnswerer answerer;
        answerer.watch();
        QTest::mouseClick(list->restoreButton(), Qt::LeftButton);
        answerer.running = false;
        QCOMPARE(answerer.texts.size(), 2);
        QVERIFY(answerer.texts.at(0).contains(QStringLiteral("删除章节之前")));
        QVERIFY(answerer.texts.at(1).startsWith(QStringLiteral("[软件提示]：已恢复 ")));
        QCOMPARE(sql::scalar(db.db(), QStringLiteral("select count(*) from 考试训练题库")), 4);
        QTRY_VERIFY(windows.picker()->isVisible());
        QCOMPARE(list->table()->rowCount(), 2);
        windows.picker()->hide();
    }
};

DRILLBAY_TEST(BackupWiringTest)
#include "BackupWiringTest.moc"
