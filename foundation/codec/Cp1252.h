#pragma once
// Windows-1252 ("ANSI") text, shared by the program and the tag library:
// header-only, standard C++ only.  Decoding maps every byte (the five bytes
// that code page leaves undefined map to the C1 control of the same value, as
// the platform does); encoding reports whether every character fitted.

#include <cstdint>
#include <string>
#include <string_view>

namespace cp1252 {

// Unicode code points of bytes 0x80..0x9F.
inline constexpr char16_t kHigh[32] = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F,
    0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,
};

inline char16_t DecodeByte(unsigned char b) {
    return (b >= 0x80 && b <= 0x9F) ? kHigh[b - 0x80] : static_cast<char16_t>(b);
}

// The byte for a UTF-16 code unit, or -1 when the code page has none.
inline int EncodeChar(char16_t c) {
    if (c < 0x80 || (c >= 0xA0 && c <= 0xFF)) return c;
    for (int i = 0; i < 32; ++i)
        if (kHigh[i] == c) return 0x80 + i;
    return -1;
}

inline std::u16string Decode(std::string_view bytes) {
    std::u16string out;
    out.reserve(bytes.size());
    for (unsigned char b : bytes) out.push_back(DecodeByte(b));
    return out;
}

inline bool Fits(std::u16string_view text) {
    for (char16_t c : text)
        if (EncodeChar(c) < 0) return false;
    return true;
}

// Characters the code page lacks become `replacement`.
inline std::string Encode(std::u16string_view text, char replacement = '?') {
    std::string out;
    out.reserve(text.size());
    for (char16_t c : text) {
        const int b = EncodeChar(c);
        out.push_back(b < 0 ? replacement : static_cast<char>(b));
    }
    return out;
}

}  // namespace cp1252
