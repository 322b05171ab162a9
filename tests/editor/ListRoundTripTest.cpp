#include "SampleBuilder.h"
#include "SourceTree.h"
#include "TestRegistry.h"

#include "base/GbkText.h"
#include "editor/ImportPlan.h"
#include "editor/QuestionListExport.h"
#include "editor/QuestionListReader.h"
#include "store/BankTable.h"
#include "store/ChapterTable.h"
#include "store/Database.h"

#include <QTemporaryDir>
#include <QTest>
#include <algorithm>
#include <limits>

namespace {

QString normal(QString text)
{
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    return text::trimmed(text);
}

// A question as the list carries it: what the import must give back.
QString flat(int type, const QString &stem, const std::array<QString, 4> &options,
             const QString &answer, int points, const QString &note)
{
    QStringList parts = {QString::number(type), normal(stem)};
    if (type == 1 || type == 2) {
        for (const QString &option : options)
            parts << normal(option);
    }
    parts << (type == 5 || type == 3 ? normal(answer) : answer) << QString::number(points)
          << normal(note);
    return parts.join(u'|');
}

} // namespace

Q_DECLARE_METATYPE(QuestionListExport::Encoding)

// Every question of the sample database exported as a sheet and as text (in
// each encoding) and read back gives the same questions.
class ListRoundTripTest : public QObject
{
    Q_OBJECT

    QTemporaryDir m_dir;
    QSqlDatabase m_db;

private slots:
    void initTestCase()
    {
        const QString path = m_dir.filePath(QStringLiteral("examination.mdb"));
        SampleBuilder::build({path, sourceTreePath(QStringLiteral("data")), QString()});
        QString error;
        m_db = Database::open(path, QStringLiteral("roundtrip"), &error);
        QVERIFY2(m_db.isOpen(), qPrintable(error));
    }

    void everyQuestion_data()
    {
        QTest::addColumn<QString>("suffix");
        QTest::addColumn<QuestionListExport::Encoding>("encoding");
        QTest::newRow("sheet") << QStringLiteral("xlsx") << QuestionListExport::Encoding::Utf8;
        QTest::newRow("text, GBK") << QStringLiteral("txt") << QuestionListExport::Encoding::Gbk;
        QTest::newRow("text, UTF-8") << QStringLiteral("txt") << QuestionListExport::Encoding::Utf8;
    }
    void everyQuestion()
    {
        QFETCH(QString, suffix);
        QFETCH(QuestionListExport::Encoding, encoding);
        int total = 0;
        for (const BankRow &bank : BankTable(m_db).all()) {
            for (const ChapterRow &chapter : ChapterTable(m_db).ofBank(bank.id)) {
                QList<QuestionRow> rows = QuestionTable(m_db).read(
                    QuestionScope::chapter(chapter.id), std::numeric_limits<int>::max());
                if (rows.isEmpty())
                    continue;
                const QString file =
                    m_dir.filePath(QStringLiteral("chapter%1.%2").arg(chapter.id).arg(suffix));
                QString reason;
                QVERIFY2(QuestionListExport::write(file, rows, encoding, &reason),
                         qPrintable(reason));
                const ListReading reading = QuestionListReader::readFile(file);
                QCOMPARE(reading.error, QString());
                // Text lists group the questions by type.
                if (suffix == u"txt")
                    std::stable_sort(
                        rows.begin(), rows.end(),
                        [](const QuestionRow &a, const QuestionRow &b) { return a.type < b.type; });
                QCOMPARE(reading.drafts.size(), rows.size());
                const ImportPlan plan(reading.drafts, {});
                for (int i = 0; i < rows.size(); ++i) {
                    const QuestionRow &row = rows[i];
                    const ListDraft &read = reading.drafts[i];
                    QCOMPARE(
                        flat(read.draft.type, read.draft.stem, read.draft.options,
                             read.draft.answer, read.draft.points.toInt(), read.note),
                        flat(row.type, row.stem, row.options, row.answer, row.points, row.note));
                    const QString status = plan.items()[i].status;
                    QVERIFY2(status == ImportPlan::kImportable || status == ImportPlan::kDuplicate,
                             qPrintable(status));
                }
                total += static_cast<int>(rows.size());
            }
        }
        QCOMPARE(total, QuestionTable(m_db).countAll());
        QVERIFY(total > 0);
    }
};

DRILLBAY_TEST(ListRoundTripTest)
#include "ListRoundTripTest.moc"
