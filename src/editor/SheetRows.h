#pragma once

#include <QList>
#include <QString>
#include <QStringList>

// The cells of a sheet, row by row, each row with its number in the sheet
// (counting from 1); rows without any text are left out.
struct SheetRows
{
    QList<QStringList> rows;
    QList<int> numbers;
    QString error; // empty: read
};
