#pragma once

#include <QString>

// The stored form of the program password: the trimmed password's
// GBK bytes, each combined by exclusive-or with the key text's characters in
// turn, keeping only the last result, written as two upper-case hexadecimal
// digits per byte. Only the key's last character ('4', 0x34) shapes the result.
namespace password {

// The key text, a constant of the system.
inline constexpr char kKeyText[] = "tolb305829164";

} // namespace password

// The password encoding; an empty or all-blank password encodes to "".
QString encodePassword(const QString &password);
