#pragma once

#include "editor/ListDraft.h"

#include <QByteArray>
#include <QString>

// The one way in for question lists: a file (.txt, .docx, .xlsx, .csv; any
// other name is read as text) or a pasted text, read to drafts with their
// line or row numbers, or refused with a message that says why.
class QuestionListReader
{
public:
    inline static const QString kNoQuestion =
        QStringLiteral("[软件提示]：没有找到试题，请检查文件的格式.");
    inline static const QString kCannotOpen = QStringLiteral("[软件提示]：无法打开文件：");

    static ListReading readFile(const QString &path);
    // The bytes of a file with that name (the suffix chooses the reader).
    static ListReading readBytes(const QByteArray &bytes, const QString &fileName);
    static ListReading readText(const QString &text);
};
