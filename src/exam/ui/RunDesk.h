#pragma once

#include "base/DeskServices.h"
#include "exam/Countdown.h"
#include "exam/PracticeSession.h"
#include "exam/ReviewActions.h"
#include "exam/ui/ReviewWindowPresenter.h"
#include "practice/PracticeRun.h"
#include "practice/SequentialPractice.h"
#include "widgets/MainFrame.h"
#include "widgets/ToneBeeper.h"

#include <QLatin1StringView>
#include <QObject>
#include <memory>

class AnswerKeyFilter;
class ChapterPage;
class EssayPage;
class FillInPage;
class MultipleChoicePage;
class QAction;
class QComboBox;
class QPushButton;
class QTimer;
class QuestionPageBase;
class QuestionSaver;
class QuestionStrip;
class ReviewWindow;
class ScorePage;
class SettingsDesk;
class SingleChoicePage;
class TrueFalsePage;

// The object names by which tests and stored layouts find the controls.
struct RunDeskNames
{
    static constexpr QLatin1StringView sequentialCommand{"Button23"};
    static constexpr QLatin1StringView typeChoice{"ComboBox7"};
    static constexpr QLatin1StringView saveQuestionAction{"N2"};
};

// A practice run in the main window: owns the run, sequential practice, the
// countdown and the session around them, registers the answer, score and
// chapter pages, the question-number strip and the sequential commands with
// the frame, drives the run's timers, and renders the run's display and the
// session's frame after every change. It decides nothing itself. The chapter
// of the session is the selection's chapter.
class RunDesk : public QObject
{
    Q_OBJECT

public:
    static constexpr int kTickMs = 100;
    static constexpr int kCountdownMs = 1000;
    // How often the records waiting for a centre's server are tried again.
    static constexpr int kRetryMs = 5000;

    // settings: the settings read at start-up and the form of the settings
    // page, whose delay slider sets the automatic move's delay.
    RunDesk(MainFrame &frame, const DeskServices &services, SettingsDesk &settings,
            QObject *parent = nullptr);
    ~RunDesk() override;

    PracticeRun &run() { return m_run; }
    SequentialPractice &sequential() { return m_sequential; }
    Countdown &countdown() { return m_countdown; }
    PracticeSession &session() { return m_session; }
    ToneBeeper &beeper() { return m_beeper; }

    // A chapter chosen in the picker.
    void chooseChapter(const QString &name);
    // Shows the first answer page ("点击返回试题" of the settings page).
    void showQuestions();
    // Renders the run's display and the session's frame.
    void render();

    SingleChoicePage *singleChoicePage() const { return m_single; }
    MultipleChoicePage *multipleChoicePage() const { return m_multiple; }
    FillInPage *fillInPage() const { return m_fillIn; }
    TrueFalsePage *trueFalsePage() const { return m_trueFalse; }
    EssayPage *essayPage() const { return m_essay; }
    ScorePage *scorePage() const { return m_score; }
    ChapterPage *chapterPage() const { return m_chapter; }
    QuestionStrip *questionStrip() const { return m_strip; }
    ReviewWindow *reviewWindow() const { return m_review.get(); }
    QTimer *advanceTimer() const { return m_advanceTimer; }
    QTimer *countdownTimer() const { return m_countdownTimer; }
    // "将该题及答案存放到当前路径磁盘（文本文件）..." of the answer pages' menus.
    QAction *saveQuestionAction() const { return m_saveQuestion; }
    // Practice by keyboard on the answer pages, with its key map window.
    AnswerKeyFilter *answerKeys() const { return m_keys; }
    // The pages as installed in the frame, by the run's page.
    PageHandle pageHandle(RunDisplay::Page page) const;

signals:
    // The session asks for the picker (a chapter with nothing left to practise).
    void pickerRequested();
    // A run was loaded: the chapter cannot change until it is graded.
    void pickerCloseRequested();
    // Every render, after the run's display and the session's frame were shown.
    void rendered();

private:
    void buildPages();
    void buildCommands();
    void buildSaveQuestion();
    void buildKeys();
    void renderRun(const RunDisplay &display);
    void renderFrame(const PracticeSession::Frame &frame);
    static void switchTimer(QTimer *timer, bool on);

    MainFrame &m_frame;
    SettingsDesk &m_settings;
    Selection &m_selection;
    Notifier &m_notifier;
    ToneBeeper m_beeper;
    ReviewActions m_reviewActions;
    std::unique_ptr<ReviewWindow> m_review;
    PracticeRun m_run;
    SequentialPractice m_sequential;
    Countdown m_countdown;
    ReviewWindowPresenter m_presenter;
    PracticeSession m_session;
    std::unique_ptr<QuestionSaver> m_questionSaver;

    SingleChoicePage *m_single = nullptr;
    MultipleChoicePage *m_multiple = nullptr;
    FillInPage *m_fillIn = nullptr;
    TrueFalsePage *m_trueFalse = nullptr;
    EssayPage *m_essay = nullptr;
    QList<QuestionPageBase *> m_answerPages;
    ScorePage *m_score = nullptr;
    ChapterPage *m_chapter = nullptr;
    // Handles of the pages, in the order of RunDisplay::Page.
    QList<PageHandle> m_pages;
    QuestionStrip *m_strip = nullptr;
    QPushButton *m_sequentialButton = nullptr;
    QComboBox *m_typeChoice = nullptr;
    QTimer *m_advanceTimer = nullptr;
    QTimer *m_revealTimer = nullptr;
    QTimer *m_countdownTimer = nullptr;
    QTimer *m_retryTimer = nullptr;
    QAction *m_saveQuestion = nullptr;
    AnswerKeyFilter *m_keys = nullptr;

    int m_pageSerial = -1;
    int m_leftPageSerial = -1;
    bool m_rendering = false;
    bool m_renderAgain = false;
};
