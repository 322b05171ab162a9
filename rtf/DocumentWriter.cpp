#include "DocumentWriter.h"

#include <QTextBlock>
#include <QTextDocument>
#include <QTextImageFormat>
#include <QTextTable>
#include <QUrl>
#include <algorithm>
#include <cmath>
#include <limits>

namespace rtf {

namespace {

// Lengths beyond a page's reach are clamped so that layout arithmetic never overflows.
int boundedTwips(int twips)
{
    return std::clamp(twips, -31680, 31680);
}

double twipsToPixels(int twips)
{
    return boundedTwips(twips) / 15.0;
}

} // namespace

DocumentWriter::DocumentWriter(QTextDocument &document, ReadingBudget &budget)
    : m_document(document), m_budget(budget), m_cursor(&document)
{
    m_cursor.beginEditBlock();
}

DocumentWriter::CharKey DocumentWriter::plainKey(bool hidden)
{
    return CharKey(std::numeric_limits<int>::min(), 0, hidden ? hiddenFlag : 0, 0, 0, 0);
}

DocumentWriter::CharKey DocumentWriter::keyOf(const TextStyle &style)
{
    // An absent colour is kept apart from every colour by an alpha of 0 with
    // a value no colour table makes.
    const QRgb unset = 0x00123456;
    const int flags = int(style.bold) | int(style.italic) << 1 | int(style.underline) << 2 |
                      int(style.strike) << 3 | (style.hidden ? hiddenFlag : 0);
    return CharKey(style.font ? style.font->number : std::numeric_limits<int>::min() + 1,
                   int(std::lround(style.points * 2)), flags, style.vertical,
                   style.foreground.isValid() ? style.foreground.rgba() : unset,
                   style.background.isValid() ? style.background.rgba() : unset);
}

// The format of a style; past the budget of formats a new one is the plain
// format and key becomes the plain key.
QTextCharFormat DocumentWriter::charFormat(const TextStyle &style, CharKey &key)
{
    key = keyOf(style);
    if (key == m_lastKey) {
        key = m_lastResolved;
        return m_lastFormat;
    }
    m_lastKey = key;
    if (const auto found = m_charFormats.find(key); found != m_charFormats.end()) {
        m_lastResolved = key;
        m_lastFormat = found->second;
        return m_lastFormat;
    }
    if (!m_budget.take(Construct::Formats)) {
        key = m_lastResolved = plainKey(style.hidden);
        m_lastFormat = QTextCharFormat();
        return m_lastFormat;
    }
    QTextCharFormat format;
    if (style.font && !style.font->families.isEmpty()) {
        format.setFontFamilies(style.font->families);
        format.setFontStyleHint(style.font->hint);
    }
    format.setFontPointSize(style.points);
    format.setFontWeight(style.bold ? QFont::Bold : QFont::Normal);
    format.setFontItalic(style.italic);
    format.setFontUnderline(style.underline);
    format.setFontStrikeOut(style.strike);
    if (style.foreground.isValid())
        format.setForeground(style.foreground);
    if (style.background.isValid())
        format.setBackground(style.background);
    if (style.vertical == 1)
        format.setVerticalAlignment(QTextCharFormat::AlignSuperScript);
    else if (style.vertical == 2)
        format.setVerticalAlignment(QTextCharFormat::AlignSubScript);
    m_charFormats.emplace(key, format);
    m_lastResolved = key;
    m_lastFormat = format;
    return format;
}

QTextCharFormat DocumentWriter::charFormat(const TextStyle &style)
{
    CharKey key;
    return charFormat(style, key);
}

QTextBlockFormat DocumentWriter::blockFormat(const ParagraphStyle &paragraph)
{
    const BlockKey key(int(paragraph.alignment), boundedTwips(paragraph.left),
                       boundedTwips(paragraph.right), boundedTwips(paragraph.firstLine),
                       boundedTwips(paragraph.before), boundedTwips(paragraph.after));
    if (const auto found = m_blockFormats.find(key); found != m_blockFormats.end())
        return found->second;
    if (!m_budget.take(Construct::Formats))
        return QTextBlockFormat();
    QTextBlockFormat format;
    format.setAlignment(paragraph.alignment);
    format.setLeftMargin(twipsToPixels(paragraph.left));
    format.setRightMargin(twipsToPixels(paragraph.right));
    format.setTextIndent(twipsToPixels(paragraph.firstLine));
    format.setTopMargin(twipsToPixels(paragraph.before));
    format.setBottomMargin(twipsToPixels(paragraph.after));
    m_blockFormats.emplace(key, format);
    return format;
}

void DocumentWriter::addText(QStringView text, const TextStyle &style, bool inTable)
{
    // With the tables used up, text in a table is text like any other.
    inTable = inTable && !m_tablesOff;
    CharKey key;
    QTextCharFormat format;
    if (m_plainOnly)
        key = plainKey(style.hidden);
    else
        format = charFormat(style, key);
    if (!m_run.isEmpty() && (key != m_runKey || inTable != m_runInTable))
        writeRun();
    if (m_run.isEmpty()) {
        if (key != m_runKey && !m_plainOnly && !m_budget.takeFormatChange()) {
            // Past the changes of format a document may make, the rest of its
            // text reads in the plain format.
            m_plainOnly = true;
            key = plainKey(style.hidden);
            format = QTextCharFormat();
        }
        m_runKey = key;
        m_runFormat = format;
        m_runInTable = inTable;
    }
    m_run += text;
    if (m_run.size() >= longestRun)
        writeRun();
}

void DocumentWriter::writeRun()
{
    if (m_run.isEmpty())
        return;
    if (!(std::get<2>(m_runKey) & hiddenFlag)) {
        // Halves of a surrogate pair that lost their partner read as U+FFFD.
        for (qsizetype i = 0; i < m_run.size(); ++i) {
            const QChar ch = m_run.at(i);
            if (ch.isHighSurrogate() && i + 1 < m_run.size() && m_run.at(i + 1).isLowSurrogate())
                ++i;
            else if (ch.isSurrogate())
                m_run[i] = QChar::ReplacementCharacter;
        }
        prepareContent(m_runInTable, m_runFormat);
        m_cursor.insertText(m_run, m_runFormat);
    }
    m_run.clear();
}

void DocumentWriter::lineBreak(const TextStyle &style, bool inTable)
{
    addText(m_budget.take(Construct::Paragraphs) ? u"\u2028" : u" ", style, inTable);
}

void DocumentWriter::paragraph(const ParagraphStyle &paragraph, const TextStyle &style)
{
    if (!m_budget.take(Construct::Paragraphs)) {
        addText(u" ", style, paragraph.inTable);
        return;
    }
    writeRun();
    const QTextCharFormat format = charFormat(style);
    // A notice of a cut ends where the paragraph does.
    prepareContent(paragraph.inTable, format, false);
    const QTextBlockFormat block = blockFormat(paragraph);
    m_cursor.setBlockFormat(block);
    m_cursor.insertBlock(block, format);
}

void DocumentWriter::picture(const ShownPicture &shown, const TextStyle &style, bool inTable)
{
    writeRun();
    const QTextCharFormat format = charFormat(style);
    prepareContent(inTable, format);
    const QString name = QStringLiteral("rtf-picture:%1").arg(shown.imageId);
    if (m_pictureImages.insert(shown.imageId).second)
        m_document.addResource(QTextDocument::ImageResource, QUrl(name), shown.image);
    QTextImageFormat image;
    image.merge(format);
    image.setName(name);
    image.setWidth(shown.size.width());
    image.setHeight(shown.size.height());
    image.setProperty(QTextFormat::UserProperty, shown.placeholder);
    m_cursor.insertImage(image);
}

// Writes, where the cursor stands, one line for each construct the budget cut
// since the last time: on a line of its own, the content before it and, when
// endLine, the content after it on lines of their own.
void DocumentWriter::tellCuts(bool endLine)
{
    const std::vector<Construct> cuts = m_budget.untold();
    if (cuts.empty())
        return;
    QTextCharFormat format;
    format.setForeground(QColor(0x80, 0x80, 0x80));
    for (size_t i = 0; i < cuts.size(); ++i) {
        if (i > 0 || m_cursor.block().length() > 1)
            m_cursor.insertBlock(QTextBlockFormat(), format);
        m_cursor.insertText(ReadingBudget::notice(cuts[i]), format);
    }
    if (endLine)
        m_cursor.insertBlock(QTextBlockFormat(), format);
}

void DocumentWriter::prepareContent(bool inTable, const QTextCharFormat &format, bool endNoticeLine)
{
    placeCursor(inTable, format);
    tellCuts(endNoticeLine);
}

// Puts the cursor where the next content goes: into the table (opening it, or
// its next row or cell, as the marks before asked) or after it.
void DocumentWriter::placeCursor(bool inTable, const QTextCharFormat &format)
{
    m_inRowDefinition = false;
    if (inTable && !m_tablesOff) {
        if (!m_table) {
            openTable();
        } else if (m_rowPending) {
            appendRow();
        } else if (m_cellPending) {
            m_cellPending = false;
            if (m_column + 1 < m_table->columns()) {
                ++m_column;
            } else if (m_table->columns() < maxTableColumns &&
                       m_budget.take(Construct::TableCells, m_table->rows())) {
                m_table->appendColumns(1);
                ++m_column;
            } else {
                // No room for another column: the cell's text goes on after a tab.
                m_cursor.insertText(QStringLiteral("\t"), format);
                return;
            }
            m_cursor = m_table->cellAt(m_row, m_column).firstCursorPosition();
        }
    } else if (m_table) {
        closeTable();
    }
}

void DocumentWriter::rowDefaults()
{
    m_rowDefinition = RowDefinition();
    m_inRowDefinition = true;
}

void DocumentWriter::cellBoundary(int twips)
{
    if (m_rowDefinition.boundaries.size() < size_t(maxTableColumns))
        m_rowDefinition.boundaries.push_back(twips);
}

void DocumentWriter::otherWord(std::string_view word)
{
    if (m_inRowDefinition && word.substr(0, 4) == "brdr" && word != "brdrnone" && word != "brdrw" &&
        word != "brdrcf")
        m_rowDefinition.bordered = true;
}

void DocumentWriter::openTable()
{
    const int columns = std::clamp(int(m_rowDefinition.boundaries.size()), 1, maxTableColumns);
    // A table costs more than its cells (a frame of its own): it counts as
    // two cells more.
    if (!m_budget.take(Construct::TableCells, columns + tableCost)) {
        m_tablesOff = true;
        return;
    }
    QTextTableFormat format;
    format.setBorder(m_rowDefinition.bordered ? 1 : 0);
    format.setBorderStyle(QTextFrameFormat::BorderStyle_Solid);
    format.setBorderBrush(QColor(Qt::black));
    format.setBorderCollapse(true);
    format.setCellSpacing(0);
    format.setCellPadding(std::clamp(twipsToPixels(m_rowDefinition.gap), 2.0, 20.0));
    format.setAlignment(m_rowDefinition.alignment);
    if (!m_rowDefinition.boundaries.empty()) {
        QList<QTextLength> widths;
        int previous = m_rowDefinition.left;
        for (int boundary : m_rowDefinition.boundaries) {
            const qint64 width = qint64(boundary) - previous;
            widths << (width > 0 ? QTextLength(QTextLength::FixedLength,
                                               twipsToPixels(int(std::min<qint64>(width, 31680))))
                                 : QTextLength());
            previous = boundary;
        }
        format.setColumnWidthConstraints(widths);
    }
    // A table that follows a paragraph mark takes the place of the empty block the
    // mark left, rather than standing below an empty line.
    const QTextBlock block = m_cursor.block();
    if (block.length() == 1 && block.previous().isValid() &&
        !QTextCursor(block.previous()).currentTable() &&
        m_cursor.currentFrame() == m_document.rootFrame())
        m_cursor.deletePreviousChar();
    m_table = m_cursor.insertTable(1, columns, format);
    m_row = 0;
    m_column = 0;
    m_rowPending = false;
    m_cellPending = false;
    m_cursor = m_table->cellAt(0, 0).firstCursorPosition();
}

void DocumentWriter::appendRow()
{
    const int columns = m_table->columns();
    if (m_row + 1 >= m_table->rows()) {
        // Rows come in growing batches, the spare ones removed when the table
        // ends: Qt works out a table's grid anew after every addition, so rows
        // added one by one would cost the square of their number.
        const qint64 room = m_budget.remaining(Construct::TableCells) / columns;
        const int add = int(std::min<qint64>(std::max(1, m_table->rows()), room));
        if (add < 1) {
            // The document has all the table cells it may have: the rest reads as paragraphs.
            m_budget.refuse(Construct::TableCells);
            closeTable();
            m_tablesOff = true;
            return;
        }
        m_table->appendRows(add);
        m_budget.take(Construct::TableCells, qint64(add) * columns);
    }
    ++m_row;
    m_column = 0;
    m_rowPending = false;
    m_cellPending = false;
    m_cursor = m_table->cellAt(m_row, 0).firstCursorPosition();
}

void DocumentWriter::trimTable()
{
    const int spare = m_table->rows() - m_row - 1;
    if (spare > 0) {
        m_table->removeRows(m_row + 1, spare);
        m_budget.giveBack(Construct::TableCells, qint64(spare) * m_table->columns());
    }
}

void DocumentWriter::closeTable()
{
    trimTable();
    m_table = nullptr;
    m_rowPending = false;
    m_cellPending = false;
    m_cursor.movePosition(QTextCursor::End);
}

void DocumentWriter::cell(const ParagraphStyle &paragraph, const TextStyle &style)
{
    if (m_tablesOff) {
        addText(u"\t", style, paragraph.inTable);
        return;
    }
    writeRun();
    prepareContent(true, charFormat(style));
    if (!m_table)
        return;
    m_cursor.setBlockFormat(blockFormat(paragraph));
    m_cellPending = true;
}

void DocumentWriter::row(const ParagraphStyle &paragraph, const TextStyle &style)
{
    if (m_tablesOff) {
        this->paragraph(paragraph, style);
        return;
    }
    writeRun();
    if (!m_table)
        return;
    m_rowPending = true;
    m_cellPending = false;
}

void DocumentWriter::finish(const ParagraphStyle &paragraph)
{
    writeRun();
    // Cuts that no content followed are told at the end.
    if (m_table) {
        trimTable();
        m_cursor.movePosition(QTextCursor::End);
        tellCuts(false);
    } else {
        tellCuts(false);
        m_cursor.setBlockFormat(blockFormat(paragraph));
        // The mark that ends the last paragraph leaves an empty block behind it.
        const QTextBlock block = m_cursor.block();
        const QTextBlock previous = block.previous();
        if (block.length() == 1 && previous.isValid() && !QTextCursor(previous).currentTable() &&
            m_cursor.currentFrame() == m_document.rootFrame())
            m_cursor.deletePreviousChar();
    }
    m_cursor.endEditBlock();
    m_charFormats.clear();
    m_blockFormats.clear();
}

} // namespace rtf
