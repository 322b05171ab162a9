#include "RecordingNotifier.h"
#include "ScriptedFileDialogs.h"
#include "ScriptedRandom.h"
#include "TestDatabase.h"
#include "TestRegistry.h"
#include "Typing.h"

#include "app/ui/MainWindow.h"
#include "app/ui/MainWindowNames.h"
#include "base/GbkText.h"
#include "reference/IdleSource.h"
#include "reference/ui/AboutBox.h"
#include "reference/ui/DocumentViewer.h"
#include "reference/ui/DocumentsPage.h"
#include "reference/ui/ReferenceDesk.h"
#include "settings/PasswordCodec.h"
#include "settings/PasswordGate.h"
#include "settings/ui/SettingsDesk.h"
#include "settings/ui/SettingsPage.h"
#include "strcodec.h"
#include "widgets/LinkLabel.h"
#include "widgets/OutputView.h"

#include <QAction>
#include <QApplication>
#include <QContextMenuEvent>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QPushButton>
#include <QSignalSpy>
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
    MainWindow main{notifier};
    SettingsDesk settings{main, db.db(), notifier};
    ReferenceDesk *desk = nullptr;
    DocumentViewer *viewer = nullptr;
    AboutBox *about = nullptr;

    Desk()
    {
        db.exec(QStringLiteral("insert into reg(flag, pass) values('999', '%1')")
                    .arg(encodePassword(QStringLiteral("drillbay"))));
        desk = new ReferenceDesk(main, db.db(),
                                 ReferenceDesk::Services{notifier, dialogs, random, idle, gate},
                                 work.path());
        settings.addCommand(desk->writingCommand());
        viewer = desk->viewer();
        about = desk->aboutBox();
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
    template <typename T> T *child(QWidget &parent, const QString &name)
    {
        T *found = parent.findChild<T *>(name);
        if (!found)
            qFatal("no %s", qPrintable(name));
        return found;
    }
    void click(QLatin1StringView name)
    {
        QTest::mouseClick(main.findChild<LinkLabel *>(name), Qt::LeftButton);
    }
    QStringList listed(QListWidget *list)
    {
        QStringList titles;
        for (int i = 0; i < list->count(); ++i)
            titles << list->item(i)->text();
        return titles;
    }
};

// A right-click at a point of the list's viewport, then a click on the entry
// of the context menu that opens there.
void chooseFromContextMenu(QListWidget *list, const QPoint &at, const QString &entry)
{
    bool chosen = false;
    const auto choose = [&] {
        auto *menu = qobject_cast<QMenu *>(QApplication::activePopupWidget());
        if (!menu)
            return false;
        for (QAction *action : menu->actions()) {
            if (action->text() == entry) {
                QTest::mouseClick(menu, Qt::LeftButton, {}, menu->actionGeometry(action).center());
                chosen = true;
                return true;
            }
        }
        menu->close();
        return true;
    };
    QTimer poll;
    poll.setInterval(20);
    QObject::connect(&poll, &QTimer::timeout, &poll, [&] {
        if (choose())
            poll.stop();
    });
    poll.start();
    QWidget *viewport = list->viewport();
    QTest::mouseClick(viewport, Qt::RightButton, {}, at);
    if (!chosen) {
        QContextMenuEvent event(QContextMenuEvent::Mouse, at, viewport->mapToGlobal(at));
        QApplication::sendEvent(viewport, &event);
    }
    QVERIFY2(chosen, qPrintable(entry));
}

QPoint rowCentre(QListWidget *list, int row)
{
    return list->visualItemRect(list->item(row)).center();
}

} // namespace

class ReferenceDeskTest : public QObject
{
    Q_OBJECT

private slots:
    void commandsSitWhereTheyBelong()
    {
        Desk d;
        for (const QLatin1StringView name :
             {ReferenceDeskNames::readerCommand, ReferenceDeskNames::jokeCommand,
              ReferenceDeskNames::aboutCommand})
            QVERIFY2(d.main.findChild<LinkLabel *>(name), name.data());
        auto *settings = d.main.findChild<SettingsPage *>();
        QVERIFY(settings->findChild<LinkLabel *>(ReferenceDeskNames::writingCommand));
        QCOMPARE(d.main.findChild<DocumentsPage *>()->objectName(),
                 ReferenceDeskNames::managementPage);
    }

    void managementWaitsForThePassword()
    {
        Desk d;
        d.addDocument(QStringLiteral("线路"), "x", QStringLiteral("1"));
        d.addDocument(QStringLiteral("变电"), "y");
        QSignalSpy password(d.desk, &ReferenceDesk::passwordRequested);
        d.click(ReferenceDeskNames::writingCommand);
        QCOMPARE(password.count(), 1);
        QVERIFY(!d.main.isShown(d.desk->managementPageHandle()));
        QCOMPARE(d.gate.check(QStringLiteral("drillbay")), PasswordGate::CheckResult::Accepted);
        d.click(ReferenceDeskNames::writingCommand);
        QVERIFY(d.main.isShown(d.desk->managementPageHandle()));
        QCOMPARE(password.count(), 1);
        // Every document, whatever its flag, in storage order.
        QCOMPARE(d.listed(d.desk->managementPage()->list()),
                 (QStringList{QStringLiteral("线路"), QStringLiteral("变电")}));
    }

    void browseStoresAndDeleteRefills()
    {
        Desk d;
        d.gate.check(QStringLiteral("drillbay"));
        d.addDocument(QStringLiteral("安规"), "old");
        d.click(ReferenceDeskNames::writingCommand);
        DocumentsPage *page = d.desk->managementPage();
        auto *name = d.child<QLineEdit>(*page, DocumentsPageNames::nameField);
        QCOMPARE(name->maxLength(), 50);
        auto *browse = d.child<QPushButton>(*page, DocumentsPageNames::browseButton);

        // Without a name nothing is asked.
        browse->click();
        QCOMPARE(d.notifier.notices, QStringList{QStringLiteral("[软件提示]:请输入文档名.")});
        QVERIFY(d.dialogs.captions.isEmpty());

        // A cancelled dialog stores and says nothing, and keeps the name.
        typeText(name, QStringLiteral("安规"));
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
        // Blanks typed around the name are not stored.
        QTest::keyClick(name, Qt::Key_Space);
        browse->click();
        QCOMPARE(d.notifier.notices.size(), 1);
        QCOMPARE(d.listed(page->list()),
                 (QStringList{QStringLiteral("安规"), QStringLiteral("安规")}));
        QCOMPARE(name->text(), QString());
        QCOMPARE(d.child<QLineEdit>(*page, DocumentsPageNames::fileField)->text(),
                 QDir::toNativeSeparators(file));
    }

    // "删除此规程..." deletes the document of the row right-clicked, also
    // when another document has the same title; below the rows it deletes
    // nothing.
    void deleteActsOnTheRowClicked_data()
    {
        QTest::addColumn<int>("selected"); // a row clicked first; -1: none
        QTest::addColumn<int>("row");      // the row right-clicked; -1: below the rows
        QTest::addColumn<QByteArrayList>("left");
        QTest::newRow("first of one title") << -1 << 0 << QByteArrayList{"x", "second"};
        QTest::newRow("second of one title") << -1 << 2 << QByteArrayList{"first", "x"};
        QTest::newRow("second after the first was selected")
            << 0 << 2 << QByteArrayList{"first", "x"};
        QTest::newRow("other title") << -1 << 1 << QByteArrayList{"first", "second"};
        QTest::newRow("below the rows") << -1 << -1 << QByteArrayList{"first", "x", "second"};
        QTest::newRow("below the rows after a row was selected")
            << 0 << -1 << QByteArrayList{"first", "x", "second"};
    }
    void deleteActsOnTheRowClicked()
    {
        QFETCH(int, selected);
        QFETCH(int, row);
        QFETCH(QByteArrayList, left);
        Desk d;
        d.gate.check(QStringLiteral("drillbay"));
        d.addDocument(QStringLiteral("安规"), "first");
        d.addDocument(QStringLiteral("线路"), "x");
        d.addDocument(QStringLiteral("安规"), "second");
        d.main.show();
        d.click(ReferenceDeskNames::writingCommand);
        QListWidget *list = d.desk->managementPage()->list();
        QVERIFY(QTest::qWaitForWindowExposed(list->window()));
        if (selected >= 0)
            QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, rowCentre(list, selected));
        const QPoint at =
            row >= 0 ? rowCentre(list, row) : QPoint(20, list->viewport()->height() - 5);
        chooseFromContextMenu(list, at, QStringLiteral("删除此规程..."));
        QByteArrayList stored;
        QSqlQuery query(d.db.db());
        QVERIFY(query.exec(QStringLiteral("select data from help order by id")));
        while (query.next())
            stored << query.value(0).toByteArray();
        QCOMPARE(stored, left);
        QCOMPARE(d.listed(list).size(), left.size());
    }

    // The name field counts its 50 in GBK bytes: 25 Chinese characters.
    void nameFieldTakesFiftyBytes()
    {
        Desk d;
        d.gate.check(QStringLiteral("drillbay"));
        d.click(ReferenceDeskNames::writingCommand);
        auto *name = d.child<QLineEdit>(*d.desk->managementPage(), DocumentsPageNames::nameField);
        typeText(name, QStringLiteral("1") + QString(30, QChar(u'规')));
        const QString kept = QStringLiteral("1") + QString(24, QChar(u'规'));
        QCOMPARE(name->text(), kept);

        const QString file = d.work.filePath(QStringLiteral("a.rtf"));
        QFile out(file);
        QVERIFY(out.open(QIODevice::WriteOnly));
        out.write("{\\rtf1 a}");
        out.close();
        d.dialogs.answers << file;
        QTest::mouseClick(
            d.child<QPushButton>(*d.desk->managementPage(), DocumentsPageNames::browseButton),
            Qt::LeftButton);
        QCOMPARE(d.listed(d.desk->managementPage()->list()), QStringList{kept});
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
        d.click(ReferenceDeskNames::readerCommand);
        QVERIFY(d.viewer->isVisible());
        QVERIFY(d.main.isEnabled());
        QCOMPARE(d.viewer->titles(),
                 (QStringList{QStringLiteral("安规"), QStringLiteral("纯文本")}));

        d.desk->viewDocument(QStringLiteral("安规"));
        QCOMPARE(d.viewer->windowTitle(), QStringLiteral("安规"));
        QTextEdit *view = d.viewer->view();
        QTRY_COMPARE(view->toPlainText(), QStringLiteral("第一条\n总则"));
        QVERIFY(view->document()->find(QStringLiteral("第一条")).charFormat().font().bold());
        QCOMPARE(view->document()->rootFrame()->frameFormat().leftMargin(), 12.0);
        QVERIFY(QFile::exists(d.work.filePath(QStringLiteral("abc.rtf"))));

        d.desk->viewDocument(QStringLiteral("纯文本"));
        QTRY_COMPARE(view->toPlainText(), QStringLiteral("第二条 纯文本"));

        // A title that is gone empties the view and keeps the caption.
        d.desk->viewDocument(QStringLiteral("没有"));
        QCOMPARE(view->toPlainText(), QString());
        QCOMPARE(d.viewer->windowTitle(), QStringLiteral("纯文本"));
        d.viewer->close();
    }

    void jokePage()
    {
        Desk d;
        for (const QString &joke : {QStringLiteral("甲"), QStringLiteral("乙")})
            d.db.exec(QStringLiteral("insert into joke (word) values ('%1')")
                          .arg(QString::fromLatin1(encode(gbk::encode(joke).constData()))));
        d.random.script << 1;
        d.click(ReferenceDeskNames::jokeCommand);
        QVERIFY(d.main.isShown(d.desk->jokePageHandle()));
        QCOMPARE(d.desk->jokeView()->plainText(), QStringLiteral("\n\n【每日一笑】\n\n乙"));
    }

    void sloganStripMovesAndToggles()
    {
        Desk d;
        auto *label = d.main.findChild<QLabel *>(MainWindowNames::slogan);
        QCOMPARE(label->x(), 709);
        d.desk->tickSlogan();
        QCOMPARE(label->x(), 708);
        QVERIFY(d.desk->sloganTimer()->isActive());
        QCOMPARE(d.desk->sloganTimer()->interval(), 50);
        QTest::mouseClick(d.main.findChild<QWidget *>(MainWindowNames::sloganStrip),
                          Qt::LeftButton);
        QVERIFY(!d.desk->sloganTimer()->isActive());
        QVERIFY(label->isHidden());
        QTest::mouseClick(d.main.findChild<QWidget *>(MainWindowNames::sloganStrip),
                          Qt::LeftButton);
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
        QCOMPARE(d.child<QLabel>(d.main,
                                 QString(MainWindowNames::statusFieldPrefix) + QStringLiteral("1"))
                     ->text(),
                 text);
    }

    void aboutBoxIsModalWithFigures()
    {
        Desk d;
        d.main.show();
        QVERIFY(QTest::qWaitForWindowExposed(&d.main));
        d.click(ReferenceDeskNames::aboutCommand);
        QVERIFY(d.about->isVisible());
        QVERIFY(d.about->isModal());
        // A click on "轻松一下" behind the box does not reach the main window.
        auto *joke = d.main.findChild<LinkLabel *>(ReferenceDeskNames::jokeCommand);
        QVERIFY(joke->isVisible());
        QTest::mouseClick(d.main.windowHandle(), Qt::LeftButton, {},
                          joke->mapTo(&d.main, joke->rect().center()));
        QVERIFY(!d.main.isShown(d.desk->jokePageHandle()));
        QCOMPARE(d.about->windowTitle(), QStringLiteral("关于..."));
        QVERIFY(d.child<QLabel>(*d.about, "MemoryLoad")->text().endsWith(QLatin1Char('%')));
        QVERIFY(d.child<QLabel>(*d.about, "PhysicalTotal")->text().endsWith(QLatin1Char('M')));
        QVERIFY(d.child<QLineEdit>(*d.about, AboutBoxNames::ownerLine)->isReadOnly());
        QTest::mouseClick(d.child<QPushButton>(*d.about, AboutBoxNames::okButton), Qt::LeftButton);
        QVERIFY(!d.about->isVisible());
        // Closed, it lets the main window take clicks again.
        QTest::mouseClick(d.main.windowHandle(), Qt::LeftButton, {},
                          joke->mapTo(&d.main, joke->rect().center()));
        QVERIFY(d.main.isShown(d.desk->jokePageHandle()));
    }
};

DRILLBAY_TEST(ReferenceDeskTest)
#include "ReferenceDeskTest.moc"
