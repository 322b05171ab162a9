#include "TableRows.h"

#include "store/AddedTables.h"
#include "store/Backend.h"
#include "store/Schema.h"
#include "store/SchemaSql.h"
#include "store/Sql.h"

#include <QHash>
#include <QSqlError>
#include <QSqlQuery>
#include <QSqlRecord>

namespace table_rows {

namespace {

QString quoted(const QString &name)
{
    return QLatin1Char('"') + QString(name).replace(QLatin1Char('"'), QStringLiteral("\"\"")) +
           QLatin1Char('"');
}

// The value a NOT NULL column takes for a stored NULL: its declared default
// (a quoted text or a number), or an empty text when none is declared.
QVariant declaredDefault(const QString &literal)
{
    if (literal.startsWith(QLatin1Char('\'')) && literal.endsWith(QLatin1Char('\'')) &&
        literal.size() >= 2)
        return literal.mid(1, literal.size() - 2)
            .replace(QStringLiteral("''"), QStringLiteral("'"));
    bool isNumber = false;
    const qint64 number = literal.toLongLong(&isNumber);
    if (isNumber)
        return number;
    return QString();
}

// On a server the data file's questions and per-worker tables are views
// over tables of their own: the table that holds a view's rows, its defaults
// and its identity column.
QString storedTable(const QSqlDatabase &db, const QString &table)
{
    if (backendOf(db) != Backend::Server)
        return table;
    static const QHash<QString, QString> tables = {
        {schema::kQuestionTable, QStringLiteral("question")},
        {QStringLiteral("run_record"), QStringLiteral("worker_run_record")},
        {QStringLiteral("log"), QStringLiteral("worker_log")},
        {QStringLiteral("run_history"), QStringLiteral("worker_run_history")},
        {QStringLiteral("wrong_book"), QStringLiteral("worker_wrong_book")},
        {QStringLiteral("answer_tally"), QStringLiteral("worker_answer_tally")},
        {QStringLiteral("study_setting"), QStringLiteral("worker_study_setting")},
    };
    return tables.value(table, table);
}

// The server's form of a declared default: a quoted text with its cast
// ('x'::text) or a number; a computed one (a function) is no value to copy.
QVariant serverDefault(const QString &declared)
{
    QString literal = declared;
    const qsizetype cast = literal.lastIndexOf(QLatin1String("::"));
    if (literal.startsWith(QLatin1Char('\'')) && cast > 0)
        literal = literal.left(cast);
    if (literal.startsWith(QLatin1Char('\'')) ||
        (!literal.isEmpty() && (literal.at(0).isDigit() || literal.at(0) == QLatin1Char('-'))))
        return declaredDefault(literal);
    return QVariant();
}

// Which columns refuse NULL, and what they take instead (lower-case names).
QHash<QString, QVariant> notNullDefaults(const QSqlDatabase &db, const QString &table)
{
    QHash<QString, QVariant> defaults;
    if (backendOf(db) == Backend::Server) {
        QSqlQuery info = sql::run(db,
                                  QStringLiteral("select column_name, column_default"
                                                 " from information_schema.columns"
                                                 " where table_schema = current_schema()"
                                                 " and table_name = ? and is_nullable = 'NO'"),
                                  {storedTable(db, table)});
        while (info.next()) {
            const QVariant value = serverDefault(info.value(1).toString());
            defaults.insert(info.value(0).toString().toLower(),
                            value.isValid() ? value : QVariant(QString()));
        }
        return defaults;
    }
    QSqlQuery info = sql::run(
        db, QStringLiteral("SELECT name, \"notnull\", dflt_value FROM pragma_table_info(?)"),
        {table});
    while (info.next()) {
        if (info.value(1).toInt() != 0)
            defaults.insert(info.value(0).toString().toLower(),
                            declaredDefault(info.value(2).toString()));
    }
    return defaults;
}

} // namespace

QStringList schemaStatements()
{
    QStringList lines;
    for (const QString &line : QString::fromUtf8(kSchemaSql).split(QLatin1Char('\n'))) {
        const qsizetype comment = line.indexOf(QLatin1String("--"));
        lines << (comment >= 0 ? line.left(comment) : line);
    }
    QStringList statements;
    for (const QString &statement : lines.join(QLatin1Char('\n')).split(QLatin1Char(';'))) {
        if (!statement.trimmed().isEmpty())
            statements << statement.trimmed();
    }
    return statements;
}

void createTables(const QSqlDatabase &db)
{
    for (const QString &statement : schemaStatements())
        sql::run(db, statement);
}

void createAddedTables(const QSqlDatabase &db)
{
    for (const QString &statement : AddedTables::createStatements())
        sql::run(db, statement);
}

RowSet read(const QSqlDatabase &db, const QString &table, const QStringList &columns)
{
    QStringList names;
    for (const QString &column : columns)
        names << quoted(column);
    // Storage order: a server keeps no row order of its own, its ids are it.
    QString order = QStringLiteral(" ORDER BY rowid");
    if (backendOf(db) == Backend::Server)
        order = columns.contains(QStringLiteral("id")) ? QStringLiteral(" ORDER BY id") : QString();
    QSqlQuery query =
        sql::run(db, QStringLiteral("SELECT %1 FROM %2%3")
                         .arg(names.join(QStringLiteral(", ")), quoted(table), order));
    RowSet rows{table, columns, {}, {}};
    while (query.next()) {
        QVariantList row;
        row.reserve(columns.size());
        for (int c = 0; c < columns.size(); ++c) {
            const QVariant value = query.value(c);
            if (value.isNull())
                row << QVariant();
            else if (value.typeId() == QMetaType::QByteArray ||
                     value.typeId() == QMetaType::QString)
                row << value;
            else
                row << value.toLongLong();
        }
        rows.rows << row;
    }
    return rows;
}

void write(const QSqlDatabase &db, const RowSet &rows)
{
    const QHash<QString, QVariant> defaults = notNullDefaults(db, rows.table);
    QList<QVariant> fallback;
    QStringList names;
    QStringList marks;
    for (const QString &column : rows.columns) {
        names << quoted(column);
        marks << QStringLiteral("?");
        fallback << defaults.value(column.toLower(), QVariant());
    }
    QSqlQuery insert(db);
    const QString statement = QStringLiteral("INSERT INTO %1 (%2) VALUES (%3)")
                                  .arg(quoted(rows.table), names.join(QStringLiteral(", ")),
                                       marks.join(QStringLiteral(", ")));
    if (!insert.prepare(statement))
        throw sql::failure(insert.lastError(), statement, sql::Stage::Prepare);
    for (const QVariantList &row : rows.rows) {
        for (int c = 0; c < row.size(); ++c) {
            const QVariant &value = row.at(c);
            if (value.isNull() && fallback.at(c).isValid())
                insert.bindValue(c, fallback.at(c));
            else if (value.isNull())
                insert.bindValue(c, QVariant(QMetaType::fromType<QString>()));
            else
                insert.bindValue(c, value);
        }
        if (!insert.exec())
            throw sql::failure(insert.lastError(), statement);
    }
}

qint64 nextId(const QSqlDatabase &db, const QString &table)
{
    const qint64 highest =
        sql::scalar(db, QStringLiteral("SELECT coalesce(max(id), 0) FROM %1").arg(quoted(table)));
    const qint64 given = sql::scalar(
        db, QStringLiteral("SELECT coalesce(max(seq), 0) FROM sqlite_sequence WHERE name = ?"),
        {table});
    return std::max(highest, given) + 1;
}

QList<qint64> newIds(const QSqlDatabase &db, const QString &table, qint64 count)
{
    QList<qint64> ids;
    if (count <= 0)
        return ids;
    if (backendOf(db) == Backend::Server) {
        QSqlQuery query = sql::run(db,
                                   QStringLiteral("select nextval(pg_get_serial_sequence(?, 'id'))"
                                                  " from generate_series(1, ?)"),
                                   {storedTable(db, table), count});
        while (query.next())
            ids << query.value(0).toLongLong();
        std::sort(ids.begin(), ids.end());
        return ids;
    }
    const qint64 first = nextId(db, table);
    for (qint64 id = first; id < first + count; ++id)
        ids << id;
    return ids;
}

void advanceIds(const QSqlDatabase &db, const QString &table)
{
    if (backendOf(db) != Backend::Server)
        return;
    const QString stored = storedTable(db, table);
    sql::run(db,
             QStringLiteral("select setval(pg_get_serial_sequence(?, 'id'), coalesce(max(id), 1),"
                            " max(id) is not null) from %1")
                 .arg(quoted(stored)),
             {stored})
        .finish();
}

bool hasTable(const QSqlDatabase &db, const QString &table)
{
    if (backendOf(db) == Backend::Server)
        return sql::scalar(db,
                           QStringLiteral("select count(*) from information_schema.tables"
                                          " where table_schema = current_schema()"
                                          " and table_name = ?"),
                           {table}) > 0;
    return sql::scalar(db,
                       QStringLiteral("select count(*) from sqlite_master"
                                      " where type = 'table' and name = ?"),
                       {table}) > 0;
}

} // namespace table_rows
