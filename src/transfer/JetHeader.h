#pragma once

#include <QByteArray>
#include <QString>
#include <optional>

// What the first page of a Jet 4.0 file says before any table is read. Part
// of the page, from byte 0x18 on, is scrambled with a fixed RC4 key; in it the
// database password (20 UTF-16 characters at 0x42) is further masked with the
// file's creation date (at 0x72). A file without a password holds zeros there.
namespace jetheader {

// The bytes of the first page this needs.
inline constexpr int kBytesNeeded = 0x18 + 128;

// The database password of a Jet 4.0 file's first bytes: empty when there is
// none; nothing when the bytes are too few or not of a Jet 4.0 file.
std::optional<QString> password(const QByteArray &head);

// The first bytes of a Jet 4.0 file with the password set to `text` (at most
// 20 characters): how a protected file looks, for the tests.
QByteArray withPassword(const QByteArray &head, const QString &text);

} // namespace jetheader
