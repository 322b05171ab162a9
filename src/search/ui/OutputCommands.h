#pragma once

#include <QString>
#include <functional>

class Clipboard;
class FileDialogs;
class Notifier;
class OutputView;
class QWidget;

// The object names by which tests and stored layouts find the controls.
struct OutputCommandsNames
{
    static constexpr QLatin1StringView copyAction{"N2"};
};

// The context-menu commands of a question listing: copy to the clipboard
// (plain and formatted text), print through the system print dialog and
// export an A4 PDF with the view's fonts and colours.
class OutputCommands
{
public:
    OutputCommands(Clipboard &clipboard, Notifier &notifier, FileDialogs &dialogs);

    // Copies the whole view, then the window's own notice (also for an empty view).
    void copy(const OutputView &view, const QString &notice);
    // The system print dialog; cancelled: nothing printed, nothing said.
    void print(const OutputView &view, QWidget *parent);
    // Asks for a file name and writes the PDF; a file that cannot be written
    // is told in a notice.
    void exportPdf(const OutputView &view, const QString &suggestedName);

    // The view's context menu: the window's copy command (copyAction) under
    // its own caption, "打印..." and "导出PDF..." suggesting pdfName.
    void installMenu(OutputView &view, QWidget *window, const QString &copyCaption,
                     std::function<void()> copy, const QString &pdfName);

    // The margins of a PDF page on every side.
    static constexpr double kPageMarginMm = 15;

    // Writes the view's text as an A4 PDF, the text inside the page margins;
    // false with the reason when the file cannot be written whole.
    static bool writePdf(const OutputView &view, const QString &path, QString *reason);

private:
    Clipboard &m_clipboard;
    Notifier &m_notifier;
    FileDialogs &m_dialogs;
};
