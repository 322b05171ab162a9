#pragma once

#include "transfer/BankTransfer.h"

#include <QDialog>

class QListWidget;

// The banks of a file with their chapter and question counts, to choose from:
// several to import (all are ticked at first), or one to export.
class BankListDialog : public QDialog
{
    Q_OBJECT

public:
    enum class Choice
    {
        Several,
        One,
    };
    BankListDialog(const QString &title, const QString &prompt,
                   const QList<BankTransfer::BankSummary> &banks, Choice choice,
                   QWidget *parent = nullptr);

    // The ids of the banks chosen, in the list's order.
    QList<qint64> chosen() const;
    QListWidget *list() const { return m_list; }

    // The text of a bank's row.
    static QString rowText(const BankTransfer::BankSummary &bank);

private:
    QListWidget *m_list = nullptr;
    Choice m_choice;
};
