#pragma once

#include <QList>
#include <QString>
#include <QVariantList>

// Writes one sheet of cells to an Excel workbook (.xlsx), row by row: a
// QString cell as text, an int cell as a number. The file is written whole
// or left as it was. Nothing else in the program includes the sheet library.
class XlsxWriter
{
public:
    // False, with the reason, when the workbook could not be written.
    static bool write(const QString &path, const QString &sheetName,
                      const QList<QVariantList> &rows, const QList<double> &columnWidths,
                      QString *reason = nullptr);
};
