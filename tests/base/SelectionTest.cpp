#include "base/Selection.h"
#include "TestRegistry.h"

#include <QSignalSpy>
#include <QTest>

// The current bank and chapter tell their followers once per real change.
class SelectionTest : public QObject
{
    Q_OBJECT

private slots:
    void changeIsToldOnce_data()
    {
        QTest::addColumn<qint64>("bankId");
        QTest::addColumn<QString>("bankName");
        QTest::addColumn<QString>("chapter");
        QTest::addColumn<int>("changes");
        // The selection starts at bank 7 "安规", chapter "第一章".
        QTest::newRow("nothing differs") << qint64(7) << "安规"
                                         << "第一章" << 0;
        QTest::newRow("another bank id") << qint64(8) << "安规"
                                         << "第一章" << 1;
        QTest::newRow("a renamed bank") << qint64(7) << "安规新"
                                        << "第一章" << 1;
        QTest::newRow("no bank") << qint64(0) << ""
                                 << "第一章" << 1;
        QTest::newRow("another chapter") << qint64(7) << "安规"
                                         << "第二章" << 1;
        QTest::newRow("bank and chapter") << qint64(9) << "线路"
                                          << "第三章" << 2;
        QTest::newRow("chapter cleared") << qint64(7) << "安规"
                                         << "" << 1;
    }
    void changeIsToldOnce()
    {
        QFETCH(qint64, bankId);
        QFETCH(QString, bankName);
        QFETCH(QString, chapter);
        QFETCH(int, changes);
        Selection selection;
        selection.setBank(7, QStringLiteral("安规"));
        selection.setChapter(QStringLiteral("第一章"));
        QSignalSpy changed(&selection, &Selection::changed);

        selection.setBank(bankId, bankName);
        selection.setChapter(chapter);
        QCOMPARE(changed.count(), changes);
        QCOMPARE(selection.bankId(), bankId);
        QCOMPARE(selection.bankName(), bankName);
        QCOMPARE(selection.chapter(), chapter);
    }

    // A follower reading in its slot sees the new value already.
    void followersReadTheNewValue()
    {
        Selection selection;
        QStringList seen;
        connect(&selection, &Selection::changed, this,
                [&] { seen << selection.bankName() + QLatin1Char('/') + selection.chapter(); });
        selection.setBank(3, QStringLiteral("配电"));
        selection.setChapter(QStringLiteral("第五章"));
        QCOMPARE(seen, (QStringList{QStringLiteral("配电/"), QStringLiteral("配电/第五章")}));
    }
};

DRILLBAY_TEST(SelectionTest)
#include "SelectionTest.moc"
