#include "search/ui/OutputCommands.h"

#include "base/Clipboard.h"
#include "base/FileDialogs.h"
#include "base/Notifier.h"
#include "widgets/OutputView.h"

#include <QAction>
#include <QFile>
#include <QFileInfo>
#include <QPageLayout>
#include <QPageSize>
#include <QPdfWriter>
#include <QPrintDialog>
#include <QPrinter>
#include <QTextDocument>
#include <memory>

namespace {

// A copy of the view's document for paper: the same fonts and colours.
std::unique_ptr<QTextDocument> paperCopy(const OutputView &view)
{
    std::unique_ptr<QTextDocument> document(view.document()->clone());
    document->setDefaultFont(view.document()->defaultFont());
    return document;
}

} // namespace

OutputCommands::OutputCommands(Clipboard &clipboard, Notifier &notifier, FileDialogs &dialogs)
    : m_clipboard(clipboard), m_notifier(notifier), m_dialogs(dialogs)
{
}

void OutputCommands::copy(const OutputView &view, const QString &notice)
{
    if (!m_clipboard.setFormatted(plainText(view.lines()), view.document()->toHtml())) {
        m_notifier.inform(QStringLiteral("[软件提示]：剪切板无法写入，本页数据没有复制。"));
        return;
    }
    m_notifier.inform(notice);
}

void OutputCommands::print(const OutputView &view, QWidget *parent)
{
    QPrinter printer(QPrinter::HighResolution);
    printer.setPageSize(QPageSize(QPageSize::A4));
    QPrintDialog dialog(&printer, parent);
    dialog.setWindowTitle(QStringLiteral("打印"));
    if (dialog.exec() != QDialog::Accepted)
        return;
    paperCopy(view)->print(&printer);
    if (printer.printerState() == QPrinter::Error)
        m_notifier.inform(QStringLiteral("[软件提示]：打印未能完成，请检查打印机。"));
}

void OutputCommands::exportPdf(const OutputView &view, const QString &suggestedName)
{
    const QString path = m_dialogs.saveFileName(QStringLiteral("导出PDF"), suggestedName,
                                                QStringLiteral("PDF 文件 (*.pdf)"));
    if (path.isEmpty())
        return;
    QString reason;
    if (!writePdf(view, path, &reason)) {
        m_notifier.inform(QStringLiteral("[软件提示]：PDF文件未能写入：") + path +
                          QStringLiteral("。原因：") + reason);
        return;
    }
    m_notifier.inform(QStringLiteral("[软件提示]：已导出PDF文件：") + path);
}

bool OutputCommands::writePdf(const OutputView &view, const QString &path, QString *reason)
{
    {
        // The writer says nothing when it cannot open its file: try it first.
        QFile probe(path);
        if (!probe.open(QIODevice::WriteOnly)) {
            *reason = probe.errorString();
            return false;
        }
    }
    {
        QPdfWriter writer(path);
        writer.setPageSize(QPageSize(QPageSize::A4));
        writer.setPageMargins(QMarginsF(15, 15, 15, 15), QPageLayout::Millimeter);
        writer.setResolution(300);
        writer.setCreator(QStringLiteral("drillbay"));
        paperCopy(view)->print(&writer);
    }
    if (QFileInfo(path).size() == 0) {
        *reason = QStringLiteral("写入的文件是空的");
        return false;
    }
    return true;
}

void OutputCommands::installMenu(OutputView &view, QWidget *window, const QString &copyCaption,
                                 std::function<void()> copy, const QString &pdfName)
{
    auto *copyAction = new QAction(copyCaption, window);
    copyAction->setObjectName(QStringLiteral("N2"));
    auto *printAction = new QAction(QStringLiteral("打印..."), window);
    auto *pdfAction = new QAction(QStringLiteral("导出PDF..."), window);
    view.setContextActions({copyAction, printAction, pdfAction});
    QObject::connect(copyAction, &QAction::triggered, window, std::move(copy));
    QObject::connect(printAction, &QAction::triggered, window,
                     [this, &view, window] { print(view, window); });
    QObject::connect(pdfAction, &QAction::triggered, window,
                     [this, &view, pdfName] { exportPdf(view, pdfName); });
}
