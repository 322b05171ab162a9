#include "strcodec.h"

#include <cstddef>
#include <cstring>
#include <string>

namespace {

constexpr unsigned char kRoll[7] = {0x3C, 0x91, 0x5A, 0xE7, 0x28, 0xB3, 0x6D};

unsigned char keyAt(std::size_t i)
{
    return static_cast<unsigned char>(kRoll[i % 7] + (i & 0xFF));
}

int hexValue(char c)
{
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    return -1;
}

// One buffer per thread: the caller copies the result before the next call.
thread_local std::string buffer;

} // namespace

extern "C" const char *uncode(const char *stored)
{
    buffer.clear();
    if (!stored)
        return buffer.c_str();
    const std::size_t length = std::strlen(stored);
    if (length % 2 != 0)
        return buffer.c_str();
    std::string out;
    out.reserve(length / 2);
    for (std::size_t i = 0; i < length; i += 2) {
        const int high = hexValue(stored[i]);
        const int low = hexValue(stored[i + 1]);
        if (high < 0 || low < 0)
            return buffer.c_str();
        const auto byte = static_cast<unsigned char>(high * 16 + low) ^ keyAt(i / 2);
        if (byte == 0) // a zero byte would cut the text short: not a joke of ours
            return buffer.c_str();
        out.push_back(static_cast<char>(byte));
    }
    buffer = std::move(out);
    return buffer.c_str();
}

extern "C" const char *encode(const char *plainGbk)
{
    static constexpr char kHex[] = "0123456789ABCDEF";
    buffer.clear();
    if (!plainGbk)
        return buffer.c_str();
    const std::size_t length = std::strlen(plainGbk);
    std::string out;
    out.reserve(length * 2);
    for (std::size_t i = 0; i < length; ++i) {
        const auto byte = static_cast<unsigned char>(plainGbk[i]) ^ keyAt(i);
        out.push_back(kHex[byte >> 4]);
        out.push_back(kHex[byte & 0x0F]);
    }
    buffer = std::move(out);
    return buffer.c_str();
}
