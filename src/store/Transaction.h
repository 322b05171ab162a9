#pragma once

#include <QSqlDatabase>

// A change of several rows or statements that lands whole or not at all. It
// begins when made; commit() keeps the change; leaving the scope without
// commit() (an exception thrown by a statement included) undoes it.
class Transaction
{
public:
    // Throws StoreError when the connection cannot begin a transaction.
    explicit Transaction(QSqlDatabase db);
    ~Transaction();
    Transaction(const Transaction &) = delete;
    Transaction &operator=(const Transaction &) = delete;

    // Throws StoreError with the reason when the change cannot be kept; the
    // change is then undone.
    void commit();

private:
    void rollback();

    QSqlDatabase m_db;
    bool m_open = false;
};
