#pragma once

#include "editor/SheetRows.h"

#include <QByteArray>
#include <QString>

// The first sheet of an Excel workbook (.xlsx): shared and inline strings,
// numbers, the cached values of formulas; every cell of a merged range reads
// as the range's top-left value.
class XlsxReader
{
public:
    inline static const QString kNotWorkbook =
        QStringLiteral("[软件提示]：该文件不是有效的 Excel 工作簿（.xlsx），无法读取.");
    inline static const QString kNoSheet =
        QStringLiteral("[软件提示]：Excel 工作簿中缺少工作表，无法读取.");

    static SheetRows read(const QByteArray &bytes);
    // "B" -> 1, "AA" -> 26; -1 for anything else.
    static int columnIndex(QStringView reference);
};
