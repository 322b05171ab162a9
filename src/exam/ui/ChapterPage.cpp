#include "exam/ui/ChapterPage.h"

#include "practice/ui/ChapterListDelegate.h"
#include "widgets/LinkLabel.h"
#include "widgets/OutputView.h"
#include "widgets/Theme.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QSignalBlocker>
#include <QVBoxLayout>

namespace {

QLabel *line(const QString &name, const QFont &font, theme::Tone tone, QWidget *parent)
{
    auto *label = new QLabel(parent);
    label->setObjectName(name);
    label->setFont(font);
    theme::setTone(label, tone);
    return label;
}

} // namespace

ChapterPage::ChapterPage(PracticeSession &session, QWidget *parent)
    : QWidget(parent), m_session(session)
{
    setObjectName(ChapterPageNames::page);
    theme::paintPaper(this);

    auto *column = new QVBoxLayout(this);
    column->setContentsMargins(18, 10, 18, 8);
    column->setSpacing(4);

    m_heading = line(QStringLiteral("LabelSetHeading"), theme::font(theme::FontRole::PageHeading),
                     theme::Tone::Heading, this);
    m_heading->setText(SequentialPractice::ChapterPage().heading);
    column->addWidget(m_heading);
    auto *current = line(QStringLiteral("LabelCurrentSet"),
                         theme::font(theme::FontRole::ChosenLine), theme::Tone::Plain, this);
    current->setText(QStringLiteral("当前选择试题:"));
    column->addWidget(current);
    m_setInfo = line(QStringLiteral("LabelSetInfo"), theme::font(theme::FontRole::PageText),
                     theme::Tone::ChosenSet, this);
    column->addWidget(m_setInfo);

    // The set list in two columns, "提取试题" beside it.
    auto *listRow = new QHBoxLayout;
    listRow->setSpacing(14);
    m_list = new QListWidget(this);
    m_list->setObjectName(QStringLiteral("ListBoxSets"));
    theme::setPart(m_list, QStringLiteral("setList"));
    m_list->setFont(theme::font(theme::FontRole::PageText));
    m_list->setFlow(QListView::TopToBottom);
    m_list->setWrapping(true);
    m_list->setResizeMode(QListView::Adjust);
    m_list->setUniformItemSizes(true);
    m_list->setSelectionMode(QAbstractItemView::SingleSelection);
    m_list->setHorizontalScrollMode(QAbstractItemView::ScrollPerPixel);
    m_list->setFixedSize(640, 4 * ChapterListDelegate::itemHeight(m_list->font()) + 6);
    m_list->setGridSize(
        QSize((m_list->width() - 6) / 2, ChapterListDelegate::itemHeight(m_list->font())));
    m_list->viewport()->setCursor(Qt::PointingHandCursor);
    m_list->setToolTip(QStringLiteral("系统提示：点击选择一套试题，再点击【提取试题】"));
    m_delegate = new ChapterListDelegate(m_list);
    m_list->setItemDelegate(m_delegate);
    connect(m_list, &QListWidget::itemClicked, this,
            [this](QListWidgetItem *item) { setClicked(m_list->row(item)); });
    connect(m_list, &QListWidget::itemDoubleClicked, this,
            [this](QListWidgetItem *item) { setClicked(m_list->row(item)); });
    // The keys move the chosen set itself, not only the highlight.
    connect(m_list, &QListWidget::currentRowChanged, this, [this](int row) {
        if (row >= 0)
            setClicked(row);
    });
    listRow->addWidget(m_list);
    m_extract = new QPushButton(QStringLiteral("提取试题"), this);
    m_extract->setObjectName(ChapterPageNames::extractButton);
    m_extract->setFont(theme::font(theme::FontRole::PageHeading));
    m_extract->setMinimumSize(120, 40);
    m_extract->setCursor(Qt::PointingHandCursor);
    connect(m_extract, &QPushButton::clicked, this, [this] { m_session.extract(); });
    listRow->addWidget(m_extract, 0, Qt::AlignTop);
    listRow->addStretch(1);
    column->addLayout(listRow);
    column->addSpacing(4);

    m_bankChapter = line(QStringLiteral("LabelBankChapter"),
                         theme::font(theme::FontRole::ChosenLine), theme::Tone::Detail, this);
    column->addWidget(m_bankChapter);

    // The level line with the restore link to its right and the hint under it,
    // placed by position.
    auto *levelArea = new QWidget(this);
    levelArea->setObjectName(QStringLiteral("LevelArea"));
    levelArea->setFixedHeight(kHintLineOffset + 36);
    m_level = line(QStringLiteral("LabelLevel"), theme::font(theme::FontRole::Level),
                   theme::Tone::Count, levelArea);
    m_level->setGeometry(0, 0, kRestoreLinkOffset - 6, kHintLineOffset);
    m_restore = new LinkLabel(QString(), levelArea);
    m_restore->setObjectName(ChapterPageNames::restoreLink);
    m_restore->setFont(theme::font(theme::FontRole::RestoreLink));
    const QColor restore = theme::colour(theme::Colour::RestoreLink);
    m_restore->setLook(restore, false, restore, false);
    m_restore->setGeometry(kRestoreLinkOffset, 0, 300, kHintLineOffset);
    connect(m_restore, &LinkLabel::clicked, this, &ChapterPage::restoreRequested);
    m_hint = line(QStringLiteral("LabelHint"), theme::font(theme::FontRole::Note),
                  theme::Tone::Note, levelArea);
    m_hint->setWordWrap(true);
    m_hint->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    m_hint->setGeometry(0, kHintLineOffset, 910, 34);
    column->addWidget(levelArea);

    // The practice log with its two links.
    auto *logRow = new QHBoxLayout;
    logRow->setSpacing(10);
    m_log = new OutputView(this);
    m_log->setObjectName(ChapterPageNames::logView);
    theme::setPart(m_log, QStringLiteral("practiceLog"));
    m_log->setDefaultFont(theme::font(theme::FontRole::DetailView));
    logRow->addWidget(m_log, 1);
    auto *links = new QVBoxLayout;
    links->setSpacing(10);
    m_listLog = new LinkLabel(QStringLiteral("查看我的做题记录"), this);
    m_listLog->setObjectName(ChapterPageNames::listLogLink);
    m_listLog->setFont(theme::font(theme::FontRole::PageText));
    connect(m_listLog, &LinkLabel::clicked, this, [this] { m_session.listLog(); });
    links->addWidget(m_listLog);
    m_deleteLog = new LinkLabel(QStringLiteral("删所有"), this);
    m_deleteLog->setObjectName(ChapterPageNames::deleteLogLink);
    m_deleteLog->setFont(theme::font(theme::FontRole::PageText));
    connect(m_deleteLog, &LinkLabel::clicked, this, [this] { m_session.deleteLog(); });
    links->addWidget(m_deleteLog);
    links->addStretch(1);
    m_logLinks = links;
    logRow->addLayout(links);
    column->addLayout(logRow, 1);
}

void ChapterPage::setClicked(int row)
{
    m_session.setClicked(row);
}

void ChapterPage::render(const SequentialPractice::ChapterPage &page, int highlightedSet,
                         int chosenSet, const PracticeSession::Frame &frame)
{
    m_heading->setText(page.heading);
    m_setInfo->setText(page.setInfoLine);
    {
        // The list shows the chosen set; putting it there is no choice of the user's.
        const QSignalBlocker quiet(m_list);
        if (page.setItems != m_items) {
            m_items = page.setItems;
            m_list->clear();
            m_list->addItems(m_items);
        }
        const int chosenRow = chosenSet < m_list->count() ? chosenSet : -1;
        if (m_list->currentRow() != chosenRow)
            m_list->setCurrentRow(chosenRow);
    }
    if (m_delegate->remembered() != highlightedSet || m_delegate->chosen() != chosenSet) {
        m_delegate->setRemembered(highlightedSet);
        m_delegate->setChosen(chosenSet);
        m_list->viewport()->update();
    }
    m_list->setEnabled(frame.setChoiceEnabled);
    m_extract->setEnabled(frame.setChoiceEnabled);
    m_bankChapter->setText(page.bankChapterLine);
    m_level->setText(page.levelLine);
    m_restore->setText(page.restoreLinkText);
    // A load of one type offers no restore: the emptied link is no click
    // target either (blank space must never put the bank back to practise).
    m_restore->setVisible(!page.restoreLinkText.isEmpty());
    m_hint->setText(page.hintLine);
    if (frame.logSerial != m_logSerial) {
        m_logSerial = frame.logSerial;
        m_log->setLines(frame.logLines);
        m_log->scrollToEnd();
    }
}

void ChapterPage::addLogLink(QWidget *link)
{
    link->setParent(this);
    link->setFont(theme::font(theme::FontRole::PageText));
    // Before the stretch that keeps the links at the top.
    m_logLinks->insertWidget(m_logLinks->count() - 1, link);
}
