#pragma once

#include <QSqlDatabase>
#include <QStringList>

// The jokes (table joke), each in the encoded form the external decoder reads.
class JokeTable
{
public:
    explicit JokeTable(QSqlDatabase db) : m_db(std::move(db)) {}

    // Every stored joke, in storage order.
    QStringList words() const;

private:
    QSqlDatabase m_db;
};
