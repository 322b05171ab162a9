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
    // Writes the encoded password into the password row, adding the row when
    // the file has none (files converted from elsewhere may lack it). Throws
    // StoreError when it fails; nothing is written then.
    void store(const QString &encoded);

private:
    QSqlDatabase m_db;
};
