#include "RecordingNotifier.h"
#include "TestDatabase.h"
#include "TestRegistry.h"

#include "practice/ChapterLoader.h"
#include "practice/PracticeRun.h"
#include "practice/QuestionSource.h"
#include "practice/SequentialPractice.h"
#include "store/QuestionTable.h"

#include <QSqlQuery>
#include <QTest>

namespace {

// The value of a column of the current data row, usable inside an expression.
template <typename T> T fetched(const char *name)
{
    return *static_cast<T *>(QTest::qData(name, qMetaTypeId<T>()));
}

const QString kChapter = QStringLiteral("第三章 线路");

struct Fixture
{
    Fixture() : run(Settings(), notifier), practice(db.db(), run, notifier)
    {
        const int bank = db.addBank(QStringLiteral("线路安规"));
        chapter = db.addChapter(bank, kChapter);
    }
    // Adds count questions of the type, returns their ids in storage order.
    QList<qint64> add(int count, int type = 1)
    {
        QList<qint64> ids;
        db.exec(QStringLiteral("begin"));
        for (int i = 0; i < count; ++i)
            ids << db.addQuestion(chapter, type, QStringLiteral("题"), {}, QStringLiteral("1"));
        db.exec(QStringLiteral("commit"));
        return ids;
    }
    void markKnown(qint64 id)
    {
        db.exec(QStringLiteral("update 考试训练题库 set 题目选择 = 0 where id = %1").arg(id));
    }
    QList<qint64> runIds() const
    {
        QList<qint64> ids;
        for (int k = 1; k <= run.length(); ++k)
            ids << run.question(k).questionId;
        return ids;
    }

    TestDatabase db;
    RecordingNotifier notifier;
    PracticeRun run;
    SequentialPractice practice;
    qint64 chapter = 0;
};

} // namespace

class SequentialPracticeTest : public QObject
{
    Q_OBJECT

private slots:
    void slotFromRow()
    {
        TestDatabase db;
        const qint64 chapter = db.addChapter(db.addBank(QStringLiteral("库")), kChapter);
        const qint64 id =
            db.addQuestion(chapter, 2, QStringLiteral("停电<BR> 验电<BR>"),
                           {QStringLiteral("甲<BR>"), QStringLiteral("<BR> 乙")},
                           QStringLiteral("1<BR>2"), 3, true, QStringLiteral(" a.png "));
        const QList<QuestionRow> rows =
            QuestionTable(db.db()).read(QuestionScope::chapter(chapter), 1);
        QCOMPARE(rows.size(), 1);
        const RunQuestion slot = QuestionSource::slotFromRow(rows.first());
        QCOMPARE(slot.questionId, id);
        QCOMPARE(slot.typeCode, 2);
        QCOMPARE(slot.points, 3);
        QCOMPARE(slot.stem, QStringLiteral("停电 验电"));
        QCOMPARE(slot.optionA, QStringLiteral("甲"));
        // Options are trimmed before "<BR>" goes, not after.
        QCOMPARE(slot.optionB, QStringLiteral(" 乙"));
        QCOMPARE(slot.correctAnswer, QStringLiteral("12"));
        QCOMPARE(slot.imageName, QStringLiteral("a.png"));
        QVERIFY(slot.userAnswer.isEmpty());
    }

    void extraction_data()
    {
        QTest::addColumn<int>("setRow");
        QTest::addColumn<QList<int>>("knownPositions"); // 0-based storage positions
        QTest::addColumn<int>("firstPosition");
        QTest::addColumn<int>("count");
        QTest::newRow("set 1 of 57") << 0 << QList<int>{} << 0 << 50;
        QTest::newRow("set 2 of 57") << 1 << QList<int>{} << 50 << 7;
        QTest::newRow("known in set 1 shifts set 2") << 1 << QList<int>{9} << 51 << 6;
        QTest::newRow("known in set 2") << 1 << QList<int>{55} << 50 << 6;
        QTest::newRow("known in set 1, set 1") << 0 << QList<int>{0} << 1 << 50;
    }
    void extraction()
    {
        Fixture f;
        const QList<qint64> ids = f.add(57);
        f.practice.start(kChapter, 0, 50);
        for (int position : fetched<QList<int>>("knownPositions"))
            f.markKnown(ids.at(position));
        f.practice.setClicked(fetched<int>("setRow"));
        const SequentialPractice::ExtractResult r = f.practice.extract(kChapter, 90);
        QVERIFY(r.ok);
        const int first = fetched<int>("firstPosition");
        const int count = fetched<int>("count");
        QCOMPARE(f.run.length(), count);
        const QList<qint64> got = f.runIds();
        QCOMPARE(got.first(), ids.at(first));
        QVERIFY(std::is_sorted(got.begin(), got.end()));
        for (int position : fetched<QList<int>>("knownPositions"))
            QVERIFY(!got.contains(ids.at(position)));
    }

    void extractStartsTheRun()
    {
        Fixture f;
        f.add(57);
        f.practice.start(kChapter, 0, 50);
        f.practice.setClicked(1);
        QCOMPARE(f.practice.page().heading, QStringLiteral("本章第【02】套试卷07道试题"));
        const SequentialPractice::ExtractResult r = f.practice.extract(kChapter, 40);
        QCOMPARE(r.statusText, QStringLiteral(" 顺序练习 第[2]套，共有 [7] 道"));
        QCOMPARE(r.countdownMinutes, 40);
        QCOMPARE(r.sliderPosition, 1500);
        QCOMPARE(r.switchPanelAfterMs, 200);
        QVERIFY(f.run.active());
        QVERIFY(!f.run.examMode());
        QCOMPARE(f.run.mode(), RunMode::SequentialSet);
        QCOMPARE(f.run.current(), 1);
        QCOMPARE(f.practice.division().highlightedSet, 1);
        QCOMPARE(f.practice.division().setSize, 50);
        QCOMPARE(f.run.display().strip.size(), 7);

        // After grading, set 1 loads 50 again.
        f.run.endRun();
        f.practice.setClicked(0);
        f.practice.extract(kChapter, 40);
        QCOMPARE(f.run.length(), 50);
    }

    void emptySet_data()
    {
        QTest::addColumn<int>("knownCount"); // from the start of storage order
        QTest::addColumn<int>("setRow");
        QTest::newRow("set shrank to nothing") << 50 << 1;
        QTest::newRow("chapter emptied") << 57 << 0;
    }
    void emptySet()
    {
        Fixture f;
        const QList<qint64> ids = f.add(57);
        f.practice.start(kChapter, 0, 50);
        for (int i = 0; i < fetched<int>("knownCount"); ++i)
            f.markKnown(ids.at(i));
        f.practice.setClicked(fetched<int>("setRow"));
        const SequentialPractice::ExtractResult r = f.practice.extract(kChapter, 90);
        QVERIFY(!r.ok);
        QCOMPARE(f.notifier.notices,
                 QStringList{
                     QStringLiteral("[软件提示]:本套试题已全部标记为会做，请重新选择章节或套题.")});
        QVERIFY(!f.run.active());
        QVERIFY(f.run.display().strip.isEmpty());
    }

    void typeFilterSelectsOneType()
    {
        Fixture f;
        f.add(3, 1);
        const QList<qint64> trueFalse = f.add(2, 4);
        f.add(1, 1);
        f.practice.start(kChapter, 4, 50);
        QCOMPARE(f.practice.division().typeFilter, 4);
        f.practice.extract(kChapter, 90);
        QCOMPARE(f.runIds(), trueFalse);
        // Back to all types.
        f.run.endRun();
        f.practice.start(kChapter, 0, 50);
        f.practice.extract(kChapter, 90);
        QCOMPARE(f.run.length(), 6);
    }

    void failedStartKeepsDivision()
    {
        Fixture f;
        f.add(57);
        f.practice.start(kChapter, 0, 50);
        f.practice.setClicked(1);
        const QStringList items = f.practice.page().setItems;
        const QString level = f.practice.page().levelLine;
        const SequentialPractice::StartResult r = f.practice.start(kChapter, 2, 50);
        QVERIFY(!r.load.ok);
        QVERIFY(!r.openPicker);
        QCOMPARE(f.notifier.notices.size(), 1);
        QVERIFY(f.notifier.notices.first().contains(QStringLiteral("[多选题]")));
        QCOMPARE(f.practice.page().setItems, items);
        QCOMPARE(f.practice.page().levelLine, level);
        QCOMPARE(f.practice.division().setCount, 2);
        QCOMPARE(f.practice.division().setIndex, 1);
        QCOMPARE(f.practice.division().typeFilter, 2);
    }

    // While a run is loaded and not graded, neither the set list nor
    // "提取试题" touches it (its set number names its log record and file).
    void loadedRunKeepsItsSet_data()
    {
        QTest::addColumn<int>("nexts");
        QTest::newRow("on a question") << 2;
        QTest::newRow("past the last question") << 9;
    }
    void loadedRunKeepsItsSet()
    {
        Fixture f;
        f.add(57);
        f.practice.start(kChapter, 0, 50);
        f.practice.setClicked(1);
        QVERIFY(f.practice.extract(kChapter, 90).ok);
        const QList<qint64> ids = f.runIds();
        for (int i = 0, n = fetched<int>("nexts"); i < n; ++i)
            f.run.next();
        const int current = f.run.current();
        f.notifier.notices.clear();

        f.practice.setClicked(0);
        QCOMPARE(f.practice.division().setIndex, 1);
        QCOMPARE(f.practice.page().heading, QStringLiteral("本章第【02】套试卷07道试题"));
        QVERIFY(!f.practice.extract(kChapter, 90).ok);
        QCOMPARE(f.notifier.notices, QStringList{SequentialPractice::kHandInFirstNotice});
        QCOMPARE(f.notifier.notices.first(),
                 QStringLiteral(
                     "[软件提示]：本套试题还没有交卷，请先点击左边的【交卷评阅】按钮交卷评阅。"));
        QVERIFY(f.run.active());
        QCOMPARE(f.runIds(), ids);
        QCOMPARE(f.run.current(), current);
        QCOMPARE(f.practice.division().setIndex, 1);
        QCOMPARE(f.practice.division().highlightedSet, 1);

        // Once the run has ended, the list chooses again.
        f.run.endRun();
        f.practice.setClicked(0);
        QVERIFY(f.practice.extract(kChapter, 90).ok);
        QCOMPARE(f.run.length(), 50);
    }

    // When the last load found nothing to practise, the set list on screen
    // belongs to another type or chapter: "提取试题" says what is missing
    // instead of claiming the set's questions are all known.
    void extractAfterAFailedLoad_data()
    {
        QTest::addColumn<QString>("failing");
        QTest::addColumn<int>("typeFilter");
        QTest::addColumn<QString>("chapter");
        QTest::newRow("type the chapter lacks") << "missing type" << 2 << kChapter;
        QTest::newRow("type whose questions are all known") << "known type" << 4 << kChapter;
        QTest::newRow("chapter with nothing left")
            << "other chapter" << 0 << QStringLiteral("第四章 空");
    }
    void extractAfterAFailedLoad()
    {
        QFETCH(QString, failing);
        QFETCH(int, typeFilter);
        QFETCH(QString, chapter);
        Fixture f;
        f.add(5, 1);
        for (qint64 id : f.add(2, 4))
            f.markKnown(id);
        f.db.addChapter(f.db.addBank(QStringLiteral("空库")), QStringLiteral("第四章 空"));
        f.practice.start(kChapter, 0, 50);
        if (failing == QLatin1String("other chapter"))
            QVERIFY(!f.practice.loadChapter(chapter, 0, 50).ok);
        else
            QVERIFY(!f.practice.start(kChapter, typeFilter, 50).load.ok);
        f.notifier.notices.clear();

        QVERIFY(!f.practice.extract(chapter, 90).ok);
        QCOMPARE(f.notifier.notices,
                 QStringList{ChapterLoader::failureNotice(chapter, typeFilter)});
        QVERIFY(!f.run.active());

        // A start that divides again extracts as usual.
        f.practice.start(kChapter, 0, 50);
        QVERIFY(f.practice.extract(kChapter, 90).ok);
        QCOMPARE(f.run.length(), 5);
    }

    // A reload divides anew: a set chosen in the old list is chosen no more.
    void reloadClearsTheChosenSet()
    {
        Fixture f;
        f.add(57);
        f.practice.start(kChapter, 0, 50);
        f.practice.setClicked(1);
        f.practice.start(kChapter, 0, 50);
        QCOMPARE(f.practice.division().setIndex, 0);
        QCOMPARE(f.practice.page().heading,
                 QStringLiteral("请选择分割试题,并点击【提取试题】调入试题"));
        QVERIFY(f.practice.extract(kChapter, 90).ok);
        QCOMPARE(f.run.length(), 50);
    }

    void startGradesAnActiveRun()
    {
        Fixture f;
        f.add(10);
        int graded = 0;
        f.practice.setGradeHandler([&] { ++graded; });
        f.practice.start(kChapter, 0, 50);
        QCOMPARE(graded, 0);
        f.practice.extract(kChapter, 90);
        f.run.next();
        const SequentialPractice::StartResult r = f.practice.start(kChapter, 0, 50);
        QVERIFY(r.gradedRun);
        QCOMPARE(graded, 1);
        QVERIFY(!f.run.active());
        QCOMPARE(f.run.current(), 0);
        QCOMPARE(f.practice.division().highlightedSet, 0);
        QVERIFY(f.run.display().strip.isEmpty());
    }
};

DRILLBAY_TEST(SequentialPracticeTest)
#include "SequentialPracticeTest.moc"
