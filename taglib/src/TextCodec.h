#pragma once
// Text as the frames carry it: UTF-8 at the library's boundary, UTF-16 inside,
// and the four encodings of a frame body (0 Windows-1252, 1 UTF-16 with byte
// order mark, 2 UTF-16 big-endian, 3 UTF-8).

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

// Whether every character has a Windows-1252 byte (encoding 0 can carry it).
inline bool Fits(std::u16string_view s) { return cp1252::Fits(s); }

// Appends `s` in encoding 0 (every character must fit) or 1 (each string,
// as separated by NULs, starts with the little-endian byte order mark).
void Encode(std::u16string_view s, uint8_t encoding, std::vector<uint8_t>& out);

// Appends a URL in encoding 0; characters beyond Windows-1252 are written as
// percent-escaped UTF-8, which is what they mean in a URL.
void EncodeUrl(std::u16string_view s, std::vector<uint8_t>& out);

inline std::u16string Cp1252(const uint8_t* p, size_t n) {
    return cp1252::Decode(std::string_view(reinterpret_cast<const char*>(p), n));
}

}  // namespace quillmark::text
