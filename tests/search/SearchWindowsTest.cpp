#include "RecordingClipboard.h"
#include "RecordingNotifier.h"
#include "ScriptedFileDialogs.h"
#include "ScriptedRandom.h"
#include "TestDatabase.h"
#include "TestRegistry.h"
#include "Typing.h"
#include "search/ui/ComposedPaperWindow.h"
#include "search/ui/CompositionPage.h"
#include "search/ui/OutputCommands.h"
#include "search/ui/SearchWindow.h"
#include "widgets/OutputView.h"

#include <QAction>
#include <QLabel>
#include <QLineEdit>
#include <QProcess>
#include <QPushButton>
#include <QSlider>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

namespace {

struct Fixture
{
    TestDatabase db;
    RecordingNotifier notifier;
    RecordingClipboard clipboard;
    ScriptedFileDialogs dialogs;
    OutputCommands commands{clipboard, notifier, dialogs};
    qint64 chapter = 0;

    explicit Fixture(int questions = 3)
    {
        chapter = db.addChapter(db.addBank(QStringLiteral("安规题库")), QStringLiteral("第一章"));
        db.exec(QStringLiteral("BEGIN"));
        for (int i = 0; i < questions; ++i) {
            db.addQuestion(chapter, i % 5 + 1,
                           QStringLiteral("第%1题 工作票签发人不得兼任该项工作的负责人").arg(i + 1),
                           {"正确", "错误", "视情况", "不知道"}, i % 5 == 1 ? "13" : "1",
                           i % 5 == 4 ? 5 : 1);
        }
        db.exec(QStringLiteral("COMMIT"));
    }
};

int headerCount(const OutputView &view)
{
    int count = 0;
    for (const StyledLine &line : view.lines())
        count += line.text().startsWith(QStringLiteral("【")) ? 1 : 0;
    return count;
}

QAction *action(const OutputView &view, const QString &text)
{
    for (QAction *a : view.findChildren<QAction *>(Qt::FindDirectChildrenOnly)) {
        if (a->text() == text)
            return a;
    }
    for (QAction *a : view.parentWidget()->findChildren<QAction *>()) {
        if (a->text() == text)
            return a;
    }
    return nullptr;
}

// Pictures for people, when DRILLBAY_SHOTS names a folder.
void shoot(QWidget &widget, const QString &name)
{
    const QString folder = qEnvironmentVariable("DRILLBAY_SHOTS");
    if (!folder.isEmpty())
        widget.grab().save(folder + QLatin1Char('/') + name + QStringLiteral(".png"));
}

} // namespace

class SearchWindowsTest : public QObject
{
    Q_OBJECT

private slots:
    void searchListsHitsAndCopies()
    {
        Fixture f(12);
        SearchWindow window(f.db.db(), f.notifier, f.commands,
                            [] { return QStringLiteral("第一章"); });
        window.resize(1200, 700);
        window.open();
        QCOMPARE(window.keywordField()->maxLength(), 50);
        window.keywordField()->setText(QStringLiteral("第1"));
        QTest::keyClick(window.keywordField(), Qt::Key_Return);
        QTRY_VERIFY(!window.search().running());
        QVERIFY(window.searchButton()->isEnabled());
        QCOMPARE(headerCount(*window.view()), 4); // 1, 10, 11, 12
        QCOMPARE(window.view()->lines().first().text(),
                 QStringLiteral("查询关键字 [第1] 结果如下："));
        QCOMPARE(f.notifier.notices.last(), QStringLiteral("[软件提示]：共找到 【4】 个记录."));
        shoot(window, QStringLiteral("search"));

        action(*window.view(), QStringLiteral("复制到剪切板..."))->trigger();
        QVERIFY(f.clipboard.text.contains(QStringLiteral("【04】(多选题).第12题")));
        QVERIFY(f.clipboard.html.contains(QStringLiteral("#ff0000")));
        QCOMPARE(f.notifier.notices.last(),
                 QStringLiteral("[软件提示]：本页数据已经复制到剪切板，你可以将其粘贴到文本文件中"
                                "留后查看。"));

        // Shown again: the view is empty, the keyword stays.
        window.close();
        window.open();
        QVERIFY(window.view()->lines().isEmpty());
        QCOMPARE(window.keywordField()->text(), QStringLiteral("第1"));
    }

    // The keyword field counts its 50 in GBK bytes: 25 Chinese characters.
    void keywordFieldTakesFiftyBytes_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("kept");
        const QString thirty(30, QChar(u'电'));
        QTest::newRow("Chinese") << thirty << QString(25, QChar(u'电'));
        QTest::newRow("one ASCII first")
            << QStringLiteral("a") + thirty << QStringLiteral("a") + QString(24, QChar(u'电'));
        QTest::newRow("ASCII") << QString(60, QLatin1Char('k')) << QString(50, QLatin1Char('k'));
    }
    void keywordFieldTakesFiftyBytes()
    {
        QFETCH(QString, typed);
        QFETCH(QString, kept);
        Fixture f(1);
        SearchWindow window(f.db.db(), f.notifier, f.commands,
                            [] { return QStringLiteral("第一章"); });
        window.open();
        typeText(window.keywordField(), typed);
        QCOMPARE(window.keywordField()->text(), kept);
        QTest::keyClick(window.keywordField(), Qt::Key_Return);
        QTRY_VERIFY(!window.search().running());
        QCOMPARE(window.view()->lines().first().text(),
                 QStringLiteral("查询关键字 [") + kept + QStringLiteral("] 结果如下："));
    }

    void closingStopsThePass()
    {
        Fixture f(3 * SearchWindow::kStretch);
        SearchWindow window(f.db.db(), f.notifier, f.commands,
                            [] { return QStringLiteral("第一章"); });
        window.open();
        window.keywordField()->setText(QStringLiteral("题"));
        window.searchButton()->click();
        QVERIFY(!window.searchButton()->isEnabled());
        QCoreApplication::processEvents(); // the first stretch
        const qsizetype shown = window.view()->lines().size();
        QVERIFY(shown > 2);
        window.close();
        QVERIFY(!window.search().running());
        QTest::qWait(50);
        QCOMPARE(window.view()->lines().size(), shown);
        QVERIFY(!f.notifier.notices.last().startsWith(QStringLiteral("[软件提示]：共找到")));
    }

    void compositionPageToPaper()
    {
        Fixture f(10); // two of every type
        ScriptedRandom random;
        CompositionPage page(f.db.db(), f.notifier, random);
        page.resize(950, 560);
        page.setBankSource([] { return QStringLiteral("安规题库"); });
        page.open(PaperComposer::Scope::Chapter, QStringLiteral("第一章"), QString());
        QCOMPARE(page.slider(1)->maximum(), 2);
        QCOMPARE(page.findChild<QLabel *>(QStringLiteral("Label100"))->text(),
                 QStringLiteral("最大:2"));
        page.targetField()->setText(QStringLiteral("7"));
        emit page.targetField()->textEdited(QStringLiteral("7"));
        page.slider(1)->setValue(2);
        page.slider(5)->setValue(1);
        QCOMPARE(page.findChild<QLineEdit *>(QStringLiteral("Edit13"))->text(),
                 QStringLiteral("7"));
        QCOMPARE(page.findChild<QLabel *>(QStringLiteral("Label115"))->text(),
                 QStringLiteral("[软件提示]：恭喜! 可以点击【确定】按钮生成7分试题."));
        shoot(page, QStringLiteral("composition"));

        ComposedPaperWindow paper(page.composer(), f.commands);
        paper.resize(1200, 700);
        QObject::connect(&page, &CompositionPage::paperRequested, &paper,
                         &ComposedPaperWindow::open);
        page.findChild<QPushButton *>(QStringLiteral("Button5"))->click();
        QVERIFY(paper.isVisible());
        QVERIFY(paper.view()->lines().isEmpty());
        paper.findChild<QPushButton *>(QStringLiteral("Button1"))->click();
        QCOMPARE(headerCount(*paper.view()), 3);
        shoot(paper, QStringLiteral("paper"));
        action(*paper.view(), QStringLiteral("将本页内容复制到..."))->trigger();
        QCOMPARE(f.notifier.notices.last(), PaperComposer::copyNotice());
        QVERIFY(f.clipboard.text.contains(QStringLiteral("(论述题)")));
    }

    // "当前选择分" shows the whole sum, however many digits it has.
    void selectedTotalShowsEveryDigit_data()
    {
        QTest::addColumn<int>("questions");
        QTest::addColumn<QString>("score");
        QTest::addColumn<QString>("shown");
        QTest::newRow("four digits") << 101 << "99"
                                     << "9999";
        QTest::newRow("five digits") << 200 << "99"
                                     << "19800";
    }
    void selectedTotalShowsEveryDigit()
    {
        QFETCH(int, questions);
        QFETCH(QString, score);
        QFETCH(QString, shown);
        Fixture f(0);
        f.db.exec(QStringLiteral("BEGIN"));
        for (int i = 0; i < questions; ++i)
            f.db.addQuestion(f.chapter, 1, QStringLiteral("第%1题").arg(i + 1), {"甲", "乙"}, "1");
        f.db.exec(QStringLiteral("COMMIT"));
        ScriptedRandom random;
        CompositionPage page(f.db.db(), f.notifier, random);
        page.show();
        page.open(PaperComposer::Scope::Chapter, QStringLiteral("第一章"), QString());
        QLineEdit *scoreField = page.scoreField(1);
        QTest::mouseClick(scoreField, Qt::LeftButton);
        QTest::keyClick(scoreField, Qt::Key_A, Qt::ControlModifier);
        QTest::keyClicks(scoreField, score);
        QCOMPARE(scoreField->text(), score);
        page.slider(1)->setFocus();
        QTest::keyClick(page.slider(1), Qt::Key_End);
        QCOMPARE(page.slider(1)->value(), questions);
        QCOMPARE(page.findChild<QLineEdit *>(QStringLiteral("Edit13"))->text(), shown);
    }

    void typeWithoutQuestionsIsHidden()
    {
        Fixture f(3); // types 1, 2, 3 only
        ScriptedRandom random;
        CompositionPage page(f.db.db(), f.notifier, random);
        page.show();
        page.open(PaperComposer::Scope::Chapter, QStringLiteral("第一章"), QString());
        QVERIFY(page.slider(1)->isVisible());
        QVERIFY(!page.slider(4)->isVisible());
        QVERIFY(!page.scoreField(4)->isEnabled());
        QVERIFY(page.scoreField(1)->isEnabled());
        QVERIFY(page.scoreField(1)->validator());
        QCOMPARE(page.scoreField(1)->maxLength(), 2);
    }

    void pdfHoldsTheTextAndItsPages()
    {
        Fixture f;
        OutputView view;
        StyledText lines;
        for (int i = 0; i < 150; ++i)
            lines.append(StyledLine{{StyledSpan{QStringLiteral("第%1行 工作票签发人").arg(i + 1),
                                                0xFF0000, false, false, FontFamily::Song, 11}}});
        view.setLines(lines);
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("paper.pdf"));
        f.dialogs.answers << path;
        f.commands.exportPdf(view, QStringLiteral("组卷结果.pdf"));
        QCOMPARE(f.notifier.notices.last(), QStringLiteral("[软件提示]：已导出PDF文件：") + path);
        QFile pdf(path);
        QVERIFY(pdf.open(QIODevice::ReadOnly));
        const QByteArray bytes = pdf.readAll();
        QVERIFY(bytes.startsWith("%PDF"));
        // More than one A4 page for 150 lines.
        const qsizetype pages = bytes.count("/Type /Page\n") + bytes.count("/Type /Page ") +
                                bytes.count("/Type /Page/") + bytes.count("/Type /Page>");
        QVERIFY2(pages >= 2, QByteArray::number(pages).constData());

        const QString tool = QStandardPaths::findExecutable(QStringLiteral("pdftotext"));
        if (tool.isEmpty())
            QSKIP("pdftotext is not installed: the text was not read back");
        QProcess reader;
        reader.start(tool, {path, QStringLiteral("-")});
        QVERIFY(reader.waitForFinished(20000));
        const QString text = QString::fromUtf8(reader.readAllStandardOutput());
        QVERIFY2(text.contains(QStringLiteral("第150行 工作票签发人")), qPrintable(text.left(200)));
    }

    void pdfThatCannotBeWrittenIsTold_data()
    {
        QTest::addColumn<QString>("answer");
        QTest::addColumn<bool>("notice");
        QTest::newRow("cancelled") << "" << false;
        QTest::newRow("missing folder") << "/nonexistent-folder/paper.pdf" << true;
    }
    void pdfThatCannotBeWrittenIsTold()
    {
        QFETCH(QString, answer);
        QFETCH(bool, notice);
        Fixture f;
        OutputView view;
        view.setLines({QuestionBlockLine()});
        if (!answer.isEmpty())
            f.dialogs.answers << answer;
        f.commands.exportPdf(view, QStringLiteral("试题查询.pdf"));
        QCOMPARE(f.dialogs.captions, QStringList{QStringLiteral("导出PDF")});
        if (notice) {
            QCOMPARE(f.notifier.notices.size(), 1);
            QVERIFY(f.notifier.notices.first().startsWith(
                QStringLiteral("[软件提示]：PDF文件未能写入：") + answer));
        } else {
            QVERIFY(f.notifier.notices.isEmpty());
        }
    }

private:
    static StyledLine QuestionBlockLine()
    {
        return StyledLine{
            {StyledSpan{QStringLiteral("一行"), 0, false, false, FontFamily::Song, 11}}};
    }
};

DRILLBAY_TEST(SearchWindowsTest)
#include "SearchWindowsTest.moc"
