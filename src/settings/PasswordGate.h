#pragma once

#include <QSqlDatabase>
#include <QString>

class Notifier;

// The program password that guards the question editor and the regulation
// documents' management. Whether it has been entered correctly is held in
// memory for as long as the program runs; it starts as not accepted.
class PasswordGate
{
public:
    enum class CheckResult
    {
        Empty,      // nothing typed: the field keeps its text
        Wrong,      // the field is emptied
        NoPassword, // none is stored yet: the field is emptied
        Accepted,   // the field is emptied and the guarded command goes on
        Failed      // the stored password could not be read
    };
    enum class ChangeResult
    {
        MissingOld,
        MissingNew,
        Mismatch, // both new fields are emptied
        TooShort, // both new fields are emptied
        WrongOld, // the fields keep their text
        Failed,   // not written; the fields keep their text
        Changed   // set or changed: every field is emptied and the password page is shown
    };

    PasswordGate(QSqlDatabase db, Notifier &notifier) : m_db(std::move(db)), m_notifier(notifier) {}

    bool accepted() const { return m_accepted; }

    // The "确定" of the password page: compares the typed password with the
    // stored one and tells the user when it is missing or wrong.
    CheckResult check(const QString &typed);
    // The "确认修改" of the change page. The new password must be at least
    // three GBK bytes as typed; it is stored trimmed. While no password is
    // stored, the old password is not asked for and the new one is set.
    ChangeResult change(const QString &oldPassword, const QString &newPassword,
                        const QString &confirmation);

    static constexpr int kMinimumBytes = 3;
    static const QString kNoPasswordNotice;
    static const QString kPasswordSetNotice;

private:
    // The stored encoding, upper-cased; empty when none is stored. Throws StoreError.
    QString storedUpper() const;

    QSqlDatabase m_db;
    Notifier &m_notifier;
    bool m_accepted = false;
};
