#include "editor/ui/ListImportWindow.h"

#include "base/FileDialogs.h"
#include "widgets/Theme.h"

#include <QComboBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

ListImportWindow::ListImportWindow(QSqlDatabase db, Notifier &notifier, FileDialogs &dialogs,
                                   QWidget *parent)
    : QWidget(parent, Qt::Window), m_import(std::move(db), notifier), m_dialogs(dialogs)
{
    setWindowTitle(QStringLiteral("批量导入试题"));
    resize(kWidth, kHeight);
    auto *column = new QVBoxLayout(this);

    auto *top = new QHBoxLayout;
    top->addWidget(new QLabel(QStringLiteral("试题库:"), this));
    m_banks = new QComboBox(this);
    m_banks->setObjectName(ListImportWindowNames::banks);
    m_banks->setMinimumWidth(200);
    top->addWidget(m_banks);
    top->addSpacing(16);
    top->addWidget(new QLabel(QStringLiteral("章名:"), this));
    m_chapters = new QComboBox(this);
    m_chapters->setObjectName(ListImportWindowNames::chapters);
    m_chapters->setMinimumWidth(300);
    top->addWidget(m_chapters);
    top->addStretch();
    column->addLayout(top);

    auto *input = new QHBoxLayout;
    m_paste = new QPlainTextEdit(this);
    m_paste->setObjectName(ListImportWindowNames::pasteBox);
    m_paste->setPlaceholderText(
        QStringLiteral("在此粘贴试题（可含题型标题、题号、选项、答案、分值和解析），"
                       "然后点击“识别粘贴的试题”；或选择 .txt/.docx/.xlsx/.csv 文件。"));
    m_paste->setFixedHeight(110);
    input->addWidget(m_paste, 1);
    auto *buttons = new QVBoxLayout;
    auto *readPaste = new QPushButton(QStringLiteral("识别粘贴的试题"), this);
    readPaste->setObjectName(ListImportWindowNames::readPaste);
    auto *choose = new QPushButton(QStringLiteral("选择文件..."), this);
    choose->setObjectName(ListImportWindowNames::chooseFile);
    buttons->addWidget(readPaste);
    buttons->addWidget(choose);
    buttons->addStretch();
    input->addLayout(buttons);
    column->addLayout(input);

    m_source = new QLabel(this);
    column->addWidget(m_source);

    m_preview = new QTableWidget(0, 6, this);
    m_preview->setObjectName(ListImportWindowNames::preview);
    m_preview->setHorizontalHeaderLabels({QStringLiteral("行号"), QStringLiteral("题型"),
                                          QStringLiteral("题目"), QStringLiteral("答案"),
                                          QStringLiteral("分值"), QStringLiteral("状态")});
    m_preview->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_preview->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_preview->verticalHeader()->hide();
    m_preview->setColumnWidth(0, 50);
    m_preview->setColumnWidth(1, 60);
    m_preview->setColumnWidth(2, 380);
    m_preview->setColumnWidth(3, 90);
    m_preview->setColumnWidth(4, 40);
    m_preview->horizontalHeader()->setStretchLastSection(true);
    column->addWidget(m_preview, 1);

    auto *bottom = new QHBoxLayout;
    m_counts = new QLabel(this);
    m_counts->setObjectName(ListImportWindowNames::counts);
    bottom->addWidget(m_counts, 1);
    m_importButton = new QPushButton(QStringLiteral("导入"), this);
    m_importButton->setObjectName(ListImportWindowNames::importButton);
    bottom->addWidget(m_importButton, 0, Qt::AlignBottom);
    auto *close = new QPushButton(QStringLiteral("关闭"), this);
    bottom->addWidget(close, 0, Qt::AlignBottom);
    column->addLayout(bottom);

    m_report = new QPlainTextEdit(this);
    m_report->setObjectName(ListImportWindowNames::report);
    m_report->setReadOnly(true);
    m_report->setFixedHeight(140);
    m_report->setPlaceholderText(QStringLiteral("导入报告"));
    column->addWidget(m_report);

    connect(m_banks, &QComboBox::currentIndexChanged, this, [this](int index) {
        if (m_filling)
            return;
        m_import.chooseBank(index);
        showChapters();
        showPlan();
    });
    connect(m_chapters, &QComboBox::currentIndexChanged, this, [this](int index) {
        if (m_filling)
            return;
        m_import.chooseChapter(index);
        showPlan();
    });
    connect(readPaste, &QPushButton::clicked, this, [this] {
        m_import.readText(m_paste->toPlainText());
        m_source->setText(QStringLiteral("来源：粘贴的文字"));
        m_report->clear();
        showPlan();
    });
    connect(choose, &QPushButton::clicked, this, &ListImportWindow::chooseFile);
    connect(m_importButton, &QPushButton::clicked, this, &ListImportWindow::importAll);
    connect(close, &QPushButton::clicked, this, &QWidget::hide);
}

void ListImportWindow::open(qint64 chapterId)
{
    m_import.reloadBanks();
    // The chapter the editor shows, when one is.
    m_import.chooseChapterById(chapterId);
    showBanks();
    showChapters();
    showPlan();
    show();
    raise();
    activateWindow();
}

void ListImportWindow::showBanks()
{
    m_filling = true;
    m_banks->clear();
    m_banks->addItems(m_import.bankNames());
    m_banks->setCurrentIndex(m_import.bankIndex());
    m_filling = false;
}

void ListImportWindow::showChapters()
{
    m_filling = true;
    m_chapters->clear();
    m_chapters->addItems(m_import.chapterNames());
    m_chapters->setCurrentIndex(m_import.chapterIndex());
    m_filling = false;
}

void ListImportWindow::showPlan()
{
    const QList<ListImport::Row> rows = m_import.rows();
    m_preview->setRowCount(static_cast<int>(rows.size()));
    const QColor refused = theme::colour(theme::Colour::CorrectAnswer);
    for (int r = 0; r < rows.size(); ++r) {
        const ListImport::Row &row = rows[r];
        const QStringList cells = {row.line,   row.type,   row.stem,
                                   row.answer, row.points, row.status};
        for (int c = 0; c < cells.size(); ++c) {
            auto *item = new QTableWidgetItem(cells[c]);
            if (!row.importable && c == 5)
                item->setForeground(refused);
            m_preview->setItem(r, c, item);
        }
    }
    m_counts->setText(m_import.summary().join(QStringLiteral("；  ")));
    m_counts->setWordWrap(true);
    m_importButton->setEnabled(m_import.hasImportable() && m_import.chapterId() > 0);
}

void ListImportWindow::chooseFile()
{
    const QString path = m_dialogs.openFileName(QStringLiteral("选择试题文件"), kFileFilter);
    if (path.isEmpty())
        return;
    m_import.readFile(path);
    m_source->setText(QStringLiteral("来源：") + path);
    m_report->clear();
    showPlan();
}

void ListImportWindow::importAll()
{
    const qint64 chapter = m_import.chapterId();
    const QStringList report = m_import.importAll();
    m_report->setPlainText(report.join(QLatin1Char('\n')));
    showPlan();
    if (!report.isEmpty() && !report.first().startsWith(QStringLiteral("[软件提示]")))
        emit imported(chapter);
}
