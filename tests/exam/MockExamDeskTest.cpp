#include "DeskFixture.h"
#include "ExamTestQuestions.h"
#include "TestRegistry.h"

#include "ScriptedRandom.h"
#include "app/ui/MainWindow.h"
#include "base/Clock.h"
#include "base/Selection.h"
#include "exam/MockExamForm.h"
#include "exam/ui/KnownBar.h"
#include "exam/ui/MockExamDesk.h"
#include "exam/ui/MockPaperWindow.h"
#include "exam/ui/RunDesk.h"
#include "settings/ui/SettingsDesk.h"
#include "store/Sql.h"
#include "widgets/OutputView.h"

#include <QLabel>
#include <QPushButton>
#include <QSignalSpy>
#include <QStackedWidget>
#include <QTest>
#include <QTimer>

namespace {

template <class Widget> Widget *child(const QWidget &window, const QString &name)
{
    auto *found = window.findChild<Widget *>(name);
    if (!found)
        qFatal("no control named %s", qPrintable(name));
    return found;
}

// The main window with the practice desk and the mock examination's command,
// over a bank whose quota rows are written by the test.
struct Windows : DeskFixture
{
    Windows()
        : bank(db.addBank("变电运行")), chapter(db.addChapter(bank, "第一章")),
          exam(main, services, desk.session(), form, notifier), paper(*exam.paperWindow())
    {
        exam.examination().setBankSource([] { return QString("变电运行"); });
        main.show();
    }

    void drawSingles(int count)
    {
        QString list;
        for (int i = 1; i <= count; ++i)
            list += "#" + QString::number(db.addQuestion(chapter, 1, QString("单选%1").arg(i),
                                                         sampleOptions(), "1"));
        sql::run(db.db(),
                 "insert into rand_num (db_db_id, sele_zhang_id, sele_zhang_xuhao, s_num, "
                 "total_num, s_num_shiti) values (?,?,1,?,?,?)",
                 {bank, chapter, count, count, list});
    }

    qint64 bank;
    qint64 chapter;
    MockExamForm form;
    MockExamDesk exam;
    MockPaperWindow &paper;
};

} // namespace

// "本类模拟考试" through the main window: the captions while it loads, the
// running examination with its paper beside it, and the way to the quota page.
class MockExamDeskTest : public QObject
{
    Q_OBJECT

private slots:
    void examinationThroughTheWindow()
    {
        Windows w;
        w.drawSingles(3);
        w.form.examMinutes = 30;
        QPushButton *command = child<QPushButton>(w.main, MockExamDeskNames::examCommand);
        QCOMPARE(command->text(), QString("本类模拟考试"));
        QStringList seen;
        QObject::connect(&w.exam.examination(), &MockExamination::commandChanged, command, [&] {
            // Its own state: the frame disables the whole group while a run is loaded.
            const bool off = command->testAttribute(Qt::WA_ForceDisabled);
            seen << command->text() + (off ? "/off" : "");
        });

        command->click();
        QCOMPARE(seen, (QStringList{"抽题中.请等待.../off", "抽题模拟考试"}));
        QVERIFY(w.main.isShown(w.desk.pageHandle(RunDisplay::Page::SingleChoice)));
        QCOMPARE(child<QLabel>(w.main, "LabelRunStatus")->text().trimmed(),
                 QString("模拟考试状态 [3]道"));
        QCOMPARE(w.desk.countdown().remaining(), 30 * 60);
        QVERIFY(w.desk.countdownTimer()->isActive());
        QTRY_COMPARE(child<QStackedWidget>(w.main, "LeftPanel")->currentWidget(),
                     child<QWidget>(w.main, "PracticePage"));
        QVERIFY(!child<QWidget>(w.main, "ImageBackToCommands")->isEnabled());
        QVERIFY(!command->isEnabled()); // the command page waits for the grading
        QVERIFY(w.paper.isVisible());
        QVERIFY(w.paper.view()->plainText().contains("【03】(单选题).单选3"));
        QVERIFY(w.notifier.notices.isEmpty());
        w.paper.close();
    }

    void noQuotasAsksForTheQuotaPage()
    {
        Windows w;
        QSignalSpy quotaPage(&w.exam, &MockExamDesk::quotaPageRequested);
        QPushButton *command = child<QPushButton>(w.main, MockExamDeskNames::examCommand);
        command->click();
        QCOMPARE(quotaPage.size(), 1);
        QCOMPARE(w.notifier.notices.size(), 1);
        QCOMPARE(command->text(), QString("抽题模拟考试"));
        QVERIFY(command->isEnabled());
        QVERIFY(!w.paper.isVisible());
        QVERIFY(!w.main.isShown(w.desk.pageHandle(RunDisplay::Page::SingleChoice)));
    }
};

DRILLBAY_TEST(MockExamDeskTest)
#include "MockExamDeskTest.moc"
