#include "app/WorkerSignIn.h"

#include "base/Clock.h"
#include "base/GbkText.h"
#include "base/StoreError.h"

WorkerSignIn::WorkerSignIn(QSqlDatabase db, const Clock &clock)
    : m_db(std::move(db)), m_clock(clock)
{
}

QList<WorkerRow> WorkerSignIn::workers(QString *problem) const
{
    try {
        return WorkerTable(m_db).all();
    } catch (const StoreError &error) {
        if (problem)
            *problem = QStringLiteral("无法读取学员名单，原因：%1").arg(error.reason());
        return {};
    }
}

WorkerSignIn::Outcome WorkerSignIn::enter(const QString &typedName, const QString &pin) const
{
    const QString name = text::trimmed(typedName);
    Outcome outcome;
    if (name.isEmpty()) {
        outcome.message = QStringLiteral("请在列表中选择学员，或输入学员姓名。");
        return outcome;
    }
    try {
        const WorkerTable table(m_db);
        const std::optional<WorkerRow> worker = table.byName(name);
        if (!worker) {
            outcome.message =
                QStringLiteral("没有名为“%1”的学员。新学员请点“新建学员”。").arg(name);
            return outcome;
        }
        if (worker->hasPin && !table.pinMatches(worker->id, pin)) {
            outcome.wrongPin = true;
            outcome.message = pin.isEmpty()
                                  ? QStringLiteral("学员“%1”设有 PIN，请输入 4 位 PIN。").arg(name)
                                  : QStringLiteral("PIN 不正确，请重新输入。");
            return outcome;
        }
        outcome.workerId = worker->id;
        outcome.name = worker->name;
    } catch (const StoreError &error) {
        outcome.message = QStringLiteral("无法读取学员“%1”，原因：%2").arg(name, error.reason());
    }
    return outcome;
}

WorkerSignIn::Outcome WorkerSignIn::create(const QString &typedName, const QString &pin) const
{
    const QString name = text::trimmed(typedName);
    Outcome outcome;
    outcome.message = nameProblem(name);
    if (outcome.message.isEmpty())
        outcome.message = pinProblem(pin);
    if (!outcome.message.isEmpty())
        return outcome;
    const auto taken = [&] {
        return QStringLiteral("学员“%1”已经有了。请换一个姓名，或在列表中选中后点“进入”。")
            .arg(name);
    };
    const WorkerTable table(m_db);
    try {
        if (table.byName(name)) {
            outcome.message = taken();
            return outcome;
        }
        outcome.workerId =
            table.add(name, pin, m_clock.now().toString(QStringLiteral("yyyy-MM-ddTHH:mm:ss")));
        outcome.name = name;
    } catch (const StoreError &error) {
        outcome.workerId = 0;
        outcome.message = QStringLiteral("新学员“%1”没有保存，原因：%2").arg(name, error.reason());
        // Another desk may have taken the name in the meantime.
        try {
            if (table.byName(name))
                outcome.message = taken();
        } catch (const StoreError &) {
        }
    }
    return outcome;
}

QString WorkerSignIn::nameProblem(const QString &name)
{
    const QString trimmed = text::trimmed(name);
    if (trimmed.isEmpty())
        return QStringLiteral("请输入新学员的姓名。");
    if (trimmed.size() > kMaxNameLength)
        return QStringLiteral("学员姓名不能超过 %1 个字。").arg(kMaxNameLength);
    return QString();
}

QString WorkerSignIn::pinProblem(const QString &pin)
{
    if (WorkerTable::validPin(pin))
        return QString();
    return QStringLiteral("PIN 应为 4 位数字，也可以不设。");
}
