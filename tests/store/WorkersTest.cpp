#include "TestDatabase.h"
#include "TestRegistry.h"

#include "base/StoreError.h"
#include "store/AnswerTallyTable.h"
#include "store/ChapterTable.h"
#include "store/Database.h"
#include "store/PracticeLogTable.h"
#include "store/QuestionTable.h"
#include "store/QuotaTable.h"
#include "store/RunHistoryTable.h"
#include "store/SettingsTable.h"
#include "store/Sql.h"
#include "store/StudySettingTable.h"
#include "store/WorkerTable.h"
#include "store/WrongBookTable.h"

#include <QTest>
#include <QUuid>
#include <functional>

namespace {

const QString kDay = QStringLiteral("2026-03-01");

// A centre's server with one bank of a chapter of four questions and a second
// connection to it, signed in as `second` (the test database's own
// connection practises as its worker "测试学员").
struct Centre
{
    explicit Centre(bool signInSecond = true)
        : connectionName(QUuid::createUuid().toString(QUuid::WithoutBraces))
    {
        bank = db.addBank(QStringLiteral("变电"));
        chapter = db.addChapter(bank, QStringLiteral("第一章"));
        for (int i = 0; i < 4; ++i)
            ids << db.addQuestion(chapter, 1, QStringLiteral("题%1").arg(i), {},
                                  QStringLiteral("1"));
        QString error;
        other = Database::openServer(db.url(), connectionName, &error);
        if (!other.isOpen())
            qFatal("second connection: %s", qPrintable(error));
        if (signInSecond) {
            second = WorkerTable(db.db()).add(QStringLiteral("第二学员"), QString(),
                                              QStringLiteral("2026-01-01T00:00:00"));
            WorkerTable::signIn(other, second);
        }
    }
    ~Centre()
    {
        other.close();
        other = QSqlDatabase();
        QSqlDatabase::removeDatabase(connectionName);
    }
    qint64 rows(const QString &table) const
    {
        return sql::scalar(db.db(), QStringLiteral("select count(*) from ") + table);
    }

    TestDatabase db;
    QString connectionName;
    QSqlDatabase other;
    qint64 second = 0;
    qint64 bank = 0;
    qint64 chapter = 0;
    QList<qint64> ids;
};

// One kind of a worker's own state: a write that leaves `n` in it, and what
// a connection reads of it.
struct OwnState
{
    std::function<void(const Centre &, const QSqlDatabase &, int n)> write;
    std::function<QString(const Centre &, const QSqlDatabase &)> read;
};

OwnState ownState(const QString &kind)
{
    if (kind == QLatin1String("known marks"))
        return {[](const Centre &c, const QSqlDatabase &db, int n) {
                    QVERIFY(QuestionTable(db).setToPractise(c.ids.at(n), false));
                },
                [](const Centre &c, const QSqlDatabase &db) {
                    QStringList known;
                    for (const QuestionRow &row :
                         QuestionTable(db).readKnown(QuestionScope::chapter(c.chapter)))
                        known << QString::number(c.ids.indexOf(row.id));
                    return known.join(QLatin1Char(','));
                }};
    if (kind == QLatin1String("practice log"))
        return {[](const Centre &, const QSqlDatabase &db, int n) {
                    PracticeLogTable(db).append(QDateTime(QDate(2026, 3, 1), QTime(9, 0)), n,
                                                QStringLiteral("[练习模式]"));
                },
                [](const Centre &, const QSqlDatabase &db) {
                    QStringList fens;
                    for (const LogRow &row : PracticeLogTable(db).newest(10))
                        fens << QString::number(row.fen);
                    return fens.join(QLatin1Char(','));
                }};
    if (kind == QLatin1String("run history"))
        return {[](const Centre &c, const QSqlDatabase &db, int n) {
                    RunHistoryRow row;
                    row.date = kDay + QStringLiteral("T09:00:00");
                    row.kind = 1;
                    row.bankId = c.bank;
                    row.chapterId = c.chapter;
                    row.percentage = n;
                    RunHistoryTable(db).append(row);
                },
                [](const Centre &, const QSqlDatabase &db) {
                    QStringList percentages;
                    for (const RunHistoryRow &row : RunHistoryTable(db).newest(10))
                        percentages << QString::number(row.percentage.value_or(-1));
                    return percentages.join(QLatin1Char(','));
                }};
    if (kind == QLatin1String("wrong-question book"))
        return {[](const Centre &c, const QSqlDatabase &db, int n) {
                    // The same question in both books: each counts its own.
                    for (int k = 0; k < n; ++k)
                        WrongBookTable(db).recordWrong(c.ids.at(0), kDay);
                    WrongBookTable(db).recordWrong(c.ids.at(n), kDay);
                },
                [](const Centre &c, const QSqlDatabase &db) {
                    QStringList entries;
                    for (const WrongBookRow &row : WrongBookTable(db).entriesOfBank(c.bank))
                        entries << QStringLiteral("%1x%2")
                                       .arg(c.ids.indexOf(row.questionId))
                                       .arg(row.timesWrong);
                    entries.sort();
                    return entries.join(QLatin1Char(','));
                }};
    if (kind == QLatin1String("answer tally"))
        return {[](const Centre &c, const QSqlDatabase &db, int n) {
                    for (int k = 0; k < n; ++k)
                        AnswerTallyTable(db).add(kDay, c.ids.at(0), 1, true);
                },
                [](const Centre &c, const QSqlDatabase &db) {
                    QStringList tallies;
                    for (const AnswerTallyTable::Tally &t :
                         AnswerTallyTable(db).ofBankSince(c.bank, kDay))
                        tallies << QStringLiteral("%1/%2").arg(t.right).arg(t.answered);
                    return tallies.join(QLatin1Char(','));
                }};
    if (kind == QLatin1String("settings"))
        return {[](const Centre &, const QSqlDatabase &db, int n) {
                    SettingsTable(db).insert(SettingsRow{n * 10, false, 5, 90, false});
                },
                [](const Centre &, const QSqlDatabase &db) {
                    const std::optional<SettingsRow> row = SettingsTable(db).read();
                    return row ? QString::number(row->setSize) : QString();
                }};
    return {[](const Centre &, const QSqlDatabase &db, int n) {
                StudySettingTable(db).store(QStringLiteral("pass_mark"), 60 + n);
            },
            [](const Centre &, const QSqlDatabase &db) {
                const std::optional<int> value =
                    StudySettingTable(db).value(QStringLiteral("pass_mark"));
                return value ? QString::number(*value) : QString();
            }};
}

const QStringList kOwnKinds = {
    QStringLiteral("known marks"),    QStringLiteral("practice log"),
    QStringLiteral("run history"),    QStringLiteral("wrong-question book"),
    QStringLiteral("answer tally"),   QStringLiteral("settings"),
    QStringLiteral("study settings"),
};

} // namespace

// Workers of one centre practise on one server: each keeps the state that is
// their own, while what the centre shares is one for all.
class WorkersTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init()
    {
        if (!TestDatabase::onServer())
            QSKIP("a data file has one implicit worker; workers share only a server");
    }

    void ownStateStaysOwn_data()
    {
        QTest::addColumn<QString>("kind");
        QTest::addColumn<QString>("first");
        QTest::addColumn<QString>("second");
        QTest::newRow("known marks") << "known marks"
                                     << "1"
                                     << "2";
        QTest::newRow("practice log") << "practice log"
                                      << "1"
                                      << "2";
        QTest::newRow("run history") << "run history"
                                     << "1"
                                     << "2";
        QTest::newRow("wrong-question book") << "wrong-question book"
                                             << "0x1,1x1"
                                             << "0x2,2x1";
        QTest::newRow("answer tally") << "answer tally"
                                      << "1/1"
                                      << "2/2";
        QTest::newRow("settings") << "settings"
                                  << "10"
                                  << "20";
        QTest::newRow("study settings") << "study settings"
                                        << "61"
                                        << "62";
    }
    void ownStateStaysOwn()
    {
        QFETCH(QString, kind);
        QFETCH(QString, first);
        QFETCH(QString, second);
        Centre centre;
        const OwnState state = ownState(kind);
        // Nothing of the first worker's shows to the second, before or after
        // the second writes the same kind.
        state.write(centre, centre.db.db(), 1);
        QCOMPARE(state.read(centre, centre.db.db()), first);
        QCOMPARE(state.read(centre, centre.other), QString());
        state.write(centre, centre.other, 2);
        QCOMPARE(state.read(centre, centre.other), second);
        QCOMPARE(state.read(centre, centre.db.db()), first);
    }

    void sharedChangeSeenAtNextRead_data()
    {
        QTest::addColumn<QString>("change");
        QTest::newRow("question corrected") << "question corrected";
        QTest::newRow("question deleted") << "question deleted";
        QTest::newRow("chapter added") << "chapter added";
        QTest::newRow("chapter deleted") << "chapter deleted";
        QTest::newRow("quota saved") << "quota saved";
    }
    void sharedChangeSeenAtNextRead()
    {
        QFETCH(QString, change);
        Centre centre;
        // The second worker reads first, so nothing read later is left over.
        QuestionTable seen(centre.other);
        QCOMPARE(seen.count(QuestionScope::chapter(centre.chapter)), 4);
        QCOMPARE(ChapterTable(centre.other).ofBank(centre.bank).size(), 1);
        QVERIFY(!QuotaTable(centre.other).ofChapter(centre.bank, centre.chapter).has_value());

        QuestionTable trainer(centre.db.db());
        if (change == QLatin1String("question corrected")) {
            QuestionRow row = trainer.readByIds({centre.ids.at(2)}).first();
            row.stem = QStringLiteral("改正");
            QVERIFY(trainer.updateTexts(row, false));
            QCOMPARE(seen.readByIds({centre.ids.at(2)}).first().stem, QStringLiteral("改正"));
        } else if (change == QLatin1String("question deleted")) {
            QVERIFY(trainer.remove(centre.ids.at(2)));
            QCOMPARE(seen.count(QuestionScope::chapter(centre.chapter)), 3);
            QVERIFY(seen.readByIds({centre.ids.at(2)}).isEmpty());
        } else if (change == QLatin1String("chapter added")) {
            ChapterRow row;
            row.bankId = centre.bank;
            row.name = QStringLiteral("第二章");
            row.examMinutes = 45;
            row.created = QStringLiteral("2026-03-01T09:00:00");
            row.creator = QStringLiteral("net_user");
            ChapterTable(centre.db.db()).insert(row);
            const std::optional<ChapterRow> found =
                ChapterTable(centre.other).findByName(QStringLiteral("第二章"));
            QVERIFY(found.has_value());
            QCOMPARE(found->examMinutes, 45);
        } else if (change == QLatin1String("chapter deleted")) {
            QVERIFY(ChapterTable(centre.db.db()).removeWithQuotas(centre.chapter));
            QVERIFY(ChapterTable(centre.other).ofBank(centre.bank).isEmpty());
        } else {
            QuotaRow row;
            row.bankId = centre.bank;
            row.chapterId = centre.chapter;
            row.position = 1;
            row.quota = {3, 0, 0, 1, 0};
            QuotaTable(centre.db.db()).saveChapter(row);
            const std::optional<QuotaRow> found =
                QuotaTable(centre.other).ofChapter(centre.bank, centre.chapter);
            QVERIFY(found.has_value());
            QCOMPARE(found->quota, (std::array<int, QuotaRow::kTypes>{3, 0, 0, 1, 0}));
        }
    }

    // A connection signed in as nobody reads the shared bank but cannot
    // write a worker's rows: the write fails, and nothing is written.
    void nobodySignedInCannotWrite_data()
    {
        QTest::addColumn<QString>("kind");
        for (const QString &kind : kOwnKinds)
            QTest::newRow(qPrintable(kind)) << kind;
    }
    void nobodySignedInCannotWrite()
    {
        QFETCH(QString, kind);
        Centre centre(false);
        QVERIFY(!WorkerTable::signedIn(centre.other).has_value());
        QCOMPARE(QuestionTable(centre.other).count(QuestionScope::chapter(centre.chapter)), 4);
        const QStringList tables = {
            QStringLiteral("worker_known"),        QStringLiteral("worker_log"),
            QStringLiteral("worker_run_history"),  QStringLiteral("worker_wrong_book"),
            QStringLiteral("worker_answer_tally"), QStringLiteral("worker_run_record"),
            QStringLiteral("worker_study_setting")};
        const OwnState state = ownState(kind);
        bool refused = false;
        try {
            state.write(centre, centre.other, 1);
        } catch (const StoreError &) {
            refused = true;
        }
        QVERIFY(refused);
        for (const QString &table : tables)
            QCOMPARE(centre.rows(table), qint64(0));
        // The connection goes on: the shared bank still reads.
        QCOMPARE(QuestionTable(centre.other).count(QuestionScope::chapter(centre.chapter)), 4);
    }
};

DRILLBAY_TEST(WorkersTest)
#include "WorkersTest.moc"
