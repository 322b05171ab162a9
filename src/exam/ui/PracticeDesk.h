#pragma once

#include "exam/Countdown.h"
#include "exam/PracticeSession.h"
#include "exam/ui/ReviewWindowPresenter.h"
#include "practice/KnownQuestions.h"
#include "practice/KnownViewer.h"
#include "practice/PracticeRun.h"
#include "practice/SequentialPractice.h"
#include "widgets/MainFrame.h"
#include "widgets/ToneBeeper.h"

#include <QObject>
#include <QSqlDatabase>
#include <memory>

class ChapterPage;
class PaperBrowseWindow;
class QAction;
class QuestionSaver;
class QToolButton;
class RandomPractice;
class RandomSource;
class EssayPage;
class FillInPage;
class LinkLabel;
class Notifier;
class QComboBox;
class QPushButton;
class SettingsForm;
struct Settings;
class MultipleChoicePage;
class QLabel;
class QTimer;
class QuestionPageBase;
class QuestionStrip;
class ReviewWindow;
class ScorePage;
class SingleChoicePage;
class TrueFalsePage;

// Practising through the main window: owns the practice run, sequential
// practice, the countdown and the session around them, registers the answer,
// score and chapter pages, the question-number strip and the practice commands
// with the frame, drives the run's timers, and renders the run's display and
// the session's frame after every change. It decides nothing itself.
class PracticeDesk : public QObject
{
    Q_OBJECT

public:
    static constexpr int kTickMs = 100;
    static constexpr int kCountdownMs = 1000;

    PracticeDesk(MainFrame &frame, QSqlDatabase db, Notifier &notifier, const Settings &startup,
                 SettingsForm &settingsForm, ReviewWindow &review, QObject *parent = nullptr);
    ~PracticeDesk() override;

    PracticeRun &run() { return m_run; }
    SequentialPractice &sequential() { return m_sequential; }
    Countdown &countdown() { return m_countdown; }
    PracticeSession &session() { return m_session; }
    // What the viewer of known questions shows; its window is made elsewhere.
    KnownViewer &knownViewer() { return m_knownViewer; }

    // A chapter chosen in the picker.
    void chooseChapter(const QString &name);
    // "本类随机练习" and "本章随机练习" on the command page, drawing through random.
    void addRandomPractice(RandomSource &random);
    // "边做边查阅试卷" on the practice page, showing the run in the window.
    void addPaperBrowse(PaperBrowseWindow &window);

    SingleChoicePage *singleChoicePage() const { return m_single; }
    MultipleChoicePage *multipleChoicePage() const { return m_multiple; }
    FillInPage *fillInPage() const { return m_fillIn; }
    TrueFalsePage *trueFalsePage() const { return m_trueFalse; }
    EssayPage *essayPage() const { return m_essay; }
    ScorePage *scorePage() const { return m_score; }
    ChapterPage *chapterPage() const { return m_chapter; }
    QuestionStrip *questionStrip() const { return m_strip; }
    QTimer *advanceTimer() const { return m_advanceTimer; }
    QTimer *countdownTimer() const { return m_countdownTimer; }
    QPushButton *randomBankButton() const { return m_randomBank; }
    QPushButton *randomChapterButton() const { return m_randomChapter; }
    QToolButton *paperBrowseButton() const { return m_browseButton; }
    // "将该题及答案存放到当前路径磁盘（文本文件）..." of the answer pages' menus.
    QAction *saveQuestionAction() const { return m_saveQuestion; }
    LinkLabel *knownViewCommand() const { return m_knownView; }
    LinkLabel *knownMarkCommand() const { return m_knownMark; }
    QLabel *knownFigureLabel() const { return m_knownFigure; }
    QLabel *knownFillCaption() const { return m_knownFillCaption; }

signals:
    // The session asks for the picker (a chapter with nothing left to practise).
    void pickerRequested();
    // A run was loaded: the chapter cannot change until it is graded.
    void pickerCloseRequested();
    // "【查看】": the viewer of known questions is to be filled and shown.
    void knownViewerRequested();

private:
    void buildPages();
    void connectCommands();
    void buildKnownItems();
    void markKnown();
    void restoreBank();
    void setKnownFigure(const QString &figure);
    void render();
    void renderRun(const RunDisplay &display);
    void renderFrame(const PracticeSession::Frame &frame);
    static void switchTimer(QTimer *timer, bool on);

    MainFrame &m_frame;
    SettingsForm &m_settingsForm;
    ToneBeeper m_beeper;
    PracticeRun m_run;
    SequentialPractice m_sequential;
    Countdown m_countdown;
    ReviewWindowPresenter m_presenter;
    PracticeSession m_session;
    KnownQuestions m_known;
    KnownViewer m_knownViewer;

    SingleChoicePage *m_single = nullptr;
    MultipleChoicePage *m_multiple = nullptr;
    FillInPage *m_fillIn = nullptr;
    TrueFalsePage *m_trueFalse = nullptr;
    EssayPage *m_essay = nullptr;
    QList<QuestionPageBase *> m_answerPages;
    ScorePage *m_score = nullptr;
    ChapterPage *m_chapter = nullptr;
    QuestionStrip *m_strip = nullptr;
    QPushButton *m_sequentialButton = nullptr;
    QComboBox *m_typeChoice = nullptr;
    QLabel *m_knownFigure = nullptr;
    LinkLabel *m_knownView = nullptr;
    LinkLabel *m_knownMark = nullptr;
    QLabel *m_knownFillCaption = nullptr;
    QTimer *m_advanceTimer = nullptr;
    QTimer *m_revealTimer = nullptr;
    QTimer *m_countdownTimer = nullptr;
    // Random practice, the paper view and saving the question on screen.
    void buildSaveQuestion();
    QSqlDatabase m_db;
    Notifier *m_notifier = nullptr;
    std::unique_ptr<QuestionSaver> m_questionSaver;
    std::unique_ptr<RandomPractice> m_randomPractice;
    PaperBrowseWindow *m_paperBrowse = nullptr;
    QPushButton *m_randomBank = nullptr;
    QPushButton *m_randomChapter = nullptr;
    QToolButton *m_browseButton = nullptr;
    QAction *m_saveQuestion = nullptr;

    int m_pageSerial = -1;
    int m_leftPageSerial = -1;
    bool m_rendering = false;
    bool m_renderAgain = false;
};
