#include "RecordingNotifier.h"
#include "TestDatabase.h"
#include "TestRegistry.h"
#include "Typing.h"

#include "settings/PasswordCodec.h"
#include "settings/PasswordGate.h"
#include "settings/ui/PasswordPages.h"

#include <QLineEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>

namespace {

struct Pages
{
    TestDatabase db;
    RecordingNotifier notifier;
    PasswordGate gate{db.db(), notifier};
    PasswordEntryPage entry{gate};
    PasswordChangePage change{gate};

    explicit Pages(bool withPassword = true)
    {
        if (withPassword)
            db.exec(QStringLiteral("insert into reg(flag, pass) values('999', '%1')")
                        .arg(encodePassword(QStringLiteral("drillbay"))));
    }
    QLineEdit *edit(QWidget &page, QLatin1StringView name)
    {
        return page.findChild<QLineEdit *>(name);
    }
    void press(QWidget &page, QLatin1StringView name)
    {
        page.findChild<QPushButton *>(name)->click();
    }
    // What the user does: types into the field and clicks the button.
    void type(QWidget &page, QLatin1StringView field, const QString &text)
    {
        QTest::keyClicks(edit(page, field), text);
    }
    void click(QWidget &page, QLatin1StringView button)
    {
        QTest::mouseClick(page.findChild<QPushButton *>(button), Qt::LeftButton);
    }
};

void shoot(QWidget &widget, const QString &name)
{
    const QString folder = qEnvironmentVariable("DRILLBAY_SHOTS");
    if (folder.isEmpty())
        return;
    widget.resize(950, 500);
    widget.grab().save(folder + QLatin1Char('/') + name + QStringLiteral(".png"));
}

} // namespace

// The password page and the change page: which fields they empty and what they report.
class PasswordPagesTest : public QObject
{
    Q_OBJECT

private slots:
    void entry()
    {
        Pages p;
        QLineEdit *field = p.edit(p.entry, PasswordPagesNames::entryField);
        QCOMPARE(field->echoMode(), QLineEdit::Password);
        QCOMPARE(field->maxLength(), 30);
        QSignalSpy accepted(&p.entry, &PasswordEntryPage::accepted);
        field->setText(QStringLiteral("wrong"));
        p.press(p.entry, PasswordPagesNames::entryButton);
        QVERIFY(field->text().isEmpty());
        QCOMPARE(accepted.size(), 0);
        field->setText(QStringLiteral(" drillbay "));
        shoot(p.entry, QStringLiteral("password-entry"));
        p.press(p.entry, PasswordPagesNames::entryButton);
        QCOMPARE(accepted.size(), 1);
        QVERIFY(field->text().isEmpty());
        QVERIFY(p.gate.accepted());
    }

    // The limits count GBK bytes: a Chinese character takes two.
    void fieldsTakeTheirBytes_data()
    {
        QTest::addColumn<bool>("entryPage");
        QTest::addColumn<QString>("field");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("kept");
        const QString many(40, QChar(u'密'));
        QTest::newRow("entry, Chinese")
            << true << QString(PasswordPagesNames::entryField) << many << QString(15, QChar(u'密'));
        QTest::newRow("entry, ASCII")
            << true << QString(PasswordPagesNames::entryField) << QString(40, QLatin1Char('p'))
            << QString(30, QLatin1Char('p'));
        QTest::newRow("entry, ASCII then Chinese")
            << true << QString(PasswordPagesNames::entryField) << QStringLiteral("abc") + many
            << QStringLiteral("abc") + QString(13, QChar(u'密'));
        for (const QLatin1StringView name :
             {PasswordPagesNames::oldField, PasswordPagesNames::newField,
              PasswordPagesNames::confirmField})
            QTest::addRow("%s, Chinese", name.data())
                << false << QString(name) << many << QString(25, QChar(u'密'));
        QTest::newRow("new, ASCII")
            << false << QString(PasswordPagesNames::newField) << QString(60, QLatin1Char('p'))
            << QString(50, QLatin1Char('p'));
    }
    void fieldsTakeTheirBytes()
    {
        QFETCH(bool, entryPage);
        QFETCH(QString, field);
        QFETCH(QString, typed);
        QFETCH(QString, kept);
        Pages p;
        QWidget &page = entryPage ? static_cast<QWidget &>(p.entry) : p.change;
        QLineEdit *edit = page.findChild<QLineEdit *>(field);
        typeText(edit, typed);
        QCOMPARE(edit->text(), kept);
    }

    void change()
    {
        Pages p;
        QSignalSpy changed(&p.change, &PasswordChangePage::changed);
        p.edit(p.change, PasswordPagesNames::oldField)->setText(QStringLiteral("drillbay"));
        p.edit(p.change, PasswordPagesNames::newField)->setText(QStringLiteral("ab"));
        p.edit(p.change, PasswordPagesNames::confirmField)->setText(QStringLiteral("ab"));
        shoot(p.change, QStringLiteral("password-change"));
        p.press(p.change, PasswordPagesNames::changeButton);
        // Too short: the new fields are emptied, the old one kept.
        QVERIFY(p.edit(p.change, PasswordPagesNames::newField)->text().isEmpty());
        QVERIFY(p.edit(p.change, PasswordPagesNames::confirmField)->text().isEmpty());
        QCOMPARE(p.edit(p.change, PasswordPagesNames::oldField)->text(),
                 QStringLiteral("drillbay"));
        p.edit(p.change, PasswordPagesNames::newField)->setText(QStringLiteral("abc"));
        p.edit(p.change, PasswordPagesNames::confirmField)->setText(QStringLiteral("abc"));
        p.press(p.change, PasswordPagesNames::changeButton);
        QCOMPARE(changed.size(), 1);
        QVERIFY(p.edit(p.change, PasswordPagesNames::oldField)->text().isEmpty());
        QCOMPARE(p.notifier.notices.last(), QStringLiteral("[软件提示]:密码修改成功！"));
    }

    // A file without a password row: the password typed is told that none is
    // set, and the change page sets one without an old password.
    void withoutPasswordRowOneIsSet()
    {
        Pages p(false);
        p.entry.show();
        p.change.show();
        QSignalSpy accepted(&p.entry, &PasswordEntryPage::accepted);
        QSignalSpy changed(&p.change, &PasswordChangePage::changed);
        p.type(p.entry, PasswordPagesNames::entryField, QStringLiteral("drillbay"));
        p.click(p.entry, PasswordPagesNames::entryButton);
        QCOMPARE(p.notifier.notices, QStringList{PasswordGate::kNoPasswordNotice});
        QVERIFY(p.edit(p.entry, PasswordPagesNames::entryField)->text().isEmpty());
        QCOMPARE(accepted.size(), 0);

        p.type(p.change, PasswordPagesNames::newField, QStringLiteral("jx2026"));
        p.type(p.change, PasswordPagesNames::confirmField, QStringLiteral("jx2026"));
        p.click(p.change, PasswordPagesNames::changeButton);
        QCOMPARE(changed.size(), 1);
        QCOMPARE(p.notifier.notices.last(), PasswordGate::kPasswordSetNotice);

        p.type(p.entry, PasswordPagesNames::entryField, QStringLiteral("jx2026"));
        p.click(p.entry, PasswordPagesNames::entryButton);
        QCOMPARE(accepted.size(), 1);
        QVERIFY(p.gate.accepted());
    }
};

DRILLBAY_TEST(PasswordPagesTest)
#include "PasswordPagesTest.moc"
