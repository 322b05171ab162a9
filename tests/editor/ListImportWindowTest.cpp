#include "EditorFixture.h"
#include "RecordingNotifier.h"
#include "ScriptedFileDialogs.h"
#include "SourceTree.h"
#include "TestDatabase.h"
#include "TestRegistry.h"
#include "Typing.h"

#include "editor/ListExport.h"
#include "editor/ui/ListImportWindow.h"
#include "widgets/LinkLabel.h"

#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QTableWidget>
#include <QTest>

namespace {

using Names = ListImportWindowNames;

// The list a trainer pastes: two good questions, one the chapter holds,
// one without its fourth option, one with a score the entry pages refuse.
const QStringList kPasted = {
    QStringLiteral("一、单项选择题"),
    QStringLiteral("1. 工作票签发人不得兼任该项工作的（ B ）。"),
    QStringLiteral("A.工作许可人 B.工作负责人 C.专责监护人 D.工作班成员"),
    QStringLiteral("2. 高压设备发生接地时，室内人员不得接近故障点（ ）以内。"),
    QStringLiteral("A.2m B.4m C.8m"),
    QStringLiteral("答案：B"),
    QStringLiteral("二、判断题"),
    QStringLiteral("3. 装设接地线应先接接地端，后接导体端。（√）"),
    QStringLiteral("4. 雷电时可以进行就地倒闸操作。（2a分）"),
    QStringLiteral("答案：错"),
    QStringLiteral("5. 本章已有的题目。"),
    QStringLiteral("答案：对"),
};

struct ImportWindow
{
    TestDatabase db;
    RecordingNotifier notifier;
    ScriptedFileDialogs dialogs;
    qint64 bank = db.addBank(QStringLiteral("变电安规"));
    qint64 first = db.addChapter(bank, QStringLiteral("第一章 保证安全的组织措施"));
    qint64 second = db.addChapter(bank, QStringLiteral("第二章 保证安全的技术措施"));
    ListImportWindow window{db.db(), notifier, dialogs};

    ImportWindow()
    {
        db.addQuestion(first, 4, QStringLiteral("本章已有的题目。"), {}, QStringLiteral("1"));
        window.open(first);
        QVERIFY(QTest::qWaitForWindowExposed(&window));
    }
    template <typename T> T *find(QLatin1StringView name)
    {
        return window.findChild<T *>(QString(name));
    }
    void click(QLatin1StringView button)
    {
        auto *b = find<QPushButton>(button);
        QTest::mouseClick(b, Qt::LeftButton, Qt::NoModifier, b->rect().center());
    }
    void paste(const QStringList &lines)
    {
        auto *box = find<QPlainTextEdit>(Names::pasteBox);
        QTest::mouseClick(box->viewport(), Qt::LeftButton);
        for (const QString &line : lines) {
            typeText(box, line);
            QTest::keyClick(box, Qt::Key_Return);
        }
    }
    QStringList column(int c)
    {
        auto *grid = find<QTableWidget>(Names::preview);
        QStringList texts;
        for (int r = 0; r < grid->rowCount(); ++r)
            texts << grid->item(r, c)->text();
        return texts;
    }
    int questions(qint64 chapter) const
    {
        return QuestionTable(db.db()).count(QuestionScope::chapter(chapter));
    }
};

} // namespace

// "批量导入试题" as the trainer uses it: paste or choose a file, see the
// statuses, choose the chapter, import, read the report.
class ListImportWindowTest : public QObject
{
    Q_OBJECT

private slots:
    void pastedListPreviewedAndImported()
    {
        ImportWindow w;
        w.paste(kPasted);
        w.click(Names::readPaste);
        QCOMPARE(w.column(0),
                 (QStringList{QStringLiteral("2"), QStringLiteral("4"), QStringLiteral("8"),
                              QStringLiteral("9"), QStringLiteral("11")}));
        QCOMPARE(
            w.column(5),
            (QStringList{ImportPlan::kImportable, QStringLiteral("[软件提示]：选择项 D 不能为空."),
                         ImportPlan::kImportable,
                         QStringLiteral("[软件提示]：分值必须是整数，请重新填写."),
                         ImportPlan::kDuplicate}));
        QCOMPARE(w.column(3),
                 (QStringList{QStringLiteral("B"), QStringLiteral("B"), QStringLiteral("对"),
                              QStringLiteral("错"), QStringLiteral("对")}));
        QVERIFY(w.find<QLabel>(Names::counts)
                    ->text()
                    .endsWith(QStringLiteral("共 5 道：可导入 2 道，不能导入 3 道")));
        shoot(&w.window, QStringLiteral("list-import-mixed"));

        w.click(Names::importButton);
        QCOMPARE(w.questions(w.first), 3);
        const QString report = w.find<QPlainTextEdit>(Names::report)->toPlainText();
        QVERIFY2(
            report.startsWith(QStringLiteral("已导入 2 道试题。\n  单选题：1 道\n  判断题：1 道\n"
                                             "未导入 3 道：\n  第 4 行  单选题")),
            qPrintable(report));
        // What was imported is now in the chapter: nothing is left to import.
        QCOMPARE(w.column(5).count(ImportPlan::kDuplicate), 3);
        QVERIFY(!w.find<QPushButton>(Names::importButton)->isEnabled());
        shoot(&w.window, QStringLiteral("list-import-report"));
    }

    void fileIntoTheChapterChosenByKeys()
    {
        ImportWindow w;
        w.dialogs.answers << sourceTreePath(QStringLiteral("tests/editor/lists/list-sheet.xlsx"));
        w.click(Names::chooseFile);
        QCOMPARE(w.column(5).count(ImportPlan::kImportable), 204);
        auto *chapters = w.find<QComboBox>(Names::chapters);
        QTest::mouseClick(chapters, Qt::LeftButton); // opens its list
        QTest::keyClick(chapters->view(), Qt::Key_Down);
        QTest::keyClick(chapters->view(), Qt::Key_Return);
        QCOMPARE(w.window.session().chapterId(), w.second);
        w.click(Names::importButton);
        QCOMPARE(w.questions(w.second), 204);
        QCOMPARE(w.questions(w.first), 1);
    }

    void failingStoreTellsAndKeepsNothing()
    {
        ImportWindow w;
        w.paste(kPasted);
        w.click(Names::readPaste);
        w.db.refuseWrites(QStringLiteral("insert"), QStringLiteral("考试训练题库"),
                          QStringLiteral("attempt to write a readonly database"));
        w.click(Names::importButton);
        QCOMPARE(w.notifier.notices.size(), 1);
        QVERIFY(w.notifier.notices.first().startsWith(
            QStringLiteral("[软件提示]：试题没有导入，原因：")));
        QCOMPARE(w.questions(w.first), 1);
        // The next try, once the file takes writes, goes through.
        w.db.acceptWrites();
        w.click(Names::importButton);
        QCOMPARE(w.questions(w.first), 3);
    }

    void unreadableFileTold()
    {
        ImportWindow w;
        w.dialogs.answers << sourceTreePath(QStringLiteral("tests/editor/lists/bad-bomb.xlsx"));
        w.click(Names::chooseFile);
        QCOMPARE(w.notifier.notices,
                 QStringList{QStringLiteral("[软件提示]：文件中的内容解压后过大，已拒绝读取.")});
        QCOMPARE(w.find<QTableWidget>(Names::preview)->rowCount(), 0);
        QVERIFY(!w.find<QPushButton>(Names::importButton)->isEnabled());
    }

    void editorLinksOpenImportAndExport()
    {
        Editor e;
        e.window.open();
        QSignalSpy imports(&e.window, &EditorWindow::importRequested);
        QSignalSpy exports(&e.window, &EditorWindow::exportRequested);
        auto *importLink = e.find<LinkLabel>(QStringLiteral("importList"));
        QTest::mouseClick(importLink, Qt::LeftButton, Qt::NoModifier, importLink->rect().center());
        auto *exportLink = e.find<LinkLabel>(QStringLiteral("exportList"));
        QTest::mouseClick(exportLink, Qt::LeftButton, Qt::NoModifier, exportLink->rect().center());
        QCOMPARE(imports.size(), 1);
        QCOMPARE(exports.size(), 1);
    }

    void exportAsksTheFileAndTheEncoding()
    {
        TestDatabase db;
        const qint64 chapter =
            db.addChapter(db.addBank(QStringLiteral("变电")), QStringLiteral("总则"));
        db.addQuestion(chapter, 4, QStringLiteral("验电时应戴绝缘手套。"), {}, QStringLiteral("1"));
        RecordingNotifier notifier;
        ScriptedFileDialogs dialogs;
        QTemporaryDir dir;
        const QString file = dir.filePath(QStringLiteral("总则.txt"));
        dialogs.answers << file;
        notifier.answers << false; // not GBK: UTF-8
        QVERIFY(ListExport(db.db(), notifier, dialogs).run(chapter, 0, QStringLiteral("总则")));
        QFile written(file);
        QVERIFY(written.open(QIODevice::ReadOnly));
        QCOMPARE(QString::fromUtf8(written.readAll()),
                 QStringLiteral("一、判断题\n\n1. 验电时应戴绝缘手套。\n答案：对\n分值：2\n\n"));
        QCOMPARE(notifier.notices, QStringList{QStringLiteral("已导出 1 道试题到 ") + file});
        // Cancelled: nothing asked, nothing told.
        QVERIFY(!ListExport(db.db(), notifier, dialogs).run(chapter, 0, QStringLiteral("总则")));
        QCOMPARE(notifier.notices.size(), 1);
    }
};

DRILLBAY_TEST(ListImportWindowTest)
#include "ListImportWindowTest.moc"
