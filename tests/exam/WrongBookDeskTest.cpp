#include "DeskFixture.h"
#include "TestRegistry.h"

#include "app/ui/MainWindowNames.h"
#include "exam/ui/RandomPracticeDesk.h"
#include "exam/ui/StudyDesk.h"
#include "exam/ui/WrongBookWindow.h"
#include "practice/PracticeRun.h"
#include "practice/ui/SingleChoicePage.h"
#include "practice/ui/TrueFalsePage.h"
#include "settings/ui/StudySettingsBox.h"
#include "store/AddedTables.h"
#include "store/QuestionTable.h"
#include "store/Sql.h"
#include "store/WrongBookTable.h"
#include "widgets/LinkLabel.h"
#include "widgets/OutputView.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QPushButton>
#include <QSpinBox>
#include <QTableWidget>
#include <QTest>
#include <QTimer>
#include <QToolButton>

namespace {

const QString kChapter = QStringLiteral("第一章");

// Closes the review once it is up.
void closeNextModal()
{
    QTimer::singleShot(50, [] {
        if (QWidget *modal = QApplication::activeModalWidget())
            modal->close();
        else
            closeNextModal();
    });
}

// The main window with random practice and the book over a chapter of two
// single-choice questions (A right), a true/false question ("对" right) and a
// fill-in question.
struct BookDesk
{
    explicit BookDesk(bool withTables = true)
    {
        if (withTables)
            AddedTables::ensure(f.db.db());
        const qint64 bank = f.db.addBank(QStringLiteral("变电"));
        const qint64 chapter = f.db.addChapter(bank, kChapter);
        single1 = f.db.addQuestion(chapter, 1, QStringLiteral("单选一"), sampleOptions(),
                                   QStringLiteral("1"), 3);
        single2 = f.db.addQuestion(chapter, 1, QStringLiteral("单选二"), sampleOptions(),
                                   QStringLiteral("1"), 3);
        judgement = f.db.addQuestion(chapter, 4, QStringLiteral("判断一"), {}, QStringLiteral("1"));
        f.db.addQuestion(chapter, 3, QStringLiteral("填空一"), {}, QStringLiteral("答案"));
        random =
            std::make_unique<RandomPracticeDesk>(f.main, f.services, f.desk, f.settings.form());
        study = std::make_unique<StudyDesk>(f.main, f.services, f.desk, f.settings);
        f.main.show();
        f.desk.chooseChapter(kChapter);
    }

    static QStringList sampleOptions()
    {
        return {QStringLiteral("甲"), QStringLiteral("乙"), QStringLiteral("丙"),
                QStringLiteral("丁")};
    }
    PracticeRun &run() { return f.desk.run(); }
    void waitFor(int position) { QTRY_COMPARE_WITH_TIMEOUT(run().current(), position, 5000); }
    void next()
    {
        QTest::mouseClick(f.main.findChild<QPushButton *>(MainWindowNames::nextButton),
                          Qt::LeftButton);
    }
    // Answers the shown question by clicking: a choice letter index, or for
    // true/false 0 = 对 and 1 = 错; -1 leaves it unanswered.
    void answer(int choice)
    {
        const int at = run().current();
        const int type = run().question(at).typeCode;
        if (choice < 0 || (type != 1 && type != 4)) {
            next();
            return;
        }
        if (type == 1)
            QTest::mouseClick(f.desk.singleChoicePage()->choiceButtons().at(choice),
                              Qt::LeftButton);
        else
            QTest::mouseClick(choice == 0 ? f.desk.trueFalsePage()->trueButton()
                                          : f.desk.trueFalsePage()->falseButton(),
                              Qt::LeftButton);
        // A right answer moves on by itself, a wrong one waits for "下一题".
        if (at == run().length())
            return;
        if (run().advanceRunning())
            waitFor(at + 1);
        else
            next();
    }
    void grade()
    {
        closeNextModal();
        QTest::mouseClick(f.main.findChild<QToolButton *>(MainWindowNames::gradeButton),
                          Qt::LeftButton);
        QVERIFY(!run().active());
    }
    WrongBookTable book() { return WrongBookTable(f.db.db()); }

    DeskFixture f;
    qint64 single1 = 0;
    qint64 single2 = 0;
    qint64 judgement = 0;
    std::unique_ptr<RandomPracticeDesk> random;
    std::unique_ptr<StudyDesk> study;
};

} // namespace

class WrongBookDeskTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    // A random run graded with one right, one unanswered and one wrong: the
    // two enter the book; "错题练习" practises them newest first, right
    // answers raise the streak and the second right in a row takes a
    // question out; a wrong one counts again.
    void fedByGradingAndPractisedOut()
    {
        BookDesk d;
        QTest::mouseClick(d.random->chapterButton(), Qt::LeftButton);
        QCOMPARE(d.run().length(), 4);
        d.answer(0);  // 单选一 right
        d.answer(-1); // 单选二 left unanswered
        d.answer(1);  // 判断一 wrong
        d.grade();
        QCOMPARE(d.book().count(), 2);
        QCOMPARE(d.book().find(d.single2)->timesWrong, 1);
        QCOMPARE(d.book().find(d.judgement)->timesWrong, 1);
        QCOMPARE(sql::scalar(d.f.db.db(), QStringLiteral("select objective_right * 10 +"
                                                         " objective_total from run_history")),
                 13);
        QCOMPARE(sql::scalar(d.f.db.db(), QStringLiteral("select points from run_history")), 3);

        // The book run: the two questions, the newest mistake first.
        QTest::mouseClick(d.study->practiceLink(), Qt::LeftButton);
        QCOMPARE(d.run().length(), 2);
        QCOMPARE(d.run().question(1).questionId, d.judgement);
        QCOMPARE(d.run().question(2).questionId, d.single2);
        d.answer(0);
        d.answer(0);
        d.grade();
        QCOMPARE(d.book().find(d.judgement)->rightStreak, 1);
        QCOMPARE(d.book().find(d.single2)->rightStreak, 1);
        QSqlQuery info = sql::run(d.f.db.db(), QStringLiteral("select info from log order by id"
                                                              " desc limit 1"));
        QVERIFY(info.next());
        QCOMPARE(info.value(0).toString(), QStringLiteral("[错题练习]-[第一章]"));

        QTest::mouseClick(d.study->practiceLink(), Qt::LeftButton);
        d.answer(0); // 判断一 right again: leaves
        d.answer(2); // 单选二 wrong: counts again, streak back to 0
        d.grade();
        QVERIFY(!d.book().contains(d.judgement));
        QCOMPARE(d.book().find(d.single2)->timesWrong, 2);
        QCOMPARE(d.book().find(d.single2)->rightStreak, 0);
        QCOMPARE(sql::scalar(d.f.db.db(),
                             QStringLiteral("select count(*) from run_history where kind = 4")),
                 2);
    }

    // Right answers outside book runs leave the book as it is; the setting
    // typed on the settings page counts at once.
    void settingAndOtherRuns()
    {
        BookDesk d;
        d.book().recordWrong(d.single1, QStringLiteral("2026-01-01T00:00:00"));
        QSpinBox *leave = d.study->settingsBox()->leaveAfterField();
        leave->selectAll();
        QTest::keyClicks(leave, QStringLiteral("1"));
        QTest::mouseClick(d.study->settingsBox()->saveButton(), Qt::LeftButton);
        QCOMPARE(d.f.notifier.notices.last(), StudySettings::savedNotice());

        QTest::mouseClick(d.random->chapterButton(), Qt::LeftButton);
        d.answer(0);
        d.answer(0);
        d.answer(0);
        d.grade();
        QCOMPARE(d.book().find(d.single1)->rightStreak, 0);

        QTest::mouseClick(d.study->practiceLink(), Qt::LeftButton);
        QCOMPARE(d.run().length(), 1);
        d.answer(0);
        d.grade();
        QCOMPARE(d.book().count(), 0);
        // An empty book: a notice and no run.
        QTest::mouseClick(d.study->practiceLink(), Qt::LeftButton);
        QVERIFY(!d.run().active());
        QCOMPARE(d.f.notifier.notices.last(),
                 WrongBookPractice::emptyNotice(WrongBookSource::Scope::Chapter, true));
    }

    // A book the file refuses to write: one notice, the log is kept, the
    // history is not half written, and the next grading works again.
    void failingStore()
    {
        BookDesk d;
        d.f.db.refuseWrites(QStringLiteral("insert"), QStringLiteral("run_history"),
                            QStringLiteral("database or disk is full"));
        QTest::mouseClick(d.random->chapterButton(), Qt::LeftButton);
        d.answer(1);
        d.answer(0);
        d.answer(0);
        d.grade();
        QVERIFY(d.f.notifier.notices.last().startsWith(
            QStringLiteral("[软件提示]：本次练习的错题本和学习记录没有保存")));
        QCOMPARE(sql::scalar(d.f.db.db(), QStringLiteral("select count(*) from log")), 1);
        QCOMPARE(d.book().count(), 0);
        d.f.db.acceptWrites();
        QTest::mouseClick(d.random->chapterButton(), Qt::LeftButton);
        d.answer(1);
        d.answer(0);
        d.answer(0);
        d.grade();
        QCOMPARE(d.book().count(), 1);
    }

    // Without the added tables the commands say so and grading goes on.
    void withoutTables()
    {
        if (TestDatabase::onServer())
            QSKIP(
                "about a data file from before the book; the server has its tables from the start");
        BookDesk d(false);
        QVERIFY(!d.study->available());
        QTest::mouseClick(d.study->practiceLink(), Qt::LeftButton);
        QCOMPARE(d.f.notifier.notices.last(), WrongBookPractice::unavailableNotice());
        QTest::mouseClick(d.study->bookLink(), Qt::LeftButton);
        QVERIFY(!d.study->bookWindow()->isVisible());
        QTest::mouseClick(d.random->chapterButton(), Qt::LeftButton);
        d.answer(1);
        d.answer(0);
        d.answer(0);
        d.grade();
        QCOMPARE(sql::scalar(d.f.db.db(), QStringLiteral("select count(*) from log")), 1);
    }

    // The viewer: rows newest first, the full question on a click, one
    // removed, then a chapter chosen by keys and cleared.
    void viewer()
    {
        BookDesk d;
        d.book().recordWrong(d.single1, QStringLiteral("2026-01-01T00:00:00"));
        d.book().recordWrong(d.single1, QStringLiteral("2026-01-03T00:00:00"));
        d.book().recordWrong(d.judgement, QStringLiteral("2026-01-02T00:00:00"));
        // A question deleted by the editor is not listed, and opening the book drops its row.
        d.book().recordWrong(d.single2, QStringLiteral("2026-01-04T00:00:00"));
        QVERIFY(QuestionTable(d.f.db.db()).remove(d.single2));
        QTest::mouseClick(d.study->bookLink(), Qt::LeftButton);
        QCOMPARE(sql::scalar(d.f.db.db(), QStringLiteral("select count(*) from wrong_book")), 2);
        WrongBookWindow *window = d.study->bookWindow();
        QVERIFY(window->isVisible());
        QTableWidget *table = window->table();
        QCOMPARE(table->rowCount(), 2);
        QCOMPARE(table->item(0, 1)->text(), QStringLiteral("单选一"));
        QCOMPARE(table->item(0, 2)->text(), QStringLiteral("2"));
        QCOMPARE(table->item(0, 3)->text(), QStringLiteral("2026-01-03"));
        QCOMPARE(table->item(1, 0)->text(), kChapter);
        QVERIFY(!window->removeButton()->isEnabled());

        const QRect second = table->visualItemRect(table->item(1, 1));
        QTest::mouseClick(table->viewport(), Qt::LeftButton, {}, second.center());
        QVERIFY(window->detailView()->plainText().contains(QStringLiteral("判断一")));
        QVERIFY(window->detailView()->plainText().contains(QStringLiteral("√")));
        QVERIFY(window->detailView()->plainText().contains(
            QStringLiteral("做错 1 次，最近做错 2026-01-02")));
        d.f.notifier.answers = {false};
        QTest::mouseClick(window->removeButton(), Qt::LeftButton);
        QCOMPARE(table->rowCount(), 2);
        QTest::mouseClick(window->removeButton(), Qt::LeftButton);
        QCOMPARE(d.f.notifier.questions.last().text, WrongBookViewer::removeQuestion());
        QCOMPARE(table->rowCount(), 1);
        QVERIFY(!d.book().contains(d.judgement));

        QTest::mouseClick(window->clearButton(), Qt::LeftButton); // off: no chapter chosen
        QCOMPARE(d.book().count(), 1);
        window->chapterChoice()->setFocus();
        QTest::keyClick(window->chapterChoice(), Qt::Key_Down);
        QVERIFY(window->clearButton()->isEnabled());
        QTest::mouseClick(window->clearButton(), Qt::LeftButton);
        QCOMPARE(d.f.notifier.questions.last().text, WrongBookViewer::clearQuestion(kChapter, 1));
        QCOMPARE(d.book().count(), 0);
        QCOMPARE(table->rowCount(), 0);
    }
};

DRILLBAY_TEST(WrongBookDeskTest)
#include "WrongBookDeskTest.moc"
