#include "exam/ui/ReviewWindow.h"
#include "ExamTestQuestions.h"
#include "RecordingClipboard.h"
#include "RecordingNotifier.h"
#include "TestRegistry.h"
#include "exam/ReviewActions.h"
#include "exam/ReviewBuilder.h"
#include "widgets/OutputView.h"

#include <QAbstractTextDocumentLayout>
#include <QAction>
#include <QApplication>
#include <QLabel>
#include <QPushButton>
#include <QTest>
#include <QTextBlock>
#include <QTextDocument>
#include <QTimer>

namespace {

StyledSpan span(const QString &text, unsigned color, bool bold = false, bool underline = false,
                FontFamily family = FontFamily::Song, int size = 11)
{
    StyledSpan s;
    s.text = text;
    s.color = color;
    s.bold = bold;
    s.underline = underline;
    s.family = family;
    s.pointSize = size;
    return s;
}

} // namespace

class ReviewWindowTest : public QObject
{
    Q_OBJECT

private slots:
    void outputViewRendersLines()
    {
        OutputView view;
        view.resize(400, 300);
        const StyledText lines = {
            StyledLine{{span(QStringLiteral("红色加粗"), rgb::kRed, true)}},
            StyledLine{},
            StyledLine{{span(QStringLiteral("黑"), rgb::kBlack),
                        span(QStringLiteral(" 绿下划线"), rgb::kGreen, false, true,
                             FontFamily::Arial, 30)}},
        };
        view.setLines(lines);
        view.appendLines({StyledLine{{span(QStringLiteral("灰"), rgb::kGrey)}}});
        QCOMPARE(view.plainText(), QStringLiteral("红色加粗\n\n黑 绿下划线\n灰"));
        QCOMPARE(view.lines().size(), 4);

        const QTextDocument *doc = view.document();
        QCOMPARE(doc->blockCount(), 4);
        const QTextBlock third = doc->findBlockByNumber(2);
        QList<QTextCharFormat> formats;
        for (auto it = third.begin(); !it.atEnd(); ++it)
            formats << it.fragment().charFormat();
        QCOMPARE(formats.size(), 2);
        QCOMPARE(formats.at(1).foreground().color(), QColor(0x00, 0x80, 0x00));
        QVERIFY(formats.at(1).fontUnderline());
        QCOMPARE(formats.at(1).fontPointSize(), 30.0);
        QCOMPARE(formats.at(1).fontFamilies().toStringList().value(1),
                 QStringLiteral("DejaVu Sans"));
        QCOMPARE(formats.at(0).foreground().color(), QColor(Qt::black));
        const QTextCharFormat first = doc->firstBlock().begin().fragment().charFormat();
        QCOMPARE(first.foreground().color(), QColor(Qt::red));
        QCOMPARE(first.fontWeight(), int(QFont::Bold));
        QCOMPARE(first.fontFamilies().toStringList().value(0), QStringLiteral("SimSun"));

        // The text starts 12 pixels in; the strip left of it stays blank.
        view.show();
        QVERIFY(QTest::qWaitForWindowExposed(&view));
        const QRectF firstRect = doc->documentLayout()->blockBoundingRect(doc->firstBlock());
        QCOMPARE(firstRect.left(), qreal(OutputView::kLeftMargin));
        const QImage image = view.viewport()->grab().toImage();
        bool red = false;
        for (int y = 0; y < image.height(); ++y) {
            for (int x = 0; x < image.width(); ++x) {
                const QColor c = image.pixelColor(x, y);
                if (x < OutputView::kLeftMargin)
                    QCOMPARE(c, view.viewport()->palette().color(QPalette::Base));
                red = red || (c.red() > 200 && c.green() < 80 && c.blue() < 80);
            }
        }
        QVERIFY(red);

        view.setLines({StyledLine{{span(QStringLiteral("新"), rgb::kBlack)}}});
        QCOMPARE(view.plainText(), QStringLiteral("新"));
        QCOMPARE(doc->rootFrame()->frameFormat().leftMargin(), qreal(OutputView::kLeftMargin));
    }

    void reviewWindowShowsAndCloses()
    {
        RecordingClipboard clipboard;
        RecordingNotifier notifier;
        ReviewActions actions(clipboard, notifier);
        ReviewWindow window(actions);
        window.setPlacement(80, 700);
        const ReviewBuilder::Review review = ReviewBuilder::build(
            QStringLiteral("第一章"),
            QList<RunQuestion>{sampleQuestion(1, "1", "1"), sampleQuestion(1, "2", "1"),
                               sampleQuestion(3, "a", "")});

        QString count;
        QString percent;
        QString title;
        QTimer::singleShot(0, this, [&] {
            QWidget *modal = QApplication::activeModalWidget();
            if (!modal)
                return;
            title = modal->objectName() + QLatin1Char('|') + modal->windowTitle();
            count = modal->findChild<QLabel *>(QStringLiteral("reviewCountFigure"))->text();
            percent = modal->findChild<QLabel *>(QStringLiteral("reviewPercentFigure"))->text();
            for (QAction *action : modal->findChildren<QAction *>()) {
                if (action->text() == QStringLiteral("复制到..."))
                    action->trigger();
            }
            modal->findChild<QPushButton *>(QStringLiteral("reviewClose"))->click();
        });
        window.showReview(review, 2);
        QCOMPARE(title, QString(ReviewWindowNames::window + QStringLiteral("|试卷评阅")));
        QCOMPARE(count, QStringLiteral("1/2"));
        QCOMPARE(percent, QStringLiteral("50"));
        QVERIFY(!window.isVisible());
        QVERIFY(clipboard.text.contains(QStringLiteral("试卷名：考试训练题库[第一章]")));
        QCOMPARE(notifier.notices.size(), 1);
        QCOMPARE(window.view()->lines(), review.lines);
    }
};

DRILLBAY_TEST(ReviewWindowTest)
#include "ReviewWindowTest.moc"
