#include "EditorFixture.h"
#include "TestRegistry.h"

#include "editor/ui/QuestionPage.h"
#include "widgets/OutputView.h"

#include <QAbstractButton>
#include <QLabel>
#include <QPushButton>
#include <QTextEdit>

namespace {

QString stemOf(int number)
{
    return QStringLiteral("第%1题").arg(number);
}

// The chapter's questions by stem.
QStringList stems(const Editor &e, qint64 chapter)
{
    QStringList all;
    for (const QuestionRow &row :
         QuestionTable(e.db.db()).read(QuestionScope::chapter(chapter), 1000))
        all << row.stem;
    return all;
}

} // namespace

// The editor's question list as the trainer uses it: the rows clicked and
// right-clicked, the menu, the detail box below the list.
class EditorListTest : public QObject
{
    Q_OBJECT

private slots:
    // Both menu items act on the row right-clicked or selected; on an empty
    // row they do nothing, whichever row held a question before.
    void menuActsOnTheRowChosen_data()
    {
        QTest::addColumn<int>("questions"); // fill-in questions 第1题 … of the first chapter
        QTest::addColumn<QString>("before");
        QTest::addColumn<int>("row"); // right-clicked; -1: the menu key on the selected row
        QTest::addColumn<QString>("item");
        QTest::addColumn<bool>("byKeys");
        QTest::addColumn<QString>("hit"); // the question deleted or corrected; empty: none

        const QString remove = QStringLiteral("删除本小题");
        const QString correct = QStringLiteral("修改本小题");
        QTest::newRow("delete, the row right-clicked")
            << 5 << QString() << 2 << remove << false << stemOf(3);
        QTest::newRow("delete, the row right-clicked after another was clicked")
            << 5 << QStringLiteral("click row 0") << 4 << remove << true << stemOf(1);
        QTest::newRow("delete, an empty row")
            << 5 << QString() << 7 << remove << false << QString();
        QTest::newRow("delete, an empty row after a question was clicked")
            << 5 << QStringLiteral("click row 0") << 7 << remove << true << QString();
        QTest::newRow("correct, an empty row")
            << 5 << QStringLiteral("click row 1") << 9 << correct << false << QString();
        QTest::newRow("correct, the row right-clicked")
            << 5 << QStringLiteral("click row 1") << 3 << correct << true << stemOf(2);
        // Up on the first row of the only page selects its empty last row.
        QTest::newRow("delete after Up onto an empty row")
            << 5 << QStringLiteral("click row 0, Up") << -1 << remove << true << QString();
        // Up on the first row of the second page turns back and selects the
        // last row of the first page.
        QTest::newRow("delete after Up onto the page before")
            << 15 << QStringLiteral("下页, click row 0, Up") << -1 << remove << false << stemOf(4);
        // A chapter with no questions empties the list.
        QTest::newRow("delete after choosing an empty chapter")
            << 5 << QStringLiteral("second chapter") << 0 << remove << false << QString();
    }
    void menuActsOnTheRowChosen()
    {
        QFETCH(int, questions);
        QFETCH(QString, before);
        QFETCH(int, row);
        QFETCH(QString, item);
        QFETCH(bool, byKeys);
        QFETCH(QString, hit);
        Editor e;
        for (int i = 1; i <= questions; ++i)
            e.db.addQuestion(e.chapter, 3, stemOf(i), {}, QStringLiteral("答"));
        e.chooseFirstChapter();
        QTableWidget *list = e.list();
        if (before.startsWith(QStringLiteral("下页")))
            QTest::mouseClick(e.find<QPushButton>(QStringLiteral("下页")), Qt::LeftButton);
        if (before.contains(QStringLiteral("click row")))
            e.clickRow(before.section(QStringLiteral("click row "), 1).left(1).toInt());
        if (before.endsWith(QStringLiteral("Up"))) {
            list->setFocus();
            QTest::keyClick(list, Qt::Key_Up);
        }
        if (before == QStringLiteral("second chapter")) {
            auto *chapters = e.find<QComboBox>(EditorWindowNames::chapterSelector);
            QTest::keyClick(chapters, Qt::Key_Down);
            QCOMPARE(chapters->currentIndex(), 1);
            for (int r = 0; r < list->rowCount(); ++r)
                QVERIFY2(list->item(r, 0)->text().isEmpty(), "the list still shows questions");
        }

        const QStringList kept = stems(e, e.chapter);
        QVERIFY(e.chooseFromMenu(row, item, byKeys));
        QStringList expected = kept;
        if (item == QStringLiteral("删除本小题"))
            expected.removeOne(hit);
        QCOMPARE(stems(e, e.chapter), expected);
        if (item == QStringLiteral("修改本小题")) {
            if (hit.isEmpty()) {
                QCOMPARE(e.window.currentPage(), int(EditorWindow::Browse));
            } else {
                QCOMPARE(e.window.currentPage(), int(EditorWindow::FirstCorrection) + 2);
                QCOMPARE(e.find<QTextEdit>(QStringLiteral("stem"), e.window.page(7))->toPlainText(),
                         hit);
            }
        }
        QVERIFY(e.notifier.notices.isEmpty());
        e.window.close();
    }

    // The detail box shows the row last clicked; a new list or page clears it
    // and the selection, so that the next click shows the row clicked.
    void detailFollowsTheList_data()
    {
        QTest::addColumn<QString>("control"); // a browse link or a paging button
        QTest::addColumn<QString>("label");   // the type label shown after clicking row 1
        QTest::newRow("判断浏览") << QStringLiteral("browseType4") << QStringLiteral("[判断题]");
        QTest::newRow("下页") << QStringLiteral("下页") << QStringLiteral("[单选题]");
        QTest::newRow("末页") << QStringLiteral("末页") << QStringLiteral("[单选题]");
        QTest::newRow("首页") << QStringLiteral("首页") << QStringLiteral("[单选题]");
        QTest::newRow("试题浏览") << QStringLiteral("browseAll") << QStringLiteral("[单选题]");
    }
    void detailFollowsTheList()
    {
        QFETCH(QString, control);
        QFETCH(QString, label);
        Editor e;
        for (int i = 1; i <= 14; ++i)
            e.db.addQuestion(e.chapter, 1, stemOf(i), {"甲", "乙", "丙", "丁"},
                             QStringLiteral("1"));
        e.db.addQuestion(e.chapter, 4, QStringLiteral("判断甲"), {}, QStringLiteral("1"));
        e.db.addQuestion(e.chapter, 4, QStringLiteral("判断乙"), {}, QStringLiteral("0"));
        e.chooseFirstChapter();
        QTest::mouseClick(e.find<QLabel>(QStringLiteral("browseType1")), Qt::LeftButton);
        auto *detail = e.find<OutputView>(QStringLiteral("detail"));
        e.clickRow(1);
        QVERIFY(detail->plainText().contains(stemOf(13)));

        QWidget *clicked = e.find<QWidget>(control);
        QTest::mouseClick(clicked, Qt::LeftButton);
        QCOMPARE(detail->plainText(), QString());
        QVERIFY(!e.list()->selectionModel()->hasSelection());

        e.clickRow(1);
        const QString shown = detail->plainText();
        QVERIFY2(shown.contains(label + QLatin1Char('[') + e.list()->item(1, 0)->text() +
                                QLatin1Char(']')),
                 qPrintable(shown));
        e.window.close();
    }

    // "将该章节下试题全部删除" empties the chapter the selector shows, also
    // after a bank change left another chapter open, and its notice names it.
    void chapterQuestionsDeletedAreTheSelectors()
    {
        Editor e;
        for (int i = 1; i <= 3; ++i)
            e.db.addQuestion(e.chapter, 3, stemOf(i), {}, QStringLiteral("答"));
        const qint64 otherBank = e.db.addBank(QStringLiteral("配电安全规程"));
        const qint64 other = e.db.addChapter(otherBank, QStringLiteral("配电第一章"));
        for (int i = 1; i <= 2; ++i)
            e.db.addQuestion(other, 3, stemOf(i), {}, QStringLiteral("答"));
        e.chooseFirstChapter();

        auto *banks = e.find<QComboBox>(EditorWindowNames::bankSelector);
        QTest::keyClick(banks, Qt::Key_Down);
        QCOMPARE(banks->currentText(), QStringLiteral("配电安全规程"));
        auto *chapters = e.find<QComboBox>(EditorWindowNames::chapterSelector);
        QCOMPARE(chapters->currentText(), QStringLiteral("【01】配电第一章(2道)"));
        // The chapter left behind is no longer the one worked on.
        QCOMPARE(e.find<QLabel>(EditorWindowNames::chapterNumber)->text(), QStringLiteral("0"));
        QTest::mouseClick(e.find<QLabel>(QStringLiteral("deleteQuestions")), Qt::LeftButton);

        QCOMPARE(stems(e, e.chapter).size(), 3);
        QCOMPARE(stems(e, other).size(), 0);
        QCOMPARE(e.notifier.notices,
                 QStringList{QStringLiteral(
                     "提示：当前数据库：【配电安全规程】 章节名:【01】配电第一章(2道) "
                     "下数据已经全部删除，总共删除有:【2】道.\r\n  "
                     "但该章节名没有删除,如果不需要该章，请点击【删除章节】.")});
        e.window.close();
    }

    // A true/false question whose stored answer is neither "1" nor "0" opens
    // with neither choice ticked, whatever the question before had, and
    // "确定" asks for one instead of writing the old choice.
    void trueFalseCorrectionWithoutAnswer_data()
    {
        QTest::addColumn<QString>("previous"); // the answer of the question corrected first
        QTest::addColumn<QString>("stored");
        QTest::newRow("after 正确, a word") << QStringLiteral("1") << QStringLiteral("对");
        QTest::newRow("after 错误, a digit") << QStringLiteral("0") << QStringLiteral("2");
        QTest::newRow("after 正确, empty") << QStringLiteral("1") << QString();
    }
    void trueFalseCorrectionWithoutAnswer()
    {
        QFETCH(QString, previous);
        QFETCH(QString, stored);
        Editor e;
        const qint64 odd =
            e.db.addQuestion(e.chapter, 4, QStringLiteral("无答案的判断"), {}, stored);
        e.db.addQuestion(e.chapter, 4, QStringLiteral("有答案的判断"), {}, previous);
        e.chooseFirstChapter();
        QuestionPage *page = e.window.page(8);
        auto *right = e.find<QAbstractButton>(QStringLiteral("correct"), page);
        auto *wrong = e.find<QAbstractButton>(QStringLiteral("wrong"), page);

        QVERIFY(e.chooseFromMenu(0, QStringLiteral("修改本小题")));
        QCOMPARE(e.window.currentPage(), 8);
        QCOMPARE((previous == QStringLiteral("1") ? right : wrong)->isChecked(), true);

        QTest::mouseClick(e.find<QLabel>(QStringLiteral("browseType4")), Qt::LeftButton);
        QVERIFY(e.chooseFromMenu(1, QStringLiteral("修改本小题")));
        QCOMPARE(e.window.currentPage(), 8);
        QCOMPARE(e.find<QTextEdit>(QStringLiteral("stem"), page)->toPlainText(),
                 QStringLiteral("无答案的判断"));
        QVERIFY(!right->isChecked());
        QVERIFY(!wrong->isChecked());

        QTest::mouseClick(e.find<QPushButton>(QStringLiteral("save"), page), Qt::LeftButton);
        QCOMPARE(e.notifier.notices, QStringList{QStringLiteral("[软件提示]：请选择正确答案.")});
        QCOMPARE(QuestionTable(e.db.db()).find(odd)->answer, stored);
        e.window.close();
    }
};

DRILLBAY_TEST(EditorListTest)
#include "EditorListTest.moc"
