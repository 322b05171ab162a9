#include "TestRegistry.h"

#include "store/Database.h"
#include "store/Schema.h"
#include "store/TableRows.h"
#include "transfer/DataFileConverter.h"

#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QTest>
#include <QUuid>

namespace {

QList<RowSet> readAll(const QString &path)
{
    const QString name = QUuid::createUuid().toString();
    QList<RowSet> tables;
    {
        QSqlDatabase db = Database::open(path, name, nullptr, Database::Access::ReadOnly);
        for (const schema::TableColumns &table : schema::kRequiredColumns)
            tables << table_rows::read(db, table.table, table.columns);
        db.close();
    }
    QSqlDatabase::removeDatabase(name);
    return tables;
}

RowSet emptyTable(const QString &table)
{
    for (const schema::TableColumns &columns : schema::kRequiredColumns) {
        if (columns.table == table)
            return RowSet{table, columns.columns, {}, {}};
    }
    return {};
}

} // namespace

// The write side of the conversion with the rows no small fixture holds: what
// the reader hands over is stored exactly, and a second conversion keeps it.
class ConversionWriteTest : public QObject
{
    Q_OBJECT

private slots:
    void storedExactly()
    {
        QList<RowSet> tables;
        for (const schema::TableColumns &columns : schema::kRequiredColumns)
            tables << emptyTable(columns.table);
        auto table = [&](const QString &name) -> RowSet & {
            for (RowSet &rows : tables) {
                if (rows.table == name)
                    return rows;
            }
            return tables[0];
        };
        const QVariant null;
        const QString empty = QStringLiteral("");
        // Banks and chapters with quotes in their names, a chapter whose bank is gone.
        table(QStringLiteral("database_name")).rows
            << QVariantList{qint64(7), QStringLiteral("it's \"题库\""), qint64(1)}
            << QVariantList{qint64(9), null, qint64(0)};
        table(QStringLiteral("fenlei")).rows
            << QVariantList{qint64(3),
                            QStringLiteral("第'一'章"),
                            qint64(7),
                            qint64(60),
                            QStringLiteral("1850-04-01T18:30:00"),
                            QStringLiteral("net_user")}
            << QVariantList{qint64(40), QStringLiteral("孤立章节"), qint64(99), null, null, empty};
        // A 1,000-byte stem, a 72,000-character memo, an invalid encoding, an
        // extension character of GBK, NULL beside an empty text, a question of
        // a chapter that is gone.
        const QString stem = QString(QLatin1Char('A')).repeated(2000);
        QString memo;
        for (int i = 0; i < 72000; ++i)
            memo.append(QChar(char16_t(0x4e00 + i % 3000)));
        table(schema::kQuestionTable).rows << QVariantList{qint64(5),
                                                           qint64(3),
                                                           qint64(1),
                                                           stem,
                                                           QStringLiteral("ZZ"),
                                                           QStringLiteral("123"),
                                                           empty,
                                                           null,
                                                           QStringLiteral("1"),
                                                           qint64(2),
                                                           qint64(0),
                                                           null,
                                                           memo}
                                           << QVariantList{qint64(1000),
                                                           qint64(77),
                                                           qint64(3),
                                                           QStringLiteral("㐀䶵"),
                                                           empty,
                                                           empty,
                                                           empty,
                                                           empty,
                                                           QStringLiteral("x"),
                                                           null,
                                                           qint64(1),
                                                           QStringLiteral("a'b.jpg"),
                                                           empty};
        QByteArray document(300 * 1024, '\0');
        for (char &byte : document)
            byte = char(QRandomGenerator::global()->bounded(256));
        table(QStringLiteral("help")).rows
            << QVariantList{qint64(2), QStringLiteral("文档"), document, QStringLiteral("3")}
            << QVariantList{qint64(8), empty, null, null};
        table(QStringLiteral("log")).rows
            << QVariantList{qint64(11), QStringLiteral("1899-12-29T06:00:00"), qint64(0), null};
        table(QStringLiteral("run_record")).rows
            << QVariantList{null, qint64(1), null, qint64(0), null};

        QTemporaryDir dir;
        const QString first = dir.filePath(QStringLiteral("first.mdb"));
        QCOMPARE(DataFileConverter::writeFile(first, tables), QString());
        const QList<RowSet> stored = readAll(first);

        // NOT NULL columns took their declared defaults; everything else is as given.
        QCOMPARE(table(QStringLiteral("database_name")).rows.at(1).at(1), null);
        table(QStringLiteral("database_name")).rows[1][1] = empty;
        table(QStringLiteral("fenlei")).rows[1][3] = qint64(60);
        table(schema::kQuestionTable).rows[0][7] = empty;
        table(schema::kQuestionTable).rows[0][11] = empty;
        table(schema::kQuestionTable).rows[1][9] = qint64(2);
        table(QStringLiteral("help")).rows[1][3] = empty;
        table(QStringLiteral("log")).rows[0][3] = empty;
        for (int t = 0; t < tables.size(); ++t) {
            QCOMPARE(stored.at(t).rows.size(), tables.at(t).rows.size());
            for (int r = 0; r < tables.at(t).rows.size(); ++r) {
                for (int c = 0; c < tables.at(t).columns.size(); ++c) {
                    const QVariant want = tables.at(t).rows.at(r).at(c);
                    const QVariant got = stored.at(t).rows.at(r).at(c);
                    QVERIFY2(got.isNull() == want.isNull() && got == want,
                             qPrintable(tables.at(t).table + QLatin1Char(' ') +
                                        tables.at(t).columns.at(c)));
                }
            }
        }
        // A second conversion keeps every row.
        const QString second = dir.filePath(QStringLiteral("second.mdb"));
        QVERIFY(DataFileConverter::convert(first, second).ok());
        const QList<RowSet> again = readAll(second);
        for (int t = 0; t < stored.size(); ++t)
            QCOMPARE(again.at(t).rows, stored.at(t).rows);
    }
};

DRILLBAY_TEST(ConversionWriteTest)
#include "ConversionWriteTest.moc"
