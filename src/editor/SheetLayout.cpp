#include "editor/SheetLayout.h"

#include "base/GbkText.h"
#include "editor/ListVocabulary.h"
#include "question/AnswerForm.h"

#include <QHash>
#include <QRegularExpression>
#include <array>

namespace {

enum Column
{
    Type,
    Stem,
    OptionA,
    OptionB,
    OptionC,
    OptionD,
    Answer,
    Points,
    Note,
    ColumnCount
};

int columnOfName(const QString &name)
{
    static const QHash<QString, int> names = {
        {QStringLiteral("题型"), Type},       {QStringLiteral("试题类型"), Type},
        {QStringLiteral("类型"), Type},       {QStringLiteral("题目类型"), Type},
        {QStringLiteral("题目"), Stem},       {QStringLiteral("试题"), Stem},
        {QStringLiteral("题干"), Stem},       {QStringLiteral("试题内容"), Stem},
        {QStringLiteral("选项A"), OptionA},   {QStringLiteral("A"), OptionA},
        {QStringLiteral("选择项A"), OptionA}, {QStringLiteral("选项B"), OptionB},
        {QStringLiteral("B"), OptionB},       {QStringLiteral("选择项B"), OptionB},
        {QStringLiteral("选项C"), OptionC},   {QStringLiteral("C"), OptionC},
        {QStringLiteral("选择项C"), OptionC}, {QStringLiteral("选项D"), OptionD},
        {QStringLiteral("D"), OptionD},       {QStringLiteral("选择项D"), OptionD},
        {QStringLiteral("答案"), Answer},     {QStringLiteral("正确答案"), Answer},
        {QStringLiteral("参考答案"), Answer}, {QStringLiteral("分值"), Points},
        {QStringLiteral("分数"), Points},     {QStringLiteral("解析"), Note},
        {QStringLiteral("答案解析"), Note},
    };
    QString key = text::trimmed(name);
    key.remove(QLatin1Char(' '));
    key.remove(QChar(0x3000));
    return names.value(key, names.value(key.toUpper(), -1));
}

QString cellAt(const QStringList &row, int column)
{
    return column >= 0 ? row.value(column) : QString();
}

int typeOfShape(const std::array<QString, answer::kOptionCount> &options, const QString &answer)
{
    if (!options[0].isEmpty() || !options[1].isEmpty())
        return listvocab::choiceDigits(answer).size() > 1 ? 2 : 1;
    if (!listvocab::trueFalseValue(answer).isEmpty())
        return 4;
    return 5;
}

} // namespace

ListReading SheetLayout::read(const SheetRows &sheet)
{
    if (!sheet.error.isEmpty())
        return ListReading::failed(sheet.error);
    // The header is the first of the first rows naming a stem and an answer.
    std::array<int, ColumnCount> at{};
    qsizetype header = -1;
    for (qsizetype r = 0; r < sheet.rows.size() && r < 10 && header < 0; ++r) {
        at.fill(-1);
        const QStringList &row = sheet.rows[r];
        for (int c = 0; c < row.size(); ++c) {
            const int column = columnOfName(row[c]);
            if (column >= 0 && at[static_cast<size_t>(column)] < 0)
                at[static_cast<size_t>(column)] = c;
        }
        if (at[Stem] >= 0 && at[Answer] >= 0)
            header = r;
    }
    if (header < 0)
        return ListReading::failed(kNoHeader);

    ListReading reading;
    for (qsizetype r = header + 1; r < sheet.rows.size(); ++r) {
        const QStringList &row = sheet.rows[r];
        ListDraft item;
        item.line = sheet.numbers.value(r);
        QuestionDraft &d = item.draft;
        std::array<QString, answer::kOptionCount> options;
        for (int i = 0; i < answer::kOptionCount; ++i)
            options[static_cast<size_t>(i)] = text::trimmed(cellAt(row, at[OptionA + i]));
        const QString raw = text::trimmed(cellAt(row, at[Answer]));
        const QString typeCell = text::trimmed(cellAt(row, at[Type]));
        d.type = typeCell.isEmpty() ? typeOfShape(options, raw) : listvocab::typeOfName(typeCell);
        d.stem = cellAt(row, at[Stem]);
        QString points = text::trimmed(cellAt(row, at[Points]));
        // A whole number a sheet keeps as "2.0" is the score 2.
        static const QRegularExpression wholeFloat(QStringLiteral("^(-?\\d+)\\.0+$"));
        const QRegularExpressionMatch whole = wholeFloat.match(points);
        if (whole.hasMatch())
            points = whole.captured(1);
        d.points = at[Points] >= 0 && !points.isEmpty() ? points : draft::kDefaultPoints;
        item.note = text::trimmed(cellAt(row, at[Note]));
        switch (d.type) {
        case 1:
        case 2: {
            d.options = options;
            const QString digits = listvocab::choiceDigits(raw);
            if (d.type == 2 || digits.size() == 1)
                d.answer = digits;
            break;
        }
        case 4:
            d.answer = listvocab::trueFalseValue(raw);
            if (d.answer.isEmpty() && (raw == u"1" || raw == u"0"))
                d.answer = raw;
            break;
        default:
            d.answer = cellAt(row, at[Answer]);
            break;
        }
        reading.drafts.append(item);
    }
    return reading;
}
