#include "settings/PasswordGate.h"

#include "base/GbkText.h"
#include "base/Notifier.h"
#include "base/StoreError.h"
#include "settings/PasswordCodec.h"
#include "store/PasswordTable.h"

const QString PasswordGate::kNoPasswordNotice =
    QStringLiteral("[软件提示]:数据文件中没有密码记录，还没有设置密码。请点击“修改密码”设置密码，"
                   "旧密码不用填写.");
const QString PasswordGate::kPasswordSetNotice =
    QStringLiteral("[软件提示]:数据文件中原来没有密码记录，新密码已设置！");

QString PasswordGate::storedUpper() const
{
    return text::trimmed(PasswordTable(m_db).stored()).toUpper();
}

PasswordGate::CheckResult PasswordGate::check(const QString &typed)
{
    if (text::trimmed(typed).isEmpty()) {
        m_notifier.inform(QStringLiteral("[软件提示]:请输入你的密码"));
        return CheckResult::Empty;
    }
    QString stored;
    try {
        stored = storedUpper();
    } catch (const StoreError &error) {
        m_notifier.inform(QStringLiteral("[软件提示]:无法读取密码：") + error.reason());
        return CheckResult::Failed;
    }
    // Without a stored password (no password row, or an empty one) nothing
    // typed can match: say so, and where a password is set.
    if (stored.isEmpty()) {
        m_accepted = false;
        m_notifier.inform(kNoPasswordNotice);
        return CheckResult::NoPassword;
    }
    if (encodePassword(typed).toUpper() != stored) {
        m_accepted = false;
        m_notifier.inform(QStringLiteral("[软件提示]:密码错误，请重新输入."));
        return CheckResult::Wrong;
    }
    m_accepted = true;
    return CheckResult::Accepted;
}

PasswordGate::ChangeResult PasswordGate::change(const QString &oldPassword,
                                                const QString &newPassword,
                                                const QString &confirmation)
{
    QString stored;
    try {
        stored = storedUpper();
    } catch (const StoreError &error) {
        m_notifier.inform(QStringLiteral("[软件提示]:密码没有修改：") + error.reason());
        return ChangeResult::Failed;
    }
    // Without a stored password there is no old one to type: the new one is set.
    const bool firstPassword = stored.isEmpty();
    if (!firstPassword && text::trimmed(oldPassword).isEmpty()) {
        m_notifier.inform(QStringLiteral("[软件提示]:请输入你的旧密码"));
        return ChangeResult::MissingOld;
    }
    const QString fresh = text::trimmed(newPassword);
    if (fresh.isEmpty() || text::trimmed(confirmation).isEmpty()) {
        m_notifier.inform(QStringLiteral("[软件提示]:密码不能为空，请输入."));
        return ChangeResult::MissingNew;
    }
    if (fresh != text::trimmed(confirmation)) {
        m_notifier.inform(QStringLiteral("[软件提示]:前后两次密码输入不相同，请重新输入."));
        return ChangeResult::Mismatch;
    }
    if (gbk::byteLength(newPassword) < kMinimumBytes) {
        m_notifier.inform(QStringLiteral("[软件提示]:密码字符长度不能少于3个字符，请重新输入."));
        return ChangeResult::TooShort;
    }
    if (!gbk::representable(fresh)) {
        m_notifier.inform(QStringLiteral("[软件提示]:新密码中有无法保存的字符，请换一个密码."));
        return ChangeResult::Mismatch;
    }
    if (!firstPassword && encodePassword(oldPassword).toUpper() != stored) {
        m_accepted = false;
        m_notifier.inform(QStringLiteral("[软件提示]:旧密码错误，请重新输入."));
        return ChangeResult::WrongOld;
    }
    try {
        PasswordTable(m_db).store(encodePassword(fresh));
    } catch (const StoreError &error) {
        m_notifier.inform(QStringLiteral("[软件提示]:密码没有修改：") + error.reason());
        return ChangeResult::Failed;
    }
    m_notifier.inform(firstPassword ? kPasswordSetNotice
                                    : QStringLiteral("[软件提示]:密码修改成功！"));
    return ChangeResult::Changed;
}
