#include "search/KeywordSearch.h"
#include "RecordingNotifier.h"
#include "TestDatabase.h"
#include "TestRegistry.h"

#include <QTest>

namespace {

struct Banks
{
    TestDatabase db;
    qint64 first = 0;
    qint64 second = 0;
    qint64 other = 0;

    Banks()
    {
        const qint64 bank = db.addBank(QStringLiteral("安规题库"));
        first = db.addChapter(bank, QStringLiteral("第一章"));
        second = db.addChapter(bank, QStringLiteral("第二章"));
        other = db.addChapter(db.addBank(QStringLiteral("别的题库")), QStringLiteral("别章"));
    }
    void add(qint64 chapter, const QString &stem, int type = 3)
    {
        db.addQuestion(chapter, type, stem, {"a", "b", "c", "d"}, QStringLiteral("1"));
    }
};

// The header lines of the listing, in order.
QStringList headers(const StyledText &lines)
{
    QStringList all;
    for (const StyledLine &line : lines) {
        if (line.text().startsWith(QStringLiteral("【")))
            all << line.text();
    }
    return all;
}

StyledText stretch(KeywordSearch &search, int rows)
{
    StyledText written;
    search.next(rows, [&written](const StyledText &lines) { written += lines; });
    return written;
}

StyledText runToEnd(KeywordSearch &search, int rows)
{
    StyledText all = search.heading();
    for (int turn = 0; search.running() && turn < 1000; ++turn)
        all += stretch(search, rows);
    return all;
}

} // namespace

class KeywordSearchTest : public QObject
{
    Q_OBJECT

private slots:
    void matches_data()
    {
        QTest::addColumn<QString>("keyword");
        QTest::addColumn<QStringList>("found"); // header lines in order

        const auto h = [](int n, const QString &stem) {
            return QStringLiteral("【%1】(填空题).%2 (本题分数:2分)")
                .arg(n, 2, 10, QLatin1Char('0'))
                .arg(stem);
        };
        QTest::newRow("plain, several chapters, stored order, other bank left out")
            << "接地" << QStringList{h(1, "装设接地线"), h(2, "装设 接地线"), h(3, "接地刀闸接地")};
        QTest::newRow("leading blank is part of the keyword")
            << " 接地" << QStringList{h(1, "装设 接地线")};
        QTest::newRow("case matters") << "abc" << QStringList{h(1, "abc小写")};
        QTest::newRow("upper case") << "ABC" << QStringList{h(1, "ABC大写")};
        QTest::newRow("line-break marker found, not shown")
            << "<BR>" << QStringList{h(1, "第一行第二行")};
        QTest::newRow("part of the marker") << "BR>" << QStringList{h(1, "第一行第二行")};
        QTest::newRow("percent sign is no wildcard") << "50%" << QStringList{h(1, "负荷50%")};
        QTest::newRow("underscore is no wildcard") << "a_c" << QStringList{};
        QTest::newRow("backslash") << "C:\\" << QStringList{h(1, "路径C:\\temp")};
        QTest::newRow("quotes") << "'\"" << QStringList{h(1, "引号'\"")};
        QTest::newRow("nothing found") << "无此词" << QStringList{};
    }
    void matches()
    {
        QFETCH(QString, keyword);
        QFETCH(QStringList, found);
        Banks b;
        b.add(b.first, QStringLiteral("装设接地线"));
        b.add(b.other, QStringLiteral("别库接地线"));
        b.add(b.second, QStringLiteral("装设 接地线"));
        b.add(b.first, QStringLiteral("接地刀闸接地"));
        b.add(b.first, QStringLiteral("abc小写"));
        b.add(b.first, QStringLiteral("ABC大写"));
        b.add(b.second, QStringLiteral("第一行<BR>第二行"));
        b.add(b.first, QStringLiteral("负荷50%"));
        b.add(b.first, QStringLiteral("路径C:\\temp"));
        b.add(b.first, QStringLiteral("引号'\""));

        RecordingNotifier notifier;
        KeywordSearch search(b.db.db(), notifier);
        QVERIFY(search.start(QStringLiteral("第二章"), keyword));
        const StyledText lines = runToEnd(search, 3);
        QCOMPARE(lines.first().text(),
                 QStringLiteral("查询关键字 [") + keyword + QStringLiteral("] 结果如下："));
        QVERIFY(lines.first().spans.first().underline);
        QCOMPARE(lines.first().spans.first().color, 0xFF0000u);
        QCOMPARE(lines.at(1).text(), QString());
        QCOMPARE(headers(lines), found);
        QCOMPARE(notifier.notices,
                 (QStringList{"当前数据库名: [安规题库]   试题总共有:[9]道  中查询.",
                              KeywordSearch::countNotice(static_cast<int>(found.size()))}));
    }

    void fiftyCharacterKeyword()
    {
        Banks b;
        const QString fifty(50, QChar(u'电'));
        b.add(b.first, fifty + QStringLiteral("尾"));
        b.add(b.first, fifty.left(49));
        RecordingNotifier notifier;
        KeywordSearch search(b.db.db(), notifier);
        QVERIFY(search.start(QStringLiteral("第一章"), fifty));
        QCOMPARE(headers(runToEnd(search, 100)).size(), 1);
        QCOMPARE(notifier.notices.last(), QStringLiteral("[软件提示]：共找到 【1】 个记录."));
    }

    void blankKeyword_data()
    {
        QTest::addColumn<QString>("keyword");
        QTest::newRow("empty") << "";
        QTest::newRow("blanks") << "   ";
        QTest::newRow("tab and newline") << "\t\n";
    }
    void blankKeyword()
    {
        QFETCH(QString, keyword);
        Banks b;
        b.add(b.first, QStringLiteral("题"));
        RecordingNotifier notifier;
        KeywordSearch search(b.db.db(), notifier);
        QVERIFY(!search.start(QStringLiteral("第一章"), keyword));
        QVERIFY(!search.running());
        QCOMPARE(notifier.notices,
                 (QStringList{"当前数据库名: [安规题库]   试题总共有:[1]道  中查询.",
                              "[软件提示]：请输入关键字"}));
    }

    void unknownChapterFindsNothing()
    {
        Banks b;
        b.add(b.first, QStringLiteral("接地"));
        RecordingNotifier notifier;
        KeywordSearch search(b.db.db(), notifier);
        QVERIFY(search.start(QStringLiteral("已删除的章"), QStringLiteral("接地")));
        QVERIFY(headers(runToEnd(search, 10)).isEmpty());
        QCOMPARE(notifier.notices, (QStringList{"当前数据库名: []   试题总共有:[0]道  中查询.",
                                                "[软件提示]：共找到 【0】 个记录."}));
    }

    void numbersRunOnAcrossStretches()
    {
        Banks b;
        for (int i = 0; i < 12; ++i)
            b.add(i % 2 ? b.first : b.second, QStringLiteral("题%1").arg(i));
        RecordingNotifier notifier;
        KeywordSearch search(b.db.db(), notifier);
        QVERIFY(search.start(QStringLiteral("第一章"), QStringLiteral("题")));
        StyledText first = stretch(search, 5);
        QCOMPARE(headers(first).size(), 5);
        QCOMPARE(notifier.notices.size(), 1); // the count comes when the pass ends
        const QStringList all = headers(first + runToEnd(search, 5));
        QCOMPARE(all.size(), 12);
        QVERIFY(all.at(8).startsWith(QStringLiteral("【09】(填空题).题8")));
        QVERIFY(all.at(11).startsWith(QStringLiteral("【12】(填空题).题11")));
        QCOMPARE(search.hits(), 12);
    }

    // A stretch ends at its row limit or once it found the most hits it may
    // write; the pass goes on after the last question read, so no hit is
    // lost or written twice.
    void stretchEndsAtItsHitCap_data()
    {
        QTest::addColumn<int>("rows");
        QTest::addColumn<int>("maxHits");
        QTest::addColumn<QList<int>>("perStretch"); // hits written by each stretch
        QTest::newRow("cap below a stretch's hits") << 10 << 2 << QList<int>{2, 2, 1};
        QTest::newRow("cap above every hit") << 10 << 100 << QList<int>{5};
        QTest::newRow("row limit before the cap") << 3 << 100 << QList<int>{2, 2, 1};
        QTest::newRow("cap of one, last hit on the last row")
            << 10 << 1 << QList<int>{1, 1, 1, 1, 1, 0};
    }
    void stretchEndsAtItsHitCap()
    {
        QFETCH(int, rows);
        QFETCH(int, maxHits);
        QFETCH(QList<int>, perStretch);
        Banks b;
        for (const char *stem : {"题一", "别", "题二", "题三", "题四", "别", "题五"})
            b.add(b.first, QString::fromUtf8(stem));
        RecordingNotifier notifier;
        KeywordSearch search(b.db.db(), notifier);
        QVERIFY(search.start(QStringLiteral("第一章"), QStringLiteral("题")));
        QList<int> written;
        QStringList all;
        for (int turn = 0; search.running() && turn < 20; ++turn) {
            StyledText lines;
            search.next(
                rows, [&lines](const StyledText &block) { lines += block; }, maxHits);
            written << static_cast<int>(headers(lines).size());
            all += headers(lines);
            QCOMPARE(notifier.notices.size(), search.running() ? 1 : 2);
        }
        QCOMPARE(written, perStretch);
        QCOMPARE(all.size(), 5);
        for (int i = 0; i < all.size(); ++i)
            QVERIFY2(all.at(i).startsWith(QStringLiteral("【0%1】(填空题).题").arg(i + 1)),
                     qPrintable(all.at(i)));
        QCOMPARE(notifier.notices.last(), KeywordSearch::countNotice(5));
    }

    void stoppedPassWritesNothingMore()
    {
        Banks b;
        for (int i = 0; i < 6; ++i)
            b.add(b.first, QStringLiteral("题"));
        RecordingNotifier notifier;
        KeywordSearch search(b.db.db(), notifier);
        QVERIFY(search.start(QStringLiteral("第一章"), QStringLiteral("题")));
        QCOMPARE(headers(stretch(search, 2)).size(), 2);
        search.stop();
        QVERIFY(stretch(search, 2).isEmpty());
        QCOMPARE(notifier.notices.size(), 1);
    }

    void failedReadEndsThePassWithANotice()
    {
        Banks b;
        b.add(b.first, QStringLiteral("题"));
        RecordingNotifier notifier;
        KeywordSearch search(b.db.db(), notifier);
        QVERIFY(search.start(QStringLiteral("第一章"), QStringLiteral("题")));
        b.db.exec(QStringLiteral("ALTER TABLE 考试训练题库 RENAME TO gone"));
        QVERIFY(stretch(search, 10).isEmpty());
        QVERIFY(!search.running());
        QVERIFY(notifier.notices.last().startsWith(QStringLiteral("[软件提示]：读取题库失败")));
    }
};

DRILLBAY_TEST(KeywordSearchTest)
#include "KeywordSearchTest.moc"
