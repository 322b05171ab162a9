#pragma once

#include "base/StyledText.h"
#include "exam/PaperScope.h"

#include <QObject>
#include <QSqlDatabase>
#include <QString>
#include <functional>

class Notifier;
class PracticeSession;
struct MockExamForm;

// The mock examination of the current bank and the views of its stored draw.
// "本类模拟考试" loads the bank's draw into a timed examination (no instant
// answers) and shows its paper with the answers beside it; the quota page's
// views show the paper of one quota row or of the whole bank and leave a
// loaded run alone. The window renders command() after commandChanged().
class MockExamination : public QObject
{
    Q_OBJECT

public:
    struct Command
    {
        QString caption = QStringLiteral("本类模拟考试");
        bool enabled = true;
    };

    static QString loadingCaption() { return QStringLiteral("抽题中.请等待..."); }
    static QString readyCaption() { return QStringLiteral("抽题模拟考试"); }
    // The notice of a bank without quotas; the quota page opens after it.
    static QString noQuotaNotice(const QString &bankName);
    // The notice of a bank whose drawn questions are all gone.
    static QString nothingLeftNotice(const QString &bankName);
    static QString statusText(int questionCount);
    // The countdown's minutes for the quota page's examination time.
    static int examMinutes(int formMinutes);

    MockExamination(QSqlDatabase db, PracticeSession &session, const MockExamForm &form,
                    Notifier &notifier, QObject *parent = nullptr);

    // The bank chosen in the picker, by name.
    void setBankSource(std::function<QString()> bankName) { m_bankName = std::move(bankName); }

    const Command &command() const { return m_command; }

    // "本类模拟考试". Returns true when an examination was loaded.
    bool start();
    // A view of the quota page: one quota row's paper, or the whole bank's.
    // Returns false, showing nothing, when there is nothing to show.
    bool showPaper(const PaperScope &scope);

Q_SIGNALS:
    void commandChanged();
    // The bank has no quotas: the quota page must open.
    void quotaPageRequested();
    // A paper to show in the paper window.
    void paperReady(const StyledText &lines);

private:
    void setCommand(const QString &caption, bool enabled);
    // The id of the picker's bank; 0 when the file has no bank by that name.
    qint64 currentBankId(const QString &name) const;
    bool loadExamination(const QString &bankName);

    QSqlDatabase m_db;
    PracticeSession &m_session;
    const MockExamForm &m_form;
    Notifier &m_notifier;
    std::function<QString()> m_bankName = [] { return QString(); };
    Command m_command;
};
