#include "store/EngineCopy.h"

#include "base/StoreError.h"
#include "store/Sql.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QScopeGuard>
#include <QSqlDriver>
#include <QSqlError>
#include <QSqlQuery>
#include <QVariant>
#include <cerrno>
#include <cstring>
#include <sqlite3.h>
#include <unistd.h>

namespace {

// The engine's failure as the store reports every other one.
StoreError failureOf(sqlite3 *handle, int code, const QString &what)
{
    const QString text = handle ? QString::fromUtf8(sqlite3_errmsg(handle))
                                : QString::fromUtf8(sqlite3_errstr(code));
    const int extended = handle ? sqlite3_extended_errcode(handle) : code;
    return sql::failure(QSqlError(text, text, QSqlError::StatementError, QString::number(extended)),
                        what);
}

sqlite3 *handleOf(const QSqlDatabase &db)
{
    const QVariant handle = db.driver() ? db.driver()->handle() : QVariant();
    if (!handle.isValid() || qstrcmp(handle.typeName(), "sqlite3*") != 0)
        return nullptr;
    return *static_cast<sqlite3 *const *>(handle.constData());
}

} // namespace

void EngineCopy::copyPages(const QSqlDatabase &db, const QString &path)
{
    sqlite3 *source = handleOf(db);
    if (!source)
        throw StoreError(StoreError::Cause::Failed, QStringLiteral("no open database to copy"));
    sqlite3 *target = nullptr;
    const QByteArray name = QFile::encodeName(path);
    int code = sqlite3_open_v2(name.constData(), &target,
                               SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE, nullptr);
    const auto close = [&target] {
        sqlite3_close(target);
        target = nullptr;
    };
    if (code != SQLITE_OK) {
        const StoreError error = failureOf(target, code, QStringLiteral("open ") + path);
        close();
        throw error;
    }
    sqlite3_backup *backup = sqlite3_backup_init(target, "main", source, "main");
    if (!backup) {
        const StoreError error =
            failureOf(target, sqlite3_errcode(target), QStringLiteral("backup ") + path);
        close();
        throw error;
    }
    // All pages in one step: the source is read under one lock.
    code = sqlite3_backup_step(backup, -1);
    sqlite3_backup_finish(backup);
    if (code != SQLITE_DONE) {
        const StoreError error = failureOf(target, code, QStringLiteral("backup ") + path);
        close();
        throw error;
    }
    close();
}

void EngineCopy::copy(const QSqlDatabase &db, const QString &path)
{
    // Inside a change the file may already hold pages of it: a copy belongs
    // before the change begins.
    if (sqlite3 *source = handleOf(db); source && !sqlite3_get_autocommit(source))
        throw StoreError(StoreError::Cause::Failed,
                         QStringLiteral("a copy cannot be made inside an open transaction"));
    QSqlQuery mode = sql::run(db, QStringLiteral("pragma journal_mode"));
    const bool wal = mode.next() && mode.value(0).toString().compare(QLatin1String("wal"),
                                                                     Qt::CaseInsensitive) == 0;
    mode.finish();
    if (wal)
        copyPages(db, path);
    else
        copyFile(db, path);
}

void EngineCopy::copyFile(const QSqlDatabase &db, const QString &path)
{
    // The read transaction holds the engine's shared lock until the end.
    sql::run(db, QStringLiteral("begin"));
    const auto end = qScopeGuard([&db] {
        QSqlQuery finish(db);
        finish.exec(QStringLiteral("commit"));
    });
    sql::run(db, QStringLiteral("select count(*) from sqlite_master")).finish();
    QFile source(db.databaseName());
    if (!source.open(QIODevice::ReadOnly))
        throw StoreError(StoreError::Cause::DiskError, source.errorString());
    QFile target(path);
    if (!target.open(QIODevice::WriteOnly | QIODevice::NewOnly))
        throw StoreError(QFileInfo(path).dir().exists() ? StoreError::Cause::NoAccess
                                                        : StoreError::Cause::FolderNotWritable,
                         target.errorString());
    // The kernel copies the bytes, as cp does, without passing them through
    // the program; where it cannot, they are read and written in blocks.
    qint64 left = source.size();
    const int from = source.handle();
    const int to = target.handle();
    while (left > 0) {
        const ssize_t copied =
            ::copy_file_range(from, nullptr, to, nullptr, static_cast<size_t>(left), 0);
        if (copied > 0) {
            left -= copied;
            continue;
        }
        if (copied == 0)
            break;
        if (errno == ENOSPC)
            throw StoreError(StoreError::Cause::DiskFull, QString::fromLocal8Bit(strerror(errno)));
        const bool unsupported =
            errno == EXDEV || errno == ENOSYS || errno == EINVAL || errno == EOPNOTSUPP;
        // Blocks only from the start: the kernel has moved the file positions.
        if (!unsupported || left != source.size())
            throw StoreError(StoreError::Cause::DiskError, QString::fromLocal8Bit(strerror(errno)));
        copyBlocks(source, target);
        break;
    }
}

void EngineCopy::copyBlocks(QFile &source, QFile &target)
{
    constexpr qint64 kBlock = qint64(1024) * 1024;
    QByteArray block(kBlock, Qt::Uninitialized);
    for (;;) {
        const qint64 read = source.read(block.data(), kBlock);
        if (read < 0)
            throw StoreError(StoreError::Cause::DiskError, source.errorString());
        if (read == 0)
            break;
        if (target.write(block.constData(), read) != read)
            throw StoreError(target.error() == QFileDevice::ResourceError
                                 ? StoreError::Cause::DiskFull
                                 : StoreError::Cause::DiskError,
                             target.errorString());
    }
    if (!target.flush())
        throw StoreError(target.error() == QFileDevice::ResourceError
                             ? StoreError::Cause::DiskFull
                             : StoreError::Cause::DiskError,
                         target.errorString());
}
