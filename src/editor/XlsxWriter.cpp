#include "editor/XlsxWriter.h"

#include "base/FileReplacer.h"

#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>

namespace {

// The sheet writer beside the program, else the one of the build.
QString writerProgram()
{
    const QString beside =
        QCoreApplication::applicationDirPath() + QStringLiteral("/drillbay_xlsxwrite");
    if (QFileInfo(beside).isExecutable())
        return beside;
#ifdef DRILLBAY_XLSXWRITE
    return QStringLiteral(DRILLBAY_XLSXWRITE);
#else
    return beside;
#endif
}

QByteArray cellsOf(const QList<QVariantList> &rows, const QList<double> &columnWidths)
{
    QByteArray cells;
    for (int c = 0; c < columnWidths.size(); ++c)
        cells += "W " + QByteArray::number(c) + ' ' + QByteArray::number(columnWidths[c]) + '\n';
    for (int r = 0; r < rows.size(); ++r) {
        const QByteArray row = QByteArray::number(r);
        for (int c = 0; c < rows[r].size(); ++c) {
            const QVariant &cell = rows[r][c];
            const QByteArray at = row + ' ' + QByteArray::number(c);
            if (cell.typeId() == QMetaType::Int) {
                cells += "N " + at + ' ' + QByteArray::number(cell.toInt()) + '\n';
            } else {
                const QByteArray text = cell.toString().toUtf8();
                if (!text.isEmpty())
                    cells += "S " + at + ' ' + QByteArray::number(text.size()) + '\n' + text;
            }
        }
    }
    return cells;
}

} // namespace

bool XlsxWriter::write(const QString &path, const QString &sheetName,
                       const QList<QVariantList> &rows, const QList<double> &columnWidths,
                       QString *reason)
{
    // The writer makes the workbook in a folder of its own; the finished
    // workbook then replaces the file at the path in one step.
    QTemporaryDir folder;
    if (!folder.isValid()) {
        if (reason)
            *reason = folder.errorString();
        return false;
    }
    const QString scratch = folder.filePath(QStringLiteral("sheet.xlsx"));
    QProcess writer;
    writer.start(writerProgram(), {scratch, sheetName});
    if (!writer.waitForStarted()) {
        if (reason)
            *reason = QStringLiteral("无法启动表格写入程序：") + writer.errorString();
        return false;
    }
    writer.write(cellsOf(rows, columnWidths));
    writer.closeWriteChannel();
    writer.waitForFinished(-1);
    if (writer.exitStatus() != QProcess::NormalExit || writer.exitCode() != 0) {
        if (reason)
            *reason = QString::fromUtf8(writer.readAllStandardError()).trimmed();
        return false;
    }
    QFile finished(scratch);
    if (!finished.open(QIODevice::ReadOnly)) {
        if (reason)
            *reason = finished.errorString();
        return false;
    }
    return FileReplacer::replace(path, finished.readAll(), reason);
}
