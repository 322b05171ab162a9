#include "exam/ReviewActions.h"
#include "RecordingClipboard.h"
#include "RecordingNotifier.h"
#include "TestRegistry.h"
#include "base/GbkText.h"
#include "base/TextFileWriter.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

namespace {

// Runs the test in a fresh current directory and returns to the old one.
class InTemporaryDir
{
public:
    InTemporaryDir() : m_old(QDir::currentPath()) { QDir::setCurrent(m_dir.path()); }
    ~InTemporaryDir() { QDir::setCurrent(m_old); }
    QString path() const { return m_dir.path(); }

private:
    QTemporaryDir m_dir;
    QString m_old;
};

QByteArray contents(const QString &name)
{
    QFile file(name);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
}

StyledText review()
{
    StyledSpan a;
    a.text = QStringLiteral("【01】(判断题).题干 (本题分数:2分)");
    StyledSpan b;
    b.text = QStringLiteral("答案判定:  √得分:2");
    return {StyledLine{{a}}, StyledLine{}, StyledLine{{b}}};
}

} // namespace

class ReviewActionsTest : public QObject
{
    Q_OBJECT

private slots:
    void fileName_data()
    {
        QTest::addColumn<int>("setIndex");
        QTest::addColumn<QString>("name");
        QTest::newRow("0") << 0 << "NO00.txt";
        QTest::newRow("3") << 3 << "NO03.txt";
        QTest::newRow("12") << 12 << "NO12.txt";
    }
    void fileName()
    {
        QFETCH(int, setIndex);
        QFETCH(QString, name);
        QCOMPARE(ReviewActions::fileName(setIndex), name);
    }

    void writerAppendsGbk()
    {
        InTemporaryDir dir;
        QVERIFY(TextFileWriter::append(QStringLiteral("a.txt"), QStringLiteral("√甲\r\n")));
        QVERIFY(TextFileWriter::append(QStringLiteral("a.txt"), QStringLiteral("x")));
        QCOMPARE(contents(QStringLiteral("a.txt")), QByteArray("\xA1\xCC\xBC\xD7\r\nx"));
        QVERIFY(QFile::exists(QDir(dir.path()).filePath(QStringLiteral("a.txt"))));
    }

    void writerKeepsExistingContent()
    {
        InTemporaryDir dir;
        {
            QFile file(QStringLiteral("old.txt"));
            QVERIFY(file.open(QIODevice::WriteOnly));
            file.write("kept\r\n");
        }
        QVERIFY(TextFileWriter::append(QStringLiteral("old.txt"), QString()));
        QVERIFY(TextFileWriter::append(QStringLiteral("old.txt"), QStringLiteral("new")));
        QCOMPARE(contents(QStringLiteral("old.txt")), QByteArray("kept\r\nnew"));
    }

    void writerRefusesUnwritable_data()
    {
        QTest::addColumn<QString>("name");
        QTest::newRow("missing folder") << "no/such/folder/x.txt";
        QTest::newRow("a folder") << "folder";
        QTest::newRow("no name") << "";
    }
    void writerRefusesUnwritable()
    {
        QFETCH(QString, name);
        InTemporaryDir dir;
        QDir(dir.path()).mkdir(QStringLiteral("folder"));
        QVERIFY(!TextFileWriter::append(name, QStringLiteral("x")));
    }

    void saveTwiceAppendsBothCopies()
    {
        InTemporaryDir dir;
        RecordingClipboard clipboard;
        RecordingNotifier notifier;
        ReviewActions actions(clipboard, notifier);
        QVERIFY(actions.save(review(), 3));
        QVERIFY(actions.save(review(), 3));
        const QByteArray one = gbk::encode(
            QStringLiteral("【01】(判断题).题干 (本题分数:2分)\r\n\r\n答案判定:  √得分:2\r\n"));
        QCOMPARE(contents(QStringLiteral("NO03.txt")), one + one);
        QCOMPARE(QDir(dir.path()).entryList(QDir::Files), QStringList{"NO03.txt"});
        const QString notice =
            QStringLiteral("[软件提示]：本页数据已经存到当前目录下，文件名是：NO03.txt");
        QCOMPARE(notifier.notices, (QStringList{notice, notice}));
    }

    void saveSaysWhenCharactersWereReplaced()
    {
        InTemporaryDir dir;
        RecordingClipboard clipboard;
        RecordingNotifier notifier;
        ReviewActions actions(clipboard, notifier);
        StyledText lines{StyledLine{{StyledSpan{QStringLiteral("你的答案:接地\U0001F600")}}}};
        QVERIFY(actions.save(lines, 0));
        QCOMPARE(contents(QStringLiteral("NO00.txt")),
                 gbk::encode(QStringLiteral("你的答案:接地?\r\n")));
        QCOMPARE(notifier.notices.size(), 1);
        QVERIFY(notifier.notices.first().startsWith(
            QStringLiteral("[软件提示]：本页数据已经存到当前目录下，文件名是：NO00.txt")));
        QVERIFY(notifier.notices.first().contains(QStringLiteral("无法表示的字符")));
    }

    void saveFailureIsReported()
    {
        InTemporaryDir dir;
        QDir(dir.path()).mkdir(QStringLiteral("NO05.txt"));
        RecordingClipboard clipboard;
        RecordingNotifier notifier;
        ReviewActions actions(clipboard, notifier);
        QVERIFY(!actions.save(review(), 5));
        QCOMPARE(notifier.notices.size(), 1);
        QVERIFY(notifier.notices.first().contains(QStringLiteral("NO05.txt")));
        QVERIFY(!notifier.notices.first().contains(QStringLiteral("已经存到")));
    }

    void copy_data()
    {
        QTest::addColumn<bool>("writable");
        QTest::addColumn<QString>("notice");
        QTest::newRow("copied")
            << true << "[软件提示]：本页数据已经复制到剪切板，你可以将其粘贴到文本文件中留后查看。";
        QTest::newRow("clipboard refuses")
            << false << "[软件提示]：剪切板无法写入，本页数据没有复制。";
    }
    void copy()
    {
        QFETCH(bool, writable);
        QFETCH(QString, notice);
        RecordingClipboard clipboard;
        clipboard.writable = writable;
        RecordingNotifier notifier;
        ReviewActions actions(clipboard, notifier);
        QCOMPARE(actions.copy(review()), writable);
        QCOMPARE(notifier.notices, QStringList{notice});
        QCOMPARE(clipboard.text,
                 writable
                     ? QStringLiteral("【01】(判断题).题干 (本题分数:2分)\n\n答案判定:  √得分:2")
                     : QString());
    }
};

DRILLBAY_TEST(ReviewActionsTest)
#include "ReviewActionsTest.moc"
