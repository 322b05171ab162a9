#pragma once

#include "editor/SheetRows.h"

#include <QString>

// Rows of comma-separated values: fields in double quotes may hold commas,
// line breaks and doubled quotes. Each row is numbered by the line it starts on.
class CsvReader
{
public:
    static SheetRows read(const QString &text);
};
