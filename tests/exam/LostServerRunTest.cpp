#include "ExamTestQuestions.h"
#include "RecordingNotifier.h"
#include "TestDatabase.h"
#include "TestRegistry.h"

#include "exam/Countdown.h"
#include "exam/PracticeSession.h"
#include "exam/ReviewPresenter.h"
#include "exam/StudyRecorder.h"
#include "practice/PracticeRun.h"
#include "practice/SequentialPractice.h"
#include "settings/SettingsForm.h"
#include "store/Sql.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTest>

#include <unistd.h>

namespace {

const QString kChapter = QStringLiteral("第一章 倒闸操作");

struct CountingPresenter : ReviewPresenter
{
    void present(const ReviewBuilder::Review &, int) override { ++shown; }
    int shown = 0;
};

// The tests' server itself, stopped and started again as a centre's server
// goes down and comes back: with the options it was started with.
class ServerControl
{
public:
    explicit ServerControl(const QSqlDatabase &db)
    {
        QSqlQuery where = sql::run(db, QStringLiteral("show data_directory"));
        if (where.next())
            m_data = where.value(0).toString();
        where.finish();
        const QStringList versions = QDir(QStringLiteral("/usr/lib/postgresql"))
                                         .entryList(QDir::Dirs | QDir::NoDotAndDotDot);
        if (!versions.isEmpty())
            m_tool = QStringLiteral("/usr/lib/postgresql/%1/bin/pg_ctl").arg(versions.last());
        QFile opts(m_data + QStringLiteral("/postmaster.opts"));
        if (opts.open(QIODevice::ReadOnly)) {
            const QString line = QString::fromUtf8(opts.readAll()).trimmed();
            m_options = line.mid(line.indexOf(QLatin1Char(' ')) + 1);
        }
    }
    bool usable() const { return QFileInfo(m_tool).isExecutable() && !m_options.isEmpty(); }
    bool stop()
    {
        return control({QStringLiteral("-m"), QStringLiteral("fast"), QStringLiteral("stop")});
    }
    bool start()
    {
        return control({QStringLiteral("-o"), m_options, QStringLiteral("-l"),
                        m_data + QStringLiteral("/../server.log"), QStringLiteral("start")});
    }

private:
    bool control(const QStringList &what)
    {
        QStringList command =
            QStringList{m_tool, QStringLiteral("-D"), m_data, QStringLiteral("-w")} + what;
        // The throwaway cluster runs as the package's own user under root.
        if (::geteuid() == 0)
            command = QStringList{QStringLiteral("runuser"), QStringLiteral("-u"),
                                  QStringLiteral("postgres"), QStringLiteral("--")} +
                      command;
        QProcess process;
        process.setProcessChannelMode(QProcess::MergedChannels);
        process.start(command.takeFirst(), command);
        return process.waitForFinished(60000) && process.exitCode() == 0;
    }

    QString m_tool;
    QString m_data;
    QString m_options;
};

} // namespace

// A centre's server that goes down while a worker practises: the run goes on,
// its grading's record waits in memory, and arrives when the server is back.
class LostServerRunTest : public QObject
{
    Q_OBJECT

private slots:
    void recordArrivesWhenTheServerIsBack()
    {
        if (!TestDatabase::onServer())
            QSKIP("about a centre's server going down; a data file does not");
        TestDatabase db;
        const qint64 bank = db.addBank(QStringLiteral("变电"));
        const qint64 chapter = db.addChapter(bank, kChapter);
        for (int i = 0; i < 3; ++i)
            db.addQuestion(chapter, 1, QStringLiteral("题%1").arg(i), sampleOptions(),
                           QStringLiteral("2"));
        ServerControl server(db.db());
        if (!server.usable())
            QSKIP("the tests' server cannot be stopped from here");

        RecordingNotifier notifier;
        CountingPresenter presenter;
        const Settings settings;
        SettingsForm form(settings);
        PracticeRun run(settings, notifier);
        Countdown countdown;
        SequentialPractice sequential(db.db(), run, notifier);
        PracticeSession session(db.db(), run, sequential, countdown, form, notifier, presenter);
        const StudyRecorder study(db.db());
        session.setStudyRecorder(&study);
        QVERIFY(session.chooseChapter(kChapter));
        session.startSequential(0);
        session.extract();
        QVERIFY(run.active());

        QVERIFY(server.stop());
        auto restart = qScopeGuard([&] { server.start(); });
        session.grade();
        // The review is shown; nothing is said to be lost; the record waits.
        QCOMPARE(presenter.shown, 1);
        QVERIFY2(notifier.notices.isEmpty(), qPrintable(notifier.notices.join(QLatin1Char('\n'))));
        QCOMPARE(session.frame().waitingRecords, 2);
        QVERIFY(!session.closingQuestion().isEmpty());
        // Still down: the next try keeps it.
        session.retryWaitingRecords();
        QCOMPARE(session.frame().waitingRecords, 2);
        QVERIFY(notifier.notices.isEmpty());

        restart.dismiss();
        QVERIFY(server.start());
        session.retryWaitingRecords();
        QCOMPARE(session.frame().waitingRecords, 0);
        QVERIFY(session.closingQuestion().isEmpty());
        QVERIFY(notifier.notices.isEmpty());
        QCOMPARE(sql::scalar(db.db(), QStringLiteral("select count(*) from log")), qint64(1));
        QCOMPARE(sql::scalar(db.db(), QStringLiteral("select count(*) from run_history")),
                 qint64(1));
    }
};

DRILLBAY_TEST(LostServerRunTest)
#include "LostServerRunTest.moc"
