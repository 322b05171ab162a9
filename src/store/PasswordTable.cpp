#include "store/PasswordTable.h"

#include "store/Sql.h"

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

bool PasswordTable::store(const QString &encoded)
{
    return sql::run(m_db, QStringLiteral("update reg set pass = ? where flag = ?"),
                    {encoded, kPasswordFlag})
               .numRowsAffected() > 0;
}
