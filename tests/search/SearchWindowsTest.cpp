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
#include <cctype>
#include <csignal>
#include <optional>
#include <sys/resource.h>

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

// Where each text run of a PDF written by the program starts, page by page,
// in points from the top-left corner of its A4 page. It follows the
// operators that place text in the page streams: the graphics state ("q",
// "Q", "cm"), and the text matrix and first move of each run ("BT", "Tm",
// "Td").
QList<QList<QPointF>> textStarts(const QByteArray &pdf)
{
    constexpr double kPageHeight = 841.89;
    QList<QList<QPointF>> pages;
    qsizetype at = 0;
    while ((at = pdf.indexOf("stream\n", at)) >= 0) {
        const qsizetype start = at + 7;
        const qsizetype end = pdf.indexOf("endstream", start);
        if (end < 0)
            break;
        at = end + 9;
        QByteArray packed = pdf.mid(start, end - start);
        const quint32 room = 1u << 24;
        const char size[] = {char(room >> 24), char(room >> 16), char(room >> 8), char(room)};
        packed.prepend(size, 4);
        const QByteArray content = qUncompress(packed);
        if (!content.startsWith("/GSa gs"))
            continue; // a font or another stream that is not a page
        QList<QPointF> runs;
        QList<QTransform> saved;
        QTransform state;
        QTransform text;
        QList<QByteArray> operands;
        bool placed = true;
        const auto number = [&](qsizetype fromEnd) {
            return operands.at(operands.size() - fromEnd).toDouble();
        };
        const auto matrix = [&] {
            return QTransform(number(6), number(5), number(4), number(3), number(2), number(1));
        };
        for (const QByteArray &token : content.simplified().split(' ')) {
            if (token == "q") {
                saved << state;
            } else if (token == "Q" && !saved.isEmpty()) {
                state = saved.takeLast();
            } else if (token == "cm" && operands.size() >= 6) {
                state = matrix() * state;
            } else if (token == "BT") {
                text = QTransform();
                placed = false;
            } else if (token == "Tm" && operands.size() >= 6) {
                text = matrix();
            } else if (token == "Td" && !placed && operands.size() >= 2) {
                const QPointF origin =
                    (QTransform::fromTranslate(number(2), number(1)) * text * state)
                        .map(QPointF(0, 0));
                runs << QPointF(origin.x(), kPageHeight - origin.y());
                placed = true;
            }
            const bool isOperator = !token.isEmpty() && (std::isalpha(uchar(token.at(0))) ||
                                                         token == "'" || token == "\"");
            if (isOperator)
                operands.clear();
            else
                operands << token;
        }
        pages << runs;
    }
    return pages;
}

// Files of this process may grow to `bytes` only, as on a disk that fills up
// meanwhile: a write past that fails part-way.
struct FileSizeLimit
{
    rlimit before{};
    void (*handler)(int) = nullptr;

    explicit FileSizeLimit(rlim_t bytes)
    {
        getrlimit(RLIMIT_FSIZE, &before);
        handler = std::signal(SIGXFSZ, SIG_IGN);
        rlimit limit = before;
        limit.rlim_cur = bytes;
        setrlimit(RLIMIT_FSIZE, &limit);
    }
    ~FileSizeLimit()
    {
        setrlimit(RLIMIT_FSIZE, &before);
        std::signal(SIGXFSZ, handler);
    }
};

StyledText paperLines(int count)
{
    StyledText lines;
    for (int i = 0; i < count; ++i)
        lines.append(StyledLine{{StyledSpan{QStringLiteral("工作票签发人"), 0xFF0000, false, false,
                                            FontFamily::Song, 11}}});
    return lines;
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
        QCOMPARE(page.findChild<QLabel *>(CompositionPageNames::singleMaximum)->text(),
                 QStringLiteral("最大:2"));
        page.targetField()->setText(QStringLiteral("7"));
        emit page.targetField()->textEdited(QStringLiteral("7"));
        page.slider(1)->setValue(2);
        page.slider(5)->setValue(1);
        QCOMPARE(page.findChild<QLineEdit *>(CompositionPageNames::selectedField)->text(),
                 QStringLiteral("7"));
        QCOMPARE(page.findChild<QLabel *>(CompositionPageNames::successLine)->text(),
                 QStringLiteral("[软件提示]：恭喜! 可以点击【确定】按钮生成7分试题."));
        shoot(page, QStringLiteral("composition"));

        ComposedPaperWindow paper(page.composer(), f.commands);
        paper.resize(1200, 700);
        QObject::connect(&page, &CompositionPage::paperRequested, &paper,
                         &ComposedPaperWindow::open);
        page.findChild<QPushButton *>(CompositionPageNames::confirmButton)->click();
        QVERIFY(paper.isVisible());
        QVERIFY(paper.view()->lines().isEmpty());
        paper.findChild<QPushButton *>(ComposedPaperWindowNames::showButton)->click();
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
        QCOMPARE(page.findChild<QLineEdit *>(CompositionPageNames::selectedField)->text(), shown);
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

    // The page holds the text inside its 15 mm margins, and nothing more.
    void pdfPageHasItsMarginsOnly()
    {
        Fixture f;
        OutputView view;
        view.setLines(paperLines(150));
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("paper.pdf"));
        f.dialogs.answers << path;
        f.commands.exportPdf(view, QStringLiteral("组卷结果.pdf"));
        QFile pdf(path);
        QVERIFY(pdf.open(QIODevice::ReadOnly));
        const QList<QList<QPointF>> pages = textStarts(pdf.readAll());
        QVERIFY(pages.size() >= 2);
        const double margin = 15 / 25.4 * 72; // points
        const double bottom = 841.89 - margin;
        qsizetype runs = 0;
        for (const QList<QPointF> &page : pages) {
            for (const QPointF &start : page) {
                QVERIFY2(qAbs(start.x() - margin) < 1.5, qPrintable(QString::number(start.x())));
                QVERIFY2(start.y() < bottom, qPrintable(QString::number(start.y())));
            }
            runs += page.size();
        }
        // One run per line: no page numbers or other text are added.
        QCOMPARE(runs, 150);
        // The first line sits right below the top margin, and the page is
        // filled down to the bottom margin.
        const QList<QPointF> &first = pages.first();
        QVERIFY2(first.first().y() > margin && first.first().y() < margin + 16,
                 qPrintable(QString::number(first.first().y())));
        QVERIFY2(first.last().y() > bottom - 20, qPrintable(QString::number(first.last().y())));
    }

    void pdfThatCannotBeWrittenIsTold_data()
    {
        QTest::addColumn<QString>("answer"); // in the test's folder unless absolute
        QTest::addColumn<bool>("notice");
        QTest::addColumn<int>("roomBytes"); // 0: no limit
        QTest::newRow("cancelled") << "" << false << 0;
        QTest::newRow("missing folder") << "/nonexistent-folder/paper.pdf" << true << 0;
        QTest::newRow("disk full part-way") << "paper.pdf" << true << 8192;
        QTest::newRow("a folder of that name") << "folder.pdf" << true << 0;
    }
    void pdfThatCannotBeWrittenIsTold()
    {
        QFETCH(QString, answer);
        QFETCH(bool, notice);
        QFETCH(int, roomBytes);
        Fixture f;
        OutputView view;
        view.setLines(paperLines(150));
        QTemporaryDir dir;
        QVERIFY(QDir(dir.path()).mkdir(QStringLiteral("folder.pdf")));
        // An earlier export of that name.
        QFile earlier(dir.filePath(QStringLiteral("paper.pdf")));
        QVERIFY(earlier.open(QIODevice::WriteOnly));
        earlier.write("earlier paper");
        earlier.close();
        const QString path =
            answer.isEmpty() || answer.startsWith(QLatin1Char('/')) ? answer : dir.filePath(answer);
        if (!path.isEmpty())
            f.dialogs.answers << path;
        {
            std::optional<FileSizeLimit> limit;
            if (roomBytes > 0)
                limit.emplace(rlim_t(roomBytes));
            f.commands.exportPdf(view, QStringLiteral("试题查询.pdf"));
        }
        QCOMPARE(f.dialogs.captions, QStringList{QStringLiteral("导出PDF")});
        if (notice) {
            QCOMPARE(f.notifier.notices.size(), 1);
            QVERIFY2(f.notifier.notices.first().startsWith(
                         QStringLiteral("[软件提示]：PDF文件未能写入：") + path),
                     qPrintable(f.notifier.notices.first()));
        } else {
            QVERIFY(f.notifier.notices.isEmpty());
        }
        // What was there stays, and no part of the new file is left.
        QVERIFY(earlier.open(QIODevice::ReadOnly));
        QCOMPARE(earlier.readAll(), QByteArray("earlier paper"));
        QCOMPARE(QDir(dir.path()).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot),
                 (QStringList{QStringLiteral("folder.pdf"), QStringLiteral("paper.pdf")}));
    }
};

DRILLBAY_TEST(SearchWindowsTest)
#include "SearchWindowsTest.moc"
