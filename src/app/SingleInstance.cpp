#include "app/SingleInstance.h"

#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

SingleInstance::SingleInstance(const QString &folder)
    : m_path(QDir(folder).filePath(QStringLiteral("ProgRun"))), m_lock(m_path)
{
    // A lock is stale only when its process is gone, never because of its age:
    // the program may run for days.
    m_lock.setStaleLockTime(0);
}

bool SingleInstance::tryAcquire()
{
    if (m_lock.isLocked())
        return true;
    QDir().mkpath(QFileInfo(m_path).absolutePath());
    return m_lock.tryLock(0);
}

void SingleInstance::release()
{
    if (m_lock.isLocked())
        m_lock.unlock();
}

QString SingleInstance::defaultFolder()
{
    const QString runtime = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
    return runtime.isEmpty() ? QDir::tempPath() : runtime;
}
