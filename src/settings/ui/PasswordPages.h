#pragma once

#include <QLatin1StringView>
#include <QWidget>

class PasswordGate;
class QLineEdit;

// The object names by which tests and stored layouts find the controls.
struct PasswordPagesNames
{
    static constexpr QLatin1StringView entryPage{"TabSheetPassword"};
    static constexpr QLatin1StringView entryField{"Edit27"};
    static constexpr QLatin1StringView entryButton{"Button16"};
    static constexpr QLatin1StringView changeLink{"Label84"};
    static constexpr QLatin1StringView changePage{"TabSheetPasswordChange"};
    static constexpr QLatin1StringView oldField{"Edit28"};
    static constexpr QLatin1StringView newField{"Edit29"};
    static constexpr QLatin1StringView confirmField{"Edit30"};
    static constexpr QLatin1StringView changeButton{"Button11"};
};

// The main window's password page: the masked field "输入密码:", "确定" and
// the link "修改密码".
class PasswordEntryPage : public QWidget
{
    Q_OBJECT

public:
    explicit PasswordEntryPage(PasswordGate &gate, QWidget *parent = nullptr);

signals:
    // The right password was entered: the guarded command goes on.
    void accepted();
    void changeRequested();

private:
    void check();

    PasswordGate &m_gate;
    QLineEdit *m_field = nullptr;
};

// The main window's change page: old password, new password twice, "确认修改".
class PasswordChangePage : public QWidget
{
    Q_OBJECT

public:
    explicit PasswordChangePage(PasswordGate &gate, QWidget *parent = nullptr);

signals:
    // The password was changed: the password page comes back.
    void changed();

private:
    void change();

    PasswordGate &m_gate;
    QLineEdit *m_old = nullptr;
    QLineEdit *m_new = nullptr;
    QLineEdit *m_confirm = nullptr;
};
