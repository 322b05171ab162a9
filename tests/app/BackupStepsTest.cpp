#include "ExamTestQuestions.h"
#include "RecordingNotifier.h"
#include "ScriptedRandom.h"
#include "TestDatabase.h"
#include "TestRegistry.h"

#include "editor/QuestionEditor.h"
#include "exam/MockExamForm.h"
#include "exam/QuotaSetup.h"
#include "search/PaperComposer.h"
#include "store/BackupGuard.h"
#include "store/Backups.h"
#include "store/QuotaTable.h"
#include "store/Sql.h"

#include <QDir>
#include <QFile>
#include <QTest>

namespace {

// A bank with a chapter of questions, an empty chapter and a quota row.
struct Bank
{
    TestDatabase db;
    RecordingNotifier notifier;
    ScriptedRandom random;
    qint64 bank = 0;
    qint64 chapter = 0;
    QList<qint64> questions;

    Bank()
    {
        bank = db.addBank(QStringLiteral("甲库"));
        chapter = db.addChapter(bank, QStringLiteral("第一章"));
        db.addChapter(bank, QStringLiteral("空章"));
        for (int i = 0; i < 6; ++i)
            questions << db.addQuestion(chapter, 1, QStringLiteral("题%1").arg(i), sampleOptions(),
                                        QStringLiteral("1"));
        QuotaRow row;
        row.bankId = bank;
        row.chapterId = chapter;
        row.position = 1;
        row.quota = {2, 0, 0, 0, 0};
        row.drawn = {QStringLiteral("#1#2"), {}, {}, {}, {}};
        QuotaTable(db.db()).saveChapter(row);
    }

    // What the steps change: questions, chapters, scores, drawn lists.
    QString digest() const
    {
        QStringList parts;
        for (const QString &statement :
             {QStringLiteral("select count(*) from 考试训练题库"),
              QStringLiteral("select count(*) from fenlei"),
              QStringLiteral("select sum(本题分数) from 考试训练题库")}) {
            parts << QString::number(sql::scalar(db.db(), statement));
        }
        QSqlQuery drawn = sql::run(db.db(), QStringLiteral("select s_num_shiti from rand_num"));
        while (drawn.next())
            parts << drawn.value(0).toString();
        return parts.join(QLatin1Char(' '));
    }

    // The step as its command runs it, with every confirmation answered yes.
    void run(const QString &step)
    {
        if (step == BackupGuard::deleteQuestion() || step == BackupGuard::emptyChapter() ||
            step == BackupGuard::deleteChapter()) {
            QuestionEditor editor(db.db(), notifier);
            editor.reloadBanks();
            editor.chooseBank(0);
            editor.chooseChapter(0);
            if (step == BackupGuard::deleteQuestion()) {
                editor.removeQuestion(questions.at(2));
            } else if (step == BackupGuard::emptyChapter()) {
                notifier.answers.prepend(true);
                editor.removeChapterQuestions(0, QStringLiteral("甲库"), QStringLiteral("第一章"));
            } else {
                notifier.answers.prepend(true);
                editor.removeChapter(1);
            }
        } else if (step == BackupGuard::rewriteScores()) {
            PaperComposer composer(db.db(), notifier, random);
            composer.open(PaperComposer::Scope::Bank, QString(), QStringLiteral("甲库"));
            for (int type = 1; type <= 5; ++type)
                composer.setScore(type, QStringLiteral("7"));
            composer.rewriteScores(QStringLiteral("甲库"));
        } else if (step == BackupGuard::redrawQuotas()) {
            MockExamForm form;
            QuotaSetup setup(db.db(), notifier, random, form);
            random.script = {4, 5};
            notifier.answers.prepend(true);
            setup.redraw(bank, QStringLiteral("甲库"));
        }
    }
};

} // namespace

// Each destructive step copies the data file first; when the copy fails the
// step asks, and goes on only when the user says so.
class BackupStepsTest : public QObject
{
    Q_OBJECT

private slots:
    void stepsBackUpFirst_data()
    {
        QTest::addColumn<QString>("step");
        for (const QString &step : {BackupGuard::deleteQuestion(), BackupGuard::emptyChapter(),
                                    BackupGuard::deleteChapter(), BackupGuard::rewriteScores(),
                                    BackupGuard::redrawQuotas()})
            QTest::newRow(qPrintable(step)) << step;
    }
    void stepsBackUpFirst()
    {
        QFETCH(QString, step);
        Bank b;
        const QString before = b.digest();
        b.run(step);
        QVERIFY2(b.digest() != before, "the step changed nothing");
        QVERIFY(b.notifier.questions.size() <= 1); // the step's own confirmation only
        const QList<Backups::Entry> made = Backups(b.db.db()).list();
        QCOMPARE(made.size(), 1);
        QCOMPARE(made.first().step, step);
        // The copy holds the data as it stood before the step.
        Bank restored;
        Backups(restored.db.db()).restore(made.first().path);
        QCOMPARE(restored.digest(), before);
    }

    void failedBackupAsks_data()
    {
        QTest::addColumn<QString>("step");
        QTest::addColumn<bool>("goOn");
        for (const QString &step : {BackupGuard::deleteQuestion(), BackupGuard::emptyChapter(),
                                    BackupGuard::deleteChapter(), BackupGuard::rewriteScores(),
                                    BackupGuard::redrawQuotas()}) {
            QTest::addRow("%s, stop", qPrintable(step)) << step << false;
            QTest::addRow("%s, go on", qPrintable(step)) << step << true;
        }
    }
    void failedBackupAsks()
    {
        QFETCH(QString, step);
        QFETCH(bool, goOn);
        Bank b;
        QFile blocker(QDir(b.db.folder()).filePath(QStringLiteral("backups")));
        QVERIFY(blocker.open(QIODevice::WriteOnly));
        blocker.close();
        const QString before = b.digest();
        b.notifier.answers = {goOn};
        b.run(step);
        QCOMPARE(b.digest() != before, goOn);
        QVERIFY(!b.notifier.questions.isEmpty());
        QCOMPARE(b.notifier.questions.last().text,
                 BackupGuard::failedQuestion(step, QStringLiteral("数据文件所在的文件夹不能写入")));
    }
};

DRILLBAY_TEST(BackupStepsTest)
#include "BackupStepsTest.moc"
