#include "TestRegistry.h"

#include "question/AnswerForm.h"
#include "question/QuestionType.h"

#include <QTest>
#include <algorithm>

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

    // The range runs in code order, and a stored code comes back as the type
    // it names; a code no type has (a damaged row) stays the code it was and
    // matches no type, so a switch over it takes its default branch.
    void typeCodes_data()
    {
        QTest::addColumn<int>("code");
        QTest::addColumn<bool>("known");
        QTest::newRow("single choice") << 1 << true;
        QTest::newRow("multiple choice") << 2 << true;
        QTest::newRow("fill-in") << 3 << true;
        QTest::newRow("true/false") << 4 << true;
        QTest::newRow("essay") << 5 << true;
        QTest::newRow("zero") << 0 << false;
        QTest::newRow("above the codes") << 6 << false;
        QTest::newRow("negative") << -1 << false;
        QTest::newRow("far above") << 300 << false;
    }
    void typeCodes()
    {
        QFETCH(int, code);
        QFETCH(bool, known);
        const QuestionType type = question::fromCode(code);
        QCOMPARE(question::isTypeCode(code), known);
        QCOMPARE(question::code(type), code);
        const auto &all = question::allTypes();
        const auto found = std::find(all.begin(), all.end(), type);
        QCOMPARE(found != all.end(), known);
        if (known) {
            QCOMPARE(static_cast<int>(found - all.begin()), code - 1);
            QCOMPARE(question::indexOf(type), static_cast<std::size_t>(code - 1));
        } else {
            QVERIFY(question::typeName(type).isEmpty());
            QVERIFY(!question::isObjective(code));
        }
    }

    void rangeHoldsEveryTypeOnceInCodeOrder()
    {
        QList<int> codes;
        for (const QuestionType type : question::allTypes())
            codes << question::code(type);
        QCOMPARE(codes, (QList<int>{1, 2, 3, 4, 5}));
        QCOMPARE(question::kTypeCount, static_cast<int>(codes.size()));
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
        QCOMPARE(question::isObjective(QuestionType::SingleChoice), true);
        QCOMPARE(question::isObjective(QuestionType::MultipleChoice), true);
        QCOMPARE(question::isObjective(QuestionType::TrueFalse), true);
        QCOMPARE(question::isObjective(QuestionType::FillIn), false);
        QCOMPARE(question::isObjective(QuestionType::Essay), false);
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

    void options_data()
    {
        QTest::addColumn<int>("option");
        QTest::addColumn<QChar>("letter");
        QTest::addColumn<QChar>("digit");
        QTest::newRow("A") << 1 << QChar(u'A') << QChar(u'1');
        QTest::newRow("B") << 2 << QChar(u'B') << QChar(u'2');
        QTest::newRow("C") << 3 << QChar(u'C') << QChar(u'3');
        QTest::newRow("D") << 4 << QChar(u'D') << QChar(u'4');
        QTest::newRow("below the options") << 0 << QChar() << QChar();
        QTest::newRow("above the options") << 5 << QChar() << QChar();
    }
    void options()
    {
        QFETCH(int, option);
        QFETCH(QChar, letter);
        QFETCH(QChar, digit);
        QCOMPARE(answer::optionLetter(option), letter);
        QCOMPARE(answer::optionDigit(option), digit);
        if (!digit.isNull())
            QCOMPARE(answer::letterOfDigit(digit), QString(letter));
    }
};

DRILLBAY_TEST(QuestionVocabularyTest)
#include "QuestionVocabularyTest.moc"
