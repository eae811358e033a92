#pragma once
// Helpers of the tag library's tests: objects made through the class
// factory, byte builders for tags, and file helpers.

#include "quillmark/Quillmark.h"

#include <gtest/gtest.h>

#include <QByteArray>
#include <QFile>
#include <QString>
#include <QTemporaryDir>
#include <cstdint>
#include <initializer_list>
#include <memory>
#include <string>
#include <sys/stat.h>
#include <vector>

namespace tagtest {

using Bytes = std::vector<uint8_t>;

// A reference to a library object, released at scope end.
template <class I>
struct Ref {
    I* p = nullptr;
    Ref() = default;
    explicit Ref(I* q) : p(q) {}
    Ref(const Ref&) = delete;
    Ref& operator=(const Ref&) = delete;
    Ref(Ref&& o) noexcept : p(o.p) { o.p = nullptr; }
    ~Ref() {
        if (p) p->Release();
    }
    I* operator->() const { return p; }
    I& operator*() const { return *p; }
};

template <class I>
Ref<I> Create(const quillmark::Guid& clsid, const quillmark::Guid& iid) {
    void* factory = nullptr;
    EXPECT_EQ(DllGetClassObject(&clsid, &quillmark::IID_IQmClassFactory, &factory), 0);
    auto* f = static_cast<quillmark::IQmClassFactory*>(factory);
    void* object = nullptr;
    EXPECT_EQ(f->CreateInstance(iid, &object), 0);
    f->Release();
    return Ref<I>(static_cast<I*>(object));
}

inline Ref<quillmark::_clsID3v2> NewTag() {
    return Create<quillmark::_clsID3v2>(quillmark::CLSID_clsID3v2, quillmark::IID__clsID3v2);
}

inline Bytes B(std::initializer_list<int> v) {
    Bytes out;
    for (int x : v) out.push_back(static_cast<uint8_t>(x));
    return out;
}
inline Bytes S(const std::string& s) { return Bytes(s.begin(), s.end()); }
inline Bytes operator+(Bytes a, const Bytes& b) {
    a.insert(a.end(), b.begin(), b.end());
    return a;
}

inline Bytes Be32(uint32_t v) { return B({int(v >> 24), int(v >> 16 & 255), int(v >> 8 & 255), int(v & 255)}); }
inline Bytes Seven(uint32_t v) {
    return B({int(v >> 21 & 127), int(v >> 14 & 127), int(v >> 7 & 127), int(v & 127)});
}

enum class SizeForm { Plain, Seven };

// One ID3v2.3/2.4 frame: ID, size in the chosen form, flags, body.
inline Bytes Frame(const std::string& id, const Bytes& body, SizeForm form = SizeForm::Plain, int f0 = 0,
                   int f1 = 0) {
    auto size = static_cast<uint32_t>(body.size());
    return S(id) + (form == SizeForm::Plain ? Be32(size) : Seven(size)) + B({f0, f1}) + body;
}
// A text frame with encoding 0 and the text bytes as given.
inline Bytes TextFrame(const std::string& id, const std::string& text, SizeForm form = SizeForm::Plain) {
    return Frame(id, B({0}) + S(text), form);
}

// A tag header of a version with the frames and `padding` zero bytes.
inline Bytes Tag(const Bytes& frames, size_t padding = 0, int major = 3, int flags = 0) {
    const auto size = static_cast<uint32_t>(frames.size() + padding);
    return S("ID3") + B({major, 0, flags}) + Seven(size) + frames + Bytes(padding, 0);
}

// Some bytes standing for the audio after a tag: every byte value occurs.
inline Bytes Audio(size_t n = 3000) {
    Bytes out(n);
    uint32_t x = 12345;
    for (auto& b : out) {
        x = x * 1103515245u + 12345u;
        b = static_cast<uint8_t>(x >> 16);
    }
    if (n >= 4) out[0] = 0xFF, out[1] = 0xFB, out[2] = 0x90, out[3] = 0x00;  // looks like an MPEG frame
    return out;
}

inline void WriteFile(const std::string& path, const Bytes& bytes) {
    QFile f(QString::fromStdString(path));
    ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
    ASSERT_EQ(f.write(reinterpret_cast<const char*>(bytes.data()), qint64(bytes.size())), qint64(bytes.size()));
}

inline Bytes ReadFile(const std::string& path) {
    QFile f(QString::fromStdString(path));
    if (!f.open(QIODevice::ReadOnly)) return {};
    const QByteArray all = f.readAll();
    return Bytes(all.begin(), all.end());
}

// The length of the ID3v2 tag at the start of a file image (0 without one).
inline size_t TagLength(const Bytes& file) {
    if (file.size() < 10 || file[0] != 'I' || file[1] != 'D' || file[2] != '3') return 0;
    return 10 + (size_t(file[6]) << 21 | size_t(file[7]) << 14 | size_t(file[8]) << 7 | file[9]);
}

inline Bytes AfterTag(const Bytes& file) {
    const size_t n = TagLength(file);
    return n <= file.size() ? Bytes(file.begin() + long(n), file.end()) : Bytes{};
}

inline std::string Get(quillmark::_clsID3v2& tag, quillmark::eID3FrameIDs id) {
    std::string v;
    EXPECT_EQ(tag.GetFrameValue(id, v), 0) << tag.LastError().description;
    return v;
}

// The message table's texts, as a client must see them.
inline const char* MessageTextFor(int32_t number) {
    static const char* texts[] = {
        "The field ID, %ID%, supplied is invalid.",
        "The frame ID, %ID%, supplied is invalid.",
        "The frame object supplied is invalid.",
        "The data supplied does not make a valid comment frame.",
        "The data supplied does not make a valid text frame",
        "The data supplied does not make a valid web frame.",
        "The flag data supplied is either invalid or out of an acceptable range.",
        "An unknown frame ID (%FRAMEID%)  was supplied.",
        "The file, %FILE%, was not found.",
        "The frame header data is of an incorrect size.",
        "Path/File access error.",
        "The file %FILE% has an invalid file size.",
        "The source array and destination array are not the same size",
    };
    const int32_t id = number - quillmark::kComponentErrorBase;
    return id >= 101 && id <= 113 ? texts[id - 101] : "";
}

inline std::string Hex(const Bytes& b) {
    static const char* d = "0123456789ABCDEF";
    std::string s;
    for (uint8_t x : b) {
        if (!s.empty()) s.push_back(' ');
        s.push_back(d[x >> 4]);
        s.push_back(d[x & 15]);
    }
    return s;
}

// The frames of a file's ID3v2.3 tag as (ID, body) pairs, plain 32-bit sizes.
struct RawFrame {
    std::string id;
    Bytes flags;
    Bytes body;
    bool operator==(const RawFrame&) const = default;
};
inline std::vector<RawFrame> FramesOf(const Bytes& file) {
    std::vector<RawFrame> out;
    const size_t end = TagLength(file);
    size_t p = 10;
    while (p + 10 <= end && file[p] != 0) {
        const uint32_t s = uint32_t(file[p + 4]) << 24 | uint32_t(file[p + 5]) << 16 | uint32_t(file[p + 6]) << 8 |
                           file[p + 7];
        if (p + 10 + s > end) break;
        out.push_back({std::string(file.begin() + long(p), file.begin() + long(p) + 4),
                       Bytes(file.begin() + long(p) + 8, file.begin() + long(p) + 10),
                       Bytes(file.begin() + long(p) + 10, file.begin() + long(p + 10 + s))});
        p += 10 + s;
    }
    return out;
}

inline mode_t ModeOf(const std::string& path) {
    struct stat st {};
    ::stat(path.c_str(), &st);
    return st.st_mode & 07777;
}

}  // namespace tagtest
