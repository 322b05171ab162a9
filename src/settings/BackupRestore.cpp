#include "settings/BackupRestore.h"

#include "base/Clock.h"
#include "base/Notifier.h"
#include "base/StoreError.h"
#include "store/BackupGuard.h"
#include "store/Backups.h"

#include <QFileInfo>

const QString BackupRestore::kUnreadableStep = QStringLiteral("（无法读取）");

namespace {

const QString kCaption = QStringLiteral("提示信息");

QString madeText(const QDateTime &made)
{
    return made.toString(QStringLiteral("yyyy-MM-dd HH:mm:ss"));
}

} // namespace

BackupRestore::BackupRestore(QSqlDatabase db, Notifier &notifier, const Clock *clock)
    : m_db(std::move(db)), m_notifier(notifier), m_clock(clock)
{
}

QString BackupRestore::keptElsewhereNotice() const
{
    if (Backups(m_db).madeByProgram())
        return QString();
    return QStringLiteral("题库和学员的练习记录保存在培训中心的数据库服务器上，"
                          "由培训中心统一备份（pg_dump），本机不另存备份。"
                          "需要恢复数据时，请与培训中心的管理员联系。");
}

QList<BackupRestore::Row> BackupRestore::rows() const
{
    QList<Row> rows;
    for (const Backups::Entry &entry : Backups(m_db).list())
        rows << Row{entry.path, madeText(entry.made), sizeText(entry.bytes),
                    entry.step.isEmpty() ? kUnreadableStep : entry.step};
    return rows;
}

BackupRestore::Outcome BackupRestore::restore(const QString &path)
{
    Backups backups(m_db);
    const QString problem = backups.problemWith(path);
    if (!problem.isEmpty()) {
        m_notifier.inform(
            QStringLiteral("[软件提示]：这份备份不能恢复，当前的数据没有改动。\r\n原因：") +
            problem);
        return Outcome::Refused;
    }
    QString made = QFileInfo(path).fileName();
    for (const Row &row : rows()) {
        if (QFileInfo(row.path) == QFileInfo(path))
            made = row.made + QStringLiteral("（") + row.step + QStringLiteral("之前）");
    }
    if (!m_notifier.askYesNo(kCaption,
                             QStringLiteral("[软件提示]：确定要用 ") + made +
                                 QStringLiteral(" 的备份替换当前的全部数据吗？\r\n"
                                                "当前的数据会先另存为一份备份。"),
                             Notifier::Icon::Warning))
        return Outcome::Cancelled;

    // The file as it stands is kept first; the copy to restore is never
    // dropped to make room for it.
    QString kept;
    try {
        kept = QFileInfo(backups
                             .make(BackupGuard::restore(),
                                   m_clock ? m_clock->now() : QDateTime::currentDateTime(), path)
                             .path)
                   .fileName();
    } catch (const StoreError &error) {
        if (!m_notifier.askYesNo(
                kCaption, BackupGuard::failedQuestion(BackupGuard::restore(), error.reason()),
                Notifier::Icon::Warning))
            return Outcome::Cancelled;
    }
    try {
        backups.restore(path);
    } catch (const StoreError &error) {
        m_notifier.inform(QStringLiteral("[软件提示]：备份没有恢复，当前的数据保持原样。原因：") +
                          error.reason());
        return Outcome::Failed;
    }
    QString notice = QStringLiteral("[软件提示]：已恢复 ") + made + QStringLiteral(" 的备份。");
    if (!kept.isEmpty())
        notice += QStringLiteral("\r\n恢复前的数据已另存为备份 ") + kept + QStringLiteral("。");
    m_notifier.inform(notice);
    return Outcome::Restored;
}

QString BackupRestore::sizeText(qint64 bytes)
{
    if (bytes < 1024)
        return QString::number(bytes) + QStringLiteral(" B");
    if (bytes < 1024 * 1024)
        return QString::number(static_cast<double>(bytes) / 1024, 'f', 1) + QStringLiteral(" KB");
    return QString::number(static_cast<double>(bytes) / (1024 * 1024), 'f', 1) +
           QStringLiteral(" MB");
}
