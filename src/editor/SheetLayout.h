#pragma once

#include "editor/ListDraft.h"
#include "editor/SheetRows.h"

// Questions written as a sheet: a header row names the columns, in any order
// (题型, 题目, 选项A … 选项D, 答案, 分值, 解析, and their usual other names),
// then a question a row. The type is a name or its number 1 … 5; a row
// without one takes its type from its shape, as in a text list.
class SheetLayout
{
public:
    inline static const QString kNoHeader = QStringLiteral(
        "[软件提示]：表格中没有找到列名行。第一行应写明各列：题型、题目、选项A、选项B、选项C、"
        "选项D、答案、分值、解析（至少要有题目和答案）.");
    inline static const QStringList kHeader = {
        QStringLiteral("题型"),  QStringLiteral("题目"),  QStringLiteral("选项A"),
        QStringLiteral("选项B"), QStringLiteral("选项C"), QStringLiteral("选项D"),
        QStringLiteral("答案"),  QStringLiteral("分值"),  QStringLiteral("解析")};

    static ListReading read(const SheetRows &sheet);
};
