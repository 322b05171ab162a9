#pragma once

#include "base/StyledText.h"
#include "store/QuestionTable.h"

#include <QList>
#include <QString>

// The texts of the viewer of known questions, "会做的试题查看": the count
// label, the rows of its four-column grid and the coloured lines of its detail
// view. Pure: reads the rows it is given, changes nothing.
namespace known {

// Stems longer than this many GBK bytes are cut in the grid.
inline constexpr int kStemCutBytes = 100;
// The detail view's separator: 47 dashes.
inline const QString kSeparator = QString(47, QLatin1Char('-'));

// One grid row: question id, short type name, stem, answer.
struct GridRow
{
    QString id;
    QString type;
    QString stem;
    QString answer;

    bool operator==(const GridRow &) const = default;
};

// "会做的试题数:" + count, then the chapter listed in brackets ("【第一章】")
// when there is one: the viewer stays up while the main window moves on to
// other chapters, so it says whose questions it lists.
QString countLabel(int count, const QString &chapter = QString());

// The grid's stem: "<BR>" removed; beyond 100 GBK bytes its first whole
// characters up to 100 bytes and "...". A double-byte character that would
// be split at the cut is left out whole.
QString gridStem(const QString &stem);

// The grid's answer column: the option letter of a single choice, the letters
// of a multiple choice in the order A … D, "正确" / "错误" of a true/false
// question, nothing for fill-in and essay questions. An answer outside its
// type's form is shown as stored, so that it is seen rather than hidden.
QString gridAnswer(int type, const QString &answer);

GridRow gridRow(const QuestionRow &row);

// The grid's rows in the given order; one empty row when there are none (the
// grid always has a row).
QList<GridRow> gridRows(const QList<QuestionRow> &rows);

// The detail of one question: the green header (number, "." and the long type
// name), the stem, the options with the correct ones red and ticked, or the
// correct answer, and the grey separator. number is the question's place in
// the grid (1-based), shown with two digits at least.
StyledText detail(const QuestionRow &row, int number);

// The detail view's text for a question that is no longer in the bank.
StyledText missingDetail();

} // namespace known
