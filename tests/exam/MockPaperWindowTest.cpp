#include "RecordingClipboard.h"
#include "RecordingNotifier.h"
#include "TestRegistry.h"

#include "exam/MockPaperBuilder.h"
#include "exam/ReviewActions.h"
#include "exam/ui/MockPaperWindow.h"
#include "widgets/OutputView.h"

#include <QAction>
#include <QLabel>
#include <QPushButton>
#include <QTest>
#include <QTextCursor>

namespace {

StyledText samplePaper()
{
    StyledText lines =
        MockPaperBuilder::heading("本章名:第一章", "本章随机抽取试题数:", {1, 0, 0, 0, 0});
    RunQuestion q;
    q.typeCode = 1;
    q.stem = "停电";
    q.optionA = "甲";
    q.optionB = "乙";
    q.optionC = "丙";
    q.optionD = "丁";
    q.correctAnswer = "2";
    q.points = 1;
    MockPaperBuilder::appendQuestion(lines, q, 1);
    return lines;
}

} // namespace

// "模拟考试一章试题查看": its parts and names, the left panel's width, a paper
// shown without blocking, "关闭", and the copy command through the clipboard.
class MockPaperWindowTest : public QObject
{
    Q_OBJECT

private slots:
    void parts()
    {
        RecordingClipboard clipboard;
        RecordingNotifier notifier;
        ReviewActions actions(clipboard, notifier);
        MockPaperWindow window(actions);
        QCOMPARE(window.objectName(), MockPaperWindowNames::window);
        QCOMPARE(window.windowTitle(), QString("模拟考试一章试题查看"));
        QVERIFY(window.windowFlags().testFlag(Qt::FramelessWindowHint));
        QCOMPARE(window.windowModality(), Qt::NonModal);
        QCOMPARE(window.findChild<QLabel *>(MockPaperWindowNames::caption)->text(),
                 QString("先查看模拟考试试题："));
        QCOMPARE(window.findChild<QPushButton *>(MockPaperWindowNames::closeButton)->text(),
                 QString("关闭"));
        QCOMPARE(window.view()->document()->rootFrame()->frameFormat().leftMargin(),
                 qreal(OutputView::kLeftMargin));
        QVERIFY(window.view()->font().families().contains(
            OutputView::families(FontFamily::Song).value(0)));
        QCOMPARE(window.copyAction()->text(), QString("此页面试题另存为...."));
    }

    void leftPanelWidth_data()
    {
        QTest::addColumn<int>("screen");
        QTest::addColumn<int>("pages");
        QTest::addColumn<int>("width");
        QTest::newRow("1366 beside 950") << 1366 << 950 << 208;
        QTest::newRow("odd remainder rounds down") << 1025 << 950 << 37;
        QTest::newRow("screen narrower than the pages") << 800 << 950 << 0;
        QTest::newRow("no pages measured") << 1024 << 0 << 512;
    }

    void leftPanelWidth()
    {
        QFETCH(int, screen);
        QFETCH(int, pages);
        QFETCH(int, width);
        QCOMPARE(MockPaperWindow::leftPanelWidth(screen, pages), width);
    }

    void showsWithoutBlockingAndCloses()
    {
        RecordingClipboard clipboard;
        RecordingNotifier notifier;
        ReviewActions actions(clipboard, notifier);
        MockPaperWindow window(actions);
        window.setAnswerPageWidth(950);
        const StyledText paper = samplePaper();
        window.showPaper(paper); // returns at once: not modal
        QVERIFY(window.isVisible());
        QCOMPARE(window.view()->lines(), paper);
        QVERIFY(window.view()->plainText().contains("B.乙√"));
        QCOMPARE(window.findChild<QWidget *>("mockPaperLeftPanel")->width(),
                 MockPaperWindow::leftPanelWidth(window.screen()->geometry().width(), 950));

        // A second paper replaces the first.
        StyledText other = MockPaperBuilder::heading("本数据库名:变电",
                                                     "本数据库随机抽取试题数:", {0, 0, 0, 0, 0});
        window.showPaper(other);
        QCOMPARE(window.view()->lines(), other);

        window.findChild<QPushButton *>(MockPaperWindowNames::closeButton)->click();
        QVERIFY(!window.isVisible());
    }

    void copyCommand_data()
    {
        QTest::addColumn<bool>("writable");
        QTest::addColumn<QString>("notice");
        QTest::newRow("copied")
            << true << "[软件提示]：本页数据已经复制到剪切板，你可以将其粘贴到文本文件中留后查看。";
        QTest::newRow("clipboard refuses")
            << false << "[软件提示]：剪切板无法写入，本页数据没有复制。";
    }

    void copyCommand()
    {
        QFETCH(bool, writable);
        QFETCH(QString, notice);
        RecordingClipboard clipboard;
        clipboard.writable = writable;
        RecordingNotifier notifier;
        ReviewActions actions(clipboard, notifier);
        MockPaperWindow window(actions);
        window.showPaper(samplePaper());
        window.copyAction()->trigger();
        QCOMPARE(notifier.notices, QStringList{notice});
        QCOMPARE(clipboard.text.isEmpty(), !writable);
        if (writable) {
            QVERIFY(clipboard.text.startsWith("\n本章名:第一章\n"));
            QVERIFY(clipboard.text.contains("【01】(单选题).停电 (本题分数:1分)\nA.甲\nB.乙√"));
        }
        // The whole text is selected, as the command says.
        QCOMPARE(window.view()->textCursor().selectedText().size(),
                 window.view()->document()->characterCount() - 1);
        window.close();
    }
};

DRILLBAY_TEST(MockPaperWindowTest)
#include "MockPaperWindowTest.moc"
