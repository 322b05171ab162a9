#include "SourceTree.h"
#include "TestRegistry.h"

#include "BankParser.h"
#include "DataError.h"
#include "RtfWriter.h"
#include "SampleBuilder.h"
#include "SampleSources.h"
#include "SourceTree.h"
#include "SyntheticBuilder.h"

#include "base/GbkText.h"
#include "settings/PasswordCodec.h"
#include "store/QuestionCodec.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QSet>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <QTest>
#include <QUuid>

#include <strcodec.h>

#include <memory>

namespace {

const QString kDataDir = sourceTreePath(QStringLiteral("data"));
const QString kBank1File = sourceTreePath(QStringLiteral("data/banks/01-substation.txt"));

// A read connection to a database file, closed and removed with the object.
class Connection
{
public:
    explicit Connection(const QString &path)
        : m_name(QStringLiteral("sample-") + QUuid::createUuid().toString(QUuid::WithoutBraces))
    {
        m_db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), m_name);
        m_db.setDatabaseName(path);
        m_db.open();
    }
    ~Connection()
    {
        m_db.close();
        m_db = QSqlDatabase();
        QSqlDatabase::removeDatabase(m_name);
    }
    QSqlDatabase db() const { return m_db; }
    QVariant value(const QString &statement, const QVariantList &values = {}) const
    {
        QSqlQuery q(m_db);
        q.prepare(statement);
        for (int i = 0; i < values.size(); ++i)
            q.bindValue(i, values.at(i));
        if (!q.exec() || !q.next())
            return {};
        return q.value(0);
    }
    int count(const QString &statement, const QVariantList &values = {}) const
    {
        return value(statement, values).toInt();
    }

private:
    QString m_name;
    QSqlDatabase m_db;
};

void writeFile(const QString &path, const QByteArray &content)
{
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    file.write(content);
}

QByteArray readFile(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return file.readAll();
}

// The message of the DataError that parsing the text throws, or "" when none.
QString parseError(const QString &text, const QString &imagesDir = QString())
{
    BankParser parser(imagesDir);
    try {
        parser.parseText(text, QStringLiteral("bad.txt"));
    } catch (const DataError &error) {
        return error.message();
    }
    return QString();
}

const QString kGoodHead = QStringLiteral("BANK: 7 | 测试题库 | on\nCHAPTER: 测试章 | 30\n");

} // namespace

class SampleDatabaseTest : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<QTemporaryDir> m_dir;
    QString m_path;
    QString m_images;
    SampleBuilder::Report m_report;
    std::unique_ptr<Connection> m_db;

    QList<SourceBank> bank1Sources() const
    {
        BankParser parser(kDataDir + QStringLiteral("/images"));
        parser.parseFile(kBank1File);
        return parser.banks();
    }

private Q_SLOTS:
    void initTestCase()
    {
        m_dir = std::make_unique<QTemporaryDir>();
        QVERIFY(m_dir->isValid());
        m_path = m_dir->filePath(QStringLiteral("examination.mdb"));
        m_images = m_dir->filePath(QStringLiteral("images"));
        try {
            m_report = SampleBuilder::build({m_path, kDataDir, m_images});
        } catch (const DataError &error) {
            QFAIL(qPrintable(error.message()));
        }
        QVERIFY(!m_report.skipped);
        QVERIFY(QFileInfo::exists(m_path));
        QVERIFY(!QFileInfo::exists(m_path + QStringLiteral(".part")));
        m_db = std::make_unique<Connection>(m_path);
        QVERIFY(m_db->db().isOpen());
    }

    void cleanupTestCase()
    {
        m_db.reset();
        m_dir.reset();
    }

    // ---- the whole sample ----

    void banksOpenAndClosed()
    {
        QVERIFY(m_db->count(QStringLiteral("select count(*) from database_name where status=1")) >=
                3);
        QVERIFY(m_db->count(QStringLiteral("select count(*) from database_name where status=0")) >=
                1);
    }

    void chapterCounts()
    {
        QVERIFY(m_db->count(QStringLiteral("select count(*) from fenlei")) >= 10);
        QVERIFY(m_db->count(QStringLiteral("select max(n) from (select count(*) as n from fenlei "
                                           "group by database_id)")) >= 10);
        // Every chapter belongs to a bank, names are unique and fit 50 GBK bytes.
        QCOMPARE(m_db->count(QStringLiteral("select count(*) from fenlei where database_id not in "
                                            "(select id from database_name)")),
                 0);
        QSqlQuery q(m_db->db());
        QVERIFY(q.exec(QStringLiteral("select 试卷名称, 创建者, 创建日期, alltime from fenlei")));
        QSet<QString> names;
        while (q.next()) {
            const QString name = q.value(0).toString();
            QVERIFY2(!names.contains(name), qPrintable(name));
            names << name;
            QVERIFY(gbk::byteLength(name) <= 50);
            QCOMPARE(q.value(1).toString(), QStringLiteral("net_user"));
            QVERIFY(!q.value(2).toString().isEmpty());
            QVERIFY(q.value(3).toInt() > 0);
        }
    }

    void onlyTheSourceEmptyChaptersAreEmpty()
    {
        const SampleSources sources = SampleSources::read(kDataDir);
        QSet<QString> emptyInSources;
        int questions = 0;
        for (const SourceBank &bank : sources.banks) {
            for (const SourceChapter &chapter : bank.chapters) {
                if (chapter.questions.isEmpty())
                    emptyInSources << chapter.name;
                questions += static_cast<int>(chapter.questions.size());
                QCOMPARE(
                    m_db->count(QStringLiteral("select count(*) from 考试训练题库 where 试卷分类="
                                               "(select id from fenlei where 试卷名称=?)"),
                                {chapter.name}),
                    static_cast<int>(chapter.questions.size()));
            }
        }
        QVERIFY(!emptyInSources.isEmpty());
        QSet<QString> emptyInDatabase;
        QSqlQuery q(m_db->db());
        QVERIFY(q.exec(QStringLiteral("select 试卷名称 from fenlei f where not exists "
                                      "(select 1 from 考试训练题库 q where q.试卷分类=f.id)")));
        while (q.next())
            emptyInDatabase << q.value(0).toString();
        QCOMPARE(emptyInDatabase, emptyInSources);
        QCOMPARE(m_db->count(QStringLiteral("select count(*) from 考试训练题库")), questions);
    }

    void questionCounts()
    {
        QVERIFY(m_db->count(QStringLiteral("select count(*) from 考试训练题库")) >= 300);
        QCOMPARE(
            m_db->count(QStringLiteral("select count(*) from 考试训练题库 where 试卷分类 not in "
                                       "(select id from fenlei)")),
            0);
    }

    void everyOpenBankHoldsAllFiveTypes()
    {
        QSqlQuery banks(m_db->db());
        QVERIFY(banks.exec(QStringLiteral("select id from database_name where status=1")));
        while (banks.next()) {
            const int bank = banks.value(0).toInt();
            QCOMPARE(m_db->count(
                         QStringLiteral("select count(distinct 题目类型) from 考试训练题库 where "
                                        "试卷分类 in (select id from fenlei where database_id=?)"),
                         {bank}),
                     5);
        }
    }

    void storedTextsDecode()
    {
        static const QRegularExpression single(QStringLiteral("^[1-4]$"));
        static const QRegularExpression multiple(QStringLiteral("^1?2?3?4?$"));
        static const QRegularExpression judge(QStringLiteral("^[01]$"));
        QSqlQuery q(m_db->db());
        QVERIFY(
            q.exec(QStringLiteral("select id, 题目类型, 题目, 选择项1, 选择项2, 选择项3, 选择项4, "
                                  "正确答案, 本题分数, 题目选择, images, 解析 from 考试训练题库")));
        int rows = 0;
        while (q.next()) {
            ++rows;
            const QString id = q.value(0).toString();
            const int type = q.value(1).toInt();
            QVERIFY2(type >= 1 && type <= 5, qPrintable(id));
            const QString stem = decodeQuestionText(q.value(2).toString());
            QVERIFY2(!stem.isEmpty(), qPrintable(id));
            for (int i = 0; i < 4; ++i) {
                const QString stored = q.value(3 + i).toString();
                const QString option = decodeQuestionText(stored);
                if (type <= 2)
                    QVERIFY2(!option.isEmpty(), qPrintable(id));
                else
                    QVERIFY2(stored.isEmpty(), qPrintable(id));
            }
            const QString answer = decodeQuestionText(q.value(7).toString());
            QVERIFY2(!answer.isEmpty(), qPrintable(id));
            if (type == 1)
                QVERIFY2(single.match(answer).hasMatch(), qPrintable(id));
            if (type == 2)
                QVERIFY2(multiple.match(answer).hasMatch() && answer.size() >= 2, qPrintable(id));
            if (type == 4)
                QVERIFY2(judge.match(answer).hasMatch(), qPrintable(id));
            QVERIFY(q.value(8).toInt() > 0);
            const int toPractise = q.value(9).toInt();
            QVERIFY(toPractise == 0 || toPractise == 1);
            const QString image = q.value(10).toString();
            if (!image.isEmpty()) {
                QVERIFY2(QFileInfo(kDataDir + QStringLiteral("/images/") + image).isFile(),
                         qPrintable(image));
                QVERIFY2(QFileInfo(m_images + QLatin1Char('/') + image).isFile(),
                         qPrintable(image));
            }
            QVERIFY(q.value(11).toString().isEmpty());
        }
        QVERIFY(rows > 0);
    }

    void bank1QuestionsStoredAsWritten()
    {
        // The rows of bank 1, in id order, are the source questions in file order.
        const QList<SourceBank> banks = bank1Sources();
        QSqlQuery q(m_db->db());
        QVERIFY(q.exec(QStringLiteral(
            "select q.题目类型, q.题目, q.选择项1, q.选择项4, q.正确答案, q.本题分数, "
            "q.题目选择, q.images, f.试卷名称 from 考试训练题库 q join fenlei f "
            "on f.id=q.试卷分类 where f.database_id=1 order by q.id")));
        for (const SourceChapter &chapter : banks.first().chapters) {
            for (const SourceQuestion &source : chapter.questions) {
                QVERIFY(q.next());
                QCOMPARE(q.value(8).toString(), chapter.name);
                QCOMPARE(q.value(0).toInt(), source.type);
                QCOMPARE(decodeQuestionText(q.value(1).toString()), source.stem);
                QCOMPARE(decodeQuestionText(q.value(2).toString()), source.options[0]);
                QCOMPARE(decodeQuestionText(q.value(3).toString()), source.options[3]);
                QCOMPARE(decodeQuestionText(q.value(4).toString()), source.answer);
                QCOMPARE(q.value(5).toInt(), source.points);
                QCOMPARE(q.value(6).toInt(), source.known ? 0 : 1);
                QCOMPARE(q.value(7).toString(), source.image);
            }
        }
        QVERIFY(!q.next());
    }

    void picturesCopied()
    {
        const QStringList names = QDir(kDataDir + QStringLiteral("/images"))
                                      .entryList({QStringLiteral("*.png")}, QDir::Files);
        QVERIFY(names.size() >= 3);
        for (const QString &name : names)
            QCOMPARE(readFile(m_images + QLatin1Char('/') + name),
                     readFile(kDataDir + QStringLiteral("/images/") + name));
    }

    void settingsRow()
    {
        QSqlQuery q(m_db->db());
        QVERIFY(
            q.exec(QStringLiteral("select per_num, display_answer, next_time, test_time, joke_flag "
                                  "from run_record")));
        QVERIFY(q.next());
        QCOMPARE(q.value(0).toInt(), 50);
        QCOMPARE(q.value(1).toInt(), 1);
        QCOMPARE(q.value(2).toInt(), 15);
        QCOMPARE(q.value(3).toInt(), 90);
        QCOMPARE(q.value(4).toInt(), 0);
        QVERIFY(!q.next());
    }

    void passwordRow()
    {
        QCOMPARE(m_db->count(QStringLiteral("select count(*) from reg")), 1);
        QCOMPARE(m_db->value(QStringLiteral("select pass from reg where flag='999'")).toString(),
                 encodePassword(QStringLiteral("drillbay")));
        QCOMPARE(encodePassword(SampleBuilder::initialPassword()),
                 QStringLiteral("50465D585856554D"));
    }

    void jokesDecode()
    {
        QStringList lines;
        for (const QString &line :
             QString::fromUtf8(readFile(kDataDir + QStringLiteral("/jokes.txt")))
                 .split(QLatin1Char('\n'))) {
            if (!line.trimmed().isEmpty() && !line.trimmed().startsWith(QLatin1Char('#')))
                lines << line.trimmed();
        }
        QVERIFY(lines.size() >= 12);
        QSqlQuery q(m_db->db());
        QVERIFY(q.exec(QStringLiteral("select word from joke order by rowid")));
        int n = 0;
        while (q.next()) {
            const QByteArray stored = q.value(0).toString().toLatin1();
            const QString joke = gbk::decode(QByteArray(uncode(stored.constData())));
            QVERIFY(!joke.isEmpty());
            QVERIFY(n < lines.size());
            QCOMPARE(joke, lines.at(n));
            ++n;
        }
        QCOMPARE(n, lines.size());
    }

    void documentsAreRtf()
    {
        const QStringList files =
            QDir(kDataDir + QStringLiteral("/docs"))
                .entryList({QStringLiteral("*.txt")}, QDir::Files, QDir::Name);
        QCOMPARE(m_db->count(QStringLiteral("select count(*) from help")), files.size());
        QSqlQuery q(m_db->db());
        QVERIFY(q.exec(QStringLiteral("select title, data, flag from help order by id")));
        int n = 0;
        while (q.next()) {
            QCOMPARE(q.value(0).toString(), QFileInfo(files.at(n)).completeBaseName());
            const QByteArray data = q.value(1).toByteArray();
            QVERIFY(data.startsWith("{\\rtf"));
            QVERIFY(data.trimmed().endsWith('}'));
            QCOMPARE(q.value(2).toString(), QStringLiteral("3"));
            ++n;
        }
    }

    void noDrawsNoLog()
    {
        QCOMPARE(m_db->count(QStringLiteral("select count(*) from rand_num")), 0);
        QCOMPARE(m_db->count(QStringLiteral("select count(*) from log")), 0);
    }

    // ---- the generator's rules ----

    void existingOutputIsKept()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("examination.mdb"));
        writeFile(path, "not a database, keep me");
        const QString images = dir.filePath(QStringLiteral("pictures"));
        const SampleBuilder::Report report = SampleBuilder::build({path, kDataDir, images});
        QVERIFY(report.skipped);
        QCOMPARE(readFile(path), QByteArray("not a database, keep me"));
        // The pictures are copied all the same, and only when they differ.
        QVERIFY(!report.imagesCopied.isEmpty());
        const QString first = report.imagesCopied.first();
        QVERIFY(SampleBuilder::build({path, kDataDir, images}).imagesCopied.isEmpty());
        writeFile(images + QLatin1Char('/') + first, "changed");
        QCOMPARE(SampleBuilder::build({path, kDataDir, images}).imagesCopied, QStringList{first});
        QCOMPARE(readFile(images + QLatin1Char('/') + first),
                 readFile(kDataDir + QStringLiteral("/images/") + first));
    }

    void refusedSourcesLeaveNoFile()
    {
        QTemporaryDir dir;
        const QString data = dir.filePath(QStringLiteral("data"));
        QVERIFY(QDir().mkpath(data));
        QVERIFY(QFile::copy(kDataDir + QStringLiteral("/schema.sql"),
                            data + QStringLiteral("/schema.sql")));
        writeFile(
            data + QStringLiteral("/banks/01-bad.txt"),
            (kGoodHead + QStringLiteral("Q 单选 2\n题干\nA 甲\nB 乙\nC 丙\nD 丁\n= E\n")).toUtf8());
        const QString path = dir.filePath(QStringLiteral("out/examination.mdb"));
        try {
            SampleBuilder::build({path, data, QString()});
            QFAIL("a bad source was accepted");
        } catch (const DataError &error) {
            QVERIFY2(error.message().contains(QStringLiteral("01-bad.txt:9:")),
                     qPrintable(error.message()));
        }
        QVERIFY(!QFileInfo::exists(path));
        QVERIFY(!QFileInfo::exists(path + QStringLiteral(".part")));
    }

    void smallDataFolderBuilds()
    {
        QTemporaryDir dir;
        const QString data = dir.filePath(QStringLiteral("data"));
        QVERIFY(QDir().mkpath(data + QStringLiteral("/images")));
        QVERIFY(QFile::copy(kDataDir + QStringLiteral("/schema.sql"),
                            data + QStringLiteral("/schema.sql")));
        writeFile(data + QStringLiteral("/banks/a.txt"),
                  (kGoodHead +
                   QStringLiteral("Q 多选 2\n甲乙<BR>丙丁\nA 一\nB 二\nC 三\nD 四\n= DB\nKNOWN\n"
                                  "Q 判断 2\n对不对\n= 错\nCHAPTER: 空章\n"))
                      .toUtf8());
        writeFile(data + QStringLiteral("/jokes.txt"),
                  "\xEF\xBB\xBF笑话一\n\n# comment\n  笑话二  \n");
        writeFile(data + QStringLiteral("/docs/规程 {1}.txt"), "## 标题\n正文\\内容\n");
        const QString path = dir.filePath(QStringLiteral("x.mdb"));
        const SampleBuilder::Report report = SampleBuilder::build({path, data, QString()});
        QCOMPARE(report.banks, 1);
        QCOMPARE(report.chapters, 2);
        QCOMPARE(report.questions, 2);
        QCOMPARE(report.jokes, 2);
        QCOMPARE(report.documents, 1);
        Connection db(path);
        QCOMPARE(db.value(QStringLiteral("select database_name from database_name where id=7"))
                     .toString(),
                 QStringLiteral("测试题库"));
        QCOMPARE(db.count(QStringLiteral("select alltime from fenlei where 试卷名称='测试章'")),
                 30);
        QCOMPARE(db.count(QStringLiteral("select alltime from fenlei where 试卷名称='空章'")), 60);
        QCOMPARE(decodeQuestionText(
                     db.value(QStringLiteral("select 正确答案 from 考试训练题库 where 题目类型=2"))
                         .toString()),
                 QStringLiteral("24"));
        QCOMPARE(decodeQuestionText(
                     db.value(QStringLiteral("select 题目 from 考试训练题库 where 题目类型=2"))
                         .toString()),
                 QStringLiteral("甲乙<BR>丙丁"));
        QCOMPARE(db.count(QStringLiteral("select 题目选择 from 考试训练题库 where 题目类型=2")), 0);
        QCOMPARE(decodeQuestionText(
                     db.value(QStringLiteral("select 正确答案 from 考试训练题库 where 题目类型=4"))
                         .toString()),
                 QStringLiteral("0"));
        QCOMPARE(db.count(QStringLiteral("select 题目选择 from 考试训练题库 where 题目类型=4")), 1);
        const QByteArray second =
            db.value(QStringLiteral("select word from joke order by rowid limit 1 offset 1"))
                .toString()
                .toLatin1();
        QCOMPARE(gbk::decode(QByteArray(uncode(second.constData()))), QStringLiteral("笑话二"));
        QCOMPARE(db.value(QStringLiteral("select title from help")).toString(),
                 QStringLiteral("规程 {1}"));
        const QByteArray rtf = db.value(QStringLiteral("select data from help")).toByteArray();
        QCOMPARE(rtf, RtfWriter::toRtf(QStringLiteral("## 标题\n正文\\内容\n")));
    }

    void rtfEscapes()
    {
        // 标 U+6807 = 26631; 题 U+9898 = 39064, written signed: 39064 - 65536 = -26472.
        const QByteArray rtf = RtfWriter::toRtf(QStringLiteral("## 标题\n{a}\\b\n\n"));
        QVERIFY(rtf.startsWith("{\\rtf1"));
        QVERIFY(rtf.contains("{\\f1\\b\\fs30 \\u26631?\\u-26472?}\\par\n"));
        QVERIFY(rtf.contains("\\{a\\}\\\\b\\par\n"));
        QVERIFY(rtf.endsWith("}\n"));
        for (char c : rtf)
            QVERIFY(static_cast<unsigned char>(c) < 0x80);
        // Characters beyond the basic plane go as two surrogate halves.
        QCOMPARE(RtfWriter::escape(QString::fromUcs4(U"\U0001F600")),
                 QByteArray("\\u-10179?\\u-8704?"));
    }

    void badSourceLinesAreRefused_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("line");
        QTest::addColumn<QString>("fragment");
        const QString choice = QStringLiteral("Q 单选 2\n题干\nA 甲\nB 乙\nC 丙\nD 丁\n");
        // kGoodHead is two lines: the Q line of a question right after it is line 3.
        QTest::newRow("unknown type") << kGoodHead + QStringLiteral("Q 单项 2\n题干\n= A\n") << 3
                                      << QStringLiteral("unknown question type");
        QTest::newRow("missing answer")
            << kGoodHead + choice + QStringLiteral("Q 判断 2\n题干二\n= 对\n") << 3
            << QStringLiteral("no answer");
        QTest::newRow("missing answer at end")
            << kGoodHead + choice << 3 << QStringLiteral("no answer");
        QTest::newRow("three options")
            << kGoodHead + QStringLiteral("Q 单选 2\n题干\nA 甲\nB 乙\nC 丙\n= A\n") << 3
            << QStringLiteral("four options");
        QTest::newRow("answer letter out of range") << kGoodHead + choice + QStringLiteral("= E\n")
                                                    << 9 << QStringLiteral("one letter A-D");
        QTest::newRow("多选 with one letter")
            << kGoodHead + QStringLiteral("Q 多选 2\n题干\nA 甲\nB 乙\nC 丙\nD 丁\n= C\n") << 9
            << QStringLiteral("at least two");
        QTest::newRow("多选 letter twice")
            << kGoodHead + QStringLiteral("Q 多选 2\n题干\nA 甲\nB 乙\nC 丙\nD 丁\n= ACA\n") << 9
            << QStringLiteral("twice");
        QTest::newRow("判断 answer") << kGoodHead + QStringLiteral("Q 判断 2\n题干\n= 是\n") << 5
                                     << QStringLiteral("对 or 错");
        QTest::newRow("options for 判断")
            << kGoodHead + QStringLiteral("Q 判断 2\n题干\nA 对\n= 对\n") << 5
            << QStringLiteral("单选 and 多选 only");
        QTest::newRow("options out of order")
            << kGoodHead + QStringLiteral("Q 单选 2\n题干\nA 甲\nC 丙\n") << 6
            << QStringLiteral("out of order");
        QTest::newRow("empty option")
            << kGoodHead + QStringLiteral("Q 单选 2\n题干\nA\n") << 5 << QStringLiteral("empty");
        QTest::newRow("missing stem") << kGoodHead + QStringLiteral("Q 单选 2\nA 甲\n") << 4
                                      << QStringLiteral("stem is missing");
        QTest::newRow("no stem at end")
            << kGoodHead + QStringLiteral("Q 填空 2\n") << 3 << QStringLiteral("no stem");
        QTest::newRow("second answer") << kGoodHead + QStringLiteral("Q 填空 2\n题干\n= 甲\n= 乙\n")
                                       << 6 << QStringLiteral("second answer");
        QTest::newRow("GBK cannot represent the stem")
            << kGoodHead + QStringLiteral("Q 填空 2\n한국어 题干\n= 甲\n") << 4
            << QStringLiteral("GBK");
        QTest::newRow("duplicate chapter in another bank")
            << kGoodHead + QStringLiteral("BANK: 8 | 另一题库 | off\nCHAPTER: 测试章\n") << 4
            << QStringLiteral("duplicate chapter");
        QTest::newRow("duplicate bank id")
            << kGoodHead + QStringLiteral("BANK: 7 | 另一题库 | on\n") << 3
            << QStringLiteral("bank id 7");
        QTest::newRow("chapter before bank") << QStringLiteral("# x\nCHAPTER: 章\n") << 2
                                             << QStringLiteral("before the file's BANK");
        QTest::newRow("question before chapter")
            << QStringLiteral("BANK: 7 | 测试题库 | on\n\nQ 判断 2\n") << 3
            << QStringLiteral("before the bank's first");
        QTest::newRow("bank status") << QStringLiteral("BANK: 7 | 测试题库 | maybe\n") << 1
                                     << QStringLiteral("neither on nor off");
        QTest::newRow("bank id") << QStringLiteral("BANK: x | 测试题库 | on\n") << 1
                                 << QStringLiteral("positive whole number");
        QTest::newRow("chapter minutes")
            << QStringLiteral("BANK: 7 | 测试题库 | on\nCHAPTER: 章 | 0\n") << 2
            << QStringLiteral("minutes");
        QTest::newRow("chapter name too long")
            << QStringLiteral("BANK: 7 | 测试题库 | on\nCHAPTER: %1\n")
                   .arg(QString(26, QChar(0x7AE0)))
            << 2 << QStringLiteral("at most 50");
        QTest::newRow("quote in a chapter name")
            << QStringLiteral("BANK: 7 | 测试题库 | on\nCHAPTER: 章'一\n") << 2
            << QStringLiteral("single quote");
        QTest::newRow("missing points")
            << kGoodHead + QStringLiteral("Q 判断\n") << 3 << QStringLiteral("points are missing");
        QTest::newRow("bad points") << kGoodHead + QStringLiteral("Q 判断 x\n") << 3
                                    << QStringLiteral("whole number 1 ... 999");
        QTest::newRow("stem too long")
            << kGoodHead + QStringLiteral("Q 填空 2\n%1\n= 甲\n").arg(QString(501, QChar(0x7532)))
            << 4 << QStringLiteral("at most 1000");
        QTest::newRow("unrecognized line")
            << kGoodHead + QStringLiteral("Q 填空 2\n题干\n答案：甲\n") << 5
            << QStringLiteral("unrecognized line");
        QTest::newRow("KNOWN outside a question")
            << kGoodHead + QStringLiteral("KNOWN\n") << 3 << QStringLiteral("outside a question");
        QTest::newRow("picture missing")
            << kGoodHead + QStringLiteral("Q 填空 2\n题干\n= 甲\nIMG no-such-picture.png\n") << 6
            << QStringLiteral("does not exist");
        QTest::newRow("same stem twice in a bank")
            << kGoodHead +
                   QStringLiteral("Q 填空 2\n题干\n= 甲\nCHAPTER: 另一章\nQ 填空 2\n题干\n= 乙\n")
            << 7 << QStringLiteral("same stem");
    }

    void badSourceLinesAreRefused()
    {
        QFETCH(QString, text);
        QFETCH(int, line);
        QFETCH(QString, fragment);
        const QString message = parseError(text, kDataDir + QStringLiteral("/images"));
        QVERIFY2(message.startsWith(QStringLiteral("bad.txt:%1: ").arg(line)), qPrintable(message));
        QVERIFY2(message.contains(fragment), qPrintable(message));
    }

    void goodSourceIsAccepted()
    {
        BankParser parser(kDataDir + QStringLiteral("/images"));
        parser.parseText(
            kGoodHead +
                QStringLiteral("# comment\n\nQ 单选 3\n 题干 \r\nA 甲\nB 乙\nC 丙\nD 丁\n=D\n"
                               "IMG stop_high_voltage.png\nKNOWN\nQ 论述 10\n论述题\n= 答案\n"),
            QStringLiteral("good.txt"));
        QCOMPARE(parser.questionCount(), 2);
        const SourceQuestion &q = parser.banks().first().chapters.first().questions.first();
        QCOMPARE(q.type, 1);
        QCOMPARE(q.points, 3);
        QCOMPARE(q.stem, QStringLiteral("题干"));
        QCOMPARE(q.answer, QStringLiteral("4"));
        QCOMPARE(q.image, QStringLiteral("stop_high_voltage.png"));
        QVERIFY(q.known);
        QCOMPARE(q.line, 5);
        QCOMPARE(parser.banks().first().chapters.first().minutes, 30);
    }

    // ---- the synthetic database ----

    void syntheticDatabase()
    {
        QTemporaryDir dir;
        SyntheticBuilder::Options options;
        options.output = dir.filePath(QStringLiteral("synthetic.mdb"));
        options.schemaPath = kDataDir + QStringLiteral("/schema.sql");
        options.questions = 503;
        options.chapters = 20;
        options.banks = 3;
        options.seed = 7;
        const SyntheticBuilder::Report report = SyntheticBuilder::build(options);
        QCOMPARE(report.questions, 503);
        QCOMPARE(report.chapters, 20);
        Connection db(options.output);
        QCOMPARE(db.count(QStringLiteral("select count(*) from database_name")), 3);
        QCOMPARE(db.count(QStringLiteral("select count(*) from 考试训练题库")), 503);
        QCOMPARE(db.count(QStringLiteral(
                     "select count(*) from (select 试卷分类 from 考试训练题库 group by "
                     "试卷分类 having count(distinct 题目类型)=5)")),
                 20);
        QCOMPARE(db.value(QStringLiteral("select pass from reg where flag='999'")).toString(),
                 encodePassword(QStringLiteral("drillbay")));
        QCOMPARE(db.count(QStringLiteral("select count(*) from run_record")), 1);
        QSqlQuery q(db.db());
        QVERIFY(
            q.exec(QStringLiteral("select 题目类型, 题目, 选择项1, 正确答案 from 考试训练题库")));
        while (q.next()) {
            const int type = q.value(0).toInt();
            QVERIFY(!decodeQuestionText(q.value(1).toString()).isEmpty());
            QCOMPARE(decodeQuestionText(q.value(2).toString()).isEmpty(), type > 2);
            QVERIFY(!decodeQuestionText(q.value(3).toString()).isEmpty());
        }

        // An existing file is refused unless forced.
        options.questions = 100;
        try {
            SyntheticBuilder::build(options);
            QFAIL("an existing synthetic database was overwritten");
        } catch (const DataError &error) {
            QVERIFY(error.message().contains(QStringLiteral("--force")));
        }
        options.force = true;
        QCOMPARE(SyntheticBuilder::build(options).questions, 100);
    }

    void syntheticOptionsAreChecked_data()
    {
        QTest::addColumn<int>("questions");
        QTest::addColumn<int>("chapters");
        QTest::addColumn<int>("banks");
        QTest::newRow("too few questions") << 99 << 20 << 3;
        QTest::newRow("fewer chapters than banks") << 100 << 2 << 3;
        QTest::newRow("no bank") << 100 << 2 << 0;
    }

    void syntheticOptionsAreChecked()
    {
        QFETCH(int, questions);
        QFETCH(int, chapters);
        QFETCH(int, banks);
        QTemporaryDir dir;
        SyntheticBuilder::Options options;
        options.output = dir.filePath(QStringLiteral("s.mdb"));
        options.schemaPath = kDataDir + QStringLiteral("/schema.sql");
        options.questions = questions;
        options.chapters = chapters;
        options.banks = banks;
        QVERIFY_THROWS_EXCEPTION(DataError, SyntheticBuilder::build(options));
        QVERIFY(!QFileInfo::exists(options.output));
    }
};

DRILLBAY_TEST(SampleDatabaseTest)
#include "SampleDatabaseTest.moc"
