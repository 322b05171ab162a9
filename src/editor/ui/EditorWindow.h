#pragma once

#include "editor/QuestionEditor.h"

#include <QWidget>
#include <array>

class LinkLabel;
class Notifier;
class OutputView;
class QComboBox;
class QLabel;
class QLineEdit;
class QStackedWidget;
class QTableWidget;
class QuestionPage;

// The question editor "试题编辑": bank and chapter selectors, the left panel's
// links and counters, the entry and correction pages, the browse list with its
// detail box, and the new-chapter page. Created once; open() shows it modally.
class EditorWindow : public QWidget
{
    Q_OBJECT

public:
    static constexpr int kWidth = 1115;
    static constexpr int kHeight = 645;
    static constexpr int kTopHeight = 41;
    static constexpr int kLeftWidth = 105;

    // Pages of the main area, in their order.
    enum Page
    {
        FirstEntry = 0,      // entry pages of types 1 … 5: 0 … 4
        FirstCorrection = 5, // correction pages: 5 … 9
        Browse = 10,
        Empty = 11,
        NewChapter = 12
    };

    EditorWindow(QSqlDatabase db, Notifier &notifier, QWidget *parent = nullptr);

    // Rebuilds the bank selector, shows the empty page and the window.
    void open();

    QuestionEditor &editor() { return m_editor; }
    int currentPage() const;
    QuestionPage *page(int index) const;

signals:
    void helpRequested();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    QWidget *buildTop();
    QWidget *buildLeft();
    QWidget *buildBrowsePage();
    QWidget *buildNewChapterPage();
    QWidget *buildPagingStrip();

    void showPage(int page);
    // Shows the outcome's page changes: the empty page when no chapter is chosen.
    void follow(QuestionEditor::Outcome outcome);
    void showCounters();
    void showList();
    void openEntry(int type);
    void save(QuestionPage *page);
    void confirm(QuestionPage *page);
    void selectRow(int row);
    qint64 selectedId() const;
    void correctSelected();
    void deleteSelected();
    void turn(QuestionEditor::Turn turn, bool showList = false);

    QuestionEditor m_editor;
    Notifier &m_notifier;
    QComboBox *m_banks = nullptr;
    QComboBox *m_chapters = nullptr;
    QLabel *m_bankId = nullptr;
    QLabel *m_chapterId = nullptr;
    std::array<QLabel *, 6> m_counters{};
    QStackedWidget *m_pages = nullptr;
    std::array<QuestionPage *, 10> m_questionPages{};
    QTableWidget *m_list = nullptr;
    OutputView *m_detail = nullptr;
    QLabel *m_info = nullptr;
    QLabel *m_count = nullptr;
    QLineEdit *m_pageBox = nullptr;
    QLabel *m_pageCount = nullptr;
    QLineEdit *m_chapterName = nullptr;
    QLineEdit *m_examTime = nullptr;
    int m_selectedRow = 0;
};
