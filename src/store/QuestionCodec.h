#pragma once

#include <QByteArray>
#include <QString>

// The reversible encoding of the question table's text columns: one pair of
// upper-case hexadecimal digits per GBK byte of the trimmed text, each byte
// mixed with the four letters of the key and with the length of the result.
namespace codec {

// The four key letters, in the order they enter the mix.
inline constexpr char kKey[4] = {'W', 'E', 'X', 'O'};

// Byte-level forms: GBK bytes in, hexadecimal text out, and back. decodeBytes
// returns false (and leaves out empty) for a value that is not a valid encoding:
// odd length, a character outside the hexadecimal digits, or a final GBK lead
// byte (0x81 ... 0xFE) with no byte after it.
QByteArray encodeBytes(const QByteArray &plainGbk);
bool decodeBytes(const QByteArray &encoded, QByteArray &plainGbk);

// The steps both directions share.
int hexDigit(char c); // -1 for a character that is not a hexadecimal digit
// The byte combined with the key letters in turn, then with the length mask.
unsigned char mixByte(unsigned char byte, unsigned char lengthMask);
// The bytes that start a double-byte GBK character.
inline constexpr unsigned char kFirstLeadByte = 0x81;
inline constexpr unsigned char kLastLeadByte = 0xFE;
bool isLeadByte(unsigned char byte);
// False when the last character is a lead byte with nothing after it.
bool wholeCharacters(const QByteArray &plain);

} // namespace codec

// Text forms used by every reader and writer of an encoded column. An invalid
// stored value decodes to the empty text.
QString encodeQuestionText(const QString &plain);
QString decodeQuestionText(const QString &encoded);
