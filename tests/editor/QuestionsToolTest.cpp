#include "SourceTree.h"
#include "TestDatabase.h"
#include "TestRegistry.h"

#include "store/QuestionTable.h"

#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

namespace {

struct Run
{
    int status = -1;
    QStringList lines;
    QString errors;
};

Run run(const QStringList &arguments)
{
    QProcess tool;
    tool.start(QStringLiteral(DRILLBAY_QUESTIONS), arguments);
    tool.waitForFinished(60000);
    Run result;
    result.status = tool.exitStatus() == QProcess::NormalExit ? tool.exitCode() : -1;
    result.lines = QString::fromUtf8(tool.readAllStandardOutput()).split(u'\n', Qt::SkipEmptyParts);
    result.errors = QString::fromUtf8(tool.readAllStandardError());
    return result;
}

QString listFile(const QString &name)
{
    return sourceTreePath(QStringLiteral("tests/editor/lists/") + name);
}

} // namespace

// drillbay_questions import and export: a line per question, the summary,
// the exit status of every failure.
class QuestionsToolTest : public QObject
{
    Q_OBJECT

    struct Fixture
    {
        TestDatabase db;
        qint64 chapter =
            db.addChapter(db.addBank(QStringLiteral("变电")), QStringLiteral("变电站安全工作规程"));
        int questions() const
        {
            return QuestionTable(db.db()).count(QuestionScope::chapter(chapter));
        }
    };

private slots:
    void dryRunStoresNothing()
    {
        Fixture f;
        const Run r =
            run({QStringLiteral("import"), f.db.path(), QStringLiteral("变电站安全工作规程"),
                 listFile(QStringLiteral("list-text-utf8.txt")), QStringLiteral("--dry-run")});
        QCOMPARE(r.status, 0);
        QCOMPARE(r.lines.size(), 205);
        QCOMPARE(r.lines.first(),
                 QStringLiteral("5\t可导入\t单选题\t工作票签发人不得兼任该项工作的（ ）。"));
        QCOMPARE(r.lines.last(),
                 QStringLiteral("共 204 道：可导入 204 道，不能导入 0 道（未导入）"));
        QCOMPARE(f.questions(), 0);
    }

    void importThenExportBack()
    {
        Fixture f;
        Run r = run({QStringLiteral("import"), f.db.path(), QStringLiteral("变电站安全工作规程"),
                     listFile(QStringLiteral("list-sheet.csv"))});
        QCOMPARE(r.status, 0);
        QCOMPARE(r.lines.last(),
                 QStringLiteral("共 204 道：可导入 204 道，不能导入 0 道；已导入 204 道"));
        QCOMPARE(f.questions(), 204);
        QTemporaryDir dir;
        const QString sheet = dir.filePath(QStringLiteral("out.xlsx"));
        r = run(
            {QStringLiteral("export"), f.db.path(), QStringLiteral("变电站安全工作规程"), sheet});
        QCOMPARE(r.status, 0);
        QCOMPARE(r.lines, QStringList{QStringLiteral("已导出 204 道试题到 ") + sheet});
        // The same questions again: every one is a duplicate now.
        r = run({QStringLiteral("import"), f.db.path(), QStringLiteral("变电站安全工作规程"), sheet,
                 QStringLiteral("--dry-run")});
        QCOMPARE(r.status, 0);
        QCOMPARE(r.lines.last(),
                 QStringLiteral("共 204 道：可导入 0 道，不能导入 204 道（未导入）"));
    }

    void failures_data()
    {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<int>("status");
        QTest::addColumn<QString>("error");
        const QString chapter = QStringLiteral("变电站安全工作规程");
        QTest::newRow("no such chapter")
            << QStringList{QStringLiteral("import"), QStringLiteral("{db}"),
                           QStringLiteral("第九章"), listFile(QStringLiteral("list-text-gbk.txt"))}
            << 1 << QStringLiteral("没有名为“第九章”的章节");
        QTest::newRow("a file that is no list")
            << QStringList{QStringLiteral("import"), QStringLiteral("{db}"), chapter,
                           listFile(QStringLiteral("bad-not-a-zip.docx"))}
            << 1 << QStringLiteral("不是有效的 Word 文档");
        QTest::newRow("a missing file")
            << QStringList{QStringLiteral("import"), QStringLiteral("{db}"), chapter,
                           QStringLiteral("/nonexistent/list.txt")}
            << 1 << QStringLiteral("无法打开文件");
        QTest::newRow("an export that cannot be written")
            << QStringList{QStringLiteral("export"), QStringLiteral("{db}"), chapter,
                           QStringLiteral("/nonexistent/folder/out.txt")}
            << 1 << QStringLiteral("试题没有导出");
        QTest::newRow("wrong arguments")
            << QStringList{QStringLiteral("import"), QStringLiteral("{db}")} << 2
            << QStringLiteral("usage");
    }
    void failures()
    {
        QFETCH(QStringList, arguments);
        QFETCH(int, status);
        QFETCH(QString, error);
        Fixture f;
        arguments.replaceInStrings(QStringLiteral("{db}"), f.db.path());
        const Run r = run(arguments);
        QCOMPARE(r.status, status);
        QVERIFY2(r.errors.contains(error), qPrintable(r.errors));
        QCOMPARE(f.questions(), 0);
    }

    void failingStoreExitsWithTheReason()
    {
        Fixture f;
        f.db.refuseWrites(QStringLiteral("insert"), QStringLiteral("考试训练题库"),
                          QStringLiteral("database or disk is full"));
        const Run r =
            run({QStringLiteral("import"), f.db.path(), QStringLiteral("变电站安全工作规程"),
                 listFile(QStringLiteral("list-word.docx"))});
        QCOMPARE(r.status, 1);
        QVERIFY2(r.errors.contains(QStringLiteral("试题没有导入")), qPrintable(r.errors));
        QCOMPARE(f.questions(), 0);
    }
};

DRILLBAY_TEST(QuestionsToolTest)
#include "QuestionsToolTest.moc"
