#include "RecordingNotifier.h"
#include "TestDatabase.h"
#include "TestRegistry.h"

#include "practice/KnownQuestions.h"
#include "practice/KnownViewer.h"
#include "practice/ui/KnownViewerWindow.h"
#include "store/Sql.h"
#include "widgets/OutputView.h"

#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QSignalSpy>
#include <QTableView>
#include <QTest>

namespace {

const QString kChapter = QStringLiteral("第一章 变电");

// A chapter of three known questions (single choice, fill-in, true/false)
// and one to practise, shown in the viewer window.
struct Window
{
    Window() : known(db.db(), notifier), viewer(known, [] { return kChapter; }), window(viewer)
    {
        const qint64 chapter = db.addChapter(db.addBank(QStringLiteral("变电安规")), kChapter);
        const QStringList options = {QStringLiteral("甲"), QStringLiteral("乙"),
                                     QStringLiteral("丙"), QStringLiteral("丁")};
        ids << db.addQuestion(chapter, 1, QStringLiteral("单选"), options, QStringLiteral("3"), 2,
                              false);
        ids << db.addQuestion(chapter, 3, QStringLiteral("填空"), {}, QStringLiteral("放电"), 2,
                              false);
        ids << db.addQuestion(chapter, 1, QStringLiteral("练习"), options, QStringLiteral("1"));
        ids << db.addQuestion(chapter, 4, QStringLiteral("判断"), {}, QStringLiteral("1"), 2,
                              false);
    }
    QString cell(int row, int column) const
    {
        QAbstractItemModel *model = window.grid()->model();
        return model->data(model->index(row, column)).toString();
    }
    void clickRow(int row)
    {
        QTableView *grid = window.grid();
        const QRect cell = grid->visualRect(grid->model()->index(row, 2));
        QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, cell.center());
    }
    QColor pixel(int row, int column, QPoint offset) const
    {
        QTableView *grid = window.grid();
        const QRect cell = grid->visualRect(grid->model()->index(row, column));
        return QColor(grid->viewport()->grab().toImage().pixel(cell.topLeft() + offset));
    }

    TestDatabase db;
    RecordingNotifier notifier;
    KnownQuestions known;
    KnownViewer viewer;
    KnownViewerWindow window;
    QList<qint64> ids;
};

} // namespace

class KnownViewerWindowTest : public QObject
{
    Q_OBJECT

private slots:
    void layout()
    {
        Window w;
        QCOMPARE(w.window.objectName(), KnownViewerWindowNames::window);
        QCOMPARE(w.window.windowTitle(), QStringLiteral("会做的试题查看"));
        QCOMPARE(w.window.size(), QSize(1130, 657));
        QCOMPARE(w.window.minimumSize(), w.window.maximumSize());
        QVERIFY(!(w.window.windowFlags() & Qt::WindowMinimizeButtonHint));
        QVERIFY(!(w.window.windowFlags() & Qt::WindowMaximizeButtonHint));
        QVERIFY(w.window.windowFlags() & Qt::WindowCloseButtonHint);
        QTableView *grid = w.window.grid();
        QCOMPARE(grid->model()->columnCount(), 4);
        const int widths[] = {93, 100, 710, 117};
        for (int c = 0; c < 4; ++c)
            QCOMPARE(grid->columnWidth(c), widths[c]);
        QVERIFY(grid->horizontalHeader()->isHidden());
        QCOMPARE(grid->selectionBehavior(), QAbstractItemView::SelectRows);
        QCOMPARE(w.window.restoreOneButton()->objectName(),
                 KnownViewerWindowNames::restoreOneButton);
        QCOMPARE(w.window.restoreOneButton()->text(), QStringLiteral("恢复此题"));
        QCOMPARE(w.window.restoreAllButton()->objectName(),
                 KnownViewerWindowNames::restoreAllButton);
        QCOMPARE(w.window.restoreAllButton()->text(), QStringLiteral("全部恢复"));
        QVERIFY(w.window.findChild<QLabel *>(KnownViewerWindowNames::restoreOneNote)->text() ==
                QStringLiteral("指参与[练习]模式训练"));
        QVERIFY(w.window.findChild<QLabel *>(KnownViewerWindowNames::restoreAllNote)->text() ==
                QStringLiteral("指全部参与[练习]模式训练"));
        // Before the first fill: no known question, one empty row.
        QCOMPARE(grid->model()->rowCount(), 1);
        QCOMPARE(w.window.countLabel()->text(), QStringLiteral("会做的试题数:0"));
    }

    void openFillsAndShowsOnce()
    {
        Window w;
        w.window.open();
        QVERIFY(QTest::qWaitForWindowExposed(&w.window));
        QCOMPARE(w.window.countLabel()->text(), QStringLiteral("会做的试题数:3  【第一章 变电】"));
        QCOMPARE(w.window.grid()->model()->rowCount(), 3);
        QCOMPARE(w.cell(0, 0), QString::number(w.ids[0]));
        QCOMPARE(w.cell(0, 1), QStringLiteral("单选"));
        QCOMPARE(w.cell(0, 3), QStringLiteral("C"));
        QCOMPARE(w.cell(1, 3), QString());
        QCOMPARE(w.cell(2, 3), QStringLiteral("正确"));
        // Open again while up: filled anew, still one window.
        w.db.exec(QStringLiteral("update 考试训练题库 set 题目选择 = 0"));
        w.window.open();
        QVERIFY(w.window.isVisible());
        QCOMPARE(w.window.grid()->model()->rowCount(), 4);
    }

    void clickShowsDetailAndChosenRowLook()
    {
        Window w;
        w.window.open();
        QVERIFY(QTest::qWaitForWindowExposed(&w.window));
        w.clickRow(1);
        QCOMPARE(w.viewer.selectedId(), QString::number(w.ids[1]));
        QCOMPARE(w.window.detailView()->plainText(),
                 QStringLiteral("02.填空题\n填空\n正确答案:放电\n") +
                     QString(47, QLatin1Char('-')));
        // The chosen row yellow, the others white.
        QCOMPARE(w.pixel(1, 2, QPoint(700, 20)), QColor(Qt::yellow));
        QCOMPARE(w.pixel(0, 2, QPoint(700, 20)), QColor(Qt::white));
    }

    void buttonsRestoreAndCloseSays()
    {
        Window w;
        w.window.open();
        QVERIFY(QTest::qWaitForWindowExposed(&w.window));
        QSignalSpy figure(&w.viewer, &KnownViewer::figureChanged);
        w.window.restoreOneButton()->click();
        QCOMPARE(w.notifier.notices, QStringList{KnownQuestions::kNothingChosenNotice});
        w.clickRow(0);
        w.window.restoreOneButton()->click();
        QCOMPARE(w.window.countLabel()->text(), QStringLiteral("会做的试题数:2  【第一章 变电】"));
        QCOMPARE(figure.count(), 1);
        QCOMPARE(figure.at(0).at(0).toString(), QStringLiteral("2:4"));
        w.window.restoreAllButton()->click();
        QCOMPARE(w.window.countLabel()->text(), QStringLiteral("会做的试题数:0  【第一章 变电】"));
        QCOMPARE(w.window.grid()->model()->rowCount(), 1);
        QCOMPARE(
            sql::scalar(w.db.db(),
                        QStringLiteral("select count(*) from 考试训练题库 where 题目选择 = 0")),
            0);

        QSignalSpy closed(&w.window, &KnownViewerWindow::closed);
        w.window.close();
        QCOMPARE(closed.count(), 1);
    }
};

DRILLBAY_TEST(KnownViewerWindowTest)
#include "KnownViewerWindowTest.moc"
