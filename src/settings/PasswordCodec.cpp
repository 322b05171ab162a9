#include "settings/PasswordCodec.h"

#include "base/GbkText.h"

QString encodePassword(const QString &password)
{
    static constexpr char kHex[] = "0123456789ABCDEF";
    const QByteArray bytes = gbk::encode(text::trimmed(password));
    QString out;
    out.reserve(bytes.size() * 2);
    for (char c : bytes) {
        auto b = static_cast<unsigned char>(c);
        // Every result replaces the previous one: only the last key character counts.
        unsigned char kept = b;
        for (const char *k = password::kKeyText; *k; ++k)
            kept = b ^ static_cast<unsigned char>(*k);
        out += QLatin1Char(kHex[kept >> 4]);
        out += QLatin1Char(kHex[kept & 0x0F]);
    }
    return out;
}
