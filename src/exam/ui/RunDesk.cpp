#include "exam/ui/RunDesk.h"

#include "base/Clock.h"
#include "base/Selection.h"
#include "exam/QuestionSaver.h"
#include "exam/ui/AnswerKeyFilter.h"
#include "exam/ui/ChapterPage.h"
#include "exam/ui/ReviewWindow.h"
#include "exam/ui/ScorePage.h"
#include "practice/ui/EssayPage.h"
#include "practice/ui/FillInPage.h"
#include "practice/ui/MultipleChoicePage.h"
#include "practice/ui/QuestionStrip.h"
#include "practice/ui/SingleChoicePage.h"
#include "practice/ui/TrueFalsePage.h"
#include "question/QuestionType.h"
#include "settings/ui/SettingsDesk.h"

#include <QAction>
#include <QComboBox>
#include <QMenu>
#include <QPushButton>
#include <QTextEdit>
#include <QTimer>

RunDesk::RunDesk(MainFrame &frame, const DeskServices &services, SettingsDesk &settings,
                 QObject *parent)
    : QObject(parent), m_frame(frame), m_settings(settings), m_selection(services.selection),
      m_notifier(services.notifier), m_reviewActions(services.clipboard, services.notifier),
      m_review(std::make_unique<ReviewWindow>(m_reviewActions)),
      m_run(settings.startupSettings(), services.notifier),
      m_sequential(services.db, m_run, services.notifier), m_countdown(&m_beeper),
      m_presenter(*m_review), m_session(services.db, m_run, m_sequential, m_countdown,
                                        settings.form(), services.notifier, m_presenter)
{
    m_review->hide();
    m_review->setPlacement(MainFrame::kTopBarHeight, MainFrame::kPageAreaWidth);
    const Clock *clock = &services.clock;
    m_session.setClock([clock] { return clock->now(); });
    m_run.setSliderPosition(settings.form().sliderPosition());

    m_advanceTimer = new QTimer(this);
    m_advanceTimer->setInterval(kTickMs);
    connect(m_advanceTimer, &QTimer::timeout, this, [this] { m_run.tickAdvance(); });
    m_revealTimer = new QTimer(this);
    m_revealTimer->setInterval(kTickMs);
    connect(m_revealTimer, &QTimer::timeout, this, [this] { m_run.tickReveal(); });
    m_countdownTimer = new QTimer(this);
    m_countdownTimer->setInterval(kCountdownMs);
    connect(m_countdownTimer, &QTimer::timeout, this, [this] { m_session.countdownTick(); });
    m_retryTimer = new QTimer(this);
    m_retryTimer->setInterval(kRetryMs);
    connect(m_retryTimer, &QTimer::timeout, this, [this] { m_session.retryWaitingRecords(); });
    m_frame.addClosingQuestion([this] { return m_session.closingQuestion(); });
    connect(&m_countdown, &Countdown::runningChanged, this,
            [this](bool running) { switchTimer(m_countdownTimer, running); });
    connect(&m_countdown, &Countdown::labelChanged, &m_frame, &MainFrame::showCountdown);

    buildPages();
    buildCommands();
    buildSaveQuestion();
    buildKeys();

    connect(&m_run, &PracticeRun::changed, this, &RunDesk::render);
    connect(&m_session, &PracticeSession::changed, this, &RunDesk::render);
    connect(&m_session, &PracticeSession::pickerRequested, this, &RunDesk::pickerRequested);
    connect(&m_session, &PracticeSession::pickerCloseRequested, this,
            &RunDesk::pickerCloseRequested);
    connect(&m_session, &PracticeSession::practicePanelDue, this, [this](int milliseconds) {
        QTimer::singleShot(milliseconds, this,
                           [this] { m_session.showLeftPage(PracticeSession::LeftPage::Practice); });
    });
    connect(&settings, &SettingsDesk::backToQuestions, this, &RunDesk::showQuestions);
    // The automatic move reloads its delay from the slider as it stands now.
    connect(&settings, &SettingsDesk::delayMoved, this,
            [this](int position) { m_run.setSliderPosition(position); });
    render();
}

RunDesk::~RunDesk() = default;

void RunDesk::buildPages()
{
    m_single = new SingleChoicePage(m_run);
    m_multiple = new MultipleChoicePage(m_run);
    m_fillIn = new FillInPage(m_run);
    m_trueFalse = new TrueFalsePage(m_run);
    m_essay = new EssayPage(m_run);
    m_answerPages = {m_single, m_multiple, m_fillIn, m_trueFalse, m_essay};
    m_score = new ScorePage(m_session);
    m_chapter = new ChapterPage(m_session);
    for (QWidget *page : std::initializer_list<QWidget *>{m_chapter, m_single, m_multiple, m_fillIn,
                                                          m_trueFalse, m_essay, m_score})
        m_pages << m_frame.installPage(page);

    m_strip = new QuestionStrip;
    m_frame.setQuestionStrip(m_strip);
    connect(m_strip, &QuestionStrip::numberPressed, this,
            [this](int number) { m_run.stripClick(number); });
}

PageHandle RunDesk::pageHandle(RunDisplay::Page page) const
{
    return m_pages.value(static_cast<int>(page));
}

// "本章顺序练习" and the choice of one question type, on the practice group;
// grading, Prior and Next of the frame.
void RunDesk::buildCommands()
{
    m_sequentialButton = new QPushButton(QStringLiteral("本章顺序练习"));
    m_sequentialButton->setObjectName(RunDeskNames::sequentialCommand);
    m_sequentialButton->setMinimumHeight(28);
    m_sequentialButton->setCursor(Qt::PointingHandCursor);
    m_frame.addCommand(MainFrame::CommandGroup::Practice, m_sequentialButton);
    m_typeChoice = new QComboBox;
    m_typeChoice->setObjectName(RunDeskNames::typeChoice);
    m_typeChoice->addItems(question::typeChoiceItems());
    m_typeChoice->setCurrentIndex(0);
    m_typeChoice->setMinimumHeight(26);
    m_frame.addCommand(MainFrame::CommandGroup::Practice, m_typeChoice);

    connect(m_sequentialButton, &QPushButton::clicked, this,
            [this] { m_session.startSequential(0); });
    connect(m_typeChoice, &QComboBox::activated, this,
            [this](int index) { m_session.startSequential(index + 1); });
    connect(&m_frame, &MainFrame::gradeRequested, this, [this] { m_session.grade(); });
    connect(&m_frame, &MainFrame::priorRequested, this, [this] { m_run.prior(); });
    connect(&m_frame, &MainFrame::nextRequested, this, [this] { m_run.next(); });
}

// The answer pages' context menu, on the page and on its question view (after
// the view's own entries): saves the question on screen to its text file.
void RunDesk::buildSaveQuestion()
{
    m_questionSaver = std::make_unique<QuestionSaver>(m_notifier);
    m_saveQuestion =
        new QAction(QStringLiteral("将该题及答案存放到当前路径磁盘（文本文件）..."), this);
    m_saveQuestion->setObjectName(RunDeskNames::saveQuestionAction);
    connect(m_saveQuestion, &QAction::triggered, this,
            [this] { m_questionSaver->save(m_run, m_session.setIndexOfRun()); });
    for (QuestionPageBase *page : std::as_const(m_answerPages)) {
        page->setContextMenuPolicy(Qt::ActionsContextMenu);
        page->addAction(m_saveQuestion);
        QTextEdit *view = page->questionView();
        view->setContextMenuPolicy(Qt::CustomContextMenu);
        connect(view, &QWidget::customContextMenuRequested, this, [this, view](const QPoint &at) {
            const std::unique_ptr<QMenu> menu(view->createStandardContextMenu(at));
            menu->addSeparator();
            menu->addAction(m_saveQuestion);
            menu->exec(view->viewport()->mapToGlobal(at));
        });
    }
}

// The keys of the answer pages take the paths of the mouse: Prior and Next
// as the frame's buttons, hand-in as "交卷评阅" while it is enabled.
void RunDesk::buildKeys()
{
    const QList<RunDisplay::Page> pages = {
        RunDisplay::Page::SingleChoice, RunDisplay::Page::MultipleChoice, RunDisplay::Page::FillIn,
        RunDisplay::Page::TrueFalse, RunDisplay::Page::Essay};
    auto shown = [this, pages]() -> QuestionPageBase * {
        for (int i = 0; i < pages.size(); ++i) {
            if (m_frame.isShown(pageHandle(pages.at(i))))
                return m_answerPages.at(i);
        }
        return nullptr;
    };
    AnswerKeyFilter::Paths paths;
    paths.prior = [this] { m_run.prior(); };
    paths.next = [this] { m_run.next(); };
    paths.nextEnabled = [this] { return m_run.display().nextEnabled; };
    paths.handIn = [this] { m_session.grade(); };
    paths.handInEnabled = [this] { return m_run.active() && m_session.frame().gradeEnabled; };
    m_keys = new AnswerKeyFilter(m_frame, shown, paths, this);
}

void RunDesk::chooseChapter(const QString &name)
{
    m_session.chooseChapter(name);
}

void RunDesk::showQuestions()
{
    m_frame.showPage(pageHandle(RunDisplay::Page::SingleChoice));
}

void RunDesk::render()
{
    // A change reported while rendering (a page switch that makes a widget
    // give up its focus, say) is rendered once more afterwards.
    if (m_rendering) {
        m_renderAgain = true;
        return;
    }
    m_rendering = true;
    do {
        m_renderAgain = false;
        renderRun(m_run.display());
        renderFrame(m_session.frame());
        emit rendered();
    } while (m_renderAgain);
    m_rendering = false;
}

void RunDesk::renderRun(const RunDisplay &display)
{
    for (QuestionPageBase *page : std::as_const(m_answerPages))
        page->render(display);
    m_score->render(display);
    m_chapter->render(m_sequential.page(), m_sequential.division().highlightedSet,
                      m_sequential.division().setIndex, m_session.frame());
    // Only a switch of the run changes the page, so that e.g. the settings
    // page stays up while a timer of the run ticks.
    if (display.pageSerial != m_pageSerial) {
        m_pageSerial = display.pageSerial;
        m_frame.showPage(pageHandle(display.page));
        if (m_keys)
            m_keys->pageShown();
    }

    m_strip->render(display.strip);
    MainFrame::RunBar bar;
    bar.progressMinimum = display.progressMinimum;
    bar.progressMaximum = display.progressMaximum;
    bar.progressValue = display.progressValue;
    bar.percentText = display.percentText;
    bar.handInHintVisible = display.bottomHintVisible;
    bar.nextEnabled = display.nextEnabled;
    bar.nextCaption = display.nextCaption;
    m_frame.showRunBar(bar);

    switchTimer(m_advanceTimer, display.advanceTimerOn);
    switchTimer(m_revealTimer, display.revealTimerOn);
}

void RunDesk::renderFrame(const PracticeSession::Frame &frame)
{
    const RunDisplay &display = m_run.display();
    m_selection.setChapter(frame.chapter);
    MainFrame::TopBar top;
    top.chapter = frame.chapter;
    top.chapterShown = frame.chapterLinkVisible;
    top.runStatus = frame.waitingRecords > 0
                        ? frame.runStatus + QStringLiteral("  ") +
                              WaitingRecords::waitingStatus(frame.waitingRecords)
                        : frame.runStatus;
    top.liveCorrect = display.liveCorrect;
    top.liveTotal = display.liveTotal;
    m_frame.showTopBar(top);
    if (frame.leftPageSerial != m_leftPageSerial) {
        m_leftPageSerial = frame.leftPageSerial;
        m_frame.showLeftPage(frame.leftPage == PracticeSession::LeftPage::Practice
                                 ? MainFrame::LeftPage::Practice
                                 : MainFrame::LeftPage::Commands);
    }
    MainFrame::RunCommands commands;
    commands.gradeCaption = frame.gradeCaption;
    commands.gradeEnabled = frame.gradeEnabled;
    commands.backToCommandsEnabled = frame.practiceBackEnabled;
    commands.commandsEnabled = frame.commandsEnabled;
    m_frame.showRunCommands(commands);
    // Records waiting for the server are tried again now and then.
    switchTimer(m_retryTimer, frame.waitingRecords > 0);
    // The session may have put the delay back to its setting.
    m_settings.refresh();
}

void RunDesk::switchTimer(QTimer *timer, bool on)
{
    if (on && !timer->isActive())
        timer->start();
    else if (!on && timer->isActive())
        timer->stop();
}
