#pragma once

#include <QWidget>

class FileDialogs;
class QLabel;
class QPushButton;
class QStandardItemModel;
class QTableView;
class ResultsReport;

// "学员成绩": the workers with their figures in a table sorted by a click on
// a column's header; below it the chosen worker's chapters and mock
// examinations; "刷新" reads anew, "导出..." writes the table as sorted to a
// workbook. Modeless, created once.
class ResultsWindow : public QWidget
{
    Q_OBJECT

public:
    ResultsWindow(ResultsReport &report, FileDialogs &dialogs, QWidget *parent = nullptr);

    // Shows what the report holds (read it first).
    void render();
    void setFileDialogs(FileDialogs &dialogs) { m_dialogs = &dialogs; }

    QLabel *line() const { return m_line; }
    QTableView *workerTable() const { return m_workers; }
    QTableView *chapterTable() const { return m_chapters; }
    QTableView *mockTable() const { return m_mocks; }
    QPushButton *refreshButton() const { return m_refresh; }
    QPushButton *exportButton() const { return m_export; }

private:
    void showWorker(int place);
    QList<int> shownOrder() const;

    ResultsReport &m_report;
    FileDialogs *m_dialogs;
    QLabel *m_line = nullptr;
    QTableView *m_workers = nullptr;
    QTableView *m_chapters = nullptr;
    QTableView *m_mocks = nullptr;
    QStandardItemModel *m_workerModel = nullptr;
    QStandardItemModel *m_chapterModel = nullptr;
    QStandardItemModel *m_mockModel = nullptr;
    QLabel *m_detailTitle = nullptr;
    QPushButton *m_refresh = nullptr;
    QPushButton *m_export = nullptr;
};
