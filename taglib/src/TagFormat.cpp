#include "TagFormat.h"

#include "QmErrors.h"

#include <algorithm>
#include <cstring>
#include <optional>
#include <set>
#include <string_view>

namespace quillmark {

namespace {

uint32_t Be32(const uint8_t* p) {
    return uint32_t(p[0]) << 24 | uint32_t(p[1]) << 16 | uint32_t(p[2]) << 8 | p[3];
}

uint32_t Syncsafe(const uint8_t* p) {
    return uint32_t(p[0] & 0x7F) << 21 | uint32_t(p[1] & 0x7F) << 14 | uint32_t(p[2] & 0x7F) << 7 | (p[3] & 0x7F);
}

void PutBe32(uint32_t v, uint8_t* p) {
    p[0] = static_cast<uint8_t>(v >> 24);
    p[1] = static_cast<uint8_t>(v >> 16);
    p[2] = static_cast<uint8_t>(v >> 8);
    p[3] = static_cast<uint8_t>(v);
}

// Undoes unsynchronisation: every 0xFF 0x00 pair becomes 0xFF.
std::vector<uint8_t> Resync(const uint8_t* p, size_t n) {
    std::vector<uint8_t> out;
    out.reserve(n);
    for (size_t i = 0; i < n; ++i) {
        out.push_back(p[i]);
        if (p[i] == 0xFF && i + 1 < n && p[i + 1] == 0x00) ++i;
    }
    return out;
}

bool IdChar(uint8_t c) { return (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9'); }

// A frame header as the walk takes one: four ID bytes, none of them NUL.
// Writers keep frames whose IDs are odd (lower case, blanks, other bytes),
// and so does this library.
bool IsFrameHeader(const uint8_t* h) { return h[0] && h[1] && h[2] && h[3]; }
// One whose ID is four upper-case letters or digits, as every standard frame's.
bool HasPlainId(const uint8_t* h) { return IdChar(h[0]) && IdChar(h[1]) && IdChar(h[2]) && IdChar(h[3]); }

// The body of a frame: the bytes in the tag, or a copy padded with zeros when
// the frame runs past the end of the tag body.
struct BodyView {
    const uint8_t* p;
    size_t n;
    std::vector<uint8_t> padded;
};

BodyView TakeBody(const uint8_t* body, size_t S, size_t at, size_t s) {
    if (at <= S && s <= S - at) return {body + at, s, {}};
    BodyView v{nullptr, s, std::vector<uint8_t>(s, 0)};
    if (at < S) std::memcpy(v.padded.data(), body + at, S - at);
    v.p = v.padded.data();
    return v;
}

uint32_t FrameSize(const uint8_t* header, SizeForm form) {
    return form == SizeForm::Plain ? Be32(header + 4) : ByteToLong(header + 4);
}

// How a tag body reads when every frame size is taken in one form.
struct Survey {
    // 2: every frame is a frame up to the end of the tag or to padding that
    // is zero to the end; 1: up to padding with other bytes in it; 0: the
    // walk meets something that is no frame.
    int ending = 0;
    std::vector<size_t> starts;  // where each frame read begins
    size_t oddIds = 0;           // frames among them whose IDs are not plain
    size_t end = 0;              // where the walk stopped
};

class FrameWalk {
public:
    FrameWalk(const uint8_t* body, size_t n) : m_body(body), m_size(n) {
        m_lastNonZero = n;  // none
        for (size_t i = n; i-- > 0;)
            if (body[i] != 0) {
                m_lastNonZero = i;
                break;
            }
    }

    // Whether a frame that ends at q is followed by what a tag holds after a
    // frame: the end of the tag, padding, or another frame's header whose own
    // size, read in `form`, fits in the tag.  Bytes inside a frame's body can
    // look like a header; their size seldom fits.
    bool landsWell(uint64_t q, SizeForm form) const {
        if (q == m_size) return true;
        if (q > m_size) return false;
        if (zerosFrom(q)) return true;
        if (m_size - q < 10) return false;
        const uint8_t* h = m_body + q;
        return IsFrameHeader(h) && FrameSize(h, form) <= m_size - q - 10;
    }

    Survey survey(size_t p, SizeForm form) const {
        Survey r;
        for (;;) {
            r.end = p;
            if (p == m_size || zerosFrom(p)) {
                r.ending = 2;
                return r;
            }
            if (m_size - p < 10) return r;
            const uint8_t* h = m_body + p;
            if (h[0] == 0) {
                r.ending = 1;
                return r;
            }
            // A writer of 7-bit numbers never sets the top bit of a size byte.
            if (form == SizeForm::Seven && ((h[4] | h[5] | h[6] | h[7]) & 0x80)) return r;
            const uint32_t s = FrameSize(h, form);
            if (!IsFrameHeader(h) || s < 1 || s > m_size - p - 10) return r;
            r.starts.push_back(p);
            if (!HasPlainId(h)) ++r.oddIds;
            p += 10 + s;
        }
    }

    const uint8_t* header(size_t p) const { return m_body + p; }
    // Whether everything from q to the end of the tag is zero.
    bool zerosFrom(uint64_t q) const { return m_lastNonZero == m_size || q > m_lastNonZero; }

    // Whether a walk that read through ends where the zeros at the end of the
    // tag start, or at most two bytes into them (a text's terminator).
    bool endsAtPadding(const Survey& s) const {
        const size_t zeros = m_lastNonZero == m_size ? 0 : m_lastNonZero + 1;
        return s.end <= zeros + 2;
    }

private:
    const uint8_t* m_body;
    size_t m_size;
    size_t m_lastNonZero;
};

// A frame whose body is text: text and URL frames, comments, lyrics.
bool HoldsText(const uint8_t* h) {
    const std::string_view id(reinterpret_cast<const char*>(h), 4);
    return id[0] == 'T' || id[0] == 'W' || id == "COMM" || id == "USLT";
}

// Whether the version's own reading of the sizes is the tag's when the other
// reading runs through it too.  It must end where the padding starts, not
// inside it.  Where the two part, the other's frames must not be nested in
// one of its frames of text: a long text read in the wrong form takes in the
// frames after it, as in the tags of writers of the other form.  Where they
// are nested in a binary frame (a picture may hold anything, the frames of
// another tag among them), both readings must end together.  Readings whose
// frames cross each other's ends nest nowhere: there the other reading's
// frames are the ones running over real frames or into the padding.
bool OwnFormHolds(const FrameWalk& walk, const Survey& own, const Survey& other) {
    if (own.ending != 2 || !walk.endsAtPadding(own)) return false;
    for (size_t i = 0; i < own.starts.size(); ++i) {
        const size_t at = own.starts[i];
        const uint8_t* h = walk.header(at);
        if (FrameSize(h, SizeForm::Plain) == FrameSize(h, SizeForm::Seven)) continue;  // the readings go on together
        if (!std::binary_search(other.starts.begin(), other.starts.end(), at)) continue;
        const size_t end = i + 1 < own.starts.size() ? own.starts[i + 1] : own.end;
        const bool nested = end >= other.end || walk.zerosFrom(end) ||
                            std::binary_search(other.starts.begin(), other.starts.end(), end);
        if (!nested) continue;
        if (HoldsText(h) || own.end != other.end) return false;
    }
    return true;
}

std::optional<SizeForm> TagSizeForm(const FrameWalk& walk, size_t start, int major) {
    const Survey plain = walk.survey(start, SizeForm::Plain), seven = walk.survey(start, SizeForm::Seven);
    if (plain.ending == 0 && seven.ending == 0) return std::nullopt;
    if (plain.ending != seven.ending) return plain.ending > seven.ending ? SizeForm::Plain : SizeForm::Seven;
    // The version's own form where it holds: a tag written in that form reads
    // back as written even when frame bodies hold what reads as frames in the
    // other form, unless they nest in a text frame as that form's writers
    // leave them.
    const SizeForm own = major == 3 ? SizeForm::Plain : SizeForm::Seven;
    if (own == SizeForm::Plain ? OwnFormHolds(walk, plain, seven) : OwnFormHolds(walk, seven, plain)) return own;
    // Frames with odd IDs are rare: the reading that needs fewer of them is
    // the likelier one.
    if (plain.oddIds != seven.oddIds) return plain.oddIds < seven.oddIds ? SizeForm::Plain : SizeForm::Seven;
    if (plain.starts.size() != seven.starts.size())
        return plain.starts.size() > seven.starts.size() ? SizeForm::Plain : SizeForm::Seven;
    return own;
}

FrameIdBytes IdOf(const uint8_t* p) {
    return {static_cast<char>(p[0]), static_cast<char>(p[1]), static_cast<char>(p[2]), static_cast<char>(p[3])};
}

void AddOpaque(FrameCollection& frames, const FrameIdBytes& id, const uint8_t flags[2], std::vector<uint8_t> body) {
    if (body.empty()) return;  // a frame has at least one byte: nothing to keep
    auto f = std::make_unique<OpaqueFrame>();
    f->id = id;
    f->flags[0] = flags[0];
    f->flags[1] = flags[1];
    f->body = std::move(body);
    frames.Add(std::move(f));
}

void AddFrame(FrameCollection& frames, const FrameIdBytes& id, const uint8_t flags[2], const uint8_t* p, size_t n,
              int version) {
    const FrameKind kind = GetFrameKind(id);
    if (kind == FrameKind::Unsupported) {
        AddOpaque(frames, id, flags, std::vector<uint8_t>(p, p + n));
        return;
    }
    auto f = MakeFrame(kind);
    f->id = id;
    f->flags[0] = flags[0];
    f->flags[1] = flags[1];
    f->parse(p, n, version);  // a body that does not parse ends the read
    frames.Add(std::move(f));
}

// ---- version 2.3 ----

void AddFrameV3(FrameCollection& frames, const FrameIdBytes& id, const uint8_t flags[2], const uint8_t* p, size_t n) {
    // Compressed, encrypted or grouped frames carry extra bytes before their
    // data: they are kept as they are.
    if (flags[1] & FrameFlagV3::ExtraBytes) {
        AddOpaque(frames, id, flags, std::vector<uint8_t>(p, p + n));
        return;
    }
    AddFrame(frames, id, flags, p, n, 3);
}

// ---- version 2.4 ----

// Text in encodings 2 and 3 has no place in an ID3v2.3 tag: the frames whose
// layout is known get it in encoding 0 or 1.
std::vector<uint8_t> TranscodeStrings(uint8_t enc, const uint8_t* p, size_t n) {
    const std::u16string s = text::Decode(enc, p, n);
    const uint8_t e = text::Fits(s) ? 0 : 1;
    std::vector<uint8_t> out;
    text::Encode(s, e, out);
    return out;
}

std::vector<uint8_t> TranscodeV24(const FrameIdBytes& id, const uint8_t* p, size_t n) {
    std::vector<uint8_t> body(p, p + n);
    if (n == 0 || (p[0] != 2 && p[0] != 3)) return body;
    const std::string_view sid(id.data(), 4);
    const uint8_t enc = p[0];
    auto rebuild = [&](size_t keep, const uint8_t* rest, size_t restLen, const uint8_t* tail, size_t tailLen) {
        std::vector<uint8_t> strings = TranscodeStrings(enc, rest, restLen);
        const std::u16string decoded = text::Decode(enc, rest, restLen);
        std::vector<uint8_t> out;
        out.push_back(text::Fits(decoded) ? 0 : 1);
        out.insert(out.end(), p + 1, p + keep);
        out.insert(out.end(), strings.begin(), strings.end());
        out.insert(out.end(), tail, tail + tailLen);
        return out;
    };
    if (sid[0] == 'T') return rebuild(1, p + 1, n - 1, nullptr, 0);
    if (sid == "USLT" && n >= 4) return rebuild(4, p + 4, n - 4, nullptr, 0);
    if (sid == "APIC") {
        // encoding, MIME type (Latin-1, ends in NUL), picture type, description, picture
        const void* nul = std::memchr(p + 1, 0, n - 1);
        if (!nul) return body;
        const size_t typeAt = static_cast<size_t>(static_cast<const uint8_t*>(nul) - p) + 1;
        if (typeAt >= n) return body;
        const size_t descAt = typeAt + 1;
        const size_t len = text::TerminatedLength(enc, p + descAt, n - descAt);
        if (len == std::u16string::npos) return body;
        return rebuild(descAt, p + descAt, len, p + descAt + len, n - descAt - len);
    }
    return body;
}

void AddFrameV4(FrameCollection& frames, const FrameIdBytes& id, const uint8_t flags[2], const uint8_t* p, size_t n,
                bool tagUnsync) {
    const uint8_t f1 = flags[1];
    const bool grouped = f1 & FrameFlagV4::Grouping, compressed = f1 & FrameFlagV4::Compression,
               encrypted = f1 & FrameFlagV4::Encryption;
    const bool unsync = (f1 & FrameFlagV4::Unsynchronisation) || tagUnsync, lengthGiven = f1 & FrameFlagV4::DataLength;
    const size_t extras = (grouped ? 1 : 0) + (encrypted ? 1 : 0) + (lengthGiven ? 4 : 0);
    if (n < extras) return;  // not even its own header data: nothing to keep
    size_t pos = 0;
    uint8_t group = 0, method = 0;
    uint32_t dataLength = 0;
    if (grouped) group = p[pos++];
    if (encrypted) method = p[pos++];
    if (lengthGiven) {
        dataLength = Syncsafe(p + pos);
        pos += 4;
    }
    std::vector<uint8_t> resynced;
    const uint8_t* d = p + pos;
    size_t dn = n - pos;
    if (unsync) {
        resynced = Resync(d, dn);
        d = resynced.data();
        dn = resynced.size();
    }
    // Status flags move up one bit; format flags take their 2.3 places.
    const uint8_t v3flags[2] = {static_cast<uint8_t>((flags[0] << 1) & 0xE0),
                                static_cast<uint8_t>((compressed ? FrameFlagV3::Compression : 0) |
                                                     (encrypted ? FrameFlagV3::Encryption : 0) |
                                                     (grouped ? FrameFlagV3::Grouping : 0))};
    if (compressed || encrypted || grouped) {
        std::vector<uint8_t> body;
        body.reserve(dn + 6);
        if (compressed) {
            body.resize(4);
            PutBe32(dataLength, body.data());
        }
        if (encrypted) body.push_back(method);
        if (grouped) body.push_back(group);
        body.insert(body.end(), d, d + dn);
        AddOpaque(frames, id, v3flags, std::move(body));
        return;
    }
    if (GetFrameKind(id) != FrameKind::Unsupported) {
        AddFrame(frames, id, v3flags, d, dn, 4);
        return;
    }
    AddOpaque(frames, id, v3flags, TranscodeV24(id, d, dn));
}

// ---- from version 2.4 to 2.3 ----

// Frames that 2.4 brought in: a 2.3 tag has no place for them.  Those whose
// values 2.3 can hold become its frames; the others are dropped.
bool V24Only(std::string_view id) {
    static constexpr std::string_view kIds[] = {"ASPI", "EQU2", "RVA2", "SEEK", "SIGN", "TDEN", "TDOR", "TDRC", "TDRL",
                                                "TDTG", "TIPL", "TMCL", "TMOO", "TPRO", "TSOA", "TSOP", "TSOT", "TSST"};
    for (std::string_view v : kIds)
        if (id == v) return true;
    return false;
}

// The strings of a text frame kept as bytes (encoding byte, then strings),
// without their terminators; none when the body is compressed, encrypted or
// grouped.
std::vector<std::u16string> StringsOf(const FrameObject& f) {
    std::vector<std::u16string> out;
    if (f.kind() != FrameKind::Unsupported || (f.flags[1] & FrameFlagV3::ExtraBytes)) return out;
    const auto& body = static_cast<const OpaqueFrame&>(f).body;
    if (body.empty()) return out;
    const std::u16string all = text::Decode(body[0], body.data() + 1, body.size() - 1);
    for (size_t i = 0; i < all.size();) {
        size_t end = all.find(u'\0', i);
        if (end == std::u16string::npos) end = all.size();
        out.emplace_back(all, i, end - i);
        i = end + 1;
    }
    return out;
}

// A text frame of a 2.3 tag holding `strings`, each ended by a NUL but the
// last, which gets one only with `terminateLast` (a list of people does, a
// single value does not).
std::unique_ptr<FrameObject> MakeTextFrame(std::string_view id, const std::vector<std::u16string>& strings,
                                           bool terminateLast) {
    std::u16string joined;
    for (size_t i = 0; i < strings.size(); ++i) {
        joined += strings[i];
        if (terminateLast || i + 1 < strings.size()) joined.push_back(u'\0');
    }
    std::vector<uint8_t> body{static_cast<uint8_t>(text::Fits(joined) ? 0 : 1)};
    text::Encode(joined, body[0], body);
    const FrameIdBytes fid = {id[0], id[1], id[2], id[3]};
    const FrameKind kind = GetFrameKind(fid);
    std::unique_ptr<FrameObject> f;
    if (kind == FrameKind::Unsupported)
        f = std::make_unique<OpaqueFrame>();
    else
        f = MakeFrame(kind);
    f->id = fid;
    f->parse(body.data(), body.size(), 3);
    return f;
}

bool Digits(std::u16string_view s, size_t at, size_t n) {
    if (s.size() < at + n) return false;
    for (size_t i = at; i < at + n; ++i)
        if (s[i] < u'0' || s[i] > u'9') return false;
    return true;
}

// A 2.4 time stamp (yyyy, yyyy-MM, yyyy-MM-dd, ...THH, ...THH:mm,
// ...THH:mm:ss) as the 2.3 year (yyyy), date (ddMM) and time (HHmm).
struct TimeParts {
    std::u16string year, date, time;
};
TimeParts SplitTimeStamp(std::u16string_view t) {
    TimeParts r;
    if (!Digits(t, 0, 4) || (t.size() > 4 && t[4] != u'-')) return r;
    r.year = t.substr(0, 4);
    if (!Digits(t, 5, 2) || t.size() < 8 || t[7] != u'-' || !Digits(t, 8, 2)) return r;
    r.date = std::u16string(t.substr(8, 2)) + std::u16string(t.substr(5, 2));
    if (t.size() < 16 || (t[10] != u'T' && t[10] != u' ') || !Digits(t, 11, 2) || t[13] != u':' || !Digits(t, 14, 2))
        return r;
    r.time = std::u16string(t.substr(11, 2)) + std::u16string(t.substr(14, 2));
    return r;
}

// Puts the frames of a 2.4 tag (those after the first `first`) in their 2.3
// form: the recording time becomes year, date and time (or, when it is no
// time stamp, the recording dates), the original release time the original
// year, the involved people and the musicians one involved people list.  A
// 2.3 frame the tag already holds is never doubled.
void ConvertToV23(FrameCollection& frames, size_t first) {
    std::vector<std::unique_ptr<FrameObject>> read = frames.TakeAfter(first);
    std::set<std::string_view> present;  // views of the frames' own IDs, alive until the end
    for (const auto& f : read) present.insert(f->idView());
    std::vector<std::unique_ptr<FrameObject>> out;
    auto add = [&](std::string_view id, const std::u16string& value) {
        if (value.empty() || present.count(id)) return;
        out.push_back(MakeTextFrame(id, {value}, false));
        present.insert(out.back()->idView());
    };
    std::vector<std::u16string> people;
    size_t peopleAt = 0;
    bool peopleSeen = false;
    for (auto& f : read) {
        const std::string_view id = f->idView();
        if (!V24Only(id)) {
            out.push_back(std::move(f));
            continue;
        }
        const std::vector<std::u16string> strings = StringsOf(*f);
        const std::u16string value = strings.empty() ? std::u16string() : strings[0];
        if (id == "TDRC") {
            const TimeParts t = SplitTimeStamp(value);
            if (t.year.empty()) {
                add("TRDA", value);
            } else {
                add("TYER", t.year);
                add("TDAT", t.date);
                add("TIME", t.time);
            }
        } else if (id == "TDOR") {
            add("TORY", SplitTimeStamp(value).year);
        } else if (id == "TIPL" || id == "TMCL") {
            if (!peopleSeen) peopleAt = out.size();
            peopleSeen = true;
            for (const std::u16string& s : strings) people.push_back(s);
            if (!people.empty() && people.back().empty()) people.pop_back();  // a closing terminator
            if (people.size() % 2) people.emplace_back();  // a role without a name
        }
    }
    if (!people.empty() && !present.count("IPLS"))
        out.insert(out.begin() + static_cast<std::ptrdiff_t>(peopleAt), MakeTextFrame("IPLS", people, true));
    for (auto& f : out) frames.Add(std::move(f));
}

void WalkV3V4(const TagHeader& h, const uint8_t* body, size_t S, size_t p, FrameCollection& frames) {
    const FrameWalk walk(body, S);
    const bool tagUnsync = h.major == 4 && (h.flags & TagFlag::Unsynchronisation);
    const std::optional<SizeForm> form = TagSizeForm(walk, p, h.major);
    while (p < S) {
        if (S - p < 10) break;
        const uint8_t* fh = body + p;
        // A NUL in the frame ID: the padding (or garbage) has been reached.
        if (!IsFrameHeader(fh)) break;
        // In a damaged tag that neither form reads through, each frame takes
        // the other form only when that alone ends where a frame may end.
        const uint32_t plain = FrameSize(fh, SizeForm::Plain), seven = FrameSize(fh, SizeForm::Seven);
        uint64_t s;
        if (form) {
            s = *form == SizeForm::Plain ? plain : seven;
        } else if (plain == seven) {
            s = plain;
        } else if (h.major == 3) {
            s = walk.landsWell(p + 10ull + plain, SizeForm::Plain)   ? plain
                : walk.landsWell(p + 10ull + seven, SizeForm::Seven) ? seven
                                                                     : plain;
        } else {
            s = walk.landsWell(p + 10ull + seven, SizeForm::Seven)   ? seven
                : walk.landsWell(p + 10ull + plain, SizeForm::Plain) ? plain
                                                                     : seven;
        }
        if (s > S || s < 1) {  // no frame of that size fits: skip its header alone
            p += 10;
            continue;
        }
        const BodyView b = TakeBody(body, S, p + 10, static_cast<size_t>(s));
        const FrameIdBytes id = IdOf(fh);
        const uint8_t flags[2] = {fh[8], fh[9]};
        if (h.major == 3)
            AddFrameV3(frames, id, flags, b.p, b.n);
        else
            AddFrameV4(frames, id, flags, b.p, b.n, tagUnsync);
        p += 10 + static_cast<size_t>(s);
    }
}

// ---- version 2.2 ----

struct IdPair {
    const char* v22;
    const char* v23;
};
constexpr IdPair kV22Ids[] = {
    {"BUF", "RBUF"}, {"CNT", "PCNT"}, {"COM", "COMM"}, {"CRA", "AENC"}, {"ETC", "ETCO"}, {"EQU", "EQUA"},
    {"GEO", "GEOB"}, {"IPL", "IPLS"}, {"MCI", "MCDI"}, {"MLL", "MLLT"}, {"POP", "POPM"}, {"REV", "RVRB"},
    {"RVA", "RVAD"}, {"SLT", "SYLT"}, {"STC", "SYTC"}, {"TAL", "TALB"}, {"TBP", "TBPM"}, {"TCM", "TCOM"},
    {"TCO", "TCON"}, {"TCR", "TCOP"}, {"TDA", "TDAT"}, {"TDY", "TDLY"}, {"TEN", "TENC"}, {"TFT", "TFLT"},
    {"TIM", "TIME"}, {"TKE", "TKEY"}, {"TLA", "TLAN"}, {"TLE", "TLEN"}, {"TMT", "TMED"}, {"TOA", "TOPE"},
    {"TOF", "TOFN"}, {"TOL", "TOLY"}, {"TOR", "TORY"}, {"TOT", "TOAL"}, {"TP1", "TPE1"}, {"TP2", "TPE2"},
    {"TP3", "TPE3"}, {"TP4", "TPE4"}, {"TPA", "TPOS"}, {"TPB", "TPUB"}, {"TRC", "TSRC"}, {"TRD", "TRDA"},
    {"TRK", "TRCK"}, {"TSI", "TSIZ"}, {"TSS", "TSSE"}, {"TT1", "TIT1"}, {"TT2", "TIT2"}, {"TT3", "TIT3"},
    {"TXT", "TEXT"}, {"TXX", "TXXX"}, {"TYE", "TYER"}, {"UFI", "UFID"}, {"ULT", "USLT"}, {"WAF", "WOAF"},
    {"WAR", "WOAR"}, {"WAS", "WOAS"}, {"WCM", "WCOM"}, {"WCP", "WCOP"}, {"WPB", "WPUB"}, {"WXX", "WXXX"},
};

void WalkV2(const uint8_t* body, size_t S, FrameCollection& frames) {
    static const uint8_t kNoFlags[2] = {0, 0};
    size_t p = 0;
    while (p < S) {
        if (S - p < 6) break;
        const uint8_t* fh = body + p;
        if (!fh[0] || !fh[1] || !fh[2]) break;
        const uint32_t s = uint32_t(fh[3]) << 16 | uint32_t(fh[4]) << 8 | fh[5];
        if (s > S || s < 1) {
            p += 6;
            continue;
        }
        const BodyView b = TakeBody(body, S, p + 6, s);
        p += 6 + s;
        const std::string_view id22(reinterpret_cast<const char*>(fh), 3);
        if (id22 == "PIC") {
            // encoding, image format (3 characters), picture type, description, data
            if (b.n < 5 || std::string_view(reinterpret_cast<const char*>(b.p + 1), 3) == "-->") continue;
            std::string mime = "image/";
            const std::string_view format(reinterpret_cast<const char*>(b.p + 1), 3);
            if (format == "JPG" || format == "jpg")
                mime += "jpeg";
            else
                for (char c : format)
                    if (c) mime.push_back(static_cast<char>(c >= 'A' && c <= 'Z' ? c - 'A' + 'a' : c));
            std::vector<uint8_t> apic;
            apic.reserve(b.n + mime.size() + 1);
            apic.push_back(b.p[0]);
            apic.insert(apic.end(), mime.begin(), mime.end());
            apic.push_back(0);
            apic.insert(apic.end(), b.p + 4, b.p + b.n);
            AddOpaque(frames, {'A', 'P', 'I', 'C'}, kNoFlags, std::move(apic));
            continue;
        }
        const char* v23 = nullptr;
        for (const IdPair& pair : kV22Ids)
            if (id22 == pair.v22) {
                v23 = pair.v23;
                break;
            }
        if (!v23) continue;  // a frame with no ID3v2.3 counterpart
        AddFrame(frames, {v23[0], v23[1], v23[2], v23[3]}, kNoFlags, b.p, b.n, 2);
    }
}

}  // namespace

TagHeader ParseTagHeader(const uint8_t* p, size_t n) {
    TagHeader h;
    if (n < 10 || p[0] != 'I' || p[1] != 'D' || p[2] != '3') return h;
    h.present = true;
    h.major = p[3];
    h.revision = p[4];
    h.flags = p[5];
    h.size = ByteToLong(p + 6);
    return h;
}

std::optional<SizeForm> FrameSizeForm(const uint8_t* body, size_t n, size_t start, int major) {
    return TagSizeForm(FrameWalk(body, n), start, major);
}

uint32_t ByteToLong(const uint8_t b[4]) {
    return uint32_t(b[0]) * (1u << 21) + uint32_t(b[1]) * (1u << 14) + uint32_t(b[2]) * (1u << 7) + b[3];
}

void LongToByte(uint32_t value, uint8_t b[4]) {
    for (int i = 0; i < 4; ++i) b[i] = static_cast<uint8_t>((value >> (7 * (3 - i))) & 0x7F);
}

void ReadFrames(const TagHeader& h, const uint8_t* body, size_t n, FrameCollection& frames) {
    if (!h.readable()) return;
    std::vector<uint8_t> resynced;
    // Versions 2.2 and 2.3 unsynchronise the whole tag; 2.4 each frame.
    if (h.major < 4 && (h.flags & TagFlag::Unsynchronisation)) {
        resynced = Resync(body, n);
        body = resynced.data();
        n = resynced.size();
    }
    if (h.major == 2) {
        if (h.flags & TagFlag::ExtendedHeader) return;  // a compressed 2.2 tag: no scheme was ever defined
        WalkV2(body, n, frames);
        return;
    }
    size_t start = 0;
    if (h.flags & TagFlag::ExtendedHeader) {
        if (n < 4) return;
        if (h.major == 3) {
            const uint32_t ext = Be32(body);  // size without its own 4 bytes
            if (ext > n - 4) return;
            start = 4 + ext;
        } else {
            const uint32_t ext = Syncsafe(body);  // size with its own 4 bytes
            if (ext < 6 || ext > n) return;
            start = ext;
        }
    }
    const size_t first = frames.Count();
    WalkV3V4(h, body, n, start, frames);
    if (h.major == 4) ConvertToV23(frames, first);
}

std::vector<uint8_t> BuildTag(const FrameCollection& frames) {
    std::vector<uint8_t> out(10, 0);
    for (const auto& f : frames) {
        const size_t at = out.size();
        out.resize(at + 10);
        f->build(out);
        const size_t bodySize = out.size() - at - 10;
        if (bodySize > kMaxTagSize) RaisePlatform(Err::Overflow);
        std::memcpy(out.data() + at, f->id.data(), 4);
        PutBe32(static_cast<uint32_t>(bodySize), out.data() + at + 4);
        out[at + 8] = f->flags[0];
        out[at + 9] = f->flags[1];
    }
    const size_t F = out.size() - 10;
    const size_t padding = F % 257 ? 257 - F % 257 : 0;
    if (F + padding > kMaxTagSize) RaisePlatform(Err::Overflow);
    out.resize(out.size() + padding, 0);
    out[0] = 'I';
    out[1] = 'D';
    out[2] = '3';
    out[3] = 3;
    out[4] = 0;
    out[5] = 0;
    LongToByte(static_cast<uint32_t>(F + padding), out.data() + 6);
    return out;
}

}  // namespace quillmark
