#include "question/Grading.h"
#include "ExamTestQuestions.h"
#include "TestRegistry.h"

#include <QTest>

class GradingTest : public QObject
{
    Q_OBJECT

private slots:
    void percentage_data()
    {
        QTest::addColumn<int>("correct");
        QTest::addColumn<int>("count");
        QTest::addColumn<int>("expected"); // -1: no percentage

        QTest::newRow("1 of 8 rounds half down to even") << 1 << 8 << 12;
        QTest::newRow("3 of 8 rounds half up to even") << 3 << 8 << 38;
        QTest::newRow("1 of 3") << 1 << 3 << 33;
        QTest::newRow("2 of 3") << 2 << 3 << 67;
        QTest::newRow("none right") << 0 << 5 << 0;
        QTest::newRow("all right") << 7 << 7 << 100;
        QTest::newRow("1 of 200 is a half") << 1 << 200 << 0;
        QTest::newRow("3 of 200 is a half") << 3 << 200 << 2;
        QTest::newRow("no objective question") << 0 << 0 << -1;
    }
    void percentage()
    {
        QFETCH(int, correct);
        QFETCH(int, count);
        QFETCH(int, expected);
        const std::optional<int> p = Grading::percentage(correct, count);
        QCOMPARE(p.has_value(), expected >= 0);
        if (p)
            QCOMPARE(*p, expected);
    }

    void answeredCorrectly_data()
    {
        QTest::addColumn<int>("type");
        QTest::addColumn<QString>("correct");
        QTest::addColumn<QString>("given");
        QTest::addColumn<bool>("right");

        QTest::newRow("single same") << 1 << "2"
                                     << "2" << true;
        QTest::newRow("single blanks around") << 1 << " 2\t"
                                              << "\r\n2 " << true;
        QTest::newRow("single other") << 1 << "2"
                                      << "3" << false;
        QTest::newRow("single unanswered") << 1 << "2"
                                           << "" << false;
        QTest::newRow("multiple one missing") << 2 << "134"
                                              << "13" << false;
        QTest::newRow("multiple one too many") << 2 << "13"
                                               << "134" << false;
        QTest::newRow("multiple other order") << 2 << "13"
                                              << "31" << false;
        QTest::newRow("judgement false") << 4 << "0"
                                         << "0" << true;
        QTest::newRow("judgement blank answer") << 4 << "0"
                                                << "  " << false;
        QTest::newRow("empty against broken empty") << 1 << ""
                                                    << "" << false;
        QTest::newRow("odd stored answer matched") << 1 << "7"
                                                   << "7" << true;
        QTest::newRow("fill-in never") << 3 << "abc"
                                       << "abc" << false;
        QTest::newRow("essay never") << 5 << "abc"
                                     << "abc" << false;
        QTest::newRow("unknown type never") << 9 << "1"
                                            << "1" << false;
    }
    void answeredCorrectly()
    {
        QFETCH(int, type);
        QFETCH(QString, correct);
        QFETCH(QString, given);
        QFETCH(bool, right);
        QCOMPARE(Grading::answeredCorrectly(sampleQuestion(type, correct, given)), right);
    }
};

DRILLBAY_TEST(GradingTest)
#include "GradingTest.moc"
