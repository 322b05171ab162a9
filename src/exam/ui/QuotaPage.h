#pragma once

#include "exam/PaperScope.h"
#include "exam/QuotaSetup.h"

#include <QSqlDatabase>
#include <QWidget>
#include <array>
#include <functional>

class ChapterListDelegate;
class LinkLabel;
class QComboBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QMenu;
class QTableWidget;

// The quota page of the main window: the bank and its chapters, the chapter
// being edited with its per-type counts and quota lists, the examination
// settings, "确定", and the table of the bank's stored quotas with its
// context menu. It shows the state of its QuotaSetup and forwards what the
// user does; papers are shown elsewhere (paperRequested).
class QuotaPage : public QWidget
{
    Q_OBJECT

public:
    static constexpr int kTableRowHeight = 20;
    static constexpr int kTableVisibleRows = 15; // the header and 14 quota rows

    QuotaPage(QSqlDatabase db, Notifier &notifier, RandomSource &random, MockExamForm &form,
              QWidget *parent = nullptr);

    QuotaSetup &setup() { return m_setup; }
    // The picker's current bank (id 0 for none).
    void setBankSource(std::function<qint64()> bankId) { m_pickerBank = std::move(bankId); }
    // Opens the page with the picker's current bank, or with the given bank;
    // the caller shows it.
    void open();
    void open(qint64 bankId);
    // Reads the bank's quota rows afresh and shows them.
    void refreshTable();
    // The actions of the table's context menu, for the row selected in the
    // table, and for the bank the page shows.
    void viewSelectedRow();
    void viewBank();
    void deleteSelectedRow();

    QComboBox *bankList() const { return m_banks; }
    QListWidget *chapterList() const { return m_chapters; }
    QComboBox *quotaList(int type) const { return m_rows[static_cast<size_t>(type - 1)].quota; }
    QTableWidget *table() const { return m_table; }
    QMenu *tableMenu() const { return m_menu; }

signals:
    void paperRequested(const PaperScope &scope);

private:
    struct TypeRow
    {
        QLabel *caption = nullptr;
        QLineEdit *count = nullptr;
        QComboBox *quota = nullptr;
        QLabel *unit = nullptr;
    };

    void render();
    void renderChapter();
    void renderTable();
    void renderSum();
    qint64 selectedRowId() const;

    QuotaSetup m_setup;
    std::function<qint64()> m_pickerBank;
    QComboBox *m_banks = nullptr;
    QListWidget *m_chapters = nullptr;
    ChapterListDelegate *m_delegate = nullptr;
    QLabel *m_chapterName = nullptr;
    QLabel *m_chapterCount = nullptr;
    std::array<TypeRow, QuotaSetup::kTypes> m_rows;
    QLineEdit *m_sum = nullptr;
    QLineEdit *m_score = nullptr;
    QLineEdit *m_minutes = nullptr;
    QLineEdit *m_limit = nullptr;
    QTableWidget *m_table = nullptr;
    QMenu *m_menu = nullptr;
    QLabel *m_tip = nullptr;
    std::array<QLabel *, QuotaSetup::kTypes + 1> m_totals{};
    LinkLabel *m_viewAll = nullptr;
};
