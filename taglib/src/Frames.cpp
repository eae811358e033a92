#include "Frames.h"

#include "QmErrors.h"

#include <algorithm>
#include <cstring>
#include <iterator>

namespace quillmark {

FrameKind GetFrameKind(std::string_view id) {
    static constexpr std::string_view kText[] = {"TRCK", "TIT2", "TPE1", "TALB", "TYER",
                                                 "TCON", "TCOM", "TOPE", "TCOP", "TENC"};
    if (id.size() != 4) return FrameKind::Unsupported;
    for (std::string_view t : kText)
        if (id == t) return FrameKind::Text;
    if (id == "WXXX") return FrameKind::Web;
    if (id == "COMM") return FrameKind::Comment;
    return FrameKind::Unsupported;
}

FrameKind GetFrameKind(const FrameIdBytes& id) { return GetFrameKind(std::string_view(id.data(), id.size())); }

void FrameObject::setFrameId(std::u16string_view value, std::string_view source) {
    if (value.size() != 4) RaiseError(Msg::FrameIdInvalid, source, {"%ID%"}, {text::U16ToUtf8(value)});
    for (size_t i = 0; i < 4; ++i) {
        const int b = cp1252::EncodeChar(value[i]);
        id[i] = static_cast<char>(b < 0 ? '?' : b);
    }
}

void FrameObject::setFlags(const uint8_t* p, size_t n, std::string_view source) {
    if (n != 2) RaiseError(Msg::FlagsInvalid, source);
    flags[0] = p[0];
    flags[1] = p[1];
}

size_t FrameObject::bodySize() const {
    std::vector<uint8_t> body;
    build(body);
    return body.size();
}

// ---- handled frames ----------------------------------------------------------

std::u16string HandledFrame::WithNul(std::u16string_view v) {
    std::u16string s(v);
    if (s.empty() || s.back() != u'\0') s.push_back(u'\0');
    return s;
}

void HandledFrame::setData(std::u16string_view value) {
    m_data = WithNul(value);
    changed();
    pickEncoding();
}

uint8_t HandledFrame::writtenEncoding() const {
    if (m_encoding == 1) return 1;
    return textsFit() ? 0 : 1;
}

void HandledFrame::keepRaw(const uint8_t* p, size_t n) {
    // Encodings 0 and 1 are the ones an ID3v2.3 tag can carry: such a body
    // goes back into the file exactly as it came.
    m_rawValid = m_encoding <= 1;
    if (m_rawValid)
        m_raw.assign(p, p + n);
    else
        m_raw.clear();
}

bool HandledFrame::appendRaw(std::vector<uint8_t>& out) const {
    if (!m_rawValid) return false;
    out.insert(out.end(), m_raw.begin(), m_raw.end());
    return true;
}

void TextFrameCore::parse(const uint8_t* p, size_t n, int version) {
    if (n == 0) RaiseError(Msg::TextFrameInvalid, kParseSource);
    m_encoding = p[0];
    m_data = text::Decode(m_encoding, p + 1, n - 1);
    bool joined = false;
    if (version == 4) {
        // Several values are separated by NULs in these tags; in the form
        // this library reads and writes they are joined by "/".
        for (size_t i = 0; i + 1 < m_data.size(); ++i)
            if (m_data[i] == u'\0' && m_data[i + 1] != u'\0') {
                m_data[i] = u'/';
                joined = true;
            }
    }
    keepRaw(p, n);
    if (joined) changed();
}

void TextFrameCore::build(std::vector<uint8_t>& out) const {
    if (appendRaw(out)) return;
    const uint8_t e = writtenEncoding();
    out.push_back(e);
    text::Encode(m_data, e, out);
}

void WebFrameCore::setDescription(std::u16string_view v) {
    m_description = WithNul(v);
    changed();
    pickEncoding();
}

void WebFrameCore::parse(const uint8_t* p, size_t n, int) {
    if (n == 0) RaiseError(Msg::WebFrameInvalid, kParseSource);
    m_encoding = p[0];
    const size_t len = text::TerminatedLength(m_encoding, p + 1, n - 1);
    if (len == std::u16string::npos) {
        m_description = text::Decode(m_encoding, p + 1, n - 1);
        m_data.clear();
    } else {
        m_description = text::Decode(m_encoding, p + 1, len);
        m_data = text::Cp1252(p + 1 + len, n - 1 - len);
    }
    keepRaw(p, n);
}

void WebFrameCore::build(std::vector<uint8_t>& out) const {
    if (appendRaw(out)) return;
    const uint8_t e = writtenEncoding();
    out.push_back(e);
    // A description read without its terminator gets one, or the URL would
    // become part of it.
    text::Encode(m_data.empty() ? std::u16string_view(m_description) : WithNul(m_description), e, out);
    text::EncodeUrl(m_data, out);
}

void CommentFrameCore::setDescription(std::u16string_view v) {
    m_description = WithNul(v);
    changed();
    pickEncoding();
}

void CommentFrameCore::setLanguage(std::u16string_view v) {
    std::u16string s(v.substr(0, 3));
    s.resize(3, u' ');
    m_language = s;
    changed();
}

void CommentFrameCore::setValue(std::u16string_view v) {
    // A damaged comment can carry any bytes as its language; written back
    // with a new text it would still be dropped by readers that take only
    // ASCII codes there.  It takes no language, as a new comment.
    if (std::any_of(m_language.begin(), m_language.end(), [](char16_t c) { return c > 0x7F; }))
        m_language = std::u16string(3, u'\0');
    setData(v);
}

void CommentFrameCore::parse(const uint8_t* p, size_t n, int) {
    if (n < 5) RaiseError(Msg::CommentFrameInvalid, kParseSource);
    m_encoding = p[0];
    m_language = text::Cp1252(p + 1, 3);
    const size_t len = text::TerminatedLength(m_encoding, p + 4, n - 4);
    if (len == std::u16string::npos) {
        m_description = text::Decode(m_encoding, p + 4, n - 4);
        m_data.clear();
    } else {
        m_description = text::Decode(m_encoding, p + 4, len);
        m_data = text::Decode(m_encoding, p + 4 + len, n - 4 - len);
    }
    keepRaw(p, n);
}

void CommentFrameCore::build(std::vector<uint8_t>& out) const {
    if (appendRaw(out)) return;
    const uint8_t e = writtenEncoding();
    out.push_back(e);
    for (char16_t c : m_language) {
        const int b = cp1252::EncodeChar(c);
        out.push_back(static_cast<uint8_t>(b < 0 ? '?' : b));
    }
    // The description always gets its terminator: without it the text would
    // run into it, and a body of four bytes would not read back at all.
    text::Encode(WithNul(m_description), e, out);
    text::Encode(m_data, e, out);
}

std::unique_ptr<HandledFrame> MakeFrame(FrameKind kind) {
    switch (kind) {
    case FrameKind::Text: return std::make_unique<TextFrameCore>();
    case FrameKind::Web: return std::make_unique<WebFrameCore>();
    case FrameKind::Comment: return std::make_unique<CommentFrameCore>();
    default: return nullptr;
    }
}

// ---- the collection --------------------------------------------------------------

void FrameCollection::Add(std::unique_ptr<FrameObject> frame) {
    if (!frame) RaiseError(Msg::FrameObjectInvalid, "cFrames::Add");
    m_items.push_back(std::move(frame));
}

std::vector<std::unique_ptr<FrameObject>> FrameCollection::TakeAfter(size_t count) {
    std::vector<std::unique_ptr<FrameObject>> taken;
    if (count >= m_items.size()) return taken;
    const auto from = m_items.begin() + static_cast<std::ptrdiff_t>(count);
    taken.assign(std::make_move_iterator(from), std::make_move_iterator(m_items.end()));
    m_items.erase(from, m_items.end());
    return taken;
}

FrameObject& FrameCollection::Item(size_t position) const {
    if (position < 1 || position > m_items.size()) RaisePlatform(9);
    return *m_items[position - 1];
}

void FrameCollection::Remove(size_t position) {
    if (position < 1 || position > m_items.size()) RaisePlatform(9);
    m_items.erase(m_items.begin() + static_cast<std::ptrdiff_t>(position - 1));
}

}  // namespace quillmark
