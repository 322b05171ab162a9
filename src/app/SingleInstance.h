#pragma once

#include <QLockFile>
#include <QString>

// One running program per desktop: the lock file "ProgRun" in the user's
// runtime folder (the temporary folder when there is none). The lock is held
// until the object goes away. Only a running program keeps others out: a lock
// file that no live program holds (left by a crash, emptied, garbled) is taken
// over, and a lock that cannot be made at all (folder not writable, disk full)
// lets the program start without it.
class SingleInstance
{
public:
    enum class Start
    {
        Acquired,       // this program holds the lock
        AlreadyRunning, // a running program holds it: end without a word
        WithoutLock,    // no lock could be made: start anyway (see problem())
    };

    explicit SingleInstance(const QString &folder = defaultFolder());

    // Takes the lock without waiting.
    Start acquire();
    // True when this object holds the lock afterwards.
    bool tryAcquire() { return acquire() == Start::Acquired; }
    void release();
    bool held() const { return m_lock.isLocked(); }
    QString lockFile() const { return m_path; }
    // Why the last acquire() started without the lock, for the error output.
    QString problem() const { return m_problem; }

    static QString defaultFolder();

private:
    bool heldByRunningProgram() const;
    Start withoutLock(const QString &why);

    QString m_path;
    QLockFile m_lock;
    QString m_problem;
};
