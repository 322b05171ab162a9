#include "exam/RandomPractice.h"

#include "base/Notifier.h"
#include "base/StoreError.h"
#include "exam/PracticeSession.h"
#include "settings/SettingsForm.h"

const QString RandomPractice::kHint =
    QStringLiteral("系统提示：试题不分割，随机抽取系统设定数的随机试题。");

QString RandomPractice::statusText(int count)
{
    return QStringLiteral("随机练习状态 [") + QString::number(count) + QStringLiteral("]道");
}

QString RandomPractice::scopeNotice(RandomPracticeSource::Scope scope, const QString &name,
                                    int candidateCount, int setSize)
{
    const QString where = scope == RandomPracticeSource::Scope::Bank
                              ? QStringLiteral("当前数据库名: [")
                              : QStringLiteral("当前章节名: [");
    return where + name + QStringLiteral("]   试题总共有:[") + QString::number(candidateCount) +
           QStringLiteral("]道  按照默认的试题数量:[") + QString::number(setSize) +
           QStringLiteral("]道  随机抽取.");
}

QString RandomPractice::fewerNotice(int candidateCount, int setSize)
{
    return QStringLiteral("软件提示：当前试题量:[") + QString::number(candidateCount) +
           QStringLiteral("]小于软件设定的数量 [") + QString::number(setSize) +
           QStringLiteral("],软件自动抽取:[") + QString::number(candidateCount) +
           QStringLiteral("]道.");
}

QString RandomPractice::startNotice(int count)
{
    return QStringLiteral("软件提示：已经随机抽取试题 [") + QString::number(count) +
           QStringLiteral("]道,点击 [确定] 按钮开始...");
}

QString RandomPractice::emptyNotice(RandomPracticeSource::Scope scope, bool chapterFound)
{
    if (!chapterFound)
        return QStringLiteral("[软件提示]：还没有选择章节，请先选择章节再随机练习。");
    return scope == RandomPracticeSource::Scope::Bank
               ? QStringLiteral("[软件提示]：当前题库没有试题，没有调入随机练习。")
               : QStringLiteral("[软件提示]：当前章节没有试题，没有调入随机练习。");
}

QString RandomPractice::readFailedNotice(const QString &reason)
{
    return QStringLiteral("[软件提示]：随机练习的试题没有调入，原因：") + reason +
           QStringLiteral("。");
}

RandomPractice::RandomPractice(QSqlDatabase db, PracticeSession &session, SettingsForm &form,
                               Notifier &notifier, RandomSource &random)
    : m_db(std::move(db)), m_session(session), m_form(form), m_notifier(notifier), m_random(random)
{
}

bool RandomPractice::start(RandomPracticeSource::Scope scope)
{
    if (m_session.grading())
        return false;
    const int setSize = m_form.setSize();
    const RandomPracticeSource source(m_db, m_random, scope, m_session.frame().chapter, setSize);
    RandomPracticeSource::Candidates candidates;
    try {
        candidates = source.candidates();
    } catch (const StoreError &error) {
        m_notifier.inform(readFailedNotice(error.reason()));
        return false;
    }
    const int candidateCount = static_cast<int>(candidates.ids.size());
    if (candidateCount == 0) {
        m_notifier.inform(emptyNotice(scope, candidates.chapterFound));
        return false;
    }
    m_notifier.inform(scopeNotice(scope, candidates.scopeName, candidateCount, setSize));
    if (candidateCount < setSize)
        m_notifier.inform(fewerNotice(candidateCount, setSize));

    PracticeSession::RunStart start;
    try {
        start.content =
            source.draw(candidates, RandomPracticeSource::runSize(candidateCount, setSize));
    } catch (const StoreError &error) {
        m_notifier.inform(readFailedNotice(error.reason()));
        return false;
    }
    // Every drawn question may have been deleted since the ids were read.
    if (start.content.isEmpty()) {
        m_notifier.inform(emptyNotice(scope, true));
        return false;
    }
    const int count = static_cast<int>(start.content.questions.size());
    start.statusText = statusText(count);
    start.countdownMinutes = m_form.examMinutes();
    start.switchPanelAfterMs = kPanelDelayMs;
    if (!m_session.startRun(start))
        return false;
    m_notifier.inform(startNotice(count));
    return true;
}
