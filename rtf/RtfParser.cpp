#include "RtfParser.h"

#include "FontFamilies.h"

#include <QTextBlock>
#include <QTextDocument>
#include <QTextImageFormat>
#include <QTextTable>
#include <QUrl>
#include <algorithm>
#include <cmath>
#include <limits>
#include <unordered_map>
#include <utility>

namespace rtf {

namespace {

enum class Key
{
    Rtf,
    Ansi,
    Mac,
    Pc,
    Pca,
    AnsiCodePage,
    DefaultFont,
    FontTable,
    ColorTable,
    SkippedDestination,
    Picture,
    ShapePicture,
    Shape,
    ShapeInstructions,
    ShapeText,
    ShapeResult,
    DrawingObject,
    DrawingText,
    FallbackPicture,
    UnicodeAlternatives,
    UnicodeText,
    Charset,
    FontCodePage,
    FamilyClass,
    Font,
    Red,
    Green,
    Blue,
    FontSize,
    Bold,
    Italic,
    Underline,
    UnderlineNone,
    Strike,
    Foreground,
    Background,
    Superscript,
    Subscript,
    NoSuperSub,
    Hidden,
    Plain,
    EastFont,
    EastFontSize,
    EastBold,
    EastItalic,
    LowChars,
    HighChars,
    DoubleChars,
    RightToLeft,
    LeftToRight,
    Unicode,
    UnicodeSkip,
    Par,
    Pard,
    Line,
    Tab,
    Page,
    AlignLeft,
    AlignCenter,
    AlignRight,
    AlignJustify,
    LeftIndent,
    RightIndent,
    FirstIndent,
    SpaceBefore,
    SpaceAfter,
    InTable,
    TableLevel,
    RowDefaults,
    CellBoundary,
    Cell,
    Row,
    NestedCell,
    NestedRow,
    RowLeft,
    RowGap,
    RowAlignLeft,
    RowAlignCenter,
    RowAlignRight,
    Png,
    Jpeg,
    Emf,
    Wmf,
    OtherPicture,
    PictureWidth,
    PictureHeight,
    PictureGoalWidth,
    PictureGoalHeight,
    PictureScaleX,
    PictureScaleY,
    Binary,
    Character,
};

struct Entry
{
    Key key;
    char16_t character = 0;
};

const std::unordered_map<std::string_view, Entry> &keywords()
{
    static const std::unordered_map<std::string_view, Entry> table = [] {
        std::unordered_map<std::string_view, Entry> t = {
            {"rtf", {Key::Rtf}},
            {"ansi", {Key::Ansi}},
            {"mac", {Key::Mac}},
            {"pc", {Key::Pc}},
            {"pca", {Key::Pca}},
            {"ansicpg", {Key::AnsiCodePage}},
            {"deff", {Key::DefaultFont}},
            {"fonttbl", {Key::FontTable}},
            {"colortbl", {Key::ColorTable}},
            {"pict", {Key::Picture}},
            {"shppict", {Key::ShapePicture}},
            {"shp", {Key::Shape}},
            {"shpinst", {Key::ShapeInstructions}},
            {"shptxt", {Key::ShapeText}},
            {"shprslt", {Key::ShapeResult}},
            {"do", {Key::DrawingObject}},
            {"dptxbxtext", {Key::DrawingText}},
            {"nonshppict", {Key::FallbackPicture}},
            {"upr", {Key::UnicodeAlternatives}},
            {"ud", {Key::UnicodeText}},
            {"fcharset", {Key::Charset}},
            {"cpg", {Key::FontCodePage}},
            {"fnil", {Key::FamilyClass}},
            {"froman", {Key::FamilyClass}},
            {"fswiss", {Key::FamilyClass}},
            {"fmodern", {Key::FamilyClass}},
            {"fscript", {Key::FamilyClass}},
            {"fdecor", {Key::FamilyClass}},
            {"ftech", {Key::FamilyClass}},
            {"fbidi", {Key::FamilyClass}},
            {"f", {Key::Font}},
            {"red", {Key::Red}},
            {"green", {Key::Green}},
            {"blue", {Key::Blue}},
            {"fs", {Key::FontSize}},
            {"b", {Key::Bold}},
            {"i", {Key::Italic}},
            {"ul", {Key::Underline}},
            {"uld", {Key::Underline}},
            {"uldb", {Key::Underline}},
            {"ulw", {Key::Underline}},
            {"ulth", {Key::Underline}},
            {"uldash", {Key::Underline}},
            {"uldashd", {Key::Underline}},
            {"uldashdd", {Key::Underline}},
            {"ulwave", {Key::Underline}},
            {"ulhwave", {Key::Underline}},
            {"ululdbwave", {Key::Underline}},
            {"ulnone", {Key::UnderlineNone}},
            {"strike", {Key::Strike}},
            {"striked", {Key::Strike}},
            {"cf", {Key::Foreground}},
            {"cb", {Key::Background}},
            {"highlight", {Key::Background}},
            {"chcbpat", {Key::Background}},
            {"super", {Key::Superscript}},
            {"sub", {Key::Subscript}},
            {"nosupersub", {Key::NoSuperSub}},
            {"v", {Key::Hidden}},
            {"plain", {Key::Plain}},
            {"af", {Key::EastFont}},
            {"afs", {Key::EastFontSize}},
            {"ab", {Key::EastBold}},
            {"ai", {Key::EastItalic}},
            {"loch", {Key::LowChars}},
            {"hich", {Key::HighChars}},
            {"dbch", {Key::DoubleChars}},
            {"rtlch", {Key::RightToLeft}},
            {"ltrch", {Key::LeftToRight}},
            {"u", {Key::Unicode}},
            {"uc", {Key::UnicodeSkip}},
            {"par", {Key::Par}},
            {"pard", {Key::Pard}},
            {"line", {Key::Line}},
            {"tab", {Key::Tab}},
            {"page", {Key::Page}},
            {"ql", {Key::AlignLeft}},
            {"qc", {Key::AlignCenter}},
            {"qr", {Key::AlignRight}},
            {"qj", {Key::AlignJustify}},
            {"qd", {Key::AlignJustify}},
            {"li", {Key::LeftIndent}},
            {"lin", {Key::LeftIndent}},
            {"ri", {Key::RightIndent}},
            {"rin", {Key::RightIndent}},
            {"fi", {Key::FirstIndent}},
            {"sb", {Key::SpaceBefore}},
            {"sa", {Key::SpaceAfter}},
            {"intbl", {Key::InTable}},
            {"itap", {Key::TableLevel}},
            {"trowd", {Key::RowDefaults}},
            {"cellx", {Key::CellBoundary}},
            {"cell", {Key::Cell}},
            {"row", {Key::Row}},
            {"nestcell", {Key::NestedCell}},
            {"nestrow", {Key::NestedRow}},
            {"trleft", {Key::RowLeft}},
            {"trgaph", {Key::RowGap}},
            {"trql", {Key::RowAlignLeft}},
            {"trqc", {Key::RowAlignCenter}},
            {"trqr", {Key::RowAlignRight}},
            {"pngblip", {Key::Png}},
            {"jpegblip", {Key::Jpeg}},
            {"emfblip", {Key::Emf}},
            {"wmetafile", {Key::Wmf}},
            {"macpict", {Key::OtherPicture}},
            {"pmmetafile", {Key::OtherPicture}},
            {"dibitmap", {Key::OtherPicture}},
            {"wbitmap", {Key::OtherPicture}},
            {"picw", {Key::PictureWidth}},
            {"pich", {Key::PictureHeight}},
            {"picwgoal", {Key::PictureGoalWidth}},
            {"pichgoal", {Key::PictureGoalHeight}},
            {"picscalex", {Key::PictureScaleX}},
            {"picscaley", {Key::PictureScaleY}},
            {"bin", {Key::Binary}},
            {"emdash", {Key::Character, 0x2014}},
            {"endash", {Key::Character, 0x2013}},
            {"bullet", {Key::Character, 0x2022}},
            {"lquote", {Key::Character, 0x2018}},
            {"rquote", {Key::Character, 0x2019}},
            {"ldblquote", {Key::Character, 0x201C}},
            {"rdblquote", {Key::Character, 0x201D}},
            {"emspace", {Key::Character, 0x2003}},
            {"enspace", {Key::Character, 0x2002}},
            {"qmspace", {Key::Character, 0x2005}},
            {"zwj", {Key::Character, 0x200D}},
            {"zwnj", {Key::Character, 0x200C}},
            {"zwbo", {Key::Character, 0x200B}},
            {"ltrmark", {Key::Character, 0x200E}},
            {"rtlmark", {Key::Character, 0x200F}},
        };
        // Groups whose content is never shown: document information, headers and
        // footers, notes, style and list definitions, field instructions, object
        // data, shape properties.
        for (std::string_view skipped : {"stylesheet",
                                         "info",
                                         "header",
                                         "headerl",
                                         "headerr",
                                         "headerf",
                                         "footer",
                                         "footerl",
                                         "footerr",
                                         "footerf",
                                         "footnote",
                                         "annotation",
                                         "atnid",
                                         "atnauthor",
                                         "atnref",
                                         "atndate",
                                         "xe",
                                         "tc",
                                         "txe",
                                         "rxe",
                                         "objdata",
                                         "objclass",
                                         "objname",
                                         "objalias",
                                         "themedata",
                                         "datastore",
                                         "latentstyles",
                                         "listtable",
                                         "listoverridetable",
                                         "revtbl",
                                         "rsidtbl",
                                         "generator",
                                         "xmlnstbl",
                                         "fldinst",
                                         "filetbl",
                                         "pgdsctbl",
                                         "userprops",
                                         "private",
                                         "pn",
                                         "pntxta",
                                         "pntxtb",
                                         "nonesttables",
                                         "author",
                                         "operator",
                                         "title",
                                         "subject",
                                         "keywords",
                                         "comment",
                                         "doccomm",
                                         "company",
                                         "category",
                                         "manager",
                                         "hlinkbase",
                                         "buptim",
                                         "creatim",
                                         "revtim",
                                         "printim",
                                         "docvar",
                                         "template",
                                         "bkmkstart",
                                         "bkmkend",
                                         "ftnsep",
                                         "ftnsepc",
                                         "ftncn",
                                         "aftnsep",
                                         "aftnsepc",
                                         "aftncn",
                                         "sp",
                                         "sn",
                                         "sv",
                                         "picprop",
                                         "blipuid",
                                         "colorschememapping",
                                         "mmathPr",
                                         "fchars",
                                         "lchars",
                                         "background",
                                         "listpicture"})
            t.emplace(skipped, Entry{Key::SkippedDestination});
        return t;
    }();
    return table;
}

bool isLetter(char c)
{
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
}

bool isDigit(char c)
{
    return c >= '0' && c <= '9';
}

int hexValue(char c)
{
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return -1;
}

// Lengths beyond a page's reach are clamped so that layout arithmetic never overflows.
double twipsToPixels(int twips)
{
    return std::clamp(twips, -31680, 31680) / 15.0;
}

bool toggleValue(bool hasParam, int param)
{
    return !hasParam || param != 0;
}

} // namespace

RtfParser::RtfParser(QTextDocument &document, ReadingBudget &budget, const std::atomic<bool> *stop)
    : m_document(document), m_budget(budget), m_stop(stop), m_renderer(budget)
{
}

void RtfParser::parse(const QByteArray &bytes)
{
    m_pos = bytes.constData();
    m_end = m_pos + bytes.size();
    // Bytes before the document's group (blanks, a byte-order mark) are not text.
    while (m_pos < m_end && *m_pos != '{')
        ++m_pos;
    // A picture's \nonshppict form is for readers that do not know \shppict; it
    // shows only in documents that have no \shppict at all.
    m_hasShapePictures = QByteArrayView(bytes).contains("\\shppict");
    m_states.clear();
    m_states.emplace_back(); // outside the document's group
    m_states.back().destination = Destination::Alternative;
    m_cursor = QTextCursor(&m_document);
    QTextCursor editBlock(&m_document);
    editBlock.beginEditBlock();

    qint64 steps = 0;
    while (m_pos < m_end && !m_done) {
        if ((++steps & 0xffff) == 0 && m_stop && m_stop->load(std::memory_order_relaxed))
            break;
        const char c = *m_pos++;
        switch (c) {
        case '{':
            openGroup();
            break;
        case '}':
            closeGroup();
            break;
        case '\\': {
            if (m_pos >= m_end)
                break;
            const char next = *m_pos;
            if (!isLetter(next)) {
                ++m_pos;
                controlSymbol(next);
                break;
            }
            const char *start = m_pos;
            while (m_pos < m_end && isLetter(*m_pos))
                ++m_pos;
            const std::string_view word(start, std::min<size_t>(size_t(m_pos - start), 32));
            bool negative = false;
            if (m_pos + 1 < m_end && *m_pos == '-' && isDigit(m_pos[1])) {
                negative = true;
                ++m_pos;
            }
            bool hasParam = false;
            qint64 value = 0;
            while (m_pos < m_end && isDigit(*m_pos)) {
                hasParam = true;
                value = std::min<qint64>(value * 10 + (*m_pos - '0'), 2000000000);
                ++m_pos;
            }
            if (m_pos < m_end && *m_pos == ' ')
                ++m_pos;
            controlWord(word, hasParam, int(negative ? -value : value));
            break;
        }
        case '\r':
        case '\n':
            break;
        default:
            literal(c);
            break;
        }
    }
    finish();
    editBlock.endEditBlock();
    m_charFormats.clear();
    m_blockFormats.clear();
}

void RtfParser::openGroup()
{
    m_pendingStar = false;
    flushBytes(true);
    m_formatMayChange = true;
    m_skip = 0;
    if (m_states.size() > size_t(maxGroupDepth) ||
        m_states.back().destination == Destination::Picture) {
        skipGroup();
        return;
    }
    State copy = m_states.back();
    if (m_states.size() == 1)
        copy.destination = Destination::Text; // the document's own group
    m_states.push_back(std::move(copy));
}

void RtfParser::closeGroup()
{
    m_pendingStar = false;
    flushBytes(true);
    m_formatMayChange = true;
    m_skip = 0;
    if (m_states.size() <= 1)
        return; // a stray brace after the document's group
    if (m_states.size() == 2) {
        // The document's own group ends: nothing after it belongs to the document.
        finish();
        m_done = true;
        return;
    }
    const State closed = std::move(m_states.back());
    m_states.pop_back();
    if (closed.destination == Destination::Picture &&
        m_states.back().destination != Destination::Picture)
        finishPicture(closed);
    else if (closed.destination == Destination::FontTable)
        commitFont();
}

// Passes over the rest of the current group, nested groups and binary data
// included, up to and including its closing brace.
void RtfParser::skipGroup()
{
    qint64 depth = 1;
    while (m_pos < m_end) {
        const char c = *m_pos++;
        if (c == '{') {
            ++depth;
        } else if (c == '}') {
            if (--depth == 0)
                return;
        } else if (c == '\\' && m_pos < m_end) {
            if (!isLetter(*m_pos)) {
                ++m_pos;
                continue;
            }
            const char *start = m_pos;
            while (m_pos < m_end && isLetter(*m_pos))
                ++m_pos;
            const std::string_view word(start, size_t(m_pos - start));
            qint64 value = 0;
            bool negative = false;
            if (m_pos < m_end && *m_pos == '-') {
                negative = true;
                ++m_pos;
            }
            while (m_pos < m_end && isDigit(*m_pos)) {
                value = std::min<qint64>(value * 10 + (*m_pos - '0'), 2000000000);
                ++m_pos;
            }
            if (m_pos < m_end && *m_pos == ' ')
                ++m_pos;
            if (word == "bin" && !negative)
                m_pos += std::min<qint64>(value, m_end - m_pos);
        }
    }
}

bool RtfParser::consumeSkip()
{
    if (m_skip <= 0)
        return false;
    --m_skip;
    return true;
}

void RtfParser::literal(char c)
{
    m_pendingStar = false;
    if (consumeSkip())
        return;
    State &s = state();
    switch (s.destination) {
    case Destination::Text:
        if (c == '\t')
            appendText(u"\t");
        else
            appendByte(c);
        break;
    case Destination::FontTable:
        if (c == ';')
            commitFont();
        else if (m_fontOpen)
            m_pendingFont.nameBytes += c;
        break;
    case Destination::ColorTable:
        if (c == ';')
            commitColor();
        break;
    case Destination::Picture: {
        const int value = hexValue(c);
        if (value < 0)
            break;
        if (m_pictureNibble < 0) {
            m_pictureNibble = value;
        } else {
            m_picture.data += char((m_pictureNibble << 4) | value);
            m_pictureNibble = -1;
        }
        break;
    }
    default:
        break;
    }
}

void RtfParser::hexByte()
{
    const int high = m_pos < m_end ? hexValue(*m_pos) : -1;
    if (high < 0)
        return;
    ++m_pos;
    const int low = m_pos < m_end ? hexValue(*m_pos) : -1;
    if (low < 0)
        return; // half a byte carries nothing
    ++m_pos;
    if (consumeSkip())
        return;
    const char byte = char((high << 4) | low);
    if (state().destination == Destination::Text)
        appendByte(byte);
    else if (state().destination == Destination::FontTable && m_fontOpen)
        m_pendingFont.nameBytes += byte;
}

void RtfParser::controlSymbol(char symbol)
{
    if (symbol == '*') {
        m_pendingStar = true;
        return;
    }
    if (symbol == '\'') {
        m_pendingStar = false;
        hexByte();
        return;
    }
    m_pendingStar = false;
    if (consumeSkip())
        return;
    switch (symbol) {
    case '\\':
    case '{':
    case '}':
        if (state().destination == Destination::Text)
            appendByte(symbol);
        else if (state().destination == Destination::FontTable && m_fontOpen)
            m_pendingFont.nameBytes += symbol;
        break;
    case '~':
        appendText(u"\u00A0");
        break;
    case '_':
        appendText(u"\u2011");
        break;
    case '\r':
    case '\n':
        paragraph();
        break;
    default:
        break; // \- optional hyphen, \| \: index marks
    }
}

void RtfParser::binary(int length)
{
    const qint64 available = m_end - m_pos;
    const qint64 taken = std::clamp<qint64>(length, 0, available);
    if (state().destination == Destination::Picture) {
        m_picture.data.append(m_pos, taken);
        m_pictureNibble = -1;
    }
    m_pos += taken;
}

void RtfParser::controlWord(std::string_view word, bool hasParam, int param)
{
    const bool starred = std::exchange(m_pendingStar, false);
    const auto &table = keywords();
    const auto found = table.find(word);
    const Key key = found == table.end() ? Key::SkippedDestination : found->second.key;
    const bool known = found != table.end();

    if (m_skip > 0) {
        // A control word stands for one character of a \u fallback.
        --m_skip;
        if (key == Key::Binary && known)
            m_pos += std::clamp<qint64>(param, 0, m_end - m_pos);
        return;
    }
    // An ignorable destination this reader does not know is passed over whole.
    if (starred && !(known && (key == Key::ShapePicture || key == Key::UnicodeText ||
                               key == Key::ShapeInstructions || key == Key::ShapeText ||
                               key == Key::DrawingObject))) {
        if (m_states.size() > 2) {
            flushBytes(true);
            skipGroup();
            m_states.pop_back();
        }
        return;
    }
    if (!known) {
        if (m_inRowDefinition && word.substr(0, 4) == "brdr" && word != "brdrnone" &&
            word != "brdrw" && word != "brdrcf")
            m_rowDefinition.bordered = true;
        return;
    }

    State &s = state();
    CharProps &c = s.chars;
    const bool eastAsian = s.charClass == CharClass::Double && !s.rightToLeft;

    // Words that only add to the current run keep it open.
    switch (key) {
    case Key::Unicode: {
        int value = param;
        if (value < 0)
            value += 65536;
        appendUnicode(value);
        m_skip = s.unicodeSkip;
        return;
    }
    case Key::UnicodeSkip:
        s.unicodeSkip = std::clamp(param, 0, 64);
        return;
    case Key::Character: {
        const char16_t ch = found->second.character;
        appendText(QStringView(&ch, 1));
        return;
    }
    case Key::Tab:
        appendText(u"\t");
        return;
    case Key::Line:
        lineBreak();
        return;
    case Key::NestedCell:
        appendText(u"\t");
        return;
    case Key::NestedRow:
        lineBreak();
        return;
    default:
        break;
    }

    flushBytes(true);
    m_formatMayChange = true;
    switch (key) {
    case Key::Rtf:
        break;
    case Key::Ansi:
        break;
    case Key::Mac:
        m_documentCodePage = 10000;
        break;
    case Key::Pc:
        m_documentCodePage = 437;
        break;
    case Key::Pca:
        m_documentCodePage = 850;
        break;
    case Key::AnsiCodePage:
        if (param > 0)
            m_documentCodePage = param;
        break;
    case Key::DefaultFont:
        m_defaultFont = param;
        break;
    case Key::FontTable:
        s.destination = Destination::FontTable;
        break;
    case Key::ColorTable:
        s.destination = Destination::ColorTable;
        m_budget.giveBack(Construct::Colours, qint64(m_colors.size()));
        m_colors.clear();
        m_red = m_green = m_blue = -1;
        break;
    case Key::SkippedDestination:
        if (m_states.size() > 2) {
            skipGroup();
            m_states.pop_back();
        }
        break;
    case Key::Picture:
        // Past the budget of pictures a picture's bytes are not even gathered.
        if (m_budget.remaining(Construct::Pictures) == 0 && m_states.size() > 2) {
            m_budget.refuse(Construct::Pictures);
            skipGroup();
            m_states.pop_back();
            break;
        }
        s.destination = Destination::Picture;
        m_picture = PictureSource();
        m_pictureNibble = -1;
        break;
    case Key::ShapePicture:
        break;
    case Key::FallbackPicture:
        if (m_hasShapePictures && m_states.size() > 2) {
            skipGroup();
            m_states.pop_back();
        }
        break;
    // A shape shows the text of its text box; the writer's fallback for the
    // shape (\shprslt, a drawing object's text box in it) only when it has none.
    case Key::Shape:
        m_shapeHasText = false;
        break;
    case Key::ShapeInstructions:
    case Key::DrawingObject:
        s.outer = s.destination;
        s.destination = Destination::Alternative;
        break;
    case Key::ShapeText:
    case Key::DrawingText:
        if (s.destination == Destination::Alternative) {
            s.destination = s.outer;
            m_shapeHasText = m_shapeHasText || key == Key::ShapeText;
        }
        break;
    case Key::ShapeResult:
        if (m_shapeHasText && m_states.size() > 2) {
            skipGroup();
            m_states.pop_back();
        }
        break;
    case Key::UnicodeAlternatives:
        s.outer = s.destination;
        s.destination = Destination::Alternative;
        break;
    case Key::UnicodeText:
        if (s.destination == Destination::Alternative)
            s.destination = s.outer;
        break;
    case Key::Charset:
        if (s.destination == Destination::FontTable && m_fontOpen)
            m_pendingFont.charset = param;
        break;
    case Key::FontCodePage:
        if (s.destination == Destination::FontTable && m_fontOpen)
            m_pendingFont.codePage = std::max(param, 0);
        break;
    case Key::FamilyClass:
        if (s.destination == Destination::FontTable && m_fontOpen)
            m_pendingFont.familyClass = QByteArray(word.data(), qsizetype(word.size()));
        break;
    case Key::Font:
        if (s.destination == Destination::FontTable)
            startFont(param);
        else
            c.font = param;
        break;
    case Key::Red:
        m_red = std::clamp(param, 0, 255);
        break;
    case Key::Green:
        m_green = std::clamp(param, 0, 255);
        break;
    case Key::Blue:
        m_blue = std::clamp(param, 0, 255);
        break;
    case Key::FontSize:
        c.points = hasParam && param > 0 ? std::clamp(param / 2.0, 1.0, 1638.0) : 12.0;
        break;
    case Key::Bold:
        c.bold = toggleValue(hasParam, param);
        break;
    case Key::Italic:
        c.italic = toggleValue(hasParam, param);
        break;
    case Key::Underline:
        c.underline = toggleValue(hasParam, param);
        break;
    case Key::UnderlineNone:
        c.underline = false;
        break;
    case Key::Strike:
        c.strike = toggleValue(hasParam, param);
        break;
    case Key::Foreground:
        c.foreground = param;
        break;
    case Key::Background:
        c.background = param;
        break;
    case Key::Superscript:
        c.vertical = 1;
        break;
    case Key::Subscript:
        c.vertical = 2;
        break;
    case Key::NoSuperSub:
        c.vertical = 0;
        break;
    case Key::Hidden:
        c.hidden = toggleValue(hasParam, param);
        break;
    case Key::Plain:
        c = CharProps();
        break;
    case Key::EastFont:
        if (eastAsian)
            c.eastFont = std::max(param, -1);
        break;
    case Key::EastFontSize:
        if (eastAsian && hasParam && param > 0)
            c.eastPoints = std::clamp(param / 2.0, 1.0, 1638.0);
        break;
    case Key::EastBold:
        if (eastAsian)
            c.eastBold = toggleValue(hasParam, param) ? 1 : 0;
        break;
    case Key::EastItalic:
        if (eastAsian)
            c.eastItalic = toggleValue(hasParam, param) ? 1 : 0;
        break;
    case Key::LowChars:
        s.charClass = CharClass::Low;
        break;
    case Key::HighChars:
        s.charClass = CharClass::High;
        break;
    case Key::DoubleChars:
        s.charClass = CharClass::Double;
        break;
    case Key::RightToLeft:
        s.rightToLeft = true;
        break;
    case Key::LeftToRight:
        s.rightToLeft = false;
        break;
    case Key::Par:
    case Key::Page:
        paragraph();
        break;
    case Key::Pard:
        s.para = ParaProps();
        break;
    case Key::AlignLeft:
        s.para.alignment = Qt::AlignLeft;
        break;
    case Key::AlignCenter:
        s.para.alignment = Qt::AlignHCenter;
        break;
    case Key::AlignRight:
        s.para.alignment = Qt::AlignRight;
        break;
    case Key::AlignJustify:
        s.para.alignment = Qt::AlignJustify;
        break;
    case Key::LeftIndent:
        s.para.left = param;
        break;
    case Key::RightIndent:
        s.para.right = param;
        break;
    case Key::FirstIndent:
        s.para.firstLine = param;
        break;
    case Key::SpaceBefore:
        s.para.before = param;
        break;
    case Key::SpaceAfter:
        s.para.after = param;
        break;
    case Key::InTable:
        s.para.inTable = true;
        break;
    case Key::TableLevel:
        s.para.inTable = param > 0;
        break;
    case Key::RowDefaults:
        m_rowDefinition = RowDefinition();
        m_inRowDefinition = true;
        break;
    case Key::CellBoundary:
        if (m_rowDefinition.boundaries.size() < size_t(maxTableColumns))
            m_rowDefinition.boundaries.push_back(param);
        break;
    case Key::RowLeft:
        m_rowDefinition.left = param;
        break;
    case Key::RowGap:
        m_rowDefinition.gap = param;
        break;
    case Key::RowAlignLeft:
        m_rowDefinition.alignment = Qt::AlignLeft;
        break;
    case Key::RowAlignCenter:
        m_rowDefinition.alignment = Qt::AlignHCenter;
        break;
    case Key::RowAlignRight:
        m_rowDefinition.alignment = Qt::AlignRight;
        break;
    case Key::Cell:
        cell();
        break;
    case Key::Row:
        row();
        break;
    case Key::Png:
        m_picture.kind = PictureSource::Kind::Png;
        break;
    case Key::Jpeg:
        m_picture.kind = PictureSource::Kind::Jpeg;
        break;
    case Key::Emf:
        m_picture.kind = PictureSource::Kind::Emf;
        break;
    case Key::Wmf:
        m_picture.kind = PictureSource::Kind::Wmf;
        break;
    case Key::OtherPicture:
        m_picture.kind = PictureSource::Kind::Other;
        break;
    case Key::PictureWidth:
        m_picture.width = param;
        break;
    case Key::PictureHeight:
        m_picture.height = param;
        break;
    case Key::PictureGoalWidth:
        m_picture.goalWidth = param;
        break;
    case Key::PictureGoalHeight:
        m_picture.goalHeight = param;
        break;
    case Key::PictureScaleX:
        m_picture.scaleX = param;
        break;
    case Key::PictureScaleY:
        m_picture.scaleY = param;
        break;
    case Key::Binary:
        binary(hasParam ? param : 0);
        break;
    default:
        break;
    }
}

void RtfParser::appendByte(char byte)
{
    // A lead byte kept across a group or a control word waits for a trail byte
    // of the same code page only.
    if (m_leadPending) {
        m_leadPending = false;
        int runPage = 0;
        if (pairCodePage(runPage) != m_leadPage)
            m_bytes.clear();
    }
    m_bytes += byte;
}

void RtfParser::appendText(QStringView text)
{
    if (state().destination != Destination::Text)
        return;
    flushBytes();
    addToRun(text);
}

// Text joins the current run while its format stays the same: control words
// and groups that change nothing visible cost no run of their own. A run is
// written when its format changes, at structure (paragraphs, cells, pictures)
// and when it grows long.
void RtfParser::addToRun(QStringView text)
{
    if (m_formatMayChange || m_run.isEmpty()) {
        m_formatMayChange = false;
        CharKey key;
        QTextCharFormat format = charFormat(&key);
        if (m_plainOnly) {
            key = plainKey(std::get<2>(key) & hiddenFlag);
            format = QTextCharFormat();
        }
        const bool inTable = state().para.inTable;
        if (!m_run.isEmpty() && (key != m_runKey || inTable != m_runInTable))
            writeRun();
        if (m_run.isEmpty()) {
            if (key != m_runKey && !m_budget.takeFormatChange()) {
                // Past the changes of format a document may make, the rest of
                // its text reads in the plain format.
                m_plainOnly = true;
                key = plainKey(std::get<2>(key) & hiddenFlag);
                format = QTextCharFormat();
            }
            m_runKey = key;
            m_runFormat = format;
            m_runInTable = inTable;
        }
    }
    m_run += text;
    if (m_run.size() >= longestRun)
        writeRun();
}

void RtfParser::appendUnicode(int value)
{
    // Control characters are not text: a tab stays a tab, line ends and
    // separators are line breaks, the rest are dropped.
    if (value == '\n' || value == '\r' || value == 0x0b || value == 0x2028 || value == 0x2029) {
        if (state().destination == Destination::Text)
            lineBreak();
        return;
    }
    if (value < 0x20 && value != '\t')
        return;
    QString text;
    if (value >= 0 && value <= 0xFFFF)
        text = QChar(char16_t(value));
    else if (value > 0xFFFF && value <= 0x10FFFF)
        text = QString::fromUcs4(reinterpret_cast<const char32_t *>(&value), 1);
    else
        return;
    if (state().destination == Destination::FontTable && m_fontOpen) {
        const int page = m_pendingFont.codePage > 0 ? m_pendingFont.codePage
                                                    : codePageForCharset(m_pendingFont.charset);
        m_pendingFont.name +=
            m_decoder.decode(m_pendingFont.nameBytes, page > 0 ? page : m_documentCodePage) + text;
        m_pendingFont.nameBytes.clear();
        return;
    }
    appendText(text);
}

// The code page whose byte pairs are double-byte text, and (runPage) the one
// of the run's other bytes. Word names the font of double-byte text with
// \dbch\af and goes back to \loch before the text: the pairs of that font's
// code page are then its text.
int RtfParser::pairCodePage(int &runPage) const
{
    runPage = codePage();
    const State &s = m_states.back();
    if (s.charClass == CharClass::Low && s.chars.eastFont >= 0) {
        const Font *east = font(s.chars.eastFont);
        if (east && isDoubleByte(east->codePage) && east->codePage != runPage)
            return east->codePage;
    }
    return runPage;
}

// Decodes the gathered bytes into the run. With keepLead a lead byte at the
// end waits for its trail byte, across a group or a control word; otherwise
// (other text, a paragraph, the end) it is given up.
void RtfParser::flushBytes(bool keepLead)
{
    if (m_bytes.isEmpty())
        return;
    int runPage = 0;
    const int pairPage = pairCodePage(runPage);
    const QByteArray bytes = std::exchange(m_bytes, {});
    m_leadPending = false;
    qsizetype start = 0;
    bool pairs = false;
    auto decodeUpTo = [&](qsizetype end) {
        if (end > start)
            addDecoded(bytes.sliced(start, end - start), pairs ? pairPage : runPage, pairs);
        start = end;
    };
    qsizetype i = 0;
    while (i < bytes.size()) {
        int length = characterLength(pairPage, bytes, i);
        if (length == 0) {
            if (keepLead) {
                m_bytes = bytes.sliced(i);
                m_leadPending = true;
                m_leadPage = pairPage;
                break;
            }
            length = 1;
        }
        // Without a page of its own for pairs, the run's page decodes them too.
        const bool pair = pairPage != runPage && length > 1;
        if (pair != pairs) {
            decodeUpTo(i);
            pairs = pair;
        }
        i += length;
    }
    decodeUpTo(i);
}

void RtfParser::addDecoded(const QByteArray &bytes, int page, bool doubleByte)
{
    const QString decoded = m_decoder.decode(bytes, page);
    QString text;
    text.reserve(decoded.size());
    for (QChar ch : decoded) {
        if (ch.unicode() >= 0x20 || ch == u'\t')
            text += ch == QChar::ParagraphSeparator ? QChar(QChar::LineSeparator) : ch;
    }
    if (doubleByte != m_doubleByteText) {
        m_doubleByteText = doubleByte;
        m_formatMayChange = true;
    }
    addToRun(text);
    if (m_doubleByteText) {
        m_doubleByteText = false;
        m_formatMayChange = true;
    }
}

void RtfParser::flushRun()
{
    flushBytes();
    writeRun();
}

void RtfParser::writeRun()
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
        prepareContent(m_runInTable);
        m_cursor.insertText(m_run, m_runFormat);
    }
    m_run.clear();
}

const RtfParser::Font *RtfParser::font(int number) const
{
    const auto found = m_fonts.find(number);
    return found == m_fonts.end() ? nullptr : &found->second;
}

// The font of the current run: a double-byte run's own font, else the run's
// font, else the document's default; a number the font table lacks passes on
// to the next.
const RtfParser::Font *RtfParser::runFont() const
{
    const State &s = m_states.back();
    if ((s.charClass == CharClass::Double || m_doubleByteText) && s.chars.eastFont >= 0) {
        if (const Font *f = font(s.chars.eastFont))
            return f;
    }
    if (s.chars.font >= 0) {
        if (const Font *f = font(s.chars.font))
            return f;
    }
    return font(m_defaultFont);
}

int RtfParser::codePage() const
{
    const Font *f = runFont();
    return f && f->codePage > 0 ? f->codePage : m_documentCodePage;
}

RtfParser::CharKey RtfParser::plainKey(int hidden)
{
    return CharKey(std::numeric_limits<int>::min(), 0, hidden, 0, 0, 0);
}

QTextCharFormat RtfParser::charFormat(CharKey *keyOut)
{
    const State &s = m_states.back();
    const CharProps &c = s.chars;
    const bool east = s.charClass == CharClass::Double || m_doubleByteText;
    const Font *f = runFont();
    const double points = east && c.eastPoints > 0 ? c.eastPoints : c.points;
    const bool bold = east && c.eastBold >= 0 ? c.eastBold == 1 : c.bold;
    const bool italic = east && c.eastItalic >= 0 ? c.eastItalic == 1 : c.italic;
    auto color = [this](int index) {
        return index >= 0 && size_t(index) < m_colors.size() ? m_colors[size_t(index)] : QColor();
    };
    const QColor fg = color(c.foreground);
    const QColor bg = c.background > 0 ? color(c.background) : QColor();
    // An invalid colour is kept apart from every colour by its alpha of 0 and
    // a value no colour table makes.
    const QRgb unset = 0x00123456;
    const int flags = int(bold) | int(italic) << 1 | int(c.underline) << 2 | int(c.strike) << 3 |
                      (c.hidden ? hiddenFlag : 0);
    CharKey key(f ? f->number : std::numeric_limits<int>::min() + 1, int(std::lround(points * 2)),
                flags, c.vertical, fg.isValid() ? fg.rgba() : unset,
                bg.isValid() ? bg.rgba() : unset);
    if (keyOut)
        *keyOut = key;
    if (const auto found = m_charFormats.find(key); found != m_charFormats.end())
        return found->second;
    if (!m_budget.take(Construct::Formats)) {
        // Past the budget new formats read as the plain one, hidden text staying hidden.
        if (keyOut)
            *keyOut = plainKey(flags & hiddenFlag);
        return QTextCharFormat();
    }

    QTextCharFormat format;
    if (f && !f->families.isEmpty()) {
        format.setFontFamilies(f->families);
        format.setFontStyleHint(f->hint);
    }
    format.setFontPointSize(points);
    format.setFontWeight(bold ? QFont::Bold : QFont::Normal);
    format.setFontItalic(italic);
    format.setFontUnderline(c.underline);
    format.setFontStrikeOut(c.strike);
    if (fg.isValid())
        format.setForeground(fg);
    if (bg.isValid())
        format.setBackground(bg);
    if (c.vertical == 1)
        format.setVerticalAlignment(QTextCharFormat::AlignSuperScript);
    else if (c.vertical == 2)
        format.setVerticalAlignment(QTextCharFormat::AlignSubScript);
    m_charFormats.emplace(key, format);
    return format;
}

QTextBlockFormat RtfParser::blockFormat()
{
    const ParaProps &p = m_states.back().para;
    auto twips = [](int value) { return std::clamp(value, -31680, 31680); };
    const BlockKey key(int(p.alignment), twips(p.left), twips(p.right), twips(p.firstLine),
                       twips(p.before), twips(p.after));
    if (const auto found = m_blockFormats.find(key); found != m_blockFormats.end())
        return found->second;
    if (!m_budget.take(Construct::Formats))
        return QTextBlockFormat();
    QTextBlockFormat format;
    format.setAlignment(p.alignment);
    format.setLeftMargin(twipsToPixels(p.left));
    format.setRightMargin(twipsToPixels(p.right));
    format.setTextIndent(twipsToPixels(p.firstLine));
    format.setTopMargin(twipsToPixels(p.before));
    format.setBottomMargin(twipsToPixels(p.after));
    m_blockFormats.emplace(key, format);
    return format;
}

// Writes, where the cursor stands, one line for each construct the budget cut
// since the last time: on a line of its own, the content before it and, when
// endLine, the content after it on lines of their own.
void RtfParser::tellCuts(bool endLine)
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

// Puts the cursor where the next content goes: into the table (opening it, or
// its next row or cell, as the marks before asked) or after it.
void RtfParser::prepareContent(bool inTable, bool endNoticeLine)
{
    placeCursor(inTable);
    tellCuts(endNoticeLine);
}

void RtfParser::placeCursor(bool inTable)
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
                m_cursor.insertText(QStringLiteral("\t"), charFormat());
                return;
            }
            m_cursor = m_table->cellAt(m_row, m_column).firstCursorPosition();
        }
    } else if (m_table) {
        closeTable();
    }
}

void RtfParser::openTable()
{
    const int columns = std::clamp(int(m_rowDefinition.boundaries.size()), 1, maxTableColumns);
    if (!m_budget.take(Construct::TableCells, columns)) {
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

void RtfParser::appendRow()
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

void RtfParser::trimTable()
{
    const int spare = m_table->rows() - m_row - 1;
    if (spare > 0) {
        m_table->removeRows(m_row + 1, spare);
        m_budget.giveBack(Construct::TableCells, qint64(spare) * m_table->columns());
    }
}

void RtfParser::closeTable()
{
    trimTable();
    m_table = nullptr;
    m_rowPending = false;
    m_cellPending = false;
    m_cursor.movePosition(QTextCursor::End);
}

// Past the budget of paragraphs a paragraph mark, like a line break, reads as
// a blank and the text runs on.
void RtfParser::lineBreak()
{
    if (state().destination != Destination::Text)
        return;
    appendText(m_budget.take(Construct::Paragraphs) ? u"\u2028" : u" ");
}

void RtfParser::paragraph()
{
    if (state().destination != Destination::Text)
        return;
    if (!m_budget.take(Construct::Paragraphs)) {
        appendText(u" ");
        return;
    }
    flushRun();
    // A notice of a cut ends where the paragraph does.
    prepareContent(state().para.inTable, false);
    const QTextBlockFormat format = blockFormat();
    m_cursor.setBlockFormat(format);
    m_cursor.insertBlock(format, charFormat());
}

void RtfParser::cell()
{
    if (state().destination != Destination::Text)
        return;
    if (m_tablesOff) {
        appendText(u"\t");
        return;
    }
    flushRun();
    prepareContent(true);
    if (!m_table)
        return;
    m_cursor.setBlockFormat(blockFormat());
    m_cellPending = true;
}

void RtfParser::row()
{
    if (state().destination != Destination::Text)
        return;
    if (m_tablesOff) {
        paragraph();
        return;
    }
    flushRun();
    if (!m_table)
        return;
    m_rowPending = true;
    m_cellPending = false;
}

void RtfParser::finish()
{
    if (m_finished)
        return;
    m_finished = true;
    flushRun();
    // Cuts that no content followed are told at the end.
    if (m_table) {
        trimTable();
        m_cursor.movePosition(QTextCursor::End);
        tellCuts(false);
        return;
    }
    tellCuts(false);
    m_cursor.setBlockFormat(blockFormat());
    // The mark that ends the last paragraph leaves an empty block behind it.
    const QTextBlock block = m_cursor.block();
    const QTextBlock previous = block.previous();
    if (block.length() == 1 && previous.isValid() && !QTextCursor(previous).currentTable() &&
        m_cursor.currentFrame() == m_document.rootFrame())
        m_cursor.deletePreviousChar();
}

void RtfParser::startFont(int number)
{
    commitFont();
    m_pendingFont = Font();
    m_pendingFont.number = number;
    // A number met again replaces its font; a new one counts.
    m_fontOpen = m_fonts.count(number) > 0 || m_budget.take(Construct::Fonts);
}

void RtfParser::commitFont()
{
    if (!m_fontOpen)
        return;
    m_fontOpen = false;
    Font f = std::move(m_pendingFont);
    m_pendingFont = Font();
    if (f.codePage <= 0)
        f.codePage = codePageForCharset(f.charset);
    const int namePage = f.codePage > 0 ? f.codePage : m_documentCodePage;
    f.name += m_decoder.decode(f.nameBytes, namePage);
    f.nameBytes.clear();
    f.name = f.name.trimmed();
    f.hint = styleHintFor(f.familyClass);
    f.families = familiesFor(f.name, f.hint);
    m_fonts[f.number] = std::move(f);
}

void RtfParser::commitColor()
{
    if (!m_budget.take(Construct::Colours)) {
        m_red = m_green = m_blue = -1;
        return;
    }
    if (m_red < 0 && m_green < 0 && m_blue < 0)
        m_colors.emplace_back(); // the automatic colour
    else
        m_colors.emplace_back(std::max(m_red, 0), std::max(m_green, 0), std::max(m_blue, 0));
    m_red = m_green = m_blue = -1;
}

void RtfParser::finishPicture(const State &pictureState)
{
    if (state().destination != Destination::Text || pictureState.chars.hidden)
        return;
    flushRun();
    if (!m_budget.take(Construct::Pictures)) {
        m_picture = PictureSource();
        return;
    }
    const ShownPicture shown = m_renderer.render(m_picture);
    m_picture = PictureSource();
    prepareContent(state().para.inTable);
    const QString name = QStringLiteral("rtf-picture:%1").arg(shown.imageId);
    if (m_pictureImages.insert(shown.imageId).second)
        m_document.addResource(QTextDocument::ImageResource, QUrl(name), shown.image);
    QTextImageFormat format;
    format.merge(charFormat());
    format.setName(name);
    format.setWidth(shown.size.width());
    format.setHeight(shown.size.height());
    format.setProperty(QTextFormat::UserProperty, shown.placeholder);
    m_cursor.insertImage(format);
}

} // namespace rtf
