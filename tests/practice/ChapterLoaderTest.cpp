#include "TestDatabase.h"
#include "TestRegistry.h"

#include "practice/ChapterLoader.h"

#include <QTest>

namespace {

// The value of a column of the current data row, usable inside an expression.
template <typename T> T fetched(const char *name)
{
    return *static_cast<T *>(QTest::qData(name, qMetaTypeId<T>()));
}

const QString kChapter = QStringLiteral("第一章 总则");

// A bank with one chapter of `toPractise` single-choice questions still to
// practise and `known` marked as known.
void fill(TestDatabase &db, int toPractise, int known = 0, int type = 1)
{
    const int bank = db.addBank(QStringLiteral("变电安规"));
    const int chapter = db.addChapter(bank, kChapter);
    db.exec(QStringLiteral("begin"));
    for (int i = 0; i < toPractise + known; ++i)
        db.addQuestion(chapter, type, QStringLiteral("题%1").arg(i), {}, QStringLiteral("1"), 2,
                       i < toPractise);
    db.exec(QStringLiteral("commit"));
}

} // namespace

class ChapterLoaderTest : public QObject
{
    Q_OBJECT

private slots:
    void division_data()
    {
        QTest::addColumn<int>("toPractise");
        QTest::addColumn<int>("setSizeField");
        QTest::addColumn<int>("setSize");
        QTest::addColumn<int>("setCount");
        QTest::addColumn<QStringList>("firstItems");
        QTest::addColumn<QString>("lastItem");

        QTest::newRow("two full sets")
            << 100 << 50 << 50 << 2 << QStringList{QStringLiteral("本章第【01】套试卷50道试题")}
            << QStringLiteral("本章第【02】套试卷50道试题");
        QTest::newRow("fewer than a set")
            << 7 << 50 << 7 << 1 << QStringList{} << QStringLiteral("本章第【01】套试卷7道试题");
        QTest::newRow("short last set")
            << 57 << 50 << 50 << 2 << QStringList{QStringLiteral("本章第【01】套试卷50道试题")}
            << QStringLiteral("本章第【02】套试卷07道试题");
        QTest::newRow("99 sets keep two digits")
            << 99 << 1 << 1 << 99 << QStringList{QStringLiteral("本章第【01】套试卷1道试题")}
            << QStringLiteral("本章第【99】套试卷1道试题");
        QTest::newRow("150 sets use three digits")
            << 150 << 1 << 1 << 150 << QStringList{QStringLiteral("本章第【001】套试卷1道试题")}
            << QStringLiteral("本章第【150】套试卷1道试题");
    }
    void division()
    {
        QFETCH(int, setCount);
        TestDatabase db;
        fill(db, fetched<int>("toPractise"));
        const ChapterLoader::Result r =
            ChapterLoader(db.db()).load(kChapter, 0, fetched<int>("setSizeField"));
        QVERIFY(r.ok);
        QCOMPARE(r.setSize, fetched<int>("setSize"));
        QCOMPARE(r.setCount, setCount);
        QCOMPARE(r.setItems.size(), setCount);
        const QStringList first = fetched<QStringList>("firstItems");
        QCOMPARE(r.setItems.mid(0, first.size()), first);
        QCOMPARE(r.setItems.last(), fetched<QString>("lastItem"));
        // Row i names set i + 1, and sorting the texts keeps that order.
        for (int i = 0; i < r.setItems.size(); ++i)
            QCOMPARE(ChapterLoader::setNumberOfItem(r.setItems.at(i)), i + 1);
        QStringList sorted = r.setItems;
        sorted.sort();
        QCOMPARE(sorted, r.setItems);
    }

    void chapterPageTexts()
    {
        TestDatabase db;
        fill(db, 7, 3);
        const int other = db.addChapter(1, QStringLiteral("第二章"));
        db.addQuestion(other, 1, QStringLiteral("另"), {}, QStringLiteral("1"), 2, false);
        const ChapterLoader::Result r = ChapterLoader(db.db()).load(kChapter, 0, 50);
        QVERIFY(r.ok);
        QCOMPARE(r.bankChapterLine, QStringLiteral("题库:[变电安规]  当前章节:[第一章 总则]"));
        QCOMPARE(r.setInfoLine,
                 QStringLiteral("试题总共有:【10】道  会做的题有:【3】道   要练习的题有:【7】道  "
                                "分割成：【1】套试卷"));
        // The known figure and the level count the whole bank.
        QCOMPARE(r.knownFigure, QStringLiteral("4/11"));
        QVERIFY(r.levelLine.endsWith(QStringLiteral("   4:11")));
        QVERIFY(r.levelLine.contains(QStringLiteral("[技能3级]")));
        QVERIFY(r.hintLine.startsWith(QStringLiteral("提示：如果某道题会做")));
        QCOMPARE(r.restoreLinkText, QStringLiteral("将试题全部恢复到学习状态"));
    }

    void typeFilter()
    {
        TestDatabase db;
        fill(db, 4, 1);
        const int chapter = 1;
        db.addQuestion(chapter, 4, QStringLiteral("判"), {}, QStringLiteral("1"));
        db.addQuestion(chapter, 4, QStringLiteral("判"), {}, QStringLiteral("0"), 2, false);
        const ChapterLoader::Result r = ChapterLoader(db.db()).load(kChapter, 4, 50);
        QVERIFY(r.ok);
        QCOMPARE(r.chapterTotal, 2);
        QCOMPARE(r.chapterToPractise, 1);
        // Bank total 7, two of them known, whatever type is practised.
        QCOMPARE(r.bankToPractise, 1);
        QCOMPARE(r.knownFigure, QStringLiteral("2/7"));
        QCOMPARE(r.levelLine, QStringLiteral("提示:你选择的是:[第一章 总则]    判断题练习"));
        QVERIFY(r.hintLine.isEmpty());
        QVERIFY(r.restoreLinkText.isEmpty());
    }

    void failures_data()
    {
        QTest::addColumn<int>("toPractise");
        QTest::addColumn<int>("known");
        QTest::addColumn<int>("typeFilter");
        QTest::addColumn<QString>("notice");
        QTest::addColumn<bool>("openPicker");
        QTest::newRow("all known")
            << 0 << 3 << 0
            << QStringLiteral("软件提示：您选择的试题章节 [第一章 总则] 中 试题数为 0 "
                              "道，无法进行考试模拟，请重新选择.\r\n"
                              "  请点击左上角章节选择旁边的“章节”")
            << true;
        QTest::newRow("no questions")
            << 0 << 0 << 0 << ChapterLoader::failureNotice(kChapter, 0) << true;
        QTest::newRow("type missing")
            << 5 << 0 << 2
            << QStringLiteral("软件提示：您选择的章节 [第一章 总则] 中 [多选题] 试题数为 0 "
                              "道，无法进行顺序练习，请重新选择.")
            << false;
        QTest::newRow("essay missing")
            << 5 << 0 << 5
            << QStringLiteral("软件提示：您选择的章节 [第一章 总则] 中 [论述题] 试题数为 0 "
                              "道，无法进行顺序练习，请重新选择.")
            << false;
    }
    void failures()
    {
        TestDatabase db;
        fill(db, fetched<int>("toPractise"), fetched<int>("known"));
        const ChapterLoader::Result r =
            ChapterLoader(db.db()).load(kChapter, fetched<int>("typeFilter"), 50);
        QVERIFY(!r.ok);
        QCOMPARE(r.notice, fetched<QString>("notice"));
        QCOMPARE(r.openPicker, fetched<bool>("openPicker"));
        QVERIFY(r.setItems.isEmpty());
    }

    void unknownChapter()
    {
        TestDatabase db;
        fill(db, 3);
        const ChapterLoader::Result r =
            ChapterLoader(db.db()).load(QStringLiteral("x' or '1'='1"), 0, 50);
        QVERIFY(!r.ok);
        QVERIFY(r.openPicker);
        QCOMPARE(r.knownFigure, QStringLiteral("0/0"));
    }

    void level_data()
    {
        QTest::addColumn<int>("known");
        QTest::addColumn<int>("total");
        QTest::addColumn<QString>("level");
        QTest::addColumn<int>("percent");
        QTest::newRow("12.5 rounds to 12") << 1 << 8 << "[技能1级]" << 12;
        QTest::newRow("all known") << 8 << 8 << "[师者]" << 100;
        QTest::newRow("nothing in the bank") << 0 << 0 << "[初级工]" << 0;
        QTest::newRow("9") << 9 << 100 << "[初级工]" << 9;
        QTest::newRow("10") << 10 << 100 << "[技能1级]" << 10;
        QTest::newRow("8.5 rounds to 8") << 17 << 200 << "[初级工]" << 8;
        QTest::newRow("9.5 rounds to 10") << 19 << 200 << "[技能1级]" << 10;
        QTest::newRow("89") << 89 << 100 << "[教授级]" << 89;
        QTest::newRow("90") << 90 << 100 << "[师者]" << 90;
        QTest::newRow("50") << 1 << 2 << "[助理工程师]" << 50;
    }
    void level()
    {
        QFETCH(int, known);
        QFETCH(int, total);
        int percent = -1;
        const QString line = ChapterLoader::levelLine(known, total, &percent);
        QVERIFY2(line.contains(fetched<QString>("level")), qPrintable(line));
        QVERIFY(line.endsWith(QStringLiteral("   %1:%2").arg(known).arg(total)));
        QCOMPARE(percent, fetched<int>("percent"));
    }
};

DRILLBAY_TEST(ChapterLoaderTest)
#include "ChapterLoaderTest.moc"
