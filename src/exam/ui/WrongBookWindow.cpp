#include "exam/ui/WrongBookWindow.h"

#include "widgets/CjkFonts.h"
#include "widgets/OutputView.h"
#include "widgets/Theme.h"

#include <QComboBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QSignalBlocker>
#include <QTableWidget>
#include <QVBoxLayout>

WrongBookWindow::WrongBookWindow(WrongBookViewer &viewer, QWidget *parent)
    : QWidget(parent, Qt::Window), m_viewer(viewer)
{
    setObjectName(QStringLiteral("WrongBookWindow"));
    setWindowTitle(QStringLiteral("错题本"));
    resize(1000, 640);
    setFont(theme::font(theme::FontRole::PageText));

    auto *layout = new QVBoxLayout(this);
    auto *top = new QHBoxLayout;
    m_title = new QLabel(this);
    m_title->setObjectName(QStringLiteral("WrongBookTitle"));
    m_title->setFont(cjk::hei(14, true));
    theme::setTone(m_title, theme::Tone::Heading);
    m_chapters = new QComboBox(this);
    m_chapters->setObjectName(QStringLiteral("WrongBookChapters"));
    m_chapters->setMinimumWidth(280);
    top->addWidget(m_title, 1);
    top->addWidget(new QLabel(QStringLiteral("章节："), this));
    top->addWidget(m_chapters);
    layout->addLayout(top);

    m_table = new QTableWidget(0, 4, this);
    m_table->setObjectName(QStringLiteral("WrongBookTable"));
    m_table->setHorizontalHeaderLabels({QStringLiteral("章节"), QStringLiteral("题目"),
                                        QStringLiteral("做错次数"), QStringLiteral("最近做错")});
    m_table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_table->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_table->setSelectionMode(QAbstractItemView::SingleSelection);
    m_table->verticalHeader()->setVisible(false);
    m_table->setColumnWidth(0, 180);
    m_table->setColumnWidth(2, 80);
    m_table->setColumnWidth(3, 100);
    m_table->horizontalHeader()->setSectionResizeMode(1, QHeaderView::Stretch);
    layout->addWidget(m_table, 3);

    m_detail = new OutputView(this);
    m_detail->setObjectName(QStringLiteral("WrongBookDetail"));
    layout->addWidget(m_detail, 2);

    auto *buttons = new QHBoxLayout;
    m_remove = new QPushButton(QStringLiteral("移出错题本"), this);
    m_remove->setObjectName(QStringLiteral("WrongBookRemove"));
    m_clear = new QPushButton(QStringLiteral("清空本章错题"), this);
    m_clear->setObjectName(QStringLiteral("WrongBookClear"));
    auto *close = new QPushButton(QStringLiteral("关闭"), this);
    close->setObjectName(QStringLiteral("WrongBookClose"));
    buttons->addWidget(m_remove);
    buttons->addWidget(m_clear);
    buttons->addStretch(1);
    buttons->addWidget(close);
    layout->addLayout(buttons);

    connect(&m_viewer, &WrongBookViewer::changed, this, &WrongBookWindow::render);
    connect(m_chapters, &QComboBox::activated, &m_viewer, &WrongBookViewer::chooseChapter);
    connect(m_table, &QTableWidget::currentCellChanged, this,
            [this](int row) { m_viewer.select(row); });
    connect(m_remove, &QPushButton::clicked, &m_viewer, &WrongBookViewer::removeSelected);
    connect(m_clear, &QPushButton::clicked, &m_viewer, &WrongBookViewer::clearChapter);
    connect(close, &QPushButton::clicked, this, &QWidget::close);
    render();
}

void WrongBookWindow::open(const QString &currentChapter)
{
    m_viewer.fill(currentChapter);
    show();
    raise();
    activateWindow();
}

void WrongBookWindow::render()
{
    const WrongBookViewer::Display &shown = m_viewer.display();
    if (shown.serial == m_shownSerial)
        return;
    m_shownSerial = shown.serial;
    m_title->setText(shown.title);
    {
        const QSignalBlocker blockChoice(m_chapters);
        m_chapters->clear();
        for (const WrongBookViewer::ChapterChoice &choice : shown.chapters)
            m_chapters->addItem(choice.label);
        m_chapters->setCurrentIndex(shown.chapterIndex);
    }
    const QSignalBlocker blockTable(m_table);
    if (m_table->rowCount() != shown.rows.size() || shown.selected < 0) {
        m_table->clearContents();
        m_table->setRowCount(static_cast<int>(shown.rows.size()));
        for (int r = 0; r < shown.rows.size(); ++r) {
            const WrongBookViewer::Row &row = shown.rows.at(r);
            m_table->setItem(r, 0, new QTableWidgetItem(row.chapter));
            m_table->setItem(r, 1, new QTableWidgetItem(row.stem));
            auto *times = new QTableWidgetItem(QString::number(row.timesWrong));
            times->setTextAlignment(Qt::AlignCenter);
            m_table->setItem(r, 2, times);
            m_table->setItem(r, 3, new QTableWidgetItem(row.lastWrong));
        }
    }
    if (shown.selected >= 0)
        m_table->selectRow(shown.selected);
    else
        m_table->clearSelection();
    m_detail->setLines(shown.detail);
    m_remove->setEnabled(shown.selected >= 0);
    m_clear->setEnabled(shown.chapterIndex > 0);
}
