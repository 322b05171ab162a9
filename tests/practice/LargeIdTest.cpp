#include "RecordingNotifier.h"
#include "TestDatabase.h"
#include "TestRegistry.h"

#include "practice/BankPicker.h"
#include "practice/ChapterLoader.h"
#include "practice/QuestionSource.h"

#include <QTest>

namespace {

constexpr qint64 kHigh = qint64(1) << 32;

// Two banks with a chapter each whose ids agree in their low 32 bits: bank and
// chapter 1, and bank and chapter 2^32 + 1, whose question ids are above 2^32
// too. Cut to 32 bits, the second chapter would read as the first.
struct CollidingIds
{
    CollidingIds()
    {
        const qint64 lowBank = db.addBank(QStringLiteral("线路安规"));
        const qint64 highBank = db.addBank(QStringLiteral("变电安规"), true, kHigh + 1);
        const qint64 low = db.addChapter(lowBank, QStringLiteral("第一章"));
        ids[QStringLiteral("第一章")] << add(low, true) << add(low, true);
        db.continueIdsAfter(QStringLiteral("fenlei"), kHigh);
        db.continueIdsAfter(QStringLiteral("考试训练题库"), kHigh);
        const qint64 high = db.addChapter(highBank, QStringLiteral("第二章"));
        QList<qint64> &highIds = ids[QStringLiteral("第二章")];
        highIds << add(high, true) << add(high, true);
        add(high, false); // known: not practised, but counted
        highIds << add(high, true) << add(high, true);
    }
    qint64 add(qint64 chapter, bool toPractise)
    {
        return db.addQuestion(chapter, 1, QStringLiteral("题"), {}, QStringLiteral("1"), 2,
                              toPractise);
    }

    TestDatabase db;
    QHash<QString, QList<qint64>> ids; // questions to practise per chapter, storage order
};

} // namespace

// Ids above 2^32 travel whole from the file to the picker, the chapter page
// and the run; chapters whose ids share their low 32 bits stay apart.
class LargeIdTest : public QObject
{
    Q_OBJECT

private slots:
    void chapterLoad_data()
    {
        QTest::addColumn<QString>("chapter");
        QTest::addColumn<qint64>("chapterId");
        QTest::addColumn<QString>("bankName");
        QTest::addColumn<int>("chapterTotal");
        QTest::addColumn<int>("toPractise");
        QTest::addColumn<QString>("knownFigure");
        QTest::newRow("low ids") << "第一章" << qint64(1) << "线路安规" << 2 << 2 << "0/2";
        QTest::newRow("ids above 2^32") << "第二章" << kHigh + 1 << "变电安规" << 5 << 4 << "1/5";
    }
    void chapterLoad()
    {
        QFETCH(QString, chapter);
        CollidingIds f;
        const ChapterLoader::Result r = ChapterLoader(f.db.db()).load(chapter, 0, 50);
        QVERIFY(r.ok);
        QTEST(r.chapterId, "chapterId");
        QCOMPARE(r.bankId, r.chapterId);
        QTEST(r.bankName, "bankName");
        QTEST(r.chapterTotal, "chapterTotal");
        QTEST(r.chapterToPractise, "toPractise");
        QTEST(r.knownFigure, "knownFigure");
    }

    void setHoldsTheChapterOwnQuestions_data()
    {
        QTest::addColumn<QString>("chapter");
        QTest::newRow("low ids") << "第一章";
        QTest::newRow("ids above 2^32") << "第二章";
    }
    void setHoldsTheChapterOwnQuestions()
    {
        QFETCH(QString, chapter);
        CollidingIds f;
        QuestionSource source(f.db.db());
        QCOMPARE(source.toPractiseCount(chapter, 0), f.ids.value(chapter).size());
        QList<qint64> got;
        for (const RunQuestion &q : source.readSet(chapter, 0, 50, 1, 0))
            got << q.questionId;
        QCOMPARE(got, f.ids.value(chapter));
    }

    void pickerListsEachBankOwnChapters()
    {
        CollidingIds f;
        BankPicker picker(f.db.db());
        picker.refresh();
        QVERIFY(picker.listBank(1));
        QCOMPARE(picker.checkedBankId(), kHigh + 1);
        QCOMPARE(picker.chapterNames(), QStringList{QStringLiteral("第二章")});
        QCOMPARE(picker.chapterCounts(), QList<int>{5});
        QCOMPARE(picker.countsText(), QStringLiteral("当前试题库:5道/  全库:7道"));
        QVERIFY(picker.listBank(0));
        QCOMPARE(picker.checkedBankId(), qint64(1));
        QCOMPARE(picker.chapterNames(), QStringList{QStringLiteral("第一章")});
        QCOMPARE(picker.chapterCounts(), QList<int>{2});
    }
};

DRILLBAY_TEST(LargeIdTest)
#include "LargeIdTest.moc"
