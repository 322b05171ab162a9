#include "transfer/JetHeader.h"

#include <QtEndian>
#include <array>
#include <cstring>

namespace {

constexpr int kScrambledAt = 0x18;
constexpr int kScrambledLength = 128;
constexpr int kPasswordAt = 0x42;
constexpr int kPasswordLength = 40;
constexpr int kCreatedAt = 0x72;
constexpr int kVersionAt = 0x14;
constexpr unsigned char kJet4 = 1;

// The RC4 key stream of the fixed key 0x6b39dac7 (stored little-endian).
std::array<unsigned char, kScrambledLength> keyStream()
{
    const std::array<unsigned char, 4> key = {0xc7, 0xda, 0x39, 0x6b};
    std::array<unsigned char, 256> state{};
    for (int i = 0; i < 256; ++i)
        state[static_cast<size_t>(i)] = static_cast<unsigned char>(i);
    size_t j = 0;
    for (size_t i = 0; i < 256; ++i) {
        j = (j + state[i] + key[i % key.size()]) % 256;
        std::swap(state[i], state[j]);
    }
    std::array<unsigned char, kScrambledLength> stream{};
    size_t a = 0;
    size_t b = 0;
    for (unsigned char &out : stream) {
        a = (a + 1) % 256;
        b = (b + state[a]) % 256;
        std::swap(state[a], state[b]);
        out = state[(state[a] + state[b]) % 256];
    }
    return stream;
}

// The scrambled part of the first page made plain (or plain made scrambled:
// the same exclusive-or both ways).
QByteArray toggled(QByteArray head)
{
    const auto stream = keyStream();
    for (int k = 0; k < kScrambledLength; ++k)
        head[kScrambledAt + k] =
            static_cast<char>(uchar(head.at(kScrambledAt + k)) ^ stream[static_cast<size_t>(k)]);
    return head;
}

// The four bytes that mask the password: the whole days of the creation date.
std::array<unsigned char, 4> dateMask(const QByteArray &plain)
{
    double created = 0;
    const auto bits = qFromLittleEndian<quint64>(plain.constData() + kCreatedAt);
    std::memcpy(&created, &bits, sizeof created);
    qint32 days = 0;
    if (created > -2147483648.0 && created < 2147483647.0)
        days = static_cast<qint32>(created);
    std::array<unsigned char, 4> mask{};
    qToLittleEndian<qint32>(days, mask.data());
    return mask;
}

bool isJet4Head(const QByteArray &head)
{
    return head.size() >= jetheader::kBytesNeeded && uchar(head.at(kVersionAt)) == kJet4;
}

} // namespace

namespace jetheader {

std::optional<QString> password(const QByteArray &head)
{
    if (!isJet4Head(head))
        return std::nullopt;
    const QByteArray plain = toggled(head);
    const auto mask = dateMask(plain);
    QByteArray bytes(kPasswordLength, '\0');
    for (int k = 0; k < kPasswordLength; ++k)
        bytes[k] =
            static_cast<char>(uchar(plain.at(kPasswordAt + k)) ^ mask[static_cast<size_t>(k % 4)]);
    QString text;
    for (int k = 0; k + 1 < kPasswordLength; k += 2) {
        const auto unit = qFromLittleEndian<char16_t>(bytes.constData() + k);
        if (unit == 0)
            break;
        text += QChar(unit);
    }
    return text;
}

QByteArray withPassword(const QByteArray &head, const QString &text)
{
    if (!isJet4Head(head))
        return head;
    QByteArray plain = toggled(head);
    const auto mask = dateMask(plain);
    QByteArray bytes(kPasswordLength, '\0');
    for (int k = 0; k < text.size() && 2 * k + 1 < kPasswordLength; ++k)
        qToLittleEndian<char16_t>(text.at(k).unicode(), bytes.data() + 2 * k);
    for (int k = 0; k < kPasswordLength; ++k)
        plain[kPasswordAt + k] =
            static_cast<char>(uchar(bytes.at(k)) ^ mask[static_cast<size_t>(k % 4)]);
    return toggled(plain);
}

} // namespace jetheader
