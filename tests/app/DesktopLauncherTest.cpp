#include "app/DesktopLauncher.h"
#include "TestRegistry.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

class DesktopLauncherTest : public QObject
{
    Q_OBJECT

private:
    static QString read(const QString &path)
    {
        QFile file(path);
        return file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()) : QString();
    }

private slots:
    void createdOnceNeverOverwritten()
    {
        QTemporaryDir desktop;
        const QString program = QStringLiteral("/opt/训练 题库/drillbay");
        QCOMPARE(DesktopLauncher::place(desktop.path(), program), DesktopLauncher::Result::Created);
        const QString path = QDir(desktop.path()).filePath(QStringLiteral("考试训练题库.desktop"));
        const QString text = read(path);
        QVERIFY(text.startsWith(QStringLiteral("[Desktop Entry]\n")));
        QVERIFY(text.contains(QStringLiteral("\nName=考试训练题库\n")));
        QVERIFY(text.contains(QStringLiteral("\nExec=\"/opt/训练 题库/drillbay\"\n")));
        QVERIFY(text.contains(QStringLiteral("\nPath=/opt/训练 题库\n")));
        QVERIFY(QFile::permissions(path) & QFileDevice::ExeOwner);

        // The user's own file stays as it is.
        QFile mine(path);
        QVERIFY(mine.open(QIODevice::WriteOnly));
        mine.write("edited by the user");
        mine.close();
        QCOMPARE(DesktopLauncher::place(desktop.path(), program),
                 DesktopLauncher::Result::AlreadyThere);
        QCOMPARE(read(path), QStringLiteral("edited by the user"));
    }

    void noDesktopFolderNoFile()
    {
        QTemporaryDir home;
        const QString missing = home.filePath(QStringLiteral("Desktop"));
        QCOMPARE(DesktopLauncher::place(missing, QStringLiteral("/opt/drillbay")),
                 DesktopLauncher::Result::NoDesktopFolder);
        QVERIFY(!QFile::exists(missing));
        QCOMPARE(DesktopLauncher::place(QString(), QStringLiteral("/opt/drillbay")),
                 DesktopLauncher::Result::NoDesktopFolder);
    }

    // The Exec line as a launcher reads it: quoted, '%' doubled, the characters
    // special inside quotes backslash-escaped, then every backslash doubled.
    void execLine_data()
    {
        QTest::addColumn<QString>("program");
        QTest::addColumn<QString>("exec");
        QTest::addColumn<QString>("path");
        QTest::newRow("plain") << QStringLiteral("/opt/drillbay/drillbay")
                               << QStringLiteral("Exec=\"/opt/drillbay/drillbay\"\n")
                               << QStringLiteral("Path=/opt/drillbay\n");
        QTest::newRow("percent") << QStringLiteral("/home/u/100%/drill%fbay")
                                 << QStringLiteral("Exec=\"/home/u/100%%/drill%%fbay\"\n")
                                 << QStringLiteral("Path=/home/u/100%\n");
        QTest::newRow("blank and hanzi") << QStringLiteral("/home/u/考试 训练/drillbay")
                                         << QStringLiteral("Exec=\"/home/u/考试 训练/drillbay\"\n")
                                         << QStringLiteral("Path=/home/u/考试 训练\n");
        QTest::newRow("backquote") << QStringLiteral("/home/u/a`b/drillbay")
                                   << QStringLiteral("Exec=\"/home/u/a\\\\`b/drillbay\"\n")
                                   << QStringLiteral("Path=/home/u/a`b\n");
        QTest::newRow("backslash") << QStringLiteral("/home/u/a\\b/drillbay")
                                   << QStringLiteral("Exec=\"/home/u/a\\\\\\\\b/drillbay\"\n")
                                   << QStringLiteral("Path=/home/u/a\\\\b\n");
        QTest::newRow("line break") << QStringLiteral("/home/u/a\nb/drillbay")
                                    << QStringLiteral("Exec=\"/home/u/a\\nb/drillbay\"\n")
                                    << QStringLiteral("Path=/home/u/a\\nb\n");
    }
    void execLine()
    {
        QFETCH(QString, program);
        QFETCH(QString, exec);
        QFETCH(QString, path);
        const QString text = DesktopLauncher::contents(program);
        QVERIFY2(text.contains(exec), qPrintable(text));
        QVERIFY2(text.contains(path), qPrintable(text));
        QCOMPARE(text.count(QLatin1Char('\n')), 7);
    }

    void execQuotesSpecialCharacters()
    {
        const QString text = DesktopLauncher::contents(QStringLiteral("/home/a\"b$c/drillbay"));
        // Inside the quotes '"' and '$' are escaped, then every backslash is doubled.
        QVERIFY2(text.contains(QStringLiteral("Exec=\"/home/a\\\\\"b\\\\$c/drillbay\"\n")),
                 qPrintable(text));
    }
};

DRILLBAY_TEST(DesktopLauncherTest)
#include "DesktopLauncherTest.moc"
