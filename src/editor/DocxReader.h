#pragma once

#include <QList>
#include <QString>
#include <QStringList>

// The text of a Word document (.docx): its paragraphs in order, a table's
// cells row by row, each paragraph a line (a line break inside one starts a
// new line), numbered from 1 in that order.
class DocxReader
{
public:
    struct Result
    {
        QStringList lines;
        QString error; // empty: read
    };
    inline static const QString kNotDocument =
        QStringLiteral("[软件提示]：该文件不是有效的 Word 文档（.docx），无法读取.");
    inline static const QString kNoBody =
        QStringLiteral("[软件提示]：Word 文档中缺少正文部分（word/document.xml），无法读取.");

    static Result read(const QByteArray &bytes);
};
