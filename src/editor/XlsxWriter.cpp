#include "editor/XlsxWriter.h"

#include "base/FileReplacer.h"

#include <QFile>
#include <QTemporaryDir>
#include <xlsxwriter.h>

bool XlsxWriter::write(const QString &path, const QString &sheetName,
                       const QList<QVariantList> &rows, const QList<double> &columnWidths,
                       QString *reason)
{
    // The library writes to a file of its own; the finished workbook then
    // replaces the file at the path in one step.
    QTemporaryDir folder;
    if (!folder.isValid()) {
        if (reason)
            *reason = folder.errorString();
        return false;
    }
    const QByteArray scratch = QFile::encodeName(folder.filePath(QStringLiteral("sheet.xlsx")));
    const QByteArray scratchFolder = QFile::encodeName(folder.path());
    lxw_workbook_options options = {};
    options.constant_memory = LXW_TRUE;
    options.tmpdir = const_cast<char *>(scratchFolder.constData());
    lxw_workbook *workbook = workbook_new_opt(scratch.constData(), &options);
    if (!workbook) {
        if (reason)
            *reason = QStringLiteral("无法建立工作簿");
        return false;
    }
    lxw_worksheet *sheet = workbook_add_worksheet(workbook, sheetName.toUtf8().constData());
    lxw_error failure = LXW_NO_ERROR;
    for (int c = 0; sheet && c < columnWidths.size(); ++c)
        worksheet_set_column(sheet, static_cast<lxw_col_t>(c), static_cast<lxw_col_t>(c),
                             columnWidths[c], nullptr);
    for (int r = 0; sheet && r < rows.size() && failure == LXW_NO_ERROR; ++r) {
        const QVariantList &row = rows[r];
        for (int c = 0; c < row.size() && failure == LXW_NO_ERROR; ++c) {
            const QVariant &cell = row[c];
            if (cell.typeId() == QMetaType::Int) {
                failure = worksheet_write_number(sheet, static_cast<lxw_row_t>(r),
                                                 static_cast<lxw_col_t>(c), cell.toInt(), nullptr);
            } else {
                const QString text = cell.toString();
                if (!text.isEmpty())
                    failure = worksheet_write_string(sheet, static_cast<lxw_row_t>(r),
                                                     static_cast<lxw_col_t>(c),
                                                     text.toUtf8().constData(), nullptr);
            }
        }
    }
    const lxw_error closed = workbook_close(workbook);
    if (!sheet || failure != LXW_NO_ERROR || closed != LXW_NO_ERROR) {
        if (reason)
            *reason = QString::fromUtf8(lxw_strerror(failure != LXW_NO_ERROR ? failure : closed));
        return false;
    }
    QFile finished(QFile::decodeName(scratch));
    if (!finished.open(QIODevice::ReadOnly)) {
        if (reason)
            *reason = finished.errorString();
        return false;
    }
    return FileReplacer::replace(path, finished.readAll(), reason);
}
