#pragma once

#include "exam/QuotaSetup.h"

#include <QWidget>
#include <array>

class LinkLabel;
class QLabel;
class QMenu;
class QTableWidget;

// The right column of the quota page: the table of the bank's stored quotas
// with its context menu, the hint to it, the totals under the columns they
// sum, and the link to the bank's whole draw.
class QuotaTablePanel : public QWidget
{
    Q_OBJECT

public:
    static constexpr int kRowHeight = 20;
    static constexpr int kVisibleRows = 15; // the header and 14 quota rows

    // spacing: the page's spacing between its columns, kept inside the column.
    QuotaTablePanel(int spacing, QWidget *parent = nullptr);

    // The stored rows and totals; the hint and the link only with a bank chosen.
    void showTable(const QuotaSetup &setup);
    // The id of the row selected in the table, 0 for none.
    qint64 selectedRowId() const;

    QTableWidget *table() const { return m_table; }
    QMenu *tableMenu() const { return m_menu; }

signals:
    // The context menu's items.
    void viewRowRequested();
    void viewBankRequested(); // also the link
    void deleteRowRequested();

private:
    QTableWidget *m_table = nullptr;
    QMenu *m_menu = nullptr;
    QLabel *m_tip = nullptr;
    std::array<QLabel *, QuotaSetup::kTypes + 1> m_totals{};
    LinkLabel *m_viewAll = nullptr;
};
