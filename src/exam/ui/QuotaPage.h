#pragma once

#include "exam/PaperScope.h"
#include "exam/QuotaSetup.h"
#include "exam/ui/QuotaTablePanel.h"

#include <QSqlDatabase>
#include <QWidget>

class QComboBox;
class QListWidget;
class QMenu;
class QTableWidget;
class Selection;
class QuotaBankPanel;
class QuotaChapterBox;
class QuotaExamBox;

// The quota page of the main window: the bank and its chapters, the chapter
// being edited with its per-type counts and quota lists, the examination
// settings, "确定", and the table of the bank's stored quotas with its
// context menu. It shows the state of its QuotaSetup and forwards what the
// user does; papers are shown elsewhere (paperRequested). Each column and box
// is a panel of its own; the page builds them, wires them to the setup and
// shows the setup in them.
class QuotaPage : public QWidget
{
    Q_OBJECT

public:
    static constexpr int kTableRowHeight = QuotaTablePanel::kRowHeight;
    static constexpr int kTableVisibleRows = QuotaTablePanel::kVisibleRows;

    // selection: its bank is the one the page opens with.
    QuotaPage(QSqlDatabase db, Notifier &notifier, RandomSource &random, MockExamForm &form,
              const Selection &selection, QWidget *parent = nullptr);

    QuotaSetup &setup() { return m_setup; }
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

    QComboBox *bankList() const;
    QListWidget *chapterList() const;
    QComboBox *quotaList(int type) const;
    QTableWidget *table() const { return m_tablePanel->table(); }
    QMenu *tableMenu() const { return m_tablePanel->tableMenu(); }

signals:
    void paperRequested(const PaperScope &scope);

private:
    void render();
    void renderChapter();
    void renderTable();
    void renderSum();

    QuotaSetup m_setup;
    const Selection &m_selection;
    QuotaBankPanel *m_bankPanel = nullptr;
    QuotaChapterBox *m_chapterBox = nullptr;
    QuotaExamBox *m_examBox = nullptr;
    QuotaTablePanel *m_tablePanel = nullptr;
};
