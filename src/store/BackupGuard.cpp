#include "store/BackupGuard.h"

#include "base/Clock.h"
#include "base/Notifier.h"
#include "base/StoreError.h"
#include "store/Backend.h"
#include "store/Backups.h"

namespace {

QDateTime nowOf(const Clock *clock)
{
    return clock ? clock->now() : QDateTime::currentDateTime();
}

} // namespace

bool BackupGuard::beforeStep(const QSqlDatabase &db, Notifier &notifier, const QString &step,
                             const Clock *clock)
{
    // A centre's server is backed up by its own means (pg_dump), not by a
    // copy beside a data file.
    if (backendOf(db) == Backend::Server)
        return true;
    try {
        Backups(db).make(step, nowOf(clock));
        return true;
    } catch (const StoreError &error) {
        return notifier.askYesNo(QStringLiteral("提示信息"), failedQuestion(step, error.reason()),
                                 Notifier::Icon::Warning);
    }
}

void BackupGuard::atStart(const QSqlDatabase &db, Notifier &notifier, const Clock *clock)
{
    if (backendOf(db) == Backend::Server)
        return;
    const QDateTime now = nowOf(clock);
    Backups backups(db);
    if (!backups.madeByProgram() || backups.madeOn(now.date()))
        return;
    try {
        backups.make(startOfDay(), now);
    } catch (const StoreError &error) {
        notifier.inform(failedAtStartNotice(error.reason()));
    }
}

QString BackupGuard::failedQuestion(const QString &step, const QString &reason)
{
    return QStringLiteral("[软件提示]：“%1”之前的数据备份没有做成，原因：%2\r\n"
                          "不备份也可以继续，但这一步将无法撤销。是否不备份继续？")
        .arg(step, reason);
}

QString BackupGuard::failedAtStartNotice(const QString &reason)
{
    return QStringLiteral("[软件提示]：今天的数据备份没有做成，原因：%1").arg(reason);
}
