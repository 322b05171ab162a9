#pragma once

#include <QSqlDatabase>
#include <QString>

class Clock;
class Notifier;

// "Back up, else ask": the one call a command makes before it destroys data.
// It copies the data file (Backups); when the copy fails (a full disk, a
// write-protected folder) it says why and asks whether to go on without a
// backup. The steps' names are what the list of backups shows.
class BackupGuard
{
public:
    // The steps a backup precedes.
    static QString deleteQuestion() { return QStringLiteral("删除试题"); }
    static QString emptyChapter() { return QStringLiteral("清空章节试题"); }
    static QString deleteChapter() { return QStringLiteral("删除章节"); }
    static QString rewriteScores() { return QStringLiteral("改分"); }
    static QString redrawQuotas() { return QStringLiteral("重新抽题"); }
    static QString bankImport() { return QStringLiteral("题库导入"); }
    static QString conversion() { return QStringLiteral("数据转换"); }
    static QString restore() { return QStringLiteral("恢复备份"); }
    static QString startOfDay() { return QStringLiteral("每日首次启动"); }

    // On a centre's server neither makes a copy: the centre backs it up.
    // Backs the data file of db up before the step. True when the copy was
    // made, or when it failed and the user chose to go on without one; false
    // when the step is to stop. The clock names the copy (the machine's
    // clock when none is given).
    static bool beforeStep(const QSqlDatabase &db, Notifier &notifier, const QString &step,
                           const Clock *clock = nullptr);
    // At start: the first start of a day copies the file, unless a copy was
    // made that day already. A failure is told; the program goes on.
    static void atStart(const QSqlDatabase &db, Notifier &notifier, const Clock *clock = nullptr);

    // The question asked when the copy failed.
    static QString failedQuestion(const QString &step, const QString &reason);
    // The notice when the copy at start failed.
    static QString failedAtStartNotice(const QString &reason);
};
