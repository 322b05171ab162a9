#include "practice/ui/KeyMapWindow.h"

#include "practice/AnswerKeys.h"
#include "widgets/Theme.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

KeyMapWindow::KeyMapWindow(QWidget *parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("KeyMapWindow"));
    setWindowTitle(QStringLiteral("按键说明"));
    setModal(false);
    auto *column = new QVBoxLayout(this);

    const QList<AnswerKeys::Entry> entries = AnswerKeys::keyMap();
    m_table = new QTableWidget(static_cast<int>(entries.size()), 2, this);
    m_table->setObjectName(QStringLiteral("KeyMapTable"));
    m_table->setHorizontalHeaderLabels({QStringLiteral("按键"), QStringLiteral("作用")});
    m_table->verticalHeader()->hide();
    m_table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_table->setSelectionMode(QAbstractItemView::NoSelection);
    m_table->setFocusPolicy(Qt::NoFocus);
    m_table->setFont(theme::font(theme::FontRole::PageText));
    for (int row = 0; row < entries.size(); ++row) {
        m_table->setItem(row, 0, new QTableWidgetItem(entries.at(row).keys));
        m_table->setItem(row, 1, new QTableWidgetItem(entries.at(row).meaning));
    }
    m_table->resizeColumnsToContents();
    m_table->horizontalHeader()->setStretchLastSection(true);
    column->addWidget(m_table);

    auto *buttons = new QHBoxLayout;
    buttons->addStretch(1);
    auto *close = new QPushButton(QStringLiteral("关闭"), this);
    close->setObjectName(QStringLiteral("KeyMapClose"));
    connect(close, &QPushButton::clicked, this, &QDialog::hide);
    buttons->addWidget(close);
    column->addLayout(buttons);

    const int tableWidth = m_table->horizontalHeader()->length() + 2 * m_table->frameWidth();
    const int tableHeight = m_table->horizontalHeader()->height() +
                            m_table->verticalHeader()->length() + 2 * m_table->frameWidth();
    m_table->setMinimumSize(qMax(tableWidth, 420), tableHeight);
    adjustSize();
}
