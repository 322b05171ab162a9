#pragma once

#include "CodePages.h"
#include "ColorTable.h"
#include "DocumentWriter.h"
#include "FontTable.h"
#include "PictureReader.h"
#include "PictureRenderer.h"
#include "ReadingBudget.h"
#include "RtfKeywords.h"
#include "RtfLexer.h"

#include <QByteArray>
#include <QString>
#include <atomic>
#include <string_view>
#include <vector>

class QTextDocument;

namespace rtf {

// Reads the bytes of one RTF document into a QTextDocument in a single pass:
// the lexer's tokens go to the destination they belong to (the text, the font
// and colour tables, a picture), character and paragraph properties follow
// the groups, and the document writer puts the text, tables and pictures into
// the document. Whatever the bytes hold, the pass ends: groups deeper than
// maxGroupDepth are skipped whole, numbers saturate, what the document adds
// stops at the limits of its budget and a truncated document ends where its
// bytes end.
class RtfParser
{
public:
    static constexpr int maxGroupDepth = 256;
    static constexpr int maxTableColumns = DocumentWriter::maxTableColumns;
    // Text bytes are decoded once this many have gathered.
    static constexpr qsizetype longestBytes = 65536;

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
        Alternative, // nothing shown, but a group inside may lead back to the text
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
    struct State
    {
        Destination destination = Destination::Text;
        Destination outer = Destination::Text; // where an \ud or a text box leads back to
        CharProps chars;
        ParagraphStyle para;
        int unicodeSkip = 1;
        CharClass charClass = CharClass::Low;
        bool rightToLeft = false;
    };

    State &state() { return m_states.back(); }
    const State &state() const { return m_states.back(); }

    // Tokens
    void openGroup();
    void closeGroup();
    void skipGroup();
    void character(char c);
    void controlSymbol(char symbol);
    void hexByte(const Token &token);
    void binary(QByteArrayView data);
    void controlWord(const Token &token);
    bool consumeSkip();

    // Control words by what they are for
    void documentWord(Key key, int param);
    void destinationWord(Key key);
    void fontTableWord(Key key, const Token &token);
    void characterWord(Key key, const Token &token);
    void textWord(const Keyword &keyword, const Token &token);
    void paragraphWord(Key key, int param);
    void tableWord(Key key, int param);

    // Text
    void appendByte(char byte);
    void appendText(QStringView text);
    void appendUnicode(int value);
    void flushBytes(bool keepLead = false);
    void addDecoded(const QByteArray &bytes, int page, bool doubleByte);
    int pairCodePage(int &runPage) const;
    int codePage() const;
    const Font *runFont() const;
    const TextStyle &textStyle();

    // Structure
    void paragraph();
    void lineBreak();
    void finishPicture(const State &pictureState);
    void finish();

    ReadingBudget &m_budget;
    const std::atomic<bool> *m_stop = nullptr;
    RtfLexer m_lexer{QByteArrayView()};
    bool m_done = false;
    bool m_finished = false;

    std::vector<State> m_states;
    bool m_pendingStar = false;
    int m_skip = 0; // characters of a \u fallback still to drop

    CodePageDecoder m_decoder;
    int m_documentCodePage = 1252;
    int m_defaultFont = 0;
    FontTable m_fonts;
    ColorTable m_colors;
    PictureReader m_picture;
    PictureRenderer m_renderer;
    DocumentWriter m_writer;
    bool m_hasShapePictures = false;
    bool m_shapeHasText = false; // the shape being read showed the text of its text box

    QByteArray m_bytes;            // text bytes not yet decoded
    bool m_leadPending = false;    // m_bytes holds a lead byte waiting for its trail byte
    int m_leadPage = 0;            // the code page of that lead byte
    bool m_doubleByteText = false; // the bytes being added are pairs of the \dbch font
    TextStyle m_style;             // the style of the text as of the last change
    bool m_styleChanged = true;    // a control word or group came since m_style was made
};

} // namespace rtf
