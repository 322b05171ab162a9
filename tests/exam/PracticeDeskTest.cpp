#include "DeskFixture.h"
#include "ExamTestQuestions.h"
#include "TestRegistry.h"
#include "app/ui/MainWindow.h"
#include "app/ui/MainWindowNames.h"
#include "base/Clock.h"
#include "base/Selection.h"
#include "exam/ui/ChapterPage.h"
#include "exam/ui/KnownBar.h"
#include "exam/ui/ReviewWindow.h"
#include "exam/ui/RunDesk.h"
#include "exam/ui/ScorePage.h"
#include "practice/ui/AnswerMark.h"
#include "practice/ui/ChapterListDelegate.h"
#include "practice/ui/EssayPage.h"
#include "practice/ui/FillInPage.h"
#include "practice/ui/MultipleChoicePage.h"
#include "practice/ui/QuestionStrip.h"
#include "practice/ui/SingleChoicePage.h"
#include "practice/ui/TrueFalsePage.h"
#include "settings/ui/SettingsDesk.h"
#include "store/Sql.h"
#include "widgets/LinkLabel.h"
#include "widgets/OutputView.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QStackedWidget>
#include <QTest>
#include <QTimer>
#include <QToolButton>

namespace {

// Closes the modal window that opens next, once it is up, and keeps its name
// and the text of its review view.
struct ModalCloser
{
    QString name;
    QString text;

    void arm()
    {
        QTimer::singleShot(50, [this] {
            QWidget *modal = QApplication::activeModalWidget();
            if (!modal) {
                arm();
                return;
            }
            name = modal->objectName();
            if (auto *review = qobject_cast<ReviewWindow *>(modal))
                text = review->view()->plainText();
            modal->close();
        });
    }
};

// Types the text key by key (QTest's own typing takes Latin-1 only).
void typeText(QWidget *widget, const QString &text)
{
    for (const QChar c : text)
        QTest::sendKeyEvent(QTest::Click, widget, Qt::Key_A, QString(c), Qt::NoModifier);
}

// The frame hands out no widgets: tests find them by their component names.
template <class Widget> Widget *child(const QWidget &window, const QString &name)
{
    auto *found = window.findChild<Widget *>(name);
    if (!found)
        qFatal("no control named %s", qPrintable(name));
    return found;
}

QPushButton *nextButton(const MainWindow &main)
{
    return child<QPushButton>(main, MainWindowNames::nextButton);
}

QToolButton *gradeButton(const MainWindow &main)
{
    return child<QToolButton>(main, MainWindowNames::gradeButton);
}

QStackedWidget *leftPanel(const MainWindow &main)
{
    return child<QStackedWidget>(main, QStringLiteral("LeftPanel"));
}

QColor textColour(const QLabel *label)
{
    return label->palette().color(QPalette::WindowText);
}

} // namespace

class PracticeDeskTest : public QObject
{
    Q_OBJECT

private slots:
    // One set of a small chapter sat through the windows, from the chapter
    // choice to the review and back to the chapter page.
    void sitSetThroughTheWindows()
    {
        DeskFixture windows;
        TestDatabase &db = windows.db;
        const int bank = db.addBank(QStringLiteral("变电安规"));
        const int chapter = db.addChapter(bank, QStringLiteral("第一章"));
        const QStringList options = sampleOptions();
        db.addQuestion(chapter, 1, QStringLiteral("单选一"), options, QStringLiteral("1"));
        db.addQuestion(chapter, 1, QStringLiteral("单选二"), options, QStringLiteral("2"));
        db.addQuestion(chapter, 1, QStringLiteral("单选三"), options, QStringLiteral("3"));
        db.addQuestion(chapter, 2, QStringLiteral("多选"), options, QStringLiteral("13"));
        db.addQuestion(chapter, 3, QStringLiteral("填空"), {}, QStringLiteral("放电"));
        db.addQuestion(chapter, 4, QStringLiteral("判断"), {}, QStringLiteral("1"));
        db.addQuestion(chapter, 5, QStringLiteral("论述"), {}, QStringLiteral("要点"));

        RecordingNotifier &notifier = windows.notifier;
        Selection &selection = windows.selection;
        MainWindow &main = windows.main;
        RunDesk &desk = windows.desk;
        PracticeRun &run = desk.run();
        main.show();
        QVERIFY(QTest::qWaitForWindowExposed(&main));
        // The practice commands the desk puts on the command page.
        auto *typeChoice = child<QComboBox>(main, RunDeskNames::typeChoice);
        QCOMPARE(typeChoice->count(), 5);
        QCOMPARE(typeChoice->itemText(4), QStringLiteral("本章论述题练习"));

        // The chapter and its one set.
        desk.chooseChapter(QStringLiteral("第一章"));
        QCOMPARE(child<LinkLabel>(main, MainWindowNames::chapterLink)->text(),
                 QStringLiteral("第一章"));
        // The chapter of the run is the selection's chapter.
        QCOMPARE(selection.chapter(), QStringLiteral("第一章"));
        child<QPushButton>(main, RunDeskNames::sequentialCommand)->click();
        QVERIFY(main.isShown(desk.pageHandle(RunDisplay::Page::Chapter)));
        ChapterPage *chapterPage = desk.chapterPage();
        QListWidget *sets = chapterPage->setList();
        QCOMPARE(sets->count(), 1);
        QTest::mouseClick(sets->viewport(), Qt::LeftButton, {},
                          sets->visualItemRect(sets->item(0)).center());
        QCOMPARE(chapterPage->headingLabel()->text(), QStringLiteral("本章第【01】套试卷7道试题"));
        chapterPage->extractButton()->click();

        QVERIFY(main.isShown(desk.pageHandle(RunDisplay::Page::SingleChoice)));
        QCOMPARE(child<QLabel>(main, QStringLiteral("LabelRunStatus"))->text(),
                 QStringLiteral(" 顺序练习 第[1]套，共有 [7] 道"));
        QVERIFY(!child<LinkLabel>(main, MainWindowNames::chapterLink)->isVisible());
        QVERIFY(desk.countdownTimer()->isActive());
        QTRY_COMPARE(leftPanel(main)->currentWidget(),
                     child<QWidget>(main, QStringLiteral("PracticePage")));
        QCOMPARE(desk.questionStrip()->count(), 7);
        QVERIFY(main.findChild<QLabel *>(QString(QuestionStripNames::numberPrefix) +
                                         QStringLiteral("7")));

        // 1: right, and the automatic move follows on the window's timer.
        SingleChoicePage *single = desk.singleChoicePage();
        QTest::mouseClick(single->choiceButtons().at(0), Qt::LeftButton);
        QCOMPARE(single->chosenLabel()->text(), QStringLiteral("A"));
        QVERIFY(single->rightMark()->isVisible());
        QVERIFY(desk.advanceTimer()->isActive());
        QTRY_COMPARE_WITH_TIMEOUT(run.current(), 2, 4000);
        QVERIFY(!desk.advanceTimer()->isActive());
        QVERIFY(single->questionView()->toPlainText().contains(QStringLiteral("2.单选二")));

        // 2: wrong; then on to 3 through the strip, which colours 2 red.
        QTest::mouseClick(single->choiceButtons().at(2), Qt::LeftButton);
        QVERIFY(single->wrongMark()->isVisible());
        QTest::mousePress(desk.questionStrip()->numberLabel(3), Qt::LeftButton);
        QCOMPARE(run.current(), 3);
        QCOMPARE(textColour(desk.questionStrip()->numberLabel(2)), QColor(Qt::red));
        QTest::mouseClick(single->choiceButtons().at(2), Qt::LeftButton);
        nextButton(main)->click();

        // 4: multiple choice through the boxes.
        QVERIFY(main.isShown(desk.pageHandle(RunDisplay::Page::MultipleChoice)));
        MultipleChoicePage *multiple = desk.multipleChoicePage();
        QTest::mouseClick(multiple->checkBoxes().at(0), Qt::LeftButton);
        QCOMPARE(multiple->feedbackLabel()->text(), QStringLiteral("不完全正确"));
        QTest::mouseClick(multiple->checkBoxes().at(2), Qt::LeftButton);
        QCOMPARE(multiple->feedbackLabel()->text(), QStringLiteral("正确"));
        QCOMPARE(multiple->chosenLabel()->text(), QStringLiteral("AC"));
        QCOMPARE(run.question(4).userAnswer, QStringLiteral("13"));
        nextButton(main)->click();

        // 5: fill-in typed key by key; the field is never rewritten under the user.
        QVERIFY(main.isShown(desk.pageHandle(RunDisplay::Page::FillIn)));
        QLineEdit *field = desk.fillInPage()->answerField();
        field->setFocus();
        typeText(field, QStringLiteral("放 电"));
        QTest::keyClick(field, Qt::Key_Left);
        QTest::keyClick(field, Qt::Key_Backspace);
        QCOMPARE(field->text(), QStringLiteral("放电"));
        QCOMPARE(run.question(5).userAnswer, QStringLiteral("放电"));
        QVERIFY(desk.fillInPage()->saveHint()->isVisible());
        QCOMPARE(desk.fillInPage()->saveHint()->text(), QStringLiteral("提示：已保存."));
        nextButton(main)->click();

        // 6: true/false.
        QVERIFY(main.isShown(desk.pageHandle(RunDisplay::Page::TrueFalse)));
        QTest::mouseClick(desk.trueFalsePage()->trueButton(), Qt::LeftButton);
        QCOMPARE(desk.trueFalsePage()->chosenLabel()->text(), QStringLiteral("对"));
        QVERIFY(desk.trueFalsePage()->rightMark()->isVisible());
        nextButton(main)->click();

        // 7: essay, two lines.
        QVERIFY(main.isShown(desk.pageHandle(RunDisplay::Page::Essay)));
        QPlainTextEdit *essay = desk.essayPage()->answerView();
        essay->setFocus();
        typeText(essay, QStringLiteral("一"));
        QTest::keyClick(essay, Qt::Key_Return);
        typeText(essay, QStringLiteral("二"));
        QCOMPARE(run.question(7).userAnswer, QStringLiteral("一\r\n二"));
        QVERIFY(child<QLabel>(main, QStringLiteral("LabelResult"))
                    ->text()
                    .contains(QStringLiteral(">04<")));

        // Past the end: the notice and the score page; the countdown stops.
        nextButton(main)->click();
        QCOMPARE(notifier.notices.last(),
                 QStringLiteral("[软件提示]:请交卷请点击左边的【交卷评阅】按钮."));
        QVERIFY(main.isShown(desk.pageHandle(RunDisplay::Page::Score)));
        QCOMPARE(desk.scorePage()->scoreLine()->text(),
                 QStringLiteral("客观题正确：4 /客观总数:5"));
        QCOMPARE(desk.scorePage()->percentLine()->text(), QStringLiteral("80分"));
        QVERIFY(child<QLabel>(main, QStringLiteral("LabelHandInHint"))->isVisible());
        QVERIFY(!desk.countdownTimer()->isActive());

        // Grading from the score page; the review is answered by closing it.
        ModalCloser closer;
        closer.arm();
        desk.scorePage()->reviewButton()->click();
        QCOMPARE(closer.name, QString(ReviewWindowNames::window));
        QVERIFY(closer.text.contains(QStringLiteral("客观题正确：4 /客观总数:5")));

        QCOMPARE(sql::scalar(db.db(), QStringLiteral("select count(*) from log")), 1);
        QCOMPARE(sql::scalar(db.db(), QStringLiteral("select fen from log")), 80);
        QSqlQuery info = sql::run(db.db(), QStringLiteral("select info from log"));
        QVERIFY(info.next());
        QCOMPARE(info.value(0).toString(), QStringLiteral("[练习模式]-[第一章]第【1】套"));

        QVERIFY(main.isShown(desk.pageHandle(RunDisplay::Page::Chapter)));
        QCOMPARE(leftPanel(main)->currentWidget(),
                 child<QWidget>(main, QStringLiteral("CommandPage")));
        QCOMPARE(chapterPage->setListDelegate()->remembered(), 0);
        QCOMPARE(gradeButton(main)->text(), QStringLiteral("试卷评阅"));
        QVERIFY(gradeButton(main)->isEnabled());
        QVERIFY(child<LinkLabel>(main, MainWindowNames::chapterLink)->isVisible());
        QCOMPARE(desk.questionStrip()->count(), 0);
        QVERIFY(child<QTimer>(main, QStringLiteral("ClockTimer"))->isActive());
        QVERIFY(!run.active());

        // The log is listed on the chapter page by its link.
        QTest::mouseClick(chapterPage->findChild<LinkLabel *>(ChapterPageNames::listLogLink),
                          Qt::LeftButton);
        QVERIFY(chapterPage->logView()->plainText().contains(
            QStringLiteral("[练习模式]-[第一章]第【1】套")));
    }

    // The set list's highlight is the chosen set, with the mouse and with the
    // keys; a reload chooses the first set again; while a set is loaded the
    // list and "提取试题" are off, also on the chapter page the score page leads to.
    void setListFollowsKeysAndLocksUnderARun()
    {
        DeskFixture windows;
        TestDatabase &db = windows.db;
        const int chapter =
            db.addChapter(db.addBank(QStringLiteral("变电安规")), QStringLiteral("第一章"));
        db.exec(QStringLiteral("begin"));
        for (int i = 0; i < 120; ++i)
            db.addQuestion(chapter, 1, QStringLiteral("题"), {}, QStringLiteral("1"));
        db.exec(QStringLiteral("commit"));
        MainWindow &main = windows.main;
        RunDesk &desk = windows.desk;
        main.show();
        QVERIFY(QTest::qWaitForWindowExposed(&main));
        desk.chooseChapter(QStringLiteral("第一章"));
        ChapterPage *page = desk.chapterPage();
        QListWidget *sets = page->setList();
        QCOMPARE(sets->count(), 3);
        QCOMPARE(sets->currentRow(), 0);

        QTest::mouseClick(sets->viewport(), Qt::LeftButton, {},
                          sets->visualItemRect(sets->item(0)).center());
        QTest::keyClick(sets, Qt::Key_Down);
        QTest::keyClick(sets, Qt::Key_Down);
        QCOMPARE(sets->currentRow(), 2);
        QCOMPARE(desk.sequential().division().setIndex, 2);
        QCOMPARE(page->headingLabel()->text(), sets->item(2)->text());
        QCOMPARE(page->setListDelegate()->chosen(), 2);

        // A reload: the old choice is gone from the list and from the run.
        child<QPushButton>(main, RunDeskNames::sequentialCommand)->click();
        QCOMPARE(sets->currentRow(), 0);
        QCOMPARE(desk.sequential().division().setIndex, 0);
        QCOMPARE(page->headingLabel()->text(),
                 QStringLiteral("请选择分割试题,并点击【提取试题】调入试题"));

        sets->setFocus();
        QTest::keyClick(sets, Qt::Key_Down);
        page->extractButton()->click();
        QCOMPARE(child<QLabel>(main, QStringLiteral("LabelRunStatus"))->text(),
                 QStringLiteral(" 顺序练习 第[2]套，共有 [50] 道"));
        QVERIFY(!sets->isEnabled());
        QVERIFY(!page->extractButton()->isEnabled());

        // Past the end, then the log link of the score page: the chapter page
        // is shown, but its list and button still leave the run alone.
        for (int i = 0; i < 50; ++i)
            nextButton(main)->click();
        QVERIFY(main.isShown(desk.pageHandle(RunDisplay::Page::Score)));
        QTest::mouseClick(desk.scorePage()->logLink(), Qt::LeftButton);
        QVERIFY(main.isShown(desk.pageHandle(RunDisplay::Page::Chapter)));
        QVERIFY(!sets->isEnabled());
        QVERIFY(!page->extractButton()->isEnabled());
        QVERIFY(desk.run().active());
        QCOMPARE(desk.sequential().division().setIndex, 1);

        ModalCloser closer;
        closer.arm();
        gradeButton(main)->click();
        QCOMPARE(closer.name, QString(ReviewWindowNames::window));
        QVERIFY(sets->isEnabled());
        QVERIFY(page->extractButton()->isEnabled());
        QCOMPARE(sets->currentRow(), 1);
        QSqlQuery info = sql::run(db.db(), QStringLiteral("select info from log"));
        QVERIFY(info.next());
        QCOMPARE(info.value(0).toString(), QStringLiteral("[练习模式]-[第一章]第【2】套"));
    }

    void stripLabels()
    {
        QuestionStrip strip;
        QSignalSpy pressed(&strip, &QuestionStrip::numberPressed);
        QList<RunDisplay::StripNumber> numbers;
        for (int n = 1; n <= 60; ++n) {
            RunDisplay::StripNumber number;
            number.number = n;
            number.caption = QString::number(n).rightJustified(2, QLatin1Char('0'));
            numbers << number;
        }
        strip.render(numbers);
        QCOMPARE(strip.count(), 60);
        QLabel *first = strip.findChild<QLabel *>(QString(QuestionStripNames::numberPrefix) +
                                                  QStringLiteral("1"));
        QLabel *last = strip.findChild<QLabel *>(QString(QuestionStripNames::numberPrefix) +
                                                 QStringLiteral("60"));
        QVERIFY(first && last);
        QCOMPARE(first->text(), QStringLiteral("01"));
        QCOMPARE(first->pos(), QPoint(26, 0));
        QCOMPARE(last->pos(), QPoint(170, 16));
        QVERIFY(strip.height() >= 16 + last->height());

        // A new colour restyles the same labels; a press names its number.
        numbers[0].colour = RunDisplay::kRed;
        numbers[0].bold = true;
        strip.render(numbers);
        QCOMPARE(strip.numberLabel(1), first);
        QCOMPARE(textColour(first), QColor(Qt::red));
        QVERIFY(first->font().bold());
        QTest::mousePress(last, Qt::LeftButton);
        QCOMPARE(pressed.count(), 1);
        QCOMPARE(pressed[0][0].toInt(), 60);

        // Another run: new labels, the freed strip is one row high again.
        strip.render(numbers.mid(0, 3));
        QCOMPARE(strip.count(), 3);
        QVERIFY(strip.numberLabel(1) != first);
        strip.render({});
        QCOMPARE(strip.count(), 0);
        QCOMPARE(strip.height(), QuestionStrip::kMinimumHeight);
    }
};

DRILLBAY_TEST(PracticeDeskTest)
#include "PracticeDeskTest.moc"
