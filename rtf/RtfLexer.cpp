#include "RtfLexer.h"

#include <QtGlobal>
#include <algorithm>

namespace rtf {

namespace {

bool isLetter(char c)
{
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
}

bool isDigit(char c)
{
    return c >= '0' && c <= '9';
}

} // namespace

int RtfLexer::hexValue(char c)
{
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return -1;
}

RtfLexer::RtfLexer(QByteArrayView bytes) : m_pos(bytes.data()), m_end(bytes.data() + bytes.size())
{
}

Token RtfLexer::next()
{
    Token token;
    while (m_pos < m_end) {
        const char c = *m_pos++;
        switch (c) {
        case '{':
            token.kind = Token::Kind::GroupOpen;
            return token;
        case '}':
            token.kind = Token::Kind::GroupClose;
            return token;
        case '\r':
        case '\n':
            continue;
        case '\\':
            if (m_pos >= m_end)
                return token; // a backslash that ends the bytes ends the document
            if (isLetter(*m_pos))
                return controlWord();
            if (*m_pos == '\'') {
                ++m_pos;
                return hexByte();
            }
            token.kind = Token::Kind::ControlSymbol;
            token.value = *m_pos++;
            return token;
        default:
            token.kind = Token::Kind::Character;
            token.value = c;
            return token;
        }
    }
    return token;
}

Token RtfLexer::controlWord()
{
    Token token;
    token.kind = Token::Kind::ControlWord;
    const char *start = m_pos;
    while (m_pos < m_end && isLetter(*m_pos))
        ++m_pos;
    token.word = std::string_view(start, std::min<size_t>(size_t(m_pos - start), maxWordLength));
    bool negative = false;
    if (m_pos + 1 < m_end && *m_pos == '-' && isDigit(m_pos[1])) {
        negative = true;
        ++m_pos;
    }
    qint64 value = 0;
    while (m_pos < m_end && isDigit(*m_pos)) {
        token.hasParam = true;
        value = std::min<qint64>(value * 10 + (*m_pos - '0'), 2000000000);
        ++m_pos;
    }
    token.param = int(negative ? -value : value);
    if (m_pos < m_end && *m_pos == ' ')
        ++m_pos;
    if (token.word == "bin") {
        const qint64 taken = std::clamp<qint64>(token.param, 0, m_end - m_pos);
        token.kind = Token::Kind::Binary;
        token.data = QByteArrayView(m_pos, qsizetype(taken));
        m_pos += taken;
    }
    return token;
}

// \' and what follows: two hex digits make a byte; a first digit that is not
// hex is left to be read as text, a second one takes the first with it.
Token RtfLexer::hexByte()
{
    Token token;
    token.kind = Token::Kind::HexByte;
    token.valid = false;
    const int high = m_pos < m_end ? hexValue(*m_pos) : -1;
    if (high < 0)
        return token;
    ++m_pos;
    const int low = m_pos < m_end ? hexValue(*m_pos) : -1;
    if (low < 0)
        return token;
    ++m_pos;
    token.valid = true;
    token.value = char((high << 4) | low);
    return token;
}

void RtfLexer::skipGroup()
{
    qint64 depth = 1;
    while (m_pos < m_end) {
        const Token token = next();
        if (token.kind == Token::Kind::GroupOpen) {
            ++depth;
        } else if (token.kind == Token::Kind::GroupClose) {
            if (--depth == 0)
                return;
        }
    }
}

} // namespace rtf
