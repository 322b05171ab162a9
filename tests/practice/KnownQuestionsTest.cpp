#include "ExamTestQuestions.h"
#include "RecordingNotifier.h"
#include "TestDatabase.h"
#include "TestRegistry.h"

#include "base/Beeper.h"
#include "practice/ChapterLoader.h"
#include "practice/KnownQuestions.h"
#include "practice/PracticeRun.h"
#include "practice/QuestionSource.h"
#include "question/Grading.h"
#include "store/Database.h"
#include "store/Sql.h"

#include <QSignalSpy>
#include <QTest>

namespace {

class RecordingBeeper : public Beeper
{
public:
    void beep(int hz, int ms) override { tones << qMakePair(hz, ms); }
    QList<QPair<int, int>> tones;
};

const QString kChapter = QStringLiteral("第一章 变电");
const QString kSibling = QStringLiteral("第二章 线路");
const QString kOtherBank = QStringLiteral("配电第一章");
const QString kReadOnlyReason = QStringLiteral("数据文件是只读的");

// Two chapters of one bank and a chapter of another bank. The first chapter
// holds a single choice ("2"), a multiple choice ("13"), a fill-in and a
// true/false question ("0"), in that storage order.
struct Bank
{
    Bank()
    {
        const qint64 bank = db.addBank(QStringLiteral("变电安规"));
        chapter = db.addChapter(bank, kChapter);
        sibling = db.addChapter(bank, kSibling);
        other = db.addChapter(db.addBank(QStringLiteral("配电安规")), kOtherBank);
        const QStringList options = sampleOptions();
        ids << db.addQuestion(chapter, 1, QStringLiteral("单选"), options, QStringLiteral("2"));
        ids << db.addQuestion(chapter, 2, QStringLiteral("多选"), options, QStringLiteral("13"));
        ids << db.addQuestion(chapter, 3, QStringLiteral("填空"), {}, QStringLiteral("放电"));
        ids << db.addQuestion(chapter, 4, QStringLiteral("判断"), {}, QStringLiteral("0"));
        siblingIds << db.addQuestion(sibling, 1, QStringLiteral("线路一"), options,
                                     QStringLiteral("1"), 2, false);
        siblingIds << db.addQuestion(sibling, 1, QStringLiteral("线路二"), options,
                                     QStringLiteral("1"), 2, false);
        otherId = db.addQuestion(other, 1, QStringLiteral("配电"), options, QStringLiteral("1"), 2,
                                 false);
    }
    // The chapter's questions as a run, as a source would load them.
    void load(PracticeRun &run, bool examMode = false)
    {
        QVector<RunQuestion> loaded;
        for (const QuestionRow &row :
             QuestionTable(db.db()).read(QuestionScope::chapter(chapter), 100))
            loaded << QuestionSource::slotFromRow(row);
        run.load(loaded, examMode ? RunMode::MockExamination : RunMode::SequentialSet, examMode);
    }
    bool toPractise(qint64 id) const
    {
        return sql::scalar(db.db(),
                           QStringLiteral("select 题目选择 from 考试训练题库 where id = ?"),
                           {id}) != 0;
    }
    int knownCount() const
    {
        return static_cast<int>(sql::scalar(
            db.db(), QStringLiteral("select count(*) from 考试训练题库 where 题目选择 = 0")));
    }
    void failWrites(const QString &message)
    {
        db.refuseWrites(QStringLiteral("update"), QStringLiteral("考试训练题库"), message);
    }

    TestDatabase db;
    qint64 chapter = 0;
    qint64 sibling = 0;
    qint64 other = 0;
    QList<qint64> ids;
    QList<qint64> siblingIds;
    qint64 otherId = 0;
};

} // namespace

class KnownQuestionsTest : public QObject
{
    Q_OBJECT

private slots:
    void chapterFigure()
    {
        Bank bank;
        RecordingNotifier notifier;
        KnownQuestions known(bank.db.db(), notifier);
        // The sibling's two known questions and the other bank's are not counted.
        QCOMPARE(known.chapterFigure(kChapter), QStringLiteral("0:4"));
        QCOMPARE(known.chapterFigure(kSibling), QStringLiteral("2:2"));
        QCOMPARE(known.chapterFigure(QStringLiteral("没有这一章")), std::nullopt);
        QCOMPARE(known.chapterFigure(QString()), std::nullopt);
    }

    // Marking each question of the chapter: the right answer for the three
    // objective types, a typed answer kept for the fill-in, the mark written,
    // the chapter figure, the beep and the move as Next.
    void markShown_data()
    {
        QTest::addColumn<int>("position"); // 1-based in the run
        QTest::addColumn<QString>("userAnswer");
        QTest::addColumn<QString>("afterwards");
        QTest::addColumn<bool>("countedRight");
        QTest::newRow("single answered wrong") << 1 << "3"
                                               << "2" << true;
        QTest::newRow("single not answered") << 1 << ""
                                             << "2" << true;
        QTest::newRow("multiple half right") << 2 << "1"
                                             << "13" << true;
        QTest::newRow("fill-in keeps what was typed") << 3 << "停电"
                                                      << "停电" << false;
        QTest::newRow("true/false answered wrong") << 4 << "1"
                                                   << "0" << true;
    }
    void markShown()
    {
        QFETCH(int, position);
        QFETCH(QString, userAnswer);
        QFETCH(QString, afterwards);
        QFETCH(bool, countedRight);
        Bank bank;
        RecordingNotifier notifier;
        RecordingBeeper beeper;
        PracticeRun run(Settings(), notifier);
        bank.load(run);
        KnownQuestions known(bank.db.db(), notifier);
        while (run.current() < position)
            run.next();
        run.question(position).userAnswer = userAnswer;

        QCOMPARE(known.markShown(run, beeper, kChapter), QStringLiteral("1:4"));
        QCOMPARE(beeper.tones, (QList<QPair<int, int>>{{3000, 100}}));
        QVERIFY(!bank.toPractise(bank.ids.at(position - 1)));
        QCOMPARE(bank.knownCount(), 4); // the sibling's 2, the other bank's 1, this one
        QCOMPARE(run.question(position).userAnswer, afterwards);
        QCOMPARE(Grading::answeredCorrectly(run.question(position)), countedRight);
        QCOMPARE(run.current(), position + 1);
        // The slot stays in the run.
        QCOMPARE(run.length(), 4);
        QCOMPARE(run.question(position).questionId, bank.ids.at(position - 1));
        QVERIFY(notifier.notices.isEmpty() || position == 4);
    }

    void markingLastQuestionEndsTheRun()
    {
        Bank bank;
        RecordingNotifier notifier;
        RecordingBeeper beeper;
        PracticeRun run(Settings(), notifier);
        QSignalSpy passed(&run, &PracticeRun::passedLastQuestion);
        bank.load(run);
        KnownQuestions known(bank.db.db(), notifier);
        for (int k = 1; k < 4; ++k)
            run.next();
        QCOMPARE(known.markShown(run, beeper, kChapter), QStringLiteral("1:4"));
        QCOMPARE(notifier.notices,
                 QStringList{QStringLiteral("[软件提示]:请交卷请点击左边的【交卷评阅】按钮.")});
        QCOMPARE(passed.count(), 1);
        QCOMPARE(run.display().page, RunDisplay::Page::Score);
        // The true/false question counts right in the score line.
        QCOMPARE(run.objectiveCorrect(), 1);
        QCOMPARE(run.objectiveCount(), 3);
    }

    void markingWorksInAMockExamination()
    {
        Bank bank;
        RecordingNotifier notifier;
        RecordingBeeper beeper;
        PracticeRun run(Settings(), notifier);
        bank.load(run, true);
        QVERIFY(run.examMode());
        KnownQuestions known(bank.db.db(), notifier);
        QCOMPARE(known.markShown(run, beeper, kChapter), QStringLiteral("1:4"));
        QVERIFY(!bank.toPractise(bank.ids.at(0)));
        QCOMPARE(run.question(1).userAnswer, QStringLiteral("2"));
        QCOMPARE(run.current(), 2);
    }

    // Nothing on screen: a beep and nothing else.
    void nothingShownOnlyBeeps_data()
    {
        QTest::addColumn<bool>("loaded");
        QTest::newRow("no run") << false;
        QTest::newRow("past the last question") << true;
    }
    void nothingShownOnlyBeeps()
    {
        QFETCH(bool, loaded);
        Bank bank;
        RecordingNotifier notifier;
        RecordingBeeper beeper;
        PracticeRun run(Settings(), notifier);
        if (loaded) {
            bank.load(run);
            for (int k = 0; k < 4; ++k)
                run.next();
            notifier.notices.clear();
        }
        const int current = run.current();
        KnownQuestions known(bank.db.db(), notifier);
        QCOMPARE(known.markShown(run, beeper, kChapter), std::nullopt);
        QCOMPARE(beeper.tones.size(), 1);
        QCOMPARE(bank.knownCount(), 3);
        QCOMPARE(run.current(), current);
        QVERIFY(notifier.notices.isEmpty());
    }

    // A mark that is not written: a notice, the user's answer and the place
    // in the run kept, no new figure.
    void failedMarkChangesNothing_data()
    {
        QTest::addColumn<int>("failure"); // 0 trigger, 1 read-only connection, 2 deleted
        QTest::addColumn<QString>("notice");
        QTest::newRow("update refused")
            << 0
            << KnownQuestions::notMarkedNotice(
                   TestDatabase::refusal(QStringLiteral("attempt to write a readonly database")));
        QTest::newRow("read-only file") << 1 << KnownQuestions::notMarkedNotice(kReadOnlyReason);
        QTest::newRow("deleted meanwhile") << 2 << KnownQuestions::kMissingNotice;
    }
    void failedMarkChangesNothing()
    {
        QFETCH(int, failure);
        QFETCH(QString, notice);
        if (failure == 1 && TestDatabase::onServer())
            QSKIP("opens the data file for reading only");
        Bank bank;
        RecordingNotifier notifier;
        RecordingBeeper beeper;
        PracticeRun run(Settings(), notifier);
        bank.load(run);
        run.question(1).userAnswer = QStringLiteral("3");
        QSqlDatabase db = bank.db.db();
        if (failure == 0)
            bank.failWrites(QStringLiteral("attempt to write a readonly database"));
        if (failure == 1) {
            QString error;
            db = Database::open(bank.db.path(), QStringLiteral("known-ro"), &error,
                                Database::Access::ReadOnly);
            QVERIFY2(db.isOpen(), qPrintable(error));
        }
        if (failure == 2)
            bank.db.exec(QStringLiteral("delete from 考试训练题库 where id = %1").arg(bank.ids[0]));
        KnownQuestions known(db, notifier);

        QCOMPARE(known.markShown(run, beeper, kChapter), std::nullopt);
        QCOMPARE(notifier.notices, QStringList{notice});
        QCOMPARE(beeper.tones.size(), 1);
        QCOMPARE(bank.knownCount(), 3);
        QCOMPARE(run.question(1).userAnswer, QStringLiteral("3"));
        QCOMPARE(run.current(), 1);
        // The next action works as usual.
        run.next();
        QCOMPARE(run.current(), 2);
    }

    // What each restore puts back: one question, the chapter, the whole bank;
    // never another bank.
    void restores_data()
    {
        QTest::addColumn<int>("kind");              // 0 one, 1 chapter, 2 bank
        QTest::addColumn<QList<bool>>("practised"); // sibling 1, sibling 2, other bank
        QTest::addColumn<QStringList>("notices");
        QTest::newRow("one") << 0 << QList<bool>{true, false, false} << QStringList{};
        QTest::newRow("chapter") << 1 << QList<bool>{true, true, false} << QStringList{};
        QTest::newRow("bank") << 2 << QList<bool>{true, true, false}
                              << QStringList{KnownQuestions::kBankRestoredNotice};
    }
    void restores()
    {
        QFETCH(int, kind);
        QFETCH(QList<bool>, practised);
        QFETCH(QStringList, notices);
        Bank bank;
        bank.db.exec(QStringLiteral("update 考试训练题库 set 题目选择 = 0 where 试卷分类 = %1")
                         .arg(bank.chapter));
        RecordingNotifier notifier;
        KnownQuestions known(bank.db.db(), notifier);
        bool ok = false;
        if (kind == 0)
            ok = known.restoreOne(QString::number(bank.siblingIds.at(0)));
        else if (kind == 1)
            ok = known.restoreChapter(kSibling);
        else
            ok = known.restoreBank(kSibling);
        QVERIFY(ok);
        QCOMPARE(notifier.notices, notices);
        QCOMPARE(
            (QList<bool>{bank.toPractise(bank.siblingIds.at(0)),
                         bank.toPractise(bank.siblingIds.at(1)), bank.toPractise(bank.otherId)}),
            practised);
        // The first chapter's questions go back with the bank only.
        QCOMPARE(bank.toPractise(bank.ids.at(0)), kind == 2);
    }

    void failedRestoreSaysSo_data()
    {
        QTest::addColumn<int>("kind"); // 0 one, 1 chapter, 2 bank
        QTest::newRow("one") << 0;
        QTest::newRow("chapter") << 1;
        QTest::newRow("bank") << 2;
    }
    void failedRestoreSaysSo()
    {
        QFETCH(int, kind);
        Bank bank;
        bank.failWrites(QStringLiteral("database is locked"));
        RecordingNotifier notifier;
        KnownQuestions known(bank.db.db(), notifier);
        const bool ok = kind == 0   ? known.restoreOne(QString::number(bank.siblingIds.at(0)))
                        : kind == 1 ? known.restoreChapter(kSibling)
                                    : known.restoreBank(kSibling);
        QVERIFY(!ok);
        // Never the bank's success notice.
        QCOMPARE(notifier.notices,
                 QStringList{KnownQuestions::notRestoredNotice(
                     TestDatabase::refusal(QStringLiteral("database is locked")))});
        QCOMPARE(bank.knownCount(), 3);
    }

    void restoreOneNeedsAnId_data()
    {
        QTest::addColumn<QString>("selected");
        QTest::addColumn<QString>("notice");
        QTest::newRow("no row clicked") << "" << KnownQuestions::kNothingChosenNotice;
        QTest::newRow("not an id") << "abc" << KnownQuestions::kNothingChosenNotice;
        QTest::newRow("deleted question") << "999999" << KnownQuestions::kMissingNotice;
    }
    void restoreOneNeedsAnId()
    {
        QFETCH(QString, selected);
        QFETCH(QString, notice);
        Bank bank;
        RecordingNotifier notifier;
        KnownQuestions known(bank.db.db(), notifier);
        QVERIFY(!known.restoreOne(selected));
        QCOMPARE(notifier.notices, QStringList{notice});
        QCOMPARE(bank.knownCount(), 3);
    }

    // A chapter whose questions are all known cannot be loaded for all types;
    // putting them back makes it loadable again.
    void restoringMakesAChapterLoadable_data()
    {
        QTest::addColumn<bool>("wholeBank");
        QTest::newRow("the chapter") << false;
        QTest::newRow("the bank") << true;
    }
    void restoringMakesAChapterLoadable()
    {
        QFETCH(bool, wholeBank);
        Bank bank;
        RecordingNotifier notifier;
        QVERIFY(!ChapterLoader(bank.db.db()).load(kSibling, 0, 50).ok);
        KnownQuestions known(bank.db.db(), notifier);
        QVERIFY(wholeBank ? known.restoreBank(kSibling) : known.restoreChapter(kSibling));
        const ChapterLoader::Result loaded = ChapterLoader(bank.db.db()).load(kSibling, 0, 50);
        QVERIFY(loaded.ok);
        QCOMPARE(loaded.chapterToPractise, 2);
    }

    void restoreWithoutAChapterDoesNothing()
    {
        Bank bank;
        RecordingNotifier notifier;
        KnownQuestions known(bank.db.db(), notifier);
        QVERIFY(!known.restoreBank(QString()));
        QVERIFY(known.restoreChapter(QStringLiteral("没有这一章")));
        QVERIFY(notifier.notices.isEmpty());
        QCOMPARE(bank.knownCount(), 3);
    }

    void knownOfListsInStorageOrder()
    {
        Bank bank;
        bank.db.exec(QStringLiteral("update 考试训练题库 set 题目选择 = 0 where id in (%1, %2)")
                         .arg(bank.ids.at(3))
                         .arg(bank.ids.at(1)));
        RecordingNotifier notifier;
        KnownQuestions known(bank.db.db(), notifier);
        QList<qint64> ids;
        for (const QuestionRow &row : known.knownOf(kChapter))
            ids << row.id;
        QCOMPARE(ids, (QList<qint64>{bank.ids.at(1), bank.ids.at(3)}));
        QVERIFY(known.knownOf(QStringLiteral("没有这一章")).isEmpty());
        QVERIFY(notifier.notices.isEmpty());
    }
};

DRILLBAY_TEST(KnownQuestionsTest)
#include "KnownQuestionsTest.moc"
