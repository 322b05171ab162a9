#pragma once

// The joke decoder library. A stored joke is the hexadecimal form (two
// upper-case digits per byte) of its GBK bytes, each byte mixed with a
// rolling key: byte i is combined by exclusive-or with kRoll[i % 7] + i (mod 256).
//
// uncode: zero-terminated stored text in, zero-terminated GBK text out. The
// returned pointer refers to a buffer owned by the library that the next call
// overwrites: copy the text at once, never free it. A value that is not a valid
// stored joke (odd length, non-hexadecimal characters, null) gives "".
//
// encode: the inverse, for the tools that write the jokes; same buffer rules.

#if defined(_WIN32)
#define STRCODEC_API __declspec(dllexport)
#else
#define STRCODEC_API __attribute__((visibility("default")))
#endif

#ifdef __cplusplus
extern "C" {
#endif

STRCODEC_API const char *uncode(const char *stored);
STRCODEC_API const char *encode(const char *plainGbk);

#ifdef __cplusplus
}
#endif
