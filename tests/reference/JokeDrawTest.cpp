#include "RecordingNotifier.h"
#include "ScriptedRandom.h"
#include "TestDatabase.h"
#include "TestRegistry.h"

#include "base/GbkText.h"
#include "reference/JokeDraw.h"
#include "strcodec.h"

#include <QTest>

namespace {

void addJoke(TestDatabase &db, const QString &joke)
{
    const QByteArray stored(encode(gbk::encode(joke).constData()));
    db.exec(
        QStringLiteral("insert into joke (word) values ('%1')").arg(QString::fromLatin1(stored)));
}

StyledLine plain(const QString &text)
{
    return StyledLine{{StyledSpan{text}}};
}

} // namespace

class JokeDrawTest : public QObject
{
    Q_OBJECT

private slots:
    // Every joke can be drawn, the last one included.
    void drawReachesEveryJoke_data()
    {
        QTest::addColumn<int>("jokes");
        QTest::addColumn<int>("drawn");
        QTest::addColumn<QString>("joke");
        QTest::newRow("no jokes") << 0 << 0 << QString();
        QTest::newRow("one joke") << 1 << 0 << QStringLiteral("笑话一");
        QTest::newRow("two, first") << 2 << 0 << QStringLiteral("笑话一");
        QTest::newRow("two, last") << 2 << 1 << QStringLiteral("笑话二");
        QTest::newRow("three, last") << 3 << 2 << QStringLiteral("笑话三");
        QTest::newRow("source out of range") << 3 << 4 << QStringLiteral("笑话二");
    }
    void drawReachesEveryJoke()
    {
        QFETCH(int, jokes);
        QFETCH(int, drawn);
        QFETCH(QString, joke);
        TestDatabase db;
        const QStringList texts = {QStringLiteral("笑话一"), QStringLiteral("笑话二"),
                                   QStringLiteral("笑话三")};
        for (int i = 0; i < jokes; ++i)
            addJoke(db, texts.at(i));
        ScriptedRandom random;
        random.script << drawn;
        RecordingNotifier notifier;
        JokeDraw draw(db.db(), random, notifier);
        QCOMPARE(draw.next(), joke);
        QCOMPARE(random.asked, jokes == 0 ? QList<int>() : QList<int>{jokes});
        QVERIFY(notifier.notices.isEmpty());
    }

    void undecodableJokeIsEmpty()
    {
        TestDatabase db;
        db.exec(QStringLiteral("insert into joke (word) values ('not hex')"));
        ScriptedRandom random;
        RecordingNotifier notifier;
        QCOMPARE(JokeDraw(db.db(), random, notifier).next(), QString());
    }

    void unreadableJokesAreTold()
    {
        TestDatabase db;
        db.exec(QStringLiteral("drop table joke"));
        ScriptedRandom random;
        RecordingNotifier notifier;
        QCOMPARE(JokeDraw(db.db(), random, notifier).next(), QString());
        QCOMPARE(notifier.notices,
                 QStringList{QStringLiteral(
                     "[软件提示]：笑话没有读出，原因：数据文件缺少所需的数据表或数据列。")});
    }

    void pageLines_data()
    {
        QTest::addColumn<QString>("joke");
        QTest::addColumn<QStringList>("tail");
        QTest::newRow("one line") << QStringLiteral("先验电，再挂地线。")
                                  << QStringList{QStringLiteral("先验电，再挂地线。")};
        QTest::newRow("empty joke") << QString() << QStringList{QString()};
        QTest::newRow("line breaks of every kind")
            << QStringLiteral("甲\r\n乙\n丙\r丁")
            << QStringList{QStringLiteral("甲"), QStringLiteral("乙"), QStringLiteral("丙"),
                           QStringLiteral("丁")};
    }
    void pageLines()
    {
        QFETCH(QString, joke);
        QFETCH(QStringList, tail);
        StyledText expected{plain(QString()), plain(QString()),
                            plain(QStringLiteral("【每日一笑】")), plain(QString())};
        for (const QString &line : tail)
            expected << plain(line);
        QCOMPARE(JokeDraw::pageLines(joke), expected);
    }
};

DRILLBAY_TEST(JokeDrawTest)
#include "JokeDrawTest.moc"
