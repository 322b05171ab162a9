#include "app/ui/MainWindow.h"
#include "RecordingNotifier.h"
#include "TestDatabase.h"
#include "TestRegistry.h"
#include "app/ui/Windows.h"
#include "practice/ui/BackdropWindow.h"
#include "practice/ui/PickerWindow.h"
#include "settings/ui/SettingsPage.h"
#include "store/Sql.h"
#include "widgets/ArrowSpinBox.h"
#include "widgets/LinkLabel.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QSignalSpy>
#include <QSlider>
#include <QStackedWidget>
#include <QTest>
#include <QTimer>
#include <QToolButton>

namespace {

// The frame hands out no widgets: tests find them by their component names.
template <class Widget> Widget *child(const QWidget &window, const QString &name)
{
    auto *found = window.findChild<Widget *>(name);
    if (!found)
        qFatal("no control named %s", qPrintable(name));
    return found;
}

QStackedWidget *pageArea(const MainWindow &window)
{
    return child<QStackedWidget>(window, QStringLiteral("PageArea"));
}

QWidget *page(const MainWindow &window, MainFrame::Page page)
{
    return pageArea(window)->widget(static_cast<int>(page));
}

QLabel *statusPanel(const MainWindow &window, int index)
{
    return child<QLabel>(window, QStringLiteral("StatusPanel%1").arg(index + 1));
}

} // namespace

class MainWindowTest : public QObject
{
    Q_OBJECT

private slots:
    void frame()
    {
        TestDatabase db;
        RecordingNotifier notifier;
        MainWindow window(db.db(), notifier);
        QCOMPARE(window.objectName(), QStringLiteral("TForm1"));
        QCOMPARE(window.windowTitle(), QStringLiteral("QuizmoraV3.6"));
        QCOMPARE(window.size(), QSize(1130, 657));
        QCOMPARE(window.minimumSize(), window.maximumSize());

        for (const char *name :
             {"Label19", "Button12", "SpeedButton13", "Panel6", "Label41", "TabSheet7",
              "TabSheet10", "Button1", "Button2", "Button14", "Button19", "Label30"})
            QVERIFY2(window.findChild<QWidget *>(QString::fromLatin1(name)), name);
        QCOMPARE(window.findChild<QFrame *>(QStringLiteral("Panel6"))->height(), 49);
        QCOMPARE(child<QLabel>(window, QStringLiteral("Label41"))->text(),
                 QStringLiteral("电力工作人员必备环节  电力安全高于一切"));
        QCOMPARE(child<QLabel>(window, QStringLiteral("LabelResult"))->text(),
                 QStringLiteral("00/00"));

        // Page order of the page area.
        QCOMPARE(pageArea(window)->count(), 14);
        QCOMPARE(page(window, MainWindow::Page::Score)->objectName(), QStringLiteral("TabSheet7"));
        QCOMPARE(page(window, MainWindow::Page::Chapter)->objectName(),
                 QStringLiteral("TabSheet10"));
        QCOMPARE(page(window, MainWindow::Page::Settings), window.findChild<SettingsPage *>());
        QCOMPARE(pageArea(window)->indexOf(window.findChild<SettingsPage *>()), 6);

        child<QPushButton>(window, QStringLiteral("Button12"))->click();
        QCOMPARE(window.currentPage(), MainWindow::Page::Settings);
        QTest::mouseClick(window.findChild<LinkLabel *>(QStringLiteral("Label30")), Qt::LeftButton);
        QCOMPARE(window.currentPage(), MainWindow::Page::SingleChoice);

        // A page installed later takes the placeholder's place and name.
        auto *chapterPage = new QWidget;
        window.installPage(MainWindow::Page::Chapter, chapterPage);
        QCOMPARE(page(window, MainWindow::Page::Chapter), chapterPage);
        QCOMPARE(chapterPage->objectName(), QStringLiteral("TabSheet10"));
        QCOMPARE(pageArea(window)->count(), 14);

        QCOMPARE(statusPanel(window, 0)->width() + 2, 300);
        QCOMPARE(statusPanel(window, 1)->x(), 300);
        QCOMPARE(statusPanel(window, 2)->x(), 900);
        QCOMPARE(child<QTimer>(window, QStringLiteral("ClockTimer"))->interval(), 1000);
        window.tickClock();
        QCOMPARE(statusPanel(window, 2)->text(), QStringLiteral("00:00:01"));
    }

    void closingAsksFirst()
    {
        TestDatabase db;
        RecordingNotifier notifier;
        MainWindow window(db.db(), notifier);
        QSignalSpy quit(&window, &MainWindow::quitRequested);
        window.show();
        notifier.answers = {false};
        window.close();
        QVERIFY(window.isVisible());
        QCOMPARE(notifier.questions.size(), 1);
        QCOMPARE(notifier.questions[0].caption, QStringLiteral("提示信息"));
        QCOMPARE(notifier.questions[0].text, QStringLiteral("你确定要关闭程序吗？"));
        QCOMPARE(quit.count(), 0);
        notifier.answers = {true};
        window.close();
        QVERIFY(!window.isVisible());
        QCOMPARE(quit.count(), 1);
    }

    void settingsPageControls()
    {
        TestDatabase db;
        db.exec(QStringLiteral("insert into run_record values(30, 1, 20, 100, 0)"));
        RecordingNotifier notifier;
        MainWindow window(db.db(), notifier);
        SettingsPage *page = window.findChild<SettingsPage *>();
        QCOMPARE(page->setSizeField()->value(), 30);
        QCOMPARE(page->delaySlider()->value(), 2000);
        QCOMPARE(page->delayFigure()->text(), QStringLiteral("2000"));
        QVERIFY(!page->instantAnswerBox()->isEnabled());
        QVERIFY(page->instantAnswerBox()->isChecked());

        // Typed characters are refused; emptying the field resets it with a notice.
        window.show();
        window.showPage(MainWindow::Page::Settings);
        page->setSizeField()->setFocus();
        QTest::keyClicks(page->setSizeField(), QStringLiteral("7a"));
        QCOMPARE(page->setSizeField()->value(), 30);
        page->setSizeField()->selectAll();
        QTest::keyClick(page->setSizeField(), Qt::Key_Delete);
        QCOMPARE(notifier.notices, QStringList{QStringLiteral("[软件提示]：不能删除数据.")});
        QCOMPARE(page->setSizeField()->text(), QStringLiteral("50"));
        QCOMPARE(window.settingsForm().setSize(), 50);
        page->setSizeField()->stepUp();
        QCOMPARE(window.settingsForm().setSize(), 60);

        page->delaySlider()->setValue(1450);
        QCOMPARE(window.settingsForm().advanceDelay(), 14);
        QCOMPARE(page->delayFigure()->text(), QStringLiteral("1450"));

        window.findChild<QPushButton *>(QStringLiteral("Button19"))->click();
        QCOMPARE(page->examMinutesField()->value(), 60);
        QCOMPARE(page->delaySlider()->value(), 1500);

        QSignalSpy quit(&window, &MainWindow::quitRequested);
        window.findChild<QPushButton *>(QStringLiteral("Button14"))->click();
        QCOMPARE(quit.count(), 1);
        QCOMPARE(sql::scalar(db.db(), QStringLiteral("select test_time from run_record")), 60);
        // Saving ends the program without the closing question.
        window.close();
        QCOMPARE(notifier.questions.size(), 0);
    }

    void windowsAtStartup()
    {
        TestDatabase db;
        Windows windows(db.db(), db.db());
        QCOMPARE(windows.main()->objectName(), QStringLiteral("TForm1"));
        const QList<QWidget *> all = {
            windows.review(),       static_cast<QWidget *>(windows.picker()),
            windows.paperBrowse(),  windows.documents(),
            windows.knownViewer(),  windows.about(),
            windows.search(),       windows.composedPaper(),
            windows.editor(),       static_cast<QWidget *>(windows.backdrop()),
            windows.chapterPaper(), windows.inputHelp()};
        QStringList names;
        for (QWidget *w : all) {
            names << w->objectName();
            QVERIFY(!w->isVisible());
        }
        QCOMPARE(names,
                 (QStringList{"TForm2", "TForm3", "TForm7", "TForm9", "TForm14", "TForm15",
                              "TForm17", "TForm18", "TForm21", "TForm13", "TForm8", "TForm6"}));
    }

    // With every feature's commands registered, the command page shows them
    // all at their own heights: nothing squeezed, nothing to scroll to.
    void everyCommandFitsTheLeftPanel()
    {
        TestDatabase db;
        Windows windows(db.db(), db.db());
        windows.main()->show();
        QVERIFY(QTest::qWaitForWindowExposed(windows.main()));
        auto *page = windows.main()->findChild<QScrollArea *>(QStringLiteral("CommandPage"));
        QVERIFY(page);
        QCOMPARE(page->verticalScrollBar()->maximum(), 0);
        const QList<QPushButton *> buttons = page->widget()->findChildren<QPushButton *>();
        QVERIFY(buttons.size() >= 5);
        for (const QPushButton *button : buttons)
            QVERIFY2(button->height() >= button->minimumSizeHint().height() - 2,
                     qPrintable(button->text()));
    }
};

DRILLBAY_TEST(MainWindowTest)
#include "MainWindowTest.moc"
