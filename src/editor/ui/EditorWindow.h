#pragma once

#include "editor/QuestionEditor.h"

#include <QWidget>
#include <array>

class BrowsePanel;
class NewChapterPage;
class Notifier;
class QComboBox;
class QLabel;
class QStackedWidget;
class QuestionPage;
class QuestionPages;

// The question editor "试题编辑": the top strip with the bank and chapter
// selectors and the chapter-wide deletions, the left panel's links and
// counters, and the page stack holding the entry and correction pages, the
// question list and the new-chapter page. Created once; open() shows it
// modally.
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

    // Questions were added to the chapter from outside the pages (a list
    // imported): the counters and the list of the current chapter anew.
    void questionsAdded(qint64 chapterId);

signals:
    void helpRequested();
    // "批量导入试题" and "导出本章试题..." of the left panel.
    void importRequested();
    void exportRequested();

private:
    QWidget *buildTop();
    QWidget *buildLeft();

    void showPage(int page);
    // Shows the outcome's page change: the empty page when no chapter is chosen.
    void follow(QuestionEditor::Outcome outcome);
    void showCounters();
    void showChapterId();
    // After an action that may have listed anew: the list, and the list page
    // when it was listed.
    void showBrowsed(QuestionEditor::Outcome outcome);
    void chooseBank(int index);
    void chooseChapter(int index);
    void removeChapterQuestions();
    void removeChapter();

    QuestionEditor m_editor;
    QComboBox *m_banks = nullptr;
    QComboBox *m_chapters = nullptr;
    QLabel *m_bankId = nullptr;
    QLabel *m_chapterId = nullptr;
    std::array<QLabel *, 6> m_counters{};
    QStackedWidget *m_pages = nullptr;
    QuestionPages *m_questionPages = nullptr;
    BrowsePanel *m_browse = nullptr;
    NewChapterPage *m_newChapterPage = nullptr;
};
