#include "EditorFixture.h"
#include "TestRegistry.h"

#include "editor/ui/QuestionPage.h"
#include "widgets/OutputView.h"

#include <QAbstractButton>
#include <QLabel>
#include <QPushButton>
#include <QTextEdit>

// The editor's question list as the trainer uses it: the rows clicked and
// right-clicked, the menu, the detail box below the list.
class EditorListTest : public QObject
{
    Q_OBJECT

private slots:
    // A true/false question whose stored answer is neither "1" nor "0" opens
    // with neither choice ticked, whatever the question before had, and
    // "确定" asks for one instead of writing the old choice.
    void trueFalseCorrectionWithoutAnswer_data()
    {
        QTest::addColumn<QString>("previous"); // the answer of the question corrected first
        QTest::addColumn<QString>("stored");
        QTest::newRow("after 正确, a word") << QStringLiteral("1") << QStringLiteral("对");
        QTest::newRow("after 错误, a digit") << QStringLiteral("0") << QStringLiteral("2");
        QTest::newRow("after 正确, empty") << QStringLiteral("1") << QString();
    }
    void trueFalseCorrectionWithoutAnswer()
    {
        QFETCH(QString, previous);
        QFETCH(QString, stored);
        Editor e;
        const qint64 odd =
            e.db.addQuestion(e.chapter, 4, QStringLiteral("无答案的判断"), {}, stored);
        e.db.addQuestion(e.chapter, 4, QStringLiteral("有答案的判断"), {}, previous);
        e.chooseFirstChapter();
        QuestionPage *page = e.window.page(8);
        auto *right = e.find<QAbstractButton>(QStringLiteral("correct"), page);
        auto *wrong = e.find<QAbstractButton>(QStringLiteral("wrong"), page);

        QVERIFY(e.chooseFromMenu(0, QStringLiteral("修改本小题")));
        QCOMPARE(e.window.currentPage(), 8);
        QCOMPARE((previous == QStringLiteral("1") ? right : wrong)->isChecked(), true);

        QTest::mouseClick(e.find<QLabel>(QStringLiteral("browseType4")), Qt::LeftButton);
        QVERIFY(e.chooseFromMenu(1, QStringLiteral("修改本小题")));
        QCOMPARE(e.window.currentPage(), 8);
        QCOMPARE(e.find<QTextEdit>(QStringLiteral("stem"), page)->toPlainText(),
                 QStringLiteral("无答案的判断"));
        QVERIFY(!right->isChecked());
        QVERIFY(!wrong->isChecked());

        QTest::mouseClick(e.find<QPushButton>(QStringLiteral("save"), page), Qt::LeftButton);
        QCOMPARE(e.notifier.notices, QStringList{QStringLiteral("[软件提示]：请选择正确答案.")});
        QCOMPARE(QuestionTable(e.db.db()).find(odd)->answer, stored);
        e.window.close();
    }
};

DRILLBAY_TEST(EditorListTest)
#include "EditorListTest.moc"
