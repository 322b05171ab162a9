#include "exam/PracticeSession.h"

#include "base/Notifier.h"
#include "base/StoreError.h"
#include "exam/Countdown.h"
#include "exam/PaperBrowseBuilder.h"
#include "exam/ReviewBuilder.h"
#include "exam/ReviewPresenter.h"
#include "exam/StudyRecorder.h"
#include "practice/PracticeRun.h"
#include "practice/SequentialPractice.h"
#include "settings/SettingsForm.h"

#include <QScopeGuard>
#include <span>

namespace {

const QString kNoRunNotice =
    QStringLiteral("[软件提示]：请选择左侧 的【顺序练习】、【随机练习】、【模拟考试】开始练习.");
const QString kGradingCaption = QStringLiteral("试卷自动评阅中...");
const QString kGradedCaption = QStringLiteral("试卷评阅");
const QString kRedoNoRunNotice = QStringLiteral("[软件提示]：请双击左侧的试题列表。");
const QString kRedoDoneNotice =
    QStringLiteral("[软件提示]：本套试题已经训练完毕，请选择任意选择【顺序试题】、【随机试题】、"
                   "【模拟考试】进行训练.");
const QString kBrowseNoRunNotice = QStringLiteral(
    "[软件提示]：请点击选择左侧的【顺序练习】、【随机练习】、【模拟考试】按钮开始练习.");
const QString kChapterLockedNotice = QStringLiteral(
    "[软件提示]：本套试题还没有交卷，不能更换章节。请先点击左边的【交卷评阅】按钮交卷评阅。");

} // namespace

QString PracticeSession::logNotSavedNotice(const QString &reason)
{
    return QStringLiteral("[软件提示]：本次练习的做题记录没有保存，原因：") + reason +
           QStringLiteral("。试卷评阅照常显示。");
}

PracticeSession::PracticeSession(QSqlDatabase db, PracticeRun &run, SequentialPractice &sequential,
                                 Countdown &countdown, SettingsForm &settingsForm,
                                 Notifier &notifier, ReviewPresenter &presenter, QObject *parent)
    : QObject(parent), m_db(db), m_run(run), m_sequential(sequential), m_countdown(countdown),
      m_form(settingsForm), m_notifier(notifier), m_presenter(presenter), m_log(db)
{
    m_sequential.setGradeHandler([this] { grade(); });
    connect(&m_run, &PracticeRun::countdownStopRequested, this, [this] { m_countdown.stop(); });
    connect(&m_run, &PracticeRun::commandPageRequested, this,
            [this] { setLeftPage(LeftPage::Commands); });
    connect(&m_countdown, &Countdown::labelChanged, this, [this](const QString &text) {
        m_frame.countdownLabel = text;
        Q_EMIT changed();
    });
    // The countdown stops itself before it reports its zero.
    connect(&m_countdown, &Countdown::expired, this, [this] {
        setLeftPage(LeftPage::Commands);
        grade();
    });
}

void PracticeSession::setLeftPage(LeftPage page)
{
    m_frame.leftPage = page;
    ++m_frame.leftPageSerial;
}

void PracticeSession::showLeftPage(LeftPage page)
{
    setLeftPage(page);
    Q_EMIT changed();
}

bool PracticeSession::chapterChangeAllowed() const
{
    return !m_run.active();
}

bool PracticeSession::chooseChapter(const QString &name)
{
    // The chapter of a loaded run is the one its log record will name.
    if (!chapterChangeAllowed()) {
        m_notifier.inform(kChapterLockedNotice);
        return false;
    }
    m_frame.chapter = name;
    m_run.showChapterPage();
    const ChapterLoader::Result result = m_sequential.loadChapter(name, 0, m_form.setSize());
    if (result.ok) {
        m_frame.logLines = m_log.listRecent();
        ++m_frame.logSerial;
    }
    Q_EMIT changed();
    if (!result.ok && result.openPicker)
        Q_EMIT pickerRequested();
    return result.ok;
}

void PracticeSession::startSequential(int typeFilter)
{
    const SequentialPractice::StartResult result =
        m_sequential.start(m_frame.chapter, typeFilter, m_form.setSize());
    // The log is listed on the chapter page whatever became of the load.
    m_frame.logLines = m_log.listRecent();
    ++m_frame.logSerial;
    Q_EMIT changed();
    if (result.openPicker)
        Q_EMIT pickerRequested();
}

void PracticeSession::setClicked(int row)
{
    m_sequential.setClicked(row);
    Q_EMIT changed();
}

void PracticeSession::extract()
{
    if (m_grading)
        return;
    const SequentialPractice::ExtractResult result =
        m_sequential.extract(m_frame.chapter, m_form.examMinutes());
    if (!result.ok) {
        Q_EMIT changed();
        return;
    }
    if (m_form.sliderPosition() != result.sliderPosition)
        m_form.setSliderPosition(result.sliderPosition);
    enterRunFrame(result.statusText, result.countdownMinutes, result.switchPanelAfterMs);
}

bool PracticeSession::startRun(const RunStart &start)
{
    if (m_grading || start.content.isEmpty())
        return false;
    // The run that was loaded is dropped, not graded: no log record names it.
    if (m_run.active()) {
        m_countdown.stop();
        m_run.endRun();
    }
    m_run.load(start.content);
    enterRunFrame(start.statusText, start.countdownMinutes, start.switchPanelAfterMs);
    return true;
}

void PracticeSession::enterRunFrame(const QString &statusText, int countdownMinutes,
                                    int switchPanelAfterMs)
{
    m_runStarted = m_clock();
    m_countdown.start(countdownMinutes);
    m_frame.runStatus = statusText;
    m_frame.knownCommandVisible = true;
    m_frame.chapterLinkVisible = false;
    m_frame.practiceBackEnabled = false;
    m_frame.commandsEnabled = false;
    m_frame.setChoiceEnabled = false;
    Q_EMIT changed();
    Q_EMIT pickerCloseRequested();
    Q_EMIT practicePanelDue(switchPanelAfterMs);
}

QString PracticeSession::redoQuestion()
{
    return QStringLiteral("[软件提示]：确定进入【错题重练】状态吗？");
}

QString PracticeSession::redoNotice(int before, int kept)
{
    return QStringLiteral("[软件提示]：本套试题原调入试题 [") + QString::number(before) +
           QStringLiteral("] 道  需重新练习 [") + QString::number(kept) + QStringLiteral("] 道.");
}

QString PracticeSession::redoStatus(int kept)
{
    return QStringLiteral("错题重练状态，共[") + QString::number(kept) + QStringLiteral("]道");
}

void PracticeSession::redoWrong()
{
    if (m_grading)
        return;
    if (!m_notifier.askOkCancel(QStringLiteral("提示消息"), redoQuestion()))
        return;
    if (!m_run.active()) {
        m_notifier.inform(kRedoNoRunNotice);
        showLeftPage(LeftPage::Commands);
        return;
    }
    const PracticeRun::Redo redo = m_run.redoWrong();
    if (redo.kept == 0) {
        // Nothing left to redo: the run ends here, neither graded nor logged.
        m_countdown.stop();
        m_notifier.inform(kRedoDoneNotice);
        if (m_run.active() && !m_grading) {
            m_run.endRun();
            restoreIdle();
        }
        Q_EMIT changed();
        return;
    }
    m_countdown.start(m_form.examMinutes());
    m_frame.runStatus = redoStatus(redo.kept);
    Q_EMIT changed();
    m_notifier.inform(redoNotice(redo.before, redo.kept));
}

std::optional<StyledText> PracticeSession::paperLines()
{
    if (!m_run.active()) {
        m_notifier.inform(kBrowseNoRunNotice);
        showLeftPage(LeftPage::Commands);
        return std::nullopt;
    }
    return PaperBrowseBuilder::build(
        m_frame.chapter, std::span<const RunQuestion>(&m_run.question(1), m_run.length()));
}

int PracticeSession::setIndexOfRun() const
{
    return m_run.mode() == RunMode::SequentialSet ? m_sequential.runSetIndex() : 0;
}

void PracticeSession::countdownTick()
{
    // A zero reports itself through expired(), which grades.
    m_countdown.tick();
}

void PracticeSession::grade()
{
    if (m_grading)
        return; // a review is open: never a second grading
    if (!m_run.active()) {
        m_notifier.inform(kNoRunNotice);
        showLeftPage(LeftPage::Commands);
        return;
    }
    m_grading = true;
    m_frame.gradeCaption = kGradingCaption;
    m_frame.gradeEnabled = false;
    // However grading ends (a log that cannot be written, a review that fails
    // to show), the run is over and the next grading can start.
    const auto finish = qScopeGuard([this] {
        m_run.endRun();
        restoreIdle();
        m_grading = false;
        Q_EMIT changed();
    });
    m_countdown.stop();
    m_run.stopTimers();

    const ReviewBuilder::Review review = ReviewBuilder::build(
        m_frame.chapter, std::span<const RunQuestion>(&m_run.question(1), m_run.length()));
    const QDateTime now = m_clock();
    // The record's writes keep copies of what they write: a record the
    // server cannot take now is written later, from memory.
    const RunMode mode = m_run.mode();
    const QString chapter = m_frame.chapter;
    const int setIndex = setIndexOfRun();
    const std::optional<int> percentage = review.score.percentage;
    const QString what = now.toString(QStringLiteral("yyyy-MM-dd HH:mm ")) +
                         PracticeLog::info(mode, chapter, setIndex) + QStringLiteral("的做题记录");
    QString unsaved;
    try {
        PracticeLog *log = &m_log;
        m_waiting.submit(what, [log, mode, chapter, setIndex, percentage, now] {
            log->append(mode, chapter, setIndex, percentage, now);
            log->trim();
        });
    } catch (const StoreError &error) {
        unsaved = logNotSavedNotice(error.reason());
    }
    QString studyUnsaved;
    if (m_study) {
        try {
            const StudyRecorder *study = m_study;
            std::vector<RunQuestion> questions(&m_run.question(1),
                                               &m_run.question(1) + m_run.length());
            const QDateTime started = m_runStarted;
            m_waiting.submit(what, [study, mode, chapter, setIndex,
                                    questions = std::move(questions), started, now] {
                study->record({mode, chapter, setIndex, std::span<const RunQuestion>(questions),
                               started, now});
            });
        } catch (const StoreError &error) {
            studyUnsaved = StudyRecorder::notSavedNotice(error.reason());
        }
    }
    m_frame.waitingRecords = m_waiting.count();
    // Only a set of the chapter is marked as graded in the set list.
    if (m_run.mode() == RunMode::SequentialSet)
        m_sequential.markGradedSet();
    Q_EMIT changed();

    if (!unsaved.isEmpty())
        m_notifier.inform(unsaved);
    if (!studyUnsaved.isEmpty())
        m_notifier.inform(studyUnsaved);
    // The review's file is named after the set only for a set of the chapter.
    m_presenter.present(review, setIndexOfRun());
}

void PracticeSession::retryWaitingRecords()
{
    if (m_waiting.empty())
        return;
    const QStringList refused = m_waiting.retry();
    m_frame.waitingRecords = m_waiting.count();
    Q_EMIT changed();
    for (const QString &notice : refused)
        m_notifier.inform(notice);
}

QString PracticeSession::closingQuestion() const
{
    return m_waiting.empty() ? QString() : WaitingRecords::closingQuestion(m_waiting.count());
}

void PracticeSession::restoreIdle()
{
    m_frame.gradeCaption = kGradedCaption;
    m_frame.gradeEnabled = true;
    m_frame.chapterLinkVisible = true;
    m_frame.practiceBackEnabled = true;
    m_frame.knownCommandVisible = false;
    m_frame.commandsEnabled = true;
    m_frame.setChoiceEnabled = true;
    setLeftPage(LeftPage::Commands);
}

void PracticeSession::listLog()
{
    m_run.showChapterPage();
    m_frame.logLines = m_log.listRecent();
    ++m_frame.logSerial;
    Q_EMIT changed();
}

void PracticeSession::trimLog()
{
    m_run.showChapterPage();
    m_log.trim();
    Q_EMIT changed();
}

void PracticeSession::deleteLog()
{
    m_log.deleteAll();
    m_frame.logLines.clear();
    ++m_frame.logSerial;
    Q_EMIT changed();
}
