#pragma once

#include <QSqlDatabase>
#include <QString>

// The stored program password (table reg, the row whose flag is "999"), in
// its encoded form.
class PasswordTable
{
public:
    explicit PasswordTable(QSqlDatabase db) : m_db(std::move(db)) {}

    // The encoded password; empty when there is no password row.
    QString stored() const;
    // Writes the encoded password into the password row; false when there is no
    // such row (nothing written). Throws StoreError when it fails.
    bool store(const QString &encoded);

private:
    QSqlDatabase m_db;
};
