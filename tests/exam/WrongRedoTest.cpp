#include "RecordingNotifier.h"
#include "TestDatabase.h"
#include "TestRegistry.h"

#include "exam/Countdown.h"
#include "exam/PracticeSession.h"
#include "exam/ReviewPresenter.h"
#include "practice/PracticeRun.h"
#include "practice/SequentialPractice.h"
#include "settings/SettingsForm.h"
#include "store/Sql.h"

#include <QTest>

using namespace Qt::Literals::StringLiterals;

namespace {

class SilentPresenter : public ReviewPresenter
{
public:
    void present(const ReviewBuilder::Review &review, int) override { shown << review; }
    QList<ReviewBuilder::Review> shown;
};

const QString kChapter = QStringLiteral("第一章 倒闸操作");

Settings settings()
{
    Settings s;
    s.examMinutes = 30;
    return s;
}

struct Desk
{
    Desk()
        : form(settings()), run(settings(), notifier), sequential(db.db(), run, notifier),
          session(db.db(), run, sequential, countdown, form, notifier, presenter)
    {
        const qint64 bank = db.addBank(QStringLiteral("变电"));
        db.addChapter(bank, kChapter);
        session.chooseChapter(kChapter);
        notifier.notices.clear();
    }

    // A run of the given type codes with the given correct answers and user
    // answers; question k has id k and picture "pk.png".
    void start(const QList<int> &types, const QStringList &correct, const QStringList &given,
               RunMode mode = RunMode::RandomPractice, bool examMode = false)
    {
        PracticeSession::RunStart start;
        start.content.mode = mode;
        start.content.examMode = examMode;
        for (int i = 0; i < types.size(); ++i) {
            RunQuestion q;
            q.questionId = i + 1;
            q.typeCode = types.at(i);
            q.stem = QStringLiteral("题%1").arg(i + 1);
            q.correctAnswer = correct.at(i);
            q.imageName = QStringLiteral("p%1.png").arg(i + 1);
            q.points = 2;
            start.content.questions << q;
        }
        start.statusText = QStringLiteral("随机练习状态");
        start.countdownMinutes = 7;
        QVERIFY(session.startRun(start));
        for (int i = 0; i < given.size(); ++i)
            run.question(i + 1).userAnswer = given.at(i);
        notifier.notices.clear();
    }
    QList<qint64> runIds() const
    {
        QList<qint64> ids;
        for (int k = 1; k <= run.length(); ++k)
            ids << run.question(k).questionId;
        return ids;
    }
    qint64 logRows() const
    {
        return sql::scalar(db.db(), QStringLiteral("select count(*) from log"));
    }

    TestDatabase db;
    RecordingNotifier notifier;
    SilentPresenter presenter;
    SettingsForm form;
    PracticeRun run;
    Countdown countdown;
    SequentialPractice sequential;
    PracticeSession session;
};

} // namespace

class WrongRedoTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    // Which questions a redo keeps: objective ones not answered correctly
    // (unanswered ones included), in run order; typed ones never.
    void keepsTheObjectiveOnesNotYetRight_data()
    {
        QTest::addColumn<QList<int>>("types");
        QTest::addColumn<QStringList>("correct");
        QTest::addColumn<QStringList>("given");
        QTest::addColumn<QList<qint64>>("kept");
        QTest::newRow("10: 4 right, 2 wrong, 4 typed")
            << QList<int>{1, 2, 3, 4, 5, 1, 2, 3, 4, 5}
            << QStringList{QStringLiteral("1"),  QStringLiteral("13"),   QStringLiteral("接地"),
                           QStringLiteral("1"),  QStringLiteral("论"),   QStringLiteral("2"),
                           QStringLiteral("24"), QStringLiteral("验电"), QStringLiteral("0"),
                           QStringLiteral("述")}
            << QStringList{QStringLiteral("1"),
                           QStringLiteral("31"),
                           QStringLiteral("错"),
                           QStringLiteral("1"),
                           QString(),
                           QStringLiteral("2"),
                           QStringLiteral("24"),
                           QString(),
                           QStringLiteral("0"),
                           QString()}
            << QList<qint64>{2};
        QTest::newRow("unanswered and wrong, order kept")
            << QList<int>{4, 1, 2, 1} << QStringList{u"1"_s, u"3"_s, u"12"_s, u"4"_s}
            << QStringList{QString(), u"2"_s, u"12"_s, u" 4 "_s} << QList<qint64>{1, 2};
        QTest::newRow("partly right multiple choice")
            << QList<int>{2, 2} << QStringList{u"123"_s, u"4"_s} << QStringList{u"12"_s, u"4"_s}
            << QList<qint64>{1};
        QTest::newRow("broken empty stored answer") << QList<int>{1} << QStringList{QString()}
                                                    << QStringList{QString()} << QList<qint64>{1};
    }
    void keepsTheObjectiveOnesNotYetRight()
    {
        QFETCH(QList<int>, types);
        QFETCH(QStringList, correct);
        QFETCH(QStringList, given);
        QFETCH(QList<qint64>, kept);
        Desk desk;
        desk.start(types, correct, given);
        const PracticeRun::Redo redo = desk.run.redoWrong();
        QCOMPARE(redo.before, types.size());
        QCOMPARE(redo.kept, kept.size());
        QCOMPARE(desk.runIds(), kept);
        for (int k = 1; k <= desk.run.length(); ++k) {
            const RunQuestion &q = desk.run.question(k);
            QVERIFY(q.userAnswer.isEmpty());
            QCOMPARE(q.imageName, QStringLiteral("p%1.png").arg(q.questionId));
            QCOMPARE(q.correctAnswer, correct.at(q.questionId - 1));
        }
        QCOMPARE(desk.run.current(), 1);
        QVERIFY(desk.run.active());
        QCOMPARE(desk.run.display().strip.size(), kept.size());
    }

    // The session around it: question, notice, status, countdown, strip.
    void redoOfTenGivesTwo()
    {
        Desk desk;
        desk.start(
            {1, 2, 3, 4, 5, 1, 2, 3, 4, 5},
            {u"1"_s, u"13"_s, u"x"_s, u"1"_s, u"y"_s, u"2"_s, u"24"_s, u"z"_s, u"0"_s, u"w"_s},
            {u"1"_s, u"13"_s, u"x"_s, u"0"_s, QString(), u"2"_s, u"2"_s, QString(), u"0"_s,
             QString()});
        // Past the last question: the strip shows colours, the bar is full.
        for (int k = 1; k <= 10; ++k)
            desk.run.next();
        QCOMPARE(desk.run.display().progressValue, 10);
        QCOMPARE(desk.run.display().page, RunDisplay::Page::Score);
        desk.notifier.notices.clear();
        desk.session.redoWrong();
        QCOMPARE(desk.notifier.questions.size(), 1);
        QCOMPARE(desk.notifier.questions.at(0).caption, QStringLiteral("提示消息"));
        QCOMPARE(desk.notifier.questions.at(0).text,
                 QStringLiteral("[软件提示]：确定进入【错题重练】状态吗？"));
        QCOMPARE(desk.notifier.notices,
                 QStringList{
                     QStringLiteral("[软件提示]：本套试题原调入试题 [10] 道  需重新练习 [2] 道.")});
        QCOMPARE(desk.session.frame().runStatus, QStringLiteral("错题重练状态，共[2]道"));
        QCOMPARE(desk.runIds(), (QList<qint64>{4, 7}));
        QCOMPARE(desk.run.question(1).imageName, QStringLiteral("p4.png"));
        QCOMPARE(desk.run.question(2).imageName, QStringLiteral("p7.png"));
        QCOMPARE(desk.run.display().picture, QStringLiteral("images/p4.png"));
        QCOMPARE(desk.run.display().page, RunDisplay::Page::TrueFalse);
        QCOMPARE(desk.countdown.remaining(), 30 * 60);
        QVERIFY(desk.countdown.isRunning());
        QCOMPARE(desk.run.display().strip.size(), 2);
        QCOMPARE(desk.run.display().progressValue, 0);
        for (const RunDisplay::StripNumber &number : desk.run.display().strip) {
            QCOMPARE(number.colour, RunDisplay::kGrey);
            QVERIFY(!number.bold);
        }
        QVERIFY(!desk.session.frame().setChoiceEnabled);
        QCOMPARE(desk.run.mode(), RunMode::RandomPractice);
        QCOMPARE(desk.logRows(), 0);

        // Both right now: the next redo ends the run without a record.
        desk.run.question(1).userAnswer = u"1"_s;
        desk.run.question(2).userAnswer = u"24"_s;
        desk.notifier.notices.clear();
        desk.session.redoWrong();
        QCOMPARE(desk.notifier.notices,
                 QStringList{QStringLiteral(
                     "[软件提示]：本套试题已经训练完毕，请选择任意选择【顺序试题】、【随机试题】、"
                     "【模拟考试】进行训练.")});
        QVERIFY(!desk.run.active());
        QVERIFY(!desk.countdown.isRunning());
        QCOMPARE(desk.logRows(), 0);
        QVERIFY(desk.presenter.shown.isEmpty());
        QCOMPARE(desk.session.frame().leftPage, PracticeSession::LeftPage::Commands);
        QVERIFY(desk.session.frame().commandsEnabled);
        QVERIFY(desk.session.frame().chapterLinkVisible);
        QVERIFY(desk.run.display().strip.isEmpty());
    }

    // Cancelled, or no run: nothing changes (no run: the notice and the
    // command page).
    void cancelledOrWithoutRun_data()
    {
        QTest::addColumn<bool>("loaded");
        QTest::addColumn<bool>("confirm");
        QTest::addColumn<QStringList>("notices");
        QTest::newRow("cancelled") << true << false << QStringList();
        QTest::newRow("no run") << false << true
                                << QStringList{
                                       QStringLiteral("[软件提示]：请双击左侧的试题列表。")};
        QTest::newRow("no run, cancelled") << false << false << QStringList();
    }
    void cancelledOrWithoutRun()
    {
        QFETCH(bool, loaded);
        QFETCH(bool, confirm);
        QFETCH(QStringList, notices);
        Desk desk;
        if (loaded)
            desk.start({1, 1}, {u"1"_s, u"2"_s}, {u"3"_s, QString()});
        desk.session.showLeftPage(PracticeSession::LeftPage::Practice);
        const int serial = desk.session.frame().leftPageSerial;
        desk.notifier.answers = {confirm};
        desk.session.redoWrong();
        QCOMPARE(desk.notifier.notices, notices);
        QCOMPARE(desk.run.length(), loaded ? 2 : 0);
        QCOMPARE(desk.run.active(), loaded);
        if (loaded)
            QCOMPARE(desk.run.question(1).userAnswer, u"3"_s);
        const bool toCommands = !loaded && confirm;
        QCOMPARE(desk.session.frame().leftPage, toCommands ? PracticeSession::LeftPage::Commands
                                                           : PracticeSession::LeftPage::Practice);
        QCOMPARE(desk.session.frame().leftPageSerial, serial + (toCommands ? 1 : 0));
    }

    // A redo keeps the kind of run and the exam flag; graded, it is logged as
    // the run it came from.
    void keepsTheKindOfRun_data()
    {
        QTest::addColumn<int>("mode");
        QTest::addColumn<bool>("examMode");
        QTest::addColumn<QString>("info");
        QTest::newRow("mock examination") << int(RunMode::MockExamination) << true
                                          << QStringLiteral("[模拟考试]-[第一章 倒闸操作]");
        QTest::newRow("random") << int(RunMode::RandomPractice) << false
                                << QStringLiteral("[随机模式]-[第一章 倒闸操作]");
        QTest::newRow("sequential set") << int(RunMode::SequentialSet) << false
                                        << QStringLiteral("[练习模式]-[第一章 倒闸操作]第【1】套");
    }
    void keepsTheKindOfRun()
    {
        QFETCH(int, mode);
        QFETCH(bool, examMode);
        QFETCH(QString, info);
        Desk desk;
        QList<int> types(120, 1);
        QStringList correct(120, u"1"_s);
        QStringList given(120, u"1"_s);
        for (const int wrong : {3, 17, 40, 41, 77, 100, 119})
            given[wrong] = u"2"_s;
        desk.start(types, correct, given, RunMode(mode), examMode);
        desk.session.redoWrong();
        QCOMPARE(desk.run.length(), 7);
        QCOMPARE(desk.run.examMode(), examMode);
        QCOMPARE(desk.run.mode(), RunMode(mode));
        QCOMPARE(desk.run.display().revealPanelVisible[0], !examMode);
        desk.session.grade();
        QCOMPARE(desk.logRows(), 1);
        QSqlQuery row = sql::run(desk.db.db(), QStringLiteral("select info, fen from log"));
        QVERIFY(row.next());
        QCOMPARE(row.value(0).toString(), info);
        QCOMPARE(row.value(1).toInt(), 0);
    }
};

DRILLBAY_TEST(WrongRedoTest)
#include "WrongRedoTest.moc"
