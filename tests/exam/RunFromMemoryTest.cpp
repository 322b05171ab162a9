#include "ExamTestQuestions.h"
#include "RecordingNotifier.h"
#include "TestDatabase.h"
#include "TestRegistry.h"

#include "exam/Countdown.h"
#include "exam/PracticeSession.h"
#include "exam/ReviewPresenter.h"
#include "practice/PracticeRun.h"
#include "practice/SequentialPractice.h"
#include "settings/SettingsForm.h"
#include "store/QuestionTable.h"
#include "store/Sql.h"

#include <QTest>

namespace {

class CountingPresenter : public ReviewPresenter
{
public:
    void present(const ReviewBuilder::Review &review, int) override { shown << review; }
    QList<ReviewBuilder::Review> shown;
};

const QString kChapter = QStringLiteral("第二章 工作票");

// A chapter of three single-choice questions (answer B) and the objects a
// run of it needs.
struct Desk
{
    Desk()
        : bank(db.addBank(QStringLiteral("线路"))), chapter(db.addChapter(bank, kChapter)),
          run(Settings(), notifier), sequential(db.db(), run, notifier),
          session(db.db(), run, sequential, countdown, form, notifier, presenter)
    {
        for (int i = 0; i < 3; ++i)
            ids << db.addQuestion(chapter, 1, QStringLiteral("原题%1").arg(i), sampleOptions(),
                                  QStringLiteral("2"));
    }
    void load()
    {
        QVERIFY(session.chooseChapter(kChapter));
        session.startSequential(0);
        session.extract();
        QVERIFY(run.active());
    }
    // Every question answered right, the last one left on screen.
    void answerAllRight()
    {
        for (int k = 1; k <= run.length(); ++k) {
            QCOMPARE(run.current(), k);
            run.answerSingle(2);
            if (k < run.length()) {
                for (int i = 0; i < 20; ++i)
                    run.tickAdvance();
            }
        }
    }
    int logRows() const
    {
        return static_cast<int>(sql::scalar(db.db(), QStringLiteral("select count(*) from log")));
    }

    TestDatabase db;
    qint64 bank;
    qint64 chapter;
    QList<qint64> ids;
    RecordingNotifier notifier;
    CountingPresenter presenter;
    SettingsForm form;
    PracticeRun run;
    Countdown countdown;
    SequentialPractice sequential;
    PracticeSession session;
};

} // namespace

// A run holds its questions in memory: a trainer's change to the bank while
// it goes on shows only at the next load, and is never an error in the run.
class RunFromMemoryTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void changedMeanwhile_data()
    {
        QTest::addColumn<QString>("change");
        QTest::addColumn<QString>("nextFirstStem");
        QTest::addColumn<int>("nextLength");
        QTest::newRow("nothing") << "none"
                                 << "原题0" << 3;
        QTest::newRow("first question corrected") << "corrected"
                                                  << "改正的题" << 3;
        QTest::newRow("first question deleted") << "deleted"
                                                << "原题1" << 2;
    }
    void changedMeanwhile()
    {
        QFETCH(QString, change);
        QFETCH(QString, nextFirstStem);
        QFETCH(int, nextLength);
        Desk desk;
        desk.load();
        QCOMPARE(desk.run.length(), 3);

        QuestionTable questions(desk.db.db());
        if (change == QLatin1String("corrected")) {
            QuestionRow row = questions.readByIds({desk.ids.at(0)}).first();
            row.stem = QStringLiteral("改正的题");
            QVERIFY(questions.updateTexts(row, false));
        } else if (change == QLatin1String("deleted")) {
            QVERIFY(questions.remove(desk.ids.at(0)));
        }

        // The run shows what it loaded and grades its own copy.
        QCOMPARE(desk.run.question(1).questionId, desk.ids.at(0));
        QCOMPARE(desk.run.question(1).stem, QStringLiteral("原题0"));
        desk.answerAllRight();
        desk.session.grade();
        QCOMPARE(desk.notifier.notices, QStringList());
        QCOMPARE(desk.presenter.shown.size(), 1);
        QCOMPARE(desk.presenter.shown.at(0).countFigure, QStringLiteral("3/3"));
        QCOMPARE(desk.presenter.shown.at(0).percentFigure, QStringLiteral("100"));
        QCOMPARE(desk.logRows(), 1);
        QCOMPARE(sql::scalar(desk.db.db(), QStringLiteral("select fen from log")), 100);

        // The next load reads the bank as it is now.
        desk.load();
        QCOMPARE(desk.run.length(), nextLength);
        QCOMPARE(desk.run.question(1).stem, nextFirstStem);
        QCOMPARE(desk.notifier.notices, QStringList());
    }
};

DRILLBAY_TEST(RunFromMemoryTest)
#include "RunFromMemoryTest.moc"
