#include "exam/ui/PracticeDesk.h"

#include "exam/QuestionSaver.h"
#include "exam/RandomPractice.h"
#include "exam/ui/ChapterPage.h"
#include "exam/ui/PaperBrowseWindow.h"
#include "exam/ui/ReviewWindow.h"
#include "exam/ui/ScorePage.h"
#include "practice/ui/EssayPage.h"
#include "practice/ui/FillInPage.h"
#include "practice/ui/MultipleChoicePage.h"
#include "practice/ui/QuestionStrip.h"
#include "practice/ui/SingleChoicePage.h"
#include "practice/ui/TrueFalsePage.h"
#include "question/QuestionType.h"
#include "settings/SettingsForm.h"
#include "widgets/CjkFonts.h"
#include "widgets/LinkLabel.h"
#include "widgets/Theme.h"

#include <QAction>
#include <QComboBox>
#include <QEvent>
#include <QHBoxLayout>
#include <QLabel>
#include <QMenu>
#include <QProgressBar>
#include <QPushButton>
#include <QSlider>
#include <QTextEdit>
#include <QTimer>
#include <QToolButton>
#include <QVBoxLayout>

namespace {

// Calls back when the pointer enters or leaves the watched widget.
class HoverWatch : public QObject
{
public:
    HoverWatch(QObject *parent, std::function<void(bool)> hovered)
        : QObject(parent), m_hovered(std::move(hovered))
    {
    }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() == QEvent::Enter)
            m_hovered(true);
        else if (event->type() == QEvent::Leave)
            m_hovered(false);
        return QObject::eventFilter(watched, event);
    }

private:
    std::function<void(bool)> m_hovered;
};

MainFrame::Page windowPage(RunDisplay::Page page)
{
    switch (page) {
    case RunDisplay::Page::Chapter:
        return MainFrame::Page::Chapter;
    case RunDisplay::Page::SingleChoice:
        return MainFrame::Page::SingleChoice;
    case RunDisplay::Page::MultipleChoice:
        return MainFrame::Page::MultipleChoice;
    case RunDisplay::Page::FillIn:
        return MainFrame::Page::FillIn;
    case RunDisplay::Page::TrueFalse:
        return MainFrame::Page::TrueFalse;
    case RunDisplay::Page::Essay:
        return MainFrame::Page::Essay;
    case RunDisplay::Page::Score:
        return MainFrame::Page::Score;
    }
    return MainFrame::Page::Chapter;
}

} // namespace

PracticeDesk::PracticeDesk(MainFrame &frame, QSqlDatabase db, Notifier &notifier,
                           const Settings &startup, SettingsForm &settingsForm,
                           ReviewWindow &review, QObject *parent)
    : QObject(parent), m_frame(frame), m_settingsForm(settingsForm), m_run(startup, notifier),
      m_sequential(db, m_run, notifier), m_countdown(&m_beeper), m_presenter(review),
      m_session(db, m_run, m_sequential, m_countdown, settingsForm, notifier, m_presenter),
      m_known(db, notifier), m_knownViewer(m_known, [this] { return m_session.frame().chapter; })
{
    review.setPlacement(MainFrame::kTopBarHeight, MainFrame::kPageAreaWidth);
    m_run.setSliderPosition(settingsForm.sliderPosition());

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
    connect(&m_countdown, &Countdown::labelChanged, &m_frame, &MainFrame::showCountdown);

    buildPages();
    connectCommands();
    m_db = db;
    m_notifier = &notifier;
    buildSaveQuestion();

    connect(&m_run, &PracticeRun::changed, this, &PracticeDesk::render);
    connect(&m_session, &PracticeSession::changed, this, &PracticeDesk::render);
    connect(&m_session, &PracticeSession::pickerRequested, this, &PracticeDesk::pickerRequested);
    connect(&m_session, &PracticeSession::pickerCloseRequested, this,
            &PracticeDesk::pickerCloseRequested);
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
    m_frame.installPage(MainFrame::Page::SingleChoice, m_single);
    m_frame.installPage(MainFrame::Page::MultipleChoice, m_multiple);
    m_frame.installPage(MainFrame::Page::FillIn, m_fillIn);
    m_frame.installPage(MainFrame::Page::TrueFalse, m_trueFalse);
    m_frame.installPage(MainFrame::Page::Essay, m_essay);
    m_score = new ScorePage(m_session);
    m_frame.installPage(MainFrame::Page::Score, m_score);
    m_chapter = new ChapterPage(m_session);
    m_frame.installPage(MainFrame::Page::Chapter, m_chapter);

    m_strip = new QuestionStrip;
    m_frame.setQuestionStrip(m_strip);
    connect(m_strip, &QuestionStrip::numberPressed, this,
            [this](int number) { m_run.stripClick(number); });

    buildKnownItems();

    m_sequentialButton = new QPushButton(QStringLiteral("本章顺序练习"));
    m_sequentialButton->setObjectName(QStringLiteral("Button23"));
    m_sequentialButton->setMinimumHeight(28);
    m_sequentialButton->setCursor(Qt::PointingHandCursor);
    m_frame.addCommand(MainFrame::CommandGroup::Practice, m_sequentialButton);
    m_typeChoice = new QComboBox;
    m_typeChoice->setObjectName(QStringLiteral("ComboBox7"));
    m_typeChoice->addItems(question::typeChoiceItems());
    m_typeChoice->setCurrentIndex(0);
    m_typeChoice->setMinimumHeight(26);
    m_frame.addCommand(MainFrame::CommandGroup::Practice, m_typeChoice);
}

// The known-question items of the bottom bar, in this order: "【查看】",
// "【此题会做不练习】" with the caption "【会做自动填入答案】" under it, and the
// known figure.
// The pointer over either command makes the three fuchsia texts bold and
// underlined.
void PracticeDesk::buildKnownItems()
{
    const QColor fuchsia = theme::colour(theme::Colour::KnownFigure);
    const auto command = [&](const QString &text, const QString &name) {
        auto *link = new LinkLabel(text);
        link->setObjectName(name);
        link->setFont(cjk::hei(14));
        link->setLook(fuchsia, false, fuchsia, true);
        return link;
    };
    m_knownView = command(QStringLiteral("【查看】"), QStringLiteral("Label65"));
    m_knownView->setToolTip(QStringLiteral("查看标记为会做的试题，可以恢复练习"));
    m_frame.addRunBarItem(m_knownView);
    // The mark command with the caption under it: beside the legend, the hand-in
    // hint and Prior and Next, the bar has no room for the two side by side.
    auto *markStack = new QWidget;
    markStack->setObjectName(QStringLiteral("KnownMarkStack"));
    auto *stack = new QVBoxLayout(markStack);
    stack->setContentsMargins(0, 0, 0, 0);
    stack->setSpacing(0);
    m_knownMark = command(QStringLiteral("【此题会做不练习】"), QStringLiteral("Label127"));
    m_knownMark->setToolTip(QStringLiteral("本题标记为会做，以后顺序练习不再出现"));
    stack->addWidget(m_knownMark);
    m_knownFillCaption = new QLabel(QStringLiteral("【会做自动填入答案】"));
    m_knownFillCaption->setObjectName(QStringLiteral("LabelKnownFill"));
    m_knownFillCaption->setFont(cjk::hei(12));
    theme::setTone(m_knownFillCaption, theme::Tone::KnownFigure);
    stack->addWidget(m_knownFillCaption);
    m_frame.addRunBarItem(markStack);

    m_knownFigure = new QLabel;
    m_knownFigure->setObjectName(QStringLiteral("LabelKnownFigure"));
    m_knownFigure->setFont(cjk::hei(14, true));
    theme::setTone(m_knownFigure, theme::Tone::KnownFigure);
    m_knownFigure->setToolTip(QStringLiteral("会做的题数/总题数"));
    m_frame.addRunBarItem(m_knownFigure, 1);

    auto *watch = new HoverWatch(this, [this](bool hovered) {
        for (QLabel *label : {static_cast<QLabel *>(m_knownView),
                              static_cast<QLabel *>(m_knownMark), m_knownFillCaption}) {
            QFont f = label->font();
            f.setBold(hovered);
            f.setUnderline(hovered);
            label->setFont(f);
        }
    });
    m_knownView->installEventFilter(watch);
    m_knownMark->installEventFilter(watch);

    connect(m_knownView, &LinkLabel::clicked, this, &PracticeDesk::knownViewerRequested);
    connect(m_knownMark, &LinkLabel::clicked, this, &PracticeDesk::markKnown);
    connect(&m_knownViewer, &KnownViewer::figureChanged, this, &PracticeDesk::setKnownFigure);
    connect(m_chapter, &ChapterPage::restoreRequested, this, &PracticeDesk::restoreBank);
}

void PracticeDesk::markKnown()
{
    if (const std::optional<QString> figure =
            m_known.markShown(m_run, m_beeper, m_session.frame().chapter))
        setKnownFigure(*figure);
}

// The chapter page's restore link: the whole bank back to practise, then
// sequential practice of the chapter starts anew with the new division.
void PracticeDesk::restoreBank()
{
    if (m_known.restoreBank(m_session.frame().chapter))
        m_session.startSequential(0);
}

void PracticeDesk::setKnownFigure(const QString &figure)
{
    m_sequential.setKnownFigure(figure);
    render();
}

void PracticeDesk::connectCommands()
{
    connect(m_sequentialButton, &QPushButton::clicked, this,
            [this] { m_session.startSequential(0); });
    connect(m_typeChoice, &QComboBox::activated, this,
            [this](int index) { m_session.startSequential(index + 1); });
    connect(&m_frame, &MainFrame::gradeRequested, this, [this] { m_session.grade(); });
    connect(&m_frame, &MainFrame::priorRequested, this, [this] { m_run.prior(); });
    connect(&m_frame, &MainFrame::nextRequested, this, [this] { m_run.next(); });
    // The automatic move reloads its delay from the slider as it stands now.
    connect(&m_frame, &MainFrame::delaySliderMoved, this,
            [this](int position) { m_run.setSliderPosition(position); });
}

void PracticeDesk::addRandomPractice(RandomSource &random)
{
    if (m_randomPractice)
        return;
    m_randomPractice =
        std::make_unique<RandomPractice>(m_db, m_session, m_settingsForm, *m_notifier, random);
    const auto button = [this](const QString &name, const QString &text,
                               RandomPracticeSource::Scope scope) {
        auto *command = new QPushButton(text);
        command->setObjectName(name);
        command->setMinimumHeight(28);
        command->setCursor(Qt::PointingHandCursor);
        command->setToolTip(RandomPractice::kHint);
        connect(command, &QPushButton::clicked, this,
                [this, scope] { m_randomPractice->start(scope); });
        m_frame.addCommand(MainFrame::CommandGroup::Practice, command);
        return command;
    };
    m_randomBank = button(QStringLiteral("Button10"), QStringLiteral("本类随机练习"),
                          RandomPracticeSource::Scope::Bank);
    m_randomChapter = button(QStringLiteral("Button9"), QStringLiteral("本章随机练习"),
                             RandomPracticeSource::Scope::Chapter);
}

void PracticeDesk::addPaperBrowse(PaperBrowseWindow &window)
{
    if (m_browseButton)
        return;
    m_paperBrowse = &window;
    window.setPlacement(MainFrame::kTopBarHeight, MainFrame::kPageAreaWidth);
    m_browseButton = new QToolButton;
    m_browseButton->setObjectName(QStringLiteral("SpeedButton10"));
    m_browseButton->setText(QStringLiteral("边做边查阅试卷"));
    m_browseButton->setFont(theme::font(theme::FontRole::Caption));
    m_browseButton->setMinimumHeight(38);
    m_browseButton->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
    m_browseButton->setCursor(Qt::PointingHandCursor);
    connect(m_browseButton, &QToolButton::clicked, this, [this] {
        if (const std::optional<StyledText> lines = m_session.paperLines())
            m_paperBrowse->showPaper(*lines);
    });
    m_frame.addPracticeCommand(m_browseButton);
}

// The answer pages' context menu, on the page and on its question view (after
// the view's own entries): saves the question on screen to its text file.
void PracticeDesk::buildSaveQuestion()
{
    m_questionSaver = std::make_unique<QuestionSaver>(*m_notifier);
    m_saveQuestion =
        new QAction(QStringLiteral("将该题及答案存放到当前路径磁盘（文本文件）..."), this);
    m_saveQuestion->setObjectName(QStringLiteral("N2"));
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
    m_chapter->render(m_sequential.page(), m_sequential.division().highlightedSet,
                      m_sequential.division().setIndex, m_session.frame());
    // Only a switch of the run changes the page, so that e.g. the settings
    // page stays up while a timer of the run ticks.
    if (display.pageSerial != m_pageSerial) {
        m_pageSerial = display.pageSerial;
        m_frame.showPage(windowPage(display.page));
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
    m_knownFigure->setText(m_sequential.page().knownFigure);

    switchTimer(m_advanceTimer, display.advanceTimerOn);
    switchTimer(m_revealTimer, display.revealTimerOn);
}

void PracticeDesk::renderFrame(const PracticeSession::Frame &frame)
{
    const RunDisplay &display = m_run.display();
    MainFrame::TopBar top;
    top.chapter = frame.chapter;
    top.chapterShown = frame.chapterLinkVisible;
    top.runStatus = frame.runStatus;
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
    m_knownMark->setVisible(frame.knownCommandVisible);
    m_knownFillCaption->setVisible(frame.knownCommandVisible);
    // The session may have put the delay back to its setting.
    m_frame.refreshSettings();
}

void PracticeDesk::switchTimer(QTimer *timer, bool on)
{
    if (on && !timer->isActive())
        timer->start();
    else if (!on && timer->isActive())
        timer->stop();
}
