#include "SourceTree.h"
#include "TestDatabase.h"
#include "TestRegistry.h"

#include "editor/DocxReader.h"
#include "editor/ImportPlan.h"
#include "editor/ListBudget.h"
#include "editor/ListTextDecoder.h"
#include "editor/QuestionListReader.h"
#include "editor/SheetLayout.h"
#include "editor/XlsxReader.h"

#include <QDir>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTest>

namespace {

QString listFile(const QString &name)
{
    return sourceTreePath(QStringLiteral("tests/editor/lists/") + name);
}

QString flat(int type, const QString &stem, const QStringList &options, const QString &answer,
             const QString &points, const QString &note)
{
    return QStringList{QString::number(type), stem, options.join(u'/'), answer, points, note}.join(
        u'|');
}

QString flat(const ListDraft &d)
{
    const bool choice = d.draft.type == 1 || d.draft.type == 2;
    return flat(d.draft.type, d.draft.stem,
                choice ? QStringList(d.draft.options.begin(), d.draft.options.end())
                       : QStringList(),
                d.draft.answer, d.draft.points, d.note);
}

} // namespace

// The question lists made by other writers (tests/editor/lists/make_*.py):
// every layout read to the drafts its writer meant, all importable into an
// empty chapter; and the files that must be refused, each with its message.
class ListDocumentsTest : public QObject
{
    Q_OBJECT

private slots:
    void layouts_data()
    {
        QTest::addColumn<QString>("file");
        QTest::addColumn<bool>("rows"); // line numbers are sheet rows to compare
        QTest::newRow("text with headings, UTF-8") << QStringLiteral("list-text-utf8.txt") << false;
        QTest::newRow("text by shape, GBK") << QStringLiteral("list-text-gbk.txt") << false;
        QTest::newRow("Word") << QStringLiteral("list-word.docx") << false;
        QTest::newRow("Excel") << QStringLiteral("list-sheet.xlsx") << true;
        QTest::newRow("CSV, GBK") << QStringLiteral("list-sheet.csv") << true;
    }
    void layouts()
    {
        QFETCH(QString, file);
        QFETCH(bool, rows);
        QFile expectedFile(listFile(file + QStringLiteral(".expected.json")));
        QVERIFY(expectedFile.open(QIODevice::ReadOnly));
        const QJsonArray expected = QJsonDocument::fromJson(expectedFile.readAll()).array();
        QVERIFY(expected.size() >= 200);

        const ListReading reading = QuestionListReader::readFile(listFile(file));
        QCOMPARE(reading.error, QString());
        QCOMPARE(reading.drafts.size(), expected.size());
        int types[6] = {};
        for (int i = 0; i < expected.size(); ++i) {
            const QJsonObject e = expected[i].toObject();
            QStringList options;
            for (const QJsonValue &option : e.value(QStringLiteral("options")).toArray())
                options << option.toString();
            QCOMPARE(flat(reading.drafts[i]),
                     flat(e.value(QStringLiteral("type")).toInt(),
                          e.value(QStringLiteral("stem")).toString(), options,
                          e.value(QStringLiteral("answer")).toString(),
                          e.value(QStringLiteral("points")).toString(),
                          e.value(QStringLiteral("note")).toString()));
            if (rows)
                QCOMPARE(reading.drafts[i].line, e.value(QStringLiteral("line")).toInt());
            ++types[e.value(QStringLiteral("type")).toInt()];
        }
        for (int type = 1; type <= 5; ++type)
            QVERIFY2(types[type] >= 20, qPrintable(QString::number(type)));

        TestDatabase db;
        const qint64 chapter =
            db.addChapter(db.addBank(QStringLiteral("变电")), QStringLiteral("安规题库"));
        const ImportPlan plan = ImportPlan::forChapter(reading.drafts, db.db(), chapter);
        for (const ImportPlan::Item &item : plan.items())
            QVERIFY2(item.importable,
                     qPrintable(QString::number(item.source.line) + u' ' + item.status));
        QVERIFY(plan.store(db.db(), chapter).stored);
        QCOMPARE(QuestionTable(db.db()).count(QuestionScope::chapter(chapter)),
                 static_cast<int>(expected.size()));
    }

    void refused_data()
    {
        QTest::addColumn<QString>("file");
        QTest::addColumn<QString>("message");
        QTest::newRow("not an archive")
            << QStringLiteral("bad-not-a-zip.docx") << DocxReader::kNotDocument;
        QTest::newRow("an archive without a body")
            << QStringLiteral("bad-no-body.docx") << DocxReader::kNoBody;
        QTest::newRow("zip bomb") << QStringLiteral("bad-bomb.xlsx")
                                  << listbudget::kInflatesTooMuch;
        QTest::newRow("sheet without header")
            << QStringLiteral("bad-no-header.xlsx") << SheetLayout::kNoHeader;
        QTest::newRow("binary as text")
            << QStringLiteral("bad-binary.txt") << ListTextDecoder::kBinary;
        QTest::newRow("no question")
            << QStringLiteral("bad-no-question.txt") << QuestionListReader::kNoQuestion;
        QTest::newRow("a Word document named as a sheet")
            << QStringLiteral("list-word.docx|x.xlsx") << XlsxReader::kNoSheet;
        QTest::newRow("missing file")
            << QStringLiteral("none.txt")
            << QuestionListReader::kCannotOpen + listFile(QStringLiteral("none.txt"));
    }
    void refused()
    {
        QFETCH(QString, file);
        QFETCH(QString, message);
        ListReading reading;
        if (file.contains(u'|')) {
            QFile source(listFile(file.section(u'|', 0, 0)));
            QVERIFY(source.open(QIODevice::ReadOnly));
            reading = QuestionListReader::readBytes(source.readAll(), file.section(u'|', 1));
        } else {
            reading = QuestionListReader::readFile(listFile(file));
        }
        QCOMPARE(reading.error, message);
        QVERIFY(reading.drafts.isEmpty());
    }

    // Inputs the fuzzer once found troublesome (scripts/fuzz-lists keeps
    // them): each is read to drafts or refused, never more.
    void fuzzedInputsReadBack()
    {
        const QDir corpus(listFile(QStringLiteral("corpus")));
        for (const QFileInfo &file : corpus.entryInfoList(QDir::Files)) {
            if (file.fileName() == u"README")
                continue;
            QFile input(file.filePath());
            QVERIFY(input.open(QIODevice::ReadOnly));
            const QByteArray bytes = input.readAll();
            for (const QString &name : {QStringLiteral("x.txt"), QStringLiteral("x.csv"),
                                        QStringLiteral("x.xlsx"), QStringLiteral("x.docx")}) {
                const ListReading reading = QuestionListReader::readBytes(bytes, name);
                QVERIFY(reading.ok() || reading.drafts.isEmpty());
                ImportPlan(reading.drafts, {});
            }
        }
    }

    void fileOverTheLimit()
    {
        QTemporaryDir dir;
        QFile big(dir.filePath(QStringLiteral("big.txt")));
        QVERIFY(big.open(QIODevice::WriteOnly));
        QVERIFY(big.resize(listbudget::kFileBytes + 1));
        big.close();
        QCOMPARE(QuestionListReader::readFile(big.fileName()).error, listbudget::kTooLarge);
    }
};

DRILLBAY_TEST(ListDocumentsTest)
#include "ListDocumentsTest.moc"
