#include "search/ui/SearchWindow.h"

#include "widgets/GbkLengthValidator.h"
#include "widgets/OutputView.h"
#include "widgets/Theme.h"

#include <QAction>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

SearchWindow::SearchWindow(QSqlDatabase db, Notifier &notifier, OutputCommands &commands,
                           std::function<QString()> currentChapter, QWidget *parent)
    : QWidget(parent, Qt::Window | Qt::FramelessWindowHint), m_search(std::move(db), notifier),
      m_commands(commands), m_currentChapter(std::move(currentChapter))
{
    setObjectName(SearchWindowNames::window);
    setWindowTitle(QStringLiteral("试题查询"));
    setWindowModality(Qt::ApplicationModal);

    QWidget *panel = theme::paperPanel(this, SearchWindowNames::panel);
    panel->setFixedWidth(220);

    auto *hint = new QLabel(QStringLiteral("请输入查询关键字:最大长度50 "), panel);
    hint->setObjectName(SearchWindowNames::keywordHint);
    theme::setTextColour(hint, theme::Colour::KeywordHint);
    m_keyword = new QLineEdit(panel);
    m_keyword->setObjectName(SearchWindowNames::keywordField);
    GbkLengthValidator::limit(m_keyword, KeywordSearch::kMaxKeywordLength);
    m_searchButton = new QPushButton(QStringLiteral("查询"), panel);
    m_searchButton->setObjectName(SearchWindowNames::searchButton);
    auto *close = new QPushButton(QStringLiteral("关闭"), panel);
    close->setObjectName(SearchWindowNames::closeButton);

    auto *left = new QVBoxLayout(panel);
    left->setContentsMargins(12, 16, 12, 16);
    left->setSpacing(10);
    left->addWidget(hint);
    left->addWidget(m_keyword);
    left->addWidget(m_searchButton);
    left->addWidget(close);
    left->addStretch();

    m_view = new OutputView(this);
    m_view->setObjectName(SearchWindowNames::hitsView);
    m_commands.installMenu(
        *m_view, this, QStringLiteral("复制到剪切板..."), [this] { copy(); },
        QStringLiteral("试题查询.pdf"));

    auto *layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(panel);
    layout->addWidget(m_view, 1);

    m_stretchTimer.setSingleShot(true);
    m_stretchTimer.setInterval(0);
    connect(&m_stretchTimer, &QTimer::timeout, this, &SearchWindow::nextStretch);
    connect(m_searchButton, &QPushButton::clicked, this, &SearchWindow::runSearch);
    connect(m_keyword, &QLineEdit::returnPressed, this, [this] {
        if (m_searchButton->isEnabled())
            runSearch();
    });
    connect(close, &QPushButton::clicked, this, &QWidget::close);
}

void SearchWindow::open()
{
    m_view->clearLines();
    m_searchButton->setEnabled(true);
    showFullScreen();
    raise();
    activateWindow();
    m_keyword->setFocus();
}

void SearchWindow::hideEvent(QHideEvent *event)
{
    // Nothing is written into a closed window: the pass ends here.
    m_stretchTimer.stop();
    m_search.stop();
    m_searchButton->setEnabled(true);
    QWidget::hideEvent(event);
}

void SearchWindow::runSearch()
{
    if (m_search.running())
        return;
    if (!m_search.start(m_currentChapter ? m_currentChapter() : QString(), m_keyword->text()))
        return;
    if (!isVisible()) // closed while the bank notice was up
    {
        m_search.stop();
        return;
    }
    m_searchButton->setEnabled(false);
    m_view->setLines(m_search.heading());
    m_stretchTimer.start();
    m_firstStretch = true;
}

void SearchWindow::nextStretch()
{
    m_search.next(m_firstStretch ? kFirstStretch : kStretch, [this](const StyledText &lines) {
        if (isVisible()) {
            m_view->appendLines(lines);
            m_view->scrollToEnd();
        }
    });
    m_firstStretch = false;
    if (m_search.running() && isVisible())
        m_stretchTimer.start();
    else
        m_searchButton->setEnabled(true);
}

void SearchWindow::copy()
{
    m_commands.copy(*m_view, KeywordSearch::copyNotice());
}
