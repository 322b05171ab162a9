#pragma once

#include <QByteArray>
#include <QString>

// Turns the bytes of a text file (or a sheet saved as CSV) into text: a
// byte-order mark is honoured (UTF-8, UTF-16); otherwise bytes that are valid
// UTF-8 are read as UTF-8 and anything else as GBK. Bytes that no text file
// holds (NUL, most control characters) mark a binary file.
class ListTextDecoder
{
public:
    inline static const QString kBinary =
        QStringLiteral("[软件提示]：该文件不是文本文件，无法读取试题.");

    struct Result
    {
        QString text;
        QString error; // empty: decoded
        QString encoding;
    };
    static Result decode(const QByteArray &bytes);
};
