#include "app/ui/MainWindow.h"

#include "base/Notifier.h"
#include "settings/ui/SettingsPage.h"
#include "widgets/CjkFonts.h"
#include "widgets/LinkLabel.h"
#include "widgets/Theme.h"

#include <QCloseEvent>
#include <QColor>
#include <QComboBox>
#include <QFrame>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QMouseEvent>
#include <QProgressBar>
#include <QPushButton>
#include <QScreen>
#include <QScrollArea>
#include <QSlider>
#include <QStackedWidget>
#include <QTimer>
#include <QToolButton>
#include <QVBoxLayout>
#include <algorithm>
#include <exception>
#include <iterator>

namespace {

constexpr int kSloganHeight = 49;
constexpr int kStatusBarHeight = 22;
constexpr int kSloganStart = 709;

Settings loadSettings(const SettingsStore &store)
{
    try {
        return store.load();
    } catch (const std::exception &error) {
        // An unreadable settings row leaves the built-in values.
        qWarning("drillbay: settings not read: %s", error.what());
        return Settings();
    }
}

const char *const kPageNames[] = {
    "TabSheetSingle",          "TabSheetMultiple",
    "TabSheetFillIn",          "TabSheetTrueFalse",
    "TabSheetEssay",           "TabSheet7",
    "TabSheetSettings",        "TabSheet10",
    "TabSheetCompose",         "TabSheet14",
    "TabSheetRegulationWrite", "TabSheetJoke",
    "TabSheetPassword",        "TabSheetPasswordChange",
};

// Titles of the command groups in their order; the editor's command shares
// the tools' box, and the settings button stands in a box of its own without
// a title (its caption says what it is).
const char *const kGroupTitles[] = {"章节练习", "模拟考试", "题库工具", nullptr, "资料与其他", ""};

constexpr int kCommandHeight = 26;

QPushButton *commandButton(const QString &name, const QString &text, QWidget *parent)
{
    auto *button = new QPushButton(text, parent);
    button->setObjectName(name);
    button->setMinimumHeight(26);
    button->setCursor(Qt::PointingHandCursor);
    return button;
}

} // namespace

MainWindow::MainWindow(QSqlDatabase db, Notifier &notifier, QWidget *parent)
    : MainFrame(parent, Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                            Qt::WindowCloseButtonHint),
      m_db(db), m_notifier(notifier), m_store(db), m_startup(loadSettings(m_store)),
      m_settingsForm(m_startup)
{
    setObjectName(QStringLiteral("TForm1"));
    setWindowTitle(QStringLiteral("Quizmora") + QStringLiteral("V3.6"));
    setFixedSize(kClientWidth, kClientHeight);
    setFont(theme::font(theme::FontRole::Ui));
    setAutoFillBackground(true);

    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(buildTopBar());
    auto *middle = new QHBoxLayout;
    middle->setSpacing(0);
    middle->addWidget(buildLeftPanel());
    middle->addWidget(buildCentre(), 1);
    layout->addLayout(middle, 1);
    layout->addWidget(buildBottomBar());
    layout->addWidget(buildStatusBar());

    m_clockTimer = new QTimer(this);
    m_clockTimer->setObjectName(QStringLiteral("ClockTimer"));
    m_clockTimer->setInterval(1000);
    connect(m_clockTimer, &QTimer::timeout, this, &MainWindow::tickClock);
    m_clockTimer->start();

    showPage(Page::SingleChoice);
    showLeftPage(LeftPage::Commands);

    // Centred on the screen.
    if (const QScreen *screen = QGuiApplication::primaryScreen()) {
        const QRect area = screen->availableGeometry();
        move(area.center() - QPoint(kClientWidth / 2, kClientHeight / 2));
    }
}

QWidget *MainWindow::buildTopBar()
{
    auto *bar = new QFrame(this);
    bar->setObjectName(QStringLiteral("TopBar"));
    bar->setFixedHeight(MainWindow::kTopBarHeight);
    auto *row = new QHBoxLayout(bar);
    row->setContentsMargins(14, 0, 16, 0);
    row->setSpacing(6);

    m_chapterCaption = new QLabel(QStringLiteral("★选择章节："), bar);
    m_chapterCaption->setObjectName(QStringLiteral("LabelChapterCaption"));
    m_chapterCaption->setFont(theme::font(theme::FontRole::Caption));
    theme::setTone(m_chapterCaption, theme::Tone::OnBar);
    row->addWidget(m_chapterCaption);

    m_chapterLink = new LinkLabel(QStringLiteral("（点击此处选择章节）"), bar);
    m_chapterLink->setObjectName(QStringLiteral("Label19"));
    m_chapterLink->setFont(cjk::hei(15));
    m_chapterLink->setLook(theme::colour(theme::Colour::Text), false,
                           theme::colour(theme::Colour::ChapterLinkHover), true);
    m_chapterLink->setMinimumWidth(360);
    connect(m_chapterLink, &LinkLabel::clicked, this, &MainWindow::chapterLinkClicked);
    row->addWidget(m_chapterLink);
    // Takes the room the link leaves, also while the link is hidden in a run.
    row->addStretch(1);

    m_runStatus = new QLabel(QStringLiteral("练习状态"), bar);
    m_runStatus->setObjectName(QStringLiteral("LabelRunStatus"));
    m_runStatus->setFont(cjk::hei(14, true));
    theme::setTone(m_runStatus, theme::Tone::OnBar);
    row->addWidget(m_runStatus);
    row->addSpacing(30);

    const QString hint = QStringLiteral("系统提示：正确数/题数/客观总题目");
    auto *resultCaption = new QLabel(QStringLiteral("[正率/客观题]"), bar);
    resultCaption->setObjectName(QStringLiteral("LabelResultCaption"));
    resultCaption->setFont(cjk::hei(14));
    theme::setTone(resultCaption, theme::Tone::OnBar);
    resultCaption->setToolTip(hint);
    row->addWidget(resultCaption);
    m_result = new QLabel(QStringLiteral("00/00"), bar);
    m_result->setObjectName(QStringLiteral("LabelResult"));
    m_result->setFont(cjk::hei(16, true));
    m_result->setTextFormat(Qt::RichText);
    m_result->setToolTip(hint);
    row->addWidget(m_result);
    bar->setToolTip(hint);
    return bar;
}

QWidget *MainWindow::buildLeftPanel()
{
    m_leftPanel = new QStackedWidget(this);
    m_leftPanel->setObjectName(QStringLiteral("LeftPanel"));
    m_leftPanel->setFixedWidth(kLeftPanelWidth);

    // Command page: titled groups, shown once they hold a command. The groups
    // keep their natural heights; when the features' commands outgrow the
    // panel, the page scrolls rather than squeezing buttons into each other.
    auto *scroller = new QScrollArea(m_leftPanel);
    scroller->setObjectName(QStringLiteral("CommandPage"));
    scroller->setFrameShape(QFrame::NoFrame);
    scroller->setWidgetResizable(true);
    scroller->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    m_commandPage = scroller;
    auto *list = new QWidget(scroller);
    list->setObjectName(QStringLiteral("CommandList"));
    auto *commands = new QVBoxLayout(list);
    commands->setContentsMargins(6, 5, 6, 5);
    commands->setSpacing(5);
    for (const char *title : kGroupTitles) {
        if (!title) { // shares the box before it
            m_groupBoxes << m_groupBoxes.constLast();
            m_groupLayouts << m_groupLayouts.constLast();
            continue;
        }
        auto *box = new QFrame(list);
        box->setObjectName(QStringLiteral("CommandGroup"));
        auto *inner = new QVBoxLayout(box);
        inner->setContentsMargins(8, 3, 8, 5);
        inner->setSpacing(2);
        if (*title) {
            auto *heading = new QLabel(QString::fromUtf8(title), box);
            heading->setObjectName(QStringLiteral("GroupTitle"));
            heading->setFont(cjk::hei(13, true));
            inner->addWidget(heading);
        }
        box->setVisible(false);
        commands->addWidget(box);
        m_groupBoxes << box;
        m_groupLayouts << inner;
    }
    commands->addStretch(1);
    scroller->setWidget(list);

    auto *settingsButton =
        commandButton(QStringLiteral("Button12"), QStringLiteral("系统配置"), list);
    settingsButton->setToolTip(
        QStringLiteral("系统提示：设定系统配置如分割试题的多少，是否显示即时答案等，下次启动有效"));
    connect(settingsButton, &QPushButton::clicked, this, [this] { showPage(Page::Settings); });
    addCommand(CommandGroup::System, settingsButton);
    m_leftPanel->addWidget(m_commandPage);

    // Practice page: the countdown and the commands of a run.
    m_practicePage = new QWidget(m_leftPanel);
    m_practicePage->setObjectName(QStringLiteral("PracticePage"));
    auto *practice = new QVBoxLayout(m_practicePage);
    practice->setContentsMargins(10, 14, 10, 10);
    practice->setSpacing(8);
    auto *countdownCaption = new QLabel(QStringLiteral("倒计时"), m_practicePage);
    countdownCaption->setObjectName(QStringLiteral("LabelCountdownCaption"));
    countdownCaption->setFont(theme::font(theme::FontRole::Caption));
    countdownCaption->setAlignment(Qt::AlignCenter);
    theme::setTone(countdownCaption, theme::Tone::Heading);
    practice->addWidget(countdownCaption);
    m_countdown = new QLabel(QStringLiteral("00:00"), m_practicePage);
    m_countdown->setObjectName(QStringLiteral("LabelCountdown"));
    m_countdown->setFont(cjk::hei(30, true));
    m_countdown->setAlignment(Qt::AlignCenter);
    practice->addWidget(m_countdown);
    practice->addSpacing(6);
    m_gradeButton = new QToolButton(m_practicePage);
    m_gradeButton->setObjectName(QStringLiteral("SpeedButton13"));
    m_gradeButton->setText(QStringLiteral("交卷评阅"));
    m_gradeButton->setFont(theme::font(theme::FontRole::Caption));
    m_gradeButton->setMinimumHeight(38);
    m_gradeButton->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
    m_gradeButton->setCursor(Qt::PointingHandCursor);
    connect(m_gradeButton, &QToolButton::clicked, this, &MainFrame::gradeRequested);
    practice->addWidget(m_gradeButton);
    m_practiceCommands = new QVBoxLayout;
    m_practiceCommands->setSpacing(8);
    practice->addLayout(m_practiceCommands);
    practice->addStretch(1);
    m_practiceBack = new QToolButton(m_practicePage);
    m_practiceBack->setObjectName(QStringLiteral("ImageBackToCommands"));
    m_practiceBack->setText(QStringLiteral("◀ 返回功能菜单"));
    m_practiceBack->setAutoRaise(true);
    m_practiceBack->setCursor(Qt::PointingHandCursor);
    m_practiceBack->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
    connect(m_practiceBack, &QToolButton::clicked, this,
            [this] { showLeftPage(LeftPage::Commands); });
    practice->addWidget(m_practiceBack);
    m_leftPanel->addWidget(m_practicePage);
    return m_leftPanel;
}

QWidget *MainWindow::buildCentre()
{
    auto *centre = new QWidget(this);
    auto *column = new QVBoxLayout(centre);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(0);

    // The slogan strip; its label is placed by position so that it can move.
    auto *sloganStrip = new QFrame(centre);
    sloganStrip->setObjectName(QStringLiteral("Panel6"));
    sloganStrip->setFixedHeight(kSloganHeight);
    sloganStrip->installEventFilter(this);
    m_sloganStrip = sloganStrip;
    auto *sloganLabel =
        new QLabel(QStringLiteral("电力工作人员必备环节  电力安全高于一切"), sloganStrip);
    m_slogan = sloganLabel;
    sloganLabel->setObjectName(QStringLiteral("Label41"));
    sloganLabel->setFont(cjk::youyuan(19, true));
    QPalette green = sloganLabel->palette();
    green.setColor(QPalette::WindowText, theme::colour(theme::Colour::Slogan));
    sloganLabel->setPalette(green);
    sloganLabel->adjustSize();
    const int stripWidth = kClientWidth - kLeftPanelWidth;
    // The text starts at its design position, moved left only as far as needed
    // to be read whole while it stands still.
    const int x = std::min(kSloganStart, stripWidth - sloganLabel->width() - 24);
    sloganLabel->move(x, (kSloganHeight - sloganLabel->height()) / 2);
    column->addWidget(sloganStrip);

    m_pageArea = new QStackedWidget(centre);
    m_pageArea->setObjectName(QStringLiteral("PageArea"));
    for (const char *name : kPageNames) {
        auto *placeholder = new QWidget(m_pageArea);
        placeholder->setObjectName(QString::fromLatin1(name));
        m_pageArea->addWidget(placeholder);
    }
    m_settingsPage = new SettingsPage(m_settingsForm, m_store, m_notifier);
    installPage(Page::Settings, m_settingsPage);
    connect(m_settingsPage, &SettingsPage::quitRequested, this, &MainWindow::quitWithoutAsking);
    connect(m_settingsPage, &SettingsPage::backToQuestions, this,
            [this] { showPage(Page::SingleChoice); });
    connect(m_settingsPage, &SettingsPage::sliderPositionChanged, this,
            &MainFrame::delaySliderMoved);
    column->addWidget(m_pageArea, 1);
    return centre;
}

QWidget *MainWindow::buildBottomBar()
{
    // Not of fixed height: the strip area above the row grows with the rows of
    // question numbers a run needs, and the page area gives up the room.
    auto *bar = new QFrame(this);
    bar->setObjectName(QStringLiteral("BottomBar"));
    bar->setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Fixed);
    auto *column = new QVBoxLayout(bar);
    column->setContentsMargins(0, 3, 10, 4);
    column->setSpacing(2);

    m_stripArea = new QWidget(bar);
    m_stripArea->setObjectName(QStringLiteral("QuestionStrip"));
    m_stripArea->setMinimumHeight(24);
    m_stripArea->setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Fixed);
    column->addWidget(m_stripArea);

    auto *row = new QHBoxLayout;
    row->setContentsMargins(10, 0, 0, 0);
    row->setSpacing(8);
    m_progress = new QProgressBar(bar);
    m_progress->setObjectName(QStringLiteral("ProgressBar1"));
    m_progress->setRange(0, 100);
    m_progress->setValue(0);
    m_progress->setTextVisible(false);
    m_progress->setFixedSize(250, 16);
    row->addWidget(m_progress);
    m_percent = new QLabel(QStringLiteral("100%"), bar);
    m_percent->setObjectName(QStringLiteral("LabelPercent"));
    m_percent->setFont(cjk::hei(14, true));
    theme::setTone(m_percent, theme::Tone::Alert);
    m_percent->setMinimumWidth(44);
    row->addWidget(m_percent);

    // The legend, with the hand-in hint under it while it is shown.
    auto *notes = new QVBoxLayout;
    notes->setSpacing(0);
    auto *legend = new QLabel(QStringLiteral("红色表示你答错了 绿色表示正确 灰色表示主观题"), bar);
    legend->setObjectName(QStringLiteral("LabelLegend"));
    legend->setFont(theme::font(theme::FontRole::Note));
    theme::setTone(legend, theme::Tone::Note);
    notes->addWidget(legend);
    m_bottomHint = new QLabel(QStringLiteral("请点击[交卷评阅]按钮交卷后进行答案对照"), bar);
    m_bottomHint->setObjectName(QStringLiteral("LabelHandInHint"));
    m_bottomHint->setFont(cjk::song(12, true));
    theme::setTone(m_bottomHint, theme::Tone::HandInHint);
    QSizePolicy keep = m_bottomHint->sizePolicy();
    keep.setRetainSizeWhenHidden(true);
    m_bottomHint->setSizePolicy(keep);
    m_bottomHint->setVisible(false);
    notes->addWidget(m_bottomHint);
    row->addLayout(notes);

    m_runBarItems = new QHBoxLayout;
    m_runBarItems->setSpacing(6);
    row->addLayout(m_runBarItems, 1);
    auto *prior = new QPushButton(QStringLiteral("前一题[Prior]"), bar);
    prior->setObjectName(QStringLiteral("Button1"));
    prior->setMinimumSize(112, 28);
    m_next = new QPushButton(QStringLiteral("下一题[Next]"), bar);
    m_next->setObjectName(QStringLiteral("Button2"));
    m_next->setMinimumSize(112, 28);
    connect(prior, &QPushButton::clicked, this, &MainFrame::priorRequested);
    connect(m_next, &QPushButton::clicked, this, &MainFrame::nextRequested);
    row->addWidget(prior);
    row->addWidget(m_next);
    column->addLayout(row);
    return bar;
}

QWidget *MainWindow::buildStatusBar()
{
    // Three panels of 300, 600 and 300 pixels; the last one runs past the
    // window's right edge, its centred clock stays visible.
    auto *bar = new QFrame(this);
    bar->setObjectName(QStringLiteral("StatusBar"));
    bar->setFixedHeight(kStatusBarHeight);
    const int widths[] = {300, 600, 300};
    int x = 0;
    for (const int width : widths) {
        auto *panel = new QLabel(bar);
        panel->setObjectName(QStringLiteral("StatusPanel%1").arg(m_status.size() + 1));
        panel->setAlignment(Qt::AlignCenter);
        panel->setGeometry(x, 2, width - 2, kStatusBarHeight - 3);
        x += width;
        m_status << panel;
    }
    m_status[1]->setText(QStringLiteral("电力安全规程考试训练    安全第一  预防为主"));
    m_status[2]->setText(m_clock.text());
    return bar;
}

void MainWindow::setChapterName(const QString &name)
{
    m_chapterName = name;
    m_chapterLink->setText(name.isEmpty() ? QStringLiteral("（点击此处选择章节）") : name);
    m_chapterLink->repaint();
}

void MainWindow::showLeftPage(LeftPage page)
{
    m_leftPanel->setCurrentWidget(page == LeftPage::Commands ? m_commandPage : m_practicePage);
}

void MainWindow::addCommand(CommandGroup group, QWidget *command)
{
    const int index = static_cast<int>(group);
    // Buttons and choice boxes of the command page share one height, so that
    // every group fits the panel without scrolling.
    if (qobject_cast<QPushButton *>(command) || qobject_cast<QComboBox *>(command))
        command->setFixedHeight(kCommandHeight);
    command->setParent(m_groupBoxes.at(index));
    m_groupLayouts.at(index)->addWidget(command);
    m_groupBoxes.at(index)->setVisible(true);
}

MainWindow::Page MainWindow::currentPage() const
{
    return static_cast<Page>(m_pageArea->currentIndex());
}

void MainWindow::showPage(Page page)
{
    m_pageArea->setCurrentIndex(static_cast<int>(page));
}

void MainWindow::installPage(Page page, QWidget *widget)
{
    const int index = static_cast<int>(page);
    QWidget *old = m_pageArea->widget(index);
    if (old == widget)
        return;
    const bool wasCurrent = m_pageArea->currentIndex() == index;
    if (widget->objectName().isEmpty())
        widget->setObjectName(pageName(page));
    m_pageArea->insertWidget(index, widget);
    m_pageArea->removeWidget(old);
    old->deleteLater();
    if (wasCurrent)
        m_pageArea->setCurrentIndex(index);
}

QString MainWindow::pageName(Page page)
{
    return QString::fromLatin1(kPageNames[static_cast<int>(page)]);
}

void MainWindow::setQuestionStrip(QWidget *strip)
{
    auto *area = new QHBoxLayout(m_stripArea);
    area->setContentsMargins(0, 0, 0, 0);
    strip->setParent(m_stripArea);
    area->addWidget(strip);
}

void MainWindow::addRunBarItem(QWidget *item, int stretch)
{
    item->setParent(m_runBarItems->parentWidget());
    m_runBarItems->addWidget(item, stretch);
}

void MainWindow::addPracticeCommand(QWidget *command)
{
    command->setParent(m_practicePage);
    m_practiceCommands->addWidget(command);
}

void MainWindow::showTopBar(const TopBar &bar)
{
    if (m_chapterName != bar.chapter)
        setChapterName(bar.chapter);
    m_chapterCaption->setVisible(bar.chapterShown);
    m_chapterLink->setVisible(bar.chapterShown);
    m_runStatus->setText(bar.runStatus);
    m_result->setText(
        QStringLiteral("<span style=\"color:%1;font-weight:bold;\">%2</span>"
                       "<span style=\"color:%3;\">/%4</span>")
            .arg(theme::colour(theme::Colour::UserAnswer).name(), bar.liveCorrect.toHtmlEscaped(),
                 theme::colour(theme::Colour::Separator).name(), bar.liveTotal.toHtmlEscaped()));
}

void MainWindow::showRunCommands(const RunCommands &commands)
{
    m_gradeButton->setText(commands.gradeCaption);
    m_gradeButton->setEnabled(commands.gradeEnabled);
    m_practiceBack->setEnabled(commands.backToCommandsEnabled);
    for (const CommandGroup group :
         {CommandGroup::Practice, CommandGroup::Exam, CommandGroup::Tools, CommandGroup::Editor,
          CommandGroup::System})
        m_groupBoxes.at(static_cast<int>(group))->setEnabled(commands.commandsEnabled);
}

void MainWindow::showRunBar(const RunBar &bar)
{
    if (m_progress->minimum() != bar.progressMinimum ||
        m_progress->maximum() != bar.progressMaximum)
        m_progress->setRange(bar.progressMinimum, bar.progressMaximum);
    m_progress->setValue(bar.progressValue);
    m_percent->setText(bar.percentText);
    m_bottomHint->setVisible(bar.handInHintVisible);
    m_next->setEnabled(bar.nextEnabled);
    m_next->setText(bar.nextCaption);
}

void MainWindow::showCountdown(const QString &text)
{
    m_countdown->setText(text);
}

void MainWindow::refreshSettings()
{
    // Only the delay is changed underneath the page (a run puts it back to its
    // setting); other fields keep what the user is typing.
    if (m_settingsPage->delaySlider()->value() != m_settingsForm.sliderPosition())
        m_settingsPage->refresh();
}

void MainWindow::addSettingsCommand(QWidget *command)
{
    m_settingsPage->regulationArea()->addWidget(command, 0, Qt::AlignLeft);
}

void MainWindow::showSlogan(const QString &text, int x, bool shown)
{
    if (m_slogan->text() != text) {
        m_slogan->setText(text);
        m_slogan->adjustSize();
    }
    m_slogan->move(x, m_slogan->y());
    m_slogan->setVisible(shown);
}

void MainWindow::showIdleTime(const QString &text)
{
    if (m_status[0]->text() != text)
        m_status[0]->setText(text);
}

bool MainWindow::eventFilter(QObject *watched, QEvent *event)
{
    // The text does not take the mouse, so a click on it reaches the strip too.
    if (watched == m_sloganStrip && event->type() == QEvent::MouseButtonPress &&
        static_cast<QMouseEvent *>(event)->button() == Qt::LeftButton)
        emit sloganStripClicked();
    return MainFrame::eventFilter(watched, event);
}

void MainWindow::tickClock()
{
    m_clock.tick();
    m_status[2]->setText(m_clock.text());
}

void MainWindow::quitWithoutAsking()
{
    m_quitting = true;
    emit quitRequested();
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
    if (!m_notifier.askYesNo(QStringLiteral("提示信息"), QStringLiteral("你确定要关闭程序吗？"),
                             Notifier::Icon::Warning)) {
        event->ignore();
        return;
    }
    m_quitting = true;
    event->accept();
    emit quitRequested();
}
