#include "store/AddedTables.h"

#include "store/AnswerTallyTable.h"
#include "store/Backend.h"
#include "store/RunHistoryTable.h"
#include "store/Sql.h"
#include "store/StudySettingTable.h"
#include "store/Transaction.h"
#include "store/WrongBookTable.h"

#include <QSqlQuery>
#include <QVariant>

namespace {

const QStringList kTables = {QStringLiteral("wrong_book"), QStringLiteral("run_history"),
                             QStringLiteral("answer_tally"), QStringLiteral("study_setting")};

} // namespace

bool AddedTables::present(const QSqlDatabase &db)
{
    // A centre's server gets them with the rest of its tables.
    if (backendOf(db) == Backend::Server)
        return true;
    for (const QString &table : kTables) {
        if (sql::scalar(db,
                        QStringLiteral("select count(*) from sqlite_master where type = 'table'"
                                       " and name = ?"),
                        {table}) == 0)
            return false;
    }
    return true;
}

QString AddedTables::ensure(const QSqlDatabase &db)
{
    try {
        // A file that has them all is not written to at all (it may be read-only).
        if (present(db))
            return QString();
        Transaction transaction(db);
        QStringList statements = WrongBookTable::createStatements();
        statements << RunHistoryTable::createStatements() << AnswerTallyTable::createStatements()
                   << StudySettingTable::createStatements();
        for (const QString &statement : std::as_const(statements))
            sql::run(db, statement);
        transaction.commit();
    } catch (const StoreError &error) {
        return error.reason();
    }
    return QString();
}

QString AddedTables::unavailableNotice(const QString &reason)
{
    return QStringLiteral("[软件提示]：无法在数据文件中建立错题本和学习记录，原因：") + reason +
           QStringLiteral("。本次运行不记录错题和学习统计，其余功能照常使用。");
}
