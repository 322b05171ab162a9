#include "LegacyFixture.h"
#include "TestRegistry.h"

#include "store/Database.h"
#include "store/Schema.h"
#include "store/TableRows.h"
#include "transfer/DataFileConverter.h"
#include "transfer/JetHeader.h"

#include <QCryptographicHash>
#include <QJsonArray>
#include <QProcess>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <QTest>
#include <QUuid>

namespace {

// The rows of every table of a data file, read in storage order.
QList<RowSet> allRows(const QString &path)
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

// The value the converted file holds for a value of the fixture's list.
QVariant expectedValue(const QJsonValue &stored, const QString &column, bool notNull,
                       const QVariant &fallback)
{
    if (stored.isNull())
        return notNull ? fallback : QVariant();
    if (stored.isBool())
        return qint64(stored.toBool() ? 1 : 0);
    if (stored.isDouble())
        return qint64(stored.toInteger());
    if (stored.isObject())
        return QByteArray::fromBase64(
            stored.toObject().value(QStringLiteral("base64")).toString().toLatin1());
    QString text = stored.toString();
    if (column == QStringLiteral("date") || column == schema::kChapterCreated)
        text.replace(10, 1, QLatin1Char('T'));
    return text;
}

} // namespace

// The older program's Jet file becomes a data file of this program with every
// row as stored.
class DataFileConverterTest : public QObject
{
    Q_OBJECT

private slots:
    void everyRowAsStored()
    {
        QTemporaryDir dir;
        const QString target = dir.filePath(QStringLiteral("examination.mdb"));
        const DataFileConverter::Report report =
            DataFileConverter::convert(legacyBankPath(), target);
        QVERIFY2(report.ok(), qPrintable(report.error));
        QVERIFY(report.unreadable.isEmpty());
        const QJsonObject expected = legacyBankRows();
        QVERIFY(!expected.isEmpty());
        const QList<RowSet> tables = allRows(target);
        // The columns that refuse NULL, and what they take instead.
        const QHash<QString, QVariant> defaults = {
            {QStringLiteral("解析"), QStringLiteral("")},
            {QStringLiteral("images"), QStringLiteral("")},
        };
        for (const RowSet &rows : tables) {
            const QJsonArray list =
                expected.value(rows.table).toObject().value(QStringLiteral("rows")).toArray();
            QCOMPARE(rows.rows.size(), list.size());
            for (int r = 0; r < list.size(); ++r) {
                const QJsonObject stored =
                    list.at(r).toObject().value(QStringLiteral("stored")).toObject();
                for (int c = 0; c < rows.columns.size(); ++c) {
                    const QString &column = rows.columns.at(c);
                    const bool notNull = rows.table == schema::kQuestionTable;
                    const QVariant want = expectedValue(stored.value(column), column, notNull,
                                                        defaults.value(column));
                    const QVariant got = rows.rows.at(r).at(c);
                    if (got.isNull() != want.isNull() || (!want.isNull() && got != want))
                        QFAIL(qPrintable(
                            QStringLiteral("%1 row %2 column %3: %4 instead of %5")
                                .arg(rows.table)
                                .arg(r + 1)
                                .arg(column, got.toString().left(80), want.toString().left(80))));
                }
            }
        }
        // The report names every table with its rows.
        QCOMPARE(report.tables.size(), schema::kRequiredColumns.size());
        QCOMPARE(report.tables.at(0), qMakePair(QStringLiteral("database_name"), qint64(3)));
        // New questions get ids past the kept ones.
        const QString name = QUuid::createUuid().toString();
        {
            QSqlDatabase db = Database::open(target, name);
            QSqlQuery insert(db);
            QVERIFY(insert.exec(QStringLiteral("INSERT INTO 考试训练题库 (题目) VALUES ('x')")));
            QCOMPARE(insert.lastInsertId().toLongLong(), qint64(61));
            db.close();
        }
        QSqlDatabase::removeDatabase(name);
    }

    void secondConversionKeepsEveryRow()
    {
        QTemporaryDir dir;
        const QString first = dir.filePath(QStringLiteral("first.mdb"));
        const QString second = dir.filePath(QStringLiteral("second.mdb"));
        QVERIFY(DataFileConverter::convert(legacyBankPath(), first).ok());
        QVERIFY(DataFileConverter::convert(first, second).ok());
        const QList<RowSet> a = allRows(first);
        const QList<RowSet> b = allRows(second);
        QCOMPARE(a.size(), b.size());
        for (int t = 0; t < a.size(); ++t) {
            QCOMPARE(b.at(t).rows.size(), a.at(t).rows.size());
            for (int r = 0; r < a.at(t).rows.size(); ++r) {
                for (int c = 0; c < a.at(t).columns.size(); ++c) {
                    const QVariant x = a.at(t).rows.at(r).at(c);
                    const QVariant y = b.at(t).rows.at(r).at(c);
                    QCOMPARE(y.isNull(), x.isNull());
                    QCOMPARE(y.typeId(), x.typeId());
                    QCOMPARE(y, x);
                }
            }
        }
    }

    void badSourceLeavesNothing_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QString>("reason");
        const QByteArray bank = legacyBankBytes();
        QTest::newRow("cut inside a page")
            << bank.left(bank.size() / 2 + 100) << QStringLiteral("不完整");
        QTest::newRow("cut to its header") << bank.left(4096) << QStringLiteral("不完整");
        QTest::newRow("text file")
            << QByteArray("no database at all\n") << QStringLiteral("既不是");
        QTest::newRow("empty file") << QByteArray() << QStringLiteral("既不是");
        QTest::newRow("cut at a page boundary")
            << bank.left(8 * 4096) << QStringLiteral("legacy.mdb");
        QByteArray version = bank;
        version[0x14] = char(0x09);
        QTest::newRow("unknown version") << version << QStringLiteral("版本");
        // The library itself would read a protected file without asking.
        QByteArray guarded = bank;
        guarded.replace(0, jetheader::kBytesNeeded,
                        jetheader::withPassword(bank.left(jetheader::kBytesNeeded),
                                                QStringLiteral("安全2026")));
        QTest::newRow("password-protected") << guarded << QStringLiteral("设有数据库密码");
    }
    void badSourceLeavesNothing()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(QString, reason);
        QTemporaryDir dir;
        const QString source = dir.filePath(QStringLiteral("legacy.mdb"));
        QFile file(source);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(bytes);
        file.close();
        const QString target = dir.filePath(QStringLiteral("examination.mdb"));
        const DataFileConverter::Report report = DataFileConverter::convert(source, target);
        QVERIFY(!report.ok());
        QVERIFY2(report.error.contains(QStringLiteral("legacy.mdb")), qPrintable(report.error));
        QVERIFY2(report.error.contains(reason), qPrintable(report.error));
        QVERIFY(!QFileInfo::exists(target));
        QCOMPARE(QFileInfo(source).size(), qint64(bytes.size()));
    }

    void commandLine()
    {
        QTemporaryDir dir;
        const QString target = dir.filePath(QStringLiteral("out.mdb"));
        QProcess tool;
        tool.start(QStringLiteral(DRILLBAY_CONVERT), {legacyBankPath(), target});
        QVERIFY(tool.waitForFinished(60000));
        QCOMPARE(tool.exitCode(), 0);
        const QStringList lines = QString::fromUtf8(tool.readAllStandardOutput())
                                      .split(QLatin1Char('\n'), Qt::SkipEmptyParts);
        QCOMPARE(lines.size(), 9);
        QVERIFY(lines.contains(QStringLiteral("考试训练题库 60")));
        QVERIFY(lines.contains(QStringLiteral("log 5")));
        // An existing target is kept unless --force.
        const QByteArray before = QFile(target).exists() ? QByteArray("x") : QByteArray();
        QVERIFY(!before.isEmpty());
        tool.start(QStringLiteral(DRILLBAY_CONVERT), {legacyBankPath(), target});
        QVERIFY(tool.waitForFinished(60000));
        QVERIFY(tool.exitCode() != 0);
        QVERIFY(QString::fromUtf8(tool.readAllStandardError()).contains(QStringLiteral("--force")));
        tool.start(QStringLiteral(DRILLBAY_CONVERT), {target, target + QStringLiteral("2")});
        QVERIFY(tool.waitForFinished(60000));
        QCOMPARE(tool.exitCode(), 0);
        tool.start(QStringLiteral(DRILLBAY_CONVERT),
                   {legacyBankPath(), target, QStringLiteral("--force")});
        QVERIFY(tool.waitForFinished(60000));
        QCOMPARE(tool.exitCode(), 0);
        // A source that cannot be read: non-zero, the reason on the error output.
        tool.start(QStringLiteral(DRILLBAY_CONVERT), {dir.filePath(QStringLiteral("missing.mdb")),
                                                      dir.filePath(QStringLiteral("new.mdb"))});
        QVERIFY(tool.waitForFinished(60000));
        QVERIFY(tool.exitCode() != 0);
        QVERIFY(!QString::fromUtf8(tool.readAllStandardError()).isEmpty());
        QVERIFY(!QFileInfo::exists(dir.filePath(QStringLiteral("new.mdb"))));
    }
};

DRILLBAY_TEST(DataFileConverterTest)
#include "DataFileConverterTest.moc"
