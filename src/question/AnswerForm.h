#pragma once

#include <QChar>
#include <QString>

// How answers are written down. Choice answers are stored as option digits
// ("1" … "4"; a multiple-choice answer is the ticked digits in ascending
// order, "134"), shown as letters ("A" … "D"); a true/false answer is "1"
// (对) or "0" (错); fill-in and essay answers are free text.
namespace answer {

inline constexpr int kOptionCount = 4;

// "A" … "D" for options 1 … 4; an empty letter outside.
QChar optionLetter(int option);
// The option letter of a stored digit "1" … "4"; empty for anything else.
QString letterOfDigit(QChar digit);
// Every digit of a choice answer as its letter ("134" -> "ACD"); characters
// that are not option digits are left out.
QString lettersOf(const QString &digits);

inline const QString kTrue = QStringLiteral("1");
inline const QString kFalse = QStringLiteral("0");

} // namespace answer
