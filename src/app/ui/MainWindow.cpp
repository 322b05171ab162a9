#include "app/ui/MainWindow.h"

#include "app/ui/LeftPanel.h"
#include "app/ui/MainWindowNames.h"
#include "app/ui/RunBarPanel.h"
#include "app/ui/SloganStrip.h"
#include "app/ui/StatusBarPanel.h"
#include "app/ui/TopBarPanel.h"
#include "base/Notifier.h"
#include "widgets/Theme.h"

#include <QCloseEvent>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QScreen>
#include <QStackedWidget>
#include <QTimer>
#include <QVBoxLayout>

MainWindow::MainWindow(Notifier &notifier, QWidget *parent)
    : MainFrame(parent, Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                            Qt::WindowCloseButtonHint),
      m_notifier(notifier)
{
    setObjectName(MainWindowNames::window);
    setWindowTitle(QStringLiteral("Quizmora") + QStringLiteral("V3.6"));
    setFixedSize(kClientWidth, kClientHeight);
    setFont(theme::font(theme::FontRole::Ui));
    setAutoFillBackground(true);

    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    m_topBar = new TopBarPanel(this);
    connect(m_topBar, &TopBarPanel::chapterLinkClicked, this, &MainFrame::chapterLinkClicked);
    layout->addWidget(m_topBar);
    auto *middle = new QHBoxLayout;
    middle->setSpacing(0);
    m_leftPanel = new LeftPanel(this);
    connect(m_leftPanel, &LeftPanel::gradeRequested, this, &MainFrame::gradeRequested);
    middle->addWidget(m_leftPanel);
    middle->addWidget(buildCentre(), 1);
    layout->addLayout(middle, 1);
    m_runBar = new RunBarPanel(this);
    connect(m_runBar, &RunBarPanel::priorRequested, this, &MainFrame::priorRequested);
    connect(m_runBar, &RunBarPanel::nextRequested, this, &MainFrame::nextRequested);
    layout->addWidget(m_runBar);
    m_statusBar = new StatusBarPanel(this);
    layout->addWidget(m_statusBar);

    m_clockTimer = new QTimer(this);
    m_clockTimer->setObjectName(QStringLiteral("ClockTimer"));
    m_clockTimer->setInterval(1000);
    connect(m_clockTimer, &QTimer::timeout, this, &MainWindow::tickClock);
    m_clockTimer->start();

    showLeftPage(LeftPage::Commands);

    // Centred on the screen.
    if (const QScreen *screen = QGuiApplication::primaryScreen()) {
        const QRect area = screen->availableGeometry();
        move(area.center() - QPoint(kClientWidth / 2, kClientHeight / 2));
    }
}

// The slogan strip over the page area.
QWidget *MainWindow::buildCentre()
{
    auto *centre = new QWidget(this);
    auto *column = new QVBoxLayout(centre);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(0);
    m_sloganStrip = new SloganStrip(kPageAreaWidth, centre);
    connect(m_sloganStrip, &SloganStrip::clicked, this, &MainFrame::sloganStripClicked);
    column->addWidget(m_sloganStrip);

    m_pageArea = new QStackedWidget(centre);
    m_pageArea->setObjectName(QStringLiteral("PageArea"));
    // Empty until a feature shows one of its pages.
    m_pageArea->addWidget(new QWidget(m_pageArea));
    m_firstPage = m_pageArea->count();
    column->addWidget(m_pageArea, 1);
    return centre;
}

PageHandle MainWindow::installPage(QWidget *page)
{
    return PageHandle(m_pageArea->addWidget(page) - m_firstPage);
}

void MainWindow::showPage(PageHandle page)
{
    if (QWidget *widget =
            page.isValid() ? m_pageArea->widget(page.serial() + m_firstPage) : nullptr)
        m_pageArea->setCurrentWidget(widget);
}

bool MainWindow::isShown(PageHandle page) const
{
    return page.isValid() && m_pageArea->currentIndex() == page.serial() + m_firstPage;
}

void MainWindow::addCommand(CommandGroup group, QWidget *command)
{
    m_leftPanel->addCommand(group, command);
}

void MainWindow::setQuestionStrip(QWidget *strip)
{
    m_runBar->setQuestionStrip(strip);
}

void MainWindow::addRunBarItem(QWidget *item, int stretch)
{
    m_runBar->addItem(item, stretch);
}

void MainWindow::addPracticeCommand(QWidget *command)
{
    m_leftPanel->addPracticeCommand(command);
}

void MainWindow::showLeftPage(LeftPage page)
{
    m_leftPanel->showPage(page);
}

void MainWindow::showTopBar(const TopBar &bar)
{
    m_topBar->render(bar);
}

void MainWindow::showRunCommands(const RunCommands &commands)
{
    m_leftPanel->render(commands);
}

void MainWindow::showRunBar(const RunBar &bar)
{
    m_runBar->render(bar);
}

void MainWindow::showCountdown(const QString &text)
{
    m_leftPanel->showCountdown(text);
}

void MainWindow::showSlogan(const QString &text, int x, bool shown)
{
    m_sloganStrip->showSlogan(text, x, shown);
}

void MainWindow::showIdleTime(const QString &text)
{
    m_statusBar->showIdleTime(text);
}

void MainWindow::tickClock()
{
    m_statusBar->tickClock();
}

void MainWindow::quitWithoutAsking()
{
    // The user chose to quit already; what would be lost is still told.
    for (const auto &question : m_closingQuestions) {
        if (const QString text = question();
            !text.isEmpty() &&
            !m_notifier.askYesNo(QStringLiteral("提示信息"), text, Notifier::Icon::Warning))
            return;
    }
    m_quitting = true;
    emit quitRequested();
}

void MainWindow::addClosingQuestion(std::function<QString()> question)
{
    m_closingQuestions.push_back(std::move(question));
}

void MainWindow::showEvent(QShowEvent *event)
{
    QWidget::showEvent(event);
    if (!m_shownOnce) {
        m_shownOnce = true;
        // After the window has painted itself.
        QTimer::singleShot(0, this, &MainWindow::firstShown);
    }
}

void MainWindow::closeEvent(QCloseEvent *event)
{
    if (m_quitting) {
        event->accept();
        return;
    }
    // A feature that would lose something asks in place of the usual question.
    QString question = QStringLiteral("你确定要关闭程序吗？");
    for (const auto &closing : m_closingQuestions) {
        if (const QString text = closing(); !text.isEmpty()) {
            question = text;
            break;
        }
    }
    if (!m_notifier.askYesNo(QStringLiteral("提示信息"), question, Notifier::Icon::Warning)) {
        event->ignore();
        return;
    }
    m_quitting = true;
    event->accept();
    emit quitRequested();
}
