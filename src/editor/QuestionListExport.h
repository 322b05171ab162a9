#pragma once

#include "store/QuestionTable.h"

#include <QList>
#include <QString>
#include <QVariantList>

// Writes questions as a list that the import reads back: a sheet (.xlsx) in
// the sheet layout, a header row and a question a row, or a text (.txt) in
// the text layout, a section per type with numbered questions, their options,
// answer, score and analysis.
class QuestionListExport
{
public:
    enum class Encoding
    {
        Gbk,
        Utf8
    };

    static QString text(const QList<QuestionRow> &questions);
    static QList<QVariantList> sheet(const QList<QuestionRow> &questions);

    // Chooses the layout by the file's suffix: ".xlsx" a sheet, anything else
    // text. False, with the reason, when the file could not be written.
    static bool write(const QString &path, const QList<QuestionRow> &questions, Encoding encoding,
                      QString *reason = nullptr);

    inline static const QString kWritten = QStringLiteral("已导出 %1 道试题到 %2");
    inline static const QString kNotWritten = QStringLiteral("[软件提示]：试题没有导出，原因：");
};
