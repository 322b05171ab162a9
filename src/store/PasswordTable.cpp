#include "store/PasswordTable.h"

#include "store/Sql.h"
#include "store/Transaction.h"

#include <QSqlQuery>
#include <QVariant>

namespace {

const QString kPasswordFlag = QStringLiteral("999");

} // namespace

QString PasswordTable::stored() const
{
    QSqlQuery query = sql::run(m_db, QStringLiteral("select pass from reg where flag = ? limit 1"),
                               {kPasswordFlag});
    return query.next() ? query.value(0).toString() : QString();
}

void PasswordTable::store(const QString &encoded)
{
    Transaction change(m_db);
    const int updated = sql::run(m_db, QStringLiteral("update reg set pass = ? where flag = ?"),
                                 {encoded, kPasswordFlag})
                            .numRowsAffected();
    if (updated == 0)
        sql::run(m_db, QStringLiteral("insert into reg(flag, pass) values(?, ?)"),
                 {kPasswordFlag, encoded});
    change.commit();
}
