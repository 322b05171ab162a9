#pragma once

#include <QSqlDatabase>
#include <QString>

class FileDialogs;
class Notifier;

// "导出本章试题...": the chapter the editor shows (the bank shown when no
// chapter is chosen) written as a question list; the user picks the file,
// .xlsx for a sheet or .txt for text, and for text the encoding.
class ListExport
{
public:
    inline static const QString kCaption = QStringLiteral("导出本章试题");
    inline static const QString kFilter = QStringLiteral("Excel 工作簿 (*.xlsx);;文本文件 (*.txt)");
    inline static const QString kAskGbk =
        QStringLiteral("文本文件以 GBK 编码保存吗？\n选“是”以 GBK 保存，选“否”以 UTF-8 保存。");
    inline static const QString kNothingChosen =
        QStringLiteral("[软件提示]：请先选择试题库或章节，再导出试题.");

    ListExport(QSqlDatabase db, Notifier &notifier, FileDialogs &dialogs);

    // Asks for the file and writes it; true when a file was written.
    bool run(qint64 chapterId, qint64 bankId, const QString &suggestedName);

private:
    QSqlDatabase m_db;
    Notifier &m_notifier;
    FileDialogs &m_dialogs;
};
