#pragma once

#include "exam/PaperScope.h"
#include "exam/QuotaSetup.h"

#include <QLatin1StringView>
#include <QSqlDatabase>
#include <QWidget>
#include <array>

class ChapterListDelegate;
class LinkLabel;
class QComboBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QMenu;
class QTableWidget;
class Selection;

// The object names by which tests and stored layouts find the controls.
struct QuotaPageNames
{
    static constexpr QLatin1StringView page{"TabSheet14"};
    static constexpr QLatin1StringView bankList{"ComboBox1"};
    static constexpr QLatin1StringView chapterList{"ListBox3"};
    static constexpr QLatin1StringView chapterName{"Label148"};
    static constexpr QLatin1StringView chapterCount{"Label147"};
    static constexpr QLatin1StringView sumField{"Edit24"};
    static constexpr QLatin1StringView scoreField{"Edit25"};
    static constexpr QLatin1StringView minutesField{"Edit17"};
    static constexpr QLatin1StringView limitField{"Edit18"};
    static constexpr QLatin1StringView saveButton{"Button6"};
    static constexpr QLatin1StringView table{"StringGrid1"};
    static constexpr QLatin1StringView tableMenu{"PopupMenu1"};
    static constexpr QLatin1StringView viewAllLink{"Label162"};
    // Per question type: the count in the chapter and the quota list.
    static constexpr QLatin1StringView singleCount{"Edit19"};
    static constexpr QLatin1StringView multipleCount{"Edit20"};
    static constexpr QLatin1StringView fillInCount{"Edit21"};
    static constexpr QLatin1StringView trueFalseCount{"Edit22"};
    static constexpr QLatin1StringView essayCount{"Edit23"};
    static constexpr QLatin1StringView singleQuota{"ComboBox2"};
    static constexpr QLatin1StringView multipleQuota{"ComboBox3"};
    static constexpr QLatin1StringView fillInQuota{"ComboBox4"};
    static constexpr QLatin1StringView trueFalseQuota{"ComboBox5"};
    static constexpr QLatin1StringView essayQuota{"ComboBox6"};
    // The bank's totals under the table: per type, and their sum.
    static constexpr QLatin1StringView singleTotal{"Label155"};
    static constexpr QLatin1StringView multipleTotal{"Label156"};
    static constexpr QLatin1StringView fillInTotal{"Label157"};
    static constexpr QLatin1StringView trueFalseTotal{"Label158"};
    static constexpr QLatin1StringView essayTotal{"Label159"};
    static constexpr QLatin1StringView sumTotal{"Label160"};
};

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
    const Selection &m_selection;
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
