#include "practice/ui/FillInPage.h"
#include "RecordingNotifier.h"
#include "TestRegistry.h"

#include "practice/PracticeRun.h"
#include "question/QuestionType.h"

#include <QLineEdit>
#include <QTest>

namespace {

// Types the text key by key (QTest's own typing takes Latin-1 only).
void typeText(QWidget *widget, const QString &text)
{
    for (const QChar c : text)
        QTest::sendKeyEvent(QTest::Click, widget, Qt::Key_A, QString(c), Qt::NoModifier);
}

RunQuestion fillIn(const QString &correct)
{
    RunQuestion q;
    q.questionId = 1;
    q.typeCode = question::code(QuestionType::FillIn);
    q.stem = QStringLiteral("工作票");
    q.correctAnswer = correct;
    q.points = 2;
    return q;
}

} // namespace

// The fill-in field holds at most 255 GBK bytes of typing, whatever the
// characters, and shows a longer revealed answer whole.
class FillInPageTest : public QObject
{
    Q_OBJECT

private slots:
    void limitInGbkBytes_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<int>("kept"); // characters the field keeps
        QTest::newRow("256 Latin letters keep 255") << QString(256, QLatin1Char('a')) << 255;
        QTest::newRow("130 Chinese characters keep 127 (254 bytes)")
            << QString(130, QChar(u'电')) << 127;
        QTest::newRow("mixed up to exactly 255 bytes")
            << QString(127, QChar(u'电')) + QStringLiteral("ab") << 128;
    }
    void limitInGbkBytes()
    {
        QFETCH(QString, typed);
        QFETCH(int, kept);
        RecordingNotifier notifier;
        PracticeRun run(Settings(), notifier);
        FillInPage page(run);
        connect(&run, &PracticeRun::changed, &page, [&] { page.render(run.display()); });
        run.load({fillIn(QStringLiteral("接地"))}, RunMode::SequentialSet, false);
        typeText(page.answerField(), typed);
        QCOMPARE(page.answerField()->text(), typed.left(kept));
        QCOMPARE(run.question(1).userAnswer, typed.left(kept));
    }

    void revealedAnswerShownWhole()
    {
        RecordingNotifier notifier;
        PracticeRun run(Settings(), notifier);
        FillInPage page(run);
        connect(&run, &PracticeRun::changed, &page, [&] { page.render(run.display()); });
        const QString longAnswer =
            QString(300, QChar(u'验')); // 600 GBK bytes, over 255 characters too
        run.load({fillIn(longAnswer)}, RunMode::SequentialSet, false);
        run.revealHover();
        for (int i = 0; i < PracticeRun::kRevealStart; ++i)
            run.tickReveal();
        QCOMPARE(page.answerField()->text(), longAnswer);
        QCOMPARE(run.question(1).userAnswer, longAnswer);

        // Edited, it keeps to the length of the correct answer.
        page.answerField()->end(false);
        typeText(page.answerField(), QStringLiteral("x"));
        QCOMPARE(page.answerField()->text(), longAnswer);
        QTest::keyClick(page.answerField(), Qt::Key_Backspace);
        QCOMPARE(run.question(1).userAnswer, longAnswer.left(299));
        typeText(page.answerField(), QStringLiteral("电x"));
        QCOMPARE(run.question(1).userAnswer, longAnswer.left(299) + QStringLiteral("电"));
    }
};

DRILLBAY_TEST(FillInPageTest)
#include "FillInPageTest.moc"
