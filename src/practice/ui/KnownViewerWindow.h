#pragma once

#include "practice/KnownViewer.h"

#include <QLatin1StringView>
#include <QWidget>

class OutputView;
class QLabel;
class QAbstractTableModel;
class QPushButton;
class QTableView;

// The object names by which tests and stored layouts find the controls.
struct KnownViewerWindowNames
{
    static constexpr QLatin1StringView window{"TForm14"};
    static constexpr QLatin1StringView questionGrid{"StringGrid1"};
    static constexpr QLatin1StringView detailView{"RichEdit1"};
    static constexpr QLatin1StringView restoreOneButton{"Button2"};
    static constexpr QLatin1StringView restoreOneNote{"Label2"};
    static constexpr QLatin1StringView restoreAllButton{"Button1"};
    static constexpr QLatin1StringView restoreAllNote{"Label3"};
};

// "会做的试题查看": the known questions of the current chapter in a grid, the
// clicked one in a pale green detail view, and the two buttons that put
// questions back to practise. Modeless, fixed size, centred on the screen,
// created once; it shows what the viewer holds and forwards the clicks.
class KnownViewerWindow : public QWidget
{
    Q_OBJECT

public:
    static constexpr int kClientWidth = 1130;
    static constexpr int kClientHeight = 657;
    // Widths of the grid's columns: id, type, stem, answer.
    static constexpr int kColumnWidths[4] = {93, 100, 710, 117};

    explicit KnownViewerWindow(KnownViewer &viewer, QWidget *parent = nullptr);

    // "【查看】": fills the viewer and shows the window (raised when it is up).
    void open();

    QLabel *countLabel() const { return m_count; }
    QTableView *grid() const { return m_grid; }
    OutputView *detailView() const { return m_detail; }
    QPushButton *restoreOneButton() const { return m_restoreOne; }
    QPushButton *restoreAllButton() const { return m_restoreAll; }

signals:
    // The window was closed by the user.
    void closed();

protected:
    void closeEvent(QCloseEvent *event) override;

private:
    void render();

    KnownViewer &m_viewer;
    QAbstractTableModel *m_model = nullptr;
    QLabel *m_count = nullptr;
    QTableView *m_grid = nullptr;
    OutputView *m_detail = nullptr;
    QPushButton *m_restoreOne = nullptr;
    QPushButton *m_restoreAll = nullptr;
    int m_rowsSerial = -1;
    int m_detailSerial = -1;
};
