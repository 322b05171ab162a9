#include "TestDatabase.h"
#include "TestRegistry.h"

#include "store/AddedTables.h"
#include "store/AnswerTallyTable.h"
#include "store/Database.h"
#include "store/QuestionTable.h"
#include "store/RunHistoryTable.h"
#include "store/Sql.h"
#include "store/WrongBookTable.h"

#include <QFile>
#include <QTest>

namespace {

const QString kWhen = QStringLiteral("2026-03-01T10:00:00");

// A bank of two chapters with three single-choice questions each, the added
// tables in place.
struct Book
{
    Book()
    {
        const QString problem = AddedTables::ensure(db.db());
        if (!problem.isEmpty())
            qFatal("added tables not made: %s", qPrintable(problem));
        bank = db.addBank(QStringLiteral("变电"));
        first = db.addChapter(bank, QStringLiteral("第一章"));
        second = db.addChapter(bank, QStringLiteral("第二章"));
        for (int k = 0; k < 3; ++k) {
            ids << db.addQuestion(first, 1, QStringLiteral("甲%1").arg(k), {}, QStringLiteral("1"));
            ids << db.addQuestion(second, 1, QStringLiteral("乙%1").arg(k), {},
                                  QStringLiteral("1"));
        }
    }
    TestDatabase db;
    qint64 bank = 0;
    qint64 first = 0;
    qint64 second = 0;
    QList<qint64> ids; // first, second, first, second …
    WrongBookTable table{db.db()};
};

} // namespace

class StudyTablesTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    // The tables are made once; a second start writes nothing and keeps the rows.
    void addedOnceAndKept()
    {
        if (TestDatabase::onServer())
            QSKIP("the server has these tables from its start; only a file gets them added");
        TestDatabase db;
        QVERIFY(!AddedTables::present(db.db()));
        QCOMPARE(AddedTables::ensure(db.db()), QString());
        QVERIFY(AddedTables::present(db.db()));
        db.exec(QStringLiteral("insert into study_setting(name, value) values('x', 3)"));
        QCOMPARE(AddedTables::ensure(db.db()), QString());
        QCOMPARE(sql::scalar(db.db(), QStringLiteral("select value from study_setting")), 3);
    }

    // A read-only file: the reason comes back, nothing is made, and a file
    // that has the tables already needs no write at all.
    void readOnlyFile()
    {
        if (TestDatabase::onServer())
            QSKIP("about a write-protected data file");
        TestDatabase db;
        const QString path = db.path();
        QFile::setPermissions(path, QFile::ReadOwner | QFile::ReadUser);
        QString error;
        QSqlDatabase readOnly =
            Database::open(path, QStringLiteral("study-ro"), &error, Database::Access::ReadOnly);
        QVERIFY2(readOnly.isOpen(), qPrintable(error));
        QVERIFY(!AddedTables::ensure(readOnly).isEmpty());
        QVERIFY(!AddedTables::present(readOnly));
        readOnly.close();

        QFile::setPermissions(path, QFile::ReadOwner | QFile::WriteOwner);
        QCOMPARE(AddedTables::ensure(db.db()), QString());
        QFile::setPermissions(path, QFile::ReadOwner | QFile::ReadUser);
        readOnly =
            Database::open(path, QStringLiteral("study-ro"), &error, Database::Access::ReadOnly);
        QCOMPARE(AddedTables::ensure(readOnly), QString());
        readOnly.close();
        readOnly = QSqlDatabase();
        QSqlDatabase::removeDatabase(QStringLiteral("study-ro"));
        QFile::setPermissions(path, QFile::ReadOwner | QFile::WriteOwner);
    }

    // Wrong answers count up and restart the streak; right ones in book runs
    // raise it until the question leaves.
    void wrongAndRightRules()
    {
        Book book;
        const qint64 id = book.ids.at(0);
        book.table.recordWrong(id, kWhen);
        book.table.recordWrong(id, QStringLiteral("2026-03-02T08:00:00"));
        QCOMPARE(book.table.find(id)->timesWrong, 2);
        QCOMPARE(book.table.find(id)->lastWrong, QStringLiteral("2026-03-02T08:00:00"));
        QVERIFY(!book.table.recordRight(id, 2));
        QCOMPARE(book.table.find(id)->rightStreak, 1);
        book.table.recordWrong(id, kWhen);
        QCOMPARE(book.table.find(id)->rightStreak, 0);
        QVERIFY(!book.table.recordRight(id, 2));
        QVERIFY(book.table.recordRight(id, 2));
        QVERIFY(!book.table.contains(id));
        // Right answers of a question not in the book change nothing.
        QVERIFY(!book.table.recordRight(book.ids.at(1), 1));
        QCOMPARE(book.table.count(), 0);
    }

    // Newest mistakes first, per chapter or bank, at most the limit.
    void newestFirst()
    {
        Book book;
        for (int k = 0; k < book.ids.size(); ++k)
            book.table.recordWrong(book.ids.at(k),
                                   QStringLiteral("2026-03-0%1T10:00:00").arg(k + 1));
        QCOMPARE(book.table.newestOfChapter(book.first, 10),
                 (QList<qint64>{book.ids.at(4), book.ids.at(2), book.ids.at(0)}));
        QCOMPARE(book.table.newestOfBank(book.bank, 4),
                 (QList<qint64>{book.ids.at(5), book.ids.at(4), book.ids.at(3), book.ids.at(2)}));
        QCOMPARE(book.table.newestOfBank(book.bank + 99, 4), QList<qint64>());
    }

    // Deleted questions and chapters leave the book; a question marked known stays.
    void deletedLeaveKnownStays_data()
    {
        QTest::addColumn<QString>("change");
        QTest::addColumn<int>("left");
        QTest::newRow("question deleted") << QStringLiteral("question") << 5;
        QTest::newRow("chapter deleted") << QStringLiteral("chapter") << 3;
        QTest::newRow("marked known") << QStringLiteral("known") << 6;
    }
    void deletedLeaveKnownStays()
    {
        QFETCH(QString, change);
        QFETCH(int, left);
        Book book;
        for (const qint64 id : std::as_const(book.ids))
            book.table.recordWrong(id, kWhen);
        QuestionTable questions(book.db.db());
        if (change == QStringLiteral("question"))
            QVERIFY(questions.remove(book.ids.at(0)));
        else if (change == QStringLiteral("chapter"))
            book.db.exec(QStringLiteral("delete from fenlei where id = %1").arg(book.first));
        else
            QVERIFY(questions.setToPractise(book.ids.at(0), false));
        QCOMPARE(book.table.count(), left);
        QCOMPARE(book.table.entriesOfBank(book.bank).size(), left);
        QCOMPARE(book.table.newestOfBank(book.bank, 100).size(), left);
        if (change == QStringLiteral("question")) {
            QCOMPARE(book.table.purgeDeleted(), 1);
            QVERIFY(!book.table.find(book.ids.at(0)));
        }
    }

    // The history keeps the newest runs only; days are grouped in SQL.
    void historyKeptAndGrouped()
    {
        Book book;
        RunHistoryTable history(book.db.db());
        const QStringList dates = {QStringLiteral("2026-03-02T09:00:00"),  // Monday
                                   QStringLiteral("2026-03-02T18:00:00"),  // Monday
                                   QStringLiteral("2026-03-08T09:00:00"),  // Sunday
                                   QStringLiteral("2026-03-09T09:00:00")}; // Monday
        const QList<int> percentages = {40, 80, 70, 90};
        for (int k = 0; k < dates.size(); ++k) {
            RunHistoryRow row;
            row.date = dates.at(k);
            row.kind = 1;
            row.bankId = book.bank;
            row.percentage = percentages.at(k);
            history.append(row, 3);
        }
        QCOMPARE(history.count(), 3);
        QCOMPARE(history.newest(1).first().date, dates.last());
        RunHistoryRow unscored;
        unscored.date = QStringLiteral("2026-03-09T10:00:00");
        unscored.kind = 1;
        unscored.bankId = book.bank;
        history.append(unscored, 5);
        const QList<RunHistoryTable::DayMean> days = history.daily(book.bank);
        QCOMPARE(days.size(), 3);
        QCOMPARE(days.first().day, QStringLiteral("2026-03-02"));
        QCOMPARE(days.first().runs, 1); // the 40 was dropped
        QCOMPARE(days.first().percentage, 80.0);
        QCOMPARE(days.last().runs, 2);
        QCOMPARE(days.last().scored, 1);
        QCOMPARE(days.last().percentage, 90.0); // a run without a percentage counts only as a run
        QVERIFY(history.daily(book.bank + 1).isEmpty());
        QCOMPARE(history.daily(0).size(), 3);
    }

    // Tallies add up per day, chapter and type; deleted questions count nowhere.
    void tallies()
    {
        Book book;
        AnswerTallyTable tally(book.db.db());
        tally.add(QStringLiteral("2026-03-01"), book.ids.at(0), 1, true);
        tally.add(QStringLiteral("2026-03-01"), book.ids.at(2), 1, false);
        tally.add(QStringLiteral("2026-03-05"), book.ids.at(0), 1, true);
        tally.add(QStringLiteral("2026-03-05"), 99999, 1, true);
        const QList<AnswerTallyTable::Tally> all =
            tally.ofBankSince(book.bank, QStringLiteral("2026-01-01"));
        QCOMPARE(all.size(), 1);
        QCOMPARE(all.first().chapterId, book.first);
        QCOMPARE(all.first().answered, 3);
        QCOMPARE(all.first().right, 2);
        QCOMPARE(tally.ofBankSince(book.bank, QStringLiteral("2026-03-02")).first().answered, 1);
    }
};

DRILLBAY_TEST(StudyTablesTest)
#include "StudyTablesTest.moc"
