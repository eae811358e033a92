// The public classes and the library's entry points.

#include "Component.h"

#include "Frames.h"
#include "TagCore.h"

#include <memory>
#include <string>

namespace quillmark {

std::atomic<long>& LiveObjects() {
    static std::atomic<long> count{0};
    return count;
}

std::atomic<long>& ServerLocks() {
    static std::atomic<long> count{0};
    return count;
}

namespace {

using text::U16ToUtf8;
using text::Utf8ToU16;

// ---- clsID3v2 ------------------------------------------------------------------

class ID3v2Object final : public ComponentBase<_clsID3v2> {
public:
    Status QueryInterface(const Guid& iid, void** object) noexcept override {
        return queryAmong(iid, object, {IID__clsID3v2});
    }
    bool HasTag() const noexcept override { return m_tag.hasTag; }
    Status ReadTag(const std::string& a_sfile) noexcept override {
        return guard([&] { m_tag.readTag(a_sfile); });
    }
    Status WriteTag(const std::string& a_sfile, bool a_bIgnoreReadOnly) noexcept override {
        return guard([&] { m_tag.writeTag(a_sfile, a_bIgnoreReadOnly); });
    }
    Status RemoveTag(const std::string& a_sfile, bool a_bIgnoreReadOnly) noexcept override {
        return guard([&] { m_tag.removeTag(a_sfile, a_bIgnoreReadOnly); });
    }
    Status GetFrameValue(eID3FrameIDs a_eFrameID, std::string& a_sValue) noexcept override {
        return guard([&] { a_sValue = U16ToUtf8(m_tag.getFrameValue(a_eFrameID)); });
    }
    Status SetFrameValue(eID3FrameIDs a_eFrameID, const std::string& a_sData) noexcept override {
        return guard([&] { m_tag.setFrameValue(a_eFrameID, Utf8ToU16(a_sData)); });
    }
    Status ReadTagFromBytes(const std::string& a_sfile, const uint8_t* a_bytes, size_t a_length) noexcept override {
        return guard([&] { m_tag.readTagFromBytes(a_sfile, a_bytes, a_length); });
    }
    Status RenderTag(std::vector<uint8_t>& a_bytes) noexcept override {
        return guard([&] { a_bytes = m_tag.renderTag(); });
    }

private:
    TagCore m_tag;
};

// ---- frame classes -------------------------------------------------------------------

template <class Interface, class Core>
class FrameComponent : public ComponentBase<Interface> {
protected:
    using Base = ComponentBase<Interface>;
    using Base::guard;
    Core m_core;

    static std::string source(const char* member) { return std::string(Core::kClass) + "::" + member; }

public:
    Status put_FrameID(const std::string& value) noexcept override {
        return guard([&] { m_core.setFrameId(Utf8ToU16(value), source("FrameID")); });
    }
    Status get_FrameID(std::string& value) noexcept override {
        return guard([&] { value = U16ToUtf8(text::Cp1252(reinterpret_cast<const uint8_t*>(m_core.id.data()), 4)); });
    }
    Status get_FrameSize(int32_t& value) noexcept override {
        return guard([&] {
            const size_t n = m_core.bodySize();
            if (n > static_cast<size_t>(INT32_MAX)) RaisePlatform(Err::Overflow);
            value = static_cast<int32_t>(n);
        });
    }
    Status setFlags(const std::vector<uint8_t>& a_flags) noexcept override {
        return guard([&] { m_core.setFlags(a_flags.data(), a_flags.size(), source("setFlags")); });
    }
    Status getFlags(std::vector<uint8_t>& a_flags) noexcept override {
        return guard([&] { a_flags.assign(m_core.flags, m_core.flags + 2); });
    }
    Status parseBytes(const std::vector<uint8_t>& a_bytes) noexcept override {
        return guard([&] { m_core.parse(a_bytes.data(), a_bytes.size(), 3); });
    }
    Status getBytes(std::vector<uint8_t>& a_bytes) noexcept override {
        return guard([&] {
            std::vector<uint8_t> body;
            m_core.build(body);
            a_bytes = std::move(body);
        });
    }
    Status get_TextEncoding(uint8_t& value) noexcept override {
        return guard([&] { value = m_core.encoding(); });
    }
    Status put_TextEncoding(uint8_t value) noexcept override {
        return guard([&] { m_core.setEncoding(value); });
    }
    Status get_Data(std::string& value) noexcept override {
        return guard([&] { value = U16ToUtf8(m_core.data()); });
    }
    Status put_Data(const std::string& value) noexcept override {
        return guard([&] { m_core.setData(Utf8ToU16(value)); });
    }
};

class TextFrameObject final : public FrameComponent<_clsText_Frame, TextFrameCore> {
public:
    Status QueryInterface(const Guid& iid, void** object) noexcept override {
        return queryAmong(iid, object, {IID__clsText_Frame, IID__clsFrame});
    }
};

class WebFrameObject final : public FrameComponent<_clsWeb_Frame, WebFrameCore> {
public:
    Status QueryInterface(const Guid& iid, void** object) noexcept override {
        return queryAmong(iid, object, {IID__clsWeb_Frame, IID__clsFrame});
    }
    Status get_Description(std::string& value) noexcept override {
        return guard([&] { value = U16ToUtf8(m_core.description()); });
    }
    Status put_Description(const std::string& value) noexcept override {
        return guard([&] { m_core.setDescription(Utf8ToU16(value)); });
    }
};

class CommentFrameObject final : public FrameComponent<_clsComment_Frame, CommentFrameCore> {
public:
    Status QueryInterface(const Guid& iid, void** object) noexcept override {
        return queryAmong(iid, object, {IID__clsComment_Frame, IID__clsFrame});
    }
    Status get_Language(std::string& value) noexcept override {
        return guard([&] { value = U16ToUtf8(m_core.language()); });
    }
    Status put_Language(const std::string& value) noexcept override {
        return guard([&] { m_core.setLanguage(Utf8ToU16(value)); });
    }
    Status get_Description(std::string& value) noexcept override {
        return guard([&] { value = U16ToUtf8(m_core.description()); });
    }
    Status put_Description(const std::string& value) noexcept override {
        return guard([&] { m_core.setDescription(Utf8ToU16(value)); });
    }
};

// clsFrame itself: the interface class, which holds nothing and does nothing.
class PlainFrameObject final : public ComponentBase<_clsFrame> {
public:
    Status QueryInterface(const Guid& iid, void** object) noexcept override {
        return queryAmong(iid, object, {IID__clsFrame});
    }
    Status put_FrameID(const std::string&) noexcept override { return guard([] {}); }
    Status get_FrameID(std::string& value) noexcept override { return guard([&] { value.clear(); }); }
    Status get_FrameSize(int32_t& value) noexcept override { return guard([&] { value = 0; }); }
    Status setFlags(const std::vector<uint8_t>&) noexcept override { return guard([] {}); }
    Status getFlags(std::vector<uint8_t>&) noexcept override { return guard([] {}); }
    Status parseBytes(const std::vector<uint8_t>&) noexcept override { return guard([] {}); }
    Status getBytes(std::vector<uint8_t>&) noexcept override { return guard([] {}); }
    Status get_TextEncoding(uint8_t& value) noexcept override { return guard([&] { value = 0; }); }
    Status put_TextEncoding(uint8_t) noexcept override { return guard([] {}); }
    Status get_Data(std::string& value) noexcept override { return guard([&] { value.clear(); }); }
    Status put_Data(const std::string&) noexcept override { return guard([] {}); }
};

// ---- class factories -------------------------------------------------------------------

using Creator = IQmObject* (*)();

template <class T>
IQmObject* Create() {
    return new T();
}

struct ClassEntry {
    Guid clsid;
    Creator create;
};

const ClassEntry kClasses[] = {
    {CLSID_clsID3v2, &Create<ID3v2Object>},
    {CLSID_clsFrame, &Create<PlainFrameObject>},
    {CLSID_clsText_Frame, &Create<TextFrameObject>},
    {CLSID_clsWeb_Frame, &Create<WebFrameObject>},
    {CLSID_clsComment_Frame, &Create<CommentFrameObject>},
};

class ClassFactory final : public ComponentBase<IQmClassFactory> {
public:
    explicit ClassFactory(Creator create) : m_create(create) {}
    Status QueryInterface(const Guid& iid, void** object) noexcept override {
        return queryAmong(iid, object, {IID_IQmClassFactory});
    }
    Status CreateInstance(const Guid& iid, void** object) noexcept override {
        if (!object) return fail(Err::InvalidCall);
        *object = nullptr;
        IQmObject* created = nullptr;
        const Status made = guard([&] { created = m_create(); });
        if (made != S_Ok) return made;
        const Status got = created->QueryInterface(iid, object);
        if (got != S_Ok) fail(got);
        created->Release();  // the caller holds the reference QueryInterface gave
        return got;
    }
    Status LockServer(bool lock) noexcept override {
        if (lock)
            ++ServerLocks();
        else
            --ServerLocks();
        return guard([] {});
    }

private:
    Creator m_create;
};

}  // namespace
}  // namespace quillmark

using namespace quillmark;

extern "C" {

Status DllGetClassObject(const Guid* clsid, const Guid* iid, void** object) {
    if (!clsid || !iid || !object) return Err::InvalidCall;
    *object = nullptr;
    for (const ClassEntry& entry : kClasses) {
        if (!(entry.clsid == *clsid)) continue;
        ClassFactory* factory = nullptr;
        try {
            factory = new ClassFactory(entry.create);
        } catch (...) {
            return Err::OutOfMemory;
        }
        const Status got = factory->QueryInterface(*iid, object);
        factory->Release();
        return got;
    }
    return Err::ClassNotAvailable;
}

Status DllCanUnloadNow() { return LiveObjects() == 0 && ServerLocks() == 0 ? S_Ok : S_False; }

Status DllRegisterServer() { return S_Ok; }

Status DllUnregisterServer() { return S_Ok; }
}
