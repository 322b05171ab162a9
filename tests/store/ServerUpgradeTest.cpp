#include "TestDatabase.h"
#include "TestRegistry.h"

#include "store/Database.h"
#include "store/QuestionTable.h"
#include "store/ServerSchema.h"
#include "store/Sql.h"

#include <QTest>
#include <QUuid>

// A centre's database made before the server kept its counts gets them when
// a program opens it, filled from the rows it holds, and keeps them from then
// on.
class ServerUpgradeTest : public QObject
{
    Q_OBJECT

private slots:
    void init()
    {
        if (!TestDatabase::onServer())
            QSKIP("a data file counts its questions as it reads them");
    }

    void countsAddedAtOpen()
    {
        TestDatabase db;
        const qint64 bank = db.addBank(QStringLiteral("变电"));
        const qint64 first = db.addChapter(bank, QStringLiteral("第一章"));
        const qint64 second = db.addChapter(bank, QStringLiteral("第二章"));
        QList<qint64> ids;
        for (int i = 0; i < 5; ++i)
            ids << db.addQuestion(i < 3 ? first : second, i % 2 + 1, QStringLiteral("题%1").arg(i),
                                  {}, QStringLiteral("1"));
        QuestionTable(db.db()).setToPractise(ids.at(0), false);
        QuestionTable(db.db()).setToPractise(ids.at(4), false);
        // The tables as the earlier version made them.
        db.exec(QStringLiteral("drop function drillbay_tally_questions, drillbay_known_of_question,"
                               " drillbay_move_known, drillbay_tally_known cascade"));
        db.exec(QStringLiteral("drop table chapter_tally, worker_known_tally"));
        db.exec(
            QStringLiteral("alter table worker_known drop column chapter_id, drop column type"));

        const QString name = QUuid::createUuid().toString(QUuid::WithoutBraces);
        {
            QString error;
            QSqlDatabase program = Database::openServer(db.url(), name, &error);
            QVERIFY2(program.isOpen(), qPrintable(error));
            QVERIFY(!ServerSchema::upgrade(program));
            program.close();
        }
        QSqlDatabase::removeDatabase(name);

        QuestionTable table(db.db());
        QCOMPARE(table.count(QuestionScope::bank(bank)), 5);
        QCOMPARE(table.count(QuestionScope::bank(bank).toPractise()), 3);
        QCOMPARE(table.count(QuestionScope::chapter(second).ofType(1).toPractise()), 0);
        // And kept from then on.
        QVERIFY(table.setToPractise(ids.at(4), true));
        QVERIFY(table.remove(ids.at(0)));
        QCOMPARE(table.count(QuestionScope::bank(bank)), 4);
        QCOMPARE(table.count(QuestionScope::bank(bank).toPractise()), 4);
        QCOMPARE(table.knownPerChapter(bank), (QHash<qint64, int>{}));
    }
};

DRILLBAY_TEST(ServerUpgradeTest)
#include "ServerUpgradeTest.moc"
