#include "store/Transaction.h"

#include "base/StoreError.h"

#include <QSqlError>

Transaction::Transaction(QSqlDatabase db) : m_db(std::move(db))
{
    if (!m_db.transaction())
        throw StoreError(QStringLiteral("无法开始事务：") + m_db.lastError().text());
    m_open = true;
}

Transaction::~Transaction()
{
    if (m_open)
        m_db.rollback();
}

void Transaction::commit()
{
    if (!m_open)
        return;
    if (!m_db.commit()) {
        const QString reason = m_db.lastError().text();
        m_db.rollback();
        m_open = false;
        throw StoreError(QStringLiteral("无法保存更改：") + reason);
    }
    m_open = false;
}
