#include "practice/KnownQuestions.h"

#include "base/Beeper.h"
#include "base/Notifier.h"
#include "base/StoreError.h"
#include "practice/PracticeRun.h"

const QString KnownQuestions::kBankRestoredNotice =
    QStringLiteral("[软件提示]:本分类试题库全部恢复到学习状态.");
const QString KnownQuestions::kNothingChosenNotice =
    QStringLiteral("[软件提示]:请点击要恢复练习的试题.");
const QString KnownQuestions::kMissingNotice =
    QStringLiteral("[软件提示]:此题已不在题库中，没有改变它的练习状态.");

KnownQuestions::KnownQuestions(QSqlDatabase db, Notifier &notifier)
    : m_db(db), m_notifier(notifier), m_chapters(db), m_questions(db)
{
}

QString KnownQuestions::notMarkedNotice(const QString &reason)
{
    return QStringLiteral("[软件提示]:此题没有标记为会做，原因：") + reason + QStringLiteral("。");
}

QString KnownQuestions::notRestoredNotice(const QString &reason)
{
    return QStringLiteral("[软件提示]:试题没有恢复到学习状态，原因：") + reason +
           QStringLiteral("。");
}

std::optional<QString> KnownQuestions::chapterFigure(const QString &chapter) const
{
    try {
        const std::optional<ChapterRow> row = m_chapters.findByName(chapter);
        if (!row)
            return std::nullopt;
        const QuestionScope scope = QuestionScope::chapter(row->id);
        const int total = m_questions.count(scope);
        const int known = total - m_questions.count(scope.toPractise());
        return QString::number(known) + QStringLiteral(":") + QString::number(total);
    } catch (const StoreError &) {
        // The figure keeps what it showed; the change itself was reported.
        return std::nullopt;
    }
}

std::optional<QString> KnownQuestions::markShown(PracticeRun &run, Beeper &beeper,
                                                 const QString &chapter)
{
    beeper.beep(kBeepHz, kBeepMs);
    if (!run.questionOnScreen())
        return std::nullopt;
    // Written first: when the mark fails, the run keeps the user's answer and
    // stays on the question, so nothing looks marked that is not.
    try {
        if (!m_questions.setToPractise(run.question(run.current()).questionId, false)) {
            m_notifier.inform(kMissingNotice);
            return std::nullopt;
        }
    } catch (const StoreError &error) {
        m_notifier.inform(notMarkedNotice(error.reason()));
        return std::nullopt;
    }
    run.takeCorrectAnswer();
    const std::optional<QString> figure = chapterFigure(chapter);
    run.next();
    return figure;
}

bool KnownQuestions::restoreOne(const QString &selectedId)
{
    bool numeric = false;
    const qint64 id = selectedId.toLongLong(&numeric);
    if (!numeric) {
        m_notifier.inform(kNothingChosenNotice);
        return false;
    }
    try {
        if (!m_questions.setToPractise(id, true)) {
            m_notifier.inform(kMissingNotice);
            return false;
        }
        return true;
    } catch (const StoreError &error) {
        m_notifier.inform(notRestoredNotice(error.reason()));
        return false;
    }
}

bool KnownQuestions::restoreChapter(const QString &chapter)
{
    try {
        const std::optional<ChapterRow> row = m_chapters.findByName(chapter);
        if (row)
            m_questions.putBackToPractise(QuestionScope::chapter(row->id));
        return true;
    } catch (const StoreError &error) {
        m_notifier.inform(notRestoredNotice(error.reason()));
        return false;
    }
}

bool KnownQuestions::restoreBank(const QString &chapter)
{
    try {
        // Without a current chapter there is no bank to put back.
        const std::optional<ChapterRow> row = m_chapters.findByName(chapter);
        if (!row)
            return false;
        m_questions.putBackToPractise(QuestionScope::bank(row->bankId));
    } catch (const StoreError &error) {
        m_notifier.inform(notRestoredNotice(error.reason()));
        return false;
    }
    m_notifier.inform(kBankRestoredNotice);
    return true;
}

QList<QuestionRow> KnownQuestions::knownOf(const QString &chapter) const
{
    try {
        const std::optional<ChapterRow> row = m_chapters.findByName(chapter);
        if (!row)
            return {};
        return m_questions.readKnown(QuestionScope::chapter(row->id));
    } catch (const StoreError &error) {
        m_notifier.inform(QStringLiteral("[软件提示]:会做的试题读不出来，原因：") + error.reason() +
                          QStringLiteral("。"));
        return {};
    }
}

std::optional<QuestionRow> KnownQuestions::find(qint64 id) const
{
    try {
        return m_questions.find(id);
    } catch (const StoreError &) {
        return std::nullopt;
    }
}
