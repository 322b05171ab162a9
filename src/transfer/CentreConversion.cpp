#include "CentreConversion.h"

#include "base/StoreError.h"
#include "store/Database.h"
#include "store/Schema.h"
#include "store/ServerSchema.h"
#include "store/ServerUrl.h"
#include "store/TableRows.h"
#include "store/Transaction.h"
#include "store/WorkerTable.h"
#include "transfer/DataFileConverter.h"

#include <QDateTime>
#include <QSqlDatabase>
#include <QUuid>

namespace {

// The tables of a data file that hold its worker's practice state.
const QStringList kWorkerTables = {
    QStringLiteral("run_record"), QStringLiteral("log"),          QStringLiteral("run_history"),
    QStringLiteral("wrong_book"), QStringLiteral("answer_tally"), QStringLiteral("study_setting"),
};

// A server connection of its own, removed when the copy ends.
class ServerConnection
{
public:
    ServerConnection(const QString &url, Database::Tables tables, QString *error)
        : m_name(QStringLiteral("centre-") + QUuid::createUuid().toString(QUuid::WithoutBraces))
    {
        m_db = Database::openServer(url, m_name, error, tables);
    }
    ~ServerConnection()
    {
        m_db.close();
        m_db = QSqlDatabase();
        QSqlDatabase::removeDatabase(m_name);
    }
    ServerConnection(const ServerConnection &) = delete;
    ServerConnection &operator=(const ServerConnection &) = delete;
    const QSqlDatabase &db() const { return m_db; }

private:
    QString m_name;
    QSqlDatabase m_db;
};

QString shownServer(const QString &url)
{
    const std::optional<ServerUrl> server = ServerUrl::parse(url);
    return server ? server->shown() : url;
}

// The file's first settings row is the one the program uses; a worker has one.
void keepFirstSettings(RowSet *rows, QStringList *unreadable)
{
    for (qsizetype row = 1; row < rows->rows.size(); ++row)
        *unreadable
            << QStringLiteral("run_record 第 %1 行：设置只有第一行有效，未复制").arg(row + 1);
    if (rows->rows.size() > 1)
        rows->rows.resize(1);
}

// Every question to practise: the known marks stay with the file's worker.
void allToPractise(RowSet *rows)
{
    const qsizetype mark = rows->columns.indexOf(schema::kQuestionToPractise);
    if (mark < 0)
        return;
    for (QVariantList &row : rows->rows)
        row[mark] = qint64(1);
}

} // namespace

CentreConversion::Report CentreConversion::toServer(const QString &source, const QString &url,
                                                    bool force, const QString &worker)
{
    Report report;
    QList<RowSet> tables;
    if (!DataFileConverter::readTables(source, &tables, &report.error))
        return report;
    ServerConnection connection(url, Database::Tables::Any, &report.error);
    if (!connection.db().isOpen())
        return report;
    const QSqlDatabase &db = connection.db();
    const QString shown = shownServer(url);
    try {
        const bool present = ServerSchema::present(db);
        if (present && !force) {
            report.error = QStringLiteral("数据库服务器 %1 中已经有题库数据表，未写入"
                                          "（给出 --force 可写入其中尚无数据的数据表）")
                               .arg(shown);
            return report;
        }
        if (present) {
            const QStringList filled = ServerSchema::filledTables(db);
            if (!filled.isEmpty()) {
                report.error = QStringLiteral("数据库服务器 %1 的数据表 %2 中已有数据，未写入："
                                              "两个题库不会混在一起，请换一个空数据库")
                                   .arg(shown, filled.join(QStringLiteral("、")));
                return report;
            }
        }
        Transaction transaction(db);
        if (!present)
            ServerSchema::createWithin(db);
        qint64 workerId = 0;
        if (!worker.isEmpty()) {
            const WorkerTable workers(db);
            const std::optional<WorkerRow> known = workers.byName(worker);
            workerId = known ? known->id
                             : workers.add(worker, QString(),
                                           QDateTime::currentDateTime().toString(
                                               QStringLiteral("yyyy-MM-ddTHH:mm:ss")));
        }
        // The per-worker tables take the signed-in worker's rows.
        WorkerTable::signIn(db, workerId);
        for (RowSet rows : std::as_const(tables)) {
            report.unreadable << rows.unreadable;
            if (kWorkerTables.contains(rows.table) && workerId == 0)
                continue;
            if (rows.table == QLatin1String("run_record"))
                keepFirstSettings(&rows, &report.unreadable);
            if (rows.table == schema::kQuestionTable && workerId == 0)
                allToPractise(&rows);
            table_rows::write(db, rows);
            if (rows.columns.contains(QStringLiteral("id")))
                table_rows::advanceIds(db, rows.table);
            report.tables << qMakePair(rows.table, qint64(rows.rows.size()));
        }
        WorkerTable::signIn(db, 0);
        transaction.commit();
    } catch (const StoreError &failure) {
        report.tables.clear();
        report.unreadable.clear();
        report.error = QStringLiteral("数据库服务器 %1 无法写入，未做任何改动：%2")
                           .arg(shown, failure.reason());
        return report;
    }
    try {
        ServerSchema::settleAfterLoad(db);
    } catch (const StoreError &failure) {
        // The rows are in; the server's own background pass will come.
        report.notes << QStringLiteral("数据已写入，但服务器未能整理数据表（%1），"
                                       "最初的练习可能稍慢")
                            .arg(failure.reason());
    }
    if (worker.isEmpty())
        report.notes << QStringLiteral("文件中的练习状态（已会标记、设置、练习记录、做题历史、"
                                       "错题本、答题统计、学习设置）未复制：没有给出 --worker");
    return report;
}

CentreConversion::Report CentreConversion::fromServer(const QString &url, const QString &target,
                                                      const QString &worker)
{
    Report report;
    ServerConnection connection(url, Database::Tables::Required, &report.error);
    if (!connection.db().isOpen())
        return report;
    const QSqlDatabase &db = connection.db();
    QList<RowSet> tables;
    try {
        qint64 workerId = 0;
        if (!worker.isEmpty()) {
            const std::optional<WorkerRow> known = WorkerTable(db).byName(worker);
            if (!known) {
                report.error =
                    QStringLiteral("数据库服务器 %1 中没有学员“%2”").arg(shownServer(url), worker);
                return report;
            }
            workerId = known->id;
        }
        WorkerTable::signIn(db, workerId);
    } catch (const StoreError &failure) {
        report.error =
            QStringLiteral("数据库服务器 %1 无法读取：%2").arg(shownServer(url), failure.reason());
        return report;
    }
    QString why;
    if (!DataFileConverter::readConnection(db, &tables, &why,
                                           worker.isEmpty()
                                               ? DataFileConverter::Scope::Format
                                               : DataFileConverter::Scope::WithAdded)) {
        report.error = QStringLiteral("数据库服务器 %1 无法读取：%2").arg(shownServer(url), why);
        return report;
    }
    report.error = DataFileConverter::writeFile(target, tables);
    if (!report.ok())
        return report;
    for (const RowSet &rows : std::as_const(tables))
        report.tables << qMakePair(rows.table, qint64(rows.rows.size()));
    if (worker.isEmpty())
        report.notes << QStringLiteral("没有给出 --worker：文件中的试题均为待练习，"
                                       "不带任何学员的练习状态");
    return report;
}
