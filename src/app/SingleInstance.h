#pragma once

#include <QLockFile>
#include <QString>

// One running program per data file and user (per worker on a server): a lock file "ProgRun-…"
// named after the data file's canonical path, in a folder of the user's own under the system's
// temporary folder. Nothing of the session's environment enters the name or the place, so every
// start on the same file meets the same lock. The lock is held until the object goes away. Only a
// running program keeps others out: a lock file that no live program holds (left by a crash,
// emptied, garbled) is taken over, and a lock that cannot be made at all
// (folder not writable or not the user's own, disk full) lets the program
// start without it.
class SingleInstance
{
public:
    enum class Start
    {
        Acquired,       // this program holds the lock
        AlreadyRunning, // a running program holds it: end without a word
        WithoutLock,    // no lock could be made: start anyway (see problem())
    };

    // A worker practising on a centre's server (as ServerUrl::shown() names
    // it): two workers may practise on one machine at once, the same worker
    // only once.
    struct ServerWorker
    {
        QString server;
        qint64 workerId = 0;
    };

    explicit SingleInstance(const QString &databasePath, const QString &folder = defaultFolder());
    explicit SingleInstance(const ServerWorker &worker, const QString &folder = defaultFolder());

    // Takes the lock without waiting.
    Start acquire();
    // True when this object holds the lock afterwards.
    bool tryAcquire() { return acquire() == Start::Acquired; }
    void release();
    bool held() const { return m_lock.isLocked(); }
    QString lockFile() const { return m_path; }
    // Why the last acquire() started without the lock, for the error output.
    QString problem() const { return m_problem; }

    // The user's lock folder: "drillbay-" and the user id under /tmp.
    static QString defaultFolder();
    // The lock's file name for a data file: the same for every spelling of
    // its path (relative, through links).
    static QString lockName(const QString &databasePath);
    // The lock's file name for a worker on a server.
    static QString lockName(const ServerWorker &worker);

private:
    bool heldByRunningProgram() const;
    Start withoutLock(const QString &why);

    QString m_path;
    QLockFile m_lock;
    QString m_problem;
};
