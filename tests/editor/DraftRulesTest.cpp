#include "TestRegistry.h"

#include "editor/DraftRules.h"
#include "question/QuestionType.h"

#include <QTest>

Q_DECLARE_METATYPE(DraftForm)

namespace {

// A draft of the type that passes every rule.
QuestionDraft valid(int type)
{
    QuestionDraft draft;
    draft.type = type;
    draft.stem = QStringLiteral("  工作票签发人不得兼任该项工作的工作负责人。  ");
    if (type <= 2)
        draft.options = {QStringLiteral("甲"), QStringLiteral("乙"), QStringLiteral("丙"),
                         QStringLiteral("丁")};
    const QStringList answers = {QStringLiteral("2"), QStringLiteral("134"),
                                 QStringLiteral("一次完成"), QStringLiteral("0"),
                                 QStringLiteral("  论述的答案  ")};
    draft.answer = answers.at(type - 1);
    draft.points = QStringLiteral("2");
    return draft;
}

QString chinese(int characters)
{
    return QString(characters, QChar(u'电'));
}

// What a row changes in the valid draft.
enum class Field
{
    Stem,
    OptionA,
    OptionB,
    OptionC,
    OptionD,
    Answer,
    Points
};

} // namespace

Q_DECLARE_METATYPE(Field)

// The save and correction rules: every message of each page, in check order,
// and the byte limits counted in GBK.
class DraftRulesTest : public QObject
{
    Q_OBJECT

private slots:
    void messages_data()
    {
        QTest::addColumn<int>("type");
        QTest::addColumn<DraftForm>("form");
        QTest::addColumn<Field>("field");
        QTest::addColumn<QString>("value");
        QTest::addColumn<QString>("message");

        const auto E = DraftForm::Entry;
        const auto C = DraftForm::Correction;
        const QString s1001 = chinese(500) + QLatin1Char('x');
        const QString s201 = QString(201, QLatin1Char('x'));

        for (const QuestionType questionType : question::allTypes()) {
            const int type = question::code(questionType);
            for (DraftForm form : {E, C}) {
                QTest::addRow("type %d %s: blank stem", type, form == E ? "entry" : "correction")
                    << type << form << Field::Stem << QStringLiteral(" \r\n ")
                    << QStringLiteral("[软件提示]：试题不能为空.");
            }
        }
        const QStringList entryLong = {QStringLiteral("[软件提示]：试题字数不能超过 1000 个字符."),
                                       QStringLiteral("[软件提示]：试题字数不能 1000 个字符."),
                                       QStringLiteral("[软件提示]：试题字数不能过 1000 个字符."),
                                       QStringLiteral("[软件提示]：试题字数不超过 1000 个字符."),
                                       QStringLiteral("[软件提示]：试题字数不超过 1000 个字符.")};
        for (const QuestionType questionType : question::allTypes()) {
            const int type = question::code(questionType);
            QTest::addRow("type %d entry: stem 1001 bytes", type)
                << type << E << Field::Stem << s1001 << entryLong.at(type - 1);
            QTest::addRow("type %d correction: stem 1001 bytes", type)
                << type << C << Field::Stem << s1001
                << QStringLiteral("[软件提示]：试题字数不超过 1000 个字符.");
        }

        const QList<Field> options = {Field::OptionA, Field::OptionB, Field::OptionC,
                                      Field::OptionD};
        const QStringList letters = {"A", "B", "C", "D"};
        for (int type = 1; type <= 2; ++type) {
            for (DraftForm form : {E, C}) {
                for (int i = 0; i < 4; ++i) {
                    const QString empty =
                        i < 3 ? QStringLiteral("[软件提示]：选择项 %1 不能为空 .").arg(letters[i])
                              : QStringLiteral("[软件提示]：选择项 D 不能为空.");
                    QString tooLong =
                        QStringLiteral("[软件提示]：选择项 %1 字数不能超过 200 个字符.")
                            .arg(letters[i]);
                    if (i == 3 && type == 1 && form == E)
                        tooLong = QStringLiteral("[软件提示]：选择项 D 字数超过 200 个字符.");
                    const char *f = form == E ? "entry" : "correction";
                    QTest::addRow("type %d %s: option %d empty", type, f, i)
                        << type << form << options[i] << QString() << empty;
                    QTest::addRow("type %d %s: option %d 201 bytes", type, f, i)
                        << type << form << options[i] << s201 << tooLong;
                }
            }
        }

        for (DraftForm form : {E, C}) {
            const char *f = form == E ? "entry" : "correction";
            QTest::addRow("single %s: no answer", f)
                << 1 << form << Field::Answer << QString()
                << QStringLiteral("[软件提示]：请选择正确答案.");
            QTest::addRow("multiple %s: no answer", f)
                << 2 << form << Field::Answer << QString()
                << QStringLiteral("[软件提示]：请选择正确答案.");
            QTest::addRow("true/false %s: no answer", f)
                << 4 << form << Field::Answer << QString()
                << QStringLiteral("[软件提示]：请选择正确答案.");
            QTest::addRow("fill-in %s: empty answer", f)
                << 3 << form << Field::Answer << QString()
                << QStringLiteral("[软件提示]：正确答案不能为空 .");
        }
        QTest::newRow("essay entry: blank answer")
            << 5 << E << Field::Answer << QStringLiteral("   ")
            << QStringLiteral("[软件提示]：正确答案不能为空 .");
        QTest::newRow("essay correction: blank answer")
            << 5 << C << Field::Answer << QStringLiteral("   ")
            << QStringLiteral("[软件提示]：论述题答案不能为空 .");
        QTest::newRow("fill-in entry: 201 bytes")
            << 3 << E << Field::Answer << chinese(100) + QLatin1Char('x')
            << QStringLiteral("[软件提示]：正确答案 字数不能超过 200 个字符.");
        QTest::newRow("fill-in correction: 201 bytes")
            << 3 << C << Field::Answer << chinese(100) + QLatin1Char('x')
            << QStringLiteral("[软件提示]：正确答案字数不能超过 200 个字符.");
        for (DraftForm form : {E, C}) {
            QTest::addRow("essay %s: 501 bytes", form == E ? "entry" : "correction")
                << 5 << form << Field::Answer << chinese(250) + QLatin1Char('x')
                << QStringLiteral("[软件提示]：正确答案 字数不能超过 500 个字符.");
        }

        const QStringList pointsEmpty = {
            QStringLiteral("[软件提示]：分值不能为空,自动填写默认分值 2 分."),
            QStringLiteral("[软件提示]：分值不能为空, 填写默认分值 2 分."),
            QStringLiteral("[软件提示]：分值不能为空，自动填写分值 2 分."),
            QStringLiteral("[软件提示]：分值不能为空,自动填写默认分值 2 分."),
            QStringLiteral("[软件提示]：分值不能为空,自动填写默认分值 2 分.")};
        const QStringList pointsLong = {QStringLiteral("[软件提示]：长度不超过3位 ."),
                                        QStringLiteral("[软件提示]：长度不超过3位."),
                                        QStringLiteral("[软件提示]：分值长度不超过3位."),
                                        QStringLiteral("[软件提示]：长度不超过3位."),
                                        QStringLiteral("[软件提示]：分值长度不超过3位.")};
        for (const QuestionType questionType : question::allTypes()) {
            const int type = question::code(questionType);
            QTest::addRow("type %d: empty score", type)
                << type << E << Field::Points << QString() << pointsEmpty.at(type - 1);
            QTest::addRow("type %d: score 1000", type)
                << type << E << Field::Points << QStringLiteral("1000") << pointsLong.at(type - 1);
        }
        // A score that is not a whole number is named instead of failing silently.
        for (const char *points : {"2a", "1.5", "--1", " "}) {
            QTest::addRow("score \"%s\"", points)
                << 1 << E << Field::Points << QString::fromLatin1(points)
                << QStringLiteral("[软件提示]：分值必须是整数，请重新填写.");
        }
        // Text GBK cannot carry is refused by field before anything is written.
        const QString emoji = QStringLiteral("接地\U0001F600");
        QTest::newRow("unstorable stem")
            << 1 << E << Field::Stem << emoji
            << QStringLiteral("[软件提示]：试题中有无法保存的字符，请修改后再保存.");
        QTest::newRow("unstorable option C")
            << 2 << C << Field::OptionC << emoji
            << QStringLiteral("[软件提示]：选择项 C 中有无法保存的字符，请修改后再保存.");
        QTest::newRow("unstorable essay answer")
            << 5 << C << Field::Answer << emoji
            << QStringLiteral("[软件提示]：正确答案中有无法保存的字符，请修改后再保存.");
    }
    void messages()
    {
        QFETCH(int, type);
        QFETCH(DraftForm, form);
        QFETCH(Field, field);
        QFETCH(QString, value);
        QFETCH(QString, message);
        QuestionDraft draft = valid(type);
        QVERIFY(draft::check(draft, form).passes());
        switch (field) {
        case Field::Stem:
            draft.stem = value;
            break;
        case Field::OptionA:
        case Field::OptionB:
        case Field::OptionC:
        case Field::OptionD:
            draft.options[int(field) - int(Field::OptionA)] = value;
            break;
        case Field::Answer:
            draft.answer = value;
            break;
        case Field::Points:
            draft.points = value;
            break;
        }
        const DraftCheck check = draft::check(draft, form);
        QCOMPARE(check.message, message);
        QCOMPARE(check.resetPoints, field == Field::Points && value.isEmpty());
    }

    // The first failing rule speaks: stem before options before answer before score.
    void firstFailureWins()
    {
        QuestionDraft draft = valid(1);
        draft.options[1].clear();
        draft.options[0] = QString(201, QLatin1Char('x'));
        draft.answer.clear();
        draft.points.clear();
        QCOMPARE(draft::check(draft, DraftForm::Entry).message,
                 QStringLiteral("[软件提示]：选择项 A 字数不能超过 200 个字符."));
        draft.stem.clear();
        QCOMPARE(draft::check(draft, DraftForm::Entry).message,
                 QStringLiteral("[软件提示]：试题不能为空."));
    }

    void limits_data()
    {
        QTest::addColumn<int>("type");
        QTest::addColumn<Field>("field");
        QTest::addColumn<QString>("value");
        QTest::addColumn<bool>("passes");
        QTest::newRow("stem 1000 bytes chinese") << 1 << Field::Stem << chinese(500) << true;
        QTest::newRow("stem 1000 bytes mixed")
            << 3 << Field::Stem << chinese(499) + QStringLiteral("ab") << true;
        QTest::newRow("stem 1000 bytes ascii")
            << 4 << Field::Stem << QString(1000, QLatin1Char('a')) << true;
        QTest::newRow("stem 1001 bytes ascii")
            << 4 << Field::Stem << QString(1001, QLatin1Char('a')) << false;
        // Blanks around the stem are trimmed before it is measured.
        QTest::newRow("stem 1000 bytes and blanks")
            << 2 << Field::Stem << QStringLiteral("  ") + chinese(500) + QStringLiteral("\r\n")
            << true;
        QTest::newRow("option 200 bytes") << 1 << Field::OptionB << chinese(100) << true;
        QTest::newRow("option 201 bytes mixed")
            << 2 << Field::OptionD << chinese(100) + QLatin1Char(' ') << false;
        // Blanks alone are not empty: they pass and are stored trimmed.
        QTest::newRow("option of blanks") << 1 << Field::OptionA << QStringLiteral("  ") << true;
        QTest::newRow("fill-in of blanks") << 3 << Field::Answer << QStringLiteral(" ") << true;
        QTest::newRow("fill-in 200 bytes") << 3 << Field::Answer << chinese(100) << true;
        QTest::newRow("essay 500 bytes") << 5 << Field::Answer << chinese(250) << true;
        QTest::newRow("essay 500 bytes and blanks")
            << 5 << Field::Answer << QStringLiteral(" ") + chinese(250) + QStringLiteral(" ")
            << true;
        QTest::newRow("score -5") << 1 << Field::Points << QStringLiteral("-5") << true;
        QTest::newRow("score 100") << 2 << Field::Points << QStringLiteral("100") << true;
        QTest::newRow("score 999") << 2 << Field::Points << QStringLiteral("999") << true;
    }
    void limits()
    {
        QFETCH(int, type);
        QFETCH(Field, field);
        QFETCH(QString, value);
        QFETCH(bool, passes);
        QuestionDraft draft = valid(type);
        if (field == Field::Stem)
            draft.stem = value;
        else if (field == Field::Answer)
            draft.answer = value;
        else if (field == Field::Points)
            draft.points = value;
        else
            draft.options[int(field) - int(Field::OptionA)] = value;
        QCOMPARE(draft::check(draft, DraftForm::Entry).passes(), passes);
    }

    void rowOfAPassingDraft()
    {
        QuestionDraft draft = valid(5);
        draft.points = QStringLiteral("-5");
        draft.options = {QStringLiteral("x"), QStringLiteral("y"), QStringLiteral("z"),
                         QStringLiteral("w")};
        const DraftCheck check = draft::check(draft, DraftForm::Entry);
        QVERIFY(check.passes());
        QCOMPARE(check.row.stem, QStringLiteral("工作票签发人不得兼任该项工作的工作负责人。"));
        QCOMPARE(check.row.answer, QStringLiteral("论述的答案"));
        QCOMPARE(check.row.points, -5);
        QCOMPARE(check.row.type, 5);
        // Options belong to choice questions only.
        QVERIFY(check.row.options[0].isEmpty());
        // A correction keeps the score it has: the score field is not read.
        draft.points = QStringLiteral("abc");
        QVERIFY(draft::check(draft, DraftForm::Correction).passes());
    }
};

DRILLBAY_TEST(DraftRulesTest)
#include "DraftRulesTest.moc"
