#include "RecordingNotifier.h"
#include "TestRegistry.h"

#include "practice/PracticeRun.h"
#include "practice/ui/SingleChoicePage.h"
#include "question/QuestionType.h"

#include <QDir>
#include <QImage>
#include <QLabel>
#include <QTemporaryDir>
#include <QTest>

// Pictures are looked up in images/ of the current directory. One that is
// missing or unreadable only hides the picture box: the rest of the question
// (text, percentage, progress) is shown as usual.
class QuestionPictureTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init()
    {
        m_previous = QDir::currentPath();
        QVERIFY(m_dir.isValid());
        QVERIFY(QDir(m_dir.path()).mkpath(QStringLiteral("images")));
        QImage sign(40, 40, QImage::Format_RGB32);
        sign.fill(Qt::red);
        QVERIFY(sign.save(m_dir.filePath(QStringLiteral("images/sign.png"))));
        QFile broken(m_dir.filePath(QStringLiteral("images/broken.png")));
        QVERIFY(broken.open(QIODevice::WriteOnly));
        broken.write("not a picture");
        broken.close();
        QDir::setCurrent(m_dir.path());
    }
    void cleanup() { QDir::setCurrent(m_previous); }

    void pictureBox_data()
    {
        QTest::addColumn<QString>("image");
        QTest::addColumn<bool>("shown");
        QTest::newRow("present") << QStringLiteral("sign.png") << true;
        QTest::newRow("none") << QString() << false;
        QTest::newRow("missing file") << QStringLiteral("gone.png") << false;
        QTest::newRow("unreadable file") << QStringLiteral("broken.png") << false;
    }
    void pictureBox()
    {
        QFETCH(QString, image);
        QFETCH(bool, shown);
        RecordingNotifier notifier;
        PracticeRun run(Settings(), notifier);
        QVector<RunQuestion> questions(7);
        for (int i = 0; i < questions.size(); ++i) {
            questions[i].questionId = i + 1;
            questions[i].typeCode = question::code(QuestionType::SingleChoice);
            questions[i].stem = QStringLiteral("题%1").arg(i + 1);
            questions[i].correctAnswer = QStringLiteral("1");
        }
        questions[1].imageName = image;
        run.load(questions, RunMode::SequentialSet, false);

        SingleChoicePage page(run);
        page.resize(900, 420);
        page.show();
        run.next();
        page.render(run.display());
        QCOMPARE(page.pictureBox()->isVisible(), shown);
        // The move itself went through whatever became of the picture.
        QCOMPARE(run.display().percentText, QStringLiteral("29%"));
        QCOMPARE(run.display().progressValue, 2);
        QVERIFY(run.display().questionLines.join(QString()).contains(QStringLiteral("2.题2")));
    }

private:
    QTemporaryDir m_dir;
    QString m_previous;
};

DRILLBAY_TEST(QuestionPictureTest)
#include "QuestionPictureTest.moc"
