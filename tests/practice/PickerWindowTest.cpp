#include "practice/ui/PickerWindow.h"
#include "RecordingNotifier.h"
#include "TestDatabase.h"
#include "TestRegistry.h"

#include <QLabel>
#include <QListWidget>
#include <QRadioButton>
#include <QSignalSpy>
#include <QTest>

class PickerWindowTest : public QObject
{
    Q_OBJECT

private slots:
    void chooseAndClose()
    {
        TestDatabase db;
        const int bank = db.addBank(QStringLiteral("变电安规"));
        db.addBank(QStringLiteral("停用"), false);
        db.addChapter(bank, QStringLiteral("空章"));
        const int full = db.addChapter(bank, QStringLiteral("第一章"));
        db.addQuestion(full, 1, QStringLiteral("题"), {"A", "B", "C", "D"}, QStringLiteral("1"));

        RecordingNotifier notifier;
        PickerWindow window(db.db(), notifier);
        QSignalSpy chosen(&window, &PickerWindow::chapterChosen);
        QCOMPARE(window.objectName(), PickerWindowNames::window);
        QCOMPARE(window.windowTitle(), QStringLiteral("Varnholt电力安规试题库"));
        QCOMPARE(window.size(), QSize(882, 532));
        window.openModal();
        QVERIFY(QTest::qWaitForWindowExposed(&window));

        QCOMPARE(window.bankButtons().size(), 2);
        QVERIFY(window.bankButtons()[0]->isChecked());
        QVERIFY(!window.bankButtons()[1]->isEnabled());
        QListWidget *list = window.chapterList();
        QCOMPARE(list->count(), 2);
        QCOMPARE(list->item(1)->text(), QStringLiteral("【02】第一章(1道)"));
        QCOMPARE(window.countsLabel()->text(), QStringLiteral("当前试题库:1道/  全库:1道"));
        QCOMPARE(list->visualItemRect(list->item(0)).height(), list->font().pixelSize() + 7);

        // A real double-click on the empty chapter: the notice, and the picker stays.
        const QPoint onEmpty = list->visualItemRect(list->item(0)).center();
        QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, onEmpty);
        QCOMPARE(notifier.notices,
                 QStringList{
                     QStringLiteral("[软件提示]:你当前选择的章节试题库 试题数为 0 ，请重新选择.")});
        QVERIFY(window.isVisible());

        // No closing before the first choice.
        window.close();
        QVERIFY(window.isVisible());
        QCOMPARE(notifier.questions.size(), 0);

        QTest::mouseDClick(list->viewport(), Qt::LeftButton, {},
                           list->visualItemRect(list->item(1)).center());
        QVERIFY(!window.isVisible());
        QCOMPARE(chosen.count(), 1);
        QCOMPARE(chosen[0][0].toString(), QStringLiteral("第一章"));

        // Reopened from the top bar: the same list, the choice remembered; closing hides.
        window.openOnTop();
        QVERIFY(window.isVisible());
        QVERIFY(window.windowFlags() & Qt::WindowStaysOnTopHint);
        QCOMPARE(list->count(), 2);
        QCOMPARE(window.picker().rememberedItem(), 1);
        window.close();
        QVERIFY(!window.isVisible());
    }

    void nothingToChooseOffersQuit()
    {
        TestDatabase db;
        RecordingNotifier notifier;
        PickerWindow window(db.db(), notifier);
        QSignalSpy quit(&window, &PickerWindow::quitRequested);
        window.show();
        QVERIFY(window.bankButtons().isEmpty());
        QVERIFY(!window.countsLabel()->text().isEmpty());
        notifier.answers = {false, true};
        window.close();
        QVERIFY(window.isVisible());
        window.close();
        QVERIFY(!window.isVisible());
        QCOMPARE(quit.count(), 1);
        QCOMPARE(notifier.questions.size(), 2);
        QCOMPARE(notifier.questions[0].caption, QStringLiteral("提示信息"));
    }
};

DRILLBAY_TEST(PickerWindowTest)
#include "PickerWindowTest.moc"
