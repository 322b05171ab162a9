#include "TestDatabase.h"
#include "TestRegistry.h"
#include "app/ui/MainWindow.h"
#include "app/ui/Windows.h"
#include "editor/ui/EditorDesk.h"
#include "editor/ui/EditorWindowNames.h"
#include "settings/PasswordCodec.h"
#include "settings/ui/PasswordPages.h"
#include "settings/ui/SettingsDesk.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

// "试题输入" on the main window goes through the password page once; the
// right password opens the editor, and later clicks open it directly.
class EditorGateTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void passwordOpensEditor()
    {
        TestDatabase db;
        db.exec(QStringLiteral("insert into reg(flag, pass) values('999', '%1')")
                    .arg(encodePassword(QStringLiteral("drillbay"))));
        db.addBank(QStringLiteral("甲库"));
        Windows windows(db.db(), db.db());
        MainWindow *main = windows.main();
        QWidget *editor = windows.editor();
        EditorDesk *desk = windows.editorDesk();
        auto *input = main->findChild<QLabel *>(EditorDeskNames::inputCommand);
        QVERIFY(input);
        QCOMPARE(input->text(), QStringLiteral("试题输入"));

        QTest::mouseClick(input, Qt::LeftButton);
        QVERIFY(main->isShown(desk->entryPageHandle()));
        QVERIFY(!editor->isVisible());

        auto *change = main->findChild<QLabel *>(PasswordPagesNames::changeLink);
        QTest::mouseClick(change, Qt::LeftButton);
        QVERIFY(main->isShown(desk->changePageHandle()));

        main->findChild<QLineEdit *>(PasswordPagesNames::entryField)
            ->setText(QStringLiteral("drillbay"));
        main->findChild<QPushButton *>(PasswordPagesNames::entryButton)->click();
        QVERIFY(editor->isVisible());
        QCOMPARE(editor->findChild<QComboBox *>(EditorWindowNames::bankSelector)->currentText(),
                 QStringLiteral("甲库"));
        editor->close();

        // Accepted for the rest of the session: no password page again.
        const PageHandle settings = windows.settingsDesk()->pageHandle();
        main->showPage(settings);
        QTest::mouseClick(input, Qt::LeftButton);
        QVERIFY(editor->isVisible());
        QVERIFY(main->isShown(settings));
        editor->close();
    }
};

DRILLBAY_TEST(EditorGateTest)
#include "EditorGateTest.moc"
