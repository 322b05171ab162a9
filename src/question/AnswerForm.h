#pragma once

#include <QChar>
#include <QLatin1StringView>
#include <QString>

// How answers are written down. Choice answers are stored as option digits
// ("1" … "4"; a multiple-choice answer is the ticked digits in ascending
// order, "134"), shown as letters ("A" … "D"); a true/false answer is "1"
// (对) or "0" (错); fill-in and essay answers are free text.
namespace answer {

inline constexpr int kOptionCount = 4;
// The option letters in the order of the options.
inline constexpr QLatin1StringView kOptionLetters{"ABCD"};
static_assert(kOptionLetters.size() == kOptionCount);

// "A" … "D" for options 1 … 4; an empty letter outside.
QChar optionLetter(int option);
// The stored digit "1" … "4" of options 1 … 4; an empty character outside.
QChar optionDigit(int option);
// The option letter of a stored digit "1" … "4"; empty for anything else.
QString letterOfDigit(QChar digit);
// Every digit of a choice answer as its letter ("134" -> "ACD"); characters
// that are not option digits are left out.
QString lettersOf(const QString &digits);

inline const QString kTrue = QStringLiteral("1");
inline const QString kFalse = QStringLiteral("0");

// The stored true/false answer of a choice: kTrue for 对, kFalse for 错.
inline QString trueFalseValue(bool value)
{
    return value ? kTrue : kFalse;
}

} // namespace answer
