#include "BankListDialog.h"

#include <QDialogButtonBox>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

BankListDialog::BankListDialog(const QString &title, const QString &prompt,
                               const QList<BankTransfer::BankSummary> &banks, Choice choice,
                               QWidget *parent)
    : QDialog(parent), m_choice(choice)
{
    setObjectName(QStringLiteral("bankListDialog"));
    setWindowTitle(title);
    setModal(true);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(new QLabel(prompt, this));
    m_list = new QListWidget(this);
    m_list->setObjectName(QStringLiteral("bankList"));
    m_list->setMinimumSize(420, 180);
    for (const BankTransfer::BankSummary &bank : banks) {
        auto *item = new QListWidgetItem(rowText(bank), m_list);
        item->setData(Qt::UserRole, bank.id);
        if (choice == Choice::Several) {
            item->setFlags(item->flags() | Qt::ItemIsUserCheckable);
            item->setCheckState(Qt::Checked);
        }
    }
    if (choice == Choice::One && m_list->count() > 0)
        m_list->setCurrentRow(0);
    layout->addWidget(m_list);
    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    buttons->button(QDialogButtonBox::Ok)->setText(QStringLiteral("确定"));
    buttons->button(QDialogButtonBox::Ok)->setObjectName(QStringLiteral("okButton"));
    buttons->button(QDialogButtonBox::Cancel)->setText(QStringLiteral("取消"));
    layout->addWidget(buttons);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
}

QList<qint64> BankListDialog::chosen() const
{
    QList<qint64> ids;
    for (int row = 0; row < m_list->count(); ++row) {
        const QListWidgetItem *item = m_list->item(row);
        const bool taken =
            m_choice == Choice::Several ? item->checkState() == Qt::Checked : item->isSelected();
        if (taken)
            ids << item->data(Qt::UserRole).toLongLong();
    }
    return ids;
}

QString BankListDialog::rowText(const BankTransfer::BankSummary &bank)
{
    return QStringLiteral("%1（%2 个章节，%3 道试题）")
        .arg(bank.name)
        .arg(bank.chapters)
        .arg(bank.questions);
}
