#pragma once

#include "editor/QuestionEditor.h"

#include <QWidget>

class OutputView;
class QLabel;
class QLineEdit;
class QMenu;
class QTableWidget;

// The editor's question list (page 10): the grid of twelve rows with its menu
// "修改本小题" / "删除本小题", the detail box below it, and the paging strip
// that the window places below its pages. The menu acts on the row the
// trainer right-clicked or selected, never on a row chosen earlier; a new
// list or page clears the selection and the detail box.
class BrowsePanel : public QWidget
{
    Q_OBJECT

public:
    explicit BrowsePanel(QuestionEditor &editor, QWidget *parent = nullptr);

    // The strip with the info line, the counts and the four paging buttons.
    QWidget *pagingStrip() const { return m_strip; }

    // Shows the editor's list as it stands: a new list or page, so the
    // selection and the detail box are cleared.
    void showList();
    // A turn of the paging strip; the list is shown when it was refilled.
    QuestionEditor::Outcome turn(QuestionEditor::Turn turn);

signals:
    // "首页" opens the list page.
    void listOpened();
    // No chapter is chosen: the window shows its empty page.
    void noChapter();
    // "修改本小题": the question goes to its correction page.
    void correctionRequested(const QuestionRow &question);
    // A question was deleted: the type counters changed.
    void questionsChanged();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    QWidget *buildPagingStrip();
    void follow(QuestionEditor::Outcome outcome);
    void selectRow(int row);
    // The question in the row, 0 when the row is empty.
    qint64 idAt(int row) const;
    void openMenu(int row, const QPoint &globalPos);
    void correct(qint64 id);
    void remove(qint64 id);
    // The arrow keys and the wheel at the first or last row turn the page.
    void turnAndSelect(QuestionEditor::Turn turn, int row);

    QuestionEditor &m_editor;
    QTableWidget *m_list = nullptr;
    OutputView *m_detail = nullptr;
    QMenu *m_menu = nullptr;
    QWidget *m_strip = nullptr;
    QLabel *m_info = nullptr;
    QLabel *m_count = nullptr;
    QLineEdit *m_pageBox = nullptr;
    QLabel *m_pageCount = nullptr;
    // The row last selected with a question in it: the arrow keys turn the
    // page from its first and last row; -1 when none is.
    int m_selectedRow = -1;
};
