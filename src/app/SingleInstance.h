#pragma once

#include <QLockFile>
#include <QString>

// One running program per desktop: the lock file "ProgRun" in the user's
// runtime folder (the temporary folder when there is none). The lock is held
// until the object goes away; the lock of a process that died is stale and
// does not block a new start.
class SingleInstance
{
public:
    explicit SingleInstance(const QString &folder = defaultFolder());

    // Takes the lock without waiting. False when another running program holds it.
    bool tryAcquire();
    void release();
    bool held() const { return m_lock.isLocked(); }
    QString lockFile() const { return m_path; }

    static QString defaultFolder();

private:
    QString m_path;
    QLockFile m_lock;
};
