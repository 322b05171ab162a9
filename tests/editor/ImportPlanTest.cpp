#include "TestDatabase.h"
#include "TestRegistry.h"

#include "editor/ImportPlan.h"
#include "editor/QuestionListText.h"

#include <QTest>

namespace {

const QString kList =
    QStringLiteral("一、单项选择题\n"
                   "1. 工作票签发人不得兼任该项工作的（ "
                   "）。\nA.工作许可人\nB.工作负责人\nC.专责监护人\nD.工作班成员\n"
                   "答案：B\n"
                   "2. 选项D缺了\nA.甲\nB.乙\nC.丙\n答案：A\n"
                   "3. 答案不在选项里\nA.甲\nB.乙\nC.丙\nD.丁\n答案：E\n"
                   "4. 分值太大（1000分）\nA.甲\nB.乙\nC.丙\nD.丁\n答案：A\n"
                   "5. 本章已有的题干\nA.甲\nB.乙\nC.丙\nD.丁\n答案：A\n"
                   "二、判断题\n"
                   "6. 装设接地线应先接接地端。\n答案：对\n解析：先接接地端，后接导体端。\n"
                   "7. 装设接地线应先接接地端。\n答案：对\n"
                   "8. 含有GBK没有的字符\u2603。\n答案：错\n"
                   "三、论述题\n"
                   "9. 保证安全的组织措施有哪些？\n答案：\n");

} // namespace

// The statuses of a list checked against its chapter, and the store step:
// all importable questions in one transaction, or none.
class ImportPlanTest : public QObject
{
    Q_OBJECT

    struct Fixture
    {
        TestDatabase db;
        qint64 bank = db.addBank(QStringLiteral("变电"));
        qint64 chapter = db.addChapter(bank, QStringLiteral("变电安规"));
        Fixture()
        {
            db.addQuestion(chapter, 1, QStringLiteral("本章已有的题干"),
                           {QStringLiteral("甲"), QStringLiteral("乙"), QStringLiteral("丙"),
                            QStringLiteral("丁")},
                           QStringLiteral("1"));
        }
        ImportPlan plan() const
        {
            return ImportPlan::forChapter(QuestionListText::read(kList), db.db(), chapter);
        }
        int questions() const
        {
            return QuestionTable(db.db()).count(QuestionScope::chapter(chapter));
        }
    };

private slots:
    void statuses_data()
    {
        QTest::addColumn<int>("index");
        QTest::addColumn<int>("line");
        QTest::addColumn<QString>("status");
        const QStringList statuses = {
            ImportPlan::kImportable,
            QStringLiteral("[软件提示]：选择项 D 不能为空."),
            QStringLiteral("[软件提示]：请选择正确答案."),
            QStringLiteral("[软件提示]：长度不超过3位 ."),
            ImportPlan::kDuplicate,
            ImportPlan::kImportable,
            ImportPlan::kDuplicate,
            QStringLiteral("[软件提示]：试题中有无法保存的字符，请修改后再保存."),
            QStringLiteral("[软件提示]：正确答案不能为空 ."),
        };
        const QList<int> lines = {2, 8, 13, 19, 25, 32, 35, 37, 40};
        for (int i = 0; i < statuses.size(); ++i)
            QTest::addRow("question %d", i + 1) << i << lines[i] << statuses[i];
    }
    void statuses()
    {
        QFETCH(int, index);
        QFETCH(int, line);
        QFETCH(QString, status);
        Fixture f;
        const ImportPlan plan = f.plan();
        QCOMPARE(plan.items().size(), 9);
        QCOMPARE(plan.items()[index].source.line, line);
        QCOMPARE(plan.items()[index].status, status);
    }

    void scoreThatIsNoNumber()
    {
        QList<ListDraft> drafts = QuestionListText::read(
            QStringLiteral("判断题\n1. 题干（2a分）\n答案：对\n2. 题干二（1000分）\n答案：对\n"));
        const ImportPlan plan(drafts, {});
        QCOMPARE(plan.items()[0].status, QStringLiteral("[软件提示]：分值必须是整数，请重新填写."));
        QCOMPARE(plan.items()[1].status, QStringLiteral("[软件提示]：长度不超过3位."));
    }

    void storesInListOrderWithNotes()
    {
        Fixture f;
        const ImportPlan plan = f.plan();
        QCOMPARE(plan.summary().last(), QStringLiteral("共 9 道：可导入 2 道，不能导入 7 道"));
        const ImportPlan::Outcome outcome = plan.store(f.db.db(), f.chapter);
        QVERIFY2(outcome.stored, qPrintable(outcome.message));
        QCOMPARE(outcome.perType[1], 1);
        QCOMPARE(outcome.perType[4], 1);
        const QList<QuestionRow> rows =
            QuestionTable(f.db.db()).read(QuestionScope::chapter(f.chapter), 10);
        QCOMPARE(rows.size(), 3);
        QCOMPARE(rows[1].stem, QStringLiteral("工作票签发人不得兼任该项工作的（ ）。"));
        QCOMPARE(rows[1].answer, QStringLiteral("2"));
        QCOMPARE(rows[1].options[3], QStringLiteral("工作班成员"));
        QCOMPARE(rows[2].answer, QStringLiteral("1"));
        QCOMPARE(rows[2].note, QStringLiteral("先接接地端，后接导体端。"));
        const QStringList report = plan.report(outcome);
        QCOMPARE(report.first(), QStringLiteral("已导入 2 道试题。"));
        QVERIFY(report.contains(QStringLiteral("  第 13 行  单选题  [软件提示]：请选择正确答案.")));
        // Importing the same list again finds every stem in the chapter.
        QCOMPARE(f.plan().importableCount(), 0);
    }

    void failingStoreKeepsNothing()
    {
        Fixture f;
        const ImportPlan plan = f.plan();
        // The second insert fails: the first must not stay either.
        f.db.refuseWrites(QStringLiteral("insert"), QStringLiteral("考试训练题库"),
                          QStringLiteral("database or disk is full"),
                          QStringLiteral("new.题目类型 = 4"));
        const ImportPlan::Outcome outcome = plan.store(f.db.db(), f.chapter);
        QVERIFY(!outcome.stored);
        QVERIFY2(outcome.message.startsWith(QStringLiteral("[软件提示]：试题没有导入，原因：")),
                 qPrintable(outcome.message));
        QCOMPARE(f.questions(), 1);
        QCOMPARE(plan.report(outcome), QStringList{outcome.message});
        // The next import goes through once the file takes writes again.
        f.db.acceptWrites();
        QVERIFY(plan.store(f.db.db(), f.chapter).stored);
        QCOMPARE(f.questions(), 3);
    }

    void chapterGoneKeepsNothing()
    {
        Fixture f;
        const ImportPlan plan = f.plan();
        f.db.exec(QStringLiteral("delete from 考试训练题库"));
        f.db.exec(QStringLiteral("delete from fenlei"));
        const ImportPlan::Outcome outcome = plan.store(f.db.db(), f.chapter);
        QVERIFY(!outcome.stored);
        QCOMPARE(outcome.message,
                 QStringLiteral("[软件提示]：该章节已经被删除，试题没有保存，请重新选择章节."));
        QCOMPARE(QuestionTable(f.db.db()).countAll(), 0);
    }
};

DRILLBAY_TEST(ImportPlanTest)
#include "ImportPlanTest.moc"
