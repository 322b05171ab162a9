#include "ExamTestQuestions.h"
#include "TestDatabase.h"
#include "TestRegistry.h"

#include "base/StoreError.h"
#include "exam/MockPaperLoader.h"
#include "store/QuotaTable.h"
#include "store/Sql.h"

#include <QTest>

Q_DECLARE_METATYPE(MockPaperLoader::Outcome)

namespace {

const QStringList kOptions = sampleOptions();

// Two chapters of one bank with questions of several types, and a quota row
// writer; a second bank's row shows that papers keep to their bank.
struct Bank
{
    Bank()
        : bank(db.addBank("变电运行")), first(db.addChapter(bank, "第一章 安全措施")),
          second(db.addChapter(bank, "第二章 倒闸操作"))
    {
    }

    qint64 question(qint64 chapter, int type, const QString &stem, const QString &answer = "1")
    {
        return db.addQuestion(chapter, type, stem, type <= 2 ? kOptions : QStringList{}, answer);
    }

    qint64 row(qint64 bankId, qint64 chapter, int position, const QStringList &drawn)
    {
        QStringList five = drawn;
        while (five.size() < 5)
            five << QString("");
        QVariantList values{bankId, chapter, position};
        for (const QString &list : five)
            values << static_cast<int>(quota::idsOf(list).size());
        for (const QString &list : five)
            values << list;
        return sql::run(db.db(),
                        "insert into rand_num (db_db_id, sele_zhang_id, sele_zhang_xuhao, s_num, "
                        "d_num, t_num, p_num, lunshu_num, s_num_shiti, d_num_shiti, t_num_shiti, "
                        "p_num_shiti, lunshu_num_shiti) values (?,?,?,?,?,?,?,?,?,?,?,?,?)",
                        values)
            .lastInsertId()
            .toLongLong();
    }

    static QString list(const QList<qint64> &ids)
    {
        QString text;
        for (qint64 id : ids)
            text += "#" + QString::number(id);
        return text;
    }

    TestDatabase db;
    qint64 bank;
    qint64 first;
    qint64 second;
};

QStringList stems(const RunContent &content)
{
    QStringList all;
    for (const RunQuestion &q : content.questions)
        all << q.stem;
    return all;
}

// The numbered header lines of the paper, in order.
QStringList headers(const StyledText &lines)
{
    QStringList all;
    for (const StyledLine &line : lines) {
        if (line.text().startsWith("【"))
            all << line.text().section(" (", 0, 0);
    }
    return all;
}

QStringList texts(const StyledText &lines, int count)
{
    QStringList all;
    for (int i = 0; i < count && i < lines.size(); ++i)
        all << lines.at(i).text();
    return all;
}

} // namespace

// Stored draws read into the paper and the examination: paper order across
// chapters and types, deleted and retyped questions, lists that are not
// clean, rows of chapters deleted since, and what each scope shows.
class MockPaperLoaderTest : public QObject
{
    Q_OBJECT

private slots:
    void bankPaperOrder()
    {
        Bank b;
        QList<qint64> firstSingles, secondSingles, judgements;
        for (int i = 1; i <= 6; ++i)
            firstSingles << b.question(b.first, 1, QString("一单%1").arg(i));
        for (int i = 1; i <= 4; ++i)
            secondSingles << b.question(b.second, 1, QString("二单%1").arg(i));
        for (int i = 1; i <= 5; ++i)
            judgements << b.question(b.first, 4, QString("一判%1").arg(i), "0");
        const qint64 essay = b.question(b.second, 5, "二论", "要点");
        // Inserted second-position first: the list order, not the row id, decides.
        b.row(b.bank, b.second, 2,
              {Bank::list({secondSingles[3], secondSingles[0], secondSingles[2], secondSingles[1]}),
               "", "", "", Bank::list({essay})});
        b.row(b.bank, b.first, 1,
              {Bank::list({firstSingles[5], firstSingles[0], firstSingles[3], firstSingles[1],
                           firstSingles[4], firstSingles[2]}),
               "", "", Bank::list(judgements)});
        b.row(b.db.addBank("线路"), b.first, 1, {Bank::list({firstSingles[0]})});

        const MockPaperLoader::Paper paper =
            MockPaperLoader(b.db.db()).load(PaperScope::ofBank(b.bank));
        QCOMPARE(paper.outcome, MockPaperLoader::Outcome::Ready);
        QCOMPARE(
            stems(paper.content),
            (QStringList{"一单6", "一单1", "一单4", "一单2", "一单5", "一单3", "二单4", "二单1",
                         "二单3", "二单2", "一判1", "一判2", "一判3", "一判4", "一判5", "二论"}));
        QCOMPARE(paper.content.mode, RunMode::MockExamination);
        QVERIFY(paper.content.examMode);
        QCOMPARE(paper.content.questions.at(10).correctAnswer, QString("0"));
        QVERIFY(paper.content.questions.at(0).userAnswer.isEmpty());
        QCOMPARE(paper.drawnCount(), 16);
        QCOMPARE(texts(paper.lines, 11),
                 (QStringList{"", "本数据库名:变电运行", "", "", "本数据库随机抽取试题数:16",
                              "单选试题数:10", "多选试题数:0", "填空试题数:0", "判断试题数:5",
                              "论述试题数:1", ""}));
        QCOMPARE(
            headers(paper.lines),
            (QStringList{"【01】(单选题).一单6", "【02】(单选题).一单1", "【03】(单选题).一单4",
                         "【04】(单选题).一单2", "【05】(单选题).一单5", "【06】(单选题).一单3",
                         "【07】(单选题).二单4", "【08】(单选题).二单1", "【09】(单选题).二单3",
                         "【10】(单选题).二单2", "【01】(判断题).一判1", "【02】(判断题).一判2",
                         "【03】(判断题).一判3", "【04】(判断题).一判4", "【05】(判断题).一判5",
                         "【01】(论述题).二论"}));
    }

    void rowPaperShowsOneChapter()
    {
        Bank b;
        const qint64 a = b.question(b.first, 1, "一单");
        const qint64 c = b.question(b.second, 3, "二填", "接地线");
        b.row(b.bank, b.first, 1, {Bank::list({a})});
        const qint64 second = b.row(b.bank, b.second, 2, {"", "", Bank::list({c})});

        const MockPaperLoader::Paper paper =
            MockPaperLoader(b.db.db()).load(PaperScope::ofRow(second));
        QCOMPARE(paper.outcome, MockPaperLoader::Outcome::Ready);
        QCOMPARE(paper.title, QString("本章名:第二章 倒闸操作"));
        QCOMPARE(texts(paper.lines, 5).at(4), QString("本章随机抽取试题数:1"));
        QCOMPARE(stems(paper.content), QStringList{"二填"});
        QCOMPARE(headers(paper.lines), QStringList{"【01】(填空题).二填"});
    }

    // Questions deleted or retyped since the draw, and lists left untidy.
    void driftSinceTheDraw_data()
    {
        QTest::addColumn<QString>("change");
        QTest::addColumn<QStringList>("run");
        QTest::addColumn<QStringList>("headers");
        QTest::addColumn<QString>("countLine");

        QTest::newRow("nothing changed") << "" << QStringList{"单1", "单2", "单3", "判1"}
                                         << QStringList{"【01】(单选题).单1", "【02】(单选题).单2",
                                                        "【03】(单选题).单3", "【01】(判断题).判1"}
                                         << "本数据库随机抽取试题数:4";
        QTest::newRow("a deleted question is counted but fills no slot")
            << "delete from 考试训练题库 where id = %2" << QStringList{"单1", "单3", "判1"}
            << QStringList{"【01】(单选题).单1", "【03】(单选题).单3", "【01】(判断题).判1"}
            << "本数据库随机抽取试题数:4";
        QTest::newRow("a retyped question is examined without a block")
            << "update 考试训练题库 set 题目类型 = 3 where id = %3"
            << QStringList{"单1", "单2", "单3", "判1"}
            << QStringList{"【01】(单选题).单1", "【02】(单选题).单2", "【01】(判断题).判1"}
            << "本数据库随机抽取试题数:4";
        QTest::newRow("every question deleted") << "delete from 考试训练题库" << QStringList{}
                                                << QStringList{} << "本数据库随机抽取试题数:4";
    }

    void driftSinceTheDraw()
    {
        QFETCH(QString, change);
        QFETCH(QStringList, run);
        QFETCH(QStringList, headers);
        QFETCH(QString, countLine);
        Bank b;
        QList<qint64> singles;
        for (int i = 1; i <= 3; ++i)
            singles << b.question(b.first, 1, QString("单%1").arg(i));
        const qint64 judgement = b.question(b.first, 4, "判1");
        b.row(b.bank, b.first, 1, {Bank::list(singles), "", "", Bank::list({judgement})});
        if (!change.isEmpty())
            b.db.exec(change.replace("%2", QString::number(singles[1]))
                          .replace("%3", QString::number(singles[2])));

        const MockPaperLoader::Paper paper =
            MockPaperLoader(b.db.db()).load(PaperScope::ofBank(b.bank));
        QCOMPARE(stems(paper.content), run);
        QCOMPARE(::headers(paper.lines), headers);
        QCOMPARE(paper.lines.at(4).text(), countLine);
    }

    void untidyListsKeepTheirIds()
    {
        Bank b;
        const qint64 a = b.question(b.first, 1, "单1");
        const qint64 c = b.question(b.first, 1, "单2");
        const QString untidy = QString("##%1#x#-4##0#%2#").arg(c).arg(a);
        b.row(b.bank, b.first, 1, {untidy});
        const MockPaperLoader::Paper paper =
            MockPaperLoader(b.db.db()).load(PaperScope::ofBank(b.bank));
        QCOMPARE(stems(paper.content), (QStringList{"单2", "单1"}));
        QCOMPARE(paper.drawnCount(), 2);
    }

    // A quota row of a chapter deleted since: the bank's paper leaves it out,
    // the row's own paper is refused, and no title is ever empty.
    void rowsOfDeletedChapters()
    {
        Bank b;
        const qint64 a = b.question(b.first, 1, "一单");
        const qint64 c = b.question(b.second, 1, "二单");
        b.row(b.bank, b.first, 1, {Bank::list({a})});
        const qint64 gone = b.row(b.bank, b.second, 2, {Bank::list({c})});
        b.db.exec("delete from fenlei where 试卷名称 = '第二章 倒闸操作'");

        MockPaperLoader loader(b.db.db());
        const MockPaperLoader::Paper bank = loader.load(PaperScope::ofBank(b.bank));
        QCOMPARE(bank.outcome, MockPaperLoader::Outcome::Ready);
        QCOMPARE(stems(bank.content), QStringList{"一单"});
        QCOMPARE(bank.lines.at(4).text(), QString("本数据库随机抽取试题数:1"));

        const MockPaperLoader::Paper row = loader.load(PaperScope::ofRow(gone));
        QCOMPARE(row.outcome, MockPaperLoader::Outcome::ChapterGone);
        QVERIFY(row.lines.isEmpty());
        QVERIFY(row.content.isEmpty());
    }

    void missingScopes_data()
    {
        QTest::addColumn<bool>("ofRow");
        QTest::addColumn<qint64>("id");
        QTest::addColumn<MockPaperLoader::Outcome>("outcome");
        QTest::newRow("row deleted") << true << qint64(999) << MockPaperLoader::Outcome::NoSuchRow;
        QTest::newRow("no such bank")
            << false << qint64(999) << MockPaperLoader::Outcome::NoSuchBank;
    }

    void missingScopes()
    {
        QFETCH(bool, ofRow);
        QFETCH(qint64, id);
        QFETCH(MockPaperLoader::Outcome, outcome);
        Bank b;
        const MockPaperLoader::Paper paper =
            MockPaperLoader(b.db.db()).load(ofRow ? PaperScope::ofRow(id) : PaperScope::ofBank(id));
        QCOMPARE(paper.outcome, outcome);
        QVERIFY(paper.lines.isEmpty());
        QVERIFY(paper.content.isEmpty());
    }

    void bankWithoutRowsGivesAnEmptyPaper()
    {
        Bank b;
        const MockPaperLoader::Paper paper =
            MockPaperLoader(b.db.db()).load(PaperScope::ofBank(b.bank));
        QCOMPARE(paper.outcome, MockPaperLoader::Outcome::Ready);
        QCOMPARE(paper.drawnCount(), 0);
        QVERIFY(paper.content.isEmpty());
        QCOMPARE(paper.lines.size(), 11);
    }

    void unreadableFileThrows()
    {
        Bank b;
        b.row(b.bank, b.first, 1, {"#1"});
        b.db.dropTable(QStringLiteral("考试训练题库"));
        QVERIFY_THROWS_EXCEPTION(StoreError,
                                 MockPaperLoader(b.db.db()).load(PaperScope::ofBank(b.bank)));
    }
};

DRILLBAY_TEST(MockPaperLoaderTest)
#include "MockPaperLoaderTest.moc"
