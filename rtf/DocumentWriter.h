#pragma once

#include "FontTable.h"
#include "PictureRenderer.h"
#include "ReadingBudget.h"

#include <QColor>
#include <QString>
#include <QTextBlockFormat>
#include <QTextCharFormat>
#include <QTextCursor>
#include <map>
#include <set>
#include <string_view>
#include <tuple>
#include <vector>

class QTextDocument;
class QTextTable;

namespace rtf {

// How text looks, as the reader has worked it out from the character
// properties, the font table and the colour table.
struct TextStyle
{
    const Font *font = nullptr; // nullptr: the document's default
    double points = 12;
    bool bold = false;
    bool italic = false;
    bool underline = false;
    bool strike = false;
    bool hidden = false;
    int vertical = 0;  // 0 normal, 1 superscript, 2 subscript
    QColor foreground; // invalid: the automatic colour
    QColor background; // invalid: none
};

// A paragraph's properties; lengths in twips.
struct ParagraphStyle
{
    Qt::Alignment alignment = Qt::AlignLeft;
    int left = 0;
    int right = 0;
    int firstLine = 0;
    int before = 0;
    int after = 0;
    bool inTable = false;
};

// Writes what the reader reads into the QTextDocument: text in runs of one
// format, paragraphs, line breaks, tables, pictures, and a line where the
// budget first left a construct out. It asks the budget before every format,
// paragraph, table cell and change of format it adds.
class DocumentWriter
{
public:
    static constexpr int maxTableColumns = 64;
    // What a table costs beyond its cells, in cells.
    static constexpr int tableCost = 2;

    DocumentWriter(QTextDocument &document, ReadingBudget &budget);

    // Text joins the current run while its format stays the same, so control
    // words and groups that change nothing visible cost no run of their own.
    void addText(QStringView text, const TextStyle &style, bool inTable);
    // Past the budget of paragraphs a paragraph mark, like a line break, is a
    // blank and the text runs on.
    void paragraph(const ParagraphStyle &paragraph, const TextStyle &style);
    void lineBreak(const TextStyle &style, bool inTable);
    void picture(const ShownPicture &shown, const TextStyle &style, bool inTable);

    // Tables: the row definition (\trowd and what follows it), cells and rows.
    void rowDefaults();
    void cellBoundary(int twips);
    void rowLeft(int twips) { m_rowDefinition.left = twips; }
    void rowGap(int twips) { m_rowDefinition.gap = twips; }
    void rowAlignment(Qt::Alignment alignment) { m_rowDefinition.alignment = alignment; }
    // A control word the reader does not know; a border word inside a row
    // definition gives the table its borders.
    void otherWord(std::string_view word);
    void cell(const ParagraphStyle &paragraph, const TextStyle &style);
    void row(const ParagraphStyle &paragraph, const TextStyle &style);

    // The document ends: what is pending is written, the empty block the last
    // paragraph mark left is removed.
    void finish(const ParagraphStyle &paragraph);

private:
    // Formats made so far, by what they are made of; new ones past the budget
    // read as the plain format.
    using CharKey = std::tuple<int, int, int, int, QRgb, QRgb>;
    using BlockKey = std::tuple<int, int, int, int, int, int>;
    struct RowDefinition
    {
        std::vector<int> boundaries; // \cellx, twips from the row's left edge
        int left = 0;
        int gap = 0;
        bool bordered = false;
        Qt::Alignment alignment = Qt::AlignLeft;
    };

    static constexpr qsizetype longestRun = 65536; // a run is written once this long
    static constexpr int hiddenFlag = 16;

    static CharKey keyOf(const TextStyle &style);
    static CharKey plainKey(bool hidden);
    QTextCharFormat charFormat(const TextStyle &style, CharKey &key);
    QTextCharFormat charFormat(const TextStyle &style);
    QTextBlockFormat blockFormat(const ParagraphStyle &paragraph);

    void writeRun();
    void prepareContent(bool inTable, const QTextCharFormat &format, bool endNoticeLine = true);
    void placeCursor(bool inTable, const QTextCharFormat &format);
    void tellCuts(bool endLine);
    void openTable();
    void appendRow();
    void trimTable();
    void closeTable();

    QTextDocument &m_document;
    ReadingBudget &m_budget;
    QTextCursor m_cursor;

    QString m_run; // text not yet written, all in one format
    CharKey m_runKey = plainKey(false);
    QTextCharFormat m_runFormat;
    bool m_runInTable = false;
    bool m_plainOnly = false; // the changes of format are used up
    // The last style's key, as made and as resolved, and its format.
    CharKey m_lastKey = plainKey(false);
    CharKey m_lastResolved = plainKey(false);
    QTextCharFormat m_lastFormat;
    std::map<CharKey, QTextCharFormat> m_charFormats;
    std::map<BlockKey, QTextBlockFormat> m_blockFormats;

    RowDefinition m_rowDefinition;
    QTextTable *m_table = nullptr;
    int m_row = 0;
    int m_column = 0;
    bool m_rowPending = false;
    bool m_cellPending = false;
    bool m_inRowDefinition = false;
    bool m_tablesOff = false;

    std::set<int> m_pictureImages; // images already among the document's resources
};

} // namespace rtf
