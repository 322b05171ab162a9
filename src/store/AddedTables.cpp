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
        for (const QString &statement : createStatements())
            sql::run(db, statement);
        transaction.commit();
    } catch (const StoreError &error) {
        return error.reason();
    }
    return QString();
}

QStringList AddedTables::createStatements()
{
    QStringList statements = WrongBookTable::createStatements();
    statements << RunHistoryTable::createStatements() << AnswerTallyTable::createStatements()
               << StudySettingTable::createStatements();
    return statements;
}

QList<schema::TableColumns> AddedTables::columns()
{
    return {
        {QStringLiteral("wrong_book"),
         {QStringLiteral("question_id"), QStringLiteral("times_wrong"),
          QStringLiteral("last_wrong"), QStringLiteral("right_streak")}},
        {QStringLiteral("run_history"),
         {QStringLiteral("id"), QStringLiteral("date"), QStringLiteral("kind"),
          QStringLiteral("bank_id"), QStringLiteral("chapter_id"), QStringLiteral("set_number"),
          QStringLiteral("objective_right"), QStringLiteral("objective_total"),
          QStringLiteral("points"), QStringLiteral("percentage"), QStringLiteral("minutes")}},
        {QStringLiteral("answer_tally"),
         {QStringLiteral("day"), QStringLiteral("chapter_id"), QStringLiteral("type"),
          QStringLiteral("answered"), QStringLiteral("right_count")}},
        {QStringLiteral("study_setting"), {QStringLiteral("name"), QStringLiteral("value")}},
    };
}

QString AddedTables::unavailableNotice(const QString &reason)
{
    return QStringLiteral("[软件提示]：无法在数据文件中建立错题本和学习记录，原因：") + reason +
           QStringLiteral("。本次运行不记录错题和学习统计，其余功能照常使用。");
}
