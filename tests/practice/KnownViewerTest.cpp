#include "ExamTestQuestions.h"
#include "RecordingNotifier.h"
#include "TestDatabase.h"
#include "TestRegistry.h"

#include "practice/KnownQuestions.h"
#include "practice/KnownViewer.h"
#include "question/QuestionType.h"
#include "store/Sql.h"

#include <QSignalSpy>
#include <QTest>

namespace {

const QString kChapter = QStringLiteral("第一章 变电");
const QString kOther = QStringLiteral("第二章 线路");

// A chapter with five questions, the 2nd, 3rd and 5th known, and a second
// chapter of the same bank with one known question.
struct Viewer
{
    Viewer() : known(db.db(), notifier), viewer(known, [this] { return chapter; })
    {
        const qint64 bank = db.addBank(QStringLiteral("变电安规"));
        const qint64 first = db.addChapter(bank, kChapter);
        const qint64 second = db.addChapter(bank, kOther);
        const QStringList options = sampleOptions();
        for (const QuestionType questionType : question::allTypes()) {
            const int i = question::code(questionType);
            const bool toPractise = i == 1 || i == 4;
            ids << db.addQuestion(first, i, QStringLiteral("题%1").arg(i), options,
                                  i == 4 ? QStringLiteral("1") : QStringLiteral("2"), 2,
                                  toPractise);
        }
        otherId = db.addQuestion(second, 1, QStringLiteral("线路"), options, QStringLiteral("1"), 2,
                                 false);
    }
    QStringList gridIds() const
    {
        QStringList out;
        for (const known::GridRow &row : viewer.display().rows)
            out << row.id;
        return out;
    }
    bool toPractise(qint64 id) const
    {
        return sql::scalar(db.db(),
                           QStringLiteral("select 题目选择 from 考试训练题库 where id = ?"),
                           {id}) != 0;
    }

    TestDatabase db;
    RecordingNotifier notifier;
    KnownQuestions known;
    QString chapter = kChapter;
    KnownViewer viewer;
    QList<qint64> ids;
    qint64 otherId = 0;
};

QString idText(qint64 id)
{
    return QString::number(id);
}

} // namespace

class KnownViewerTest : public QObject
{
    Q_OBJECT

private slots:
    void fillListsTheChapterKnown()
    {
        Viewer v;
        QSignalSpy changed(&v.viewer, &KnownViewer::changed);
        v.viewer.fill();
        QCOMPARE(changed.count(), 1);
        QCOMPARE(v.viewer.display().countLabel, QStringLiteral("会做的试题数:3  【第一章 变电】"));
        QCOMPARE(v.gridIds(), (QStringList{idText(v.ids[1]), idText(v.ids[2]), idText(v.ids[4])}));
        QCOMPARE(v.viewer.display().rows.at(0).type, QStringLiteral("多选"));
        QCOMPARE(v.viewer.display().rows.at(0).answer, QStringLiteral("B"));
        QCOMPARE(v.viewer.display().rows.at(1).answer, QString()); // fill-in
        // A later mark shows only after the next fill.
        v.db.exec(QStringLiteral("update 考试训练题库 set 题目选择 = 0"));
        QCOMPARE(v.viewer.display().rows.size(), 3);
        v.viewer.fill();
        QCOMPARE(v.viewer.display().rows.size(), 5);
    }

    void clicks_data()
    {
        QTest::addColumn<QString>("chapter");
        QTest::addColumn<int>("row");
        QTest::addColumn<bool>("shown");
        QTest::addColumn<QString>("header");
        QTest::newRow("first row") << kChapter << 0 << true << "01.多项选择题";
        QTest::newRow("third row") << kChapter << 2 << true << "03.论述题";
        QTest::newRow("beyond the rows") << kChapter << 3 << false << "";
        QTest::newRow("negative") << kChapter << -1 << false << "";
        // A chapter without known questions has one empty row.
        QTest::newRow("empty row") << "没有这一章" << 0 << false << "";
    }
    void clicks()
    {
        QFETCH(QString, chapter);
        QFETCH(int, row);
        QFETCH(bool, shown);
        QFETCH(QString, header);
        Viewer v;
        v.chapter = chapter;
        v.viewer.fill();
        const int serial = v.viewer.display().detailSerial;
        v.viewer.clickRow(row);
        if (!shown) {
            QCOMPARE(v.viewer.display().detailSerial, serial);
            QVERIFY(v.viewer.selectedId().isEmpty());
            return;
        }
        QCOMPARE(v.viewer.selectedId(), v.viewer.display().rows.at(row).id);
        QCOMPARE(v.viewer.display().detail.first().text(), header);
        QCOMPARE(v.viewer.display().detail.size() > 2, true);
    }

    void clickOnAQuestionDeletedMeanwhile()
    {
        Viewer v;
        v.viewer.fill();
        v.db.exec(QStringLiteral("delete from 考试训练题库 where id = %1").arg(v.ids[1]));
        v.viewer.clickRow(0);
        QCOMPARE(v.viewer.selectedId(), idText(v.ids[1]));
        QCOMPARE(v.viewer.display().detail, known::missingDetail());
        // Restoring it says it is gone; the figure does not change.
        QSignalSpy figure(&v.viewer, &KnownViewer::figureChanged);
        v.viewer.restoreOne();
        QCOMPARE(v.notifier.notices, QStringList{KnownQuestions::kMissingNotice});
        QCOMPARE(figure.count(), 0);
    }

    void restoreOne()
    {
        Viewer v;
        QSignalSpy figure(&v.viewer, &KnownViewer::figureChanged);
        v.viewer.fill();
        v.viewer.restoreOne();
        QCOMPARE(v.notifier.notices, QStringList{KnownQuestions::kNothingChosenNotice});
        QCOMPARE(figure.count(), 0);

        v.viewer.clickRow(1);
        v.viewer.restoreOne();
        QVERIFY(v.toPractise(v.ids[2]));
        QCOMPARE(v.viewer.display().countLabel, QStringLiteral("会做的试题数:2  【第一章 变电】"));
        QCOMPARE(v.gridIds(), (QStringList{idText(v.ids[1]), idText(v.ids[4])}));
        QCOMPARE(figure.count(), 1);
        QCOMPARE(figure.at(0).at(0).toString(), QStringLiteral("2:5"));
        // The chosen id stays until another row is clicked.
        QCOMPARE(v.viewer.selectedId(), idText(v.ids[2]));
        QCOMPARE(v.notifier.notices.size(), 1);
    }

    void restoreAllTakesTheChapterOnly()
    {
        Viewer v;
        QSignalSpy figure(&v.viewer, &KnownViewer::figureChanged);
        v.viewer.fill();
        v.viewer.restoreAll();
        QCOMPARE(v.viewer.display().countLabel, QStringLiteral("会做的试题数:0  【第一章 变电】"));
        QCOMPARE(v.gridIds(), QStringList{QString()});
        QCOMPARE(figure.count(), 1);
        QCOMPARE(figure.at(0).at(0).toString(), QStringLiteral("0:5"));
        QVERIFY(!v.toPractise(v.otherId));
        QVERIFY(v.notifier.notices.isEmpty());
    }

    // A restore that is not written: its notice, the grid as it was, no figure.
    void failedRestoreKeepsEverything_data()
    {
        QTest::addColumn<bool>("all");
        QTest::newRow("恢复此题") << false;
        QTest::newRow("全部恢复") << true;
    }
    void failedRestoreKeepsEverything()
    {
        QFETCH(bool, all);
        Viewer v;
        QSignalSpy figure(&v.viewer, &KnownViewer::figureChanged);
        v.viewer.fill();
        v.viewer.clickRow(0);
        v.db.refuseWrites(QStringLiteral("update"), QStringLiteral("考试训练题库"),
                          QStringLiteral("disk full"));
        const int serial = v.viewer.display().rowsSerial;
        all ? v.viewer.restoreAll() : v.viewer.restoreOne();
        QCOMPARE(v.notifier.notices, QStringList{KnownQuestions::notRestoredNotice(
                                         TestDatabase::refusal(QStringLiteral("disk full")))});
        QCOMPARE(v.viewer.display().rowsSerial, serial);
        QCOMPARE(v.viewer.display().rows.size(), 3);
        QCOMPARE(figure.count(), 0);
        QVERIFY(!v.toPractise(v.ids[1]));
    }
};

DRILLBAY_TEST(KnownViewerTest)
#include "KnownViewerTest.moc"
