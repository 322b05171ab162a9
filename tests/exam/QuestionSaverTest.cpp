#include "ExamTestQuestions.h"
#include "RecordingNotifier.h"
#include "TestRegistry.h"

#include "exam/QuestionSaver.h"
#include "practice/PracticeRun.h"

#include <QDir>
#include <QFile>
#include <QStringDecoder>
#include <QTemporaryDir>
#include <QTest>

namespace {

RunQuestion makeQuestion(int type, const QString &correct)
{
    return sampleQuestion(type, correct, QStringLiteral("1"), 0);
}

const QString kOptions = QStringLiteral("A.甲\r\nB.乙\r\nC.丙\r\nD.丁\r\n");

// Runs the test in a fresh current directory and goes back afterwards.
struct InTemporaryDirectory
{
    InTemporaryDirectory() : previous(QDir::currentPath()) { QDir::setCurrent(dir.path()); }
    ~InTemporaryDirectory() { QDir::setCurrent(previous); }
    QTemporaryDir dir;
    QString previous;
};

QString readGbk(const QString &name)
{
    QFile file(name);
    if (!file.open(QIODevice::ReadOnly))
        return QStringLiteral("<missing>");
    QStringDecoder gbk("GBK");
    return gbk(file.readAll());
}

} // namespace

class QuestionSaverTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void fileName_data()
    {
        QTest::addColumn<int>("setIndex");
        QTest::addColumn<int>("number");
        QTest::addColumn<QString>("name");
        QTest::newRow("set 0, question 3") << 0 << 3 << QStringLiteral("NO0003.txt");
        QTest::newRow("set 9, question 10") << 9 << 10 << QStringLiteral("NO0910.txt");
        QTest::newRow("set 12, question 100") << 12 << 100 << QStringLiteral("NO12100.txt");
    }
    void fileName()
    {
        QFETCH(int, setIndex);
        QFETCH(int, number);
        QFETCH(QString, name);
        QCOMPARE(QuestionSaver::fileName(setIndex, number), name);
    }

    // The stem, the body by type and stored answer, CR LF.
    void text_data()
    {
        QTest::addColumn<int>("type");
        QTest::addColumn<QString>("correct");
        QTest::addColumn<QString>("body");
        QTest::newRow("single B") << 1 << QStringLiteral("2")
                                  << kOptions + QStringLiteral("\r\n正确答案：B");
        QTest::newRow("single outside 1..4") << 1 << QStringLiteral("5") << QString();
        QTest::newRow("single two digits") << 1 << QStringLiteral("12") << QString();
        QTest::newRow("multiple 134")
            << 2 << QStringLiteral("134") << kOptions + QStringLiteral("\r\n正确答案：ACD");
        QTest::newRow("multiple out of order")
            << 2 << QStringLiteral("41") << kOptions + QStringLiteral("\r\n正确答案：AD");
        QTest::newRow("multiple without digits")
            << 2 << QStringLiteral("x") << QStringLiteral("\r\n正确答案：");
        QTest::newRow("fill-in") << 3 << QStringLiteral("接地线")
                                 << QStringLiteral("正确答案：接地线");
        QTest::newRow("true") << 4 << QStringLiteral("1") << QStringLiteral("答案：对");
        QTest::newRow("false") << 4 << QStringLiteral("0") << QStringLiteral("答案：错");
        QTest::newRow("true/false broken") << 4 << QStringLiteral("7") << QStringLiteral("7");
        QTest::newRow("essay") << 5 << QStringLiteral("要点") << QStringLiteral("正确答案：要点");
        QTest::newRow("unknown type") << 9 << QStringLiteral("1") << QString();
    }
    void text()
    {
        QFETCH(int, type);
        QFETCH(QString, correct);
        QFETCH(QString, body);
        QCOMPARE(QuestionSaver::text(makeQuestion(type, correct)),
                 QStringLiteral("题干\r\n") + body + QStringLiteral("\r\n"));
    }

    // Saved twice: two copies in the question's file, GBK, no notice.
    void appendsToTheQuestionsFile()
    {
        InTemporaryDirectory here;
        RecordingNotifier notifier;
        PracticeRun run(Settings(), notifier);
        run.load({makeQuestion(1, QStringLiteral("1")), makeQuestion(2, QStringLiteral("134")),
                  makeQuestion(4, QStringLiteral("0"))},
                 RunMode::RandomPractice, false);
        run.next();
        run.next();
        QCOMPARE(run.current(), 3);
        QuestionSaver saver(notifier);
        QVERIFY(saver.save(run, 0));
        QVERIFY(saver.save(run, 0));
        QVERIFY(notifier.notices.isEmpty());
        QCOMPARE(readGbk(QStringLiteral("NO0003.txt")),
                 QStringLiteral("题干\r\n答案：错\r\n题干\r\n答案：错\r\n"));
    }

    // No question on screen (none loaded, or past the last one): a notice and
    // no file.
    void withoutAQuestionOnScreen_data()
    {
        QTest::addColumn<int>("nexts");
        QTest::addColumn<bool>("loaded");
        QTest::newRow("no run") << 0 << false;
        QTest::newRow("past the last") << 2 << true;
    }
    void withoutAQuestionOnScreen()
    {
        QFETCH(int, nexts);
        QFETCH(bool, loaded);
        InTemporaryDirectory here;
        RecordingNotifier notifier;
        PracticeRun run(Settings(), notifier);
        if (loaded)
            run.load({makeQuestion(1, QStringLiteral("1")), makeQuestion(1, QStringLiteral("2"))},
                     RunMode::RandomPractice, false);
        for (int i = 0; i < nexts; ++i)
            run.next();
        notifier.notices.clear();
        QuestionSaver saver(notifier);
        QVERIFY(!saver.save(run, 0));
        QCOMPARE(notifier.notices, QStringList{QStringLiteral(
                                       "[软件提示]：当前没有正在练习的试题，没有试题可以存放。")});
        QVERIFY(QDir(here.dir.path()).entryList(QDir::Files).isEmpty());
    }

    // A file that cannot be written is told, never taken for saved.
    void unwritableFileIsTold()
    {
        InTemporaryDirectory here;
        QVERIFY(QDir(here.dir.path()).mkdir(QStringLiteral("NO0201.txt")));
        RecordingNotifier notifier;
        PracticeRun run(Settings(), notifier);
        run.load({makeQuestion(3, QStringLiteral("甲"))}, RunMode::SequentialSet, false);
        QuestionSaver saver(notifier);
        QVERIFY(!saver.save(run, 2));
        QCOMPARE(notifier.notices,
                 QStringList{
                     QStringLiteral("[软件提示]：文件NO0201.txt无法写入当前目录，本题没有保存。")});
    }
};

DRILLBAY_TEST(QuestionSaverTest)
#include "QuestionSaverTest.moc"
