#include "exam/MockExamination.h"

#include "base/Notifier.h"
#include "base/StoreError.h"
#include "exam/MockExamForm.h"
#include "exam/MockPaperLoader.h"
#include "exam/PracticeSession.h"
#include "exam/QuotaRules.h"
#include "practice/PracticeRun.h"
#include "store/BankTable.h"
#include "store/QuotaTable.h"

#include <algorithm>

QString MockExamination::noQuotaNotice(const QString &bankName)
{
    // The same notice as the re-draw of a bank without quotas.
    return quotarules::noQuotasNotice(bankName);
}

QString MockExamination::nothingLeftNotice(const QString &bankName)
{
    return QStringLiteral("[软件提示]：当前数据库【") + bankName +
           QStringLiteral("】抽取的试题已全部删除，请重新按章抽题.");
}

int MockExamination::examMinutes(int formMinutes)
{
    // A time of 0 (typed as such) would end the examination at its first
    // tick: it counts as the default, as an empty field does.
    if (formMinutes <= 0)
        return MockExamForm::kDefaultMinutes;
    return std::min(formMinutes, MockExamForm::kMaxMinutes);
}

QString MockExamination::statusText(int questionCount)
{
    return QStringLiteral("模拟考试状态 [") + QString::number(questionCount) +
           QStringLiteral("]道");
}

MockExamination::MockExamination(QSqlDatabase db, PracticeSession &session,
                                 const MockExamForm &form, Notifier &notifier, QObject *parent)
    : QObject(parent), m_db(std::move(db)), m_session(session), m_form(form), m_notifier(notifier)
{
}

void MockExamination::setCommand(const QString &caption, bool enabled)
{
    m_command.caption = caption;
    m_command.enabled = enabled;
    Q_EMIT commandChanged();
}

qint64 MockExamination::currentBankId(const QString &name) const
{
    for (const BankRow &bank : BankTable(m_db).all()) {
        if (bank.name == name)
            return bank.id;
    }
    return 0;
}

bool MockExamination::start()
{
    if (!m_command.enabled)
        return false;
    setCommand(loadingCaption(), false);
    bool loaded = false;
    try {
        loaded = loadExamination(m_bankName());
    } catch (const StoreError &error) {
        m_notifier.inform(QStringLiteral("[软件提示]：模拟考试试题无法读取，") + error.reason());
    }
    // Whatever happened, the command is ready for the next examination.
    setCommand(readyCaption(), true);
    return loaded;
}

bool MockExamination::loadExamination(const QString &bankName)
{
    const qint64 bankId = currentBankId(bankName);
    const int drawn = bankId > 0 ? QuotaTable(m_db).bankTotal(bankId) : 0;
    if (drawn <= 0) {
        m_notifier.inform(noQuotaNotice(bankName));
        Q_EMIT quotaPageRequested();
        return false;
    }

    const MockPaperLoader::Paper paper = MockPaperLoader(m_db).load(PaperScope::ofBank(bankId));
    if (paper.content.isEmpty()) {
        m_notifier.inform(nothingLeftNotice(bankName));
        Q_EMIT quotaPageRequested();
        return false;
    }
    const int count =
        std::min<int>(static_cast<int>(paper.content.questions.size()), question::kRunCapacity);
    PracticeSession::RunStart run;
    run.content = paper.content;
    run.statusText = statusText(count);
    run.countdownMinutes = examMinutes(m_form.examMinutes);
    run.switchPanelAfterMs = 0;
    if (!m_session.startRun(run))
        return false;
    // The paper with its answers stays beside the running examination.
    Q_EMIT paperReady(paper.lines);
    return true;
}

bool MockExamination::showPaper(const PaperScope &scope)
{
    MockPaperLoader::Paper paper;
    try {
        paper = MockPaperLoader(m_db).load(scope);
    } catch (const StoreError &error) {
        m_notifier.inform(QStringLiteral("[软件提示]：抽取的试题无法读取，") + error.reason());
        return false;
    }
    switch (paper.outcome) {
    case MockPaperLoader::Outcome::Ready:
        Q_EMIT paperReady(paper.lines);
        return true;
    case MockPaperLoader::Outcome::ChapterGone:
        m_notifier.inform(
            QStringLiteral("[软件提示]：本行抽题设定的章节已经删除，没有可查看的试题."));
        return false;
    case MockPaperLoader::Outcome::NoSuchRow:
    case MockPaperLoader::Outcome::NoSuchBank:
        break;
    }
    return false;
}
