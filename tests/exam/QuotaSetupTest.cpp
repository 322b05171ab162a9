#include "ExamTestQuestions.h"
#include "RecordingNotifier.h"
#include "ScriptedRandom.h"
#include "TestDatabase.h"
#include "TestRegistry.h"

#include "exam/MockExamForm.h"
#include "exam/QuotaRules.h"
#include "exam/QuotaSetup.h"
#include "question/QuestionType.h"
#include "store/QuotaTable.h"

#include <QTest>

namespace {

// Bank 安规: 第一章 with 5 single choice, 2 multiple choice and 1 essay;
// 第二章 with 3 single choice and 2 true/false; 第三章 empty. A disabled
// bank 停用 follows, then bank 配电 with 配一 (2 single choice).
struct Banks
{
    TestDatabase db;
    qint64 safety = 0;
    qint64 disabled = 0;
    qint64 wiring = 0;
    qint64 first = 0;
    qint64 second = 0;
    qint64 third = 0;
    qint64 wiringChapter = 0;
    QList<qint64> firstSingles;
    QList<qint64> firstEssays;
    QList<qint64> secondTrueFalse;

    Banks()
    {
        safety = db.addBank(QStringLiteral("安规"));
        disabled = db.addBank(QStringLiteral("停用"), false);
        wiring = db.addBank(QStringLiteral("配电"));
        first = db.addChapter(safety, QStringLiteral("第一章"));
        second = db.addChapter(safety, QStringLiteral("第二章"));
        third = db.addChapter(safety, QStringLiteral("第三章"));
        wiringChapter = db.addChapter(wiring, QStringLiteral("配一"));
        for (int i = 0; i < 5; ++i)
            firstSingles << add(first, 1);
        add(first, 2);
        add(first, 2);
        firstEssays << add(first, 5);
        for (int i = 0; i < 3; ++i)
            add(second, 1);
        secondTrueFalse << add(second, 4) << add(second, 4);
        add(wiringChapter, 1);
        add(wiringChapter, 1);
    }
    qint64 add(qint64 chapter, int type)
    {
        return db.addQuestion(chapter, type, QStringLiteral("题"), sampleOptions(),
                              type == 4 ? QStringLiteral("1") : QStringLiteral("1"));
    }
    qint64 addRow(qint64 bank, qint64 chapter, int position, std::array<int, 5> counts,
                  std::array<QString, 5> drawn = {})
    {
        QuotaRow row;
        row.bankId = bank;
        row.chapterId = chapter;
        row.position = position;
        row.quota = counts;
        row.drawn = std::move(drawn);
        return QuotaTable(db.db()).saveChapter(row);
    }
    QVector<QuotaRow> rows(qint64 bank) const { return QuotaTable(db.db()).ofBank(bank); }
};

struct Page
{
    RecordingNotifier notifier;
    ScriptedRandom random;
    MockExamForm form;
    QuotaSetup setup;

    explicit Page(const Banks &banks) : setup(banks.db.db(), notifier, random, form) {}

    void choose(int type, int quota)
    {
        setup.choose(type, static_cast<int>(setup.type(type).choices.indexOf(quota)));
    }
};

QString list(const QList<qint64> &ids)
{
    return quota::listOf(QVector<qint64>(ids.begin(), ids.end()));
}

} // namespace

// The quota page's state over a real database: banks, chapters, the chapter
// being edited, the save with its check and notices, the table, deletion and
// the re-draw of a bank.
class QuotaSetupTest : public QObject
{
    Q_OBJECT

private slots:
    void openingChoosesThePickersBank_data()
    {
        QTest::addColumn<int>("picker"); // 0 安规, 1 停用, 2 配电, 3 none
        QTest::addColumn<int>("position");
        QTest::addColumn<QString>("chapter");
        QTest::newRow("first bank") << 0 << 0 << "第一章";
        QTest::newRow("second enabled bank") << 2 << 1 << "配一";
        QTest::newRow("disabled bank: the first") << 1 << 0 << "第一章";
        QTest::newRow("no bank in the picker") << 3 << 0 << "第一章";
    }

    void openingChoosesThePickersBank()
    {
        QFETCH(int, picker);
        QFETCH(int, position);
        QFETCH(QString, chapter);
        Banks b;
        Page p(b);
        const QList<qint64> ids{b.safety, b.disabled, b.wiring, 0};
        p.setup.open(ids.at(picker));
        QCOMPARE(p.setup.banks().size(), 2);
        QCOMPARE(p.setup.banks().at(0).name, QStringLiteral("安规"));
        QCOMPARE(p.setup.banks().at(1).name, QStringLiteral("配电"));
        QCOMPARE(p.setup.bankPosition(), position);
        QCOMPARE(p.setup.editedPosition(), 0);
        QCOMPARE(p.setup.editedName(), chapter);
        QVERIFY(p.notifier.notices.isEmpty());
    }

    void everyEnabledBankIsOffered()
    {
        TestDatabase db;
        for (int i = 1; i <= 8; ++i)
            db.addBank(QStringLiteral("库%1").arg(i), i != 3);
        RecordingNotifier notifier;
        ScriptedRandom random;
        MockExamForm form;
        QuotaSetup setup(db.db(), notifier, random, form);
        setup.open(0);
        QStringList names;
        for (const BankRow &bank : setup.banks())
            names << bank.name;
        QCOMPARE(names, (QStringList{"库1", "库2", "库4", "库5", "库6", "库7", "库8"}));
        // A bank without chapters: nothing to edit, and nothing is stored.
        QCOMPARE(setup.editedPosition(), -1);
        QVERIFY(!setup.save());
        QCOMPARE(notifier.notices, QStringList{quotarules::noChapterNotice()});
    }

    void chapterListAndCounts()
    {
        Banks b;
        Page p(b);
        p.setup.open(b.safety);
        QStringList items;
        for (const QuotaSetup::Chapter &c : p.setup.chapters())
            items << c.item;
        QCOMPARE(items,
                 (QStringList{"【01】第一章(8道)", "【02】第二章(5道)", "【03】第三章(0道)"}));
        QCOMPARE(p.setup.chapterCountLine(), QStringLiteral("本章题目数:8道"));
        QCOMPARE(p.setup.type(1).choices, (QList<int>{5, 4, 3, 2, 1, 0}));
        QCOMPARE(p.setup.type(1).chosen, 5);
        QCOMPARE(p.setup.type(2).choices, (QList<int>{2, 1, 0}));
        QVERIFY(!p.setup.type(3).present());
        QVERIFY(!p.setup.type(4).present());
        QCOMPARE(p.setup.type(5).choices, (QList<int>{1, 0}));
        QCOMPARE(p.setup.quotaSum(), 0);

        p.setup.editChapter(2);
        QCOMPARE(p.setup.editedName(), QStringLiteral("第三章"));
        QCOMPARE(p.setup.chapterCountLine(), QStringLiteral("本章题目数:0道"));
        for (const QuestionType questionType : question::allTypes()) {
            const int type = question::code(questionType);
            QVERIFY(!p.setup.type(type).present());
        }
        p.setup.editChapter(7); // outside the list: nothing changes
        QCOMPARE(p.setup.editedPosition(), 2);
    }

    void storedQuotaIsChosen_data()
    {
        QTest::addColumn<int>("stored");
        QTest::addColumn<int>("chosen"); // index into 5 … 0
        QTest::addColumn<int>("sum");
        QTest::newRow("offered") << 3 << 2 << 4;
        QTest::newRow("every question") << 5 << 0 << 6;
        QTest::newRow("more than the chapter holds: no choice") << 9 << -1 << 1;
    }

    void storedQuotaIsChosen()
    {
        QFETCH(int, stored);
        QFETCH(int, chosen);
        QFETCH(int, sum);
        Banks b;
        b.addRow(b.safety, b.first, 1, {stored, 0, 0, 0, 1});
        Page p(b);
        p.setup.open(b.safety);
        QCOMPARE(p.setup.type(1).chosen, chosen);
        QCOMPARE(p.setup.type(5).chosen, 0);
        QCOMPARE(p.setup.quotaSum(), sum);
    }

    void saveDrawsAndStoresTheChapter()
    {
        Banks b;
        Page p(b);
        p.setup.open(b.safety);
        p.choose(1, 2);
        p.choose(5, 1);
        QCOMPARE(p.setup.quotaSum(), 3);
        p.random.script = {4, 0, 0};
        QVERIFY(p.setup.save());
        QCOMPARE(p.notifier.notices, QStringList{quotarules::savedNotice()});
        QVector<QuotaRow> rows = b.rows(b.safety);
        QCOMPARE(rows.size(), 1);
        QCOMPARE(rows[0].chapterId, b.first);
        QCOMPARE(rows[0].position, 1);
        QCOMPARE(rows[0].quota, (std::array<int, 5>{2, 0, 0, 0, 1}));
        QCOMPARE(rows[0].total, 3);
        QCOMPARE(rows[0].drawn[0], list({b.firstSingles[4], b.firstSingles[1]}));
        QCOMPARE(rows[0].drawn[1], QString());
        QCOMPARE(rows[0].drawn[4], list({b.firstEssays[0]}));
        QCOMPARE(p.setup.tableRows().size(), 1);
        QCOMPARE(p.setup.totals(), (std::array<int, 6>{2, 0, 0, 0, 1, 3}));

        // Saving again updates the one row with a new draw.
        p.random.script = {0, 0, 0};
        QVERIFY(p.setup.save());
        rows = b.rows(b.safety);
        QCOMPARE(rows.size(), 1);
        QCOMPARE(rows[0].drawn[0], list({b.firstSingles[0], b.firstSingles[1]}));

        // Every question of a type, the last one included.
        p.choose(1, 5);
        p.random.script = {};
        QVERIFY(p.setup.save());
        QCOMPARE(quota::idsOf(b.rows(b.safety)[0].drawn[0]).size(), 5);
    }

    void saveChecksTheQuestionLimit()
    {
        Banks b;
        b.addRow(b.safety, b.second, 2, {3, 0, 0, 2, 0}, {"#1#2#3", "", "", "#4#5", ""});
        b.addRow(b.safety, b.first, 1, {1, 0, 0, 0, 0}, {"#99"});
        b.addRow(b.wiring, b.wiringChapter, 1, {2, 0, 0, 0, 0}); // another bank
        Page p(b);
        p.setup.open(b.safety);
        p.setup.editQuestionLimit(QStringLiteral("10"));
        QCOMPARE(p.form.questionLimit, 10);
        p.choose(1, 5);
        p.choose(5, 1);
        QVERIFY(!p.setup.save());
        QCOMPARE(p.notifier.notices.size(), 1);
        QCOMPARE(p.notifier.notices[0], QStringLiteral("[软件提示]： 数据库中原有试题量:[5]道. \r\n"
                                                       "你本次抽取了 [6]道..共[11]道 \r\n"
                                                       "超过系统设定的试题量: [10]道 \r\n"
                                                       "提示：本次最大抽取试题数: [5]道 \r\n"
                                                       "请重新选取本章试题，或者右键删除已经抽取"
                                                       "的试题数量 ."));
        QCOMPARE(b.rows(b.safety)[0].drawn[0], QStringLiteral("#99")); // nothing stored

        p.notifier.notices.clear();
        p.choose(1, 4);
        QVERIFY(p.setup.save());
        QCOMPARE(p.notifier.notices,
                 (QStringList{quotarules::savedNotice(), quotarules::limitReachedNotice(10)}));
        QCOMPARE(p.setup.totals()[5], 10);
    }

    void aBankChangeOpensItsFirstChapter()
    {
        Banks b;
        Page p(b);
        p.setup.open(b.safety);
        p.setup.editChapter(1);
        p.choose(4, 2);
        p.setup.chooseBank(1);
        QCOMPARE(p.setup.bankId(), b.wiring);
        QCOMPARE(p.setup.editedChapterId(), b.wiringChapter);
        QCOMPARE(p.setup.type(4).present(), false);
        QCOMPARE(p.setup.quotaSum(), 0);
        p.choose(1, 1);
        QVERIFY(p.setup.save());
        QVERIFY(b.rows(b.safety).isEmpty());
        QCOMPARE(b.rows(b.wiring).size(), 1);
        QCOMPARE(b.rows(b.wiring)[0].chapterId, b.wiringChapter);

        // Opening again with the same bank keeps the chapter being edited.
        p.setup.open(b.wiring);
        QCOMPARE(p.setup.editedChapterId(), b.wiringChapter);
        p.setup.open(b.safety);
        QCOMPARE(p.setup.editedChapterId(), b.first);
    }

    void openingAgainReadsTheChapters_data()
    {
        QTest::addColumn<bool>("deleteEdited");
        QTest::newRow("an earlier chapter deleted") << false;
        QTest::newRow("the edited chapter deleted") << true;
    }

    void openingAgainReadsTheChapters()
    {
        QFETCH(bool, deleteEdited);
        Banks b;
        Page p(b);
        p.setup.open(b.safety);
        p.setup.editChapter(1);
        p.choose(4, 1);
        b.db.exec(QStringLiteral("delete from fenlei where id = %1")
                      .arg(deleteEdited ? b.second : b.first));
        if (deleteEdited) {
            // Saving a chapter that is gone stores nothing and opens the first one left.
            QVERIFY(!p.setup.save());
            QCOMPARE(p.notifier.notices,
                     QStringList{QStringLiteral("[软件提示]:章节【第二章】已不存在，抽题数据没有"
                                                "保存，请重新双击选择章节.")});
            QVERIFY(b.rows(b.safety).isEmpty());
            QCOMPARE(p.setup.editedName(), QStringLiteral("第一章"));
            QCOMPARE(p.setup.editedPosition(), 0);
            return;
        }
        p.setup.open(b.safety);
        QCOMPARE(p.setup.chapters().size(), 2);
        QCOMPARE(p.setup.chapters()[0].item, QStringLiteral("【01】第二章(5道)"));
        QCOMPARE(p.setup.editedPosition(), 0);
        QCOMPARE(p.setup.editedName(), QStringLiteral("第二章"));
        QCOMPARE(p.setup.quotaSum(), 1); // the choice made stays
        QVERIFY(p.setup.save());
        QCOMPARE(b.rows(b.safety)[0].position, 1);
    }

    void aFailedSaveTellsAndStoresNothing()
    {
        Banks b;
        Page p(b);
        p.setup.open(b.safety);
        p.choose(1, 2);
        b.db.refuseWrites(QStringLiteral("insert"), QStringLiteral("rand_num"),
                          QStringLiteral("database or disk is full"));
        QVERIFY(!p.setup.save());
        QCOMPARE(p.notifier.notices,
                 QStringList{QStringLiteral("[软件提示]：抽题数据没有保存，原因：") +
                             TestDatabase::refusal(QStringLiteral("database or disk is full"))});
        QVERIFY(b.rows(b.safety).isEmpty());
        b.db.acceptWrites();
        QVERIFY(p.setup.save());
        QCOMPARE(b.rows(b.safety).size(), 1);
    }

    void tableRowsAndTotals()
    {
        Banks b;
        b.addRow(b.safety, b.second, 3, {3, 0, 0, 1, 0});
        b.addRow(b.safety, 999, 2, {0, 1, 0, 0, 0}); // its chapter is gone
        b.addRow(b.safety, b.first, 1, {2, 1, 0, 0, 1});
        b.addRow(b.wiring, b.wiringChapter, 1, {2, 0, 0, 0, 0});
        Page p(b);
        p.setup.open(b.safety);
        const QVector<QuotaSetup::TableRow> &rows = p.setup.tableRows();
        QCOMPARE(rows.size(), 3);
        QCOMPARE(rows[0].position, QStringLiteral("1"));
        QCOMPARE(rows[0].total, 4);
        QCOMPARE(rows[1].position, QStringLiteral("已删除"));
        QVERIFY(rows[1].chapterGone);
        QCOMPARE(rows[2].position, QStringLiteral("3"));
        QCOMPARE(rows[2].quota, (std::array<int, 5>{3, 0, 0, 1, 0}));
        QCOMPARE(p.setup.totals(), (std::array<int, 6>{5, 2, 0, 1, 1, 9}));
        QCOMPARE(p.setup.bankTotalFigure(b.safety), QStringLiteral("已抽题数:9"));
        QCOMPARE(p.setup.bankTotalFigure(b.disabled), QStringLiteral("已抽题数:0"));
        QVERIFY(!QuotaSetup::rowPaper(0).has_value());
        QCOMPARE(QuotaSetup::rowPaper(rows[0].id)->id, rows[0].id);
    }

    void deletingARow_data()
    {
        QTest::addColumn<bool>("selected");
        QTest::addColumn<bool>("answer");
        QTest::addColumn<int>("questions");
        QTest::addColumn<int>("left");
        QTest::newRow("confirmed") << true << true << 1 << 0;
        QTest::newRow("declined") << true << false << 1 << 1;
        QTest::newRow("no row selected") << false << true << 0 << 1;
    }

    void deletingARow()
    {
        QFETCH(bool, selected);
        QFETCH(bool, answer);
        QFETCH(int, questions);
        QFETCH(int, left);
        Banks b;
        const qint64 id = b.addRow(b.safety, b.first, 1, {2, 0, 0, 0, 0});
        Page p(b);
        p.setup.open(b.safety);
        p.notifier.answers = {answer};
        QCOMPARE(p.setup.removeRow(selected ? id : 0), selected && answer);
        QCOMPARE(p.notifier.questions.size(), questions);
        if (questions) {
            QCOMPARE(p.notifier.questions[0].caption, QStringLiteral("提示信息"));
            QCOMPARE(p.notifier.questions[0].text,
                     QStringLiteral("你确定要【删除】本章抽取的试题数量设定吗？"));
        }
        QCOMPARE(p.setup.tableRows().size(), left);
        QCOMPARE(b.rows(b.safety).size(), left);
    }

    void redrawRenewsEveryList()
    {
        Banks b;
        const qint64 first =
            b.addRow(b.safety, b.first, 1, {2, 0, 0, 0, 1}, {"#1", "#777", "", "", "#2"});
        const qint64 second = b.addRow(b.safety, b.second, 2, {0, 0, 0, 3, 0}, {"#3"});
        const qint64 gone = b.addRow(b.safety, 999, 3, {1, 0, 0, 0, 0}, {"#4"});
        Page p(b);
        p.random.script = {1, 0, 0, 1, 0};
        QCOMPARE(p.setup.redraw(b.safety, QStringLiteral("安规")), QuotaSetup::Redraw::Done);
        QCOMPARE(p.notifier.questions.size(), 1);
        QCOMPARE(p.notifier.questions[0].text, quotarules::redrawQuestion());
        QCOMPARE(p.notifier.notices,
                 QStringList{quotarules::redrawnNotice(QStringLiteral("安规"), 5) + "\r\n" +
                             quotarules::shortChapterLine(QStringLiteral("第二章"), 4, 2, 3) +
                             "\r\n" + quotarules::goneChaptersLine(1)});
        QuotaTable table(b.db.db());
        const QuotaRow one = *table.row(first);
        QCOMPARE(one.quota, (std::array<int, 5>{2, 0, 0, 0, 1}));
        QCOMPARE(one.drawn[0], list({b.firstSingles[1], b.firstSingles[0]}));
        QCOMPARE(one.drawn[1], QStringLiteral("#777")); // quota 0: left as stored
        QCOMPARE(one.drawn[4], list({b.firstEssays[0]}));
        const QuotaRow two = *table.row(second);
        QCOMPARE(two.drawn[3], list({b.secondTrueFalse[1], b.secondTrueFalse[0]}));
        QCOMPARE(two.drawn[0], QStringLiteral("#3"));
        QCOMPARE(table.row(gone)->drawn[0], QStringLiteral("#4"));
    }

    // The re-draw draws what a chapter holds; the notice and each row's total
    // give the questions drawn, also where a chapter holds fewer than its quota.
    void redrawTellsTheQuestionsDrawn_data()
    {
        QTest::addColumn<QList<int>>("quotas"); // 第一章's row
        QTest::addColumn<int>("drawn");
        QTest::addColumn<int>("shortLines");
        QTest::newRow("quotas the chapter holds") << QList<int>{2, 1, 0, 0, 1} << 4 << 0;
        QTest::newRow("single choice over what it holds") << QList<int>{1500, 0, 0, 0, 0} << 5 << 1;
        QTest::newRow("two types over") << QList<int>{6, 3, 0, 0, 1} << 8 << 2;
        QTest::newRow("a type it lacks") << QList<int>{0, 0, 4, 0, 0} << 0 << 1;
    }
    void redrawTellsTheQuestionsDrawn()
    {
        QFETCH(QList<int>, quotas);
        QFETCH(int, drawn);
        QFETCH(int, shortLines);
        Banks b;
        std::array<int, 5> quota{};
        std::copy(quotas.begin(), quotas.end(), quota.begin());
        const qint64 row = b.addRow(b.safety, b.first, 1, quota);
        Page p(b);
        QCOMPARE(p.setup.redraw(b.safety, QStringLiteral("安规")), QuotaSetup::Redraw::Done);
        QCOMPARE(p.notifier.notices.size(), 1);
        const QStringList lines = p.notifier.notices[0].split(QStringLiteral("\r\n"));
        QCOMPARE(lines.first(), quotarules::redrawnNotice(QStringLiteral("安规"), drawn));
        QCOMPARE(lines.size(), 1 + shortLines);
        const QuotaRow stored = *QuotaTable(b.db.db()).row(row);
        QCOMPARE(stored.total, drawn);
        QCOMPARE(stored.quota, quota); // the quotas themselves stay
        int ids = 0;
        for (const QString &list : stored.drawn)
            ids += static_cast<int>(quota::idsOf(list).size());
        QCOMPARE(ids, drawn);
    }

    void redrawOutcomes_data()
    {
        QTest::addColumn<bool>("answer");
        QTest::addColumn<bool>("withRows");
        QTest::addColumn<bool>("failing");
        QTest::addColumn<int>("outcome");
        QTest::addColumn<QString>("notice");
        QTest::newRow("declined") << false << true << false << int(QuotaSetup::Redraw::Cancelled)
                                  << "";
        QTest::newRow("no quotas")
            << true << false << false << int(QuotaSetup::Redraw::NoQuotas)
            << "[软件提示]：当前数据库【安规】没有设定抽题数量，现在自动打开按章抽题选择.";
        QTest::newRow("a failed write undoes every row")
            << true << true << true << int(QuotaSetup::Redraw::Failed)
            << QStringLiteral("[软件提示]：重新抽取的试题没有保存，原因：") +
                   TestDatabase::refusal(QStringLiteral("database is locked"));
    }

    void redrawOutcomes()
    {
        QFETCH(bool, answer);
        QFETCH(bool, withRows);
        QFETCH(bool, failing);
        QFETCH(int, outcome);
        QFETCH(QString, notice);
        Banks b;
        if (withRows) {
            b.addRow(b.safety, b.first, 1, {2, 0, 0, 0, 0}, {"#1"});
            b.addRow(b.safety, b.second, 2, {1, 0, 0, 0, 0}, {"#2"});
        }
        if (failing)
            b.db.refuseWrites(QStringLiteral("update"), QStringLiteral("rand_num"),
                              QStringLiteral("database is locked"),
                              QStringLiteral("new.sele_zhang_xuhao = 2"));
        Page p(b);
        p.notifier.answers = {answer};
        QCOMPARE(int(p.setup.redraw(b.safety, QStringLiteral("安规"))), outcome);
        QCOMPARE(p.notifier.notices, notice.isEmpty() ? QStringList{} : QStringList{notice});
        if (withRows) {
            QCOMPARE(b.rows(b.safety)[0].drawn[0], QStringLiteral("#1"));
            QCOMPARE(b.rows(b.safety)[1].drawn[0], QStringLiteral("#2"));
        }
    }

    void fieldsSetTheExamination_data()
    {
        QTest::addColumn<bool>("minutes");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("shown");
        QTest::addColumn<int>("value");
        QTest::addColumn<int>("notices");
        QTest::newRow("time typed") << true << "90"
                                    << "90" << 90 << 0;
        QTest::newRow("time cleared") << true << ""
                                      << "60" << 60 << 1;
        QTest::newRow("time too long") << true << "200"
                                       << "180" << 180 << 1;
        QTest::newRow("count typed") << false << "45"
                                     << "45" << 45 << 0;
        QTest::newRow("count 200") << false << "200"
                                   << "150" << 150 << 1;
        QTest::newRow("time 0 runs 60") << true << "0"
                                        << "60" << 60 << 1;
        QTest::newRow("count 0 refused") << false << "0"
                                         << "120" << 120 << 1;
    }

    void fieldsSetTheExamination()
    {
        QFETCH(bool, minutes);
        QFETCH(QString, typed);
        QFETCH(QString, shown);
        QFETCH(int, value);
        QFETCH(int, notices);
        Banks b;
        Page p(b);
        QCOMPARE(p.setup.minutesText(), QStringLiteral("60"));
        QCOMPARE(p.setup.questionLimitText(), QStringLiteral("120"));
        if (minutes) {
            p.setup.editMinutes(typed);
            QCOMPARE(p.setup.minutesText(), shown);
            QCOMPARE(p.form.examMinutes, value);
        } else {
            p.setup.editQuestionLimit(typed);
            QCOMPARE(p.setup.questionLimitText(), shown);
            QCOMPARE(p.form.questionLimit, value);
        }
        QCOMPARE(p.notifier.notices.size(), notices);
    }
};

DRILLBAY_TEST(QuotaSetupTest)
#include "QuotaSetupTest.moc"
