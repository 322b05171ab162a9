#include "EditorFixture.h"
#include "TestRegistry.h"

#include "editor/ui/InputHelpWindow.h"
#include "widgets/OutputView.h"

#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QScrollBar>
#include <QWheelEvent>
#include <QWindow>

#include <dlfcn.h>

namespace {

// Hands a wheel turn to the window as the window system does, through the
// gate that holds input back from a window a modal window blocks. Qt's test
// library has no wheel of its own in this version, so the window-system entry
// point is looked up in the Qt GUI library; where it is not found the event
// goes to the window directly, past that gate.
void turnWheel(QWindow *window, const QPointF &at, int angle)
{
    using Handler = bool (*)(QWindow *, const QPointF &, const QPointF &, QPoint, QPoint,
                             Qt::KeyboardModifiers, Qt::ScrollPhase, Qt::MouseEventSource);
    static const auto handle = reinterpret_cast<Handler>(
        dlsym(RTLD_DEFAULT, "_ZN22QWindowSystemInterface16handleWheelEventEP7QWindowRK7QPointFS4_"
                            "6QPointS5_6QFlagsIN2Qt16KeyboardModifierEENS7_11ScrollPhaseENS7_"
                            "16MouseEventSourceE"));
    if (handle) {
        handle(window, at, window->mapToGlobal(at), QPoint(), QPoint(0, angle), Qt::NoModifier,
               Qt::NoScrollPhase, Qt::MouseEventNotSynthesized);
        QCoreApplication::processEvents();
        return;
    }
    qWarning("the wheel goes to the window directly");
    QWheelEvent wheel(at, window->mapToGlobal(at), QPoint(), QPoint(0, angle), Qt::NoButton,
                      Qt::NoModifier, Qt::NoScrollPhase, false);
    QCoreApplication::sendEvent(window, &wheel);
}

} // namespace

// The help window "试题输入帮助" opened from the editor, which is modal: it
// takes the trainer's wheel, clicks and keys as the window system hands them
// over, and closes with its button and with Escape.
class InputHelpWindowTest : public QObject
{
    Q_OBJECT

private slots:
    void worksAboveTheModalEditor_data()
    {
        QTest::addColumn<bool>("byEscape");
        QTest::newRow("关闭窗口") << false;
        QTest::newRow("Escape") << true;
    }
    void worksAboveTheModalEditor()
    {
        QFETCH(bool, byEscape);
        Editor e;
        InputHelpWindow help;
        // As the program wires them.
        connect(&e.window, &EditorWindow::helpRequested, &help, &InputHelpWindow::open);
        e.window.open();
        QVERIFY(QTest::qWaitForWindowExposed(&e.window));
        QCOMPARE(QApplication::activeModalWidget(), &e.window);

        QTest::mouseClick(e.find<QLabel>(QStringLiteral("inputHelp")), Qt::LeftButton);
        QVERIFY(QTest::qWaitForWindowExposed(&help));
        QWindow *window = help.windowHandle();
        QVERIFY(window);

        // The wheel over the text scrolls it.
        QScrollBar *bar = help.view()->verticalScrollBar();
        QVERIFY(bar->maximum() > 0);
        QCOMPARE(bar->value(), 0);
        QWidget *text = help.view()->viewport();
        const QPointF at = text->mapTo(&help, text->rect().center());
        turnWheel(window, at, -120);
        QVERIFY2(bar->value() > 0, "the help text did not scroll");

        if (!qEnvironmentVariable("DRILLBAY_SHOTS").isEmpty() &&
            QGuiApplication::platformName() != QStringLiteral("offscreen")) {
            QTest::qWait(200);
            QGuiApplication::primaryScreen()->grabWindow(0).save(
                qEnvironmentVariable("DRILLBAY_SHOTS") +
                QStringLiteral("/input-help-above-editor.png"));
        }

        if (byEscape) {
            QTest::keyClick(window, Qt::Key_Escape);
        } else {
            auto *close = help.findChild<QPushButton *>(QStringLiteral("close"));
            QVERIFY(close);
            QTest::mouseClick(window, Qt::LeftButton, {},
                              close->mapTo(&help, close->rect().center()));
        }
        QTRY_VERIFY(!help.isVisible());
        // The editor is still there, modal as before.
        QVERIFY(e.window.isVisible());
        QCOMPARE(QApplication::activeModalWidget(), &e.window);
        e.window.close();
    }
};

DRILLBAY_TEST(InputHelpWindowTest)
#include "InputHelpWindowTest.moc"
