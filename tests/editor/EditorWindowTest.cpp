#include "EditorFixture.h"
#include "ExamTestQuestions.h"
#include "TestRegistry.h"

#include "editor/ui/EditorWindow.h"
#include "editor/ui/InputHelpWindow.h"
#include "editor/ui/QuestionPage.h"
#include "question/QuestionType.h"
#include "store/QuestionTable.h"
#include "widgets/OutputView.h"

#include <QAbstractButton>
#include <QAbstractItemView>
#include <QComboBox>
#include <QCompleter>
#include <QInputMethodEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableWidget>
#include <QTest>
#include <QTextEdit>
#include <QWheelEvent>

namespace {

// Text typed as an input method hands it over, Chinese included.
void typeIn(QWidget *field, const QString &text)
{
    QInputMethodEvent typing;
    typing.setCommitString(text);
    QCoreApplication::sendEvent(field, &typing);
}

} // namespace

// The editor window shows the core's state and forwards the user's actions.
class EditorWindowTest : public QObject
{
    Q_OBJECT

private slots:
    void frame()
    {
        Editor e;
        QCOMPARE(e.window.windowTitle(), QStringLiteral("试题编辑"));
        QCOMPARE(e.window.size(), QSize(1115, 645));
        e.window.open();
        QCOMPARE(e.window.currentPage(), int(EditorWindow::Empty));
        // The chapter selector is filled only when the bank is chosen.
        QCOMPARE(e.find<QComboBox>(EditorWindowNames::chapterSelector)->count(), 0);
        emit e.find<QComboBox>(EditorWindowNames::bankSelector)->activated(0);
        QCOMPARE(e.find<QComboBox>(EditorWindowNames::chapterSelector)->itemText(1),
                 QStringLiteral("【02】第二章 保证安全的组织措施(0道)"));
        QCOMPARE(e.find<QLabel>(QStringLiteral("counter1"))->text(), QStringLiteral("[000]"));
        shoot(&e.window, QStringLiteral("editor-empty"));
        e.window.close();
    }

    // Typing a single-choice question and saving it stores it and resets the page.
    void enterAndSave()
    {
        Editor e;
        e.chooseFirstChapter();
        QTest::mouseClick(e.find<QLabel>(QStringLiteral("input1")), Qt::LeftButton);
        QCOMPARE(e.window.currentPage(), 0);
        QuestionPage *page = e.window.page(0);
        e.find<QTextEdit>(QStringLiteral("stem"), page)
            ->setPlainText(QStringLiteral("室内母线分段部分应设有明显标志的(   )。\n"
                                          "A. 引线部分\nB. 停电部分\nC. 停电设备\nD. 有电设备"));
        e.find<QPushButton>(QStringLiteral("autoFill"), page)->click();
        QCOMPARE(e.find<QLineEdit>(QStringLiteral("optionD"), page)->text(),
                 QStringLiteral("有电设备"));
        QCOMPARE(e.find<QLabel>(QStringLiteral("fillNotice"), page)->text(),
                 QStringLiteral("已自动填写，可以人工调整."));
        e.find<QAbstractButton>(QStringLiteral("choiceD"), page)->click();
        shoot(&e.window, QStringLiteral("editor-entry-single"));
        e.find<QPushButton>(QStringLiteral("save"), page)->click();
        QVERIFY(e.notifier.notices.isEmpty());
        QCOMPARE(e.questions(), 1);
        const QuestionRow row =
            QuestionTable(e.db.db()).read(QuestionScope::chapter(e.chapter), 1).first();
        QCOMPARE(row.answer, QStringLiteral("4"));
        QCOMPARE(row.stem, QStringLiteral("室内母线分段部分应设有明显标志的(   )。"));
        QCOMPARE(e.find<QLabel>(QStringLiteral("status"), page)->text(),
                 QStringLiteral("数据已经成功写入数据库"));
        QVERIFY(e.find<QTextEdit>(QStringLiteral("stem"), page)->toPlainText().isEmpty());
        QVERIFY(!e.find<QAbstractButton>(QStringLiteral("choiceD"), page)->isChecked());
        QCOMPARE(e.find<QLabel>(QStringLiteral("counter1"))->text(), QStringLiteral("[1]"));
        e.window.close();
    }

    void emptyScoreRefilled()
    {
        Editor e;
        e.chooseFirstChapter();
        QTest::mouseClick(e.find<QLabel>(QStringLiteral("input3")), Qt::LeftButton);
        QuestionPage *page = e.window.page(2);
        e.find<QTextEdit>(QStringLiteral("stem"), page)->setPlainText(QStringLiteral("题"));
        e.find<QLineEdit>(QStringLiteral("answer"), page)->setText(QStringLiteral("答"));
        e.find<QLineEdit>(QStringLiteral("points"), page)->clear();
        e.find<QPushButton>(QStringLiteral("save"), page)->click();
        QCOMPARE(e.notifier.notices,
                 QStringList{QStringLiteral("[软件提示]：分值不能为空，自动填写分值 2 分.")});
        QCOMPARE(e.find<QLineEdit>(QStringLiteral("points"), page)->text(), QStringLiteral("2"));
        QCOMPARE(e.questions(), 0);
        e.window.close();
    }

    // Typing into the chapter selector drops down the chapters whose item
    // holds the text; picking the first of them chooses that chapter. Text
    // that names none chooses nothing, adds no item and gives way to the
    // chosen chapter's item when the typing ends.
    void chapterSelectorTakesTyping_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QStringList>("offered");
        QTest::addColumn<int>("chosen"); // chapter position after picking; -1: the first stays
        const QString first = QStringLiteral("【01】第一章 总则(0道)");
        const QString second = QStringLiteral("【02】第二章 保证安全的组织措施(0道)");
        const QString third = QStringLiteral("【03】第三章 GIS设备(0道)");
        QTest::newRow("part of a name, not from another bank")
            << "组织" << QStringList{second} << 1;
        QTest::newRow("the number") << "02" << QStringList{second} << 1;
        QTest::newRow("held by all, first picked")
            << "章" << QStringList{first, second, third} << 0;
        QTest::newRow("Latin letters in another case") << "gis" << QStringList{third} << 2;
        QTest::newRow("no chapter of that name") << "第九章" << QStringList{} << -1;
    }
    void chapterSelectorTakesTyping()
    {
        QFETCH(QString, typed);
        QFETCH(QStringList, offered);
        QFETCH(int, chosen);
        Editor e;
        e.db.addChapter(e.bank, QStringLiteral("第三章 GIS设备"));
        e.db.addChapter(e.db.addBank(QStringLiteral("另一库")), QStringLiteral("别章 组织"));
        e.chooseFirstChapter();
        const qint64 firstId = e.window.editor().currentChapter();
        auto *chapters = e.find<QComboBox>(EditorWindowNames::chapterSelector);
        QVERIFY(chapters->isEditable());
        QLineEdit *field = chapters->lineEdit();
        field->setFocus();
        field->selectAll();
        typeIn(field, typed);
        QCompleter *typeAhead = chapters->completer();
        QStringList shown;
        for (int row = 0; typeAhead->setCurrentRow(row); ++row)
            shown << typeAhead->currentCompletion();
        QCOMPARE(shown, offered);
        if (!offered.isEmpty()) {
            QTRY_VERIFY(typeAhead->popup()->isVisible());
            if (offered.size() > 1)
                shoot(typeAhead->popup(), QStringLiteral("editor-chapter-typed"));
            QTest::keyClick(typeAhead->popup(), Qt::Key_Down);
            QTest::keyClick(typeAhead->popup(), Qt::Key_Return);
        } else {
            QTest::keyClick(field, Qt::Key_Return);
        }
        QCOMPARE(chapters->count(), 3);
        const int at = chosen < 0 ? 0 : chosen;
        QCOMPARE(chapters->currentIndex(), at);
        QCOMPARE(field->text(), chapters->itemText(at));
        QCOMPARE(e.window.editor().currentChapter(), chosen < 0 ? firstId : firstId + at);
        QCOMPARE(e.find<QLabel>(EditorWindowNames::chapterNumber)->text(),
                 QString::number(e.window.editor().currentChapter()));
        QVERIFY(e.notifier.notices.isEmpty());
        e.window.close();
    }

    // The deletion notice names the chosen chapter's item, not text typed
    // into the selector meanwhile.
    void chapterDeletionNoticeNamesTheChosenChapter()
    {
        Editor e;
        e.chooseFirstChapter();
        auto *chapters = e.find<QComboBox>(EditorWindowNames::chapterSelector);
        chapters->lineEdit()->setFocus();
        chapters->lineEdit()->selectAll();
        typeIn(chapters->lineEdit(), QStringLiteral("打字"));
        QTest::mouseClick(e.find<QLabel>(QStringLiteral("deleteQuestions")), Qt::LeftButton);
        QCOMPARE(e.notifier.notices.size(), 1);
        QVERIFY2(e.notifier.notices.first().contains(
                     QStringLiteral(" 章节名:【01】第一章 总则(0道) 下数据已经全部删除")),
                 qPrintable(e.notifier.notices.first()));
        e.window.close();
    }

    // "删除章节" on the chapter open in the editor leaves no chapter chosen:
    // the entry pages then ask for one instead of saving into the deleted one.
    void deletedChapterIsNoLongerChosen()
    {
        Editor e;
        e.chooseFirstChapter();
        auto *chapters = e.find<QComboBox>(EditorWindowNames::chapterSelector);
        QTest::keyClick(chapters, Qt::Key_Down);
        const qint64 second = e.window.editor().currentChapter();
        QVERIFY(second != e.chapter);
        QTest::mouseClick(e.find<QLabel>(QStringLiteral("input1")), Qt::LeftButton);
        QCOMPARE(e.window.currentPage(), 0);
        QTest::mouseClick(e.find<QLabel>(QStringLiteral("deleteChapter")), Qt::LeftButton);
        QCOMPARE(e.notifier.notices,
                 QStringList{
                     QStringLiteral("[软件提示]：该章节已经被成功地删除.请重新启动本软件后刷新.")});
        QCOMPARE(e.find<QLabel>(EditorWindowNames::chapterNumber)->text(), QStringLiteral("0"));
        QCOMPARE(e.window.currentPage(), int(EditorWindow::Empty));
        QTest::mouseClick(e.find<QLabel>(QStringLiteral("input1")), Qt::LeftButton);
        QCOMPARE(e.window.currentPage(), int(EditorWindow::Empty));
        QCOMPARE(e.notifier.notices.last(), QuestionEditor::kNoChapter);
        e.window.close();
    }

    // Opened again, the selectors show the bank and chapter the editor still
    // works on, not the first of each.
    void reopenedSelectorsShowTheChosenChapter()
    {
        Editor e;
        const qint64 otherBank = e.db.addBank(QStringLiteral("配电安全规程"));
        e.db.addChapter(otherBank, QStringLiteral("配电第一章"));
        const qint64 wanted = e.db.addChapter(otherBank, QStringLiteral("配电第二章"));
        e.window.open();
        auto *banks = e.find<QComboBox>(EditorWindowNames::bankSelector);
        auto *chapters = e.find<QComboBox>(EditorWindowNames::chapterSelector);
        QTest::keyClick(banks, Qt::Key_Down);
        QTest::keyClick(chapters, Qt::Key_Down);
        QCOMPARE(e.window.editor().currentChapter(), wanted);
        e.window.close();
        e.window.open();
        QCOMPARE(banks->currentText(), QStringLiteral("配电安全规程"));
        QCOMPARE(chapters->currentText(), QStringLiteral("【02】配电第二章(0道)"));
        QCOMPARE(e.find<QLabel>(EditorWindowNames::chapterNumber)->text(), QString::number(wanted));
        e.window.close();
    }

    void entryWithoutChapter()
    {
        Editor e;
        e.window.open();
        QTest::mouseClick(e.find<QLabel>(QStringLiteral("input2")), Qt::LeftButton);
        QCOMPARE(e.window.currentPage(), int(EditorWindow::Empty));
        QCOMPARE(e.notifier.notices.size(), 1);
        e.window.close();
    }

    // Browse, the detail box, and a correction through the context menu.
    void browseAndCorrect()
    {
        Editor e;
        for (int i = 1; i <= 14; ++i)
            e.db.addQuestion(e.chapter, 2, QStringLiteral("第%1题<BR>多选").arg(i), sampleOptions(),
                             QStringLiteral("23"));
        e.db.addQuestion(e.chapter, 4, QStringLiteral("判断"), {}, QStringLiteral("1"));
        e.chooseFirstChapter();
        QCOMPARE(e.window.currentPage(), int(EditorWindow::Browse));
        auto *list = e.find<QTableWidget>(EditorWindowNames::questionList);
        QCOMPARE(list->item(0, 2)->text(), QStringLiteral("第14题多选"));
        QCOMPARE(list->item(0, 1)->text(), QStringLiteral("多选题"));
        QCOMPARE(e.find<QLabel>(QStringLiteral("count"))->text(), QStringLiteral("14"));
        QCOMPARE(e.find<QLabel>(QStringLiteral("pageCount"))->text(), QStringLiteral("2"));
        e.clickRow(1);
        const QString detail = e.find<OutputView>(QStringLiteral("detail"))->plainText();
        QVERIFY2(detail.contains(QStringLiteral("答案:BC")), qPrintable(detail));
        shoot(&e.window, QStringLiteral("editor-browse"));

        e.find<QPushButton>(QStringLiteral("下页"))->click();
        QCOMPARE(list->item(1, 2)->text(), QStringLiteral("第1题多选"));
        QVERIFY(list->item(2, 0)->text().isEmpty());

        QVERIFY(e.chooseFromMenu(0, QStringLiteral("修改本小题")));
        QCOMPARE(e.window.currentPage(), 6);
        QuestionPage *page = e.window.page(6);
        QVERIFY(e.find<QAbstractButton>(QStringLiteral("choiceB"), page)->isChecked());
        QVERIFY(!e.find<QAbstractButton>(QStringLiteral("choiceA"), page)->isChecked());
        QCOMPARE(e.find<QLineEdit>(QStringLiteral("optionC"), page)->text(), QStringLiteral("丙"));
        shoot(&e.window, QStringLiteral("editor-correction-multiple"));
        e.find<QAbstractButton>(QStringLiteral("choiceD"), page)->click();
        e.find<QPushButton>(QStringLiteral("save"), page)->click();
        QVERIFY(e.notifier.notices.isEmpty());
        QCOMPARE(e.find<QLabel>(QStringLiteral("status"), page)->text(),
                 QStringLiteral("已经成功写入数据库"));
        const qint64 id = list->item(0, 0)->text().toLongLong();
        QCOMPARE(QuestionTable(e.db.db()).find(id)->answer, QStringLiteral("234"));

        // The true/false browse link and its correction page.
        QTest::mouseClick(e.find<QLabel>(QStringLiteral("browseType4")), Qt::LeftButton);
        QVERIFY(e.chooseFromMenu(0, QStringLiteral("修改本小题"), true));
        QCOMPARE(e.window.currentPage(), 8);
        shoot(&e.window, QStringLiteral("editor-correction-truefalse"));
        e.window.close();
    }

    // Every type's correction page opens on the question chosen in the list,
    // its stem and answer filled in as stored: the stem keeps its "<BR>", so a
    // save of the correction does not lose the stored line break.
    void correctionPageOfEachType_data()
    {
        QTest::addColumn<int>("type");
        QTest::addColumn<QString>("answer");
        QTest::addColumn<QString>("answerField"); // checked button or text field
        QTest::newRow("single choice") << 1 << QStringLiteral("3") << QStringLiteral("choiceC");
        QTest::newRow("multiple choice") << 2 << QStringLiteral("14") << QStringLiteral("choiceD");
        QTest::newRow("fill-in") << 3 << QStringLiteral("接地线") << QStringLiteral("answer");
        QTest::newRow("true/false") << 4 << QStringLiteral("0") << QStringLiteral("wrong");
        QTest::newRow("essay") << 5 << QStringLiteral("先验电后接地") << QStringLiteral("answer");
    }

    void correctionPageOfEachType()
    {
        QFETCH(int, type);
        QFETCH(QString, answer);
        QFETCH(QString, answerField);
        static const char *names[] = {"single", "multiple", "fillin", "truefalse", "essay"};
        Editor e;
        const QStringList options = type <= 2 ? sampleOptions() : QStringList{};
        e.db.addQuestion(e.chapter, type, QStringLiteral("题干<BR>第二行"), options, answer);
        e.chooseFirstChapter();
        QTest::mouseClick(e.find<QLabel>(QStringLiteral("browseType%1").arg(type)), Qt::LeftButton);
        QVERIFY(e.chooseFromMenu(0, QStringLiteral("修改本小题")));
        QCOMPARE(e.window.currentPage(), 4 + type);
        QuestionPage *page = e.window.page(4 + type);
        QCOMPARE(e.find<QTextEdit>(QStringLiteral("stem"), page)->toPlainText(),
                 QStringLiteral("题干<BR>第二行"));
        QWidget *field = e.find<QWidget>(answerField, page);
        if (auto *button = qobject_cast<QAbstractButton *>(field))
            QVERIFY(button->isChecked());
        else if (auto *line = qobject_cast<QLineEdit *>(field))
            QCOMPARE(line->text(), answer);
        else
            QCOMPARE(qobject_cast<QTextEdit *>(field)->toPlainText(), answer);
        shoot(&e.window,
              QStringLiteral("editor-correction-each-") + QLatin1String(names[type - 1]));
        e.window.close();
    }

    // Arrow keys and the wheel at the list's first or last row turn the page.
    void pageTurns()
    {
        Editor e;
        for (int i = 1; i <= 30; ++i)
            e.db.addQuestion(e.chapter, 3, QStringLiteral("第%1题").arg(i), {},
                             QStringLiteral("答"));
        e.chooseFirstChapter();
        auto *list = e.find<QTableWidget>(EditorWindowNames::questionList);
        auto *info = e.find<QLabel>(QStringLiteral("info"));
        auto *pageBox = e.find<QLineEdit>(QStringLiteral("pageBox"));

        // Up on the first row of the first page: the message, row 11, the same page.
        list->setCurrentCell(0, 0);
        QTest::keyRelease(list, Qt::Key_Up);
        QCOMPARE(info->text(), QStringLiteral("提示：自动翻到上一页."));
        QCOMPARE(list->currentRow(), 11);
        QCOMPARE(pageBox->text(), QStringLiteral("1"));

        // Down on the last row: the next page from its first row.
        QTest::keyRelease(list, Qt::Key_Down);
        QCOMPARE(info->text(), QStringLiteral("提示：自动翻到下一页."));
        QCOMPARE(list->currentRow(), 0);
        QCOMPARE(pageBox->text(), QStringLiteral("2"));
        QCOMPARE(list->item(0, 2)->text(), QStringLiteral("第18题"));

        // The wheel up on the first row goes back and selects the last row.
        QWheelEvent up(QPointF(10, 10), QPointF(10, 10), QPoint(), QPoint(0, 120), Qt::NoButton,
                       Qt::NoModifier, Qt::NoScrollPhase, false);
        QCoreApplication::sendEvent(list->viewport(), &up);
        QCOMPARE(pageBox->text(), QStringLiteral("1"));
        QCOMPARE(list->currentRow(), 11);
        QWheelEvent down(QPointF(10, 10), QPointF(10, 10), QPoint(), QPoint(0, -120), Qt::NoButton,
                         Qt::NoModifier, Qt::NoScrollPhase, false);
        QCoreApplication::sendEvent(list->viewport(), &down);
        QCOMPARE(pageBox->text(), QStringLiteral("2"));
        QCOMPARE(list->currentRow(), 0);
        e.window.close();
    }

    // The time field of the new-chapter page takes digits only.
    void timeFieldDigitsOnly()
    {
        Editor e;
        e.window.open();
        QTest::mouseClick(e.find<QLabel>(QStringLiteral("newChapter")), Qt::LeftButton);
        auto *time = e.find<QLineEdit>(QStringLiteral("examTime"));
        time->clear();
        QTest::keyClicks(time, QStringLiteral("9a-0"));
        QTest::keyClick(time, Qt::Key_Backspace);
        QCOMPARE(time->text(), QStringLiteral("90"));
        time->clear();
        e.find<QLineEdit>(QStringLiteral("chapterName"))->setText(QStringLiteral("新章"));
        e.find<QPushButton>(QStringLiteral("createChapter"))->click();
        QCOMPARE(e.notifier.notices, QStringList{QStringLiteral("[软件提示]：考试时间不能为空.")});
        QCOMPARE(time->text(), QStringLiteral("60"));
        e.window.close();
    }

    // Pictures of the remaining pages (only when asked for).
    void pictures()
    {
        if (qEnvironmentVariable("DRILLBAY_SHOTS").isEmpty())
            QSKIP("pictures only when DRILLBAY_SHOTS names a folder");
        Editor e;
        e.chooseFirstChapter();
        static const char *names[] = {"single", "multiple", "fillin", "truefalse", "essay"};
        for (const QuestionType questionType : question::allTypes()) {
            const int type = question::code(questionType);
            QTest::mouseClick(e.find<QLabel>(QStringLiteral("input%1").arg(type)), Qt::LeftButton);
            shoot(&e.window, QStringLiteral("editor-entry-") + QLatin1String(names[type - 1]));
        }
        QTest::mouseClick(e.find<QLabel>(QStringLiteral("newChapter")), Qt::LeftButton);
        shoot(&e.window, QStringLiteral("editor-new-chapter"));
        InputHelpWindow help;
        help.open();
        help.resize(1366, 768);
        shoot(&help, QStringLiteral("input-help"));
        e.window.close();
    }
};

DRILLBAY_TEST(EditorWindowTest)
#include "EditorWindowTest.moc"
