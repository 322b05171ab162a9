#include "question/AnswerForm.h"

namespace answer {

QChar optionLetter(int option)
{
    if (option < 1 || option > kOptionCount)
        return QChar();
    return kOptionLetters.at(option - 1);
}

QChar optionDigit(int option)
{
    if (option < 1 || option > kOptionCount)
        return QChar();
    return QChar(char16_t(u'0' + option));
}

QString letterOfDigit(QChar digit)
{
    const int option = digit.unicode() - u'0';
    if (option < 1 || option > kOptionCount)
        return QString();
    return QString(optionLetter(option));
}

QString lettersOf(const QString &digits)
{
    QString letters;
    for (QChar digit : digits)
        letters += letterOfDigit(digit);
    return letters;
}

} // namespace answer
