#include "exam/WrongBookPractice.h"

#include "base/Notifier.h"
#include "base/StoreError.h"
#include "exam/PracticeSession.h"
#include "settings/SettingsForm.h"

const QString WrongBookPractice::kHint =
    QStringLiteral("系统提示：练习错题本中的试题，最近做错的在前，答对若干次后移出错题本。");

QString WrongBookPractice::statusText(int count)
{
    return QStringLiteral("错题练习状态 [") + QString::number(count) + QStringLiteral("]道");
}

QString WrongBookPractice::startNotice(WrongBookSource::Scope scope, int count)
{
    const QString where =
        scope == WrongBookSource::Scope::Bank ? QStringLiteral("本题库") : QStringLiteral("本章");
    return QStringLiteral("[软件提示]：已经从错题本调入") + where + QStringLiteral("错题 [") +
           QString::number(count) + QStringLiteral("]道,点击 [确定] 按钮开始...");
}

QString WrongBookPractice::emptyNotice(WrongBookSource::Scope scope, bool chapterFound)
{
    if (!chapterFound)
        return QStringLiteral("[软件提示]：还没有选择章节，请先选择章节再练习错题。");
    return scope == WrongBookSource::Scope::Bank
               ? QStringLiteral("[软件提示]：错题本中没有本题库的错题。")
               : QStringLiteral("[软件提示]：错题本中没有本章的错题。");
}

QString WrongBookPractice::unavailableNotice()
{
    return QStringLiteral("[软件提示]：数据文件中没有错题本，本次运行不能练习错题。");
}

QString WrongBookPractice::readFailedNotice(const QString &reason)
{
    return QStringLiteral("[软件提示]：错题没有调入，原因：") + reason + QStringLiteral("。");
}

WrongBookPractice::WrongBookPractice(QSqlDatabase db, PracticeSession &session, SettingsForm &form,
                                     Notifier &notifier)
    : m_db(std::move(db)), m_session(session), m_form(form), m_notifier(notifier)
{
}

bool WrongBookPractice::start(WrongBookSource::Scope scope)
{
    if (m_session.grading())
        return false;
    if (!m_available) {
        m_notifier.inform(unavailableNotice());
        return false;
    }
    const WrongBookSource source(m_db, scope, m_session.frame().chapter, m_form.setSize());
    PracticeSession::RunStart start;
    try {
        start.content = source.content();
        if (start.content.isEmpty()) {
            m_notifier.inform(emptyNotice(scope, source.chapterFound()));
            return false;
        }
    } catch (const StoreError &error) {
        m_notifier.inform(readFailedNotice(error.reason()));
        return false;
    }
    const int count = static_cast<int>(start.content.questions.size());
    start.statusText = statusText(count);
    start.countdownMinutes = m_form.examMinutes();
    start.switchPanelAfterMs = kPanelDelayMs;
    if (!m_session.startRun(start))
        return false;
    m_notifier.inform(startNotice(scope, count));
    return true;
}
