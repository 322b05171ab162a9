#include "practice/PracticeRun.h"

#include "base/GbkText.h"
#include "base/Notifier.h"
#include "question/AnswerForm.h"
#include "question/Grading.h"

#include <algorithm>

namespace {

const QString kEndOfRunNotice = QStringLiteral("[软件提示]:请交卷请点击左边的【交卷评阅】按钮.");
const QString kNoRunNotice =
    QStringLiteral("[软件提示]：请选择左侧 的【顺序练习】、【随机练习】、【模拟考试】开始练习.");
const QString kSavedHint = QStringLiteral("提示：已保存.");
const QString kNextCaption = QStringLiteral("下一题[Next]");
// "1" … "4" -> "A" … "D", anything else -> empty.
QString letterOf(const QString &digit)
{
    return digit.size() == 1 ? answer::letterOfDigit(digit.at(0)) : QString();
}

bool isAnswerDigit(const QString &value)
{
    return !letterOf(value).isEmpty();
}

} // namespace

PracticeRun::PracticeRun(const Settings &settings, Notifier &notifier, QObject *parent)
    : QObject(parent), m_settings(settings), m_notifier(notifier), m_slots(kCapacity + 1),
      m_sliderPosition(settings.advanceDelay * 100), m_advance(settings.advanceDelay)
{
}

RunQuestion &PracticeRun::question(int k)
{
    return m_slots[std::clamp(k, 0, kCapacity)];
}

const RunQuestion &PracticeRun::question(int k) const
{
    return m_slots[std::clamp(k, 0, kCapacity)];
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

    const int count = std::min<int>(loaded.size(), kCapacity);
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
    m_display.liveCorrect = text::twoDigits(0);
    m_display.liveTotal = text::twoDigits(0);

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
    clearAnswerPages();
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

void PracticeRun::clearAnswerPages()
{
    m_display.questionLines.clear();
    m_display.singleChosen.clear();
    m_display.multiChosen.clear();
    m_display.trueFalseChosen.clear();
    m_display.rightMarkVisible = false;
    m_display.wrongMarkVisible = false;
    m_display.multiFeedback.clear();
    m_display.multiChecks.fill(false);
    m_display.fillInText.clear();
    m_display.essayText.clear();
    m_display.saveHint.clear();
    m_display.saveHintVisible = false;
    m_display.picture.clear();
}

// ---------------------------------------------------------------------------
// Showing a question

void PracticeRun::switchPage(RunDisplay::Page page)
{
    m_display.page = page;
    ++m_display.pageSerial;
}

void PracticeRun::showQuestion(int k, Move move)
{
    const RunQuestion &q = m_slots[k];
    const QString answer = text::trimmed(q.userAnswer);
    const QString head = QString::number(k) + QStringLiteral(".") + q.stem;
    const QStringList withOptions = {QString(),
                                     head,
                                     QStringLiteral("  A.") + q.optionA,
                                     QStringLiteral("  B.") + q.optionB,
                                     QStringLiteral("  C.") + q.optionC,
                                     QStringLiteral("  D.") + q.optionD};
    const QStringList stemOnly = {QString(), head};

    m_display.lineSpacing = 150;
    switch (q.typeCode) {
    case MultipleChoice:
        switchPage(RunDisplay::Page::MultipleChoice);
        m_display.questionLines = withOptions;
        m_display.multiChosen.clear();
        for (int i = 0; i < 4; ++i)
            setBox(i, false);
        for (int i = 0; i < 4; ++i) {
            if (answer.contains(QChar(u'1' + i))) {
                m_display.multiChosen += answer::optionLetter(i + 1);
                setBox(i, true);
            }
        }
        break;
    case FillIn:
        switchPage(RunDisplay::Page::FillIn);
        m_display.questionLines = stemOnly;
        m_display.fillInText = answer;
        break;
    case TrueFalse:
        switchPage(RunDisplay::Page::TrueFalse);
        m_display.questionLines = stemOnly;
        m_display.rightMarkVisible = false;
        m_display.wrongMarkVisible = false;
        m_display.trueFalseChosen = answer == QStringLiteral("1")   ? QStringLiteral("对")
                                    : answer == QStringLiteral("0") ? QStringLiteral("错")
                                                                    : QString();
        break;
    case Essay:
        switchPage(RunDisplay::Page::Essay);
        m_display.questionLines = stemOnly;
        m_display.essayText = QString(answer).replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
        break;
    default:
        // Single choice, and any stored type code outside 1 … 5 (shown, never answerable).
        switchPage(RunDisplay::Page::SingleChoice);
        m_display.questionLines = withOptions;
        if (move == Move::Automatic)
            m_display.lineSpacing = 200;
        m_display.rightMarkVisible = false;
        m_display.wrongMarkVisible = false;
        m_display.singleChosen = letterOf(answer);
        break;
    }

    const QString image = text::trimmed(q.imageName);
    m_display.picture = image.isEmpty() ? QString() : QStringLiteral("images/") + image;

    if (m_examMode) {
        m_display.revealPanelVisible.fill(false);
    } else if (move != Move::First) {
        if (q.typeCode == MultipleChoice || q.typeCode == FillIn || q.typeCode == Essay)
            m_display.revealPanelVisible[q.typeCode - 1] = m_settings.showInstantAnswer;
    }
}

void PracticeRun::finishMove(Move move)
{
    m_display.percentText =
        QString::number(text::roundHalfEven(m_current * 100.0 / m_n)) + QStringLiteral("%");
    m_display.saveHintVisible = false;
    const bool setProgress = move == Move::Next || move == Move::Prior;
    if (setProgress) {
        m_display.progressMinimum = 1;
        m_display.progressMaximum = m_n;
        m_display.progressValue = m_current;
        m_display.multiFeedback.clear();
        m_display.multiFeedbackVisible = m_settings.showInstantAnswer;
    }
    switch (move) {
    case Move::First:
        m_display.bottomHintVisible = 1 >= m_n;
        break;
    case Move::Next:
        m_display.bottomHintVisible = false;
        m_display.revealPanelVisible[SingleChoice - 1] =
            m_settings.showInstantAnswer && !m_examMode;
        break;
    case Move::Prior:
    case Move::Automatic:
        m_display.bottomHintVisible = m_current >= m_n;
        break;
    }
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
    switchPage(RunDisplay::Page::Score);
    m_display.questionLines.clear();
    m_display.bottomHintVisible = true;
    // Every run shows its own figures, also one without objective questions.
    m_display.scoreLine = QStringLiteral("客观题正确：") + QString::number(m_objectiveCorrect) +
                          QStringLiteral(" /客观总数:") + QString::number(m_objectiveCount);
    const std::optional<int> percentage = Grading::percentage(m_objectiveCorrect, m_objectiveCount);
    m_display.scorePercent =
        percentage ? QString::number(*percentage) + QStringLiteral("分") : QStringLiteral("--");
    m_display.scoreNote = percentage ? QString() : Grading::noPercentageLine();
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
    m_display.strip.clear();
    for (int k = 1; k <= m_n; ++k)
        m_slots[k].wrongMark = false;
    for (int k = 1; k <= m_n; ++k) {
        RunDisplay::StripNumber number;
        number.number = k;
        number.caption = text::twoDigits(k);
        m_display.strip.append(number);
    }
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
    if (left < 1 || left > m_display.strip.size() || left > m_n)
        return;
    RunDisplay::StripNumber &number = m_display.strip[left - 1];
    const RunQuestion &q = m_slots[left];
    number.bold = true;
    if (q.typeCode == FillIn || q.typeCode == Essay)
        number.colour = RunDisplay::kSilver;
    else
        number.colour = q.wrongMark ? RunDisplay::kRed : RunDisplay::kGreen;
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
    m_display.liveCorrect = text::twoDigits(correct);
    m_display.liveTotal = text::twoDigits(count);
}

// ---------------------------------------------------------------------------
// Answers

bool PracticeRun::controlApplies(int typeCode) const
{
    return questionOnScreen() && m_slots[m_current].typeCode == typeCode;
}

void PracticeRun::answerSingle(int digit)
{
    if (!controlApplies(SingleChoice) || digit < 1 || digit > 4)
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

void PracticeRun::setBox(int index, bool checked)
{
    if (m_display.multiChecks[index] == checked)
        return;
    m_display.multiChecks[index] = checked;
    multiBoxesChanged();
}

void PracticeRun::multiBoxesChanged()
{
    if (!controlApplies(MultipleChoice))
        return;
    RunQuestion &q = m_slots[m_current];
    QString letters;
    QString digits;
    for (int i = 0; i < 4; ++i) {
        if (m_display.multiChecks[i]) {
            letters += answer::optionLetter(i + 1);
            digits += QChar(u'1' + i);
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
    if (!controlApplies(MultipleChoice) || index < 0 || index > 3)
        return;
    m_display.multiChecks[index] = checked;
    multiBoxesChanged();
    emit changed();
}

// Typed answers (fill-in, essay): a key press empties the save hint, a key
// release stores the whole text as the answer and says it is saved.
void PracticeRun::typedKeyPress(int typeCode)
{
    if (!controlApplies(typeCode))
        return;
    m_display.saveHint.clear();
    emit changed();
}

void PracticeRun::typedKeyRelease(int typeCode, const QString &shown, const QString &answer)
{
    if (!controlApplies(typeCode))
        return;
    m_slots[m_current].userAnswer = answer;
    (typeCode == FillIn ? m_display.fillInText : m_display.essayText) = shown;
    m_display.saveHint = kSavedHint;
    m_display.saveHintVisible = true;
    emit changed();
}

void PracticeRun::fillInKeyPress()
{
    typedKeyPress(FillIn);
}

void PracticeRun::fillInKeyRelease(const QString &fieldText)
{
    typedKeyRelease(FillIn, fieldText, fieldText);
}

bool PracticeRun::fillInAllowed(const QString &fieldText) const
{
    const int bytes = gbk::byteLength(fieldText);
    if (bytes <= kFillInMaxBytes)
        return true;
    return controlApplies(FillIn) &&
           bytes <= gbk::byteLength(text::trimmed(m_slots[m_current].correctAnswer));
}

void PracticeRun::essayKeyPress()
{
    typedKeyPress(Essay);
}

void PracticeRun::essayKeyRelease(const QString &viewText)
{
    // Shown with "\n", stored with CR LF between lines.
    QString lines = viewText;
    lines.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    lines.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    typedKeyRelease(Essay, lines, lines.split(QLatin1Char('\n')).join(QStringLiteral("\r\n")));
}

void PracticeRun::answerTrueFalse(bool value)
{
    if (!controlApplies(TrueFalse))
        return;
    RunQuestion &q = m_slots[m_current];
    const QString chosen = value ? QStringLiteral("1") : QStringLiteral("0");
    const QString other = value ? QStringLiteral("0") : QStringLiteral("1");
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
    if (type < SingleChoice || type > Essay || !m_display.revealPanelVisible[type - 1])
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
