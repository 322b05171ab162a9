#pragma once

#include <QList>
#include <QString>
#include <QVariantList>

// Writes one sheet of cells to an Excel workbook (.xlsx), row by row: a
// QString cell as text, an int cell as a number. The file is written whole
// or left as it was. The sheet library works in a process of its own
// (drillbay_xlsxwrite, beside the program): its zip functions have the names
// of the archive library's, and one process cannot hold both.
class XlsxWriter
{
public:
    // False, with the reason, when the workbook could not be written.
    static bool write(const QString &path, const QString &sheetName,
                      const QList<QVariantList> &rows, const QList<double> &columnWidths,
                      QString *reason = nullptr);
};
