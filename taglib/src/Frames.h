#pragma once
// The frames a tag holds.  The tag object keeps every frame of a tag, in file
// order: the three kinds it understands (text, web, comment) as objects whose
// values it gets and sets, every other frame as opaque bytes written back
// unchanged.  The public frame classes wrap the same cores.

#include "TextCodec.h"

#include <array>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace quillmark {

enum class FrameKind { Text = 1, Web = 2, Comment = 3, Unsupported = 4 };

using FrameIdBytes = std::array<char, 4>;

FrameKind GetFrameKind(std::string_view frameId);
FrameKind GetFrameKind(const FrameIdBytes& frameId);

class FrameObject {
public:
    virtual ~FrameObject() = default;
    virtual FrameKind kind() const = 0;

    FrameIdBytes id{0, 0, 0, 0};
    uint8_t flags[2] = {0, 0};

    std::string_view idView() const { return {id.data(), id.size()}; }
    // Stores a four-character frame ID; any other length raises 102 with `source`.
    void setFrameId(std::u16string_view value, std::string_view source);
    // Copies a two-byte flag array; any other size raises 107 with `source`.
    void setFlags(const uint8_t* p, size_t n, std::string_view source);

    // Fills the fields from a body of a tag of major version `version` (a
    // body given to the public parseBytes reads as version 3).
    virtual void parse(const uint8_t* p, size_t n, int version) = 0;
    // Appends the body as written to an ID3v2.3 tag.
    virtual void build(std::vector<uint8_t>& out) const = 0;
    size_t bodySize() const;

    // The value (data field) of the frames the tag object understands.
    virtual std::u16string value() const { return {}; }
    virtual void setValue(std::u16string_view) {}
};

// A frame of a kind the library does not interpret: its bytes as read (in
// the ID3v2.3 form), written back unchanged.
class OpaqueFrame final : public FrameObject {
public:
    FrameKind kind() const override { return FrameKind::Unsupported; }
    void parse(const uint8_t* p, size_t n, int) override { body.assign(p, p + n); }
    void build(std::vector<uint8_t>& out) const override { out.insert(out.end(), body.begin(), body.end()); }
    std::vector<uint8_t> body;
};

// What the three understood kinds share: an encoding byte and a data text.
// A frame read from a file keeps its body bytes and writes them back as they
// were until one of its fields is changed.
class HandledFrame : public FrameObject {
public:
    uint8_t encoding() const { return m_encoding; }
    void setEncoding(uint8_t e) {
        m_encoding = e;
        m_raw.clear();
        m_rawValid = false;
    }
    const std::u16string& data() const { return m_data; }
    // Data put: the NUL rule, and the encoding that carries the text.
    void setData(std::u16string_view value);

    std::u16string value() const override { return m_data; }
    void setValue(std::u16string_view v) override { setData(v); }

    // The text with one NUL at its end (kept as it is when it has one).
    static std::u16string WithNul(std::u16string_view v);

protected:
    // The encoding a rebuilt body is written in: 1 when the frame is set to
    // UTF-16, else 0 when every character fits the code page, else 1.
    uint8_t writtenEncoding() const;
    virtual bool textsFit() const { return text::Fits(m_data); }
    void changed() {
        m_rawValid = false;
        m_raw.clear();
    }
    void pickEncoding() { m_encoding = textsFit() ? 0 : 1; }
    void keepRaw(const uint8_t* p, size_t n);
    bool appendRaw(std::vector<uint8_t>& out) const;

    uint8_t m_encoding = 0;
    std::u16string m_data = std::u16string(1, u'\0');
    std::vector<uint8_t> m_raw;
    bool m_rawValid = false;
};

class TextFrameCore final : public HandledFrame {
public:
    static constexpr const char* kClass = "Text_Frame";
    static constexpr const char* kParseSource = "TextFrame::parseBytes";
    FrameKind kind() const override { return FrameKind::Text; }
    void parse(const uint8_t* p, size_t n, int version) override;
    void build(std::vector<uint8_t>& out) const override;
};

class WebFrameCore final : public HandledFrame {
public:
    static constexpr const char* kClass = "Web_Frame";
    static constexpr const char* kParseSource = "Web_Frame::parseBytes";
    FrameKind kind() const override { return FrameKind::Web; }
    void parse(const uint8_t* p, size_t n, int version) override;
    void build(std::vector<uint8_t>& out) const override;
    const std::u16string& description() const { return m_description; }
    void setDescription(std::u16string_view v);

private:
    bool textsFit() const override { return text::Fits(m_description); }  // the URL is always encoding 0
    std::u16string m_description = std::u16string(1, u'\0');
};

class CommentFrameCore final : public HandledFrame {
public:
    static constexpr const char* kClass = "Comment_Frame";
    static constexpr const char* kParseSource = "Comment_Frame::parseBytes";
    FrameKind kind() const override { return FrameKind::Comment; }
    void parse(const uint8_t* p, size_t n, int version) override;
    void build(std::vector<uint8_t>& out) const override;
    const std::u16string& description() const { return m_description; }
    void setDescription(std::u16string_view v);
    const std::u16string& language() const { return m_language; }
    void setLanguage(std::u16string_view v);
    // The tag object's value put: the comment text; a language read from a
    // file that is no ASCII code goes (other readers drop the frame for it).
    void setValue(std::u16string_view v) override;

private:
    bool textsFit() const override { return text::Fits(m_description) && text::Fits(m_data); }
    std::u16string m_language = std::u16string(3, u'\0');
    std::u16string m_description = std::u16string(1, u'\0');
};

// A new, empty frame object of a kind (Text, Web or Comment).
std::unique_ptr<HandledFrame> MakeFrame(FrameKind kind);

// The private frame collection: ordered, 1-based positions.
class FrameCollection {
public:
    // A null frame raises 103.
    void Add(std::unique_ptr<FrameObject> frame);
    // Removes the frames after the first `count` and hands them over, in order.
    std::vector<std::unique_ptr<FrameObject>> TakeAfter(size_t count);
    size_t Count() const { return m_items.size(); }
    FrameObject& Item(size_t position) const;  // 1 to Count, else error 9
    void Remove(size_t position);
    void Clear() { m_items.clear(); }

    auto begin() const { return m_items.begin(); }
    auto end() const { return m_items.end(); }

private:
    std::vector<std::unique_ptr<FrameObject>> m_items;
};

}  // namespace quillmark
