#include "RecordingNotifier.h"
#include "TestDatabase.h"
#include "TestRegistry.h"

#include "settings/PasswordCodec.h"
#include "settings/PasswordGate.h"
#include "store/PasswordTable.h"
#include "store/Sql.h"

#include <QTest>

namespace {

struct Gate
{
    TestDatabase db;
    RecordingNotifier notifier;
    PasswordGate gate{db.db(), notifier};

    explicit Gate(const QString &stored = encodePassword(QStringLiteral("drillbay")))
    {
        if (!stored.isNull())
            db.exec(QStringLiteral("insert into reg(flag, pass) values('999', '%1')").arg(stored));
    }
    QString stored() const { return PasswordTable(db.db()).stored(); }
};

using Check = PasswordGate::CheckResult;
using Change = PasswordGate::ChangeResult;

} // namespace

Q_DECLARE_METATYPE(PasswordGate::CheckResult)
Q_DECLARE_METATYPE(PasswordGate::ChangeResult)

// The program password: the check that opens the guarded pages and the change.
class PasswordGateTest : public QObject
{
    Q_OBJECT

private slots:
    void check_data()
    {
        QTest::addColumn<QString>("stored");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<Check>("result");
        QTest::addColumn<QString>("notice");
        const QString initial = encodePassword(QStringLiteral("drillbay"));
        const QString wrong = QStringLiteral("[软件提示]:密码错误，请重新输入.");
        QTest::newRow("right") << initial << "drillbay" << Check::Accepted << QString();
        QTest::newRow("blanks around") << initial << " drillbay\t" << Check::Accepted << QString();
        QTest::newRow("lower-case stored hex")
            << initial.toLower() << "drillbay" << Check::Accepted << QString();
        QTest::newRow("case matters") << initial << "Drillbay" << Check::Wrong << wrong;
        QTest::newRow("empty") << initial << "  " << Check::Empty
                               << QStringLiteral("[软件提示]:请输入你的密码");
        QTest::newRow("no password row")
            << QString() << "drillbay" << Check::NoPassword << PasswordGate::kNoPasswordNotice;
        QTest::newRow("blank password row")
            << " "
            << "drillbay" << Check::NoPassword << PasswordGate::kNoPasswordNotice;
    }
    void check()
    {
        QFETCH(QString, stored);
        QFETCH(QString, typed);
        QFETCH(Check, result);
        QFETCH(QString, notice);
        Gate g(stored);
        QVERIFY(!g.gate.accepted());
        QCOMPARE(g.gate.check(typed), result);
        QCOMPARE(g.gate.accepted(), result == Check::Accepted);
        QCOMPARE(g.notifier.notices, notice.isEmpty() ? QStringList{} : QStringList{notice});
    }

    // A wrong password after a right one closes the gate again.
    void wrongClears()
    {
        Gate g;
        QCOMPARE(g.gate.check(QStringLiteral("drillbay")), Check::Accepted);
        QCOMPARE(g.gate.check(QStringLiteral("x")), Check::Wrong);
        QVERIFY(!g.gate.accepted());
    }

    void change_data()
    {
        QTest::addColumn<QString>("oldPassword");
        QTest::addColumn<QString>("fresh");
        QTest::addColumn<QString>("confirmation");
        QTest::addColumn<Change>("result");
        QTest::addColumn<QString>("notice");
        QTest::addColumn<QString>("nowStored");
        const QString ok = QStringLiteral("[软件提示]:密码修改成功！");
        const QString tooShort =
            QStringLiteral("[软件提示]:密码字符长度不能少于3个字符，请重新输入.");
        QTest::newRow("no old") << " "
                                << "abc"
                                << "abc" << Change::MissingOld
                                << QStringLiteral("[软件提示]:请输入你的旧密码") << "drillbay";
        QTest::newRow("no new") << "drillbay"
                                << ""
                                << "abc" << Change::MissingNew
                                << QStringLiteral("[软件提示]:密码不能为空，请输入.") << "drillbay";
        QTest::newRow("no confirmation")
            << "drillbay"
            << "abc"
            << " " << Change::MissingNew << QStringLiteral("[软件提示]:密码不能为空，请输入.")
            << "drillbay";
        QTest::newRow("differ") << "drillbay"
                                << "abc"
                                << "abd" << Change::Mismatch
                                << QStringLiteral("[软件提示]:前后两次密码输入不相同，请重新输入.")
                                << "drillbay";
        QTest::newRow("two ascii") << "drillbay"
                                   << "ab"
                                   << "ab" << Change::TooShort << tooShort << "drillbay";
        QTest::newRow("one hanzi") << "drillbay"
                                   << "电"
                                   << "电" << Change::TooShort << tooShort << "drillbay";
        QTest::newRow("three ascii") << "drillbay"
                                     << "abc"
                                     << "abc" << Change::Changed << ok << "abc";
        QTest::newRow("two hanzi") << "drillbay"
                                   << "电压"
                                   << "电压" << Change::Changed << ok << "电压";
        // Three bytes as typed, stored trimmed.
        QTest::newRow("blank counts for length") << "drillbay"
                                                 << " ab"
                                                 << "ab" << Change::Changed << ok << "ab";
        QTest::newRow("old with blanks") << " drillbay "
                                         << "abc"
                                         << "abc" << Change::Changed << ok << "abc";
        QTest::newRow("wrong old")
            << "drillbaY"
            << "abc"
            << "abc" << Change::WrongOld << QStringLiteral("[软件提示]:旧密码错误，请重新输入.")
            << "drillbay";
    }
    void change()
    {
        QFETCH(QString, oldPassword);
        QFETCH(QString, fresh);
        QFETCH(QString, confirmation);
        QFETCH(Change, result);
        QFETCH(QString, notice);
        QFETCH(QString, nowStored);
        Gate g;
        QCOMPARE(g.gate.change(oldPassword, fresh, confirmation), result);
        QCOMPARE(g.notifier.notices, QStringList{notice});
        QCOMPARE(g.stored(), encodePassword(nowStored));
    }

    // After a change the old password is refused and the new one accepted; the
    // accepted state itself does not change.
    void changeThenCheck()
    {
        Gate g;
        QCOMPARE(g.gate.check(QStringLiteral("drillbay")), Check::Accepted);
        QCOMPARE(g.gate.change(QStringLiteral("drillbay"), QStringLiteral("新密码"),
                               QStringLiteral("新密码")),
                 Change::Changed);
        QVERIFY(g.gate.accepted());
        QCOMPARE(g.gate.check(QStringLiteral("drillbay")), Check::Wrong);
        QCOMPARE(g.gate.check(QStringLiteral("新密码")), Check::Accepted);
        // A wrong old password closes the gate.
        QCOMPARE(g.gate.change(QStringLiteral("x"), QStringLiteral("abc"), QStringLiteral("abc")),
                 Change::WrongOld);
        QVERIFY(!g.gate.accepted());
    }

    // A file without a password (converted from elsewhere) gets one set on the
    // change page: no old password is asked for, and the new one opens the gate.
    void firstPasswordIsSet_data()
    {
        QTest::addColumn<QString>("stored");
        QTest::addColumn<QString>("oldPassword");
        QTest::newRow("no row, old field empty") << QString() << "";
        QTest::newRow("no row, old field filled") << QString() << "drillbay";
        QTest::newRow("blank row") << " "
                                   << "";
    }
    void firstPasswordIsSet()
    {
        QFETCH(QString, stored);
        QFETCH(QString, oldPassword);
        Gate g(stored);
        QCOMPARE(g.gate.change(oldPassword, QStringLiteral("电压"), QStringLiteral("电压")),
                 Change::Changed);
        QCOMPARE(g.notifier.notices, QStringList{PasswordGate::kPasswordSetNotice});
        QCOMPARE(g.stored(), encodePassword(QStringLiteral("电压")));
        QCOMPARE(sql::scalar(g.db.db(), QStringLiteral("select count(*) from reg")), 1);
        QVERIFY(!g.gate.accepted());
        QCOMPARE(g.gate.check(QStringLiteral("电压")), Check::Accepted);
        // From now on the old password is asked for.
        QCOMPARE(g.gate.change(QString(), QStringLiteral("abc"), QStringLiteral("abc")),
                 Change::MissingOld);
    }

    void failures()
    {
        Gate none{QString()};
        none.db.refuseWrites(QStringLiteral("insert"), QStringLiteral("reg"),
                             QStringLiteral("refused"));
        QCOMPARE(none.gate.change(QString(), QStringLiteral("abc"), QStringLiteral("abc")),
                 Change::Failed);
        QCOMPARE(none.notifier.notices,
                 QStringList{QStringLiteral(
                     "[软件提示]:密码没有修改：数据文件拒绝了这次操作（详细信息：refused）")});
        QCOMPARE(sql::scalar(none.db.db(), QStringLiteral("select count(*) from reg")), 0);

        Gate g;
        g.db.refuseWrites(QStringLiteral("update"), QStringLiteral("reg"),
                          QStringLiteral("database or disk is full"));
        QCOMPARE(
            g.gate.change(QStringLiteral("drillbay"), QStringLiteral("abc"), QStringLiteral("abc")),
            Change::Failed);
        QCOMPARE(g.notifier.notices,
                 QStringList{QStringLiteral("[软件提示]:密码没有修改：数据文件拒绝了这次操作"
                                            "（详细信息：database or disk is full）")});
        QCOMPARE(g.stored(), encodePassword(QStringLiteral("drillbay")));
    }
};

DRILLBAY_TEST(PasswordGateTest)
#include "PasswordGateTest.moc"
