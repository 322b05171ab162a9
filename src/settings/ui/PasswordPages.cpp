#include "settings/ui/PasswordPages.h"

#include "settings/PasswordGate.h"
#include "widgets/CjkFonts.h"
#include "widgets/GbkLengthValidator.h"
#include "widgets/LinkLabel.h"
#include "widgets/Theme.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

// Longest passwords the fields take, in GBK bytes.
constexpr int kEntryBytes = 30;
constexpr int kChangeBytes = 50;

QLineEdit *field(const QString &name, int maxBytes, QWidget *parent)
{
    auto *edit = new QLineEdit(parent);
    edit->setObjectName(name);
    GbkLengthValidator::limit(edit, maxBytes);
    edit->setFixedWidth(220);
    edit->setFont(cjk::song(14));
    return edit;
}

QLabel *caption(const QString &text, QWidget *parent)
{
    auto *label = new QLabel(text, parent);
    label->setFont(cjk::song(14));
    return label;
}

QGroupBox *group(const QString &title, QWidget *page)
{
    auto *outer = new QVBoxLayout(page);
    outer->setContentsMargins(60, 60, 60, 60);
    auto *box = new QGroupBox(title, page);
    box->setFont(cjk::hei(15, true));
    box->setFixedSize(420, 220);
    outer->addWidget(box, 0, Qt::AlignLeft | Qt::AlignTop);
    outer->addStretch();
    return box;
}

} // namespace

PasswordEntryPage::PasswordEntryPage(PasswordGate &gate, QWidget *parent)
    : QWidget(parent), m_gate(gate)
{
    setObjectName(PasswordPagesNames::entryPage);
    QGroupBox *box = group(QStringLiteral("输入密码"), this);
    auto *grid = new QGridLayout(box);
    grid->setContentsMargins(24, 30, 24, 24);
    grid->addWidget(caption(QStringLiteral("输入密码:"), box), 0, 0);
    m_field = field(PasswordPagesNames::entryField, kEntryBytes, box);
    m_field->setEchoMode(QLineEdit::Password);
    grid->addWidget(m_field, 0, 1);
    auto *ok = new QPushButton(QStringLiteral("确定"), box);
    ok->setObjectName(PasswordPagesNames::entryButton);
    ok->setFixedSize(90, 28);
    grid->addWidget(ok, 1, 1, Qt::AlignLeft);
    auto *changeLink = new LinkLabel(QStringLiteral("修改密码"), box);
    changeLink->setObjectName(PasswordPagesNames::changeLink);
    changeLink->setFont(cjk::song(14));
    const QColor link = theme::colour(theme::Colour::PasswordLink);
    changeLink->setLook(link, false, link, true);
    grid->addWidget(changeLink, 2, 1, Qt::AlignLeft);
    grid->setRowStretch(3, 1);

    connect(ok, &QPushButton::clicked, this, &PasswordEntryPage::check);
    connect(m_field, &QLineEdit::returnPressed, this, &PasswordEntryPage::check);
    connect(changeLink, &LinkLabel::clicked, this, &PasswordEntryPage::changeRequested);
}

void PasswordEntryPage::check()
{
    switch (m_gate.check(m_field->text())) {
    case PasswordGate::CheckResult::Accepted:
        m_field->clear();
        emit accepted();
        break;
    case PasswordGate::CheckResult::Wrong:
    case PasswordGate::CheckResult::NoPassword:
        m_field->clear();
        break;
    default:
        break;
    }
}

PasswordChangePage::PasswordChangePage(PasswordGate &gate, QWidget *parent)
    : QWidget(parent), m_gate(gate)
{
    setObjectName(PasswordPagesNames::changePage);
    QGroupBox *box = group(QStringLiteral("修改密码"), this);
    auto *grid = new QGridLayout(box);
    grid->setContentsMargins(24, 30, 24, 24);
    m_old = field(PasswordPagesNames::oldField, kChangeBytes, box);
    m_new = field(PasswordPagesNames::newField, kChangeBytes, box);
    m_confirm = field(PasswordPagesNames::confirmField, kChangeBytes, box);
    grid->addWidget(caption(QStringLiteral("旧密码:"), box), 0, 0);
    grid->addWidget(m_old, 0, 1);
    grid->addWidget(caption(QStringLiteral("新密码:"), box), 1, 0);
    grid->addWidget(m_new, 1, 1);
    grid->addWidget(caption(QStringLiteral("新密码:"), box), 2, 0);
    grid->addWidget(m_confirm, 2, 1);
    auto *ok = new QPushButton(QStringLiteral("确认修改"), box);
    ok->setObjectName(PasswordPagesNames::changeButton);
    ok->setFixedSize(90, 28);
    grid->addWidget(ok, 3, 1, Qt::AlignLeft);
    connect(ok, &QPushButton::clicked, this, &PasswordChangePage::change);
}

void PasswordChangePage::change()
{
    switch (m_gate.change(m_old->text(), m_new->text(), m_confirm->text())) {
    case PasswordGate::ChangeResult::Mismatch:
    case PasswordGate::ChangeResult::TooShort:
        m_new->clear();
        m_confirm->clear();
        break;
    case PasswordGate::ChangeResult::Changed:
        m_old->clear();
        m_new->clear();
        m_confirm->clear();
        emit changed();
        break;
    default:
        break;
    }
}
