#include "settings/ui/BackupWindow.h"

#include "widgets/Theme.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

BackupWindow::BackupWindow(BackupRestore &restore, QWidget *parent)
    : QWidget(parent, Qt::Window), m_backups(restore)
{
    setObjectName(QStringLiteral("BackupWindow"));
    setWindowTitle(QStringLiteral("恢复备份"));
    setFont(theme::font(theme::FontRole::PageText));
    auto *column = new QVBoxLayout(this);
    m_note = new QLabel(
        QStringLiteral("删除试题、清空或删除章节、改分、重新抽题、导入题库之前和每天第一次启动时，"
                       "软件都会备份数据。\n选中一份备份，点击“恢复选中的备份”："
                       "当前的数据先另存为一份备份，再换成选中备份中的数据。"),
        this);
    m_note->setObjectName(QStringLiteral("BackupNote"));
    m_note->setWordWrap(true);
    m_fileNote = m_note->text();
    column->addWidget(m_note);

    m_table = new QTableWidget(0, 3, this);
    m_table->setObjectName(QStringLiteral("BackupTable"));
    m_table->setHorizontalHeaderLabels(
        {QStringLiteral("备份时间"), QStringLiteral("大小"), QStringLiteral("备份前的操作")});
    m_table->verticalHeader()->hide();
    m_table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_table->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_table->setSelectionMode(QAbstractItemView::SingleSelection);
    m_table->horizontalHeader()->setStretchLastSection(true);
    m_table->setColumnWidth(0, 190);
    m_table->setColumnWidth(1, 90);
    column->addWidget(m_table, 1);

    auto *buttons = new QHBoxLayout;
    buttons->addStretch(1);
    m_restore = new QPushButton(QStringLiteral("恢复选中的备份"), this);
    m_restore->setObjectName(QStringLiteral("BackupRestoreButton"));
    m_close = new QPushButton(QStringLiteral("关闭"), this);
    m_close->setObjectName(QStringLiteral("BackupCloseButton"));
    buttons->addWidget(m_restore);
    buttons->addWidget(m_close);
    column->addLayout(buttons);
    connect(m_restore, &QPushButton::clicked, this, &BackupWindow::restoreChosen);
    connect(m_close, &QPushButton::clicked, this, &QWidget::hide);
    connect(m_table, &QTableWidget::itemSelectionChanged, this,
            [this] { m_restore->setEnabled(!m_table->selectedItems().isEmpty()); });
    resize(620, 420);
}

void BackupWindow::open()
{
    fill();
    show();
    raise();
    activateWindow();
}

void BackupWindow::fill()
{
    // A centre's server is backed up by the centre: the page says so and
    // offers no copies.
    const QString elsewhere = m_backups.keptElsewhereNotice();
    m_note->setText(elsewhere.isEmpty() ? m_fileNote : elsewhere);
    m_table->setVisible(elsewhere.isEmpty());
    m_restore->setVisible(elsewhere.isEmpty());
    m_rows = m_backups.rows();
    m_table->clearSelection();
    m_table->setRowCount(static_cast<int>(m_rows.size()));
    for (int row = 0; row < m_rows.size(); ++row) {
        const BackupRestore::Row &backup = m_rows.at(row);
        m_table->setItem(row, 0, new QTableWidgetItem(backup.made));
        auto *size = new QTableWidgetItem(backup.size);
        size->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
        m_table->setItem(row, 1, size);
        m_table->setItem(row, 2, new QTableWidgetItem(backup.step));
    }
    m_restore->setEnabled(false);
}

void BackupWindow::restoreChosen()
{
    const int row = m_table->currentRow();
    if (row < 0 || row >= m_rows.size() || m_table->selectedItems().isEmpty())
        return;
    const BackupRestore::Outcome outcome = m_backups.restore(m_rows.at(row).path);
    // The copy of the current file joins the list.
    fill();
    if (outcome == BackupRestore::Outcome::Restored)
        emit restored();
}
