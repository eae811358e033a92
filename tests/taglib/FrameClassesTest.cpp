// The frame classes: body parsing and building, the NUL rule, the frame-ID
// and flag checks, and the text encodings.

#include "TagTestKit.h"

using namespace quillmark;
using namespace tagtest;

namespace {

struct FrameObjects {
    Ref<_clsText_Frame> text = Create<_clsText_Frame>(CLSID_clsText_Frame, IID__clsText_Frame);
    Ref<_clsWeb_Frame> web = Create<_clsWeb_Frame>(CLSID_clsWeb_Frame, IID__clsWeb_Frame);
    Ref<_clsComment_Frame> comment = Create<_clsComment_Frame>(CLSID_clsComment_Frame, IID__clsComment_Frame);
    _clsFrame& of(char kind) {
        return kind == 'T' ? static_cast<_clsFrame&>(*text) : kind == 'W' ? *web : static_cast<_clsFrame&>(*comment);
    }
};

std::string DataOf(_clsFrame& f) {
    std::string v;
    EXPECT_EQ(f.get_Data(v), 0);
    return v;
}
Bytes BytesOf(_clsFrame& f) {
    Bytes v;
    EXPECT_EQ(f.getBytes(v), 0);
    return v;
}
int32_t SizeOf(_clsFrame& f) {
    int32_t n = -1;
    EXPECT_EQ(f.get_FrameSize(n), 0);
    return n;
}
std::string DescriptionOf(FrameObjects& o, char kind) {
    std::string v;
    if (kind == 'W') {
        EXPECT_EQ(o.web->get_Description(v), 0);
    } else if (kind == 'C') {
        EXPECT_EQ(o.comment->get_Description(v), 0);
    }
    return v;
}

using namespace std::string_literals;

struct ParseCase {
    const char* name;
    char kind;  // T text, W web, C comment
    Bytes body;
    int32_t error;  // 0 when the body parses
    std::string source = {};
    std::string data = {};
    std::string description = {};
    Bytes rebuilt = {};  // empty: the same bytes as parsed
};

TEST(FrameClasses, BodiesParseAndBuildBack) {
    const ParseCase cases[] = {
        {"text of the encoding byte alone", 'T', B({0}), 0, "", "", "", {}},
        {"web with description and URL", 'W', B({0, 'a', 0, 'u', 'r', 'l'}), 0, "", "url", "a\0"s, {}},
        {"web without NUL after the description", 'W', B({0, 'a', 'b'}), 0, "", "", "ab", {}},
        {"comment", 'C', B({0, 'e', 'n', 'g', 0, 'h', 'i'}), 0, "", "hi", "\0"s, {}},
        {"comment of five bytes", 'C', B({0, 'e', 'n', 'g', 'x'}), 0, "", "", "x", {}},
        {"comment of four bytes", 'C', B({0, 'e', 'n', 'g'}), Err::CommentFrameInvalid, "Comment_Frame::parseBytes"},
        {"empty text", 'T', {}, Err::TextFrameInvalid, "TextFrame::parseBytes"},
        {"empty web", 'W', {}, Err::WebFrameInvalid, "Web_Frame::parseBytes"},
        // Encoding 0 is the code page: 0x80 is the euro sign.
        {"code page text", 'T', B({0, 0x80, 0xE9, 'x'}), 0, "", "\u20AC\u00E9x", "", {}},
        // Encoding 1: UTF-16 with byte order mark, kept exactly on rebuild.
        {"UTF-16 text", 'T', B({1, 0xFF, 0xFE, 'h', 0, 'i', 0, 0, 0}), 0, "", "hi\0"s, "", {}},
        {"UTF-16 big-endian mark", 'T', B({1, 0xFE, 0xFF, 0x65, 0xE5}), 0, "", "\u65E5", "", {}},
        // Encodings 2 and 3 are written as 0 or 1.
        {"UTF-16BE text", 'T', B({2, 0, 'A', 0, 0xE9}), 0, "", "A\u00E9", "", B({0, 'A', 0xE9})},
        {"UTF-8 text", 'T', B({3, 0xE6, 0x97, 0xA5}), 0, "", "\u65E5", "",
         B({1, 0xFF, 0xFE, 0xE5, 0x65})},
        {"UTF-16 comment", 'C', B({1, 'e', 'n', 'g', 0xFF, 0xFE, 0, 0, 0xFF, 0xFE, 'h', 0, 'i', 0}), 0, "", "hi",
         "\0"s, {}},
        // Rebuilt, a comment keeps at least its description's terminator.
        {"UTF-16BE comment with half a description", 'C', B({2, 'e', 'n', 'g', 0}), 0, "", "", "",
         B({0, 'e', 'n', 'g', 0})},
        // The URL is always code-page text, whatever the description's encoding.
        {"UTF-16 web", 'W', B({1, 0xFF, 0xFE, 'd', 0, 0, 0, 'h', 0xE9}), 0, "", "h\u00E9", "d\0"s, {}},
    };
    for (const ParseCase& c : cases) {
        SCOPED_TRACE(c.name);
        FrameObjects o;
        _clsFrame& f = o.of(c.kind);
        const Status got = f.parseBytes(c.body);
        EXPECT_EQ(got, c.error);
        if (c.error) {
            EXPECT_EQ(f.LastError().number, c.error);
            EXPECT_EQ(f.LastError().source, c.source);
            EXPECT_EQ(f.LastError().description, std::string(MessageTextFor(c.error)));
            continue;
        }
        EXPECT_EQ(DataOf(f), c.data);
        EXPECT_EQ(DescriptionOf(o, c.kind), c.description);
        const Bytes expected = c.rebuilt.empty() ? c.body : c.rebuilt;
        EXPECT_EQ(Hex(BytesOf(f)), Hex(expected));
        EXPECT_EQ(SizeOf(f), int32_t(expected.size()));
    }
}

TEST(FrameClasses, ValuesKeepOneNulAndPickTheirEncoding) {
    struct Case {
        const char* name;
        char kind;
        std::string description;  // put first unless empty
        std::string data;
        std::string storedData;
        Bytes body;
    };
    const Case cases[] = {
        {"text", 'T', "", "abc", "abc\0"s, B({0, 'a', 'b', 'c', 0})},
        {"text ending in NUL", 'T', "", "abc\0"s, "abc\0"s, B({0, 'a', 'b', 'c', 0})},
        {"empty text", 'T', "", "", "\0"s, B({0, 0})},
        {"text beyond the code page", 'T', "", "\u65E5\u672C", "\u65E5\u672C\0"s,
         B({1, 0xFF, 0xFE, 0xE5, 0x65, 0x2C, 0x67, 0, 0})},
        {"new comment", 'C', "", "hi", "hi\0"s, B({0, 0, 0, 0, 0, 'h', 'i', 0})},
        {"comment in UTF-16", 'C', "", "\u0142", "\u0142\0"s,
         B({1, 0, 0, 0, 0xFF, 0xFE, 0, 0, 0xFF, 0xFE, 0x42, 0x01, 0, 0})},
        {"web in the code page", 'W', "\u00FC", "http://a/\u00E4", "http://a/\u00E4\0"s,
         B({0, 0xFC, 0, 'h', 't', 't', 'p', ':', '/', '/', 'a', '/', 0xE4, 0})},
        {"web with a wide description", 'W', "\u65E5", "http://a", "http://a\0"s,
         B({1, 0xFF, 0xFE, 0xE5, 0x65, 0, 0, 'h', 't', 't', 'p', ':', '/', '/', 'a', 0})},
        {"web with a wide URL", 'W', "", "http://\u65E5", "http://\u65E5\0"s,
         B({0, 0}) + S("http://%E6%97%A5") + B({0})},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        FrameObjects o;
        _clsFrame& f = o.of(c.kind);
        if (!c.description.empty()) {
            if (c.kind == 'W') {
                EXPECT_EQ(o.web->put_Description(c.description), 0);
            } else {
                EXPECT_EQ(o.comment->put_Description(c.description), 0);
            }
        }
        EXPECT_EQ(f.put_Data(c.data), 0);
        EXPECT_EQ(DataOf(f), c.storedData);
        EXPECT_EQ(Hex(BytesOf(f)), Hex(c.body));
        EXPECT_EQ(SizeOf(f), int32_t(c.body.size()));
    }
}

TEST(FrameClasses, FrameIdFlagsAndLanguageChecks) {
    for (char kind : {'T', 'W', 'C'}) {
        FrameObjects o;
        _clsFrame& f = o.of(kind);
        const std::string cls = kind == 'T' ? "Text_Frame" : kind == 'W' ? "Web_Frame" : "Comment_Frame";
        ASSERT_EQ(f.put_FrameID("TIT2"), 0);
        for (const char* bad : {"TIT", "TIT22"}) {
            EXPECT_EQ(f.put_FrameID(bad), Err::FrameIdInvalid);
            EXPECT_EQ(f.LastError().source, cls + "::FrameID");
            EXPECT_EQ(f.LastError().description, "The frame ID, " + std::string(bad) + ", supplied is invalid.");
        }
        std::string id;
        EXPECT_EQ(f.get_FrameID(id), 0);
        EXPECT_EQ(id, "TIT2");
        EXPECT_EQ(f.LastError().number, 0) << "a call that succeeds clears the last error";

        EXPECT_EQ(f.setFlags(B({1, 2, 3})), Err::FlagsInvalid);
        EXPECT_EQ(f.LastError().source, cls + "::setFlags");
        EXPECT_EQ(f.LastError().description,
                  "The flag data supplied is either invalid or out of an acceptable range.");
        EXPECT_EQ(f.setFlags(B({0x40, 0x20})), 0);
        Bytes flags;
        EXPECT_EQ(f.getFlags(flags), 0);
        EXPECT_EQ(flags, B({0x40, 0x20}));
    }
    FrameObjects o;
    std::string lang;
    EXPECT_EQ(o.comment->put_Language("english"), 0);
    EXPECT_EQ(o.comment->get_Language(lang), 0);
    EXPECT_EQ(lang, "eng");
    EXPECT_EQ(o.comment->put_Language("e"), 0);
    EXPECT_EQ(o.comment->get_Language(lang), 0);
    EXPECT_EQ(lang, "e  ");
}

TEST(FrameClasses, InterfaceClassHoldsNothingAndInterfacesAreReachable) {
    auto plain = Create<_clsFrame>(CLSID_clsFrame, IID__clsFrame);
    EXPECT_EQ(plain->put_FrameID("TIT2"), 0);
    EXPECT_EQ(plain->put_Data("x"), 0);
    std::string s = "untouched";
    EXPECT_EQ(plain->get_Data(s), 0);
    EXPECT_EQ(s, "");
    int32_t n = -1;
    EXPECT_EQ(plain->get_FrameSize(n), 0);
    EXPECT_EQ(n, 0);
    Bytes array = B({9});
    EXPECT_EQ(plain->getBytes(array), 0);
    EXPECT_EQ(array, B({9}));

    auto text = Create<_clsText_Frame>(CLSID_clsText_Frame, IID__clsText_Frame);
    void* other = nullptr;
    EXPECT_EQ(text->QueryInterface(IID__clsFrame, &other), 0);
    ASSERT_EQ(other, static_cast<void*>(static_cast<_clsFrame*>(text.p)));
    static_cast<_clsFrame*>(other)->Release();
    EXPECT_EQ(text->QueryInterface(IID__clsID3v2, &other), Err::NoInterface);
    EXPECT_EQ(other, nullptr);

    void* factory = nullptr;
    const Guid unknown = {1, 2, 3, {4, 5, 6, 7, 8, 9, 10, 11}};
    EXPECT_EQ(DllGetClassObject(&unknown, &IID_IQmClassFactory, &factory), Err::ClassNotAvailable);
    EXPECT_EQ(DllCanUnloadNow(), S_False) << "objects are alive";
    EXPECT_EQ(DllRegisterServer(), 0);
    EXPECT_EQ(DllUnregisterServer(), 0);
}

}  // namespace
