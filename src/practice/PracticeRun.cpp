#include "practice/PracticeRun.h"

#include "base/GbkText.h"
#include "base/Notifier.h"
#include "question/AnswerForm.h"
#include "question/Grading.h"
#include "question/QuestionType.h"

#include <algorithm>

namespace {

const QString kEndOfRunNotice = QStringLiteral("[软件提示]:请交卷请点击左边的【交卷评阅】按钮.");
const QString kNoRunNotice =
    QStringLiteral("[软件提示]：请选择左侧 的【顺序练习】、【随机练习】、【模拟考试】开始练习.");
const QString kSavedHint = QStringLiteral("提示：已保存.");
const QString kNextCaption = QStringLiteral("下一题[Next]");

// One of the digits "1" … "4".
bool isAnswerDigit(const QString &value)
{
    return value.size() == 1 && !answer::letterOfDigit(value.at(0)).isEmpty();
}

} // namespace

PracticeRun::PracticeRun(const Settings &settings, Notifier &notifier, QObject *parent)
    : QObject(parent), m_settings(settings), m_notifier(notifier),
      m_slots(question::kRunCapacity + 1), m_sliderPosition(settings.advanceDelay * 100),
      m_advance(settings.advanceDelay)
{
}

RunQuestion &PracticeRun::question(int k)
{
    return m_slots[std::clamp(k, 0, question::kRunCapacity)];
}

const RunQuestion &PracticeRun::question(int k) const
{
    return m_slots[std::clamp(k, 0, question::kRunCapacity)];
}

void PracticeRun::setSliderPosition(int position)
{
    m_sliderPosition = position;
    m_advance.setReload(sliderDelay());
}

int PracticeRun::sliderDelay() const
{
    return text::roundHalfEven(m_sliderPosition / 100.0);
}

// ---------------------------------------------------------------------------
// Loading and ending

void PracticeRun::load(const QVector<RunQuestion> &loaded, RunMode mode, bool examMode)
{
    if (loaded.isEmpty())
        return;
    // Whatever was pending belongs to the run being replaced.
    m_advance.stop();
    stopReveal();

    const int count = std::min<int>(loaded.size(), question::kRunCapacity);
    for (int k = 1; k <= count; ++k) {
        m_slots[k] = loaded.at(k - 1);
        m_slots[k].wrongMark = false;
    }
    m_n = count;
    ++m_runSerial;
    m_mode = mode;
    m_examMode = examMode;
    m_active = true;
    m_objectiveCount = 0;
    m_objectiveCorrect = 0;
    m_screen.showLiveCounts(0, 0);

    m_current = 1;
    m_display.revealPanelVisible.fill(!m_examMode);
    showQuestion(1, Move::First);
    finishMove(Move::First);
    markAnswers();
    buildStrip();
    updateTimerFlags();
    emit changed();
}

void PracticeRun::chapterDivided()
{
    m_current = 0;
    // No question is left on screen to reveal an answer on.
    stopReveal();
    updateTimerFlags();
    if (m_active) {
        emit countdownStopRequested();
        switchPage(RunDisplay::Page::SingleChoice);
        m_display.questionLines.clear();
        m_display.essayText.clear();
        m_display.progressMinimum = 0;
        m_display.progressValue = 0;
        m_display.percentText = QStringLiteral("0%");
    }
    emit changed();
}

void PracticeRun::showChapterPage()
{
    switchPage(RunDisplay::Page::Chapter);
    m_display.progressMinimum = 0;
    m_display.progressValue = 0;
    emit changed();
}

void PracticeRun::freeStrip()
{
    m_display.strip.clear();
    emit changed();
}

void PracticeRun::endRun()
{
    ++m_runSerial;
    m_active = false;
    m_examMode = false;
    m_current = 0;
    m_advance.stop();
    stopReveal();
    m_display.nextEnabled = true;
    m_display.nextCaption = kNextCaption;
    // No run is left to hand in.
    m_display.bottomHintVisible = false;
    m_screen.clearAnswerPages();
    m_display.strip.clear();
    switchPage(RunDisplay::Page::Chapter);
    updateTimerFlags();
    emit changed();
}

PracticeRun::Redo PracticeRun::redoWrong()
{
    Redo redo;
    if (!m_active)
        return redo;
    redo.before = m_n;
    QVector<RunQuestion> kept;
    for (int k = 1; k <= m_n; ++k) {
        const RunQuestion &q = m_slots[k];
        if (!isObjective(q.typeCode) || Grading::answeredCorrectly(q))
            continue;
        RunQuestion again = q;
        again.userAnswer.clear();
        again.wrongMark = false;
        kept.append(again);
    }
    redo.kept = static_cast<int>(kept.size());
    if (kept.isEmpty())
        return redo;
    // The progress bar starts again; loading shows question 1 and builds the
    // strip for the kept questions.
    m_display.progressMinimum = 0;
    m_display.progressValue = 0;
    load(kept, m_mode, m_examMode);
    return redo;
}

void PracticeRun::stopTimers()
{
    stopAutomaticMove();
    stopReveal();
    updateTimerFlags();
    emit changed();
}

// ---------------------------------------------------------------------------
// Showing a question

void PracticeRun::switchPage(RunDisplay::Page page)
{
    m_screen.switchPage(page);
}

void PracticeRun::showQuestion(int k, Move move)
{
    m_screen.showQuestion(m_slots[k], k, move, m_examMode, [this] { multiBoxesChanged(); });
}

void PracticeRun::finishMove(Move move)
{
    m_screen.finishMove(move, m_current, m_n, m_examMode);
}

// ---------------------------------------------------------------------------
// Moves

void PracticeRun::next()
{
    if (!m_active)
        return;
    stopAutomaticMove();
    // A reveal asked for on the question left behind never lands on the next.
    stopReveal();
    // Past the last question the run stays one place beyond it, however often
    // Next is pressed, so that Prior always comes back to question N.
    m_current = std::min(m_current + 1, m_n + 1);
    markAnswers();
    if (m_current <= m_n) {
        refreshLiveCounts();
        showQuestion(m_current, Move::Next);
        finishMove(Move::Next);
    } else {
        endOfRun();
    }
    updateTimerFlags();
    emit changed();
}

void PracticeRun::endOfRun()
{
    refreshLiveCounts();
    // The countdown and the automatic move stop before the notice: while it is
    // open, neither may grade the run or move in it.
    emit countdownStopRequested();
    stopAutomaticMove();
    const int runSerial = m_runSerial;
    m_notifier.inform(kEndOfRunNotice);
    // The run may have been graded, ended or replaced while the notice was
    // open; then there is nothing left to score.
    if (runSerial != m_runSerial || !m_active)
        return;
    m_screen.showScore(m_objectiveCorrect, m_objectiveCount);
    emit passedLastQuestion();
}

void PracticeRun::prior()
{
    if (!m_active)
        return;
    stopAutomaticMove();
    stopReveal();
    refreshLiveCounts();
    m_current = std::min(m_current - 1, m_n);
    markAnswers();
    if (m_current <= 0) {
        m_current = 1;
    } else {
        showQuestion(m_current, Move::Prior);
        finishMove(Move::Prior);
    }
    updateTimerFlags();
    emit changed();
}

void PracticeRun::stripClick(int number)
{
    if (!m_active) {
        m_notifier.inform(kNoRunNotice);
        emit commandPageRequested();
        return;
    }
    if (number < 1 || number > m_n)
        return;
    m_current = number - 1;
    next();
}

void PracticeRun::automaticMove()
{
    if (!m_active || m_n < 1)
        return;
    stopReveal();
    ++m_current;
    refreshLiveCounts();
    markAnswers();
    if (m_current > m_n)
        m_current = m_n;
    if (m_current < 1)
        return;
    showQuestion(m_current, Move::Automatic);
    finishMove(Move::Automatic);
}

void PracticeRun::startAutomaticMove()
{
    m_advance.start();
}

void PracticeRun::stopAutomaticMove()
{
    m_advance.stop();
}

void PracticeRun::cancelAutomaticMove()
{
    stopAutomaticMove();
    updateTimerFlags();
    emit changed();
}

void PracticeRun::tickAdvance()
{
    if (!m_advance.tick())
        return;
    m_display.nextEnabled = true;
    m_display.nextCaption = kNextCaption;
    automaticMove();
    updateTimerFlags();
    emit changed();
}

void PracticeRun::updateTimerFlags()
{
    m_display.advanceTimerOn = m_advance.running();
    m_display.revealTimerOn = m_reveal.running();
}

// ---------------------------------------------------------------------------
// Strip

void PracticeRun::buildStrip()
{
    for (int k = 1; k <= m_n; ++k)
        m_slots[k].wrongMark = false;
    m_screen.buildStrip(m_n);
}

// ---------------------------------------------------------------------------
// Judging

void PracticeRun::markAnswers()
{
    for (int k = 1; k <= m_n; ++k)
        m_slots[k].wrongMark =
            isObjective(m_slots[k].typeCode) && !Grading::answeredCorrectly(m_slots[k]);
    if (m_current < 1)
        return;
    const int left = m_current - 1;
    if (left >= 1 && left <= m_n)
        m_screen.markStripNumber(left, m_slots[left]);
}

void PracticeRun::refreshLiveCounts()
{
    int count = 0;
    int correct = 0;
    for (int k = 1; k <= m_n; ++k) {
        if (!isObjective(m_slots[k].typeCode))
            continue;
        ++count;
        if (Grading::answeredCorrectly(m_slots[k]))
            ++correct;
    }
    m_objectiveCount = count;
    m_objectiveCorrect = correct;
    m_screen.showLiveCounts(correct, count);
}

// ---------------------------------------------------------------------------
// Answers

bool PracticeRun::controlApplies(QuestionType type) const
{
    return questionOnScreen() && question::fromCode(m_slots[m_current].typeCode) == type;
}

void PracticeRun::answerSingle(int digit)
{
    if (!controlApplies(QuestionType::SingleChoice) || digit < 1 || digit > answer::kOptionCount)
        return;
    RunQuestion &q = m_slots[m_current];
    const QString value = QString::number(digit);
    const QString correct = text::trimmed(q.correctAnswer);
    m_display.singleChosen = QString(answer::optionLetter(digit));
    q.userAnswer = value;
    if (!m_examMode && m_settings.showInstantAnswer) {
        if (correct == value) {
            m_display.rightMarkVisible = true;
            m_display.wrongMarkVisible = false;
        } else if (isAnswerDigit(correct)) {
            m_display.wrongMarkVisible = true;
            m_display.rightMarkVisible = false;
        }
    }
    if (m_examMode) {
        startAutomaticMove();
    } else if (value != correct) {
        ++m_wrongStreak;
        if (m_wrongStreak >= 2) {
            startAutomaticMove();
            m_wrongStreak = 0;
        }
    } else {
        m_wrongStreak = 0;
        startAutomaticMove();
    }
    updateTimerFlags();
    emit changed();
}

void PracticeRun::multiBoxesChanged()
{
    if (!controlApplies(QuestionType::MultipleChoice))
        return;
    RunQuestion &q = m_slots[m_current];
    QString letters;
    QString digits;
    for (int i = 0; i < answer::kOptionCount; ++i) {
        if (m_display.multiChecks[i]) {
            letters += answer::optionLetter(i + 1);
            digits += answer::optionDigit(i + 1);
        }
    }
    m_display.multiChosen = letters;
    q.userAnswer = digits;
    if (m_examMode)
        return;
    const QString correct = text::trimmed(q.correctAnswer);
    if (text::trimmed(digits) == correct) {
        m_display.multiFeedback = QStringLiteral("正确");
        m_display.multiFeedbackColour = RunDisplay::kRed;
    } else if (digits.isEmpty()) {
        m_display.multiFeedback.clear();
    } else if (std::all_of(digits.cbegin(), digits.cend(),
                           [&](QChar d) { return correct.contains(d); })) {
        m_display.multiFeedback = QStringLiteral("不完全正确");
        m_display.multiFeedbackColour = RunDisplay::kGreen;
    } else {
        m_display.multiFeedback = QStringLiteral("错误");
        m_display.multiFeedbackColour = RunDisplay::kBlack;
    }
}

void PracticeRun::setMultiBox(int index, bool checked)
{
    if (!controlApplies(QuestionType::MultipleChoice) || index < 0 || index >= answer::kOptionCount)
        return;
    m_display.multiChecks[index] = checked;
    multiBoxesChanged();
    emit changed();
}

// Typed answers (fill-in, essay): a key press empties the save hint, a key
// release stores the whole text as the answer and says it is saved.
void PracticeRun::typedKeyPress(QuestionType type)
{
    if (!controlApplies(type))
        return;
    m_display.saveHint.clear();
    emit changed();
}

void PracticeRun::typedKeyRelease(QuestionType type, const QString &shown, const QString &answer)
{
    if (!controlApplies(type))
        return;
    m_slots[m_current].userAnswer = answer;
    (type == QuestionType::FillIn ? m_display.fillInText : m_display.essayText) = shown;
    m_display.saveHint = kSavedHint;
    m_display.saveHintVisible = true;
    emit changed();
}

void PracticeRun::fillInKeyPress()
{
    typedKeyPress(QuestionType::FillIn);
}

void PracticeRun::fillInKeyRelease(const QString &fieldText)
{
    typedKeyRelease(QuestionType::FillIn, fieldText, fieldText);
}

bool PracticeRun::fillInAllowed(const QString &fieldText) const
{
    const int bytes = gbk::byteLength(fieldText);
    if (bytes <= kFillInMaxBytes)
        return true;
    return controlApplies(QuestionType::FillIn) &&
           bytes <= gbk::byteLength(text::trimmed(m_slots[m_current].correctAnswer));
}

void PracticeRun::essayKeyPress()
{
    typedKeyPress(QuestionType::Essay);
}

void PracticeRun::essayKeyRelease(const QString &viewText)
{
    // Shown with "\n", stored with CR LF between lines.
    QString lines = viewText;
    lines.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    lines.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    typedKeyRelease(QuestionType::Essay, lines,
                    lines.split(QLatin1Char('\n')).join(QStringLiteral("\r\n")));
}

void PracticeRun::answerTrueFalse(bool value)
{
    if (!controlApplies(QuestionType::TrueFalse))
        return;
    RunQuestion &q = m_slots[m_current];
    const QString chosen = answer::trueFalseValue(value);
    const QString other = answer::trueFalseValue(!value);
    m_display.trueFalseChosen = value ? QStringLiteral("对") : QStringLiteral("错");
    q.userAnswer = chosen;
    m_display.rightMarkVisible = false;
    m_display.wrongMarkVisible = false;
    if (!m_examMode) {
        const QString correct = text::trimmed(q.correctAnswer);
        if (correct == chosen)
            m_display.rightMarkVisible = true;
        else if (correct == other)
            m_display.wrongMarkVisible = true;
    }
    startAutomaticMove();
    updateTimerFlags();
    emit changed();
}

bool PracticeRun::takeCorrectAnswer()
{
    if (!questionOnScreen())
        return false;
    RunQuestion &q = m_slots[m_current];
    if (isObjective(q.typeCode))
        q.userAnswer = q.correctAnswer;
    return true;
}

// ---------------------------------------------------------------------------
// Reveal

void PracticeRun::revealHover()
{
    if (!questionOnScreen())
        return;
    const int type = m_slots[m_current].typeCode;
    if (!question::isTypeCode(type) ||
        !m_display.revealPanelVisible[question::indexOf(question::fromCode(type))])
        return;
    m_reveal.start(m_current);
    updateTimerFlags();
    emit changed();
}

void PracticeRun::tickReveal()
{
    if (!m_reveal.running())
        return;
    // Only on the question the reveal was asked for.
    const std::optional<int> due = m_reveal.tick();
    if (due && *due == m_current)
        revealAnswer();
    updateTimerFlags();
    emit changed();
}

void PracticeRun::stopReveal()
{
    m_reveal.cancel();
}

void PracticeRun::revealAnswer()
{
    if (!questionOnScreen())
        return;
    m_reveal.show(m_slots[m_current], [this] { multiBoxesChanged(); });
}
