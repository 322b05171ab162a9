#include "TestDatabase.h"
#include "TestRegistry.h"
#include "app/ui/MainWindow.h"
#include "app/ui/Windows.h"
#include "settings/PasswordCodec.h"

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
        auto *input = main->findChild<QLabel *>(QStringLiteral("Label118"));
        QVERIFY(input);
        QCOMPARE(input->text(), QStringLiteral("试题输入"));

        QTest::mouseClick(input, Qt::LeftButton);
        QCOMPARE(main->currentPage(), MainFrame::Page::PasswordEntry);
        QVERIFY(!editor->isVisible());

        auto *change = main->findChild<QLabel *>(QStringLiteral("Label84"));
        QTest::mouseClick(change, Qt::LeftButton);
        QCOMPARE(main->currentPage(), MainFrame::Page::PasswordChange);

        main->findChild<QLineEdit *>(QStringLiteral("Edit27"))->setText(QStringLiteral("drillbay"));
        main->findChild<QPushButton *>(QStringLiteral("Button16"))->click();
        QVERIFY(editor->isVisible());
        QCOMPARE(editor->findChild<QComboBox *>(QStringLiteral("ComboBox1"))->currentText(),
                 QStringLiteral("甲库"));
        editor->close();

        // Accepted for the rest of the session: no password page again.
        main->showPage(MainFrame::Page::Settings);
        QTest::mouseClick(input, Qt::LeftButton);
        QVERIFY(editor->isVisible());
        QCOMPARE(main->currentPage(), MainFrame::Page::Settings);
        editor->close();
    }
};

DRILLBAY_TEST(EditorGateTest)
#include "EditorGateTest.moc"
