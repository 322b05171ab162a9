#include "exam/ui/ResultsWindow.h"

#include "exam/ResultsReport.h"
#include "widgets/CjkFonts.h"
#include "widgets/Theme.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QStandardItemModel>
#include <QTableView>
#include <QVBoxLayout>

namespace {

// Where a worker's row keeps the worker's place in the report.
constexpr int kPlaceRole = Qt::UserRole + 1;
constexpr int kSortRole = Qt::UserRole;

QTableView *sortedTable(QStandardItemModel *model, const QString &name, QWidget *parent)
{
    model->setSortRole(kSortRole);
    auto *table = new QTableView(parent);
    table->setObjectName(name);
    table->setModel(model);
    table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    table->setSelectionBehavior(QAbstractItemView::SelectRows);
    table->setSelectionMode(QAbstractItemView::SingleSelection);
    table->verticalHeader()->setVisible(false);
    table->setSortingEnabled(true);
    // Nothing is sorted until a header is clicked: the rows keep the report's order.
    table->horizontalHeader()->setSortIndicator(-1, Qt::AscendingOrder);
    table->horizontalHeader()->setSortIndicatorShown(true);
    table->horizontalHeader()->setStretchLastSection(true);
    return table;
}

void fillRow(QStandardItemModel *model, const QList<WorkerResults::Cell> &cells, int place = -1)
{
    QList<QStandardItem *> items;
    for (const WorkerResults::Cell &cell : cells) {
        auto *item = new QStandardItem(cell.text);
        item->setData(cell.key, kSortRole);
        if (place >= 0)
            item->setData(place, kPlaceRole);
        if (cell.key.typeId() != QMetaType::QString)
            item->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
        items.append(item);
    }
    model->appendRow(items);
}

void reset(QStandardItemModel *model, const QStringList &columns)
{
    model->clear();
    model->setHorizontalHeaderLabels(columns);
}

} // namespace

ResultsWindow::ResultsWindow(ResultsReport &report, FileDialogs &dialogs, QWidget *parent)
    : QWidget(parent, Qt::Window), m_report(report), m_dialogs(&dialogs)
{
    setObjectName(QStringLiteral("ResultsWindow"));
    setWindowTitle(WorkerResults::kTitle);
    resize(1060, 680);
    setFont(theme::font(theme::FontRole::PageText));

    auto *layout = new QVBoxLayout(this);
    auto *title = new QLabel(WorkerResults::kTitle, this);
    title->setObjectName(QStringLiteral("ResultsTitle"));
    title->setFont(cjk::hei(14, true));
    theme::setTone(title, theme::Tone::Heading);
    layout->addWidget(title);
    m_line = new QLabel(this);
    m_line->setObjectName(QStringLiteral("ResultsLine"));
    m_line->setWordWrap(true);
    layout->addWidget(m_line);

    m_workerModel = new QStandardItemModel(this);
    m_workers = sortedTable(m_workerModel, QStringLiteral("ResultsWorkers"), this);
    layout->addWidget(m_workers, 3);

    m_detailTitle = new QLabel(this);
    m_detailTitle->setObjectName(QStringLiteral("ResultsDetailTitle"));
    m_detailTitle->setFont(cjk::hei(11, true));
    layout->addWidget(m_detailTitle);
    auto *details = new QHBoxLayout;
    m_chapterModel = new QStandardItemModel(this);
    m_chapters = sortedTable(m_chapterModel, QStringLiteral("ResultsChapters"), this);
    m_mockModel = new QStandardItemModel(this);
    m_mocks = sortedTable(m_mockModel, QStringLiteral("ResultsMocks"), this);
    details->addWidget(m_chapters, 3);
    details->addWidget(m_mocks, 2);
    layout->addLayout(details, 2);

    auto *buttons = new QHBoxLayout;
    m_refresh = new QPushButton(QStringLiteral("刷新"), this);
    m_refresh->setObjectName(QStringLiteral("ResultsRefresh"));
    m_export = new QPushButton(QStringLiteral("导出..."), this);
    m_export->setObjectName(QStringLiteral("ResultsExport"));
    auto *close = new QPushButton(QStringLiteral("关闭"), this);
    close->setObjectName(QStringLiteral("ResultsClose"));
    buttons->addWidget(m_refresh);
    buttons->addWidget(m_export);
    buttons->addStretch(1);
    buttons->addWidget(close);
    layout->addLayout(buttons);

    connect(m_workers->selectionModel(), &QItemSelectionModel::currentRowChanged, this,
            [this](const QModelIndex &current) {
                showWorker(current.isValid() ? current.data(kPlaceRole).toInt() : -1);
            });
    connect(m_refresh, &QPushButton::clicked, this, [this] {
        m_report.refresh();
        render();
    });
    connect(m_export, &QPushButton::clicked, this,
            [this] { m_report.exportSheet(*m_dialogs, shownOrder()); });
    connect(close, &QPushButton::clicked, this, &QWidget::close);
    render();
}

void ResultsWindow::render()
{
    m_line->setText(m_report.line());
    m_workers->horizontalHeader()->setSortIndicator(-1, Qt::AscendingOrder);
    reset(m_workerModel, WorkerResults::workerColumns());
    const QList<WorkerResults::Worker> &workers = m_report.workers();
    for (int place = 0; place < workers.size(); ++place)
        fillRow(m_workerModel, WorkerResults::workerCells(workers.at(place)), place);
    m_workers->resizeColumnsToContents();
    if (!workers.isEmpty())
        m_workers->setCurrentIndex(m_workerModel->index(0, 0));
    else
        showWorker(-1);
}

void ResultsWindow::showWorker(int place)
{
    reset(m_chapterModel, WorkerResults::chapterColumns());
    reset(m_mockModel, WorkerResults::mockColumns());
    m_chapters->horizontalHeader()->setSortIndicator(-1, Qt::AscendingOrder);
    m_mocks->horizontalHeader()->setSortIndicator(-1, Qt::AscendingOrder);
    const QList<WorkerResults::Worker> &workers = m_report.workers();
    if (place < 0 || place >= workers.size()) {
        m_detailTitle->clear();
        return;
    }
    const WorkerResults::Worker &worker = workers.at(place);
    m_detailTitle->setText(worker.name + QStringLiteral("：各章成绩（左）和模拟考试（右）"));
    for (const WorkerResults::Chapter &chapter : worker.chapters)
        fillRow(m_chapterModel, WorkerResults::chapterCells(chapter));
    for (const WorkerResults::MockExam &mock : worker.mocks)
        fillRow(m_mockModel, WorkerResults::mockCells(mock));
    m_chapters->resizeColumnsToContents();
    m_mocks->resizeColumnsToContents();
}

QList<int> ResultsWindow::shownOrder() const
{
    QList<int> order;
    for (int row = 0; row < m_workerModel->rowCount(); ++row)
        order.append(m_workerModel->index(row, 0).data(kPlaceRole).toInt());
    return order;
}
