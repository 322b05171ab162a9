#include "TestDatabase.h"
#include "TestRegistry.h"

#include "app/ui/MainWindow.h"
#include "app/ui/Windows.h"
#include "exam/ui/MockExamDesk.h"
#include "exam/ui/MockPaperWindow.h"
#include "exam/ui/QuotaDesk.h"
#include "exam/ui/QuotaPage.h"
#include "exam/ui/RunDesk.h"
#include "practice/ui/PickerWindow.h"
#include "store/Sql.h"
#include "widgets/OutputView.h"

#include <QPushButton>
#include <QTest>

// The windows made at start: "本类模拟考试" on the command page, the paper
// window in place of its placeholder, and the quota page's views shown in it.
class MockExamWiringTest : public QObject
{
    Q_OBJECT

private slots:
    void quotaPageViewsShowInThePaperWindow_data()
    {
        QTest::addColumn<bool>("wholeBank");
        QTest::addColumn<QString>("title");
        QTest::newRow("one quota row") << false << "本章名:第一章";
        QTest::newRow("the whole bank") << true << "本数据库名:变电运行";
    }

    void quotaPageViewsShowInThePaperWindow()
    {
        QFETCH(bool, wholeBank);
        QFETCH(QString, title);
        TestDatabase db;
        const qint64 bank = db.addBank("变电运行");
        const qint64 chapter = db.addChapter(bank, "第一章");
        const qint64 id = db.addQuestion(chapter, 4, "接地线应使用专用线夹", {}, "1");
        const qint64 row =
            sql::run(db.db(),
                     "insert into rand_num (db_db_id, sele_zhang_id, sele_zhang_xuhao, p_num, "
                     "total_num, p_num_shiti) values (?,?,1,1,1,?)",
                     {bank, chapter, "#" + QString::number(id)})
                .lastInsertId()
                .toLongLong();

        Windows windows(db.db(), db.db());
        auto *paper = qobject_cast<MockPaperWindow *>(windows.chapterPaper());
        QVERIFY(paper);
        QCOMPARE(paper->objectName(), QString(MockPaperWindowNames::window));
        QVERIFY(!paper->isVisible());
        auto *command = windows.main()->findChild<QPushButton *>(MockExamDeskNames::examCommand);
        QVERIFY(command);
        QCOMPARE(command->text(), QString("本类模拟考试"));

        emit windows.quotaDesk()->page()->paperRequested(wholeBank ? PaperScope::ofBank(bank)
                                                                   : PaperScope::ofRow(row));
        QVERIFY(paper->isVisible());
        QCOMPARE(paper->view()->lines().at(1).text(), title);
        QVERIFY(paper->view()->plainText().contains("正确答案:  √"));
        paper->close();
    }

    // "本类模拟考试" takes the bank checked in the picker.
    void commandExaminesThePickersBank()
    {
        TestDatabase db;
        db.addBank("线路运行");
        const qint64 bank = db.addBank("变电运行");
        const qint64 chapter = db.addChapter(bank, "第一章");
        QString drawn;
        for (int i = 0; i < 4; ++i)
            drawn += "#" +
                     QString::number(db.addQuestion(chapter, 4, QString("判断%1").arg(i), {}, "0"));
        sql::run(db.db(),
                 "insert into rand_num (db_db_id, sele_zhang_id, sele_zhang_xuhao, p_num, "
                 "total_num, p_num_shiti) values (?,?,1,4,4,?)",
                 {bank, chapter, drawn});

        Windows windows(db.db(), db.db());
        windows.picker()->picker().refresh();
        QVERIFY(windows.picker()->picker().listBank(1));
        QCOMPARE(windows.picker()->currentBankName(), QString("变电运行"));
        windows.quotaDesk()->form().examMinutes = 90;
        windows.main()->findChild<QPushButton *>(MockExamDeskNames::examCommand)->click();

        QVERIFY(windows.runDesk()->run().active());
        QCOMPARE(windows.runDesk()->run().length(), 4);
        QCOMPARE(windows.runDesk()->countdown().remaining(), 90 * 60);
        QVERIFY(
            windows.main()->isShown(windows.runDesk()->pageHandle(RunDisplay::Page::TrueFalse)));
        QVERIFY(windows.chapterPaper()->isVisible());
        windows.chapterPaper()->close();
    }
};

DRILLBAY_TEST(MockExamWiringTest)
#include "MockExamWiringTest.moc"
