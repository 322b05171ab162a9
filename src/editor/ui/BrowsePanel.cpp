#include "editor/ui/BrowsePanel.h"

#include "editor/ui/EditorWindowNames.h"

#include "base/GbkText.h"
#include "widgets/OutputView.h"
#include "widgets/Theme.h"

#include <QAbstractItemView>
#include <QAction>
#include <QContextMenuEvent>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>
#include <QWheelEvent>

namespace {

constexpr int kListRows = BrowseList::kRowsPerPage;
constexpr int kRowHeight = 24;

} // namespace

BrowsePanel::BrowsePanel(QuestionEditor &editor, QWidget *parent)
    : QWidget(parent), m_editor(editor)
{
    setObjectName(QStringLiteral("browsePage"));
    theme::paintPaper(this);
    auto *column = new QVBoxLayout(this);
    column->setContentsMargins(10, 8, 10, 4);

    m_list = new QTableWidget(kListRows, 3, this);
    m_list->setObjectName(EditorWindowNames::questionList);
    m_list->horizontalHeader()->hide();
    m_list->verticalHeader()->hide();
    m_list->setColumnWidth(0, 82);
    m_list->setColumnWidth(1, 89);
    m_list->setColumnWidth(2, 764);
    m_list->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_list->setSelectionMode(QAbstractItemView::SingleSelection);
    m_list->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_list->setFont(theme::font(theme::FontRole::EditorText));
    m_list->verticalHeader()->setDefaultSectionSize(kRowHeight);
    m_list->setFixedHeight(kListRows * kRowHeight + 4);
    m_list->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    for (int row = 0; row < kListRows; ++row) {
        for (int col = 0; col < 3; ++col) {
            auto *item = new QTableWidgetItem;
            if (col < 2)
                item->setTextAlignment(Qt::AlignCenter);
            m_list->setItem(row, col, item);
        }
    }
    // The menu comes from the event filter, which knows the row under the
    // pointer (or, from the keyboard, the selected row).
    m_list->installEventFilter(this);
    m_list->viewport()->installEventFilter(this);
    connect(m_list, &QTableWidget::currentCellChanged, this,
            [this](int row, int, int, int) { selectRow(row); });

    m_menu = new QMenu(this);
    m_menu->setObjectName(QStringLiteral("listMenu"));
    m_menu->addSeparator();
    m_menu->addAction(QStringLiteral("修改本小题"))
        ->setObjectName(QStringLiteral("correctQuestion"));
    m_menu->addSeparator();
    m_menu->addAction(QStringLiteral("删除本小题"))
        ->setObjectName(QStringLiteral("deleteQuestion"));
    m_menu->addSeparator();
    column->addWidget(m_list);

    m_detail = new OutputView(this);
    m_detail->setObjectName(QStringLiteral("detail"));
    m_detail->setFixedSize(927, 140);
    m_detail->setDefaultFont(theme::font(theme::FontRole::DetailView));
    column->addWidget(m_detail);
    column->addStretch();

    m_strip = buildPagingStrip();
}

QWidget *BrowsePanel::buildPagingStrip()
{
    auto *strip = new QWidget;
    strip->setObjectName(QStringLiteral("pagingStrip"));
    strip->setFixedHeight(34);
    auto *row = new QHBoxLayout(strip);
    row->setContentsMargins(10, 2, 10, 2);
    const QFont font = theme::font(theme::FontRole::EditorText);
    m_info = new QLabel(QStringLiteral("信息"), strip);
    m_info->setObjectName(QStringLiteral("info"));
    m_info->setFont(font);
    m_info->setMinimumWidth(200);
    theme::setTextColour(m_info, theme::Colour::EditorHint);
    row->addWidget(m_info);
    const QFont figureFont = theme::font(theme::FontRole::EditorFigure);
    const auto caption = [&](const QString &text) {
        auto *label = new QLabel(text, strip);
        label->setFont(font);
        row->addWidget(label);
    };
    caption(QStringLiteral("题目数："));
    m_count = new QLabel(QStringLiteral("0"), strip);
    m_count->setObjectName(QStringLiteral("count"));
    m_count->setFont(figureFont);
    m_count->setMinimumWidth(40);
    row->addWidget(m_count);
    caption(QStringLiteral("当前页："));
    m_pageBox = new QLineEdit(QStringLiteral("1"), strip);
    m_pageBox->setObjectName(QStringLiteral("pageBox"));
    m_pageBox->setReadOnly(true);
    m_pageBox->setFixedWidth(40);
    row->addWidget(m_pageBox);
    caption(QStringLiteral("总页:"));
    m_pageCount = new QLabel(QStringLiteral("0"), strip);
    m_pageCount->setObjectName(QStringLiteral("pageCount"));
    m_pageCount->setFont(figureFont);
    m_pageCount->setMinimumWidth(30);
    row->addWidget(m_pageCount);
    row->addStretch();
    const QList<std::pair<QString, QuestionEditor::Turn>> turns = {
        {QStringLiteral("首页"), QuestionEditor::Turn::First},
        {QStringLiteral("下页"), QuestionEditor::Turn::Next},
        {QStringLiteral("前页"), QuestionEditor::Turn::Prior},
        {QStringLiteral("末页"), QuestionEditor::Turn::Last}};
    for (const auto &[text, which] : turns) {
        auto *button = new QPushButton(text, strip);
        button->setObjectName(text);
        button->setFixedSize(60, 26);
        const QuestionEditor::Turn turnOf = which;
        connect(button, &QPushButton::clicked, this, [this, turnOf] {
            // Only "首页" brings the list page to the front.
            if (turn(turnOf) == QuestionEditor::Outcome::Done &&
                turnOf == QuestionEditor::Turn::First)
                emit listOpened();
        });
        row->addWidget(button);
    }
    return strip;
}

void BrowsePanel::showList()
{
    const BrowseList &browse = m_editor.browse();
    {
        const QSignalBlocker blocker(m_list);
        for (int row = 0; row < kListRows; ++row) {
            const bool filled = row < browse.rows().size();
            const BrowseRow listed = filled ? browse.rows().at(row) : BrowseRow{};
            m_list->item(row, 0)->setText(filled ? QString::number(listed.id) : QString());
            m_list->item(row, 1)->setText(listed.typeName);
            m_list->item(row, 2)->setText(listed.stem);
        }
        // A new list or page: no row is selected and the detail box is empty,
        // so the next click shows the question clicked.
        m_list->setCurrentCell(-1, -1);
        m_list->clearSelection();
    }
    m_selectedRow = -1;
    m_detail->clearLines();
    m_count->setText(QString::number(browse.rowCount()));
    m_pageBox->setText(browse.pageText());
    m_pageCount->setText(QString::number(browse.pageCount()));
}

QuestionEditor::Outcome BrowsePanel::turn(QuestionEditor::Turn which)
{
    const QuestionEditor::Outcome outcome = m_editor.turn(which);
    if (outcome == QuestionEditor::Outcome::Done)
        showList();
    follow(outcome);
    return outcome;
}

void BrowsePanel::follow(QuestionEditor::Outcome outcome)
{
    if (outcome == QuestionEditor::Outcome::NoChapter)
        emit noChapter();
}

qint64 BrowsePanel::idAt(int row) const
{
    if (row < 0 || row >= kListRows)
        return 0;
    return text::trimmed(m_list->item(row, 0)->text()).toLongLong();
}

void BrowsePanel::selectRow(int row)
{
    m_detail->clearLines();
    const qint64 id = idAt(row);
    if (id <= 0) {
        m_selectedRow = -1;
        return;
    }
    m_selectedRow = row;
    if (row >= 1 && row <= kListRows - 2)
        m_info->hide();
    m_detail->setLines(m_editor.detail(id));
}

void BrowsePanel::openMenu(int row, const QPoint &globalPos)
{
    // The question is taken when the menu opens: the item chosen acts on the
    // row the menu was opened on, and on an empty row on nothing.
    const qint64 id = idAt(row);
    const QAction *chosen = m_menu->exec(globalPos);
    if (!chosen || id <= 0)
        return;
    if (chosen->objectName() == QStringLiteral("correctQuestion"))
        correct(id);
    else if (chosen->objectName() == QStringLiteral("deleteQuestion"))
        remove(id);
}

void BrowsePanel::correct(qint64 id)
{
    const std::optional<QuestionRow> question = m_editor.loadCorrection(id);
    if (!question || question->type < 1 || question->type > 5)
        return;
    emit correctionRequested(*question);
}

void BrowsePanel::remove(qint64 id)
{
    const QuestionEditor::Outcome outcome = m_editor.removeQuestion(id);
    showList();
    emit questionsChanged();
    follow(outcome);
}

void BrowsePanel::turnAndSelect(QuestionEditor::Turn which, int row)
{
    turn(which);
    m_list->setCurrentCell(row, 0);
}

bool BrowsePanel::eventFilter(QObject *watched, QEvent *event)
{
    const bool onList = watched == m_list || watched == m_list->viewport();
    if (onList && event->type() == QEvent::ContextMenu) {
        auto *menu = static_cast<QContextMenuEvent *>(event);
        int row = m_list->currentRow();
        if (menu->reason() == QContextMenuEvent::Mouse) {
            // A right-click selects the row under the pointer (an empty one
            // too), and the menu acts on it.
            const QPoint at =
                watched == m_list ? m_list->viewport()->mapFrom(m_list, menu->pos()) : menu->pos();
            row = m_list->rowAt(at.y());
            if (row >= 0)
                m_list->setCurrentCell(row, 0);
        }
        openMenu(row, menu->globalPos());
        return true;
    }
    if (watched == m_list && event->type() == QEvent::KeyRelease) {
        auto *key = static_cast<QKeyEvent *>(event);
        if (key->key() == Qt::Key_Up && m_selectedRow == 0) {
            m_info->setText(QStringLiteral("提示：自动翻到上一页."));
            m_info->show();
            turnAndSelect(QuestionEditor::Turn::Prior, kListRows - 1);
        } else if (key->key() == Qt::Key_Down && m_selectedRow == kListRows - 1) {
            m_info->setText(QStringLiteral("提示：自动翻到下一页."));
            m_info->show();
            turnAndSelect(QuestionEditor::Turn::Next, 0);
        }
    }
    if (watched == m_list->viewport() && event->type() == QEvent::Wheel) {
        auto *wheel = static_cast<QWheelEvent *>(event);
        const int row = m_list->currentRow();
        if (wheel->angleDelta().y() < 0 && row == kListRows - 1) {
            turnAndSelect(QuestionEditor::Turn::Next, 0);
            return true;
        }
        if (wheel->angleDelta().y() > 0 && row == 0) {
            turnAndSelect(QuestionEditor::Turn::Prior, kListRows - 1);
            return true;
        }
    }
    return QWidget::eventFilter(watched, event);
}
