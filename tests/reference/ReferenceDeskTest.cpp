#include "RecordingNotifier.h"
#include "ScriptedFileDialogs.h"
#include "ScriptedRandom.h"
#include "TestDatabase.h"
#include "TestRegistry.h"

#include "app/ui/MainWindow.h"
#include "base/GbkText.h"
#include "reference/IdleSource.h"
#include "reference/ui/AboutBox.h"
#include "reference/ui/DocumentViewer.h"
#include "reference/ui/DocumentsPage.h"
#include "reference/ui/ReferenceDesk.h"
#include "settings/PasswordCodec.h"
#include "settings/PasswordGate.h"
#include "settings/ui/SettingsPage.h"
#include "strcodec.h"
#include "widgets/LinkLabel.h"
#include "widgets/OutputView.h"

#include <QAction>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <QTest>
#include <QTextEdit>
#include <QTimer>

namespace {

class FixedIdle : public IdleSource
{
public:
    qint64 idleMilliseconds() override { return idle; }
    qint64 idle = 0;
};

// The main window with the documents and extras wired as the program does.
struct Desk
{
    TestDatabase db;
    RecordingNotifier notifier;
    ScriptedFileDialogs dialogs;
    ScriptedRandom random;
    FixedIdle idle;
    PasswordGate gate{db.db(), notifier};
    QTemporaryDir work;
    MainWindow main{db.db(), notifier};
    DocumentViewer viewer;
    AboutBox about;
    ReferenceDesk *desk = nullptr;

    Desk()
    {
        db.exec(QStringLiteral("insert into reg(flag, pass) values('999', '%1')")
                    .arg(encodePassword(QStringLiteral("drillbay"))));
        desk = new ReferenceDesk(main, db.db(),
                                 ReferenceDesk::Services{notifier, dialogs, random, idle, gate},
                                 viewer, about, work.path());
    }
    void addDocument(const QString &title, const QByteArray &data,
                     const QString &flag = QStringLiteral("3"))
    {
        QSqlQuery query(db.db());
        query.prepare(QStringLiteral("insert into help (title, data, flag) values (?, ?, ?)"));
        query.addBindValue(title);
        query.addBindValue(data);
        query.addBindValue(flag);
        QVERIFY(query.exec());
    }
    template <typename T> T *child(QWidget &parent, const char *name)
    {
        T *found = parent.findChild<T *>(QString::fromLatin1(name));
        if (!found)
            qFatal("no %s", name);
        return found;
    }
    void click(const char *name)
    {
        QTest::mouseClick(child<LinkLabel>(main, name), Qt::LeftButton);
    }
    QStringList listed(QListWidget *list)
    {
        QStringList titles;
        for (int i = 0; i < list->count(); ++i)
            titles << list->item(i)->text();
        return titles;
    }
};

} // namespace

class ReferenceDeskTest : public QObject
{
    Q_OBJECT

private slots:
    void commandsSitWhereTheyBelong()
    {
        Desk d;
        for (const char *name : {"Label63", "Label80", "Label20"})
            QVERIFY2(d.main.findChild<LinkLabel *>(QString::fromLatin1(name)), name);
        auto *settings = d.main.findChild<SettingsPage *>();
        QVERIFY(settings->findChild<LinkLabel *>(QStringLiteral("Label10")));
        QCOMPARE(d.main.findChild<DocumentsPage *>()->objectName(),
                 QStringLiteral("TabSheetRegulationWrite"));
    }

    void managementWaitsForThePassword()
    {
        Desk d;
        d.addDocument(QStringLiteral("线路"), "x", QStringLiteral("1"));
        d.addDocument(QStringLiteral("变电"), "y");
        d.click("Label10");
        QCOMPARE(d.main.currentPage(), MainFrame::Page::PasswordEntry);
        QCOMPARE(d.gate.check(QStringLiteral("drillbay")), PasswordGate::CheckResult::Accepted);
        d.click("Label10");
        QCOMPARE(d.main.currentPage(), MainFrame::Page::RegulationWriting);
        // Every document, whatever its flag, in storage order.
        QCOMPARE(d.listed(d.desk->managementPage()->list()),
                 (QStringList{QStringLiteral("线路"), QStringLiteral("变电")}));
    }

    void browseStoresAndDeleteRefills()
    {
        Desk d;
        d.gate.check(QStringLiteral("drillbay"));
        d.addDocument(QStringLiteral("安规"), "old");
        d.click("Label10");
        DocumentsPage *page = d.desk->managementPage();
        auto *name = d.child<QLineEdit>(*page, "Edit16");
        QCOMPARE(name->maxLength(), 50);
        auto *browse = d.child<QPushButton>(*page, "Button3");

        // Without a name nothing is asked.
        browse->click();
        QCOMPARE(d.notifier.notices, QStringList{QStringLiteral("[软件提示]:请输入文档名.")});
        QVERIFY(d.dialogs.captions.isEmpty());

        // A cancelled dialog stores and says nothing, and keeps the name.
        name->setText(QStringLiteral("安规"));
        browse->click();
        QCOMPARE(d.notifier.notices.size(), 1);
        QCOMPARE(name->text(), QStringLiteral("安规"));
        QCOMPARE(d.listed(page->list()), QStringList{QStringLiteral("安规")});

        const QString file = d.work.filePath(QStringLiteral("new.rtf"));
        QFile out(file);
        QVERIFY(out.open(QIODevice::WriteOnly));
        out.write("{\\rtf1 new}");
        out.close();
        d.dialogs.answers << file;
        browse->click();
        QCOMPARE(d.notifier.notices.size(), 1);
        QCOMPARE(d.listed(page->list()),
                 (QStringList{QStringLiteral("安规"), QStringLiteral("安规")}));
        QCOMPARE(name->text(), QString());
        QCOMPARE(d.child<QLineEdit>(*page, "Edit15")->text(), QDir::toNativeSeparators(file));

        // "删除此规程..." without a selection does nothing; with one it deletes
        // the older of the two.
        auto *remove = d.child<QAction>(*page->list(), "N5");
        remove->trigger();
        QCOMPARE(d.listed(page->list()).size(), 2);
        page->list()->setCurrentRow(1);
        remove->trigger();
        QCOMPARE(d.listed(page->list()), QStringList{QStringLiteral("安规")});
        QSqlQuery left(d.db.db());
        QVERIFY(left.exec(QStringLiteral("select data from help")) && left.next());
        QCOMPARE(left.value(0).toByteArray(), QByteArray("{\\rtf1 new}"));
        QVERIFY(!left.next());
    }

    void readerShowsDocuments()
    {
        Desk d;
        d.addDocument(QStringLiteral("隐藏"), "{\\rtf1 hidden}", QStringLiteral("1"));
        d.addDocument(
            QStringLiteral("安规"),
            gbk::encode(QStringLiteral("{\\rtf1\\ansi\\ansicpg936{\\fonttbl{\\f0\\fcharset134 "
                                       "宋体;}}\\f0\\b 第一条\\b0\\par 总则}")));
        d.addDocument(QStringLiteral("纯文本"), gbk::encode(QStringLiteral("第二条 纯文本")));
        d.click("Label63");
        QVERIFY(d.viewer.isVisible());
        QVERIFY(d.main.isEnabled());
        QCOMPARE(d.viewer.titles(),
                 (QStringList{QStringLiteral("安规"), QStringLiteral("纯文本")}));

        d.desk->viewDocument(QStringLiteral("安规"));
        QCOMPARE(d.viewer.windowTitle(), QStringLiteral("安规"));
        QTextEdit *view = d.viewer.view();
        QTRY_COMPARE(view->toPlainText(), QStringLiteral("第一条\n总则"));
        QVERIFY(view->document()->find(QStringLiteral("第一条")).charFormat().font().bold());
        QCOMPARE(view->document()->rootFrame()->frameFormat().leftMargin(), 12.0);
        QVERIFY(QFile::exists(d.work.filePath(QStringLiteral("abc.rtf"))));

        d.desk->viewDocument(QStringLiteral("纯文本"));
        QTRY_COMPARE(view->toPlainText(), QStringLiteral("第二条 纯文本"));

        // A title that is gone empties the view and keeps the caption.
        d.desk->viewDocument(QStringLiteral("没有"));
        QCOMPARE(view->toPlainText(), QString());
        QCOMPARE(d.viewer.windowTitle(), QStringLiteral("纯文本"));
        d.viewer.close();
    }

    void jokePage()
    {
        Desk d;
        for (const QString &joke : {QStringLiteral("甲"), QStringLiteral("乙")})
            d.db.exec(QStringLiteral("insert into joke (word) values ('%1')")
                          .arg(QString::fromLatin1(encode(gbk::encode(joke).constData()))));
        d.random.script << 1;
        d.click("Label80");
        QCOMPARE(d.main.currentPage(), MainFrame::Page::Joke);
        QCOMPARE(d.desk->jokeView()->plainText(), QStringLiteral("\n\n【每日一笑】\n\n乙"));
    }

    void sloganStripMovesAndToggles()
    {
        Desk d;
        auto *label = d.child<QLabel>(d.main, "Label41");
        QCOMPARE(label->x(), 709);
        d.desk->tickSlogan();
        QCOMPARE(label->x(), 708);
        QVERIFY(d.desk->sloganTimer()->isActive());
        QCOMPARE(d.desk->sloganTimer()->interval(), 50);
        QTest::mouseClick(d.child<QWidget>(d.main, "Panel6"), Qt::LeftButton);
        QVERIFY(!d.desk->sloganTimer()->isActive());
        QVERIFY(label->isHidden());
        QTest::mouseClick(d.child<QWidget>(d.main, "Panel6"), Qt::LeftButton);
        QVERIFY(d.desk->sloganTimer()->isActive());
        QVERIFY(!label->isHidden());
        QCOMPARE(label->x(), 708);
        // Past the left edge a draw chooses the next slogan.
        d.random.script << 4;
        while (d.random.asked.isEmpty())
            d.desk->tickSlogan();
        QCOMPARE(label->text(), QStringLiteral("规程记心上，违反就要遭殃  "));
        QCOMPARE(label->x(), 950);
    }

    void idleTimeInTheFirstStatusField_data()
    {
        QTest::addColumn<qint64>("idle");
        QTest::addColumn<QString>("text");
        QTest::newRow("ten seconds") << qint64(10000) << QString();
        QTest::newRow("two minutes")
            << qint64(125000) << QStringLiteral("鼠标键盘未动作时间：2分5秒");
    }
    void idleTimeInTheFirstStatusField()
    {
        QFETCH(qint64, idle);
        QFETCH(QString, text);
        Desk d;
        d.idle.idle = 99000;
        d.desk->tickIdle();
        d.idle.idle = idle;
        d.desk->tickIdle();
        QCOMPARE(d.child<QLabel>(d.main, "StatusPanel1")->text(), text);
    }

    void aboutBoxIsModalWithFigures()
    {
        Desk d;
        d.click("Label20");
        QVERIFY(d.about.isVisible());
        QVERIFY(d.about.isModal());
        QCOMPARE(d.about.windowTitle(), QStringLiteral("关于..."));
        QVERIFY(d.child<QLabel>(d.about, "MemoryLoad")->text().endsWith(QLatin1Char('%')));
        QVERIFY(d.child<QLabel>(d.about, "PhysicalTotal")->text().endsWith(QLatin1Char('M')));
        QVERIFY(d.child<QLineEdit>(d.about, "Edit1")->isReadOnly());
        d.child<QPushButton>(d.about, "Button1")->click();
        QVERIFY(!d.about.isVisible());
    }
};

DRILLBAY_TEST(ReferenceDeskTest)
#include "ReferenceDeskTest.moc"
