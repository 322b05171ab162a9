#pragma once

#include "CodePages.h"
#include "PictureRenderer.h"
#include "ReadingBudget.h"

#include <QColor>
#include <QFont>
#include <QString>
#include <QStringList>
#include <QTextBlockFormat>
#include <QTextCharFormat>
#include <QTextCursor>
#include <atomic>
#include <map>
#include <set>
#include <string_view>
#include <tuple>
#include <vector>

class QTextDocument;
class QTextTable;

namespace rtf {

// Reads the bytes of one RTF document into a QTextDocument in a single pass.
// Whatever the bytes hold, the pass ends: groups deeper than maxGroupDepth are
// skipped whole, numbers saturate, what the document adds stops at the limits
// of its budget and a truncated document ends where its bytes end.
class RtfParser
{
public:
    static constexpr int maxGroupDepth = 256;
    static constexpr int maxTableColumns = 64;

    // stop, when given, ends the reading early once it is set.
    RtfParser(QTextDocument &document, ReadingBudget &budget,
              const std::atomic<bool> *stop = nullptr);
    void parse(const QByteArray &bytes);

private:
    enum class Destination
    {
        Text,
        FontTable,
        ColorTable,
        Picture,
        Alternative,
        Skipped
    };
    enum class CharClass
    {
        Low,
        High,
        Double
    };

    struct CharProps
    {
        int font = -1; // -1: the document's default font
        double points = 12;
        bool bold = false;
        bool italic = false;
        bool underline = false;
        bool strike = false;
        bool hidden = false;
        int foreground = 0; // colour table index; 0 is the automatic colour
        int background = 0;
        int vertical = 0; // 0 normal, 1 superscript, 2 subscript
        // Properties of double-byte text (\dbch followed by \af, \afs, \ab, \ai);
        // unset ones fall back to the ones above.
        int eastFont = -2;
        double eastPoints = 0;
        int eastBold = -1;
        int eastItalic = -1;
    };
    struct ParaProps
    {
        Qt::Alignment alignment = Qt::AlignLeft;
        int left = 0; // twips
        int right = 0;
        int firstLine = 0;
        int before = 0;
        int after = 0;
        bool inTable = false;
    };
    struct State
    {
        Destination destination = Destination::Text;
        Destination outer = Destination::Text; // what \ud returns to inside \upr
        CharProps chars;
        ParaProps para;
        int unicodeSkip = 1;
        CharClass charClass = CharClass::Low;
        bool rightToLeft = false;
    };
    struct Font
    {
        int number = 0;
        int charset = -1;
        int codePage = 0;
        QByteArray familyClass;
        QByteArray nameBytes;
        QString name;
        QStringList families;
        QFont::StyleHint hint = QFont::AnyStyle;
    };
    struct RowDefinition
    {
        std::vector<int> boundaries; // \cellx, twips from the row's left edge
        int left = 0;
        int gap = 0;
        bool bordered = false;
        Qt::Alignment alignment = Qt::AlignLeft;
    };

    State &state() { return m_states.back(); }

    // Lexing
    void openGroup();
    void closeGroup();
    void skipGroup();
    void controlSymbol(char symbol);
    void controlWord(std::string_view word, bool hasParam, int param);
    void hexByte();
    void binary(int length);
    void literal(char c);
    bool consumeSkip();

    // Text
    void appendByte(char byte);
    void appendText(QStringView text);
    void appendUnicode(int value);
    void flushBytes(bool keepLead = false);
    int pairCodePage(int &runPage) const;
    void addDecoded(const QByteArray &bytes, int page, bool doubleByte);
    void addToRun(QStringView text);
    void flushRun();
    void writeRun();
    void lineBreak();
    int codePage() const;
    const Font *font(int number) const;
    const Font *runFont() const;
    using CharKey = std::tuple<int, int, int, int, QRgb, QRgb>;
    static CharKey plainKey(int hidden = 0);
    QTextCharFormat charFormat(CharKey *key = nullptr);
    QTextBlockFormat blockFormat();
    void tellCuts(bool endLine);

    // Structure
    void prepareContent(bool inTable, bool endNoticeLine = true);
    void placeCursor(bool inTable);
    void paragraph();
    void cell();
    void row();
    void openTable();
    void appendRow();
    void trimTable();
    void closeTable();
    void finish();

    // Tables of the header
    void startFont(int number);
    void commitFont();
    void commitColor();

    // Pictures
    void finishPicture(const State &pictureState);

    // Formats made so far, by what they are made of; new ones past the budget
    // read as the plain format.
    using BlockKey = std::tuple<int, int, int, int, int, int>;

    QTextDocument &m_document;
    ReadingBudget &m_budget;
    const std::atomic<bool> *m_stop = nullptr;
    QTextCursor m_cursor;
    const char *m_pos = nullptr;
    const char *m_end = nullptr;
    bool m_done = false;
    bool m_finished = false;

    std::vector<State> m_states;
    bool m_pendingStar = false;
    int m_skip = 0; // characters of a \u fallback still to drop

    // A run is written whole once it has this many characters.
    static constexpr qsizetype longestRun = 65536;
    static constexpr int hiddenFlag = 16;

    QByteArray m_bytes; // undecoded text bytes of the current run
    QString m_run;      // decoded text of the current run, not yet written
    CharKey m_runKey = plainKey();
    QTextCharFormat m_runFormat;
    bool m_runInTable = false;
    bool m_formatMayChange = true; // a control word or group came since the last text
    bool m_plainOnly = false;      // the changes of format are used up
    bool m_doubleByteText = false; // the bytes being added are pairs of the \dbch font
    bool m_leadPending = false;    // m_bytes holds a lead byte waiting for its trail byte
    int m_leadPage = 0;

    CodePageDecoder m_decoder;
    int m_documentCodePage = 1252;
    int m_defaultFont = 0;
    std::map<int, Font> m_fonts;
    Font m_pendingFont;
    bool m_fontOpen = false;
    std::vector<QColor> m_colors;
    int m_red = -1;
    int m_green = -1;
    int m_blue = -1;

    RowDefinition m_rowDefinition;
    QTextTable *m_table = nullptr;
    int m_row = 0;
    int m_column = 0;
    bool m_rowPending = false;
    bool m_cellPending = false;
    bool m_inRowDefinition = false;
    bool m_tablesOff = false;
    std::map<CharKey, QTextCharFormat> m_charFormats;
    std::map<BlockKey, QTextBlockFormat> m_blockFormats;

    PictureSource m_picture;
    int m_pictureNibble = -1;
    PictureRenderer m_renderer;
    std::set<int> m_pictureImages; // images already among the document's resources
    bool m_hasShapePictures = false;
    bool m_shapeHasText = false; // the shape being read showed the text of its text box
};

} // namespace rtf
