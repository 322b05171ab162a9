#include "TestRegistry.h"

#include "reference/ui/DocumentViewer.h"

#include <QListWidget>
#include <QSignalSpy>
#include <QTest>
#include <QTextEdit>

namespace {

// A regulation long enough to take a while to read: numbered articles in
// many sizes and colours.
QByteArray longDocument()
{
    QByteArray rtf = "{\\rtf1\\ansi{\\colortbl;\\red200\\green0\\blue0;\\red0\\green0\\blue160;}";
    for (int i = 0; i < 20000; ++i)
        rtf += "{\\fs" + QByteArray::number(16 + i % 40) + "\\cf" + QByteArray::number(i % 3) +
               " Article " + QByteArray::number(i) + " keep the distance.}\\par ";
    return rtf + "The end.}";
}

// The reader window as the desk wires it: a click on a title shows that document.
struct Reader
{
    DocumentViewer viewer;
    QList<QPair<QString, QByteArray>> documents = {
        {QStringLiteral("长规程"), longDocument()},
        {QStringLiteral("短规程"), QByteArray("{\\rtf1\\ansi Short rule.}")}};

    Reader()
    {
        QStringList titles;
        for (const auto &[title, bytes] : documents)
            titles << title;
        viewer.setTitles(titles);
        QObject::connect(&viewer, &DocumentViewer::titleClicked, &viewer,
                         [this](const QString &title) {
                             for (const auto &[shown, bytes] : documents) {
                                 if (shown == title)
                                     viewer.showDocument(title, bytes);
                             }
                         });
        viewer.show();
    }
    void clickTitle(int row)
    {
        auto *list = viewer.findChild<QListWidget *>(DocumentViewerNames::documentList);
        QVERIFY(list);
        const QRect rect = list->visualItemRect(list->item(row));
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, rect.center());
    }
    bool busyShown() const
    {
        return viewer.findChild<QWidget *>(QStringLiteral("ReadingIndicator"))->isVisible();
    }
    QString shownText() const { return viewer.view()->toPlainText(); }
};

} // namespace

// The reader reads a document away from the window's thread: the click comes
// back at once with the window busy, the document follows, and a document
// no longer wanted never replaces the one that is.
class DocumentViewerTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void clickReturnsBeforeTheDocumentIsRead()
    {
        Reader r;
        QSignalSpy shown(&r.viewer, &DocumentViewer::documentShown);
        const Qt::CursorShape idle = r.viewer.view()->viewport()->cursor().shape();
        r.clickTitle(0);
        // Nothing of the document yet: the click handler did not read it.
        QCOMPARE(r.viewer.windowTitle(), QStringLiteral("长规程"));
        QVERIFY(r.shownText().isEmpty());
        QVERIFY(r.busyShown());
        QCOMPARE(r.viewer.view()->viewport()->cursor().shape(), Qt::BusyCursor);
        QVERIFY(r.viewer.isReading());

        QTRY_COMPARE_WITH_TIMEOUT(shown.count(), 1, 60000);
        QVERIFY(r.shownText().startsWith(u"Article 0 keep the distance.\nArticle 1 "_qs));
        QVERIFY(r.shownText().endsWith(u"The end."_qs));
        QVERIFY(!r.busyShown());
        QCOMPARE(r.viewer.view()->viewport()->cursor().shape(), idle);
        QVERIFY(!r.viewer.isReading());
    }

    void closingDropsTheReading()
    {
        Reader r;
        QSignalSpy shown(&r.viewer, &DocumentViewer::documentShown);
        r.clickTitle(0);
        QVERIFY(r.busyShown());
        r.viewer.close();
        QVERIFY(!r.viewer.isReading());
        QTRY_COMPARE_WITH_TIMEOUT(r.viewer.readingsUnderWay(), 0, 60000);
        QCoreApplication::processEvents();
        r.viewer.show();
        QCOMPARE(shown.count(), 0);
        QVERIFY(r.shownText().isEmpty());
        QVERIFY(!r.busyShown());
    }

    void laterTitleWins()
    {
        Reader r;
        QSignalSpy shown(&r.viewer, &DocumentViewer::documentShown);
        r.clickTitle(0);
        r.clickTitle(1);
        QTRY_COMPARE_WITH_TIMEOUT(shown.count(), 1, 60000);
        QTRY_COMPARE_WITH_TIMEOUT(r.viewer.readingsUnderWay(), 0, 60000);
        QCoreApplication::processEvents();
        QCOMPARE(shown.count(), 1);
        QCOMPARE(r.shownText(), u"Short rule."_qs);
        QCOMPARE(r.viewer.windowTitle(), QStringLiteral("短规程"));
    }
};

DRILLBAY_TEST(DocumentViewerTest)
#include "DocumentViewerTest.moc"
