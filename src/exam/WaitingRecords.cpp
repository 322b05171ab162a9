#include "exam/WaitingRecords.h"

bool WaitingRecords::lost(const StoreError &error)
{
    return error.cause() == StoreError::Cause::ServerLost;
}

bool WaitingRecords::submit(const QString &what, Write write)
{
    if (m_waiting.empty()) {
        try {
            write();
            return true;
        } catch (const StoreError &error) {
            if (!lost(error))
                throw;
        }
    }
    m_waiting.push_back({what, std::move(write)});
    return false;
}

QStringList WaitingRecords::retry()
{
    QStringList refused;
    while (!m_waiting.empty()) {
        Record &next = m_waiting.front();
        try {
            next.write();
        } catch (const StoreError &error) {
            if (lost(error))
                break;
            refused << refusedNotice(next.what, error.reason());
        }
        m_waiting.pop_front();
    }
    return refused;
}

QStringList WaitingRecords::what() const
{
    QStringList lines;
    for (const Record &record : m_waiting)
        lines << record.what;
    return lines;
}

QString WaitingRecords::waitingStatus(int count)
{
    return QStringLiteral("记录待保存（%1）").arg(count);
}

QString WaitingRecords::closingQuestion(int count)
{
    return QStringLiteral("与数据库服务器的连接已中断，还有 %1 条做题记录没有保存到服务器。\n"
                          "现在关闭程序，这些记录将会丢失。你确定要关闭程序吗？")
        .arg(count);
}

QString WaitingRecords::refusedNotice(const QString &what, const QString &reason)
{
    return QStringLiteral("[软件提示]：%1没有保存，服务器拒绝了这条记录，原因：%2。")
        .arg(what, reason);
}
