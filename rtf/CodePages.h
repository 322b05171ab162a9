#pragma once

#include <QByteArray>
#include <QString>
#include <QStringDecoder>
#include <map>

namespace rtf {

// The Windows code page a font's \fcharset stands for; 0 when the character set
// names no page of its own (ANSI, default) and the document's page applies.
int codePageForCharset(int charset);

// True for the code pages of East Asian text, whose characters take one byte
// or two (a lead byte and a trail byte).
bool isDoubleByte(int codePage);

// The number of bytes of the character that starts at bytes[pos] in a code
// page: 1 or 2 (4 for the four-byte sequences of GB18030); 0 when the bytes
// end inside it. A lead byte whose next byte cannot follow it counts as one.
int characterLength(int codePage, QByteArrayView bytes, qsizetype pos);

// Decodes the bytes of one Windows code page. A page this Qt has no codec for
// reads as Latin-1, so no byte is ever lost to an unknown page.
class CodePageDecoder
{
public:
    QString decode(const QByteArray &bytes, int codePage);

    // The codec name asked of Qt for a code page (empty for Latin-1 and unknown pages).
    static QByteArray codecName(int codePage);

    // How many decoders are kept.
    size_t decoderCount() const { return m_decoders.size(); }

private:
    std::map<QByteArray, QStringDecoder> m_decoders; // by codec name
};

} // namespace rtf
