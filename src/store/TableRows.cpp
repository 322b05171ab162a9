#include "TableRows.h"

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

RowSet read(const QSqlDatabase &db, const QString &table, const QStringList &columns)
{
    QStringList names;
    for (const QString &column : columns)
        names << quoted(column);
    QSqlQuery query = sql::run(db, QStringLiteral("SELECT %1 FROM %2 ORDER BY rowid")
                                       .arg(names.join(QStringLiteral(", ")), quoted(table)));
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
    // Which columns refuse NULL, and what they take instead.
    QHash<QString, QVariant> defaults;
    {
        QSqlQuery info = sql::run(
            db, QStringLiteral("SELECT name, \"notnull\", dflt_value FROM pragma_table_info(?)"),
            {rows.table});
        while (info.next()) {
            if (info.value(1).toInt() != 0)
                defaults.insert(info.value(0).toString().toLower(),
                                declaredDefault(info.value(2).toString()));
        }
    }
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

} // namespace table_rows
