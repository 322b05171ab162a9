#include "ExamTestQuestions.h"
#include "RecordingNotifier.h"
#include "ScriptedRandom.h"
#include "TestDatabase.h"
#include "TestRegistry.h"

#include "base/StoreError.h"

#include "exam/Countdown.h"
#include "exam/PracticeSession.h"
#include "exam/RandomPractice.h"
#include "exam/RandomPracticeSource.h"
#include "exam/ReviewPresenter.h"
#include "practice/PracticeRun.h"
#include "practice/SequentialPractice.h"
#include "settings/SettingsForm.h"
#include "store/Sql.h"

#include <QSet>
#include <QSignalSpy>
#include <QTest>

namespace {

using Scope = RandomPracticeSource::Scope;

class SilentPresenter : public ReviewPresenter
{
public:
    void present(const ReviewBuilder::Review &, int setIndex) override { setIndexes << setIndex; }
    QList<int> setIndexes;
};

const QString kBank = QStringLiteral("变电");
const QString kChapter = QStringLiteral("第一章 倒闸操作");
const QString kOther = QStringLiteral("第二章 工作票");

Settings withSetSize(int setSize)
{
    Settings settings;
    settings.setSize = setSize;
    settings.examMinutes = 40;
    return settings;
}

// The main window's run, session and random practice over one test database
// holding two chapters of one bank and a chapter of another bank.
struct Desk
{
    explicit Desk(int setSize = 50)
        : bank(db.addBank(kBank)), chapter(db.addChapter(bank, kChapter)),
          other(db.addChapter(bank, kOther)),
          foreign(db.addChapter(db.addBank(QStringLiteral("线路")), QStringLiteral("外库"))),
          form(withSetSize(setSize)), run(withSetSize(setSize), notifier),
          sequential(db.db(), run, notifier),
          session(db.db(), run, sequential, countdown, form, notifier, presenter),
          practice(db.db(), session, form, notifier, random)
    {
    }

    TestDatabase db;
    qint64 bank;
    qint64 chapter;
    qint64 other;
    qint64 foreign;
    RecordingNotifier notifier;
    SilentPresenter presenter;
    ScriptedRandom random;
    SettingsForm form;
    PracticeRun run;
    Countdown countdown;
    SequentialPractice sequential;
    PracticeSession session;
    RandomPractice practice;

    qint64 add(qint64 inChapter, int number, bool toPractise = true)
    {
        return db.addQuestion(inChapter, 1, QStringLiteral("题%1").arg(number), sampleOptions(),
                              QStringLiteral("2"), 2, toPractise);
    }
    QList<qint64> runIds() const
    {
        QList<qint64> ids;
        for (int k = 1; k <= run.length(); ++k)
            ids << run.question(k).questionId;
        return ids;
    }
};

} // namespace

class RandomPracticeTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    // How many a run takes: the set size, all candidates when fewer, nothing
    // from nothing, never more than a run holds.
    void runSize_data()
    {
        QTest::addColumn<int>("candidates");
        QTest::addColumn<int>("setSize");
        QTest::addColumn<int>("expected");
        QTest::newRow("more than the set") << 120 << 50 << 50;
        QTest::newRow("exactly the set") << 50 << 50 << 50;
        QTest::newRow("fewer: all of them") << 30 << 50 << 30;
        QTest::newRow("one") << 1 << 50 << 1;
        QTest::newRow("none") << 0 << 50 << 0;
        QTest::newRow("set size zero") << 10 << 0 << 0;
        QTest::newRow("capacity") << 100000 << 1000 << question::kRunCapacity;
    }
    void runSize()
    {
        QFETCH(int, candidates);
        QFETCH(int, setSize);
        QFETCH(int, expected);
        QCOMPARE(RandomPracticeSource::runSize(candidates, setSize), expected);
    }

    // Both commands: the notices with their figures, the run's size, order and
    // kind, the status, the countdown and the left panel.
    void startsARandomRun_data()
    {
        QTest::addColumn<int>("scope");
        QTest::addColumn<int>("inChapter");
        QTest::addColumn<int>("inOther");
        QTest::addColumn<int>("setSize");
        QTest::addColumn<int>("expected");
        QTest::newRow("chapter of 120, set 50") << int(Scope::Chapter) << 120 << 5 << 50 << 50;
        QTest::newRow("chapter of exactly 50") << int(Scope::Chapter) << 50 << 5 << 50 << 50;
        QTest::newRow("chapter of 30: all 30") << int(Scope::Chapter) << 30 << 40 << 50 << 30;
        QTest::newRow("chapter of one") << int(Scope::Chapter) << 1 << 0 << 10 << 1;
        QTest::newRow("bank of 25+20, set 40") << int(Scope::Bank) << 25 << 20 << 40 << 40;
        QTest::newRow("bank of 6+3: all 9") << int(Scope::Bank) << 6 << 3 << 10 << 9;
    }
    void startsARandomRun()
    {
        QFETCH(int, scope);
        QFETCH(int, inChapter);
        QFETCH(int, inOther);
        QFETCH(int, setSize);
        QFETCH(int, expected);
        Desk desk(setSize);
        QSet<qint64> inScope;
        // Interleaved, so that the bank's storage order mixes the chapters.
        for (int i = 0; i < std::max(inChapter, inOther); ++i) {
            if (i < inChapter)
                inScope << desk.add(desk.chapter, i);
            const qint64 id = i < inOther ? desk.add(desk.other, 1000 + i) : 0;
            if (id && Scope(scope) == Scope::Bank)
                inScope << id;
            desk.add(desk.foreign, 2000 + i);
        }
        QVERIFY(desk.session.chooseChapter(kChapter));
        desk.notifier.notices.clear();
        desk.random.script = {7, 3, 11, 0, 2, 5, 1};
        QSignalSpy due(&desk.session, &PracticeSession::practicePanelDue);

        QVERIFY(desk.practice.start(Scope(scope)));

        const int candidates = static_cast<int>(inScope.size());
        QStringList notices{RandomPractice::scopeNotice(
            Scope(scope), Scope(scope) == Scope::Bank ? kBank : kChapter, candidates, setSize)};
        if (candidates < setSize)
            notices << RandomPractice::fewerNotice(candidates, setSize);
        notices << RandomPractice::startNotice(expected);
        QCOMPARE(desk.notifier.notices, notices);

        const QList<qint64> ids = desk.runIds();
        QCOMPARE(ids.size(), expected);
        QCOMPARE(QSet<qint64>(ids.cbegin(), ids.cend()).size(), expected);
        for (int k = 1; k < ids.size(); ++k)
            QVERIFY2(ids.at(k - 1) < ids.at(k), "the run keeps the storage order");
        for (const qint64 id : ids)
            QVERIFY(inScope.contains(id));
        QCOMPARE(desk.random.asked.size(), expected);
        QCOMPARE(desk.random.asked.value(0), candidates);

        QCOMPARE(desk.run.mode(), RunMode::RandomPractice);
        QVERIFY(!desk.run.examMode());
        QVERIFY(desk.run.active());
        QCOMPARE(desk.run.current(), 1);
        QCOMPARE(desk.session.frame().runStatus, RandomPractice::statusText(expected));
        QVERIFY(!desk.session.frame().practiceBackEnabled);
        QVERIFY(!desk.session.frame().setChoiceEnabled);
        QVERIFY(desk.countdown.isRunning());
        QCOMPARE(desk.countdown.remaining(), 40 * 60);
        QCOMPARE(due.size(), 1);
        QCOMPARE(due.at(0).at(0).toInt(), 500);
    }

    void exactTexts()
    {
        QCOMPARE(RandomPractice::scopeNotice(Scope::Bank, kBank, 80, 50),
                 QStringLiteral("当前数据库名: [变电]   试题总共有:[80]道  "
                                "按照默认的试题数量:[50]道  随机抽取."));
        QCOMPARE(RandomPractice::scopeNotice(Scope::Chapter, kChapter, 30, 50),
                 QStringLiteral("当前章节名: [第一章 倒闸操作]   试题总共有:[30]道  "
                                "按照默认的试题数量:[50]道  随机抽取."));
        QCOMPARE(RandomPractice::fewerNotice(30, 50),
                 QStringLiteral("软件提示：当前试题量:[30]小于软件设定的数量 [50],"
                                "软件自动抽取:[30]道."));
        QCOMPARE(RandomPractice::startNotice(29),
                 QStringLiteral("软件提示：已经随机抽取试题 [29]道,点击 [确定] 按钮开始..."));
        QCOMPARE(RandomPractice::statusText(50), QStringLiteral("随机练习状态 [50]道"));
        QCOMPARE(RandomPractice::kHint,
                 QStringLiteral("系统提示：试题不分割，随机抽取系统设定数的随机试题。"));
    }

    // The scripted numbers choose exactly these candidates; known questions
    // are candidates like the others.
    void drawsThroughTheRandomSource()
    {
        Desk desk(10);
        QList<qint64> ids;
        for (int i = 0; i < 12; ++i)
            ids << desk.add(desk.chapter, i, i % 2 == 0);
        QVERIFY(desk.session.chooseChapter(kChapter));
        // A partial shuffle of positions 0 … 11: picks 11, then 0, then 5 of
        // what is left, and so on.
        desk.random.script = {11, 0, 5, 0, 0, 0, 0, 0, 0, 0};
        const RandomPracticeSource source(desk.db.db(), desk.random, Scope::Chapter, kChapter, 3);
        const RunContent content = source.content();
        QCOMPARE(desk.random.asked, (QList<int>{12, 11, 10}));
        QList<qint64> drawn;
        for (const RunQuestion &q : content.questions)
            drawn << q.questionId;
        // Positions 11, 1 and 7 (swapped in for 2), in storage order.
        QCOMPARE(drawn, (QList<qint64>{ids.at(1), ids.at(7), ids.at(11)}));
        QCOMPARE(content.questions.at(0).stem, QStringLiteral("题1"));
        QCOMPARE(content.questions.at(0).correctAnswer, QStringLiteral("2"));
    }

    // A question deleted after the ids were read is left out, not loaded empty.
    void deletedCandidateIsLeftOut()
    {
        Desk desk;
        QList<qint64> ids;
        for (int i = 0; i < 4; ++i)
            ids << desk.add(desk.chapter, i);
        const RandomPracticeSource source(desk.db.db(), desk.random, Scope::Chapter, kChapter, 50);
        const RandomPracticeSource::Candidates candidates = source.candidates();
        QCOMPARE(candidates.ids, ids);
        desk.db.exec(QStringLiteral("delete from 考试训练题库 where id = %1").arg(ids.at(2)));
        const RunContent content = source.draw(candidates, 4);
        QCOMPARE(content.questions.size(), 3);
        QCOMPARE(content.questions.at(2).questionId, ids.at(3));
    }

    // Nothing to draw from: one clear notice, no run, the window stays idle.
    void emptyScopeLoadsNothing_data()
    {
        QTest::addColumn<int>("scope");
        QTest::addColumn<bool>("chooseChapter");
        QTest::addColumn<QString>("notice");
        QTest::newRow("empty chapter")
            << int(Scope::Chapter) << true
            << QStringLiteral("[软件提示]：当前章节没有试题，没有调入随机练习。");
        QTest::newRow("empty bank")
            << int(Scope::Bank) << true
            << QStringLiteral("[软件提示]：当前题库没有试题，没有调入随机练习。");
        QTest::newRow("no chapter chosen")
            << int(Scope::Chapter) << false
            << QStringLiteral("[软件提示]：还没有选择章节，请先选择章节再随机练习。");
    }
    void emptyScopeLoadsNothing()
    {
        QFETCH(int, scope);
        QFETCH(bool, chooseChapter);
        QFETCH(QString, notice);
        Desk desk;
        desk.add(desk.foreign, 1);
        if (chooseChapter)
            desk.session.chooseChapter(kChapter);
        desk.notifier.notices.clear();
        QSignalSpy due(&desk.session, &PracticeSession::practicePanelDue);
        QVERIFY(!desk.practice.start(Scope(scope)));
        QCOMPARE(desk.notifier.notices, QStringList{notice});
        QVERIFY(!desk.run.active());
        QVERIFY(!desk.countdown.isRunning());
        QCOMPARE(due.size(), 0);
        QCOMPARE(desk.session.frame().runStatus, QStringLiteral("练习状态"));
        QVERIFY(desk.random.asked.isEmpty());
    }

    // A question table that cannot be read: one notice with the reason, no run.
    void unreadableQuestionsLoadNothing()
    {
        Desk desk;
        desk.add(desk.chapter, 1);
        QVERIFY(desk.session.chooseChapter(kChapter));
        desk.notifier.notices.clear();
        desk.db.exec(QStringLiteral("alter table 考试训练题库 rename to gone"));
        QVERIFY(!desk.practice.start(Scope::Chapter));
        QCOMPARE(
            desk.notifier.notices,
            QStringList{QStringLiteral("[软件提示]：随机练习的试题没有调入，原因：") +
                        StoreError::reasonOf(StoreError::Cause::MissingPart, QString(),
                                             TestDatabase::onServer() ? StoreError::Origin::Server
                                                                      : StoreError::Origin::File) +
                        QStringLiteral("。")});
        QVERIFY(!desk.run.active());
        QVERIFY(!desk.countdown.isRunning());
    }

    // A loaded mock examination is dropped ungraded; the random run is no
    // examination.
    void replacesAMockExamination()
    {
        Desk desk;
        for (int i = 0; i < 5; ++i)
            desk.add(desk.chapter, i);
        QVERIFY(desk.session.chooseChapter(kChapter));
        PracticeSession::RunStart exam;
        exam.content.mode = RunMode::MockExamination;
        exam.content.examMode = true;
        exam.content.questions.resize(2);
        exam.content.questions[0].typeCode = 1;
        exam.content.questions[1].typeCode = 1;
        exam.countdownMinutes = 120;
        QVERIFY(desk.session.startRun(exam));
        QVERIFY(desk.run.examMode());

        QVERIFY(desk.practice.start(Scope::Chapter));
        QVERIFY(!desk.run.examMode());
        QCOMPARE(desk.run.mode(), RunMode::RandomPractice);
        QCOMPARE(desk.run.length(), 5);
        QCOMPARE(desk.countdown.remaining(), 40 * 60);
        QCOMPARE(sql::scalar(desk.db.db(), QStringLiteral("select count(*) from log")), 0);
    }

    // Graded as a random run: the log names the kind and the chapter, no
    // set; the set list keeps its highlighted set; the review's file names no set.
    void gradedAndLoggedAsRandom()
    {
        Desk desk(10);
        for (int i = 0; i < 25; ++i)
            desk.add(desk.chapter, i);
        QVERIFY(desk.session.chooseChapter(kChapter));
        desk.sequential.setClicked(2);
        const int highlighted = desk.sequential.division().highlightedSet;
        QVERIFY(desk.practice.start(Scope::Chapter));
        QCOMPARE(desk.session.setIndexOfRun(), 0);
        desk.session.grade();
        QCOMPARE(sql::scalar(desk.db.db(), QStringLiteral("select count(*) from log")), 1);
        QSqlQuery info = sql::run(desk.db.db(), QStringLiteral("select info from log"));
        QVERIFY(info.next());
        QCOMPARE(info.value(0).toString(), QStringLiteral("[随机模式]-[第一章 倒闸操作]"));
        QCOMPARE(desk.sequential.division().highlightedSet, highlighted);
        QCOMPARE(desk.presenter.setIndexes, QList<int>{0});
        QVERIFY(!desk.run.active());
    }
};

DRILLBAY_TEST(RandomPracticeTest)
#include "RandomPracticeTest.moc"
