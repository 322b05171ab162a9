#include "practice/ui/KnownViewerWindow.h"

#include "widgets/OutputView.h"
#include "widgets/Theme.h"

#include <QAbstractTableModel>
#include <QCloseEvent>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPainter>
#include <QPushButton>
#include <QScreen>
#include <QScrollBar>
#include <QStyledItemDelegate>
#include <QTableView>
#include <QVBoxLayout>

namespace {

// The grid's rows as the viewer holds them; replaced whole on every fill.
class GridModel : public QAbstractTableModel
{
public:
    explicit GridModel(QObject *parent) : QAbstractTableModel(parent) {}

    void setRows(const QList<known::GridRow> &rows)
    {
        beginResetModel();
        m_rows = rows;
        endResetModel();
    }

    int rowCount(const QModelIndex &parent) const override
    {
        return parent.isValid() ? 0 : static_cast<int>(m_rows.size());
    }
    int columnCount(const QModelIndex &parent) const override { return parent.isValid() ? 0 : 4; }
    QVariant data(const QModelIndex &index, int role) const override
    {
        if (role != Qt::DisplayRole || !index.isValid() || index.row() >= m_rows.size())
            return {};
        const known::GridRow &row = m_rows.at(index.row());
        switch (index.column()) {
        case 0:
            return row.id;
        case 1:
            return row.type;
        case 2:
            return row.stem;
        default:
            return row.answer;
        }
    }

private:
    QList<known::GridRow> m_rows;
};

// The grid's cells: id and type centred on one line; the chosen row yellow
// with teal 宋体 10 point text, 2 pixels below the cell's top.
class GridDelegate : public QStyledItemDelegate
{
public:
    explicit GridDelegate(QObject *parent) : QStyledItemDelegate(parent)
    {
        m_chosenFont = theme::font(theme::FontRole::ChosenGridRow);
    }

    void paint(QPainter *painter, const QStyleOptionViewItem &option,
               const QModelIndex &index) const override
    {
        const bool centred = index.column() <= 1;
        const QString text = index.data(Qt::DisplayRole).toString();
        const bool chosen = option.state & QStyle::State_Selected;
        painter->save();
        painter->fillRect(option.rect, chosen ? theme::colour(theme::Colour::KnownRowFill)
                                              : theme::colour(theme::Colour::Paper));
        painter->setPen(chosen ? theme::colour(theme::Colour::KnownRowText)
                               : theme::colour(theme::Colour::Text));
        painter->setFont(chosen ? m_chosenFont : option.font);
        if (centred) {
            painter->drawText(option.rect, Qt::AlignCenter | Qt::TextSingleLine, text);
        } else {
            const QRect area = option.rect.adjusted(3, chosen ? 2 : 0, -3, 0);
            const Qt::Alignment vertical = chosen ? Qt::AlignTop : Qt::AlignVCenter;
            painter->drawText(
                area, Qt::AlignLeft | vertical | Qt::TextSingleLine,
                painter->fontMetrics().elidedText(text, Qt::ElideRight, area.width()));
        }
        painter->restore();
    }

private:
    QFont m_chosenFont;
};

QLabel *caption(const QString &text, const QString &name, QWidget *parent)
{
    auto *label = new QLabel(text, parent);
    label->setObjectName(name);
    label->setFont(theme::font(theme::FontRole::Note));
    theme::setTone(label, theme::Tone::Note);
    return label;
}

QPushButton *button(const QString &text, const QString &name, QWidget *parent)
{
    auto *push = new QPushButton(text, parent);
    push->setObjectName(name);
    push->setFont(theme::font(theme::FontRole::Caption));
    push->setMinimumSize(120, 34);
    push->setCursor(Qt::PointingHandCursor);
    return push;
}

} // namespace

KnownViewerWindow::KnownViewerWindow(KnownViewer &viewer, QWidget *parent)
    : QWidget(parent, Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                          Qt::WindowCloseButtonHint),
      m_viewer(viewer)
{
    setObjectName(KnownViewerWindowNames::window);
    setWindowTitle(QStringLiteral("会做的试题查看"));
    setFixedSize(kClientWidth, kClientHeight);

    auto *column = new QVBoxLayout(this);
    column->setContentsMargins(8, 4, 8, 8);
    column->setSpacing(6);

    // The top strip: the count.
    m_count = new QLabel(this);
    m_count->setObjectName(QStringLiteral("LabelCount"));
    m_count->setFont(theme::font(theme::FontRole::Caption));
    theme::setTone(m_count, theme::Tone::Count);
    m_count->setFixedHeight(26);
    column->addWidget(m_count);

    // The grid: four columns, no header, whole rows chosen.
    m_model = new GridModel(this);
    m_grid = new QTableView(this);
    m_grid->setObjectName(KnownViewerWindowNames::questionGrid);
    m_grid->setModel(m_model);
    m_grid->setItemDelegate(new GridDelegate(m_grid));
    m_grid->horizontalHeader()->hide();
    m_grid->verticalHeader()->hide();
    m_grid->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_grid->setSelectionMode(QAbstractItemView::SingleSelection);
    m_grid->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_grid->setWordWrap(false);
    m_grid->setFont(theme::font(theme::FontRole::PageText));
    m_grid->verticalHeader()->setDefaultSectionSize(24);
    m_grid->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    m_grid->horizontalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    int gridWidth = 2 * m_grid->frameWidth();
    for (int c = 0; c < 4; ++c) {
        m_grid->setColumnWidth(c, kColumnWidths[c]);
        gridWidth += kColumnWidths[c];
    }
    m_grid->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    m_grid->setFixedWidth(gridWidth + m_grid->verticalScrollBar()->sizeHint().width());
    m_grid->setCursor(Qt::PointingHandCursor);
    m_grid->setToolTip(QStringLiteral("点击一道试题，在下面查看它的内容和答案"));
    column->addWidget(m_grid, 3, Qt::AlignLeft);

    // The bottom panel: the detail view and the two restore buttons.
    auto *bottom = new QHBoxLayout;
    bottom->setSpacing(14);
    m_detail = new OutputView(this);
    m_detail->setObjectName(KnownViewerWindowNames::detailView);
    theme::setPart(m_detail, QStringLiteral("knownDetail"));
    m_detail->setDefaultFont(theme::font(theme::FontRole::DetailView));
    bottom->addWidget(m_detail, 1);
    auto *buttons = new QVBoxLayout;
    buttons->setSpacing(4);
    m_restoreOne =
        button(QStringLiteral("恢复此题"), KnownViewerWindowNames::restoreOneButton, this);
    buttons->addWidget(m_restoreOne);
    buttons->addWidget(caption(QStringLiteral("指参与[练习]模式训练"),
                               KnownViewerWindowNames::restoreOneNote, this));
    buttons->addSpacing(18);
    m_restoreAll =
        button(QStringLiteral("全部恢复"), KnownViewerWindowNames::restoreAllButton, this);
    buttons->addWidget(m_restoreAll);
    buttons->addWidget(caption(QStringLiteral("指全部参与[练习]模式训练"),
                               KnownViewerWindowNames::restoreAllNote, this));
    buttons->addStretch(1);
    bottom->addLayout(buttons);
    column->addLayout(bottom, 2);

    connect(m_grid, &QTableView::clicked, this,
            [this](const QModelIndex &index) { m_viewer.clickRow(index.row()); });
    connect(m_restoreOne, &QPushButton::clicked, &m_viewer, &KnownViewer::restoreOne);
    connect(m_restoreAll, &QPushButton::clicked, &m_viewer, &KnownViewer::restoreAll);
    connect(&m_viewer, &KnownViewer::changed, this, &KnownViewerWindow::render);
    render();
}

void KnownViewerWindow::open()
{
    m_viewer.fill();
    if (!isVisible()) {
        if (const QScreen *screen = QGuiApplication::primaryScreen()) {
            const QRect area = screen->availableGeometry();
            move(area.center() - QPoint(kClientWidth / 2, kClientHeight / 2));
        }
        show();
    }
    raise();
    activateWindow();
}

void KnownViewerWindow::render()
{
    const KnownViewer::Display &display = m_viewer.display();
    m_count->setText(display.countLabel);
    if (display.rowsSerial != m_rowsSerial) {
        m_rowsSerial = display.rowsSerial;
        static_cast<GridModel *>(m_model)->setRows(display.rows);
    }
    if (display.detailSerial != m_detailSerial) {
        m_detailSerial = display.detailSerial;
        m_detail->setLines(display.detail);
    }
}

void KnownViewerWindow::closeEvent(QCloseEvent *event)
{
    QWidget::closeEvent(event);
    emit closed();
}
