#include "exam/ui/QuotaPage.h"

#include "base/Selection.h"
#include "exam/ui/QuotaGridDelegate.h"
#include "exam/ui/QuotaGridHeader.h"
#include "practice/ui/ChapterListDelegate.h"
#include "widgets/CjkFonts.h"
#include "widgets/LinkLabel.h"
#include "widgets/Theme.h"

#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QPushButton>
#include <QRegularExpressionValidator>
#include <QScrollBar>
#include <QSignalBlocker>
#include <QTableWidget>
#include <QVBoxLayout>

namespace {

constexpr std::array<int, 8> kColumnWidths{49, 44, 44, 41, 42, 42, 42, 64};
constexpr int kIdColumn = 7;
// Room for the chapter name inside the box of the chapter being edited.
constexpr int kChapterNameWidth = 225;

QLabel *label(const QString &text, QWidget *parent, theme::Tone tone = theme::Tone::Plain,
              const QString &name = QString())
{
    auto *result = new QLabel(text, parent);
    theme::setTone(result, tone);
    if (!name.isEmpty())
        result->setObjectName(name);
    return result;
}

QLineEdit *numberField(const QString &name, int width, QWidget *parent)
{
    auto *field = new QLineEdit(parent);
    field->setObjectName(name);
    field->setFixedWidth(width);
    return field;
}

constexpr std::array<QLatin1StringView, 5> kCountNames{
    QuotaPageNames::singleCount, QuotaPageNames::multipleCount, QuotaPageNames::fillInCount,
    QuotaPageNames::trueFalseCount, QuotaPageNames::essayCount};
constexpr std::array<QLatin1StringView, 5> kQuotaNames{
    QuotaPageNames::singleQuota, QuotaPageNames::multipleQuota, QuotaPageNames::fillInQuota,
    QuotaPageNames::trueFalseQuota, QuotaPageNames::essayQuota};
constexpr std::array<QLatin1StringView, 6> kTotalNames{
    QuotaPageNames::singleTotal,    QuotaPageNames::multipleTotal, QuotaPageNames::fillInTotal,
    QuotaPageNames::trueFalseTotal, QuotaPageNames::essayTotal,    QuotaPageNames::sumTotal};

const QStringList kTypeCaptions{QStringLiteral("单项选择题："), QStringLiteral("多项选择题："),
                                QStringLiteral("填空题："), QStringLiteral("判断题："),
                                QStringLiteral("论述题：")};

} // namespace

QuotaPage::QuotaPage(QSqlDatabase db, Notifier &notifier, RandomSource &random, MockExamForm &form,
                     const Selection &selection, QWidget *parent)
    : QWidget(parent), m_setup(std::move(db), notifier, random, form), m_selection(selection)
{
    setObjectName(QuotaPageNames::page);
    theme::paintPaper(this);
    setFont(theme::font(theme::FontRole::PageText));

    // Digits only; Backspace, Delete and the other editing keys keep working.
    auto *digits =
        new QRegularExpressionValidator(QRegularExpression(QStringLiteral("[0-9]*")), this);

    // The bank and its chapters.
    auto *left = new QVBoxLayout;
    auto *bankLine = new QHBoxLayout;
    bankLine->addWidget(label(QStringLiteral("试题库："), this, theme::Tone::Heading));
    m_banks = new QComboBox(this);
    m_banks->setObjectName(QuotaPageNames::bankList);
    bankLine->addWidget(m_banks, 1);
    left->addLayout(bankLine);
    left->addWidget(label(QStringLiteral("双击章节设定抽题数量"), this, theme::Tone::Note));
    m_chapters = new QListWidget(this);
    m_chapters->setObjectName(QuotaPageNames::chapterList);
    m_chapters->setFont(theme::font(theme::FontRole::PageText));
    m_chapters->setFixedWidth(250);
    m_chapters->setUniformItemSizes(true);
    m_delegate = new ChapterListDelegate(m_chapters);
    m_delegate->setRemembered(-1);
    m_chapters->setItemDelegate(m_delegate);
    left->addWidget(m_chapters, 1);

    // The chapter being edited.
    auto *edit = new QGroupBox(this);
    edit->setObjectName(QStringLiteral("GroupBoxQuota"));
    auto *grid = new QGridLayout(edit);
    grid->setVerticalSpacing(6);
    m_chapterName = label(QStringLiteral("当前章节："), edit, theme::Tone::Heading,
                          QuotaPageNames::chapterName);
    m_chapterName->setMinimumWidth(1);
    grid->addWidget(m_chapterName, 0, 0, 1, 4);
    grid->addWidget(label(QStringLiteral("请选择试题数量"), edit, theme::Tone::Note), 1, 2, 1, 2);
    for (int type = 1; type <= QuotaSetup::kTypes; ++type) {
        TypeRow &row = m_rows[static_cast<size_t>(type - 1)];
        row.caption = label(kTypeCaptions.at(type - 1), edit);
        row.count = numberField(kCountNames[static_cast<size_t>(type - 1)], 44, edit);
        row.count->setReadOnly(true);
        row.quota = new QComboBox(edit);
        row.quota->setObjectName(kQuotaNames[static_cast<size_t>(type - 1)]);
        row.quota->setMaxVisibleItems(30);
        row.quota->setMinimumWidth(60);
        row.unit = label(QStringLiteral("个"), edit);
        grid->addWidget(row.caption, 1 + type, 0);
        grid->addWidget(row.count, 1 + type, 1);
        grid->addWidget(row.quota, 1 + type, 2);
        grid->addWidget(row.unit, 1 + type, 3);
        connect(row.quota, &QComboBox::currentIndexChanged, this, [this, type](int index) {
            m_setup.choose(type, index);
            renderSum();
        });
    }
    grid->addWidget(label(QStringLiteral("题量："), edit), 7, 0);
    m_sum = numberField(QuotaPageNames::sumField, 44, edit);
    m_sum->setReadOnly(true);
    grid->addWidget(m_sum, 7, 1);
    grid->addWidget(label(QStringLiteral("本章分数："), edit), 8, 0);
    m_score = numberField(QuotaPageNames::scoreField, 44, edit);
    m_score->setValidator(digits);
    m_score->setMaxLength(4);
    grid->addWidget(m_score, 8, 1);
    grid->addWidget(label(QStringLiteral("分"), edit), 8, 2);
    grid->addWidget(label(QStringLiteral("默认每个题型1分，论述题5分"), edit, theme::Tone::Note), 9,
                    0, 1, 4);
    grid->addWidget(label(QStringLiteral("改分请点击[本类组卷]"), edit, theme::Tone::Note), 10, 0,
                    1, 4);
    m_chapterCount = label(QString(), edit, theme::Tone::Count, QuotaPageNames::chapterCount);
    grid->addWidget(m_chapterCount, 11, 0, 1, 4);
    grid->setColumnStretch(3, 1);

    auto *exam = new QGroupBox(this);
    exam->setObjectName(QStringLiteral("GroupBoxExam"));
    auto *examGrid = new QGridLayout(exam);
    examGrid->addWidget(label(QStringLiteral("考试时间(分钟)："), exam), 0, 0);
    m_minutes = numberField(QuotaPageNames::minutesField, 50, exam);
    m_minutes->setValidator(digits);
    m_minutes->setMaxLength(3);
    examGrid->addWidget(m_minutes, 0, 1);
    examGrid->addWidget(label(QStringLiteral("试题量(道)："), exam), 1, 0);
    m_limit = numberField(QuotaPageNames::limitField, 50, exam);
    m_limit->setValidator(digits);
    m_limit->setMaxLength(3);
    examGrid->addWidget(m_limit, 1, 1);
    examGrid->addWidget(label(QStringLiteral("最大150"), exam, theme::Tone::Note), 1, 2);
    examGrid->setColumnStretch(2, 1);
    auto *save = new QPushButton(QStringLiteral("确定"), this);
    save->setObjectName(QuotaPageNames::saveButton);
    save->setMinimumSize(90, 30);

    auto *middle = new QVBoxLayout;
    middle->addWidget(edit);
    middle->addWidget(exam);
    middle->addWidget(save, 0, Qt::AlignRight);
    middle->addStretch(1);

    // The stored quotas of the bank.
    m_table = new QTableWidget(0, static_cast<int>(kColumnWidths.size()), this);
    m_table->setObjectName(QuotaPageNames::table);
    m_table->setHorizontalHeader(new QuotaGridHeader(m_table));
    m_table->setHorizontalHeaderLabels({QStringLiteral("章序号"), QStringLiteral("单选"),
                                        QStringLiteral("多选"), QStringLiteral("填空"),
                                        QStringLiteral("判断"), QStringLiteral("论述"),
                                        QStringLiteral("小计"), QStringLiteral("id")});
    m_table->horizontalHeader()->setFixedHeight(kTableRowHeight);
    m_table->horizontalHeader()->setMinimumSectionSize(20);
    m_table->verticalHeader()->hide();
    m_table->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    m_table->verticalHeader()->setMinimumSectionSize(kTableRowHeight);
    m_table->verticalHeader()->setDefaultSectionSize(kTableRowHeight);
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
                          kTableVisibleRows * kTableRowHeight + frame);
    m_table->setContextMenuPolicy(Qt::CustomContextMenu);
    m_menu = new QMenu(m_table);
    m_menu->setObjectName(QuotaPageNames::tableMenu);
    connect(m_menu->addAction(QStringLiteral("查看---本章--随机抽取的试题")), &QAction::triggered,
            this, &QuotaPage::viewSelectedRow);
    connect(m_menu->addAction(QStringLiteral("查看---本分类--全部章节-随机抽取的试题")),
            &QAction::triggered, this, &QuotaPage::viewBank);
    connect(m_menu->addAction(QStringLiteral("删除选中的--本章--随机抽题的试题")),
            &QAction::triggered, this, &QuotaPage::deleteSelectedRow);
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
    for (int i = 0; i <= QuotaSetup::kTypes; ++i) {
        QLabel *figure = label(QStringLiteral("0"), this, theme::Tone::Count,
                               kTotalNames[static_cast<size_t>(i)]);
        figure->setFixedWidth(kColumnWidths[static_cast<size_t>(i + 1)]);
        figure->setAlignment(Qt::AlignCenter);
        m_totals[static_cast<size_t>(i)] = figure;
        totals->addWidget(figure);
    }
    QFont bold = m_totals[QuotaSetup::kTypes]->font();
    bold.setBold(true);
    m_totals[QuotaSetup::kTypes]->setFont(bold);
    totals->addStretch(1);
    m_viewAll = new LinkLabel(QStringLiteral("本试题库已抽取试题全部查看"), this);
    m_viewAll->setObjectName(QuotaPageNames::viewAllLink);
    connect(m_viewAll, &LinkLabel::clicked, this, &QuotaPage::viewBank);

    auto *right = new QVBoxLayout;
    right->addWidget(m_table);
    right->addWidget(m_tip);
    right->addLayout(totals);
    right->addWidget(m_viewAll);
    right->addStretch(1);

    auto *columns = new QHBoxLayout(this);
    columns->setContentsMargins(12, 10, 12, 10);
    columns->setSpacing(12);
    columns->addLayout(left);
    columns->addLayout(middle, 1);
    columns->addLayout(right);

    connect(m_banks, &QComboBox::activated, this, [this](int position) {
        m_setup.chooseBank(position);
        render();
    });
    connect(m_chapters, &QListWidget::itemDoubleClicked, this, [this](QListWidgetItem *item) {
        m_setup.editChapter(m_chapters->row(item));
        renderChapter();
    });
    connect(m_minutes, &QLineEdit::textEdited, this, [this](const QString &text) {
        m_setup.editMinutes(text);
        if (m_minutes->text() != m_setup.minutesText())
            m_minutes->setText(m_setup.minutesText());
    });
    connect(m_limit, &QLineEdit::textEdited, this, [this](const QString &text) {
        m_setup.editQuestionLimit(text);
        if (m_limit->text() != m_setup.questionLimitText())
            m_limit->setText(m_setup.questionLimitText());
    });
    connect(save, &QPushButton::clicked, this, [this] {
        m_setup.save();
        render();
    });

    m_minutes->setText(m_setup.minutesText());
    m_limit->setText(m_setup.questionLimitText());
    render();
}

void QuotaPage::open()
{
    open(m_selection.bankId());
}

void QuotaPage::open(qint64 bankId)
{
    m_setup.open(bankId);
    render();
}

void QuotaPage::refreshTable()
{
    m_setup.refreshTable();
    renderTable();
}

void QuotaPage::render()
{
    {
        const QSignalBlocker quiet(m_banks);
        m_banks->clear();
        for (const BankRow &bank : m_setup.banks())
            m_banks->addItem(bank.name);
        m_banks->setCurrentIndex(m_setup.bankPosition());
    }
    QStringList items;
    for (const QuotaSetup::Chapter &chapter : m_setup.chapters())
        items << chapter.item;
    // A list read anew selects its first item; an unchanged one stays as it is.
    QStringList shown;
    for (int i = 0; i < m_chapters->count(); ++i)
        shown << m_chapters->item(i)->text();
    if (items != shown) {
        m_chapters->clear();
        m_chapters->addItems(items);
        if (m_chapters->count() > 0)
            m_chapters->setCurrentRow(0);
    }
    renderChapter();
    renderTable();
}

void QuotaPage::renderChapter()
{
    const bool editing = m_setup.editedPosition() >= 0;
    // A long name is cut with an ellipsis; the whole name is its tip.
    const QString name = editing ? m_setup.editedName() : QStringLiteral("当前章节：");
    m_chapterName->setText(
        m_chapterName->fontMetrics().elidedText(name, Qt::ElideRight, kChapterNameWidth));
    m_chapterName->setToolTip(editing ? name : QString());
    m_chapterCount->setText(m_setup.chapterCountLine());
    m_delegate->setRemembered(m_setup.editedPosition());
    m_chapters->viewport()->update();
    for (int type = 1; type <= QuotaSetup::kTypes; ++type) {
        const QuotaSetup::TypeState &state = m_setup.type(type);
        TypeRow &row = m_rows[static_cast<size_t>(type - 1)];
        // A type the chapter does not hold is hidden, as before a chapter is opened.
        const bool shown = !editing || state.present();
        row.caption->setVisible(shown);
        row.count->setVisible(shown);
        row.quota->setVisible(shown);
        row.unit->setVisible(shown);
        row.count->setText(QString::number(state.count));
        const QSignalBlocker quiet(row.quota);
        row.quota->clear();
        for (const int choice : state.choices)
            row.quota->addItem(QString::number(choice));
        row.quota->setCurrentIndex(state.chosen);
    }
    renderSum();
}

void QuotaPage::renderSum()
{
    const QString sum = QString::number(m_setup.quotaSum());
    m_sum->setText(sum);
    m_score->setText(sum);
}

void QuotaPage::renderTable()
{
    const QVector<QuotaSetup::TableRow> &rows = m_setup.tableRows();
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
    for (int i = 0; i <= QuotaSetup::kTypes; ++i)
        m_totals[static_cast<size_t>(i)]->setText(
            QString::number(m_setup.totals()[static_cast<size_t>(i)]));
    const bool chosen = m_setup.bankId() != 0;
    m_tip->setVisible(chosen);
    m_viewAll->setVisible(chosen);
}

qint64 QuotaPage::selectedRowId() const
{
    const QList<QTableWidgetItem *> selected = m_table->selectedItems();
    for (const QTableWidgetItem *item : selected) {
        if (item->column() == kIdColumn)
            return item->text().toLongLong();
    }
    return 0;
}

void QuotaPage::viewSelectedRow()
{
    if (const auto scope = QuotaSetup::rowPaper(selectedRowId()))
        emit paperRequested(*scope);
}

// The stored draw of the bank whose quotas the table shows.
void QuotaPage::viewBank()
{
    if (m_setup.bankId() != 0)
        emit paperRequested(PaperScope::ofBank(m_setup.bankId()));
}

void QuotaPage::deleteSelectedRow()
{
    m_setup.removeRow(selectedRowId());
    renderTable();
}
