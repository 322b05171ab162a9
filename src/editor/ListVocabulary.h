#pragma once

#include <QString>

// The words question lists of this trade use for types and answers, shared by
// the text and the sheet layouts and by the export.
namespace listvocab {

// The type a heading or a type cell names ("单项选择题", "多选", "判断题",
// "简答题", "3" …); 0 when it names none.
int typeOfName(const QString &name);
// The name the export writes for a type: "单项选择题" … "论述题".
QString headingName(int type);
// The short name of a type in a sheet: "单选题" … "论述题".
QString cellName(int type);

// Choice letters ("B", "a c", "A、C、D") as stored digits in the order A … D
// ("134"); empty when anything but the letters A … D and separators is given.
QString choiceDigits(const QString &letters);
// "√", "对", "正确", "T" … give "1"; "×", "错", "错误", "F" … give "0"; else empty.
QString trueFalseValue(const QString &word);
// The words the export writes for a stored true/false answer.
QString trueFalseWord(const QString &stored);

} // namespace listvocab
