#include "editor/ui/EditorWindow.h"

#include "base/Colours.h"
#include "base/GbkText.h"
#include "base/Notifier.h"
#include "editor/ui/QuestionPage.h"
#include "widgets/CjkFonts.h"
#include "widgets/LinkLabel.h"
#include "widgets/OutputView.h"
#include "widgets/Theme.h"

#include <QAbstractItemView>
#include <QAction>
#include <QComboBox>
#include <QCompleter>
#include <QDate>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QStackedWidget>
#include <QStatusBar>
#include <QTableWidget>
#include <QVBoxLayout>
#include <QWheelEvent>

namespace {

constexpr int kListRows = BrowseList::kRowsPerPage;

void setTextColour(QWidget *widget, unsigned rgb)
{
    QPalette palette = widget->palette();
    palette.setColor(QPalette::WindowText, QColor::fromRgb(rgb));
    palette.setColor(QPalette::Text, QColor::fromRgb(rgb));
    widget->setPalette(palette);
}

void paintWhite(QWidget *widget)
{
    widget->setAutoFillBackground(true);
    QPalette palette = widget->palette();
    palette.setColor(QPalette::Window, theme::colour(theme::Colour::Paper));
    widget->setPalette(palette);
}

QLabel *silverLabel(const QString &name, QWidget *parent)
{
    auto *label = new QLabel(parent);
    label->setObjectName(name);
    label->setMinimumWidth(40);
    label->setAutoFillBackground(true);
    QPalette palette = label->palette();
    palette.setColor(QPalette::Window, QColor::fromRgb(rgb::kSilver));
    label->setPalette(palette);
    return label;
}

// A link of the left panel. The type links are grey and turn red, bold and
// underlined under the pointer; "新建一章试题", "试题浏览" and the heading
// "试题输入" start underlined and keep their weight, and only "试题浏览" keeps
// its underline when the pointer leaves.
class PanelLink : public LinkLabel
{
public:
    enum class Kind
    {
        Type,
        Heading, // bold, underlined until the pointer first leaves
        Browse   // underlined at rest
    };

    PanelLink(const QString &text, Kind kind, QWidget *parent) : LinkLabel(text, parent)
    {
        setFont(cjk::song(12));
        const bool bold = kind == Kind::Heading;
        setLook(QColor::fromRgb(rgb::kGrey), bold, QColor::fromRgb(rgb::kRed),
                kind == Kind::Type || bold);
        m_restUnderline = kind == Kind::Browse;
        if (kind != Kind::Type)
            underline(true);
    }

protected:
    void leaveEvent(QEvent *event) override
    {
        LinkLabel::leaveEvent(event);
        underline(m_restUnderline);
    }

private:
    void underline(bool on)
    {
        QFont f = font();
        f.setUnderline(on);
        setFont(f);
    }

    bool m_restUnderline = false;
};

LinkLabel *panelLink(const QString &text, PanelLink::Kind kind, QWidget *parent)
{
    return new PanelLink(text, kind, parent);
}

} // namespace

EditorWindow::EditorWindow(QSqlDatabase db, Notifier &notifier, QWidget *parent)
    : QWidget(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                          Qt::WindowCloseButtonHint),
      m_editor(db, notifier), m_notifier(notifier)
{
    setObjectName(QStringLiteral("TForm21"));
    setWindowTitle(QStringLiteral("试题编辑"));
    setWindowModality(Qt::ApplicationModal);
    setFixedSize(kWidth, kHeight);

    auto *outer = new QVBoxLayout(this);
    outer->setContentsMargins(0, 0, 0, 0);
    outer->setSpacing(0);
    outer->addWidget(buildTop());

    auto *middle = new QHBoxLayout;
    middle->setSpacing(0);
    middle->addWidget(buildLeft());
    auto *mainArea = new QVBoxLayout;
    mainArea->setSpacing(0);
    m_pages = new QStackedWidget(this);
    m_pages->setObjectName(QStringLiteral("PageControl1"));
    for (int i = 0; i < 10; ++i) {
        const int type = i % 5 + 1;
        auto *page = new QuestionPage(type, i < 5 ? DraftForm::Entry : DraftForm::Correction);
        page->setObjectName(QStringLiteral("%1Page%2")
                                .arg(i < 5 ? QStringLiteral("entry") : QStringLiteral("correction"))
                                .arg(type));
        m_questionPages[i] = page;
        m_pages->addWidget(page);
        if (i < 5)
            connect(page, &QuestionPage::saveRequested, this, [this, page] { save(page); });
        else
            connect(page, &QuestionPage::saveRequested, this, [this, page] { confirm(page); });
    }
    m_pages->addWidget(buildBrowsePage());
    auto *empty = new QWidget;
    empty->setObjectName(QStringLiteral("emptyPage"));
    paintWhite(empty);
    m_pages->addWidget(empty);
    m_pages->addWidget(buildNewChapterPage());
    mainArea->addWidget(m_pages, 1);
    mainArea->addWidget(buildPagingStrip());
    middle->addLayout(mainArea, 1);
    outer->addLayout(middle, 1);

    auto *status = new QStatusBar(this);
    status->setObjectName(QStringLiteral("StatusBar1"));
    status->setSizeGripEnabled(false);
    outer->addWidget(status);

    showPage(Empty);
}

QWidget *EditorWindow::buildTop()
{
    auto *top = new QWidget(this);
    top->setObjectName(QStringLiteral("topStrip"));
    top->setFixedHeight(kTopHeight);
    paintWhite(top);
    auto *row = new QHBoxLayout(top);
    row->setContentsMargins(8, 4, 8, 4);
    const QFont font = cjk::song(12);
    auto *bankCaption = new QLabel(QStringLiteral("试题库:"), top);
    bankCaption->setFont(font);
    row->addWidget(bankCaption);
    m_banks = new QComboBox(top);
    m_banks->setObjectName(QStringLiteral("ComboBox1"));
    m_banks->setMinimumWidth(170);
    m_banks->setFont(font);
    row->addWidget(m_banks);
    m_bankId = silverLabel(QStringLiteral("Label115"), top);
    row->addWidget(m_bankId);
    row->addSpacing(12);
    auto *chapterCaption = new QLabel(QStringLiteral("章名:"), top);
    chapterCaption->setFont(font);
    row->addWidget(chapterCaption);
    m_chapters = new QComboBox(top);
    m_chapters->setObjectName(QStringLiteral("ComboBox2"));
    m_chapters->setMaxVisibleItems(18);
    m_chapters->setMinimumWidth(360);
    m_chapters->setFont(font);
    // The chapter selector takes typing: the chapters whose item holds the
    // typed text (a number or part of a name) drop down as the user types,
    // and picking one chooses that chapter. Typing never adds an item.
    m_chapters->setEditable(true);
    m_chapters->setInsertPolicy(QComboBox::NoInsert);
    auto *typeAhead = new QCompleter(m_chapters->model(), m_chapters);
    typeAhead->setCompletionMode(QCompleter::PopupCompletion);
    typeAhead->setFilterMode(Qt::MatchContains);
    typeAhead->setCaseSensitivity(Qt::CaseInsensitive);
    typeAhead->setMaxVisibleItems(18);
    m_chapters->setCompleter(typeAhead);
    typeAhead->popup()->setFont(font);
    // Text that names no chapter goes back to the chosen chapter's item once
    // the typing ends.
    connect(m_chapters->lineEdit(), &QLineEdit::editingFinished, this, [this] {
        const int current = m_chapters->currentIndex();
        const QString shown = current >= 0 ? m_chapters->itemText(current) : QString();
        if (m_chapters->currentText() != shown)
            m_chapters->setEditText(shown);
    });
    row->addWidget(m_chapters, 1);
    m_chapterId = silverLabel(QStringLiteral("Label116"), top);
    row->addWidget(m_chapterId);
    row->addSpacing(12);
    auto *deleteAll = new LinkLabel(QStringLiteral("将该章节下试题全部删除"), top);
    auto *deleteChapter = new LinkLabel(QStringLiteral("删除章节"), top);
    for (LinkLabel *link : {deleteAll, deleteChapter}) {
        link->setFont(font);
        // These links keep their look under the pointer.
        link->setLook(QColor::fromRgb(rgb::kBlack), false, QColor::fromRgb(rgb::kBlack), false);
        row->addWidget(link);
    }
    deleteAll->setObjectName(QStringLiteral("deleteQuestions"));
    deleteChapter->setObjectName(QStringLiteral("deleteChapter"));

    connect(m_banks, &QComboBox::activated, this, [this](int index) {
        m_editor.chooseBank(index);
        m_chapters->clear();
        m_chapters->addItems(m_editor.chapterItems());
        m_chapters->setCurrentIndex(m_chapters->count() > 0 ? 0 : -1);
        m_bankId->setText(m_editor.bankIdText());
    });
    connect(m_chapters, &QComboBox::activated, this, [this](int index) {
        const QuestionEditor::Outcome outcome = m_editor.chooseChapter(index);
        m_chapterId->setText(m_editor.chapterIdText());
        showCounters();
        if (outcome == QuestionEditor::Outcome::Done) {
            showList();
            showPage(Browse);
        }
        follow(outcome);
    });
    connect(deleteAll, &LinkLabel::clicked, this, [this] {
        follow(m_editor.removeChapterQuestions(m_banks->currentText(),
                                               m_chapters->itemText(m_chapters->currentIndex())));
        showCounters();
    });
    connect(deleteChapter, &LinkLabel::clicked, this, [this] {
        const QuestionEditor::Outcome outcome = m_editor.removeChapter(m_chapters->currentIndex());
        showCounters();
        showList();
        follow(outcome);
    });
    return top;
}

QWidget *EditorWindow::buildLeft()
{
    auto *left = new QWidget(this);
    left->setObjectName(QStringLiteral("leftPanel"));
    left->setFixedWidth(kLeftWidth);
    paintWhite(left);
    auto *column = new QVBoxLayout(left);
    column->setContentsMargins(8, 10, 4, 10);
    column->setSpacing(5);

    auto *newChapter = panelLink(QStringLiteral("新建一章试题"), PanelLink::Kind::Heading, left);
    newChapter->setObjectName(QStringLiteral("newChapter"));
    connect(newChapter, &LinkLabel::clicked, this, [this] { showPage(NewChapter); });
    column->addWidget(newChapter);
    column->addSpacing(8);

    auto *browseAll = panelLink(QStringLiteral("试题浏览"), PanelLink::Kind::Browse, left);
    browseAll->setObjectName(QStringLiteral("browseAll"));
    connect(browseAll, &LinkLabel::clicked, this, [this] {
        const QuestionEditor::Outcome outcome = m_editor.browseAll();
        showCounters();
        if (outcome == QuestionEditor::Outcome::Done) {
            showList();
            showPage(Browse);
        }
        follow(outcome);
    });
    column->addWidget(browseAll);
    static const QStringList browseNames = {QStringLiteral("单选浏览"), QStringLiteral("多选浏览"),
                                            QStringLiteral("填空浏览"), QStringLiteral("判断浏览"),
                                            QStringLiteral("论述浏览")};
    for (int type = 1; type <= 5; ++type) {
        auto *row = new QHBoxLayout;
        row->setSpacing(2);
        auto *link = panelLink(browseNames.at(type - 1), PanelLink::Kind::Type, left);
        link->setObjectName(QStringLiteral("browseType%1").arg(type));
        connect(link, &LinkLabel::clicked, this, [this, type] {
            const QuestionEditor::Outcome outcome = m_editor.browseType(type);
            if (outcome == QuestionEditor::Outcome::Done) {
                showList();
                showPage(Browse);
            }
            follow(outcome);
        });
        row->addWidget(link);
        m_counters[type] = new QLabel(QStringLiteral("[000]"), left);
        m_counters[type]->setObjectName(QStringLiteral("counter%1").arg(type));
        QFont arial(QStringLiteral("Arial"));
        arial.setPixelSize(11);
        m_counters[type]->setFont(arial);
        setTextColour(m_counters[type], rgb::kGrey);
        row->addWidget(m_counters[type]);
        row->addStretch();
        column->addLayout(row);
    }
    column->addSpacing(8);

    auto *inputHeading = panelLink(QStringLiteral("试题输入"), PanelLink::Kind::Heading, left);
    inputHeading->setObjectName(QStringLiteral("inputHeading"));
    inputHeading->setCursor(Qt::ArrowCursor);
    column->addWidget(inputHeading);
    static const QStringList inputNames = {QStringLiteral("单选输入"), QStringLiteral("多选输入"),
                                           QStringLiteral("填空输入"), QStringLiteral("判断输入"),
                                           QStringLiteral("论述输入")};
    for (int type = 1; type <= 5; ++type) {
        auto *link = panelLink(inputNames.at(type - 1), PanelLink::Kind::Type, left);
        link->setObjectName(QStringLiteral("input%1").arg(type));
        connect(link, &LinkLabel::clicked, this, [this, type] { openEntry(type); });
        column->addWidget(link);
    }
    column->addSpacing(10);
    for (const QString &hint : {QStringLiteral("提示：在小题上"), QStringLiteral("点击右键"),
                                QStringLiteral("修改或删除")}) {
        auto *label = new QLabel(hint, left);
        label->setFont(cjk::song(12));
        setTextColour(label, rgb::kRed);
        column->addWidget(label);
    }
    column->addSpacing(10);
    auto *help = new LinkLabel(QStringLiteral("试题输入帮助"), left);
    help->setObjectName(QStringLiteral("inputHelp"));
    help->setFont(cjk::song(12));
    help->setLook(QColor::fromRgb(rgb::kGreen), false, QColor::fromRgb(rgb::kGreen), false);
    connect(help, &LinkLabel::clicked, this, &EditorWindow::helpRequested);
    column->addWidget(help);
    column->addStretch();
    return left;
}

QWidget *EditorWindow::buildBrowsePage()
{
    auto *page = new QWidget;
    page->setObjectName(QStringLiteral("browsePage"));
    paintWhite(page);
    auto *column = new QVBoxLayout(page);
    column->setContentsMargins(10, 8, 10, 4);
    m_list = new QTableWidget(kListRows, 3, page);
    m_list->setObjectName(QStringLiteral("StringGrid1"));
    m_list->horizontalHeader()->hide();
    m_list->verticalHeader()->hide();
    m_list->setColumnWidth(0, 82);
    m_list->setColumnWidth(1, 89);
    m_list->setColumnWidth(2, 764);
    m_list->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_list->setSelectionMode(QAbstractItemView::SingleSelection);
    m_list->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_list->setFont(cjk::song(12));
    m_list->verticalHeader()->setDefaultSectionSize(24);
    m_list->setFixedHeight(kListRows * 24 + 4);
    m_list->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    for (int row = 0; row < kListRows; ++row) {
        for (int column = 0; column < 3; ++column) {
            auto *item = new QTableWidgetItem;
            if (column < 2)
                item->setTextAlignment(Qt::AlignCenter);
            m_list->setItem(row, column, item);
        }
    }
    m_list->installEventFilter(this);
    m_list->viewport()->installEventFilter(this);
    connect(m_list, &QTableWidget::currentCellChanged, this,
            [this](int row, int, int, int) { selectRow(row); });

    m_list->setContextMenuPolicy(Qt::ActionsContextMenu);
    const auto separator = [this] {
        auto *action = new QAction(m_list);
        action->setSeparator(true);
        m_list->addAction(action);
    };
    separator();
    auto *correct = new QAction(QStringLiteral("修改本小题"), m_list);
    correct->setObjectName(QStringLiteral("correctQuestion"));
    connect(correct, &QAction::triggered, this, &EditorWindow::correctSelected);
    m_list->addAction(correct);
    separator();
    auto *remove = new QAction(QStringLiteral("删除本小题"), m_list);
    remove->setObjectName(QStringLiteral("deleteQuestion"));
    connect(remove, &QAction::triggered, this, &EditorWindow::deleteSelected);
    m_list->addAction(remove);
    separator();
    column->addWidget(m_list);

    m_detail = new OutputView(page);
    m_detail->setObjectName(QStringLiteral("detail"));
    m_detail->setFixedSize(927, 140);
    m_detail->setDefaultFont(FontFamily::Song, 10);
    column->addWidget(m_detail);
    column->addStretch();
    return page;
}

QWidget *EditorWindow::buildNewChapterPage()
{
    auto *page = new QWidget;
    page->setObjectName(QStringLiteral("newChapterPage"));
    paintWhite(page);
    auto *column = new QVBoxLayout(page);
    column->setContentsMargins(40, 40, 40, 40);
    column->setSpacing(10);
    const QFont font = cjk::song(14);
    auto *nameCaption = new QLabel(QStringLiteral("新建一章试题名称："), page);
    nameCaption->setFont(font);
    column->addWidget(nameCaption);
    m_chapterName = new QLineEdit(page);
    m_chapterName->setObjectName(QStringLiteral("chapterName"));
    m_chapterName->setFixedWidth(606);
    m_chapterName->setFont(font);
    setTextColour(m_chapterName, rgb::kRed);
    column->addWidget(m_chapterName);
    auto *timeCaption = new QLabel(QStringLiteral("考试时间："), page);
    timeCaption->setFont(font);
    column->addWidget(timeCaption);
    auto *timeRow = new QHBoxLayout;
    m_examTime = new QLineEdit(QuestionEditor::kDefaultMinutes, page);
    m_examTime->setObjectName(QStringLiteral("examTime"));
    m_examTime->setFixedWidth(145);
    m_examTime->setFont(font);
    setTextColour(m_examTime, rgb::kRed);
    m_examTime->installEventFilter(this);
    timeRow->addWidget(m_examTime);
    auto *minutes = new QLabel(QStringLiteral("分钟"), page);
    minutes->setFont(font);
    timeRow->addWidget(minutes);
    timeRow->addStretch();
    column->addLayout(timeRow);
    auto *create = new QPushButton(QStringLiteral("确定"), page);
    create->setObjectName(QStringLiteral("createChapter"));
    create->setFixedSize(90, 28);
    connect(create, &QPushButton::clicked, this, [this] {
        const QuestionEditor::Outcome outcome =
            m_editor.createChapter(m_chapterName->text(), m_examTime->text(), QDate::currentDate());
        if (outcome == QuestionEditor::Outcome::ResetTime)
            m_examTime->setText(QuestionEditor::kDefaultMinutes);
    });
    column->addWidget(create);
    column->addStretch();
    return page;
}

QWidget *EditorWindow::buildPagingStrip()
{
    auto *strip = new QWidget(this);
    strip->setObjectName(QStringLiteral("pagingStrip"));
    strip->setFixedHeight(34);
    auto *row = new QHBoxLayout(strip);
    row->setContentsMargins(10, 2, 10, 2);
    const QFont font = cjk::song(12);
    m_info = new QLabel(QStringLiteral("信息"), strip);
    m_info->setObjectName(QStringLiteral("info"));
    m_info->setFont(font);
    m_info->setMinimumWidth(200);
    setTextColour(m_info, rgb::kRed);
    row->addWidget(m_info);
    QFont arial(QStringLiteral("Arial"));
    arial.setPixelSize(12);
    arial.setBold(true);
    const auto caption = [&](const QString &text) {
        auto *label = new QLabel(text, strip);
        label->setFont(font);
        row->addWidget(label);
    };
    caption(QStringLiteral("题目数："));
    m_count = new QLabel(QStringLiteral("0"), strip);
    m_count->setObjectName(QStringLiteral("count"));
    m_count->setFont(arial);
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
    m_pageCount->setFont(arial);
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
        connect(button, &QPushButton::clicked, this,
                [this, turnOf] { turn(turnOf, turnOf == QuestionEditor::Turn::First); });
        row->addWidget(button);
    }
    return strip;
}

void EditorWindow::open()
{
    m_editor.reloadBanks();
    m_banks->clear();
    m_banks->addItems(m_editor.bankNames());
    m_banks->setCurrentIndex(m_banks->count() > 0 ? 0 : -1);
    m_chapters->setCurrentIndex(m_chapters->count() > 0 ? 0 : -1);
    showPage(Empty);
    show();
    raise();
    activateWindow();
}

int EditorWindow::currentPage() const
{
    return m_pages->currentIndex();
}

QuestionPage *EditorWindow::page(int index) const
{
    return index >= 0 && index < 10 ? m_questionPages[index] : nullptr;
}

void EditorWindow::showPage(int page)
{
    m_pages->setCurrentIndex(page);
}

void EditorWindow::follow(QuestionEditor::Outcome outcome)
{
    if (outcome == QuestionEditor::Outcome::NoChapter)
        showPage(Empty);
}

void EditorWindow::showCounters()
{
    for (int type = 1; type <= 5; ++type)
        m_counters[type]->setText(m_editor.counterText(type));
}

void EditorWindow::showList()
{
    const BrowseList &browse = m_editor.browse();
    const QSignalBlocker blocker(m_list);
    for (int row = 0; row < kListRows; ++row) {
        const bool filled = row < browse.rows().size();
        const BrowseRow listed = filled ? browse.rows().at(row) : BrowseRow{};
        m_list->item(row, 0)->setText(filled ? QString::number(listed.id) : QString());
        m_list->item(row, 1)->setText(listed.typeName);
        m_list->item(row, 2)->setText(listed.stem);
    }
    m_count->setText(QString::number(browse.rowCount()));
    m_pageBox->setText(browse.pageText());
    m_pageCount->setText(QString::number(browse.pageCount()));
}

void EditorWindow::turn(QuestionEditor::Turn which, bool toList)
{
    const QuestionEditor::Outcome outcome = m_editor.turn(which);
    if (outcome == QuestionEditor::Outcome::Done) {
        showList();
        if (toList)
            showPage(Browse);
    }
    follow(outcome);
}

void EditorWindow::openEntry(int type)
{
    const QuestionEditor::Outcome outcome = m_editor.requireChapter();
    if (outcome != QuestionEditor::Outcome::Done) {
        follow(outcome);
        return;
    }
    QuestionPage *entry = m_questionPages[type - 1];
    entry->prepare();
    showPage(FirstEntry + type - 1);
}

void EditorWindow::save(QuestionPage *page)
{
    // The single-choice and fill-in pages clear their status before checking.
    if (page->type() == 1 || page->type() == 3)
        page->setStatus(QString());
    const QuestionEditor::Outcome outcome = m_editor.save(page->draft());
    switch (outcome) {
    case QuestionEditor::Outcome::ResetPoints:
        page->setPoints(draft::kDefaultPoints);
        break;
    case QuestionEditor::Outcome::Done:
        page->reset();
        page->setStatus(QuestionEditor::kSaved);
        showCounters();
        break;
    default:
        follow(outcome);
        break;
    }
}

void EditorWindow::confirm(QuestionPage *page)
{
    if (m_editor.confirmCorrection(page->draft()) != QuestionEditor::Outcome::Done)
        return;
    page->reset();
    page->setStatus(page->type() == 1 ? QuestionEditor::kSaved : QuestionEditor::kCorrected);
}

void EditorWindow::selectRow(int row)
{
    m_detail->clearLines();
    if (row < 0 || row >= kListRows)
        return;
    const QString id = text::trimmed(m_list->item(row, 0)->text());
    if (id.isEmpty())
        return;
    m_selectedRow = row;
    if (row >= 1 && row <= 10)
        m_info->hide();
    m_detail->setLines(m_editor.detail(id.toLongLong()));
}

qint64 EditorWindow::selectedId() const
{
    return text::trimmed(m_list->item(m_selectedRow, 0)->text()).toLongLong();
}

void EditorWindow::correctSelected()
{
    const qint64 id = selectedId();
    if (id <= 0)
        return;
    const std::optional<QuestionRow> question = m_editor.loadCorrection(id);
    if (!question || question->type < 1 || question->type > 5)
        return;
    QuestionPage *correction = m_questionPages[5 + question->type - 1];
    correction->setCorrectionId(id);
    correction->load(*question);
    showPage(FirstCorrection + question->type - 1);
}

void EditorWindow::deleteSelected()
{
    const qint64 id = selectedId();
    if (id <= 0)
        return;
    const QuestionEditor::Outcome outcome = m_editor.removeQuestion(id);
    showList();
    showCounters();
    m_detail->clearLines();
    follow(outcome);
}

bool EditorWindow::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_examTime && event->type() == QEvent::KeyPress) {
        // The time field takes typed digits only; Delete and pasting still work.
        auto *key = static_cast<QKeyEvent *>(event);
        if (key->key() == Qt::Key_Delete || key->text().isEmpty() ||
            key->matches(QKeySequence::Paste))
            return key->key() == Qt::Key_Backspace;
        const QChar typed = key->text().at(0);
        return !(typed >= u'0' && typed <= u'9');
    }
    if (watched == m_list && event->type() == QEvent::KeyRelease) {
        auto *key = static_cast<QKeyEvent *>(event);
        if (key->key() == Qt::Key_Up && m_selectedRow == 0) {
            m_list->setCurrentCell(kListRows - 1, 0);
            m_info->setText(QStringLiteral("提示：自动翻到上一页."));
            m_info->show();
            turn(QuestionEditor::Turn::Prior);
        } else if (key->key() == Qt::Key_Down && m_selectedRow == kListRows - 1) {
            m_list->setCurrentCell(0, 0);
            m_info->setText(QStringLiteral("提示：自动翻到下一页."));
            m_info->show();
            turn(QuestionEditor::Turn::Next);
        }
    }
    if (watched == m_list->viewport() && event->type() == QEvent::Wheel) {
        auto *wheel = static_cast<QWheelEvent *>(event);
        const int row = m_list->currentRow();
        if (wheel->angleDelta().y() < 0 && row == kListRows - 1) {
            turn(QuestionEditor::Turn::Next);
            m_list->setCurrentCell(0, 0);
            return true;
        }
        if (wheel->angleDelta().y() > 0 && row == 0) {
            turn(QuestionEditor::Turn::Prior);
            m_list->setCurrentCell(kListRows - 1, 0);
            return true;
        }
    }
    return QWidget::eventFilter(watched, event);
}
