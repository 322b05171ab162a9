#include "TestDatabase.h"
#include "TestRegistry.h"

#include "store/Database.h"
#include "store/TrainerLock.h"
#include "store/WorkerTable.h"

#include <QTest>
#include <QUuid>
#include <memory>

namespace {

const QString kRewrite = QStringLiteral("改分");
const QString kRedraw = QStringLiteral("重新抽题");

// A second program of the centre: its own connection to the same tables,
// signed in as a worker of its own.
class OtherProgram
{
public:
    OtherProgram(const TestDatabase &centre, const QString &worker)
        : m_name(QStringLiteral("other-") + QUuid::createUuid().toString(QUuid::Id128))
    {
        QString error;
        m_db = Database::openServer(centre.url(), m_name, &error);
        if (!m_db.isOpen())
            qFatal("%s", qPrintable(error));
        WorkerTable::signIn(m_db, WorkerTable(m_db).add(worker, QString(), QString()));
    }
    ~OtherProgram()
    {
        m_db.close();
        m_db = QSqlDatabase();
        QSqlDatabase::removeDatabase(m_name);
    }
    QSqlDatabase db() const { return m_db; }
    // The program ends without letting go: its connection closes.
    void die() { m_db.close(); }
    // The server stops answering: the connection is gone and cannot be
    // opened again (nothing listens where it pointed).
    void loseServer()
    {
        m_db.close();
        m_db.setPort(1);
    }

private:
    QString m_name;
    QSqlDatabase m_db;
};

} // namespace

class TrainerLockTest : public QObject
{
    Q_OBJECT

private slots:
    void dataFileHoldsAtOnce()
    {
        if (TestDatabase::onServer())
            QSKIP("a data file has one program at a time");
        TestDatabase db;
        const TrainerLock first(db.db(), kRewrite);
        const TrainerLock again(db.db(), kRewrite);
        QVERIFY(first.held());
        QVERIFY(again.held());
        QVERIFY(first.refusal().isEmpty());
    }

    // One trainer's step refuses the same step of another, names the holder,
    // leaves other steps free, and is free again when the first is done.
    void secondTrainerIsToldWhoHoldsIt()
    {
        if (!TestDatabase::onServer())
            QSKIP("trainers share a step only on a centre's server");
        TestDatabase centre;
        OtherProgram other(centre, QStringLiteral("王培训"));
        {
            const TrainerLock mine(centre.db(), kRewrite);
            QVERIFY(mine.held());
            const TrainerLock theirs(other.db(), kRewrite);
            QVERIFY(!theirs.held());
            QVERIFY2(theirs.refusal().contains(QStringLiteral("测试学员")),
                     qPrintable(theirs.refusal()));
            QVERIFY(theirs.refusal().contains(QStringLiteral("“改分”")));
            const TrainerLock otherStep(other.db(), kRedraw);
            QVERIFY(otherStep.held());
        }
        const TrainerLock now(other.db(), kRewrite);
        QVERIFY(now.held());
    }

    // A program that dies holding a step frees it with its connection; the
    // next holder's name replaces the dead one's.
    void deadHolderFreesTheStep()
    {
        if (!TestDatabase::onServer())
            QSKIP("trainers share a step only on a centre's server");
        TestDatabase centre;
        {
            OtherProgram other(centre, QStringLiteral("王培训"));
            const TrainerLock theirs(other.db(), kRedraw);
            QVERIFY(theirs.held());
            other.die();
        }
        // The server lets go when the dead program's session has ended.
        QTRY_VERIFY(TrainerLock(centre.db(), kRedraw).held());
        const TrainerLock mine(centre.db(), kRedraw);
        QVERIFY(mine.held());
        OtherProgram third(centre, QStringLiteral("赵培训"));
        const TrainerLock refused(third.db(), kRedraw);
        QVERIFY(!refused.held());
        QVERIFY2(refused.refusal().contains(QStringLiteral("测试学员")),
                 qPrintable(refused.refusal()));
        QVERIFY(!refused.refusal().contains(QStringLiteral("王培训")));
    }

    // A server that cannot be asked refuses the step with the reason.
    void lostServerRefusesWithReason()
    {
        if (!TestDatabase::onServer())
            QSKIP("only a server can be lost");
        TestDatabase centre;
        OtherProgram other(centre, QStringLiteral("王培训"));
        other.loseServer();
        const TrainerLock lock(other.db(), kRewrite);
        QVERIFY(!lock.held());
        QVERIFY2(lock.refusal().contains(QStringLiteral("“改分”现在无法进行")),
                 qPrintable(lock.refusal()));
    }
};

DRILLBAY_TEST(TrainerLockTest)
#include "TrainerLockTest.moc"
