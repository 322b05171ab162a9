#pragma once

#include <QByteArrayView>
#include <string_view>

namespace rtf {

// One piece of a document as the lexer meets it.
struct Token
{
    enum class Kind
    {
        End,
        GroupOpen,
        GroupClose,
        ControlWord,
        ControlSymbol, // a backslash and one character that is not a letter
        HexByte,       // \'hh
        Binary,        // \binN and the N bytes after it
        Character      // any other byte outside line ends
    };
    Kind kind = Kind::End;
    std::string_view word; // ControlWord: its letters, at most maxWordLength of them
    bool hasParam = false;
    int param = 0;       // ControlWord: the number after it, saturated at two thousand million
    char value = 0;      // ControlSymbol: the symbol; Character, HexByte: the byte
    bool valid = true;   // HexByte: false when two hex digits did not follow
    QByteArrayView data; // Binary: the bytes taken
};

// Splits a document's bytes into tokens. Line ends between tokens are not
// text and are dropped; \binN takes the N bytes after it (as many as there
// are) whatever they hold.
class RtfLexer
{
public:
    static constexpr size_t maxWordLength = 32;

    explicit RtfLexer(QByteArrayView bytes);

    // The value of one hexadecimal digit, or -1 for any other byte; \' escapes
    // and picture data share it.
    static int hexValue(char c);

    Token next();
    // Passes over the rest of the current group, nested groups and binary
    // data included, up to and including its closing brace.
    void skipGroup();

private:
    Token controlWord();
    Token hexByte();

    const char *m_pos = nullptr;
    const char *m_end = nullptr;
};

} // namespace rtf
