#include "practice/ui/QuestionStrip.h"
#include "TestRegistry.h"

#include "base/GbkText.h"
#include "practice/PracticeRun.h"

#include <QLabel>
#include <QSignalSpy>
#include <QTest>
#include <algorithm>

// Every number of the strip stands apart from its neighbours, inside the
// bottom bar, and answers a press with its own number, for any run length.
class QuestionStripTest : public QObject
{
    Q_OBJECT

private slots:
    void numbersLegibleAndClickable_data()
    {
        QTest::addColumn<int>("n");
        for (int n : {50, 60, 100, 101, 129, 130, 131, 200, 260, 300})
            QTest::newRow(qPrintable(QStringLiteral("%1 questions").arg(n))) << n;
    }
    void numbersLegibleAndClickable()
    {
        QFETCH(int, n);
        QList<RunDisplay::StripNumber> numbers;
        for (int k = 1; k <= n; ++k) {
            RunDisplay::StripNumber number;
            number.number = k;
            number.caption = text::twoDigits(k);
            number.bold = true; // answered numbers are bold, the widest they get
            numbers << number;
        }
        QuestionStrip strip;
        strip.resize(QuestionStrip::kBarWidth, QuestionStrip::kMinimumHeight);
        strip.render(numbers);
        strip.show();
        QVERIFY(QTest::qWaitForWindowExposed(&strip));
        if (!qEnvironmentVariableIsEmpty("DRILLBAY_STRIP_SHOT"))
            strip.grab().save(qEnvironmentVariable("DRILLBAY_STRIP_SHOT") +
                              QStringLiteral("/strip%1.png").arg(n));

        QList<QLabel *> labels;
        for (int k = 1; k <= n; ++k)
            labels << strip.numberLabel(k);
        for (QLabel *label : labels) {
            const QRect text(label->pos(),
                             QSize(label->fontMetrics().horizontalAdvance(label->text()),
                                   label->fontMetrics().height()));
            QVERIFY2(text.left() >= 0 && text.right() < QuestionStrip::kBarWidth,
                     qPrintable(label->text()));
            for (QLabel *other : labels) {
                if (other == label)
                    continue;
                // Two pixels at least between any two numbers.
                const QRect around = text.adjusted(-2, 0, 2, 0);
                const QRect otherText(other->pos(),
                                      QSize(other->fontMetrics().horizontalAdvance(other->text()),
                                            other->fontMetrics().height()));
                QVERIFY2(!around.intersects(otherText),
                         qPrintable(label->text() + QStringLiteral(" touches ") + other->text()));
            }
            QVERIFY(strip.height() >= label->geometry().bottom());
        }

        QSignalSpy pressed(&strip, &QuestionStrip::numberPressed);
        for (QLabel *label : labels) {
            const QPoint centre = label->geometry().center();
            QCOMPARE(strip.childAt(centre), label);
            QTest::mousePress(label, Qt::LeftButton);
        }
        QCOMPARE(pressed.count(), n);
        for (int k = 0; k < n; ++k)
            QCOMPARE(pressed.at(k).at(0).toInt(), k + 1);
    }
};

DRILLBAY_TEST(QuestionStripTest)
#include "QuestionStripTest.moc"
