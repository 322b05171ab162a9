#include "practice/RunScreen.h"

#include "base/GbkText.h"
#include "question/AnswerForm.h"
#include "question/Grading.h"
#include "question/QuestionType.h"

namespace {

// "1" … "4" -> "A" … "D", anything else -> empty.
QString letterOf(const QString &digit)
{
    return digit.size() == 1 ? answer::letterOfDigit(digit.at(0)) : QString();
}

} // namespace

RunScreen::RunScreen(RunDisplay &display, const Settings &settings)
    : m_display(display), m_settings(settings)
{
}

void RunScreen::switchPage(RunDisplay::Page page)
{
    m_display.page = page;
    ++m_display.pageSerial;
}

void RunScreen::showQuestion(const RunQuestion &q, int number, Move move, bool examMode,
                             const std::function<void()> &boxesChanged)
{
    const QString answer = text::trimmed(q.userAnswer);
    const QString head = QString::number(number) + QStringLiteral(".") + q.stem;
    const QString options[answer::kOptionCount] = {q.optionA, q.optionB, q.optionC, q.optionD};
    QStringList withOptions = {QString(), head};
    for (int i = 0; i < answer::kOptionCount; ++i)
        withOptions << QStringLiteral("  ") + answer::optionLetter(i + 1) + QLatin1Char('.') +
                           options[i];
    const QStringList stemOnly = {QString(), head};

    const QuestionType type = question::fromCode(q.typeCode);
    m_display.lineSpacing = 150;
    switch (type) {
    case QuestionType::MultipleChoice:
        switchPage(RunDisplay::Page::MultipleChoice);
        m_display.questionLines = withOptions;
        m_display.multiChosen.clear();
        for (int i = 0; i < answer::kOptionCount; ++i)
            setBox(i, false, boxesChanged);
        for (int i = 0; i < answer::kOptionCount; ++i) {
            if (answer.contains(answer::optionDigit(i + 1))) {
                m_display.multiChosen += answer::optionLetter(i + 1);
                setBox(i, true, boxesChanged);
            }
        }
        break;
    case QuestionType::FillIn:
        switchPage(RunDisplay::Page::FillIn);
        m_display.questionLines = stemOnly;
        m_display.fillInText = answer;
        break;
    case QuestionType::TrueFalse:
        switchPage(RunDisplay::Page::TrueFalse);
        m_display.questionLines = stemOnly;
        m_display.rightMarkVisible = false;
        m_display.wrongMarkVisible = false;
        m_display.trueFalseChosen = answer == answer::kTrue    ? QStringLiteral("对")
                                    : answer == answer::kFalse ? QStringLiteral("错")
                                                               : QString();
        break;
    case QuestionType::Essay:
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

    if (examMode) {
        m_display.revealPanelVisible.fill(false);
    } else if (move != Move::First) {
        if (type == QuestionType::MultipleChoice || type == QuestionType::FillIn ||
            type == QuestionType::Essay)
            m_display.revealPanelVisible[question::indexOf(type)] = m_settings.showInstantAnswer;
    }
}

void RunScreen::finishMove(Move move, int current, int length, bool examMode)
{
    m_display.percentText =
        QString::number(text::roundHalfEven(current * 100.0 / length)) + QStringLiteral("%");
    m_display.saveHintVisible = false;
    const bool setProgress = move == Move::Next || move == Move::Prior;
    if (setProgress) {
        m_display.progressMinimum = 1;
        m_display.progressMaximum = length;
        m_display.progressValue = current;
        m_display.multiFeedback.clear();
        m_display.multiFeedbackVisible = m_settings.showInstantAnswer;
    }
    switch (move) {
    case Move::First:
        m_display.bottomHintVisible = 1 >= length;
        break;
    case Move::Next:
        m_display.bottomHintVisible = false;
        m_display.revealPanelVisible[question::indexOf(QuestionType::SingleChoice)] =
            m_settings.showInstantAnswer && !examMode;
        break;
    case Move::Prior:
    case Move::Automatic:
        m_display.bottomHintVisible = current >= length;
        break;
    }
}

void RunScreen::clearAnswerPages()
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

void RunScreen::setBox(int index, bool checked, const std::function<void()> &boxesChanged)
{
    if (m_display.multiChecks[index] == checked)
        return;
    m_display.multiChecks[index] = checked;
    if (boxesChanged)
        boxesChanged();
}

void RunScreen::buildStrip(int length)
{
    m_display.strip.clear();
    for (int k = 1; k <= length; ++k) {
        RunDisplay::StripNumber number;
        number.number = k;
        number.caption = text::twoDigits(k);
        m_display.strip.append(number);
    }
}

void RunScreen::markStripNumber(int number, const RunQuestion &q)
{
    if (number < 1 || number > m_display.strip.size())
        return;
    RunDisplay::StripNumber &shown = m_display.strip[number - 1];
    shown.bold = true;
    const QuestionType type = question::fromCode(q.typeCode);
    if (type == QuestionType::FillIn || type == QuestionType::Essay)
        shown.colour = RunDisplay::kSilver;
    else
        shown.colour = q.wrongMark ? RunDisplay::kRed : RunDisplay::kGreen;
}

void RunScreen::showLiveCounts(int correct, int objective)
{
    m_display.liveCorrect = text::twoDigits(correct);
    m_display.liveTotal = text::twoDigits(objective);
}

void RunScreen::showScore(int correct, int objective)
{
    switchPage(RunDisplay::Page::Score);
    m_display.questionLines.clear();
    m_display.bottomHintVisible = true;
    // Every run shows its own figures, also one without objective questions.
    m_display.scoreLine = QStringLiteral("客观题正确：") + QString::number(correct) +
                          QStringLiteral(" /客观总数:") + QString::number(objective);
    const std::optional<int> percentage = Grading::percentage(correct, objective);
    m_display.scorePercent =
        percentage ? QString::number(*percentage) + QStringLiteral("分") : QStringLiteral("--");
    m_display.scoreNote = percentage ? QString() : Grading::noPercentageLine();
}
