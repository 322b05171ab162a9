// A training centre's server under load: a throwaway cluster of this machine's
// own (scripts/pg-cluster), filled with the 100,000-question bank by the
// converter, and many simulated workers, each on its own connection in a
// thread of its own. Every worker, twenty times: loads a chapter, extracts a
// set of 100, marks 5 of them known, grades the set and logs it (the practice
// log, the run history, the wrong-question book and the tallies). Between
// steps a worker pauses as a person does at the screen, shortened to a fraction
// of a second (PAUSE_MS, default 400 on average) so that the run takes about
// a minute. What is timed is practice while the whole room is signed in:
// workers arrive over the first two seconds, each signs in and opens its first
// chapter page as the program does at start (a new connection's first
// statements also fill the server's caches for it, paid once, not at every
// step), and when all have arrived each begins its runs after a pause of its
// own. The same steps by one worker on the data file are the baselines.
//
//   bench_server DATABASE [WORKERS] [PAUSE_MS]
#include "BenchUtil.h"

#include "exam/PracticeLog.h"
#include "exam/StudyRecorder.h"
#include "practice/ChapterLoader.h"
#include "practice/QuestionSource.h"
#include "store/AddedTables.h"
#include "store/Database.h"
#include "store/QuestionTable.h"
#include "store/ServerUrl.h"
#include "store/WorkerTable.h"

#include <QCoreApplication>
#include <QProcess>
#include <QRandomGenerator>
#include <QSqlError>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <QThread>
#include <array>
#include <atomic>
#include <latch>
#include <mutex>
#include <thread>

namespace {

constexpr int kRounds = 20;
constexpr int kSetSize = 100;
constexpr int kMarked = 5;
constexpr int kArrivalMs = 2000;

enum Step
{
    LoadChapter,
    ExtractSet,
    MarkKnown,
    GradeAndLog,
    StepCount
};
const std::array<const char *, StepCount> kStepNames = {"chapter_load", "extract_set", "mark_known",
                                                        "grade_log"};

using Samples = std::array<std::vector<double>, StepCount>;

double percentile(std::vector<double> values, double share)
{
    if (values.empty())
        return 0;
    std::sort(values.begin(), values.end());
    const auto at = static_cast<size_t>(share * static_cast<double>(values.size() - 1) + 0.5);
    return values[std::min(at, values.size() - 1)];
}

// The cluster of this run, stopped and removed however the benchmark ends.
class ThrowawayServer
{
public:
    ThrowawayServer()
        : m_dir(QDir::temp().filePath(
              QStringLiteral("drillbay-bench-pg-%1").arg(QCoreApplication::applicationPid())))
    {
        QProcess start;
        start.start(QStringLiteral("bash"),
                    {QStringLiteral(DRILLBAY_SOURCE_DIR "/scripts/pg-cluster"),
                     QStringLiteral("start"), m_dir});
        start.waitForFinished(120000);
        if (start.exitCode() == 0)
            m_url = QString::fromUtf8(start.readAllStandardOutput()).trimmed();
        else
            std::fprintf(stderr, "%s", start.readAllStandardError().constData());
    }
    ~ThrowawayServer()
    {
        QProcess::execute(QStringLiteral("bash"),
                          {QStringLiteral(DRILLBAY_SOURCE_DIR "/scripts/pg-cluster"),
                           QStringLiteral("stop"), m_dir});
    }
    ThrowawayServer(const ThrowawayServer &) = delete;
    ThrowawayServer &operator=(const ThrowawayServer &) = delete;

    // The address of the cluster's database `name` (empty when it did not start).
    QString url(const QString &name) const
    {
        if (m_url.isEmpty())
            return QString();
        return m_url.left(m_url.lastIndexOf(QLatin1Char('/')) + 1) + name;
    }

private:
    QString m_dir;
    QString m_url;
};

bool createDatabase(const ThrowawayServer &server, const QString &name)
{
    QString error;
    {
        QSqlDatabase admin =
            QSqlDatabase::addDatabase(QStringLiteral("QPSQL"), QStringLiteral("admin"));
        const std::optional<ServerUrl> parts =
            ServerUrl::parse(server.url(QStringLiteral("postgres")), &error);
        if (!parts)
            return false;
        admin.setHostName(parts->host);
        admin.setPort(parts->port);
        admin.setUserName(parts->user);
        admin.setDatabaseName(parts->database);
        if (!admin.open() ||
            !QSqlQuery(admin).exec(
                QStringLiteral("create database ") + name +
                QStringLiteral(" template template0 encoding 'UTF8' locale 'C'"))) {
            std::fprintf(stderr, "cannot create the database: %s\n",
                         qPrintable(admin.lastError().text()));
            return false;
        }
        admin.close();
    }
    QSqlDatabase::removeDatabase(QStringLiteral("admin"));
    return true;
}

QStringList chapterNames(const QSqlDatabase &db)
{
    QStringList names;
    QSqlQuery query = sql::run(db, QStringLiteral("select 试卷名称 from fenlei order by id"), {});
    while (query.next())
        names << query.value(0).toString();
    return names;
}

// One worker's twenty runs, each step timed into samples.
void practise(const QSqlDatabase &db, const QStringList &chapters, int worker, int pauseMs,
              Samples &samples)
{
    ChapterLoader loader(db);
    QuestionSource source(db);
    QuestionTable questions(db);
    PracticeLog log(db);
    StudyRecorder study(db);
    QRandomGenerator random(static_cast<quint32>(worker + 1));
    const auto pause = [&] {
        if (pauseMs > 0)
            QThread::msleep(static_cast<unsigned long>(random.bounded(pauseMs * 2 + 1)));
    };
    const auto timed = [&](Step step, const std::function<void()> &work) {
        QElapsedTimer timer;
        timer.start();
        work();
        samples[step].push_back(static_cast<double>(timer.nsecsElapsed()) / 1e6);
    };
    pause();
    for (int round = 0; round < kRounds; ++round) {
        const QString chapter =
            chapters[(worker * 7 + round * 13) % static_cast<int>(chapters.size())];
        ChapterLoader::Result loaded;
        timed(LoadChapter, [&] { loaded = loader.load(chapter, 0, kSetSize); });
        if (!loaded.ok)
            continue;
        pause();
        QVector<RunQuestion> set;
        const int setIndex = random.bounded(loaded.setCount);
        timed(ExtractSet,
              [&] { set = source.readSet(chapter, 0, kSetSize, loaded.setCount, setIndex); });
        pause();
        timed(MarkKnown, [&] {
            for (int k = 0; k < kMarked && k < set.size(); ++k)
                questions.setToPractise(set[k].questionId, false);
        });
        pause();
        // Every third question answered wrong, the rest right.
        for (int k = 0; k < set.size(); ++k)
            set[k].userAnswer = k % 3 == 0 ? QStringLiteral("?") : set[k].correctAnswer;
        const QDateTime now = QDateTime::currentDateTime();
        timed(GradeAndLog, [&] {
            log.append(RunMode::SequentialSet, chapter, setIndex + 1, 67, now);
            log.trim();
            study.record({RunMode::SequentialSet, chapter, setIndex + 1,
                          std::span<const RunQuestion>(set.constData(), set.size()),
                          now.addSecs(-600), now});
        });
        pause();
    }
}

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    const int workers = argc > 2 ? std::max(1, atoi(argv[2])) : 200;
    const int pauseMs = argc > 3 ? std::max(0, atoi(argv[3])) : 400;

    // The baselines: one worker on the data file.
    QTemporaryDir dir;
    QSqlDatabase file = openCopyOfBank(argc, argv, dir);
    if (!file.isOpen())
        return 1;
    // The grading writes the book and the history, as the program does.
    if (const QString problem = AddedTables::ensure(file); !problem.isEmpty()) {
        std::fprintf(stderr, "%s\n", qPrintable(problem));
        return 1;
    }
    const QStringList chapters = chapterNames(file);
    Samples baseline;
    practise(file, chapters, 0, 0, baseline);

    ThrowawayServer server;
    const QString url = server.url(QStringLiteral("bench"));
    if (url.isEmpty() || !createDatabase(server, QStringLiteral("bench")))
        return 1;
    QElapsedTimer filling;
    filling.start();
    QProcess convert;
    convert.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    convert.start(QStringLiteral(DRILLBAY_CONVERT), {QString::fromLocal8Bit(argv[1]), url});
    if (!convert.waitForFinished(600000) || convert.exitCode() != 0) {
        std::fprintf(stderr, "the bank could not be put on the server\n");
        return 1;
    }
    std::printf("bank on the server in %.1f s\n", static_cast<double>(filling.elapsed()) / 1000);

    QString error;
    QSqlDatabase centre = Database::openServer(url, QStringLiteral("centre"), &error);
    if (!centre.isOpen()) {
        std::fprintf(stderr, "%s\n", qPrintable(error));
        return 1;
    }
    std::vector<qint64> ids;
    for (int w = 0; w < workers; ++w)
        ids.push_back(
            WorkerTable(centre).add(QStringLiteral("学员%1").arg(w + 1), QString(), QString()));

    std::vector<Samples> samples(static_cast<size_t>(workers));
    std::atomic<int> failures = 0;
    std::mutex errorLock;
    QString firstError;
    QElapsedTimer wall;
    wall.start();
    std::latch room(workers);
    std::vector<std::thread> threads;
    for (int w = 0; w < workers; ++w) {
        threads.emplace_back([&, w] {
            const QString name = QStringLiteral("worker-%1").arg(w);
            QThread::msleep(static_cast<unsigned long>(
                QRandomGenerator(static_cast<quint32>(w)).bounded(kArrivalMs)));
            bool arrived = false;
            const auto arrive = [&] {
                if (!std::exchange(arrived, true))
                    room.arrive_and_wait();
            };
            {
                QString why;
                QSqlDatabase db = Database::openServer(url, name, &why);
                try {
                    if (!db.isOpen())
                        throw StoreError(StoreError::Cause::ServerLost, why);
                    WorkerTable::signIn(db, ids[static_cast<size_t>(w)]);
                    (void)ChapterLoader(db).load(chapters[w % chapters.size()], 0, kSetSize);
                    arrive();
                    practise(db, chapters, w, pauseMs, samples[static_cast<size_t>(w)]);
                } catch (const StoreError &e) {
                    arrive();
                    ++failures;
                    const std::lock_guard hold(errorLock);
                    if (firstError.isEmpty())
                        firstError = e.storeText();
                }
                db.close();
            }
            QSqlDatabase::removeDatabase(name);
        });
    }
    for (std::thread &thread : threads)
        thread.join();
    const double seconds = static_cast<double>(wall.elapsed()) / 1000;
    if (failures > 0) {
        std::fprintf(stderr, "%d workers failed; the first: %s\n", failures.load(),
                     qPrintable(firstError));
        return 1;
    }

    Samples all;
    int runs = 0;
    for (const Samples &one : samples) {
        for (int s = 0; s < StepCount; ++s)
            all[s].insert(all[s].end(), one[s].begin(), one[s].end());
        runs += static_cast<int>(one[GradeAndLog].size());
    }
    bool within = true;
    for (int s = 0; s < StepCount; ++s) {
        const std::string p50 = std::string("server_") + kStepNames[s] + "_p50";
        const std::string p99 = std::string("server_") + kStepNames[s] + "_p99";
        const double limit = s == LoadChapter ? 100 : s == GradeAndLog ? 50 : kNoLimit;
        bench(p50.c_str(), percentile(all[s], 0.5), kNoLimit, percentile(baseline[s], 0.5));
        within &=
            bench(p99.c_str(), percentile(all[s], 0.99), limit, percentile(baseline[s], 0.99));
    }
    std::printf("%d workers, %d runs in %.1f s\n", workers, runs, seconds);
    bench("server_runs_per_second", runs / seconds, kNoLimit, 0);
    return exitCode(within);
}
