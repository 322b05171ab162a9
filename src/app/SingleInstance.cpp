#include "app/SingleInstance.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <cerrno>
#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

namespace {

// The system's temporary folder itself, not the session's TMPDIR: two starts
// from different sessions must meet in one place.
const QString kSystemTemporaryFolder = QStringLiteral("/tmp");

} // namespace

SingleInstance::SingleInstance(const QString &databasePath, const QString &folder)
    : m_path(QDir(folder).filePath(lockName(databasePath))), m_lock(m_path)
{
    // A lock is stale only when its process is gone, never because of its age:
    // the program may run for days.
    m_lock.setStaleLockTime(0);
}

SingleInstance::SingleInstance(const ServerWorker &worker, const QString &folder)
    : m_path(QDir(folder).filePath(lockName(worker))), m_lock(m_path)
{
    m_lock.setStaleLockTime(0);
}

SingleInstance::Start SingleInstance::acquire()
{
    m_problem.clear();
    if (m_lock.isLocked())
        return Start::Acquired;
    const QString folder = QFileInfo(m_path).absolutePath();
    if (!QFileInfo::exists(folder)) {
        const QString parent = QFileInfo(folder).absolutePath();
        // Only the user may look into the folder of the user's locks.
        if (!QDir().mkpath(parent) ||
            (!QDir().mkdir(folder, QFileDevice::ReadOwner | QFileDevice::WriteOwner |
                                       QFileDevice::ExeOwner) &&
             !QFileInfo(folder).isDir()))
            return withoutLock(QStringLiteral("the folder %1 cannot be created").arg(folder));
    }
    // A folder of that name made by someone else (in a shared temporary
    // folder) is not trusted with the lock.
    const QFileInfo made(folder);
    if (made.isSymLink() || !made.isDir() || made.ownerId() != ::geteuid())
        return withoutLock(
            QStringLiteral("the folder %1 is not a folder of this user's own").arg(folder));
    if (m_lock.tryLock(0))
        return Start::Acquired;

    switch (m_lock.error()) {
    case QLockFile::LockFailedError:
        // A file is there. A running program keeps its file locked; a file
        // nobody holds is left over, whatever it contains, and is replaced.
        if (heldByRunningProgram())
            return Start::AlreadyRunning;
        if (m_lock.removeStaleLockFile() && m_lock.tryLock(0))
            return Start::Acquired;
        // Another program may have started in between.
        if (heldByRunningProgram())
            return Start::AlreadyRunning;
        return withoutLock(
            QStringLiteral("the lock file %1 is left over and cannot be replaced").arg(m_path));
    case QLockFile::PermissionError:
        return withoutLock(QStringLiteral("no permission to write the lock file %1").arg(m_path));
    case QLockFile::NoError:
    case QLockFile::UnknownError:
        break;
    }
    return withoutLock(
        QStringLiteral("the lock file %1 cannot be written (disk full?)").arg(m_path));
}

bool SingleInstance::heldByRunningProgram() const
{
    // The holder keeps an exclusive file lock on it for as long as it runs.
    const QByteArray name = QFile::encodeName(m_path);
    const int fd = ::open(name.constData(), O_RDONLY | O_CLOEXEC);
    if (fd < 0)
        return false;
    const bool held = ::flock(fd, LOCK_EX | LOCK_NB) != 0 && errno == EWOULDBLOCK;
    ::close(fd);
    return held;
}

SingleInstance::Start SingleInstance::withoutLock(const QString &why)
{
    m_problem = QStringLiteral("drillbay: %1; starting without the single-instance lock").arg(why);
    return Start::WithoutLock;
}

void SingleInstance::release()
{
    if (m_lock.isLocked())
        m_lock.unlock();
}

QString SingleInstance::defaultFolder()
{
    return QDir(kSystemTemporaryFolder)
        .filePath(QStringLiteral("drillbay-") + QString::number(::geteuid()));
}

QString SingleInstance::lockName(const QString &databasePath)
{
    const QFileInfo file(databasePath);
    // A file that is not there yet has no canonical path; its absolute path
    // is the best name it has.
    const QString canonical = file.canonicalFilePath();
    const QString path = canonical.isEmpty() ? file.absoluteFilePath() : canonical;
    const QByteArray digest =
        QCryptographicHash::hash(QFile::encodeName(path), QCryptographicHash::Sha256).toHex();
    return QStringLiteral("ProgRun-") + QString::fromLatin1(digest.left(24));
}

QString SingleInstance::lockName(const ServerWorker &worker)
{
    const QString key = QStringLiteral("server:") + worker.server + QStringLiteral("#worker:") +
                        QString::number(worker.workerId);
    const QByteArray digest =
        QCryptographicHash::hash(key.toUtf8(), QCryptographicHash::Sha256).toHex();
    return QStringLiteral("ProgRun-") + QString::fromLatin1(digest.left(24));
}
