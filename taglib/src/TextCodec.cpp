#include "TextCodec.h"

namespace quillmark::text {

namespace {
constexpr char16_t kReplacement = 0xFFFD;

void AppendUtf8(char32_t c, std::string& out) {
    if (c < 0x80) {
        out.push_back(static_cast<char>(c));
    } else if (c < 0x800) {
        out.push_back(static_cast<char>(0xC0 | (c >> 6)));
        out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
    } else if (c < 0x10000) {
        out.push_back(static_cast<char>(0xE0 | (c >> 12)));
        out.push_back(static_cast<char>(0x80 | ((c >> 6) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
    } else {
        out.push_back(static_cast<char>(0xF0 | (c >> 18)));
        out.push_back(static_cast<char>(0x80 | ((c >> 12) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | ((c >> 6) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
    }
}

void AppendU16(char32_t c, std::u16string& out) {
    if (c < 0x10000) {
        out.push_back(static_cast<char16_t>(c));
    } else {
        c -= 0x10000;
        out.push_back(static_cast<char16_t>(0xD800 + (c >> 10)));
        out.push_back(static_cast<char16_t>(0xDC00 + (c & 0x3FF)));
    }
}

// One UTF-8 sequence at p (n > 0 bytes left): the code point and its length,
// or length 0 when the bytes are not valid UTF-8.
char32_t NextUtf8(const unsigned char* p, size_t n, size_t& len) {
    const unsigned char b = p[0];
    len = 0;
    if (b < 0x80) {
        len = 1;
        return b;
    }
    size_t need;
    char32_t c, min;
    if ((b & 0xE0) == 0xC0) {
        need = 2, c = b & 0x1F, min = 0x80;
    } else if ((b & 0xF0) == 0xE0) {
        need = 3, c = b & 0x0F, min = 0x800;
    } else if ((b & 0xF8) == 0xF0) {
        need = 4, c = b & 0x07, min = 0x10000;
    } else {
        return 0;
    }
    if (n < need) return 0;
    for (size_t i = 1; i < need; ++i) {
        if ((p[i] & 0xC0) != 0x80) return 0;
        c = (c << 6) | (p[i] & 0x3F);
    }
    if (c < min || c > 0x10FFFF || (c >= 0xD800 && c <= 0xDFFF)) return 0;
    len = need;
    return c;
}

std::u16string DecodeUtf16(const uint8_t* p, size_t n, bool bigEndian) {
    std::u16string out;
    out.reserve(n / 2);
    bool atStart = true;
    for (size_t i = 0; i + 1 < n; i += 2) {
        char16_t unit = bigEndian ? static_cast<char16_t>(p[i] << 8 | p[i + 1])
                                  : static_cast<char16_t>(p[i] | p[i + 1] << 8);
        if (atStart) {
            atStart = false;
            if (unit == 0xFEFF) continue;
            if (unit == 0xFFFE) {  // the mark read the wrong way round
                bigEndian = !bigEndian;
                continue;
            }
        }
        out.push_back(unit);
        if (unit == 0) atStart = true;  // the next string may have its own mark
    }
    return out;
}
}  // namespace

std::u16string Utf8ToU16(std::string_view in) {
    std::u16string out;
    out.reserve(in.size());
    const auto* p = reinterpret_cast<const unsigned char*>(in.data());
    for (size_t i = 0; i < in.size();) {
        size_t len;
        const char32_t c = NextUtf8(p + i, in.size() - i, len);
        if (len == 0) {
            out.push_back(kReplacement);
            ++i;
        } else {
            AppendU16(c, out);
            i += len;
        }
    }
    return out;
}

std::string U16ToUtf8(std::u16string_view in) {
    std::string out;
    out.reserve(in.size());
    for (size_t i = 0; i < in.size(); ++i) {
        char32_t c = in[i];
        if (c >= 0xD800 && c <= 0xDBFF && i + 1 < in.size() && in[i + 1] >= 0xDC00 && in[i + 1] <= 0xDFFF) {
            c = 0x10000 + ((c - 0xD800) << 10) + (in[i + 1] - 0xDC00);
            ++i;
        } else if (c >= 0xD800 && c <= 0xDFFF) {
            c = kReplacement;
        }
        AppendUtf8(c, out);
    }
    return out;
}

std::u16string Decode(uint8_t encoding, const uint8_t* p, size_t n) {
    switch (encoding) {
    case 1: return DecodeUtf16(p, n, false);
    case 2: return DecodeUtf16(p, n, true);
    case 3: {
        std::u16string out;
        out.reserve(n);
        for (size_t i = 0; i < n;) {
            size_t len;
            const char32_t c = NextUtf8(p + i, n - i, len);
            if (len == 0) {  // not UTF-8 after all: read the byte as the code page does
                out.push_back(cp1252::DecodeByte(p[i]));
                ++i;
            } else {
                AppendU16(c, out);
                i += len;
            }
        }
        return out;
    }
    default: return Cp1252(p, n);
    }
}

size_t TerminatedLength(uint8_t encoding, const uint8_t* p, size_t n) {
    if (encoding == 1 || encoding == 2) {
        for (size_t i = 0; i + 1 < n; i += 2)
            if (p[i] == 0 && p[i + 1] == 0) return i + 2;
        return std::u16string::npos;
    }
    for (size_t i = 0; i < n; ++i)
        if (p[i] == 0) return i + 1;
    return std::u16string::npos;
}

void Encode(std::u16string_view s, uint8_t encoding, std::vector<uint8_t>& out) {
    if (encoding != 1) {
        out.reserve(out.size() + s.size());
        for (char16_t c : s) out.push_back(static_cast<uint8_t>(FitsLatin1(c) ? c : '?'));
        return;
    }
    out.reserve(out.size() + 2 * s.size() + 4);
    for (size_t i = 0; i < s.size();) {
        size_t end = s.find(u'\0', i);
        if (end == std::u16string_view::npos) end = s.size();
        out.push_back(0xFF);
        out.push_back(0xFE);
        for (size_t k = i; k < end; ++k) {
            out.push_back(static_cast<uint8_t>(s[k] & 0xFF));
            out.push_back(static_cast<uint8_t>(s[k] >> 8));
        }
        if (end < s.size()) {
            out.push_back(0);
            out.push_back(0);
        }
        i = end + 1;
    }
}

void EncodeUrl(std::u16string_view s, std::vector<uint8_t>& out) {
    static const char kHex[] = "0123456789ABCDEF";
    for (size_t i = 0; i < s.size(); ++i) {
        if (FitsLatin1(s[i])) {
            out.push_back(static_cast<uint8_t>(s[i]));
            continue;
        }
        size_t len = 1;
        if (s[i] >= 0xD800 && s[i] <= 0xDBFF && i + 1 < s.size()) len = 2;
        const std::string utf8 = U16ToUtf8(s.substr(i, len));
        i += len - 1;
        for (unsigned char c : utf8) {
            out.push_back('%');
            out.push_back(static_cast<uint8_t>(kHex[c >> 4]));
            out.push_back(static_cast<uint8_t>(kHex[c & 15]));
        }
    }
}

}  // namespace quillmark::text
