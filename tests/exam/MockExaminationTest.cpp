#include "ExamTestQuestions.h"
#include "RecordingNotifier.h"
#include "TestDatabase.h"
#include "TestRegistry.h"

#include "exam/Countdown.h"
#include "exam/MockExamForm.h"
#include "exam/MockExamination.h"
#include "exam/PracticeSession.h"
#include "exam/ReviewPresenter.h"
#include "practice/PracticeRun.h"
#include "practice/SequentialPractice.h"
#include "settings/SettingsForm.h"
#include "store/Sql.h"

#include <QSignalSpy>
#include <QTest>

namespace {

class SilentPresenter : public ReviewPresenter
{
public:
    void present(const ReviewBuilder::Review &, int) override { ++shown; }
    int shown = 0;
};

const QStringList kOptions = sampleOptions();

// The session around a run over one bank of two chapters, and the mock
// examination of the bank chosen in the picker.
struct Exam
{
    Exam()
        : bank(db.addBank("变电运行")), first(db.addChapter(bank, "第一章")),
          second(db.addChapter(bank, "第二章")), form(Settings()), run(Settings(), notifier),
          sequential(db.db(), run, notifier),
          session(db.db(), run, sequential, countdown, form, notifier, presenter),
          exam(db.db(), session, examForm, notifier)
    {
        exam.setBankSource([this] { return pickerBank; });
        QObject::connect(&exam, &MockExamination::commandChanged, &exam,
                         [this] { captions << exam.command().caption; });
    }

    // count questions of the type in the chapter, all drawn into its quota row.
    void drawn(qint64 chapter, int position, int type, int count)
    {
        QString list;
        for (int i = 1; i <= count; ++i) {
            const qint64 id = db.addQuestion(chapter, type, QString("题%1-%2").arg(type).arg(i),
                                             type <= 2 ? kOptions : QStringList{}, "1");
            list += "#" + QString::number(id);
        }
        static const char *const columns[] = {"s", "d", "t", "p", "lunshu"};
        const QString column = QString::fromLatin1(columns[type - 1]);
        sql::run(db.db(),
                 "insert into rand_num (db_db_id, sele_zhang_id, sele_zhang_xuhao, " + column +
                     "_num, total_num, " + column + "_num_shiti) values (?,?,?,?,?,?)",
                 {bank, chapter, position, count, count, list});
    }

    int logRows() const
    {
        return static_cast<int>(sql::scalar(db.db(), "select count(*) from log"));
    }

    TestDatabase db;
    qint64 bank;
    qint64 first;
    qint64 second;
    RecordingNotifier notifier;
    SilentPresenter presenter;
    SettingsForm form;
    PracticeRun run;
    Countdown countdown;
    SequentialPractice sequential;
    PracticeSession session;
    MockExamForm examForm;
    MockExamination exam;
    QString pickerBank = "变电运行";
    QStringList captions;
};

} // namespace

// "本类模拟考试": the examination of the picker's bank from its stored draw,
// the command's captions, the way to the quota page, and the views of the
// quota page that must leave a loaded run alone.
class MockExaminationTest : public QObject
{
    Q_OBJECT

private slots:
    void startsTheTimedExamination()
    {
        Exam e;
        e.drawn(e.second, 2, 4, 5);
        e.drawn(e.first, 1, 1, 10);
        e.examForm.examMinutes = 45;
        QSignalSpy papers(&e.exam, &MockExamination::paperReady);
        QSignalSpy due(&e.session, &PracticeSession::practicePanelDue);

        QVERIFY(e.exam.start());
        QCOMPARE(e.captions, (QStringList{"抽题中.请等待...", "抽题模拟考试"}));
        QVERIFY(e.exam.command().enabled);
        QVERIFY(e.run.active());
        QCOMPARE(e.run.length(), 15);
        QCOMPARE(e.run.mode(), RunMode::MockExamination);
        QVERIFY(e.run.examMode());
        QCOMPARE(e.run.current(), 1);
        for (int k = 1; k <= 10; ++k)
            QCOMPARE(e.run.question(k).typeCode, 1);
        QCOMPARE(e.run.question(11).typeCode, 4);
        QCOMPARE(e.session.frame().runStatus, QString("模拟考试状态 [15]道"));
        QVERIFY(!e.session.frame().practiceBackEnabled);
        QCOMPARE(e.countdown.remaining(), 45 * 60);
        QCOMPARE(due.size(), 1);
        QCOMPARE(due.at(0).at(0).toInt(), 0);
        QCOMPARE(papers.size(), 1);
        const StyledText lines = papers.at(0).at(0).value<StyledText>();
        QCOMPARE(lines.at(1).text(), QString("本数据库名:变电运行"));
        QVERIFY(e.notifier.notices.isEmpty());

        e.session.grade();
        QCOMPARE(e.logRows(), 1);
        QSqlQuery query = sql::run(e.db.db(), "select info from log");
        QVERIFY(query.next());
        const QString logged = query.value(0).toString();
        QVERIFY2(logged.contains("[模拟考试]"), qPrintable(logged));

        // The stored draw stays: the same paper can be sat again.
        QList<qint64> firstSitting;
        for (int k = 1; k <= 15; ++k)
            firstSitting << e.run.question(k).questionId;
        QVERIFY(!e.run.active());
        QVERIFY(e.exam.start());
        QCOMPARE(e.run.length(), 15);
        for (int k = 1; k <= 15; ++k) {
            QCOMPARE(e.run.question(k).questionId, firstSitting.at(k - 1));
            QVERIFY(e.run.question(k).userAnswer.isEmpty());
        }
        QCOMPARE(e.logRows(), 1);
    }

    void examinationTime_data()
    {
        QTest::addColumn<int>("form");
        QTest::addColumn<int>("minutes");
        QTest::newRow("default") << 60 << 60;
        QTest::newRow("one minute") << 1 << 1;
        QTest::newRow("zero counts as the default") << 0 << 60;
        QTest::newRow("most") << 180 << 180;
        QTest::newRow("above the most") << 181 << 180;
    }

    void examinationTime()
    {
        QFETCH(int, form);
        QFETCH(int, minutes);
        Exam e;
        e.drawn(e.first, 1, 1, 1);
        e.examForm.examMinutes = form;
        QVERIFY(e.exam.start());
        QCOMPARE(e.countdown.remaining(), minutes * 60);
    }

    void deletedQuestionShortensTheRun()
    {
        Exam e;
        e.drawn(e.first, 1, 1, 3);
        e.db.exec("delete from 考试训练题库 where id = (select min(id) from 考试训练题库)");
        QSignalSpy papers(&e.exam, &MockExamination::paperReady);
        QVERIFY(e.exam.start());
        QCOMPARE(e.run.length(), 2);
        QCOMPARE(e.session.frame().runStatus, QString("模拟考试状态 [2]道"));
        const StyledText lines = papers.at(0).at(0).value<StyledText>();
        QCOMPARE(lines.at(4).text(), QString("本数据库随机抽取试题数:3"));
    }

    // Nothing to examine: a notice, the quota page, no run, and the command
    // ready again.
    void nothingToExamine_data()
    {
        QTest::addColumn<QString>("pickerBank");
        QTest::addColumn<bool>("drawnThenDeleted");
        QTest::addColumn<QString>("notice");
        QTest::newRow("no quotas")
            << "变电运行" << false
            << "[软件提示]：当前数据库【变电运行】没有设定抽题数量，现在自动打开按章抽题选择.";
        QTest::newRow("bank not in the file")
            << "配电" << false
            << "[软件提示]：当前数据库【配电】没有设定抽题数量，现在自动打开按章抽题选择.";
        QTest::newRow("every drawn question deleted")
            << "变电运行" << true
            << "[软件提示]：当前数据库【变电运行】抽取的试题已全部删除，请重新按章抽题.";
    }

    void nothingToExamine()
    {
        QFETCH(QString, pickerBank);
        QFETCH(bool, drawnThenDeleted);
        QFETCH(QString, notice);
        Exam e;
        e.pickerBank = pickerBank;
        if (drawnThenDeleted) {
            e.drawn(e.first, 1, 1, 2);
            e.db.exec("delete from 考试训练题库");
        }
        QSignalSpy quotaPage(&e.exam, &MockExamination::quotaPageRequested);
        QSignalSpy papers(&e.exam, &MockExamination::paperReady);
        QVERIFY(!e.exam.start());
        QCOMPARE(e.notifier.notices, QStringList{notice});
        QCOMPARE(quotaPage.size(), 1);
        QCOMPARE(papers.size(), 0);
        QVERIFY(!e.run.active());
        QCOMPARE(e.captions, (QStringList{"抽题中.请等待...", "抽题模拟考试"}));
        QVERIFY(e.exam.command().enabled);
        QCOMPARE(e.session.frame().runStatus, QString("练习状态"));
    }

    void unreadableFileNeverWedgesTheCommand()
    {
        Exam e;
        e.drawn(e.first, 1, 1, 2);
        e.db.dropTable(QStringLiteral("考试训练题库"));
        QVERIFY(!e.exam.start());
        QCOMPARE(e.notifier.notices.size(), 1);
        QVERIFY(e.notifier.notices.at(0).startsWith("[软件提示]：模拟考试试题无法读取，"));
        QVERIFY(e.notifier.notices.at(0).contains("缺少所需的数据表"));
        QVERIFY(!e.run.active());
        QVERIFY(e.exam.command().enabled);
        QCOMPARE(e.exam.command().caption, QString("抽题模拟考试"));
    }

    void viewsLeaveALoadedRunAlone()
    {
        Exam e;
        e.drawn(e.first, 1, 1, 3);
        e.drawn(e.second, 2, 3, 2);
        QVERIFY(e.exam.start());
        e.run.stripClick(2);
        const int remaining = e.countdown.remaining();
        const qint64 secondRow =
            sql::scalar(e.db.db(), "select id from rand_num where sele_zhang_xuhao = 2");

        QSignalSpy papers(&e.exam, &MockExamination::paperReady);
        QVERIFY(e.exam.showPaper(PaperScope::ofRow(secondRow)));
        QVERIFY(e.exam.showPaper(PaperScope::ofBank(e.bank)));
        QCOMPARE(papers.size(), 2);
        QCOMPARE(papers.at(0).at(0).value<StyledText>().at(1).text(), QString("本章名:第二章"));
        QCOMPARE(papers.at(1).at(0).value<StyledText>().at(1).text(),
                 QString("本数据库名:变电运行"));
        QVERIFY(e.run.active());
        QCOMPARE(e.run.length(), 5);
        QCOMPARE(e.run.current(), 2);
        QCOMPARE(e.countdown.remaining(), remaining);
        QCOMPARE(e.session.frame().runStatus, QString("模拟考试状态 [5]道"));
    }

    void viewsWithNothingToShow_data()
    {
        QTest::addColumn<bool>("chapterDeleted");
        QTest::addColumn<QStringList>("notices");
        QTest::newRow("row deleted meanwhile") << false << QStringList{};
        QTest::newRow("chapter deleted")
            << true << QStringList{"[软件提示]：本行抽题设定的章节已经删除，没有可查看的试题."};
    }

    void viewsWithNothingToShow()
    {
        QFETCH(bool, chapterDeleted);
        QFETCH(QStringList, notices);
        Exam e;
        e.drawn(e.first, 1, 1, 2);
        qint64 row = sql::scalar(e.db.db(), "select id from rand_num");
        if (chapterDeleted)
            e.db.exec("delete from fenlei where 试卷名称 = '第一章'");
        else
            row += 100;
        QSignalSpy papers(&e.exam, &MockExamination::paperReady);
        QVERIFY(!e.exam.showPaper(PaperScope::ofRow(row)));
        QCOMPARE(papers.size(), 0);
        QCOMPARE(e.notifier.notices, notices);
    }
};

DRILLBAY_TEST(MockExaminationTest)
#include "MockExaminationTest.moc"
