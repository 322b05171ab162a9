#include "TestDatabase.h"
#include "TestRegistry.h"

#include "base/StoreError.h"
#include "store/Database.h"
#include "store/SettingsTable.h"
#include "store/Sql.h"
#include "store/WorkerTable.h"

#include <QDir>
#include <QProcess>
#include <QTest>

#include <unistd.h>

namespace {

// The server's own tool for starting and stopping it, as installed.
QString serverControl()
{
    const QStringList versions =
        QDir(QStringLiteral("/usr/lib/postgresql")).entryList(QDir::Dirs | QDir::NoDotAndDotDot);
    for (auto version = versions.crbegin(); version != versions.crend(); ++version) {
        const QString tool = QStringLiteral("/usr/lib/postgresql/%1/bin/pg_ctl").arg(*version);
        if (QFileInfo(tool).isExecutable())
            return tool;
    }
    return QString();
}

} // namespace

// A connection the server dropped: the statement that meets it says so, and
// the next one opens the connection again, signed in as the same worker.
class ServerReconnectTest : public QObject
{
    Q_OBJECT

private slots:
    void nextStatementReconnects_data()
    {
        QTest::addColumn<bool>("restart");
        QTest::newRow("connection ended by the server") << false;
        QTest::newRow("server restarted") << true;
    }
    void nextStatementReconnects()
    {
        QFETCH(bool, restart);
        if (!TestDatabase::onServer())
            QSKIP("about the connection to a centre's server; the data file has none");
        TestDatabase db;
        // The worker's own settings: only a connection signed in as the
        // worker sees them.
        SettingsTable settings(db.db());
        settings.insert(SettingsRow{37, true, 15, 90, false});
        const qint64 backend = sql::scalar(db.db(), QStringLiteral("select pg_backend_pid()"));

        if (restart) {
            const QString tool = serverControl();
            if (tool.isEmpty())
                QSKIP("the server's pg_ctl is not installed here");
            QSqlQuery where = sql::run(db.db(), QStringLiteral("show data_directory"));
            QVERIFY(where.next());
            const QString data = where.value(0).toString();
            where.finish();
            QStringList command{tool,
                                QStringLiteral("-D"),
                                data,
                                QStringLiteral("-m"),
                                QStringLiteral("fast"),
                                QStringLiteral("-w"),
                                QStringLiteral("restart")};
            // The throwaway cluster runs as the package's own user under root.
            if (::geteuid() == 0)
                command = QStringList{QStringLiteral("-u"), QStringLiteral("postgres"),
                                      QStringLiteral("--")} +
                          command;
            QProcess control;
            control.setProcessChannelMode(QProcess::MergedChannels);
            control.start(::geteuid() == 0 ? QStringLiteral("runuser") : command.takeFirst(),
                          command);
            QVERIFY(control.waitForFinished(60000));
            QVERIFY2(control.exitCode() == 0, control.readAll().constData());
        } else {
            QString error;
            {
                const QSqlDatabase side =
                    Database::openServer(db.url(), QStringLiteral("reconnect-side"), &error);
                QVERIFY2(side.isOpen(), qPrintable(error));
                QCOMPARE(sql::scalar(side,
                                     QStringLiteral("select count(*) from "
                                                    "pg_terminate_backend(?) where 1 = 1"),
                                     {backend}),
                         qint64(1));
            }
            QSqlDatabase::removeDatabase(QStringLiteral("reconnect-side"));
        }

        // The step that meets the dropped connection is told why.
        try {
            settings.read();
            QFAIL("a statement on the dropped connection succeeded");
        } catch (const StoreError &error) {
            QCOMPARE(error.cause(), StoreError::Cause::ServerLost);
            QCOMPARE(error.reason(), QStringLiteral("与数据库服务器的连接已中断"));
        }
        // The next step works on a new connection, as the same worker.
        const std::optional<SettingsRow> row = settings.read();
        QVERIFY(row);
        QCOMPARE(row->setSize, 37);
        QVERIFY(sql::scalar(db.db(), QStringLiteral("select pg_backend_pid()")) != backend);
        QCOMPARE(WorkerTable::signedIn(db.db()), std::optional<qint64>(db.workerId()));
        settings.update(SettingsRow{50, false, 15, 90, false});
        QCOMPARE(settings.read()->setSize, 50);
    }
};

DRILLBAY_TEST(ServerReconnectTest)
#include "ServerReconnectTest.moc"
