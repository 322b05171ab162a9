#include "search/ui/OutputCommands.h"

#include "base/Clipboard.h"
#include "base/FileDialogs.h"
#include "base/FileReplacer.h"
#include "base/Notifier.h"
#include "widgets/OutputView.h"
#include "widgets/Theme.h"

#include <QAbstractTextDocumentLayout>
#include <QAction>
#include <QBuffer>
#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <QPrintDialog>
#include <QPrinter>
#include <QTextDocument>
#include <QTextFrame>
#include <memory>

namespace {

// A copy of the view's document for paper: the same fonts and colours.
std::unique_ptr<QTextDocument> paperCopy(const OutputView &view)
{
    std::unique_ptr<QTextDocument> document(view.document()->clone());
    document->setDefaultFont(view.document()->defaultFont());
    return document;
}

// Lays the document out on the writer's pages and paints them. The text
// fills the page inside the page margins: the document keeps no margin of its
// own, and nothing is added (no page numbers).
void paintPages(QTextDocument &document, QPdfWriter &writer)
{
    document.documentLayout()->setPaintDevice(&writer);
    document.setDocumentMargin(0);
    QTextFrameFormat root = document.rootFrame()->frameFormat();
    root.setMargin(0);
    document.rootFrame()->setFrameFormat(root);
    const QSizeF page = writer.pageLayout().paintRectPixels(writer.resolution()).size();
    document.setPageSize(page);

    QPainter painter(&writer);
    const int pages = document.pageCount();
    for (int index = 0; index < pages; ++index) {
        if (index > 0)
            writer.newPage();
        const QRectF shown(QPointF(0, index * page.height()), page);
        painter.save();
        painter.translate(0, -shown.top());
        painter.setClipRect(shown);
        QAbstractTextDocumentLayout::PaintContext context;
        // The layout draws every line that touches the clip: one device pixel
        // in from the page's edges, the lines that end or begin on the page
        // boundary are drawn on their own page only.
        context.clip = shown.adjusted(0, 1, 0, -1);
        context.palette.setColor(QPalette::Text, theme::colour(theme::Colour::Text));
        document.documentLayout()->draw(&painter, context);
        painter.restore();
    }
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
    // The writer tells no failure of its device: the PDF is made in memory
    // and then written whole, so a file that cannot take it all (a full disk)
    // is told, and an earlier file of that name stays as it was.
    QByteArray pdf;
    {
        QBuffer buffer(&pdf);
        buffer.open(QIODevice::WriteOnly);
        QPdfWriter writer(&buffer);
        writer.setPageSize(QPageSize(QPageSize::A4));
        writer.setPageMargins(QMarginsF(kPageMarginMm, kPageMarginMm, kPageMarginMm, kPageMarginMm),
                              QPageLayout::Millimeter);
        writer.setResolution(300);
        writer.setCreator(QStringLiteral("drillbay"));
        paintPages(*paperCopy(view), writer);
    }
    if (pdf.isEmpty()) {
        *reason = QStringLiteral("PDF文件没有生成");
        return false;
    }
    return FileReplacer::replace(path, pdf, reason);
}

void OutputCommands::installMenu(OutputView &view, QWidget *window, const QString &copyCaption,
                                 std::function<void()> copy, const QString &pdfName)
{
    auto *copyAction = new QAction(copyCaption, window);
    copyAction->setObjectName(OutputCommandsNames::copyAction);
    auto *printAction = new QAction(QStringLiteral("打印..."), window);
    auto *pdfAction = new QAction(QStringLiteral("导出PDF..."), window);
    view.setContextActions({copyAction, printAction, pdfAction});
    QObject::connect(copyAction, &QAction::triggered, window, std::move(copy));
    QObject::connect(printAction, &QAction::triggered, window,
                     [this, &view, window] { print(view, window); });
    QObject::connect(pdfAction, &QAction::triggered, window,
                     [this, &view, pdfName] { exportPdf(view, pdfName); });
}
