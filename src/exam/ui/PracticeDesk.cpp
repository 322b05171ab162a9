#include "app/ui/PracticeDesk.h"

#include "app/ui/MainWindow.h"
#include "exam/ui/ChapterPage.h"
#include "exam/ui/ReviewWindow.h"
#include "exam/ui/ScorePage.h"
#include "practice/ui/EssayPage.h"
#include "practice/ui/FillInPage.h"
#include "practice/ui/MultipleChoicePage.h"
#include "practice/ui/QuestionStrip.h"
#include "practice/ui/SingleChoicePage.h"
#include "practice/ui/TrueFalsePage.h"
#include "settings/ui/SettingsPage.h"
#include "widgets/CjkFonts.h"
#include "widgets/LinkLabel.h"

#include <QComboBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QSlider>
#include <QTimer>
#include <QToolButton>

namespace {

MainWindow::Page windowPage(RunDisplay::Page page)
{
    switch (page) {
    case RunDisplay::Page::Chapter:
        return MainWindow::Page::Chapter;
    case RunDisplay::Page::SingleChoice:
        return MainWindow::Page::SingleChoice;
    case RunDisplay::Page::MultipleChoice:
        return MainWindow::Page::MultipleChoice;
    case RunDisplay::Page::FillIn:
        return MainWindow::Page::FillIn;
    case RunDisplay::Page::TrueFalse:
        return MainWindow::Page::TrueFalse;
    case RunDisplay::Page::Essay:
        return MainWindow::Page::Essay;
    case RunDisplay::Page::Score:
        return MainWindow::Page::Score;
    }
    return MainWindow::Page::Chapter;
}

QString colourHex(unsigned rgb)
{
    return QStringLiteral("#%1").arg(rgb, 6, 16, QLatin1Char('0'));
}

} // namespace

PracticeDesk::PracticeDesk(MainWindow &main, ReviewWindow &review, QObject *parent)
    : QObject(parent), m_main(main), m_run(main.startupSettings(), main.notifier()),
      m_sequential(main.database(), m_run, main.notifier()), m_countdown(&m_beeper),
      m_presenter(review), m_session(main.database(), m_run, m_sequential, m_countdown,
                                     main.settingsForm(), main.notifier(), m_presenter)
{
    review.setPlacement(MainWindow::kTopBarHeight, MainWindow::kPageAreaWidth);
    m_run.setSliderPosition(main.settingsForm().sliderPosition());

    m_advanceTimer = new QTimer(this);
    m_advanceTimer->setInterval(kTickMs);
    connect(m_advanceTimer, &QTimer::timeout, this, [this] { m_run.tickAdvance(); });
    m_revealTimer = new QTimer(this);
    m_revealTimer->setInterval(kTickMs);
    connect(m_revealTimer, &QTimer::timeout, this, [this] { m_run.tickReveal(); });
    m_countdownTimer = new QTimer(this);
    m_countdownTimer->setInterval(kCountdownMs);
    connect(m_countdownTimer, &QTimer::timeout, this, [this] { m_session.countdownTick(); });
    connect(&m_countdown, &Countdown::runningChanged, this,
            [this](bool running) { switchTimer(m_countdownTimer, running); });
    connect(&m_countdown, &Countdown::labelChanged, main.countdownLabel(), &QLabel::setText);

    buildPages();
    connectCommands();

    connect(&m_run, &PracticeRun::changed, this, &PracticeDesk::render);
    connect(&m_session, &PracticeSession::changed, this, &PracticeDesk::render);
    connect(&m_session, &PracticeSession::pickerRequested, this, &PracticeDesk::pickerRequested);
    connect(&m_session, &PracticeSession::practicePanelDue, this, [this](int milliseconds) {
        QTimer::singleShot(milliseconds, this,
                           [this] { m_session.showLeftPage(PracticeSession::LeftPage::Practice); });
    });
    render();
}

PracticeDesk::~PracticeDesk() = default;

void PracticeDesk::buildPages()
{
    m_single = new SingleChoicePage(m_run);
    m_multiple = new MultipleChoicePage(m_run);
    m_fillIn = new FillInPage(m_run);
    m_trueFalse = new TrueFalsePage(m_run);
    m_essay = new EssayPage(m_run);
    m_answerPages = {m_single, m_multiple, m_fillIn, m_trueFalse, m_essay};
    m_main.installPage(MainWindow::Page::SingleChoice, m_single);
    m_main.installPage(MainWindow::Page::MultipleChoice, m_multiple);
    m_main.installPage(MainWindow::Page::FillIn, m_fillIn);
    m_main.installPage(MainWindow::Page::TrueFalse, m_trueFalse);
    m_main.installPage(MainWindow::Page::Essay, m_essay);
    m_score = new ScorePage(m_session);
    m_main.installPage(MainWindow::Page::Score, m_score);
    m_chapter = new ChapterPage(m_session);
    m_main.installPage(MainWindow::Page::Chapter, m_chapter);

    // The strip fills the strip area of the bottom bar, which grows with it.
    auto *area = new QHBoxLayout(m_main.questionStripArea());
    area->setContentsMargins(0, 0, 0, 0);
    m_strip = new QuestionStrip(m_main.questionStripArea());
    area->addWidget(m_strip);
    connect(m_strip, &QuestionStrip::numberPressed, this,
            [this](int number) { m_run.stripClick(number); });

    m_knownFigure = new QLabel(m_main.bottomBar());
    m_knownFigure->setObjectName(QStringLiteral("LabelKnownFigure"));
    m_knownFigure->setFont(cjk::hei(14, true));
    m_knownFigure->setStyleSheet(QStringLiteral("color:#ff00ff;"));
    m_knownFigure->setToolTip(QStringLiteral("会做的题数/总题数"));
    m_main.bottomCommands()->addWidget(m_knownFigure);
    m_main.bottomCommands()->addStretch(1);
}

void PracticeDesk::connectCommands()
{
    connect(m_main.sequentialButton(), &QPushButton::clicked, this,
            [this] { m_session.startSequential(0); });
    connect(m_main.typeChoice(), &QComboBox::activated, this,
            [this](int index) { m_session.startSequential(index + 1); });
    connect(m_main.gradeButton(), &QToolButton::clicked, this, [this] { m_session.grade(); });
    connect(m_main.priorButton(), &QPushButton::clicked, this, [this] { m_run.prior(); });
    connect(m_main.nextButton(), &QPushButton::clicked, this, [this] { m_run.next(); });
    // The automatic move reloads its delay from the slider as it stands now.
    connect(m_main.settingsPage(), &SettingsPage::sliderPositionChanged, this,
            [this](int position) { m_run.setSliderPosition(position); });
}

void PracticeDesk::chooseChapter(const QString &name)
{
    m_session.chooseChapter(name);
}

void PracticeDesk::render()
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
    } while (m_renderAgain);
    m_rendering = false;
}

void PracticeDesk::renderRun(const RunDisplay &display)
{
    for (QuestionPageBase *page : std::as_const(m_answerPages))
        page->render(display);
    m_score->render(display);
    m_chapter->render(m_sequential.page(), m_run.highlightedSet(), m_session.frame());
    // Only a switch of the run changes the page, so that e.g. the settings
    // page stays up while a timer of the run ticks.
    if (display.pageSerial != m_pageSerial) {
        m_pageSerial = display.pageSerial;
        m_main.showPage(windowPage(display.page));
    }

    m_strip->render(display.strip);
    QProgressBar *progress = m_main.progressBar();
    if (progress->minimum() != display.progressMinimum ||
        progress->maximum() != display.progressMaximum)
        progress->setRange(display.progressMinimum, display.progressMaximum);
    progress->setValue(display.progressValue);
    m_main.percentLabel()->setText(display.percentText);
    m_main.bottomHint()->setVisible(display.bottomHintVisible);
    m_knownFigure->setText(m_sequential.page().knownFigure);
    m_main.nextButton()->setEnabled(display.nextEnabled);
    m_main.nextButton()->setText(display.nextCaption);

    m_main.resultLabel()->setText(
        QStringLiteral("<span style=\"color:%1;font-weight:bold;\">%2</span>"
                       "<span style=\"color:%3;\">/%4</span>")
            .arg(colourHex(RunDisplay::kGreen), display.liveCorrect.toHtmlEscaped(),
                 colourHex(RunDisplay::kGrey), display.liveTotal.toHtmlEscaped()));

    switchTimer(m_advanceTimer, display.advanceTimerOn);
    switchTimer(m_revealTimer, display.revealTimerOn);
}

void PracticeDesk::renderFrame(const PracticeSession::Frame &frame)
{
    if (m_main.chapterName() != frame.chapter)
        m_main.setChapterName(frame.chapter);
    m_main.chapterCaption()->setVisible(frame.chapterLinkVisible);
    m_main.chapterLink()->setVisible(frame.chapterLinkVisible);
    m_main.runStatusLabel()->setText(frame.runStatus);
    if (frame.leftPageSerial != m_leftPageSerial) {
        m_leftPageSerial = frame.leftPageSerial;
        m_main.showLeftPage(frame.leftPage == PracticeSession::LeftPage::Practice
                                ? MainWindow::LeftPage::Practice
                                : MainWindow::LeftPage::Commands);
    }
    m_main.gradeButton()->setText(frame.gradeCaption);
    m_main.gradeButton()->setEnabled(frame.gradeEnabled);
    m_main.practiceBackButton()->setEnabled(frame.practiceBackEnabled);
    m_main.setCommandsEnabled(frame.commandsEnabled);

    // The session may have put the delay back to its setting.
    SettingsPage *settings = m_main.settingsPage();
    if (settings->delaySlider()->value() != m_main.settingsForm().sliderPosition())
        settings->refresh();
}

void PracticeDesk::switchTimer(QTimer *timer, bool on)
{
    if (on && !timer->isActive())
        timer->start();
    else if (!on && timer->isActive())
        timer->stop();
}
