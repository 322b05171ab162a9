#include "TestDatabase.h"
#include "TestRegistry.h"

#include "store/QuestionTable.h"
#include "store/Sql.h"
#include "store/WorkerTable.h"

#include <QTest>
#include <algorithm>
#include <functional>

namespace {

// Ids from here on no longer fit 32 bits; cut to 32 bits they would be 1, 2 ...
constexpr qint64 kHigh = qint64(1) << 32;

// Two banks and two chapters whose ids, cut to 32 bits, would be the same:
// bank and chapter 1, and bank and chapter 2^32 + 1 with question ids above 2^32.
struct TwoBanks
{
    TwoBanks()
    {
        lowBank = db.addBank(QStringLiteral("线路安规"));
        highBank = db.addBank(QStringLiteral("变电安规"), true, kHigh + 1);
        lowChapter = db.addChapter(lowBank, QStringLiteral("第一章"));
        db.addQuestion(lowChapter, 1, QStringLiteral("低一"), {}, QStringLiteral("1"));
        db.addQuestion(lowChapter, 1, QStringLiteral("低二"), {}, QStringLiteral("2"));
        db.addQuestion(lowChapter, 3, QStringLiteral("低三"), {}, QStringLiteral("答"), 2, false);
        db.continueIdsAfter(QStringLiteral("fenlei"), kHigh);
        db.continueIdsAfter(QStringLiteral("考试训练题库"), kHigh);
        highChapter = db.addChapter(highBank, QStringLiteral("第二章"));
        high << db.addQuestion(highChapter, 1, QStringLiteral("高一"),
                               {QStringLiteral("甲"), QStringLiteral("乙"), QStringLiteral("丙"),
                                QStringLiteral("丁")},
                               QStringLiteral("3"), 4, true, QStringLiteral("p.png"));
        high << db.addQuestion(highChapter, 1, QStringLiteral("高二"), {}, QStringLiteral("1"), 2,
                               false);
        high << db.addQuestion(highChapter, 1, QStringLiteral("高三"), {}, QStringLiteral("4"));
        high << db.addQuestion(highChapter, 5, QStringLiteral("高四"), {}, QStringLiteral("论"));
    }

    TestDatabase db;
    qint64 lowBank = 0;
    qint64 highBank = 0;
    qint64 lowChapter = 0;
    qint64 highChapter = 0;
    QList<qint64> high; // question ids of the high chapter, storage order
};

using TableWrite = std::function<void(TwoBanks &)>;

// What every count of the table must agree with: the questions a read of the
// scope finds, one by one.
void compareCountsWithReads(const TwoBanks &f)
{
    const QuestionTable table(f.db.db());
    const auto found = [&](const QuestionScope &scope) {
        return static_cast<int>(table.ids(scope).size());
    };
    int everyQuestion = 0;
    for (const auto &[bank, chapter] :
         {std::pair(f.lowBank, f.lowChapter), std::pair(f.highBank, f.highChapter)}) {
        const QuestionScope inChapter = QuestionScope::chapter(chapter);
        QCOMPARE(table.countsPerChapter(bank).value(chapter), found(inChapter));
        QCOMPARE(table.knownPerChapter(bank).value(chapter),
                 found(inChapter) - found(inChapter.toPractise()));
        const std::array<int, 6> perType = table.countsPerType(chapter);
        for (int type = 0; type <= 5; ++type) {
            if (type > 0)
                QCOMPARE(perType[static_cast<size_t>(type)], found(inChapter.ofType(type)));
            for (const QuestionScope &scope :
                 {QuestionScope::bank(bank).ofType(type), inChapter.ofType(type)}) {
                QCOMPARE(table.count(scope), found(scope));
                QCOMPARE(table.count(scope.toPractise()), found(scope.toPractise()));
            }
        }
        everyQuestion += found(QuestionScope::bank(bank));
    }
    QCOMPARE(table.countAll(), everyQuestion);
}

} // namespace

Q_DECLARE_METATYPE(TableWrite)

class QuestionTableTest : public QObject
{
    Q_OBJECT

private slots:
    void count_data()
    {
        QTest::addColumn<bool>("ofBank");
        QTest::addColumn<bool>("highIds");
        QTest::addColumn<bool>("toPractise");
        QTest::addColumn<int>("type");
        QTest::addColumn<int>("expected");
        QTest::newRow("chapter") << false << false << false << 0 << 3;
        QTest::newRow("chapter, to practise") << false << false << true << 0 << 2;
        QTest::newRow("chapter, one type") << false << false << false << 3 << 1;
        QTest::newRow("chapter, one type, to practise") << false << false << true << 3 << 0;
        QTest::newRow("high chapter") << false << true << false << 0 << 4;
        QTest::newRow("high chapter, to practise, one type") << false << true << true << 1 << 2;
        QTest::newRow("bank") << true << false << false << 0 << 3;
        QTest::newRow("high bank") << true << true << false << 0 << 4;
        QTest::newRow("high bank, to practise") << true << true << true << 0 << 3;
        QTest::newRow("high bank, one type") << true << true << false << 5 << 1;
    }
    void count()
    {
        QFETCH(bool, ofBank);
        QFETCH(bool, highIds);
        QFETCH(bool, toPractise);
        QFETCH(int, type);
        QFETCH(int, expected);
        TwoBanks f;
        QuestionScope scope = ofBank
                                  ? QuestionScope::bank(highIds ? f.highBank : f.lowBank)
                                  : QuestionScope::chapter(highIds ? f.highChapter : f.lowChapter);
        if (toPractise)
            scope = scope.toPractise();
        QCOMPARE(QuestionTable(f.db.db()).count(scope.ofType(type)), expected);
    }

    void countsWholeFileAndPerChapter()
    {
        TwoBanks f;
        QuestionTable table(f.db.db());
        QCOMPARE(table.countAll(), 7);
        QCOMPARE(table.count(QuestionScope::chapter(12345)), 0);
        const QHash<qint64, int> low = table.countsPerChapter(f.lowBank);
        QCOMPARE(low.size(), 1);
        QCOMPARE(low.value(f.lowChapter), 3);
        const QHash<qint64, int> high = table.countsPerChapter(f.highBank);
        QCOMPARE(high.size(), 1);
        QCOMPARE(high.value(kHigh + 1), 4);
    }

    // Every count agrees with the questions read, whatever was written before:
    // the server keeps its counts apart from the questions.
    void countsFollowEveryWrite_data()
    {
        using Write = TableWrite;
        QTest::addColumn<Write>("write");
        const auto mark = [](TwoBanks &f, int index, bool toPractise) {
            QVERIFY(QuestionTable(f.db.db()).setToPractise(f.high.at(index), toPractise));
        };
        QTest::newRow("as set up") << Write([](TwoBanks &) {});
        QTest::newRow("marked known, twice") << Write([mark](TwoBanks &f) {
            mark(f, 0, false);
            mark(f, 0, false);
        });
        QTest::newRow("known again to practise") << Write([mark](TwoBanks &f) {
            mark(f, 1, true);
            mark(f, 1, true);
        });
        QTest::newRow("known question deleted")
            << Write([](TwoBanks &f) { QVERIFY(QuestionTable(f.db.db()).remove(f.high.at(1))); });
        QTest::newRow("chapter emptied") << Write([mark](TwoBanks &f) {
            mark(f, 3, false);
            QCOMPARE(QuestionTable(f.db.db()).removeChapter(f.highChapter), 4);
        });
        QTest::newRow("questions added, one known") << Write([](TwoBanks &f) {
            QuestionRow row;
            row.type = 2;
            row.stem = QStringLiteral("新题");
            row.answer = QStringLiteral("AB");
            QVERIFY(QuestionTable(f.db.db()).insertAll(f.lowChapter, {row, row, row}));
            const QList<qint64> added =
                QuestionTable(f.db.db()).ids(QuestionScope::chapter(f.lowChapter).ofType(2));
            QVERIFY(QuestionTable(f.db.db()).setToPractise(added.at(1), false));
        });
        QTest::newRow("known question moved to the other bank") << Write([mark](TwoBanks &f) {
            mark(f, 0, false);
            sql::run(f.db.db(), QStringLiteral("update 考试训练题库 set 试卷分类 = ? where id = ?"),
                     {f.lowChapter, f.high.at(0)});
        });
        QTest::newRow("known question of another type") << Write([](TwoBanks &f) {
            sql::run(f.db.db(), QStringLiteral("update 考试训练题库 set 题目类型 = 4 where id = ?"),
                     {f.high.at(1)});
        });
        QTest::newRow("chapter put back") << Write([mark](TwoBanks &f) {
            mark(f, 0, false);
            QuestionTable(f.db.db()).putBackToPractise(QuestionScope::chapter(f.highChapter));
        });
        QTest::newRow("one type of a bank put back") << Write([mark](TwoBanks &f) {
            mark(f, 3, false);
            QuestionTable(f.db.db()).putBackToPractise(QuestionScope::bank(f.highBank).ofType(1));
        });
        QTest::newRow("another worker knows them all") << Write([](TwoBanks &f) {
            if (!TestDatabase::onServer())
                return;
            const qint64 other =
                WorkerTable(f.db.db()).add(QStringLiteral("另一学员"), QString(), QString());
            WorkerTable::signIn(f.db.db(), other);
            QuestionTable table(f.db.db());
            for (const qint64 bank : {f.lowBank, f.highBank})
                for (const qint64 id : table.ids(QuestionScope::bank(bank)))
                    table.setToPractise(id, false);
            WorkerTable::signIn(f.db.db(), f.db.workerId());
        });
    }
    void countsFollowEveryWrite()
    {
        QFETCH(TableWrite, write);
        TwoBanks f;
        write(f);
        compareCountsWithReads(f);
    }

    void readsInStorageOrder_data()
    {
        QTest::addColumn<bool>("toPractise");
        QTest::addColumn<int>("limit");
        QTest::addColumn<qint64>("offset");
        // Positions in the chapter's storage order: the early question, then
        // the four entered first (the second of them known).
        QTest::addColumn<QList<int>>("positions");
        QTest::newRow("all") << false << 10 << qint64(0) << QList<int>{0, 1, 2, 3, 4};
        QTest::newRow("to practise") << true << 10 << qint64(0) << QList<int>{0, 1, 3, 4};
        QTest::newRow("limit") << true << 2 << qint64(0) << QList<int>{0, 1};
        QTest::newRow("offset") << true << 2 << qint64(1) << QList<int>{1, 3};
        QTest::newRow("offset at the end") << true << 2 << qint64(4) << QList<int>{};
        QTest::newRow("no limit, no rows") << false << 0 << qint64(0) << QList<int>{};
    }
    void readsInStorageOrder()
    {
        QFETCH(bool, toPractise);
        QFETCH(int, limit);
        QFETCH(qint64, offset);
        QFETCH(QList<int>, positions);
        TwoBanks f;
        // Written last, but with the lowest id of the chapter: it comes first.
        const qint64 early = kHigh - 5;
        f.db.exec(QStringLiteral("insert into 考试训练题库(id, 试卷分类, 题目类型, 题目) "
                                 "values(%1, %2, 1, '')")
                      .arg(early)
                      .arg(f.highChapter));
        const QList<qint64> ids = QList<qint64>{early} + f.high;
        QList<qint64> expected;
        for (int position : positions)
            expected << ids.at(position);
        QuestionScope scope = QuestionScope::chapter(f.highChapter);
        if (toPractise)
            scope = scope.toPractise();
        QList<qint64> got;
        for (const QuestionRow &row : QuestionTable(f.db.db()).read(scope, limit, offset))
            got << row.id;
        QCOMPARE(got, expected);
    }

    void rowTextsAreDecoded()
    {
        TwoBanks f;
        f.db.exec(QStringLiteral("update 考试训练题库 set 解析 = ' 注 ' where id = %1")
                      .arg(f.high.at(0)));
        const QList<QuestionRow> rows =
            QuestionTable(f.db.db()).read(QuestionScope::chapter(f.highChapter), 1);
        QCOMPARE(rows.size(), 1);
        const QuestionRow &row = rows.first();
        QCOMPARE(row.id, f.high.at(0));
        QVERIFY(row.id > kHigh);
        QCOMPARE(row.chapterId, kHigh + 1);
        QCOMPARE(row.type, 1);
        QCOMPARE(row.stem, QStringLiteral("高一"));
        QCOMPARE(QStringList(row.options.begin(), row.options.end()),
                 (QStringList{QStringLiteral("甲"), QStringLiteral("乙"), QStringLiteral("丙"),
                              QStringLiteral("丁")}));
        QCOMPARE(row.answer, QStringLiteral("3"));
        QCOMPARE(row.points, 4);
        QVERIFY(row.toPractise);
        QCOMPARE(row.image, QStringLiteral("p.png"));
        QCOMPARE(row.note, QStringLiteral(" 注 ")); // plain columns are read as stored
    }

    void badEncodingReadsEmpty()
    {
        TwoBanks f;
        f.db.exec(
            QStringLiteral("update 考试训练题库 set 题目 = 'ABC', 正确答案 = 'ZZ' where id = %1")
                .arg(f.high.at(0)));
        const QuestionRow row =
            QuestionTable(f.db.db()).read(QuestionScope::chapter(f.highChapter), 1).first();
        QCOMPARE(row.stem, QString());
        QCOMPARE(row.answer, QString());
        QCOMPARE(row.options[0], QStringLiteral("甲"));
    }

    void anyInEnabledBank_data()
    {
        QTest::addColumn<bool>("enabled");
        QTest::addColumn<int>("questions");
        QTest::addColumn<bool>("expected");
        QTest::newRow("enabled bank with a question") << true << 1 << true;
        QTest::newRow("enabled bank, empty chapter") << true << 0 << false;
        QTest::newRow("closed bank with a question") << false << 1 << false;
    }
    void anyInEnabledBank()
    {
        QFETCH(bool, enabled);
        QFETCH(int, questions);
        QFETCH(bool, expected);
        TestDatabase db;
        const qint64 chapter = db.addChapter(db.addBank(QStringLiteral("库"), enabled, kHigh + 7),
                                             QStringLiteral("章"));
        for (int i = 0; i < questions; ++i)
            db.addQuestion(chapter, 1, QStringLiteral("题"), {}, QStringLiteral("1"));
        // A question whose chapter is gone belongs to no bank.
        db.addQuestion(chapter + 1, 1, QStringLiteral("孤"), {}, QStringLiteral("1"));
        QCOMPARE(QuestionTable(db.db()).anyInEnabledBank(), expected);
    }

    // A stretch of a search pass over bank A, whose questions (positions 0, 2,
    // 3, 5 in the file) interleave with those of bank B; the stems of 0, 3 and
    // 5 hold "x". Positions 6 and 7 stand for "before the first" and "none".
    void scanStems_data()
    {
        QTest::addColumn<int>("after");
        QTest::addColumn<int>("upTo");
        QTest::addColumn<int>("limit");
        QTest::addColumn<int>("maxHits");
        QTest::addColumn<QList<int>>("hits");
        QTest::addColumn<int>("read");
        QTest::addColumn<int>("last");
        QTest::addColumn<bool>("finished");
        QTest::newRow("whole span") << 6 << 5 << 10 << 10 << QList<int>{0, 3, 5} << 4 << 5 << true;
        QTest::newRow("limit counts the bank's rows only")
            << 6 << 5 << 2 << 10 << QList<int>{0} << 2 << 2 << false;
        QTest::newRow("goes on after the last read")
            << 2 << 5 << 10 << 10 << QList<int>{3, 5} << 2 << 5 << true;
        QTest::newRow("stops at the upper id")
            << 6 << 3 << 10 << 10 << QList<int>{0, 3} << 3 << 3 << true;
        QTest::newRow("nothing after the span")
            << 5 << 5 << 10 << 10 << QList<int>{} << 0 << 5 << true;
        QTest::newRow("no rows asked for") << 6 << 5 << 0 << 10 << QList<int>{} << 0 << 6 << false;
        QTest::newRow("stops at the hit cap")
            << 6 << 5 << 10 << 2 << QList<int>{0, 3} << 3 << 3 << false;
        QTest::newRow("hit cap on the last row")
            << 6 << 5 << 10 << 3 << QList<int>{0, 3, 5} << 4 << 5 << false;
        QTest::newRow("as many rows as asked: the end is not known yet")
            << 6 << 5 << 4 << 10 << QList<int>{0, 3, 5} << 4 << 5 << false;
    }
    void scanStems()
    {
        QFETCH(int, after);
        QFETCH(int, upTo);
        QFETCH(int, limit);
        QFETCH(int, maxHits);
        QFETCH(QList<int>, hits);
        QFETCH(int, read);
        QFETCH(int, last);
        QFETCH(bool, finished);
        TestDatabase db;
        const qint64 bankA = db.addBank(QStringLiteral("甲库"));
        const qint64 a1 = db.addChapter(bankA, QStringLiteral("甲一"));
        const qint64 b = db.addChapter(db.addBank(QStringLiteral("乙库")), QStringLiteral("乙"));
        const qint64 a2 = db.addChapter(bankA, QStringLiteral("甲二"));
        const QList<std::pair<qint64, QString>> questions = {
            {a1, QStringLiteral("x甲")}, {b, QStringLiteral("x乙")}, {a2, QStringLiteral("甲")},
            {a1, QStringLiteral("甲x")}, {b, QStringLiteral("乙x")}, {a2, QStringLiteral("x")}};
        QList<qint64> ids;
        for (const auto &[chapter, stem] : questions)
            ids << db.addQuestion(chapter, 3, stem, {}, QStringLiteral("答"));
        ids << ids.first() - 1 << 0;

        const QuestionTable table(db.db());
        const QuestionScope scope = QuestionScope::bank(bankA);
        const QuestionTable::IdSpan span = table.idSpan(scope);
        QCOMPARE(span.first, ids.at(0));
        QCOMPARE(span.last, ids.at(5));
        QList<QString> seen;
        const QuestionTable::Scan scan = table.scanStems(scope, ids.at(after), ids.at(upTo), limit,
                                                         maxHits, [&seen](const QString &s) {
                                                             seen << s;
                                                             return s.contains(QLatin1Char('x'));
                                                         });
        QList<qint64> expected;
        for (int position : hits)
            expected << ids.at(position);
        QCOMPARE(scan.hits, expected);
        QCOMPARE(scan.read, read);
        QCOMPARE(seen.size(), read); // every stem read is shown once, decoded
        QCOMPARE(scan.lastId, ids.at(last));
        QCOMPARE(scan.finished, finished);
    }

    void idSpanOfAnEmptyScope()
    {
        TestDatabase db;
        const qint64 chapter =
            db.addChapter(db.addBank(QStringLiteral("库")), QStringLiteral("章"));
        const QuestionTable::IdSpan span =
            QuestionTable(db.db()).idSpan(QuestionScope::chapter(chapter));
        QCOMPARE(span.first, qint64(0));
        QCOMPARE(span.last, qint64(0));
    }

    // Reading hits whole by id: storage order whatever order they are asked
    // in, a missing id left out, and the batches of 500 meeting without a gap.
    void readByIds_data()
    {
        QTest::addColumn<int>("asked");
        QTest::addColumn<bool>("reversed");
        QTest::addColumn<bool>("withMissing");
        QTest::newRow("none") << 0 << false << false;
        QTest::newRow("one") << 1 << false << false;
        QTest::newRow("asked newest first") << 7 << true << false;
        QTest::newRow("a deleted one left out") << 7 << false << true;
        QTest::newRow("one batch exactly") << 500 << true << false;
        QTest::newRow("one over a batch") << 501 << false << true;
        QTest::newRow("two batches and one") << 1001 << true << true;
    }
    void readByIds()
    {
        QFETCH(int, asked);
        QFETCH(bool, reversed);
        QFETCH(bool, withMissing);
        TestDatabase db;
        const qint64 chapter =
            db.addChapter(db.addBank(QStringLiteral("库")), QStringLiteral("章"));
        // Every question gets its id as its points, so each row shows it was read whole.
        db.exec(QStringLiteral("with recursive n(i) as (select 1 union all select i + 1 from n "
                               "where i < %1) insert into 考试训练题库(id, 试卷分类, 本题分数) "
                               "select i * 3, %2, i * 3 from n")
                    .arg(asked + 1)
                    .arg(chapter));
        QList<qint64> ids;
        for (int i = 1; i <= asked; ++i)
            ids << i * 3;
        QList<qint64> expected = ids;
        if (withMissing)
            ids.insert(ids.size() / 2, 3 * asked + 1);
        if (reversed)
            std::reverse(ids.begin(), ids.end());

        const QList<QuestionRow> rows = QuestionTable(db.db()).readByIds(ids);
        QList<qint64> got;
        for (const QuestionRow &row : rows) {
            got << row.id;
            QCOMPARE(qint64(row.points), row.id);
            QCOMPARE(row.chapterId, chapter);
        }
        QCOMPARE(got, expected);
    }
};

DRILLBAY_TEST(QuestionTableTest)
#include "QuestionTableTest.moc"
