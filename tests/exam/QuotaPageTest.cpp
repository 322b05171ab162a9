#include "ExamTestQuestions.h"
#include "RecordingNotifier.h"
#include "ScriptedRandom.h"
#include "TestDatabase.h"
#include "TestRegistry.h"

#include "app/ui/MainWindow.h"
#include "base/Selection.h"
#include "exam/MockExamForm.h"
#include "exam/QuotaRules.h"
#include "exam/ui/QuotaCommands.h"
#include "exam/ui/QuotaGridDelegate.h"
#include "exam/ui/QuotaPage.h"
#include "exam/ui/QuotaPageNames.h"
#include "settings/ui/SettingsDesk.h"
#include "store/QuotaTable.h"
#include "widgets/LinkLabel.h"

#include <QApplication>
#include <QComboBox>
#include <QContextMenuEvent>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QPushButton>
#include <QSignalSpy>
#include <QTableWidget>
#include <QTest>

Q_DECLARE_METATYPE(PaperScope)

namespace {

// Bank 安规 with 第一章 (3 single choice, 1 true/false) and 第二章 (2 single
// choice); bank 空库 without quotas.
struct Fixture
{
    TestDatabase db;
    RecordingNotifier notifier;
    ScriptedRandom random;
    MockExamForm form;
    qint64 bank = 0;
    qint64 empty = 0;
    qint64 first = 0;
    qint64 second = 0;
    Selection selection;
    MainWindow main{notifier};
    SettingsDesk settings{main, db.db(), notifier};
    QuotaPage *page = nullptr;
    PageHandle pageHandle;
    QuotaCommands *commands = nullptr;

    Fixture()
    {
        bank = db.addBank(QStringLiteral("安规"));
        empty = db.addBank(QStringLiteral("空库"));
        first = db.addChapter(bank, QStringLiteral("第一章"));
        second = db.addChapter(bank, QStringLiteral("第二章"));
        for (int i = 0; i < 3; ++i)
            add(first, 1);
        add(first, 4);
        add(second, 1);
        add(second, 1);
        pick(bank);
        page = new QuotaPage(db.db(), notifier, random, form, selection);
        pageHandle = main.installPage(page);
        commands = new QuotaCommands(main, *page, pageHandle, selection, &main);
    }
    // The bank checked in the picker.
    void pick(qint64 id)
    {
        selection.setBank(id, id == bank ? QStringLiteral("安规") : QStringLiteral("空库"));
    }
    void add(qint64 chapter, int type)
    {
        db.addQuestion(chapter, type, QStringLiteral("题"), sampleOptions(), QStringLiteral("1"));
    }
    template <typename T> T *child(const QString &name) const { return page->findChild<T *>(name); }
    QStringList items(QComboBox *box) const
    {
        QStringList all;
        for (int i = 0; i < box->count(); ++i)
            all << box->itemText(i);
        return all;
    }
    void saveWith(int singles)
    {
        QComboBox *list = page->quotaList(1);
        list->setCurrentIndex(list->findText(QString::number(singles)));
        child<QPushButton>(QuotaPageNames::saveButton)->click();
    }
};

} // namespace

// The quota page and its commands as the user meets them: the lists, the
// fields and their keys, the table, its menu and the commands' figure.
class QuotaPageTest : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { qRegisterMetaType<PaperScope>(); }

    void openingShowsThePickersBank()
    {
        Fixture f;
        f.commands->openPage();
        QVERIFY(f.main.isShown(f.pageHandle));
        QCOMPARE(f.items(f.page->bankList()), (QStringList{"安规", "空库"}));
        QCOMPARE(f.page->bankList()->currentIndex(), 0);
        QCOMPARE(f.page->chapterList()->count(), 2);
        QCOMPARE(f.page->chapterList()->item(1)->text(), QStringLiteral("【02】第二章(2道)"));
        QCOMPARE(f.child<QLabel>(QuotaPageNames::chapterName)->text(), QStringLiteral("第一章"));
        QCOMPARE(f.child<QLabel>(QuotaPageNames::chapterCount)->text(),
                 QStringLiteral("本章题目数:4道"));
        QCOMPARE(f.items(f.page->quotaList(1)), (QStringList{"3", "2", "1", "0"}));
        QCOMPARE(f.page->quotaList(1)->currentText(), QStringLiteral("0"));
        QCOMPARE(f.child<QLineEdit>(QuotaPageNames::singleCount)->text(), QStringLiteral("3"));
        QVERIFY(f.page->quotaList(2)->isHidden());
        QVERIFY(f.child<QLineEdit>(QuotaPageNames::multipleCount)->isHidden());
        QVERIFY(!f.page->quotaList(4)->isHidden());
        QCOMPARE(f.page->quotaList(4)->maxVisibleItems(), 30);

        // A double-click opens another chapter; a choice sets the two sums.
        QListWidget *list = f.page->chapterList();
        emit list->itemDoubleClicked(list->item(1));
        QCOMPARE(f.child<QLabel>(QuotaPageNames::chapterName)->text(), QStringLiteral("第二章"));
        QVERIFY(f.page->quotaList(4)->isHidden());
        f.page->quotaList(1)->setCurrentIndex(0);
        QCOMPARE(f.child<QLineEdit>(QuotaPageNames::quotaSum)->text(), QStringLiteral("2"));
        QCOMPARE(f.child<QLineEdit>(QuotaPageNames::chapterScore)->text(), QStringLiteral("2"));
    }

    void numberFieldsTakeDigitsAndEditingKeys_data()
    {
        QTest::addColumn<QString>("field");
        QTest::addColumn<QString>("typed"); // "<" is Backspace, "*" selects all
        QTest::addColumn<QString>("shown");
        QTest::addColumn<QStringList>("notices");
        QTest::addColumn<int>("minutes");
        QTest::addColumn<int>("limit");
        QTest::newRow("letters refused") << QString(QuotaPageNames::minutes) << "<a9b"
                                         << "69" << QStringList{} << 69 << 120;
        QTest::newRow("backspace works") << QString(QuotaPageNames::minutes) << "<"
                                         << "6" << QStringList{} << 6 << 120;
        QTest::newRow("cleared by backspace")
            << QString(QuotaPageNames::minutes) << "<<"
            << "60" << QStringList{"[软件提示]:考试时间默认设置为 60 分钟."} << 60 << 120;
        QTest::newRow("time over the maximum")
            << QString(QuotaPageNames::minutes) << "*181"
            << "180" << QStringList{"[软件提示]:考试时间最大设置为 180 分钟."} << 180 << 120;
        QTest::newRow("count over the maximum")
            << QString(QuotaPageNames::questionLimit) << "*200"
            << "150" << QStringList{"[软件提示]:试题量最大设置为 150 道."} << 60 << 150;
        QTest::newRow("count overtyped") << QString(QuotaPageNames::questionLimit) << "*45"
                                         << "45" << QStringList{} << 60 << 45;
        QTest::newRow("count cleared")
            << QString(QuotaPageNames::questionLimit) << "<<<"
            << "120" << QStringList{"[软件提示]:试题量默认设置为 120 道."} << 60 << 120;
        QTest::newRow("time zero shows the time used")
            << QString(QuotaPageNames::minutes) << "*0"
            << "60" << QStringList{"[软件提示]:考试时间默认设置为 60 分钟."} << 60 << 120;
        QTest::newRow("count zero refused")
            << QString(QuotaPageNames::questionLimit) << "*45*0"
            << "45" << QStringList{quotarules::zeroQuestionLimitNotice()} << 60 << 45;
        QTest::newRow("score field digits only") << QString(QuotaPageNames::chapterScore) << "x7-"
                                                 << "07" << QStringList{} << 60 << 120;
    }

    void numberFieldsTakeDigitsAndEditingKeys()
    {
        QFETCH(QString, field);
        QFETCH(QString, typed);
        QFETCH(QString, shown);
        QFETCH(QStringList, notices);
        QFETCH(int, minutes);
        QFETCH(int, limit);
        Fixture f;
        f.commands->openPage();
        auto *edit = f.child<QLineEdit>(field);
        edit->setFocus();
        edit->end(false);
        for (const QChar c : typed) {
            if (c == QLatin1Char('*')) {
                edit->selectAll();
            } else if (c == QLatin1Char('<')) {
                if (edit->text().isEmpty() || edit->cursorPosition() == 0)
                    edit->end(false);
                QTest::keyClick(edit, Qt::Key_Backspace);
            } else {
                QTest::keyClicks(edit, QString(c));
            }
        }
        QCOMPARE(edit->text(), shown);
        QCOMPARE(f.notifier.notices, notices);
        QCOMPARE(f.form.examMinutes, minutes);
        QCOMPARE(f.form.questionLimit, limit);
    }

    void tableShowsTheStoredRows()
    {
        Fixture f;
        f.commands->openPage();
        QTableWidget *table = f.page->table();
        QStringList header;
        QList<int> widths;
        for (int c = 0; c < table->columnCount(); ++c) {
            header << table->horizontalHeaderItem(c)->text();
            widths << table->columnWidth(c);
        }
        QCOMPARE(header,
                 (QStringList{"章序号", "单选", "多选", "填空", "判断", "论述", "小计", "id"}));
        QCOMPARE(widths, (QList<int>{49, 44, 44, 41, 42, 42, 42, 64}));
        QCOMPARE(table->verticalHeader()->defaultSectionSize(), 20);
        QCOMPARE(table->rowCount(), 0);

        f.saveWith(2);
        QCOMPARE(f.notifier.notices, QStringList{QStringLiteral(
                                         "[软件提示]:您选择的抽题数据已经保存,请双击下一章抽题.")});
        QCOMPARE(table->rowCount(), 1);
        const qint64 id = QuotaTable(f.db.db()).ofBank(f.bank).first().id;
        QStringList cells;
        for (int c = 0; c < table->columnCount(); ++c)
            cells << table->item(0, c)->text();
        QCOMPARE(cells, (QStringList{"1", "2", "0", "0", "0", "0", "2", QString::number(id)}));
        QCOMPARE(f.child<QLabel>(QuotaPageNames::singleTotal)->text(), QStringLiteral("2"));
        QCOMPARE(f.child<QLabel>(QuotaPageNames::quotaTotal)->text(), QStringLiteral("2"));
        QVERIFY(f.child<QLabel>(QuotaPageNames::quotaTotal)->font().bold());

        // The figure beside the command follows the pointer onto it.
        QEvent enter(QEvent::Enter);
        QCoreApplication::sendEvent(f.commands->settingsLink(), &enter);
        QCOMPARE(f.commands->figure()->text(), QStringLiteral("已抽题数:2"));
    }

    void tableColours_data()
    {
        QTest::addColumn<int>("row"); // -1: the header
        QTest::addColumn<QColor>("fill");
        QTest::newRow("header white") << -1 << QColor(Qt::white);
        QTest::newRow("selected row yellow") << 0 << QColor(Qt::yellow);
        QTest::newRow("other row white") << 1 << QColor(Qt::white);
    }

    void tableColours()
    {
        QFETCH(int, row);
        QFETCH(QColor, fill);
        Fixture f;
        f.commands->openPage();
        f.saveWith(1);
        emit f.page->chapterList()->itemDoubleClicked(f.page->chapterList()->item(1));
        f.saveWith(2);
        QTableWidget *table = f.page->table();
        QCOMPARE(table->rowCount(), 2);
        table->selectRow(0);
        const QImage image = table->grab().toImage();
        // A point in the id column's cell, right of its centred or left-aligned text.
        const int x = table->frameWidth() + 49 + 44 + 44 + 41 + 42 + 42 + 42 + 60;
        const int y = table->frameWidth() +
                      (row < 0 ? 2 : table->horizontalHeader()->height() + row * 20 + 3);
        QCOMPARE(image.pixelColor(x, y).name(), fill.name());
        if (row == 0)
            QCOMPARE(QuotaGridDelegate::selectedText().name(), QStringLiteral("#008080"));
    }

    void contextMenuActsOnTheSelectedRow_data()
    {
        QTest::addColumn<int>("action"); // 0 view row, 1 view bank, 2 delete
        QTest::addColumn<bool>("selected");
        QTest::addColumn<int>("papers");
        QTest::addColumn<int>("kind"); // of the paper asked for
        QTest::addColumn<int>("rowsLeft");
        QTest::newRow("view the row") << 0 << true << 1 << int(PaperScope::Kind::QuotaRow) << 1;
        QTest::newRow("view without a row") << 0 << false << 0 << 0 << 1;
        QTest::newRow("view the bank") << 1 << false << 1 << int(PaperScope::Kind::Bank) << 1;
        QTest::newRow("delete the row") << 2 << true << 0 << 0 << 0;
        QTest::newRow("delete without a row") << 2 << false << 0 << 0 << 1;
    }

    void contextMenuActsOnTheSelectedRow()
    {
        QFETCH(int, action);
        QFETCH(bool, selected);
        QFETCH(int, papers);
        QFETCH(int, kind);
        QFETCH(int, rowsLeft);
        Fixture f;
        f.commands->openPage();
        f.saveWith(1);
        QTableWidget *table = f.page->table();
        if (selected)
            table->selectRow(0);
        else
            table->clearSelection();
        QSignalSpy spy(f.page, &QuotaPage::paperRequested);
        const QList<QAction *> actions = f.page->tableMenu()->actions();
        QCOMPARE(actions.size(), 3);
        QCOMPARE(actions[2]->text(), QStringLiteral("删除选中的--本章--随机抽题的试题"));
        actions[action]->trigger();
        QCOMPARE(spy.size(), papers);
        if (papers) {
            const auto scope = spy.at(0).at(0).value<PaperScope>();
            QCOMPARE(int(scope.kind), kind);
            const qint64 rowId = QuotaTable(f.db.db()).ofBank(f.bank).first().id;
            QCOMPARE(scope.id, kind == int(PaperScope::Kind::Bank) ? f.bank : rowId);
        }
        QCOMPARE(table->rowCount(), rowsLeft);
        QCOMPARE(QuotaTable(f.db.db()).ofBank(f.bank).size(), rowsLeft);
    }

    // The page shows another bank than the picker's: the bank view of the
    // link and of the table's menu, and "重新抽题", act on the bank shown.
    void commandsActOnTheBankShown_data()
    {
        QTest::addColumn<int>("command"); // 0 the link, 1 the menu, 2 "重新抽题"
        QTest::newRow("本试题库已抽取试题全部查看") << 0;
        QTest::newRow("查看---本分类--全部章节-随机抽取的试题") << 1;
        QTest::newRow("重新抽题") << 2;
    }
    void commandsActOnTheBankShown()
    {
        QFETCH(int, command);
        Fixture f;
        const qint64 lines = f.db.addBank(QStringLiteral("线路"));
        const qint64 chapter = f.db.addChapter(lines, QStringLiteral("线路一章"));
        f.add(chapter, 1);
        f.add(chapter, 1);
        f.main.show();
        QVERIFY(QTest::qWaitForWindowExposed(&f.main));
        f.pick(lines);
        f.commands->openPage();
        f.saveWith(2);
        f.pick(f.bank);
        f.commands->openPage();
        f.saveWith(1);
        // The user picks 线路 on the page; the picker stays on 安规.
        QComboBox *banks = f.page->bankList();
        banks->setFocus();
        QTest::keyClick(banks, Qt::Key_Down);
        QTest::keyClick(banks, Qt::Key_Down);
        QCOMPARE(banks->currentText(), QStringLiteral("线路"));
        QCOMPARE(f.page->table()->rowCount(), 1);
        QCOMPARE(f.page->table()->item(0, 6)->text(), QStringLiteral("2"));
        f.notifier.notices.clear();

        QSignalSpy papers(f.page, &QuotaPage::paperRequested);
        if (command == 0) {
            QTest::mouseClick(f.child<LinkLabel>(QuotaPageNames::viewAll), Qt::LeftButton);
        } else if (command == 1) {
            QWidget *viewport = f.page->table()->viewport();
            const QPoint at(20, 60); // below the one row
            QContextMenuEvent rightClick(QContextMenuEvent::Mouse, at, viewport->mapToGlobal(at));
            QApplication::sendEvent(viewport, &rightClick);
            QMenu *menu = f.page->tableMenu();
            QVERIFY(menu->isVisible());
            QTest::keyClick(menu, Qt::Key_Down);
            QTest::keyClick(menu, Qt::Key_Down);
            QCOMPARE(menu->activeAction()->text(),
                     QStringLiteral("查看---本分类--全部章节-随机抽取的试题"));
            QTest::keyClick(menu, Qt::Key_Return);
        } else {
            QTest::mouseClick(f.commands->redrawLink(), Qt::LeftButton);
        }
        if (command < 2) {
            QCOMPARE(papers.size(), 1);
            const auto scope = papers.at(0).at(0).value<PaperScope>();
            QCOMPARE(scope.kind, PaperScope::Kind::Bank);
            QCOMPARE(scope.id, lines);
        } else {
            QCOMPARE(f.notifier.notices.size(), 1);
            QVERIFY2(f.notifier.notices[0].contains(QStringLiteral("[线路] 中试题:[2]道")),
                     qPrintable(f.notifier.notices[0]));
            QVERIFY(f.main.isShown(f.pageHandle));
            QCOMPARE(banks->currentText(), QStringLiteral("线路"));
        }
    }

    void redrawCommand_data()
    {
        QTest::addColumn<bool>("withQuotas");
        QTest::addColumn<bool>("pageShown");
        QTest::newRow("bank without quotas opens the page") << false << true;
        QTest::newRow("bank with quotas stays") << true << false;
    }

    void redrawCommand()
    {
        QFETCH(bool, withQuotas);
        QFETCH(bool, pageShown);
        Fixture f;
        f.commands->openPage();
        f.saveWith(1);
        f.main.showPage(f.settings.pageHandle());
        f.notifier.notices.clear();
        f.pick(withQuotas ? f.bank : f.empty);
        f.commands->redrawLink()->clicked();
        QCOMPARE(f.main.isShown(f.pageHandle), pageShown);
        QCOMPARE(f.notifier.notices.size(), 1);
        QVERIFY(f.notifier.notices[0].contains(withQuotas ? QStringLiteral("[安规]")
                                                          : QStringLiteral("【空库】")));
        if (pageShown)
            QCOMPARE(f.page->bankList()->currentText(), QStringLiteral("空库"));
    }
};

DRILLBAY_TEST(QuotaPageTest)
#include "QuotaPageTest.moc"
