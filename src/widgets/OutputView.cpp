#include "widgets/OutputView.h"

#include "widgets/CjkFonts.h"
#include "widgets/Theme.h"

#include <QColor>
#include <QContextMenuEvent>
#include <QMenu>
#include <QScrollBar>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextFrame>

OutputView::OutputView(QWidget *parent) : QTextEdit(parent)
{
    setReadOnly(true);
    setUndoRedoEnabled(false);
    setAcceptRichText(false);
    setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
    setCursorWidth(0); // read-only: no caret
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    setDefaultFont(FontFamily::Song, 11);
    applyMargin();
}

QFont OutputView::fontOf(FontFamily family, int pointSize, bool bold)
{
    QFont font;
    font.setFamilies(families(family));
    font.setPointSize(pointSize);
    font.setBold(bold);
    return font;
}

QStringList OutputView::families(FontFamily family)
{
    switch (family) {
    case FontFamily::Song:
        return cjk::songFamilies();
    case FontFamily::Kai:
        return cjk::kaiFamilies();
    case FontFamily::Hei:
        return cjk::heiFamilies();
    case FontFamily::Arial:
        return theme::latinFamilies();
    case FontFamily::Default:
        break;
    }
    return {};
}

void OutputView::setDefaultFont(FontFamily family, int pointSize)
{
    QFont f = font();
    const QStringList names = families(family);
    if (!names.isEmpty())
        f.setFamilies(names);
    if (pointSize > 0)
        f.setPointSize(pointSize);
    setFont(f);
    document()->setDefaultFont(f);
}

void OutputView::setDefaultFont(const QFont &font)
{
    const QFont f = font.resolve(this->font());
    setFont(f);
    document()->setDefaultFont(f);
}

QTextCharFormat OutputView::charFormat(const StyledSpan &span) const
{
    QTextCharFormat format;
    format.setForeground(QColor::fromRgb(span.color));
    format.setFontWeight(span.bold ? QFont::Bold : QFont::Normal);
    format.setFontUnderline(span.underline);
    const QStringList names = families(span.family);
    if (!names.isEmpty())
        format.setFontFamilies(names);
    if (span.pointSize > 0)
        format.setFontPointSize(span.pointSize);
    return format;
}

void OutputView::applyMargin()
{
    QTextFrame *root = document()->rootFrame();
    QTextFrameFormat format = root->frameFormat();
    if (format.leftMargin() != kLeftMargin) {
        format.setLeftMargin(kLeftMargin);
        root->setFrameFormat(format);
    }
}

void OutputView::write(const StyledText &lines, bool startInFirstBlock)
{
    QTextCursor cursor(document());
    cursor.movePosition(QTextCursor::End);
    cursor.beginEditBlock();
    bool first = startInFirstBlock;
    const QTextBlockFormat block;
    for (const StyledLine &line : lines) {
        const QTextCharFormat lineFormat =
            line.spans.isEmpty() ? QTextCharFormat() : charFormat(line.spans.front());
        if (first) {
            cursor.setBlockFormat(block);
            cursor.setBlockCharFormat(lineFormat);
            first = false;
        } else {
            cursor.insertBlock(block, lineFormat);
        }
        for (const StyledSpan &span : line.spans) {
            if (!span.text.isEmpty())
                cursor.insertText(span.text, charFormat(span));
        }
    }
    cursor.endEditBlock();
}

void OutputView::setLines(const StyledText &lines)
{
    document()->clear();
    applyMargin();
    m_lines = lines;
    write(lines, true);
}

void OutputView::appendLines(const StyledText &lines)
{
    const bool empty = m_lines.isEmpty();
    m_lines += lines;
    write(lines, empty);
}

void OutputView::clearLines()
{
    document()->clear();
    applyMargin();
    m_lines.clear();
}

QString OutputView::plainText() const
{
    return document()->toPlainText();
}

void OutputView::scrollToEnd()
{
    moveCursor(QTextCursor::End);
    ensureCursorVisible();
    verticalScrollBar()->setValue(verticalScrollBar()->maximum());
}

void OutputView::scrollToTop()
{
    moveCursor(QTextCursor::Start);
    verticalScrollBar()->setValue(0);
}

void OutputView::setContextActions(const QList<QAction *> &actions)
{
    m_actions = actions;
}

void OutputView::contextMenuEvent(QContextMenuEvent *event)
{
    if (m_actions.isEmpty()) {
        QTextEdit::contextMenuEvent(event);
        return;
    }
    QMenu menu(this);
    menu.addActions(m_actions);
    menu.exec(event->globalPos());
}
