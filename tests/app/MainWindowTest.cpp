#include "app/ui/MainWindow.h"
#include "RecordingNotifier.h"
#include "TestDatabase.h"
#include "TestRegistry.h"
#include "app/ui/MainWindowNames.h"
#include "app/ui/Windows.h"
#include "editor/ui/EditorWindowNames.h"
#include "editor/ui/InputHelpWindow.h"
#include "exam/ui/MockPaperWindow.h"
#include "exam/ui/PaperBrowseWindow.h"
#include "exam/ui/ReviewWindow.h"
#include "practice/ui/BackdropWindow.h"
#include "practice/ui/KnownViewerWindow.h"
#include "practice/ui/PickerWindow.h"
#include "reference/ui/AboutBox.h"
#include "reference/ui/DocumentViewer.h"
#include "search/ui/ComposedPaperWindow.h"
#include "search/ui/SearchWindow.h"
#include "settings/ui/SettingsDesk.h"
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

QLabel *statusPanel(const MainWindow &window, int index)
{
    return child<QLabel>(window,
                         QString(MainWindowNames::statusFieldPrefix) + QString::number(index + 1));
}

} // namespace

class MainWindowTest : public QObject
{
    Q_OBJECT

private slots:
    void frame()
    {
        RecordingNotifier notifier;
        MainWindow window(notifier);
        QCOMPARE(window.objectName(), MainWindowNames::window);
        QCOMPARE(window.windowTitle(), QStringLiteral("QuizmoraV3.6"));
        QCOMPARE(window.size(), QSize(1130, 657));
        QCOMPARE(window.minimumSize(), window.maximumSize());

        for (const QLatin1StringView name :
             {MainWindowNames::chapterLink, MainWindowNames::gradeButton,
              MainWindowNames::sloganStrip, MainWindowNames::slogan, MainWindowNames::priorButton,
              MainWindowNames::nextButton, MainWindowNames::progressBar})
            QVERIFY2(window.findChild<QWidget *>(name), name.data());
        QCOMPARE(window.findChild<QFrame *>(MainWindowNames::sloganStrip)->height(), 49);
        QCOMPARE(child<QLabel>(window, MainWindowNames::slogan)->text(),
                 QStringLiteral("电力工作人员必备环节  电力安全高于一切"));
        QCOMPARE(child<QLabel>(window, QStringLiteral("LabelResult"))->text(),
                 QStringLiteral("00/00"));

        QCOMPARE(statusPanel(window, 0)->width() + 2, 300);
        QCOMPARE(statusPanel(window, 1)->x(), 300);
        QCOMPARE(statusPanel(window, 2)->x(), 900);
        QCOMPARE(child<QTimer>(window, QStringLiteral("ClockTimer"))->interval(), 1000);
        window.tickClock();
        QCOMPARE(statusPanel(window, 2)->text(), QStringLiteral("00:00:01"));
    }

    // Pages are known by the handles the frame gave out: each shows its own
    // page, keeps the name it came with, and is up only while it is shown.
    void pageHandles_data()
    {
        QTest::addColumn<int>("pages");
        QTest::addColumn<int>("shown");
        QTest::newRow("one page") << 1 << 0;
        QTest::newRow("first of three") << 3 << 0;
        QTest::newRow("last of three") << 3 << 2;
        QTest::newRow("none shown yet") << 3 << -1;
    }
    void pageHandles()
    {
        QFETCH(int, pages);
        QFETCH(int, shown);
        RecordingNotifier notifier;
        MainWindow window(notifier);
        QList<PageHandle> handles;
        QList<QWidget *> widgets;
        for (int i = 0; i < pages; ++i) {
            auto *page = new QWidget;
            page->setObjectName(QStringLiteral("Page%1").arg(i));
            widgets << page;
            handles << window.installPage(page);
        }
        // Until a page is shown, the area shows none of them.
        for (const PageHandle handle : std::as_const(handles))
            QVERIFY(!window.isShown(handle));
        if (shown >= 0)
            window.showPage(handles.at(shown));
        for (int i = 0; i < pages; ++i) {
            QVERIFY(handles.at(i).isValid());
            QCOMPARE(handles.count(handles.at(i)), 1);
            QCOMPARE(window.isShown(handles.at(i)), i == shown);
            QCOMPARE(widgets.at(i)->objectName(), QStringLiteral("Page%1").arg(i));
        }
        QCOMPARE(pageArea(window)->currentWidget() == widgets.value(shown), shown >= 0);

        // A handle of no page is never up and shows nothing.
        const QWidget *before = pageArea(window)->currentWidget();
        window.showPage(PageHandle());
        QVERIFY(!window.isShown(PageHandle()));
        QCOMPARE(pageArea(window)->currentWidget(), before);
    }

    void closingAsksFirst()
    {
        RecordingNotifier notifier;
        MainWindow window(notifier);
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
        MainWindow window(notifier);
        SettingsDesk settings(window, db.db(), notifier);
        SettingsPage *page = window.findChild<SettingsPage *>();
        QCOMPARE(page, settings.page());
        QCOMPARE(page->objectName(), QStringLiteral("TabSheetSettings"));
        QCOMPARE(page->setSizeField()->value(), 30);
        QCOMPARE(page->delaySlider()->value(), 2000);
        QCOMPARE(page->delayFigure()->text(), QStringLiteral("2000"));
        QVERIFY(!page->instantAnswerBox()->isEnabled());
        QVERIFY(page->instantAnswerBox()->isChecked());

        // "系统配置" shows the page.
        window.show();
        child<QPushButton>(window, SettingsDeskNames::settingsCommand)->click();
        QVERIFY(window.isShown(settings.pageHandle()));

        // Typed characters are refused; emptying the field resets it with a notice.
        page->setSizeField()->setFocus();
        QTest::keyClicks(page->setSizeField(), QStringLiteral("7a"));
        QCOMPARE(page->setSizeField()->value(), 30);
        page->setSizeField()->selectAll();
        QTest::keyClick(page->setSizeField(), Qt::Key_Delete);
        QCOMPARE(notifier.notices, QStringList{QStringLiteral("[软件提示]：不能删除数据.")});
        QCOMPARE(page->setSizeField()->text(), QStringLiteral("50"));
        QCOMPARE(settings.form().setSize(), 50);
        page->setSizeField()->stepUp();
        QCOMPARE(settings.form().setSize(), 60);

        QSignalSpy delay(&settings, &SettingsDesk::delayMoved);
        page->delaySlider()->setValue(1450);
        QCOMPARE(settings.form().advanceDelay(), 14);
        QCOMPARE(page->delayFigure()->text(), QStringLiteral("1450"));
        QCOMPARE(delay.count(), 1);

        window.findChild<QPushButton *>(SettingsPageNames::defaultsButton)->click();
        QCOMPARE(page->examMinutesField()->value(), 60);
        QCOMPARE(page->delaySlider()->value(), 1500);

        QSignalSpy back(&settings, &SettingsDesk::backToQuestions);
        QTest::mouseClick(window.findChild<LinkLabel *>(SettingsPageNames::backLink),
                          Qt::LeftButton);
        QCOMPARE(back.count(), 1);

        QSignalSpy quit(&window, &MainWindow::quitRequested);
        window.findChild<QPushButton *>(SettingsPageNames::saveButton)->click();
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
        QCOMPARE(windows.main()->objectName(), MainWindowNames::window);
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
        QCOMPARE(names, (QStringList{ReviewWindowNames::window, PickerWindowNames::window,
                                     PaperBrowseWindowNames::window, DocumentViewerNames::window,
                                     KnownViewerWindowNames::window, AboutBoxNames::window,
                                     SearchWindowNames::window, ComposedPaperWindowNames::window,
                                     EditorWindowNames::window, BackdropWindowNames::window,
                                     MockPaperWindowNames::window, InputHelpWindowNames::window}));
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
