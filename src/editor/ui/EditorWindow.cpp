#include "editor/ui/EditorWindow.h"

#include "editor/ui/EditorWindowNames.h"

#include "editor/ui/BrowsePanel.h"
#include "editor/ui/NewChapterPage.h"
#include "editor/ui/QuestionPage.h"
#include "editor/ui/QuestionPages.h"
#include "question/QuestionType.h"
#include "widgets/LinkLabel.h"
#include "widgets/Theme.h"

#include <QAbstractItemView>
#include <QComboBox>
#include <QCompleter>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QStackedWidget>
#include <QStatusBar>
#include <QVBoxLayout>

namespace {

QLabel *numberBox(QLatin1StringView name, QWidget *parent)
{
    auto *label = new QLabel(parent);
    label->setObjectName(name);
    label->setMinimumWidth(40);
    theme::fill(label, theme::Colour::IdBox);
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
        setFont(theme::font(theme::FontRole::EditorText));
        const bool bold = kind == Kind::Heading;
        setLook(theme::colour(theme::Colour::LinkRest), bold,
                theme::colour(theme::Colour::LinkHover), kind == Kind::Type || bold);
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
      m_editor(db, notifier)
{
    setObjectName(EditorWindowNames::window);
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
    m_pages->setObjectName(EditorWindowNames::pages);
    m_questionPages = new QuestionPages(m_editor, m_pages);
    m_browse = new BrowsePanel(m_editor);
    m_pages->addWidget(m_browse);
    m_pages->addWidget(theme::paperPanel(nullptr, QStringLiteral("emptyPage")));
    m_newChapterPage = new NewChapterPage(m_editor);
    m_pages->addWidget(m_newChapterPage);
    mainArea->addWidget(m_pages, 1);
    mainArea->addWidget(m_browse->pagingStrip());
    middle->addLayout(mainArea, 1);
    outer->addLayout(middle, 1);

    auto *status = new QStatusBar(this);
    status->setObjectName(EditorWindowNames::statusBar);
    status->setSizeGripEnabled(false);
    outer->addWidget(status);

    connect(m_questionPages, &QuestionPages::questionsChanged, this, &EditorWindow::showCounters);
    connect(m_questionPages, &QuestionPages::noChapter, this, [this] { showPage(Empty); });
    connect(m_browse, &BrowsePanel::questionsChanged, this, &EditorWindow::showCounters);
    connect(m_browse, &BrowsePanel::noChapter, this, [this] { showPage(Empty); });
    connect(m_browse, &BrowsePanel::listOpened, this, [this] { showPage(Browse); });
    connect(m_browse, &BrowsePanel::correctionRequested, this, [this](const QuestionRow &question) {
        showPage(m_questionPages->openCorrection(question));
    });

    showPage(Empty);
}

QWidget *EditorWindow::buildTop()
{
    auto *top = new QWidget(this);
    top->setObjectName(QStringLiteral("topStrip"));
    top->setFixedHeight(kTopHeight);
    theme::paintPaper(top);
    auto *row = new QHBoxLayout(top);
    row->setContentsMargins(8, 4, 8, 4);
    const QFont font = theme::font(theme::FontRole::EditorText);
    auto *bankCaption = new QLabel(QStringLiteral("试题库:"), top);
    bankCaption->setFont(font);
    row->addWidget(bankCaption);
    m_banks = new QComboBox(top);
    m_banks->setObjectName(EditorWindowNames::bankSelector);
    m_banks->setMinimumWidth(170);
    m_banks->setFont(font);
    row->addWidget(m_banks);
    m_bankId = numberBox(EditorWindowNames::bankNumber, top);
    row->addWidget(m_bankId);
    row->addSpacing(12);
    auto *chapterCaption = new QLabel(QStringLiteral("章名:"), top);
    chapterCaption->setFont(font);
    row->addWidget(chapterCaption);
    m_chapters = new QComboBox(top);
    m_chapters->setObjectName(EditorWindowNames::chapterSelector);
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
    m_chapterId = numberBox(EditorWindowNames::chapterNumber, top);
    row->addWidget(m_chapterId);
    row->addSpacing(12);
    auto *deleteAll = new LinkLabel(QStringLiteral("将该章节下试题全部删除"), top);
    auto *deleteChapter = new LinkLabel(QStringLiteral("删除章节"), top);
    for (LinkLabel *link : {deleteAll, deleteChapter}) {
        link->setFont(font);
        // These links keep their look under the pointer.
        link->setLook(theme::colour(theme::Colour::Text), false, theme::colour(theme::Colour::Text),
                      false);
        row->addWidget(link);
    }
    deleteAll->setObjectName(QStringLiteral("deleteQuestions"));
    deleteChapter->setObjectName(QStringLiteral("deleteChapter"));

    connect(m_banks, &QComboBox::activated, this, &EditorWindow::chooseBank);
    connect(m_chapters, &QComboBox::activated, this, &EditorWindow::chooseChapter);
    connect(deleteAll, &LinkLabel::clicked, this, &EditorWindow::removeChapterQuestions);
    connect(deleteChapter, &LinkLabel::clicked, this, &EditorWindow::removeChapter);
    return top;
}

QWidget *EditorWindow::buildLeft()
{
    auto *left = new QWidget(this);
    left->setObjectName(QStringLiteral("leftPanel"));
    left->setFixedWidth(kLeftWidth);
    theme::paintPaper(left);
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
        showBrowsed(outcome);
    });
    column->addWidget(browseAll);
    static const QStringList browseNames = {QStringLiteral("单选浏览"), QStringLiteral("多选浏览"),
                                            QStringLiteral("填空浏览"), QStringLiteral("判断浏览"),
                                            QStringLiteral("论述浏览")};
    for (const QuestionType questionType : question::allTypes()) {
        const int type = question::code(questionType);
        auto *row = new QHBoxLayout;
        row->setSpacing(2);
        auto *link = panelLink(browseNames.at(type - 1), PanelLink::Kind::Type, left);
        link->setObjectName(QStringLiteral("browseType%1").arg(type));
        connect(link, &LinkLabel::clicked, this,
                [this, type] { showBrowsed(m_editor.browseType(type)); });
        row->addWidget(link);
        m_counters[type] = new QLabel(QStringLiteral("[000]"), left);
        m_counters[type]->setObjectName(QStringLiteral("counter%1").arg(type));
        m_counters[type]->setFont(theme::font(theme::FontRole::EditorCounter));
        theme::setTextColour(m_counters[type], theme::Colour::EditorCount);
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
    for (const QuestionType questionType : question::allTypes()) {
        const int type = question::code(questionType);
        auto *link = panelLink(inputNames.at(type - 1), PanelLink::Kind::Type, left);
        link->setObjectName(QStringLiteral("input%1").arg(type));
        connect(link, &LinkLabel::clicked, this, [this, type] {
            const int index = m_questionPages->openEntry(type);
            if (index >= 0)
                showPage(index);
        });
        column->addWidget(link);
    }
    column->addSpacing(10);
    for (const QString &hint : {QStringLiteral("提示：在小题上"), QStringLiteral("点击右键"),
                                QStringLiteral("修改或删除")}) {
        auto *label = new QLabel(hint, left);
        label->setFont(theme::font(theme::FontRole::EditorText));
        theme::setTextColour(label, theme::Colour::EditorHint);
        column->addWidget(label);
    }
    column->addSpacing(10);
    auto *help = new LinkLabel(QStringLiteral("试题输入帮助"), left);
    help->setObjectName(QStringLiteral("inputHelp"));
    help->setFont(theme::font(theme::FontRole::EditorText));
    help->setLook(theme::colour(theme::Colour::HelpLink), false,
                  theme::colour(theme::Colour::HelpLink), false);
    connect(help, &LinkLabel::clicked, this, &EditorWindow::helpRequested);
    column->addWidget(help);
    column->addSpacing(10);
    // Whole question lists in and out.
    auto *importList = new LinkLabel(QStringLiteral("批量导入试题"), left);
    importList->setObjectName(QStringLiteral("importList"));
    auto *exportList = new LinkLabel(QStringLiteral("导出本章试题..."), left);
    exportList->setObjectName(QStringLiteral("exportList"));
    for (LinkLabel *link : {importList, exportList}) {
        link->setFont(theme::font(theme::FontRole::EditorText));
        link->setLook(theme::colour(theme::Colour::HelpLink), false,
                      theme::colour(theme::Colour::HelpLink), true);
        column->addWidget(link);
    }
    connect(importList, &LinkLabel::clicked, this, &EditorWindow::importRequested);
    connect(exportList, &LinkLabel::clicked, this, &EditorWindow::exportRequested);
    column->addStretch();
    return left;
}

void EditorWindow::open()
{
    m_editor.reloadBanks();
    m_banks->clear();
    m_banks->addItems(m_editor.bankNames());
    m_banks->setCurrentIndex(m_editor.listedBankIndex());
    // The chapter selector keeps the chapters listed last time and shows the
    // chapter chosen then, so that what the selectors show is what the
    // editor works on.
    m_chapters->clear();
    m_chapters->addItems(m_editor.chapterItems());
    m_chapters->setCurrentIndex(m_editor.currentChapterIndex());
    m_bankId->setText(m_editor.bankIdText());
    showChapterId();
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
    return m_questionPages->page(index);
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
    for (const QuestionType questionType : question::allTypes()) {
        const int type = question::code(questionType);
        m_counters[type]->setText(m_editor.counterText(type));
    }
}

void EditorWindow::showChapterId()
{
    m_chapterId->setText(m_editor.chapterIdText());
}

void EditorWindow::questionsAdded(qint64 chapterId)
{
    if (chapterId > 0 && chapterId == m_editor.currentChapter())
        showBrowsed(m_editor.browseAll());
}

void EditorWindow::showBrowsed(QuestionEditor::Outcome outcome)
{
    m_browse->showList();
    if (outcome == QuestionEditor::Outcome::Done)
        showPage(Browse);
    follow(outcome);
}

void EditorWindow::chooseBank(int index)
{
    m_editor.chooseBank(index);
    m_chapters->clear();
    m_chapters->addItems(m_editor.chapterItems());
    m_chapters->setCurrentIndex(m_chapters->count() > 0 ? 0 : -1);
    m_bankId->setText(m_editor.bankIdText());
    // No chapter of the new bank is chosen yet: nothing is listed or counted.
    showChapterId();
    showCounters();
    m_browse->showList();
}

void EditorWindow::chooseChapter(int index)
{
    const QuestionEditor::Outcome outcome = m_editor.chooseChapter(index);
    showChapterId();
    showCounters();
    showBrowsed(outcome);
}

void EditorWindow::removeChapterQuestions()
{
    // The chapter the selector shows, named by its item.
    const int index = m_chapters->currentIndex();
    const QuestionEditor::Outcome outcome = m_editor.removeChapterQuestions(
        index, m_banks->currentText(), index >= 0 ? m_chapters->itemText(index) : QString());
    showCounters();
    if (outcome == QuestionEditor::Outcome::Done)
        m_browse->showList();
    follow(outcome);
}

void EditorWindow::removeChapter()
{
    const QuestionEditor::Outcome outcome = m_editor.removeChapter(m_chapters->currentIndex());
    showChapterId();
    showCounters();
    m_browse->showList();
    if (m_editor.currentChapter() == 0)
        showPage(Empty);
    follow(outcome);
}
