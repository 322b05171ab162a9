#include "store/Transaction.h"

#include "store/Sql.h"

#include <QSqlQuery>

// The statements go through queries rather than QSqlDatabase::commit(): a
// refused commit then keeps the engine's result code, which tells the user why.
Transaction::Transaction(QSqlDatabase db) : m_db(std::move(db))
{
    sql::run(m_db, QStringLiteral("begin"));
    m_open = true;
}

Transaction::~Transaction()
{
    if (m_open)
        rollback();
}

void Transaction::commit()
{
    if (!m_open)
        return;
    try {
        sql::run(m_db, QStringLiteral("commit"));
    } catch (const StoreError &) {
        rollback();
        throw;
    }
    m_open = false;
}

void Transaction::rollback()
{
    m_open = false;
    // A failed statement may have ended the transaction already; then there is
    // nothing to undo and the refusal means nothing.
    QSqlQuery(m_db).exec(QStringLiteral("rollback"));
}
