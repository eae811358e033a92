#pragma once
// Text as the frames carry it: UTF-8 at the library's boundary, UTF-16 inside,
// and the four encodings of a frame body (0 read as Windows-1252 and written
// as ISO-8859-1, 1 UTF-16 with byte order mark, 2 UTF-16 big-endian, 3 UTF-8).

#include "Cp1252.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace quillmark::text {

std::u16string Utf8ToU16(std::string_view in);
std::string U16ToUtf8(std::u16string_view in);

// Decodes a run of body bytes in `encoding`; NULs stay in the text as NUL
// characters (they separate strings).  Unknown encodings read as encoding 0.
std::u16string Decode(uint8_t encoding, const uint8_t* p, size_t n);

// The length of the string that starts at p, its terminator included (one 0
// byte for encodings 0 and 3, a 0 0 pair on a 2-byte boundary for 1 and 2);
// npos when there is no terminator.
size_t TerminatedLength(uint8_t encoding, const uint8_t* p, size_t n);

// Whether a character is written in encoding 0: every reader takes those
// bytes as ISO-8859-1, so only its characters qualify, and not its C1
// controls (U+0080-U+009F), whose bytes hold other characters in the
// Windows-1252 text that encoding 0 is read as here.
inline bool FitsLatin1(char16_t c) { return c < 0x80 || (c >= 0xA0 && c <= 0xFF); }

// Whether encoding 0 carries every character of `s` as every reader reads it.
inline bool Fits(std::u16string_view s) {
    for (char16_t c : s)
        if (!FitsLatin1(c)) return false;
    return true;
}

// Appends `s` in encoding 0 (every character must fit; others become "?") or
// 1 (each string, as separated by NULs, starts with the little-endian byte
// order mark).
void Encode(std::u16string_view s, uint8_t encoding, std::vector<uint8_t>& out);

// Appends a URL in encoding 0; characters that do not fit are written as
// percent-escaped UTF-8, which is what they mean in a URL.
void EncodeUrl(std::u16string_view s, std::vector<uint8_t>& out);

inline std::u16string Cp1252(const uint8_t* p, size_t n) {
    return cp1252::Decode(std::string_view(reinterpret_cast<const char*>(p), n));
}

}  // namespace quillmark::text
