#include "TestRegistry.h"

#include "question/AnswerForm.h"
#include "question/QuestionType.h"

#include <QTest>

// Type names and answer letters are shared by the practice pages, the review,
// the set list and the type choice box: one wrong entry shows everywhere.
class QuestionVocabularyTest : public QObject
{
    Q_OBJECT

private slots:
    void typeName_data()
    {
        QTest::addColumn<int>("type");
        QTest::addColumn<QString>("practice");
        QTest::addColumn<QString>("review");
        QTest::newRow("single") << 1 << QStringLiteral("单选题") << QStringLiteral("单选题");
        QTest::newRow("multiple") << 2 << QStringLiteral("多选题") << QStringLiteral("多选题");
        QTest::newRow("fill-in") << 3 << QStringLiteral("填空题") << QStringLiteral("填空题");
        QTest::newRow("true/false") << 4 << QStringLiteral("判断题") << QStringLiteral("判断题");
        QTest::newRow("essay: named apart in the review")
            << 5 << QStringLiteral("论述题") << QStringLiteral("简答题");
        QTest::newRow("below the codes") << 0 << QString() << QString();
        QTest::newRow("above the codes") << 6 << QString() << QString();
    }
    void typeName()
    {
        QFETCH(int, type);
        QFETCH(QString, practice);
        QFETCH(QString, review);
        QCOMPARE(question::typeName(type), practice);
        QCOMPARE(question::typeName(type, question::TypeNaming::Review), review);
    }

    void typeChoiceItemsStandForTypesInOrder()
    {
        const QStringList items = question::typeChoiceItems();
        QCOMPARE(items.size(), question::kTypeCount);
        QCOMPARE(items.first(), QStringLiteral("本章单选题练习"));
        QCOMPARE(items.last(), QStringLiteral("本章论述题练习"));
    }

    void objectiveTypes()
    {
        QCOMPARE(question::isObjective(SingleChoice), true);
        QCOMPARE(question::isObjective(MultipleChoice), true);
        QCOMPARE(question::isObjective(TrueFalse), true);
        QCOMPARE(question::isObjective(FillIn), false);
        QCOMPARE(question::isObjective(Essay), false);
        QCOMPARE(question::isObjective(0), false);
    }

    void letters_data()
    {
        QTest::addColumn<QString>("digits");
        QTest::addColumn<QString>("letters");
        QTest::newRow("one option") << QStringLiteral("3") << QStringLiteral("C");
        QTest::newRow("ascending options") << QStringLiteral("134") << QStringLiteral("ACD");
        QTest::newRow("stored order is kept") << QStringLiteral("314") << QStringLiteral("CAD");
        QTest::newRow("outside 1 … 4 is left out") << QStringLiteral("0159") << QStringLiteral("A");
        QTest::newRow("not digits") << QStringLiteral("AB 正确") << QString();
        QTest::newRow("empty") << QString() << QString();
    }
    void letters()
    {
        QFETCH(QString, digits);
        QFETCH(QString, letters);
        QCOMPARE(answer::lettersOf(digits), letters);
    }

    void optionLetterBounds()
    {
        QCOMPARE(answer::optionLetter(1), QLatin1Char('A'));
        QCOMPARE(answer::optionLetter(4), QLatin1Char('D'));
        QVERIFY(answer::optionLetter(0).isNull());
        QVERIFY(answer::optionLetter(5).isNull());
    }
};

DRILLBAY_TEST(QuestionVocabularyTest)
#include "QuestionVocabularyTest.moc"
