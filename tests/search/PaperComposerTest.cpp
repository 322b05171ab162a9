#include "search/PaperComposer.h"
#include "ExamTestQuestions.h"
#include "RecordingNotifier.h"
#include "ScriptedRandom.h"
#include "TestDatabase.h"
#include "TestRegistry.h"
#include "question/QuestionType.h"
#include "store/QuestionTable.h"

#include <QTest>

namespace {

// Bank "安规题库": chapter 第一章 with 3 single choice, 2 multiple choice, 1
// essay; chapter 第二章 with 2 single choice and 1 fill-in. Another bank holds
// one true/false question.
struct Bank
{
    TestDatabase db;
    qint64 bank = 0;
    qint64 first = 0;
    qint64 second = 0;
    QList<qint64> firstSingles;

    Bank()
    {
        bank = db.addBank(QStringLiteral("安规题库"));
        first = db.addChapter(bank, QStringLiteral("第一章"));
        second = db.addChapter(bank, QStringLiteral("第二章"));
        for (int i = 1; i <= 3; ++i)
            firstSingles << add(first, 1, QStringLiteral("单%1").arg(i), QStringLiteral("2"));
        add(first, 2, QStringLiteral("多1"), QStringLiteral("13"));
        add(first, 2, QStringLiteral("多2"), QStringLiteral("24"));
        add(first, 5, QStringLiteral("论1"), QStringLiteral("答"));
        add(second, 1, QStringLiteral("单4"), QStringLiteral("1"));
        add(second, 1, QStringLiteral("单5"), QStringLiteral("1"));
        add(second, 3, QStringLiteral("填1"), QStringLiteral("空"));
        const qint64 other =
            db.addChapter(db.addBank(QStringLiteral("别的题库")), QStringLiteral("别章"));
        add(other, 4, QStringLiteral("判1"), QStringLiteral("1"));
    }
    qint64 add(qint64 chapter, int type, const QString &stem, const QString &answer)
    {
        return db.addQuestion(chapter, type, stem, sampleOptions(), answer, 2);
    }
    // The stored scores of the bank by type, as "type:points" in id order.
    QStringList points(qint64 bankId) const
    {
        QStringList all;
        for (const QuestionRow &q : QuestionTable(db.db()).read(QuestionScope::bank(bankId), 100))
            all << QStringLiteral("%1:%2").arg(q.type).arg(q.points);
        return all;
    }
};

QStringList headers(const StyledText &lines)
{
    QStringList all;
    for (const StyledLine &line : lines) {
        if (line.text().startsWith(QStringLiteral("【")))
            all << line.text().section(QLatin1Char(' '), 0, 0);
    }
    return all;
}

} // namespace

class PaperComposerTest : public QObject
{
    Q_OBJECT

private slots:
    void openingCountsTheScope()
    {
        Bank b;
        RecordingNotifier notifier;
        ScriptedRandom random;
        PaperComposer composer(b.db.db(), notifier, random);

        composer.open(PaperComposer::Scope::Chapter, QStringLiteral("第一章"),
                      QStringLiteral("安规题库"));
        const PaperComposer::Page &page = composer.page();
        QCOMPARE(page.total, QStringLiteral("6"));
        QCOMPARE(page.types[0].available, 3);
        QVERIFY(page.types[0].present);
        QCOMPARE(page.types[1].available, 2);
        QVERIFY(!page.types[2].present);
        QVERIFY(!page.types[3].present);
        QCOMPARE(page.types[4].available, 1);
        QCOMPARE(page.bankLine, QString());
        QCOMPARE(page.types[4].score, QStringLiteral("5"));
        QCOMPARE(page.target, QStringLiteral("100"));

        composer.open(PaperComposer::Scope::Bank, QStringLiteral("第一章"),
                      QStringLiteral("安规题库"));
        QCOMPARE(composer.page().total, QStringLiteral("9"));
        QCOMPARE(composer.page().types[0].available, 5);
        QVERIFY(composer.page().types[2].present);
        QVERIFY(!composer.page().types[3].present);
        QCOMPARE(composer.page().bankLine, QStringLiteral("当前试题库:9道/  全库:10道"));
        QVERIFY(notifier.notices.isEmpty());
    }

    void recalculation_data()
    {
        QTest::addColumn<QStringList>("scores");
        QTest::addColumn<QString>("target");
        QTest::addColumn<int>("movedType");
        QTest::addColumn<QList<int>>("drawn");
        QTest::addColumn<QString>("selected");
        QTest::addColumn<QString>("successLine");

        const QStringList defaults{"1", "1", "1", "1", "5"};
        QTest::newRow("single choice moved: half-width colon")
            << defaults << "10" << 1 << QList<int>{3, 2, 0, 0, 1} << "10"
            << "[软件提示]:恭喜! 可以点击【确定】按钮生成10分试题.";
        QTest::newRow("another moved: full-width colon")
            << defaults << "10" << 5 << QList<int>{3, 2, 0, 0, 1} << "10"
            << "[软件提示]：恭喜! 可以点击【确定】按钮生成10分试题.";
        QTest::newRow("not equal empties the line")
            << defaults << "100" << 1 << QList<int>{3, 2, 0, 0, 1} << "10"
            << "";
        QTest::newRow("two-digit scores") << QStringList{"99", "1", "1", "1", "5"} << "200" << 2
                                          << QList<int>{2, 2, 0, 0, 0} << "200"
                                          << "[软件提示]：恭喜! 可以点击【确定】按钮生成200分试题.";
        QTest::newRow("target that is no whole number never matches")
            << defaults << "1." << 1 << QList<int>{1, 0, 0, 0, 0} << "1"
            << "";
        QTest::newRow("score of a dot: total kept, the field named")
            << QStringList{"1", ".", "1", "1", "5"} << "3" << 1 << QList<int>{3, 0, 0, 0, 0} << "0"
            << "[软件提示]：多项选择题每道小题得分 [.] 不是整数，请输入整数分数.";
        QTest::newRow("empty score field")
            << QStringList{"1", "1", "1", "1", ""} << "3" << 1 << QList<int>{3, 0, 0, 0, 0} << "0"
            << "[软件提示]：问答或论述题每道小题得分 [] 不是整数，请输入整数分数.";
        QTest::newRow("slider beyond the count is held at it")
            << defaults << "3" << 1 << QList<int>{9, 0, 0, 0, 0} << "3"
            << "[软件提示]:恭喜! 可以点击【确定】按钮生成3分试题.";
    }
    void recalculation()
    {
        QFETCH(QStringList, scores);
        QFETCH(QString, target);
        QFETCH(int, movedType);
        QFETCH(QList<int>, drawn);
        QFETCH(QString, selected);
        QFETCH(QString, successLine);
        Bank b;
        RecordingNotifier notifier;
        ScriptedRandom random;
        PaperComposer composer(b.db.db(), notifier, random);
        composer.open(PaperComposer::Scope::Chapter, QStringLiteral("第一章"), QString());
        for (const QuestionType questionType : question::allTypes()) {
            const int t = question::code(questionType);
            composer.setScore(t, scores.at(t - 1));
        }
        composer.setTarget(target);
        for (const QuestionType questionType : question::allTypes()) {
            const int t = question::code(questionType);
            if (t != movedType)
                composer.moveSlider(t, drawn.at(t - 1));
        }
        composer.moveSlider(movedType, drawn.at(movedType - 1));
        QCOMPARE(composer.page().selected, selected);
        QCOMPARE(composer.page().successLine, successLine);
    }

    void confirmation_data()
    {
        QTest::addColumn<QString>("target");
        QTest::addColumn<QString>("singleScore");
        QTest::addColumn<int>("singles");
        QTest::addColumn<int>("result");
        QTest::addColumn<QString>("notice");

        const int refused = int(PaperComposer::Confirmation::Refused);
        const int atTarget = int(PaperComposer::Confirmation::RefusedAtTarget);
        const int open = int(PaperComposer::Confirmation::Open);
        QTest::newRow("equal opens") << "3"
                                     << "1" << 3 << open << "";
        QTest::newRow("200 passes") << "200"
                                    << "99" << 2 << refused
                                    << "[软件提示]：设定试题数量得分 [198] 分与总分 [200] "
                                       "分不相等,请调节各题型试题数量.";
        QTest::newRow("201 refused even when equal")
            << "201"
            << "67" << 3 << refused << "[软件提示]：设定试题数量过大，不超过200分";
        QTest::newRow("empty target") << ""
                                      << "1" << 3 << atTarget << "[软件提示]：组卷总分未设定";
        QTest::newRow("dot target is not read as 0")
            << "."
            << "1" << 0 << atTarget << "[软件提示]：组卷总分 [.] 不是整数，请输入整数分数.";
        QTest::newRow("score of a drawn type not whole")
            << "3"
            << "." << 3 << refused
            << "[软件提示]：单项选择题每道小题得分 [.] 不是整数，请输入整数分数.";
        QTest::newRow("target 0 with nothing drawn opens no empty paper")
            << "0"
            << "1" << 0 << refused << "[软件提示]：尚未选择试题，请调节各题型试题数量.";
    }
    void confirmation()
    {
        QFETCH(QString, target);
        QFETCH(QString, singleScore);
        QFETCH(int, singles);
        QFETCH(int, result);
        QFETCH(QString, notice);
        Bank b;
        RecordingNotifier notifier;
        ScriptedRandom random;
        PaperComposer composer(b.db.db(), notifier, random);
        composer.open(PaperComposer::Scope::Chapter, QStringLiteral("第一章"), QString());
        composer.setScore(1, singleScore);
        composer.setTarget(target);
        composer.moveSlider(1, singles);
        QCOMPARE(int(composer.confirm()), result);
        QCOMPARE(notifier.notices, notice.isEmpty() ? QStringList{} : QStringList{notice});
    }

    void twoHundredExactlyOpens()
    {
        Bank b;
        RecordingNotifier notifier;
        ScriptedRandom random;
        PaperComposer composer(b.db.db(), notifier, random);
        composer.open(PaperComposer::Scope::Bank, QString(), QStringLiteral("安规题库"));
        composer.setScore(1, QStringLiteral("40"));
        composer.setTarget(QStringLiteral("200"));
        composer.moveSlider(1, 5);
        QCOMPARE(composer.confirm(), PaperComposer::Confirmation::Open);
    }

    void paperKeepsStoredOrderPerType()
    {
        Bank b;
        RecordingNotifier notifier;
        ScriptedRandom random;
        // Single choice of the chapter: the third, then the first (the second
        // of the two left); multiple choice: the second; essay: the only one.
        random.script = {2, 1, 1, 0};
        PaperComposer composer(b.db.db(), notifier, random);
        composer.open(PaperComposer::Scope::Chapter, QStringLiteral("第一章"), QString());
        composer.moveSlider(1, 2);
        composer.moveSlider(2, 1);
        composer.moveSlider(5, 1);
        const StyledText paper = composer.compose();
        QCOMPARE(headers(paper), (QStringList{"【01】(单选题).单1", "【02】(单选题).单3",
                                              "【01】(多选题).多2", "【01】(论述题).论1"}));
        QCOMPARE(random.asked, (QList<int>{3, 2, 2, 1}));
        QVERIFY(plainText(paper).contains(QStringLiteral("正确答案：BD")));
        QCOMPARE(paper.first().text(), QString(53, QLatin1Char('-')));
    }

    void fullSliderDrawsEveryCandidate()
    {
        Bank b;
        RecordingNotifier notifier;
        ScriptedRandom random;
        random.script = {4, 3, 2, 1, 0};
        PaperComposer composer(b.db.db(), notifier, random);
        composer.open(PaperComposer::Scope::Bank, QString(), QStringLiteral("安规题库"));
        composer.moveSlider(1, 5);
        QCOMPARE(headers(composer.compose()),
                 (QStringList{"【01】(单选题).单1", "【02】(单选题).单2", "【03】(单选题).单3",
                              "【04】(单选题).单4", "【05】(单选题).单5"}));
    }

    void drawStopsWhenCandidatesRunOut()
    {
        Bank b;
        RecordingNotifier notifier;
        ScriptedRandom random;
        PaperComposer composer(b.db.db(), notifier, random);
        composer.open(PaperComposer::Scope::Chapter, QStringLiteral("第一章"), QString());
        composer.moveSlider(1, 3);
        b.db.exec(
            QStringLiteral("DELETE FROM 考试训练题库 WHERE id = %1").arg(b.firstSingles.at(1)));
        QCOMPARE(headers(composer.compose()).size(), 2);
        b.db.exec(QStringLiteral("DELETE FROM fenlei WHERE id = %1").arg(b.first));
        b.db.exec(QStringLiteral("DELETE FROM 考试训练题库 WHERE 试卷分类 = %1").arg(b.first));
        QVERIFY(composer.compose().isEmpty());
        QVERIFY(notifier.notices.isEmpty());
    }

    void rewriteScoresOfTheWholeBank()
    {
        Bank b;
        RecordingNotifier notifier;
        ScriptedRandom random;
        PaperComposer composer(b.db.db(), notifier, random);
        // Opened for the chapter, the rewrite still covers the picker's bank.
        composer.open(PaperComposer::Scope::Chapter, QStringLiteral("第一章"), QString());
        const QStringList scores{"2", "3", "1", "1", "10"};
        for (const QuestionType questionType : question::allTypes()) {
            const int t = question::code(questionType);
            composer.setScore(t, scores.at(t - 1));
        }
        QVERIFY(composer.rewriteScores(QStringLiteral("安规题库")));
        QCOMPARE(b.points(b.bank),
                 (QStringList{"1:2", "1:2", "1:2", "2:3", "2:3", "5:10", "1:2", "1:2", "3:1"}));
        QCOMPARE(b.points(2), QStringList{"4:2"}); // the other bank untouched
        QCOMPARE(composer.page().scoreLine, PaperComposer::scoresRewrittenLine());
        QVERIFY(!composer.page().scoresEnabled);
        QVERIFY(!composer.page().rewriteEnabled);
        composer.unlockScores();
        QVERIFY(composer.page().scoresEnabled && composer.page().rewriteEnabled);

        composer.moveSlider(1, 1);
        QVERIFY(composer.compose().first().text().isEmpty() == false);
        QVERIFY(plainText(composer.compose()).contains(QStringLiteral("(本题分数:2分)")));
        // Opening keeps the line of the last rewrite.
        composer.open(PaperComposer::Scope::Bank, QString(), QStringLiteral("安规题库"));
        QCOMPARE(composer.page().scoreLine, PaperComposer::scoresRewrittenLine());
    }

    void rewriteRefusesBeforeWritingAnything_data()
    {
        QTest::addColumn<QStringList>("scores");
        QTest::addColumn<QString>("notice");
        QTest::newRow("empty fourth field names single choice")
            << QStringList{"2", "3", "1", "", "10"} << "软件提示：请输入单项选择题各个小题分数.";
        QTest::newRow("blank field")
            << QStringList{"2", " ", "1", "1", "10"} << "软件提示：请输入单项选择题各个小题分数.";
        QTest::newRow("dot in the last field: nothing rewritten")
            << QStringList{"2", "3", "1", "1", "."}
            << "[软件提示]：问答或论述题每道小题得分 [.] 不是整数，请输入整数分数. "
               "各题型得分均未修改.";
        QTest::newRow("decimal") << QStringList{"2", "1.5", "1", "1", "1"}
                                 << "[软件提示]：多项选择题每道小题得分 [1.5] "
                                    "不是整数，请输入整数分数. 各题型得分均未修改.";
    }
    void rewriteRefusesBeforeWritingAnything()
    {
        QFETCH(QStringList, scores);
        QFETCH(QString, notice);
        Bank b;
        RecordingNotifier notifier;
        ScriptedRandom random;
        PaperComposer composer(b.db.db(), notifier, random);
        composer.open(PaperComposer::Scope::Bank, QString(), QStringLiteral("安规题库"));
        const QStringList before = b.points(b.bank);
        for (const QuestionType questionType : question::allTypes()) {
            const int t = question::code(questionType);
            composer.setScore(t, scores.at(t - 1));
        }
        QVERIFY(!composer.rewriteScores(QStringLiteral("安规题库")));
        QCOMPARE(notifier.notices, QStringList{notice});
        QCOMPARE(b.points(b.bank), before);
        QVERIFY(!composer.page().rewriteEnabled);
        QVERIFY(composer.page().scoresEnabled);
    }

    void failedRewriteLeavesEveryScore()
    {
        Bank b;
        RecordingNotifier notifier;
        ScriptedRandom random;
        PaperComposer composer(b.db.db(), notifier, random);
        composer.open(PaperComposer::Scope::Bank, QString(), QStringLiteral("安规题库"));
        const QStringList before = b.points(b.bank);
        // The third type's update fails after the first two have run.
        b.db.refuseWrites(QStringLiteral("update"), QStringLiteral("考试训练题库"),
                          QStringLiteral("attempt to write a readonly database"),
                          QStringLiteral("old.题目类型 = 3"));
        for (const QuestionType questionType : question::allTypes()) {
            const int t = question::code(questionType);
            composer.setScore(t, QStringLiteral("7"));
        }
        QVERIFY(!composer.rewriteScores(QStringLiteral("安规题库")));
        QCOMPARE(b.points(b.bank), before);
        QCOMPARE(notifier.notices,
                 QStringList{
                     "[软件提示]：各题型得分未能修改，题库中的分数保持原样。原因："
                     "数据文件拒绝了这次操作（详细信息：attempt to write a readonly database）"});
        // The next action is not wedged: unlock, drop the fault, rewrite.
        b.db.acceptWrites();
        composer.unlockScores();
        QVERIFY(composer.rewriteScores(QStringLiteral("安规题库")));
        QVERIFY(b.points(b.bank).first() == QStringLiteral("1:7"));
    }
};

DRILLBAY_TEST(PaperComposerTest)
#include "PaperComposerTest.moc"
