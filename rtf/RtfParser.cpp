#include "RtfParser.h"

#include <QTextDocument>
#include <algorithm>
#include <utility>

namespace rtf {

namespace {

bool toggleValue(const Token &token)
{
    return !token.hasParam || token.param != 0;
}

double halfPoints(int param)
{
    return std::clamp(param / 2.0, 1.0, 1638.0);
}

} // namespace

RtfParser::RtfParser(QTextDocument &document, ReadingBudget &budget, const std::atomic<bool> *stop)
    : m_budget(budget), m_stop(stop), m_fonts(budget, m_decoder), m_colors(budget),
      m_renderer(budget), m_writer(document, budget)
{
}

void RtfParser::parse(const QByteArray &bytes)
{
    // Bytes before the document's group (blanks, a byte-order mark) are not text.
    const qsizetype open = bytes.indexOf('{');
    m_lexer = RtfLexer(QByteArrayView(bytes).sliced(open < 0 ? bytes.size() : open));
    // A picture's \nonshppict form is for readers that do not know \shppict; it
    // shows only in documents that have no \shppict at all.
    m_hasShapePictures = QByteArrayView(bytes).contains("\\shppict");
    m_states.clear();
    m_states.emplace_back(); // outside the document's group
    m_states.back().destination = Destination::Alternative;

    qint64 tokens = 0;
    while (!m_done) {
        if ((++tokens & 0xffff) == 0 && m_stop && m_stop->load(std::memory_order_relaxed))
            break;
        const Token token = m_lexer.next();
        switch (token.kind) {
        case Token::Kind::End:
            m_done = true;
            break;
        case Token::Kind::GroupOpen:
            openGroup();
            break;
        case Token::Kind::GroupClose:
            closeGroup();
            break;
        case Token::Kind::ControlWord:
            controlWord(token);
            break;
        case Token::Kind::ControlSymbol:
            controlSymbol(token.value);
            break;
        case Token::Kind::HexByte:
            hexByte(token);
            break;
        case Token::Kind::Binary:
            binary(token.data);
            break;
        case Token::Kind::Character:
            character(token.value);
            break;
        }
    }
    finish();
}

// ---- Groups

void RtfParser::openGroup()
{
    m_pendingStar = false;
    flushBytes(true);
    m_styleChanged = true;
    m_skip = 0;
    if (m_states.size() > size_t(maxGroupDepth) ||
        m_states.back().destination == Destination::Picture) {
        m_lexer.skipGroup();
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
    m_styleChanged = true;
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
        m_fonts.commit(m_documentCodePage);
}

// Passes over the rest of the group just opened, as the lexer reads it.
void RtfParser::skipGroup()
{
    if (m_states.size() <= 2)
        return; // never the document's own group
    flushBytes(true);
    m_lexer.skipGroup();
    m_states.pop_back();
}

// ---- Tokens

bool RtfParser::consumeSkip()
{
    if (m_skip <= 0)
        return false;
    --m_skip;
    return true;
}

void RtfParser::character(char c)
{
    m_pendingStar = false;
    if (consumeSkip())
        return;
    switch (state().destination) {
    case Destination::Text:
        if (c == '\t')
            appendText(u"\t");
        else
            appendByte(c);
        break;
    case Destination::FontTable:
        if (c == ';')
            m_fonts.commit(m_documentCodePage);
        else
            m_fonts.addNameByte(c);
        break;
    case Destination::ColorTable:
        if (c == ';')
            m_colors.commit();
        break;
    case Destination::Picture:
        m_picture.hexDigit(c);
        break;
    default:
        break;
    }
}

void RtfParser::hexByte(const Token &token)
{
    m_pendingStar = false;
    if (!token.valid || consumeSkip())
        return;
    if (state().destination == Destination::Text)
        appendByte(token.value);
    else if (state().destination == Destination::FontTable)
        m_fonts.addNameByte(token.value);
}

void RtfParser::controlSymbol(char symbol)
{
    if (symbol == '*') {
        m_pendingStar = true;
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
        else if (state().destination == Destination::FontTable)
            m_fonts.addNameByte(symbol);
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

void RtfParser::binary(QByteArrayView data)
{
    const bool starred = std::exchange(m_pendingStar, false);
    if (consumeSkip())
        return; // the bytes stand for one character of a \u fallback
    if (starred)
        skipGroup();
    else if (state().destination == Destination::Picture)
        m_picture.binary(data);
}

void RtfParser::controlWord(const Token &token)
{
    const bool starred = std::exchange(m_pendingStar, false);
    const Keyword *keyword = findKeyword(token.word);
    if (consumeSkip())
        return; // a control word stands for one character of a \u fallback

    // An ignorable destination this reader does not know is passed over whole.
    if (starred) {
        const Key key = keyword ? keyword->key : Key::SkippedDestination;
        if (key != Key::ShapePicture && key != Key::UnicodeText && key != Key::ShapeInstructions &&
            key != Key::ShapeText && key != Key::DrawingObject) {
            skipGroup();
            return;
        }
    }
    if (!keyword) {
        m_writer.otherWord(token.word);
        return;
    }
    // Words that stand for text add to the current run and change nothing else.
    if (keyword->group == Group::Text) {
        textWord(*keyword, token);
        return;
    }
    flushBytes(true);
    m_styleChanged = true;
    switch (keyword->group) {
    case Group::Document:
        documentWord(keyword->key, token.param);
        break;
    case Group::Destination:
        destinationWord(keyword->key);
        break;
    case Group::FontTable:
        fontTableWord(keyword->key, token);
        break;
    case Group::ColorTable:
        if (keyword->key == Key::Red)
            m_colors.setRed(token.param);
        else if (keyword->key == Key::Green)
            m_colors.setGreen(token.param);
        else
            m_colors.setBlue(token.param);
        break;
    case Group::Character:
        characterWord(keyword->key, token);
        break;
    case Group::Paragraph:
        paragraphWord(keyword->key, token.param);
        break;
    case Group::Table:
        tableWord(keyword->key, token.param);
        break;
    case Group::Picture:
        m_picture.control(keyword->key, token.param);
        break;
    case Group::Text:
        break;
    }
}

// ---- Control words

void RtfParser::documentWord(Key key, int param)
{
    switch (key) {
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
    default:
        break; // \rtf, \ansi
    }
}

void RtfParser::destinationWord(Key key)
{
    State &s = state();
    switch (key) {
    case Key::FontTable:
        s.destination = Destination::FontTable;
        break;
    case Key::ColorTable:
        s.destination = Destination::ColorTable;
        m_colors.begin();
        break;
    case Key::SkippedDestination:
        skipGroup();
        break;
    case Key::Picture:
        // Past the budget of pictures a picture's bytes are not even gathered.
        if (m_budget.remaining(Construct::Pictures) == 0 && m_states.size() > 2) {
            m_budget.refuse(Construct::Pictures);
            skipGroup();
            break;
        }
        s.destination = Destination::Picture;
        m_picture.begin();
        break;
    case Key::FallbackPicture:
        if (m_hasShapePictures)
            skipGroup();
        break;
    case Key::UnicodeAlternatives:
        s.outer = s.destination;
        s.destination = Destination::Alternative;
        break;
    case Key::UnicodeText:
        if (s.destination == Destination::Alternative)
            s.destination = s.outer;
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
        if (m_shapeHasText)
            skipGroup();
        break;
    default:
        break; // \shppict: its picture shows
    }
}

void RtfParser::fontTableWord(Key key, const Token &token)
{
    if (state().destination != Destination::FontTable)
        return;
    switch (key) {
    case Key::Charset:
        m_fonts.setCharset(token.param);
        break;
    case Key::FontCodePage:
        m_fonts.setCodePage(token.param);
        break;
    default:
        m_fonts.setFamilyClass(QByteArray(token.word.data(), qsizetype(token.word.size())));
        break;
    }
}

void RtfParser::characterWord(Key key, const Token &token)
{
    State &s = state();
    CharProps &c = s.chars;
    const int param = token.param;
    const bool eastAsian = s.charClass == CharClass::Double && !s.rightToLeft;
    switch (key) {
    case Key::Font:
        if (s.destination == Destination::FontTable)
            m_fonts.start(param, m_documentCodePage);
        else
            c.font = param;
        break;
    case Key::FontSize:
        c.points = token.hasParam && param > 0 ? halfPoints(param) : 12.0;
        break;
    case Key::Bold:
        c.bold = toggleValue(token);
        break;
    case Key::Italic:
        c.italic = toggleValue(token);
        break;
    case Key::Underline:
        c.underline = toggleValue(token);
        break;
    case Key::UnderlineNone:
        c.underline = false;
        break;
    case Key::Strike:
        c.strike = toggleValue(token);
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
        c.hidden = toggleValue(token);
        break;
    case Key::Plain:
        c = CharProps();
        break;
    case Key::EastFont:
        if (eastAsian)
            c.eastFont = std::max(param, -1);
        break;
    case Key::EastFontSize:
        if (eastAsian && token.hasParam && param > 0)
            c.eastPoints = halfPoints(param);
        break;
    case Key::EastBold:
        if (eastAsian)
            c.eastBold = toggleValue(token) ? 1 : 0;
        break;
    case Key::EastItalic:
        if (eastAsian)
            c.eastItalic = toggleValue(token) ? 1 : 0;
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
    default:
        break;
    }
}

void RtfParser::textWord(const Keyword &keyword, const Token &token)
{
    switch (keyword.key) {
    case Key::Unicode:
        appendUnicode(token.param < 0 ? token.param + 65536 : token.param);
        m_skip = state().unicodeSkip;
        break;
    case Key::UnicodeSkip:
        state().unicodeSkip = std::clamp(token.param, 0, 64);
        break;
    case Key::Character:
        appendText(QStringView(&keyword.character, 1));
        break;
    case Key::Tab:
    case Key::NestedCell:
        appendText(u"\t");
        break;
    case Key::Line:
    case Key::NestedRow:
        lineBreak();
        break;
    default:
        break;
    }
}

void RtfParser::paragraphWord(Key key, int param)
{
    ParagraphStyle &p = state().para;
    switch (key) {
    case Key::Par:
    case Key::Page:
        paragraph();
        break;
    case Key::Pard:
        p = ParagraphStyle();
        break;
    case Key::AlignLeft:
        p.alignment = Qt::AlignLeft;
        break;
    case Key::AlignCenter:
        p.alignment = Qt::AlignHCenter;
        break;
    case Key::AlignRight:
        p.alignment = Qt::AlignRight;
        break;
    case Key::AlignJustify:
        p.alignment = Qt::AlignJustify;
        break;
    case Key::LeftIndent:
        p.left = param;
        break;
    case Key::RightIndent:
        p.right = param;
        break;
    case Key::FirstIndent:
        p.firstLine = param;
        break;
    case Key::SpaceBefore:
        p.before = param;
        break;
    case Key::SpaceAfter:
        p.after = param;
        break;
    case Key::InTable:
        p.inTable = true;
        break;
    case Key::TableLevel:
        p.inTable = param > 0;
        break;
    default:
        break;
    }
}

void RtfParser::tableWord(Key key, int param)
{
    switch (key) {
    case Key::RowDefaults:
        m_writer.rowDefaults();
        break;
    case Key::CellBoundary:
        m_writer.cellBoundary(param);
        break;
    case Key::RowLeft:
        m_writer.rowLeft(param);
        break;
    case Key::RowGap:
        m_writer.rowGap(param);
        break;
    case Key::RowAlignLeft:
        m_writer.rowAlignment(Qt::AlignLeft);
        break;
    case Key::RowAlignCenter:
        m_writer.rowAlignment(Qt::AlignHCenter);
        break;
    case Key::RowAlignRight:
        m_writer.rowAlignment(Qt::AlignRight);
        break;
    case Key::Cell:
        if (state().destination == Destination::Text) {
            flushBytes();
            m_writer.cell(state().para, textStyle());
        }
        break;
    case Key::Row:
        if (state().destination == Destination::Text) {
            flushBytes();
            m_writer.row(state().para, textStyle());
        }
        break;
    default:
        break;
    }
}

// ---- Text

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
    // Long text is decoded as it comes, not held whole.
    if (m_bytes.size() >= longestBytes)
        flushBytes(true);
}

void RtfParser::appendText(QStringView text)
{
    if (state().destination != Destination::Text)
        return;
    flushBytes();
    m_writer.addText(text, textStyle(), state().para.inTable);
}

void RtfParser::appendUnicode(int value)
{
    // Control characters are not text: a tab stays a tab, line ends and
    // separators are line breaks, the rest are dropped.
    if (value == '\n' || value == '\r' || value == 0x0b || value == 0x2028 || value == 0x2029) {
        lineBreak();
        return;
    }
    if (value < 0x20 && value != '\t')
        return;
    QString text;
    if (value <= 0xFFFF)
        text = QChar(char16_t(value));
    else if (value <= 0x10FFFF)
        text = QString::fromUcs4(reinterpret_cast<const char32_t *>(&value), 1);
    else
        return;
    if (state().destination == Destination::FontTable)
        m_fonts.addNameText(text, m_documentCodePage);
    else
        appendText(text);
}

// The code page whose byte pairs are double-byte text, and (runPage) the one
// of the run's other bytes. Word names the font of double-byte text with
// \dbch\af and goes back to \loch before the text: the pairs of that font's
// code page are then its text.
int RtfParser::pairCodePage(int &runPage) const
{
    runPage = codePage();
    const State &s = state();
    if (s.charClass == CharClass::Low && s.chars.eastFont >= 0) {
        const Font *east = m_fonts.find(s.chars.eastFont);
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
    QString text = m_decoder.decode(bytes, page);
    // Control characters are not text; a paragraph separator is a line break.
    qsizetype kept = 0;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar ch = text.at(i);
        if (ch.unicode() >= 0x20 || ch == u'\t')
            text[kept++] = ch == QChar::ParagraphSeparator ? QChar(QChar::LineSeparator) : ch;
    }
    text.truncate(kept);
    if (doubleByte != m_doubleByteText) {
        m_doubleByteText = doubleByte;
        m_styleChanged = true;
    }
    m_writer.addText(text, textStyle(), state().para.inTable);
    if (m_doubleByteText) {
        m_doubleByteText = false;
        m_styleChanged = true;
    }
}

// The font of the current run: a double-byte run's own font, else the run's
// font, else the document's default; a number the font table lacks passes on
// to the next.
const Font *RtfParser::runFont() const
{
    const State &s = state();
    if ((s.charClass == CharClass::Double || m_doubleByteText) && s.chars.eastFont >= 0) {
        if (const Font *f = m_fonts.find(s.chars.eastFont))
            return f;
    }
    if (s.chars.font >= 0) {
        if (const Font *f = m_fonts.find(s.chars.font))
            return f;
    }
    return m_fonts.find(m_defaultFont);
}

int RtfParser::codePage() const
{
    const Font *f = runFont();
    return f && f->codePage > 0 ? f->codePage : m_documentCodePage;
}

// The style of the text from here, made anew only after a control word or a group.
const TextStyle &RtfParser::textStyle()
{
    if (!m_styleChanged)
        return m_style;
    m_styleChanged = false;
    const State &s = state();
    const CharProps &c = s.chars;
    const bool east = s.charClass == CharClass::Double || m_doubleByteText;
    m_style.font = runFont();
    m_style.points = east && c.eastPoints > 0 ? c.eastPoints : c.points;
    m_style.bold = east && c.eastBold >= 0 ? c.eastBold == 1 : c.bold;
    m_style.italic = east && c.eastItalic >= 0 ? c.eastItalic == 1 : c.italic;
    m_style.underline = c.underline;
    m_style.strike = c.strike;
    m_style.hidden = c.hidden;
    m_style.vertical = c.vertical;
    m_style.foreground = m_colors.at(c.foreground);
    m_style.background = c.background > 0 ? m_colors.at(c.background) : QColor();
    return m_style;
}

// ---- Structure

void RtfParser::paragraph()
{
    if (state().destination != Destination::Text)
        return;
    flushBytes();
    m_writer.paragraph(state().para, textStyle());
}

void RtfParser::lineBreak()
{
    if (state().destination != Destination::Text)
        return;
    flushBytes();
    m_writer.lineBreak(textStyle(), state().para.inTable);
}

void RtfParser::finishPicture(const State &pictureState)
{
    const PictureSource source = m_picture.take();
    if (state().destination != Destination::Text || pictureState.chars.hidden)
        return;
    flushBytes();
    if (!m_budget.take(Construct::Pictures))
        return;
    m_writer.picture(m_renderer.render(source), textStyle(), state().para.inTable);
}

void RtfParser::finish()
{
    if (m_finished)
        return;
    m_finished = true;
    flushBytes();
    m_writer.finish(state().para);
}

} // namespace rtf
