#include "settings/StudySettings.h"

#include "base/StoreError.h"
#include "store/StudySettingTable.h"
#include "store/Transaction.h"

#include <algorithm>

namespace {

const QString kLeaveAfter = QStringLiteral("book_leave_after");
const QString kPassMark = QStringLiteral("pass_mark");

} // namespace

int StudySettings::read(const QString &name, int fallback, int min, int max) const
{
    try {
        return std::clamp(StudySettingTable(m_db).value(name).value_or(fallback), min, max);
    } catch (const StoreError &) {
        // A file without the added tables keeps the defaults.
        return fallback;
    }
}

int StudySettings::leaveAfter() const
{
    return read(kLeaveAfter, kLeaveAfterDefault, kLeaveAfterMin, kLeaveAfterMax);
}

QString StudySettings::passMarkName()
{
    return kPassMark;
}

int StudySettings::passMark() const
{
    return read(kPassMark, kPassMarkDefault, kPassMarkMin, kPassMarkMax);
}

void StudySettings::store(int leaveAfter, int passMark) const
{
    const StudySettingTable table(m_db);
    Transaction transaction(m_db);
    table.store(kLeaveAfter, std::clamp(leaveAfter, kLeaveAfterMin, kLeaveAfterMax));
    table.store(kPassMark, std::clamp(passMark, kPassMarkMin, kPassMarkMax));
    transaction.commit();
}

QString StudySettings::savedNotice()
{
    return QStringLiteral("[软件提示]：错题本和学习统计的设置已经保存，立即生效。");
}

QString StudySettings::notSavedNotice(const QString &reason)
{
    return QStringLiteral("[软件提示]：错题本和学习统计的设置没有保存，原因：") + reason +
           QStringLiteral("。");
}
