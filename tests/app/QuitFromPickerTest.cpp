#include "TestDatabase.h"
#include "TestRegistry.h"
#include "app/ui/MainWindow.h"
#include "app/ui/Windows.h"
#include "practice/ui/PickerWindow.h"

#include <QAbstractButton>
#include <QApplication>
#include <QMessageBox>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>

namespace {

// Answers every message box that opens, from a script (No once it runs out),
// and keeps their texts.
struct BoxAnswerer
{
    QStringList texts;
    QList<QMessageBox::StandardButton> script;
    QTimer timer;

    BoxAnswerer()
    {
        timer.setInterval(20);
        QObject::connect(&timer, &QTimer::timeout, [this] {
            auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget());
            if (!box || !box->isVisible())
                return;
            texts << box->text();
            const QMessageBox::StandardButton answer =
                script.isEmpty() ? QMessageBox::No : script.takeFirst();
            if (QAbstractButton *button = box->button(answer))
                button->click();
            else
                box->reject();
        });
        timer.start();
    }
};

} // namespace

// Ending the program from the picker asks one question only.
class QuitFromPickerTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void pickerQuestionIsTheOnlyOne()
    {
        // No bank: nothing can be chosen, so the picker offers to end the program.
        TestDatabase db;
        Windows windows(db.db(), db.db());
        MainWindow *main = windows.main();
        PickerWindow *picker = windows.picker();
        QSignalSpy quit(main, &MainWindow::quitRequested);
        main->show();
        picker->openModal();
        QVERIFY(picker->isVisible());

        BoxAnswerer answerer;
        answerer.script = {QMessageBox::Yes};
        picker->close();
        QCOMPARE(answerer.texts.size(), 1);
        QVERIFY(!picker->isVisible());
        QCOMPARE(quit.count(), 1);

        // Ending the program closes every window; the main window does not ask again.
        QApplication::closeAllWindows();
        QCOMPARE(answerer.texts.size(), 1);
        QVERIFY(!main->isVisible());
    }

    void answeringNoKeepsThePickerOpen()
    {
        TestDatabase db;
        Windows windows(db.db(), db.db());
        QSignalSpy quit(windows.main(), &MainWindow::quitRequested);
        windows.main()->show();
        windows.picker()->openModal();
        BoxAnswerer answerer;
        answerer.script = {QMessageBox::No};
        windows.picker()->close();
        QCOMPARE(answerer.texts.size(), 1);
        QVERIFY(windows.picker()->isVisible());
        QCOMPARE(quit.count(), 0);
        windows.picker()->hide();
    }
};

DRILLBAY_TEST(QuitFromPickerTest)
#include "QuitFromPickerTest.moc"
