#pragma once

#include "exam/WrongBookViewer.h"

#include <QWidget>

class OutputView;
class QComboBox;
class QLabel;
class QPushButton;
class QTableWidget;

// "错题本": the book's questions of the current bank in a table (chapter,
// stem, times wrong, last wrong date), a chapter choice above it, the
// selected question's full text and answer below, and the buttons that
// remove one question or clear the chosen chapter's. Modeless, created once.
class WrongBookWindow : public QWidget
{
    Q_OBJECT

public:
    explicit WrongBookWindow(WrongBookViewer &viewer, QWidget *parent = nullptr);

    // Fills the viewer for the current chapter and shows the window.
    void open(const QString &currentChapter);

    QLabel *title() const { return m_title; }
    QComboBox *chapterChoice() const { return m_chapters; }
    QTableWidget *table() const { return m_table; }
    OutputView *detailView() const { return m_detail; }
    QPushButton *removeButton() const { return m_remove; }
    QPushButton *clearButton() const { return m_clear; }

private:
    void render();

    WrongBookViewer &m_viewer;
    QLabel *m_title = nullptr;
    QComboBox *m_chapters = nullptr;
    QTableWidget *m_table = nullptr;
    OutputView *m_detail = nullptr;
    QPushButton *m_remove = nullptr;
    QPushButton *m_clear = nullptr;
    int m_shownSerial = -1;
};
