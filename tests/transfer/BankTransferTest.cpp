#include "LegacyFixture.h"
#include "TestDatabase.h"
#include "TestRegistry.h"

#include "store/Schema.h"
#include "store/Sql.h"
#include "store/TableRows.h"
#include "transfer/BankTransfer.h"
#include "transfer/DataFileConverter.h"

#include <QDir>
#include <QTemporaryDir>
#include <QTest>

namespace {

void writeFile(const QString &path, const QByteArray &bytes)
{
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile file(path);
    file.open(QIODevice::WriteOnly);
    file.write(bytes);
}

QByteArray readFile(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

QList<RowSet> legacyTables()
{
    QList<RowSet> tables;
    QString error;
    if (!DataFileConverter::readTables(legacyBankPath(), &tables, &error))
        qWarning("%s", qPrintable(error));
    return tables;
}

} // namespace

// Banks carried between installations: exported into a file of their own,
// added to another file as new banks.
class BankTransferTest : public QObject
{
    Q_OBJECT

private slots:
    void banksWithTheirCounts()
    {
        const QList<BankTransfer::BankSummary> banks = BankTransfer::banks(legacyTables());
        QCOMPARE(banks.size(), 3);
        QCOMPARE(banks.at(0).name, QStringLiteral("变电安全工作规程题库"));
        QCOMPARE(banks.at(0).chapters, 3);
        QCOMPARE(banks.at(0).questions, 35);
        QCOMPARE(banks.at(1).chapters, 2);
        QCOMPARE(banks.at(1).questions, 25);
        QCOMPARE(banks.at(2).chapters, 0);
    }

    void importAddsNewBanksTwice()
    {
        TestDatabase db;
        QTemporaryDir pictures;
        const QString sourceImages = pictures.filePath(QStringLiteral("from"));
        const QString targetImages = pictures.filePath(QStringLiteral("to"));
        writeFile(sourceImages + QStringLiteral("/biaoshipai.jpg"), "sign");
        writeFile(sourceImages + QStringLiteral("/jiedixian.jpg"), "earth");
        writeFile(targetImages + QStringLiteral("/jiedixian.jpg"), "another picture");
        const QList<RowSet> source = legacyTables();

        const BankTransfer::Report first =
            BankTransfer::importBanks(db.db(), source, {1, 2}, sourceImages, targetImages);
        QVERIFY2(first.ok(), qPrintable(first.error));
        QCOMPARE(first.added,
                 (QStringList{QStringLiteral("题库 变电安全工作规程题库：3 个章节，35 道试题"),
                              QStringLiteral("题库 线路安全工作规程题库：2 个章节，25 道试题")}));
        QCOMPARE(first.renamed,
                 QStringList{QStringLiteral("图片 jiedixian.jpg 改名为 jiedixian (2).jpg")});
        QCOMPARE(readFile(targetImages + QStringLiteral("/jiedixian.jpg")),
                 QByteArray("another picture"));
        QCOMPARE(readFile(targetImages + QStringLiteral("/jiedixian (2).jpg")),
                 QByteArray("earth"));
        QCOMPARE(readFile(targetImages + QStringLiteral("/biaoshipai.jpg")), QByteArray("sign"));
        QCOMPARE(first.picturesCopied, 2);
        QCOMPARE(sql::scalar(
                     db.db(),
                     QStringLiteral(
                         "select count(*) from 考试训练题库 where images = 'jiedixian (2).jpg'")) >
                     0,
                 true);
        // Every question is to be practised; chapter links point at the new chapters.
        QCOMPARE(sql::scalar(db.db(), QStringLiteral(
                                          "select count(*) from 考试训练题库 where 题目选择 = 1")),
                 qint64(60));
        QCOMPARE(sql::scalar(
                     db.db(),
                     QStringLiteral(
                         "select count(*) from 考试训练题库 q join fenlei f on f.id = q.试卷分类")),
                 qint64(60));

        // The same banks again: names that exist get " (2)", ids are new.
        const BankTransfer::Report second =
            BankTransfer::importBanks(db.db(), source, {1}, sourceImages, targetImages);
        QVERIFY2(second.ok(), qPrintable(second.error));
        QVERIFY(second.renamed.contains(
            QStringLiteral("题库 变电安全工作规程题库 改名为 变电安全工作规程题库 (2)")));
        QVERIFY(second.renamed.contains(
            QStringLiteral("章节 变电安全规程-第一章 总则 改名为 变电安全规程-第一章 总则 (2)")));
        QCOMPARE(second.added,
                 QStringList{QStringLiteral("题库 变电安全工作规程题库 (2)：3 个章节，35 道试题")});
        // The same pictures are there already: none copied again.
        QCOMPARE(second.picturesCopied, 0);
        QCOMPARE(sql::scalar(db.db(), QStringLiteral("select count(*) from 考试训练题库")),
                 qint64(95));
        // The drawn lists name the new copies of the drawn questions, in drawing order.
        const RowSet quotas =
            table_rows::read(db.db(), QStringLiteral("rand_num"),
                             {QStringLiteral("db_db_id"), QStringLiteral("s_num_shiti"),
                              QStringLiteral("sele_zhang_id")});
        QCOMPARE(quotas.rows.size(), 2);
        const qint64 newBank = quotas.rows.at(1).at(0).toLongLong();
        QVERIFY(newBank != quotas.rows.at(0).at(0).toLongLong());
        const QStringList drawn =
            quotas.rows.at(1).at(1).toString().split(QLatin1Char('#'), Qt::SkipEmptyParts);
        QCOMPARE(drawn.size(), 3);
        // Each names the copy of the question the older file drew (#58#9#57).
        QHash<qint64, QString> stems;
        const RowSet &questions = source.at(2);
        QCOMPARE(questions.table, schema::kQuestionTable);
        for (const QVariantList &row : questions.rows)
            stems.insert(row.at(0).toLongLong(), row.at(3).toString());
        const QList<qint64> original = {58, 9, 57};
        for (int i = 0; i < drawn.size(); ++i) {
            QVERIFY(drawn.at(i).toLongLong() > 60);
            QSqlQuery copy =
                sql::run(db.db(), QStringLiteral("select 题目 from 考试训练题库 where id = ?"),
                         {drawn.at(i).toLongLong()});
            QVERIFY(copy.next());
            QCOMPARE(copy.value(0).toString(), stems.value(original.at(i)));
        }
        QCOMPARE(sql::scalar(db.db(), QStringLiteral("select database_id from fenlei where id = ?"),
                             {quotas.rows.at(1).at(2)}),
                 newBank);
    }

    void failedImportAddsNothing()
    {
        TestDatabase db;
        QTemporaryDir pictures;
        const QString sourceImages = pictures.filePath(QStringLiteral("from"));
        const QString targetImages = pictures.filePath(QStringLiteral("to"));
        writeFile(sourceImages + QStringLiteral("/biaoshipai.jpg"), "sign");
        db.refuseWrites(QStringLiteral("insert"), QStringLiteral("rand_num"),
                        QStringLiteral("disk full"));
        const BankTransfer::Report report =
            BankTransfer::importBanks(db.db(), legacyTables(), {1, 2}, sourceImages, targetImages);
        QVERIFY(!report.ok());
        QVERIFY2(report.error.startsWith(QStringLiteral("题库导入失败，未添加任何内容：")),
                 qPrintable(report.error));
        QVERIFY(report.added.isEmpty());
        for (const QString &table :
             {QStringLiteral("database_name"), QStringLiteral("fenlei"), schema::kQuestionTable})
            QCOMPARE(sql::scalar(db.db(), QStringLiteral("select count(*) from ") + table),
                     qint64(0));
        QVERIFY(!QFileInfo::exists(targetImages + QStringLiteral("/biaoshipai.jpg")));
        // The next import works.
        db.acceptWrites();
        QVERIFY(BankTransfer::importBanks(db.db(), legacyTables(), {2}, sourceImages, targetImages)
                    .ok());
    }

    void exportWritesOneBank()
    {
        TestDatabase db;
        QTemporaryDir dir;
        const QString images = dir.filePath(QStringLiteral("images"));
        writeFile(images + QStringLiteral("/biaoshipai.jpg"), "sign");
        QVERIFY(BankTransfer::importBanks(db.db(), legacyTables(), {1, 2}, images, images).ok());
        const QString target = dir.filePath(QStringLiteral("out/bank.mdb"));
        QDir().mkpath(dir.filePath(QStringLiteral("out")));
        const BankTransfer::Report report = BankTransfer::exportBank(db.db(), 2, images, target);
        QVERIFY2(report.ok(), qPrintable(report.error));
        QCOMPARE(report.added,
                 QStringList{QStringLiteral("题库 线路安全工作规程题库：2 个章节，25 道试题")});
        QList<RowSet> tables;
        QString error;
        QVERIFY(DataFileConverter::readTables(target, &tables, &error));
        const QList<BankTransfer::BankSummary> banks = BankTransfer::banks(tables);
        QCOMPARE(banks.size(), 1);
        QCOMPARE(banks.at(0).questions, 25);
        QCOMPARE(readFile(dir.filePath(QStringLiteral("out/images/biaoshipai.jpg"))),
                 QByteArray("sign"));
        // An existing file is never replaced.
        QVERIFY(!BankTransfer::exportBank(db.db(), 2, images, target).ok());
    }
};

DRILLBAY_TEST(BankTransferTest)
#include "BankTransferTest.moc"
