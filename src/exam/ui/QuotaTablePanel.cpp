#include "exam/ui/QuotaTablePanel.h"

#include "exam/ui/QuotaGridDelegate.h"
#include "exam/ui/QuotaGridHeader.h"
#include "exam/ui/QuotaPageNames.h"
#include "exam/ui/QuotaPageParts.h"
#include "widgets/LinkLabel.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QMenu>
#include <QScrollBar>
#include <QTableWidget>
#include <QVBoxLayout>

using quotaparts::label;

namespace {

constexpr std::array<int, 8> kColumnWidths{49, 44, 44, 41, 42, 42, 42, 64};
constexpr int kIdColumn = 7;

} // namespace

QuotaTablePanel::QuotaTablePanel(int spacing, QWidget *parent) : QWidget(parent)
{
    m_table = new QTableWidget(0, static_cast<int>(kColumnWidths.size()), this);
    m_table->setObjectName(QuotaPageNames::table);
    m_table->setHorizontalHeader(new QuotaGridHeader(m_table));
    m_table->setHorizontalHeaderLabels({QStringLiteral("章序号"), QStringLiteral("单选"),
                                        QStringLiteral("多选"), QStringLiteral("填空"),
                                        QStringLiteral("判断"), QStringLiteral("论述"),
                                        QStringLiteral("小计"), QStringLiteral("id")});
    m_table->horizontalHeader()->setFixedHeight(kRowHeight);
    m_table->horizontalHeader()->setMinimumSectionSize(20);
    m_table->verticalHeader()->hide();
    m_table->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    m_table->verticalHeader()->setMinimumSectionSize(kRowHeight);
    m_table->verticalHeader()->setDefaultSectionSize(kRowHeight);
    int tableWidth = 0;
    for (int column = 0; column < static_cast<int>(kColumnWidths.size()); ++column) {
        m_table->setColumnWidth(column, kColumnWidths[static_cast<size_t>(column)]);
        tableWidth += kColumnWidths[static_cast<size_t>(column)];
    }
    m_table->setItemDelegate(new QuotaGridDelegate(m_table));
    m_table->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_table->setSelectionMode(QAbstractItemView::SingleSelection);
    m_table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_table->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    // Room for the fifteen rows; more quota rows scroll.
    const int frame = 2 * m_table->frameWidth();
    m_table->setFixedSize(tableWidth + frame + m_table->verticalScrollBar()->sizeHint().width(),
                          kVisibleRows * kRowHeight + frame);
    m_table->setContextMenuPolicy(Qt::CustomContextMenu);
    m_menu = new QMenu(m_table);
    m_menu->setObjectName(QuotaPageNames::tableMenu);
    connect(m_menu->addAction(QStringLiteral("查看---本章--随机抽取的试题")), &QAction::triggered,
            this, &QuotaTablePanel::viewRowRequested);
    connect(m_menu->addAction(QStringLiteral("查看---本分类--全部章节-随机抽取的试题")),
            &QAction::triggered, this, &QuotaTablePanel::viewBankRequested);
    connect(m_menu->addAction(QStringLiteral("删除选中的--本章--随机抽题的试题")),
            &QAction::triggered, this, &QuotaTablePanel::deleteRowRequested);
    connect(m_table, &QWidget::customContextMenuRequested, this,
            [this](const QPoint &at) { m_menu->popup(m_table->viewport()->mapToGlobal(at)); });

    m_tip = label(QStringLiteral("提示:右键-查看所抽取的试题"), this, theme::Tone::Note);
    // The totals stand under the columns they sum: "数量：" under the
    // position, the five quotas, their sum under the subtotals.
    auto *totals = new QHBoxLayout;
    totals->setSpacing(0);
    totals->setContentsMargins(m_table->frameWidth(), 0, 0, 0);
    auto *caption = label(QStringLiteral("数量："), this);
    caption->setFixedWidth(kColumnWidths[0]);
    totals->addWidget(caption);
    for (size_t i = 0; i < m_totals.size(); ++i) {
        QLabel *figure =
            label(QStringLiteral("0"), this, theme::Tone::Count, QuotaPageNames::totals[i]);
        figure->setFixedWidth(kColumnWidths[i + 1]);
        figure->setAlignment(Qt::AlignCenter);
        m_totals[i] = figure;
        totals->addWidget(figure);
    }
    QFont bold = m_totals.back()->font();
    bold.setBold(true);
    m_totals.back()->setFont(bold);
    totals->addStretch(1);
    m_viewAll = new LinkLabel(QStringLiteral("本试题库已抽取试题全部查看"), this);
    m_viewAll->setObjectName(QuotaPageNames::viewAll);
    connect(m_viewAll, &LinkLabel::clicked, this, &QuotaTablePanel::viewBankRequested);

    auto *column = new QVBoxLayout(this);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(spacing);
    column->addWidget(m_table);
    column->addWidget(m_tip);
    column->addLayout(totals);
    column->addWidget(m_viewAll);
    column->addStretch(1);
}

void QuotaTablePanel::showTable(const QuotaSetup &setup)
{
    const QVector<QuotaSetup::TableRow> &rows = setup.tableRows();
    m_table->clearContents();
    m_table->setRowCount(static_cast<int>(rows.size()));
    for (int r = 0; r < rows.size(); ++r) {
        const QuotaSetup::TableRow &row = rows[r];
        QStringList cells{row.position};
        for (const int count : row.quota)
            cells << QString::number(count);
        cells << QString::number(row.total) << QString::number(row.id);
        for (int column = 0; column < cells.size(); ++column)
            m_table->setItem(r, column, new QTableWidgetItem(cells.at(column)));
    }
    for (size_t i = 0; i < m_totals.size(); ++i)
        m_totals[i]->setText(QString::number(setup.totals()[i]));
    const bool chosen = setup.bankId() != 0;
    m_tip->setVisible(chosen);
    m_viewAll->setVisible(chosen);
}

qint64 QuotaTablePanel::selectedRowId() const
{
    const QList<QTableWidgetItem *> selected = m_table->selectedItems();
    for (const QTableWidgetItem *item : selected) {
        if (item->column() == kIdColumn)
            return item->text().toLongLong();
    }
    return 0;
}
