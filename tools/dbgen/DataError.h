#pragma once

#include <QString>
#include <stdexcept>

// A refused source file, a refused option or a failed write. The message is
// complete ("data/banks/01-x.txt:17: unknown question type ..."): the program
// prints it as it is and ends with a non-zero status.
class DataError : public std::runtime_error
{
public:
    explicit DataError(const QString &message)
        : std::runtime_error(message.toStdString()), m_message(message)
    {
    }
    // Names the place in a source file: "FILE:LINE: message".
    static DataError at(const QString &file, int line, const QString &message)
    {
        return DataError(QStringLiteral("%1:%2: %3").arg(file).arg(line).arg(message));
    }
    QString message() const { return m_message; }

private:
    QString m_message;
};
