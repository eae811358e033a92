#pragma once
// Quillmark: reads, edits, writes and removes the ID3v2.3 tag of an MP3 file.
//
// The library is a component: a client creates objects by class identifier
// through DllGetClassObject (a class factory) and uses them through the
// abstract interfaces below, whose members keep the slot order of the
// component interface.  Nothing else is exported, so a client that loads the
// library at run time (dlopen) needs only this header.
//
// Conventions of every interface:
//   - No C++ exception leaves a member.  A member that can fail returns a
//     status: 0 on success, otherwise the error number, which the object also
//     keeps as its last error (LastError) with a source and a description.
//     The library's own errors are 0x80040000 + message number (101 to 113)
//     as a signed 32-bit value; errors of the system (file access, memory)
//     keep the platform numbers (53, 61, 70, 75, 7 ...).
//   - Every member that returns a status first clears the last error, so
//     LastError describes the most recent such call.
//   - Texts (frame values, descriptions, frame IDs) are UTF-8 std::string.
//     Paths are std::string holding the file-system bytes of the name
//     (UTF-8 on this platform); error texts quote them unchanged.
//   - Objects are reference counted: a new object comes with one reference,
//     Release drops it.
//   - One caller at a time per object; objects share nothing writable.

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#define QUILLMARK_API __attribute__((visibility("default")))

namespace quillmark {

using Status = int32_t;
inline constexpr Status S_Ok = 0;
inline constexpr Status S_False = 1;  // DllCanUnloadNow: objects still alive

// Error numbers a client sees.
inline constexpr int32_t kComponentErrorBase = static_cast<int32_t>(0x80040000u);
inline constexpr int32_t ComponentError(int32_t messageId) { return kComponentErrorBase + messageId; }
namespace Err {
inline constexpr int32_t FieldIdInvalid = ComponentError(101);
inline constexpr int32_t FrameIdInvalid = ComponentError(102);
inline constexpr int32_t FrameObjectInvalid = ComponentError(103);
inline constexpr int32_t CommentFrameInvalid = ComponentError(104);
inline constexpr int32_t TextFrameInvalid = ComponentError(105);
inline constexpr int32_t WebFrameInvalid = ComponentError(106);
inline constexpr int32_t FlagsInvalid = ComponentError(107);
inline constexpr int32_t UnknownFrameId = ComponentError(108);
inline constexpr int32_t FileNotFound = ComponentError(109);
inline constexpr int32_t FrameHeaderSize = ComponentError(110);
inline constexpr int32_t ReadOnly = ComponentError(111);
inline constexpr int32_t InvalidFileSize = ComponentError(112);
inline constexpr int32_t ArraySize = ComponentError(113);
inline constexpr int32_t ReplaceArraySize = ComponentError(1000);
// Errors of the platform that pass through (file access keeps its own).
inline constexpr int32_t OutOfMemory = 7;
inline constexpr int32_t Overflow = 6;
inline constexpr int32_t InvalidCall = 5;
inline constexpr int32_t ClassNotAvailable = 429;  // no class of that identifier here
inline constexpr int32_t NoInterface = 430;        // the class lacks that interface
}  // namespace Err

// ---- identities -----------------------------------------------------------

struct Guid {
    uint32_t data1;
    uint16_t data2;
    uint16_t data3;
    uint8_t data4[8];
};
constexpr bool operator==(const Guid& a, const Guid& b) {
    if (a.data1 != b.data1 || a.data2 != b.data2 || a.data3 != b.data3) return false;
    for (int i = 0; i < 8; ++i)
        if (a.data4[i] != b.data4[i]) return false;
    return true;
}

// Type library "Quillmark" 1.0, locale 0x409.
inline constexpr Guid LIBID_Quillmark = {0x6C111B5F, 0xA9DA, 0x4600, {0xA9, 0x6A, 0xC4, 0xF8, 0x32, 0x12, 0xBC, 0x81}};
inline constexpr const char* kLibraryName = "Quillmark";
inline constexpr const char* kLibraryVersion = "1.02";  // file version 1.2.0.0

inline constexpr Guid CLSID_clsID3v2 = {0x32CB435D, 0x873A, 0x495E, {0x84, 0x30, 0x7D, 0x62, 0x5A, 0x83, 0x1F, 0x41}};
inline constexpr Guid IID__clsID3v2 = {0x94AAACAA, 0xB8EB, 0x4F27, {0x8D, 0xBC, 0xC1, 0xD3, 0xDA, 0xD7, 0xB0, 0x71}};
inline constexpr Guid CLSID_clsFrame = {0x39C354FD, 0x3E72, 0x4710, {0xAF, 0x61, 0x30, 0xF9, 0x66, 0x28, 0x96, 0xDD}};
inline constexpr Guid IID__clsFrame = {0x9B36E944, 0xB4BE, 0x4000, {0x9B, 0xA8, 0x16, 0x48, 0xA6, 0xAB, 0xAA, 0x06}};
inline constexpr Guid CLSID_clsText_Frame = {0x1C7978E1, 0x6898, 0x4A25, {0x94, 0x8C, 0x41, 0x24, 0x16, 0xFD, 0xE0, 0x7B}};
inline constexpr Guid IID__clsText_Frame = {0x80D127C8, 0xBEA1, 0x4132, {0xBF, 0xEF, 0xC4, 0x2E, 0x4A, 0x1B, 0xAD, 0x1A}};
inline constexpr Guid CLSID_clsWeb_Frame = {0xB7AD3618, 0x3FBE, 0x487A, {0xA1, 0xF6, 0xF3, 0x72, 0x38, 0xF9, 0xC4, 0xDE}};
inline constexpr Guid IID__clsWeb_Frame = {0x5FCC4490, 0xD168, 0x442E, {0x8C, 0x31, 0x7F, 0x80, 0xFB, 0x65, 0x3F, 0x3A}};
inline constexpr Guid CLSID_clsComment_Frame = {0x43FA1E44, 0x4B06, 0x46AF, {0xB7, 0xCE, 0x85, 0x3E, 0xAF, 0xC8, 0xC6, 0x6F}};
inline constexpr Guid IID__clsComment_Frame = {0x4EE772DE, 0xDADC, 0x470F, {0xA3, 0x22, 0x88, 0x53, 0x60, 0xC0, 0x6A, 0xFD}};
// The frame enumeration's type identifier.
inline constexpr Guid TYPEID_eID3FrameIDs = {0x7DFA52CF, 0xAC7E, 0x49D6, {0x8D, 0x88, 0x39, 0x2D, 0x49, 0x8F, 0xC0, 0xFD}};
// The base interface and the class factory.
inline constexpr Guid IID_IQmObject = {0x00000000, 0x0000, 0x0000, {0xC0, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x46}};
inline constexpr Guid IID_IQmClassFactory = {0x00000001, 0x0000, 0x0000, {0xC0, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x46}};

// ---- the frame enumeration -------------------------------------------------

enum eID3FrameIDs : int32_t {
    eTrack = 1,        // TRCK
    eTitle = 2,        // TIT2
    eArtist = 3,       // TPE1
    eAlbum = 4,        // TALB
    eYear = 5,         // TYER
    eGenre = 6,        // TCON
    eComment = 7,      // COMM (the comment text)
    eComposer = 8,     // TCOM
    eOrigArtist = 9,   // TOPE
    eCopyright = 10,   // TCOP
    eURL = 11,         // WXXX (the URL)
    eEncodedBy = 12,   // TENC
};

// ---- interfaces ---------------------------------------------------------------

struct ErrorInfo {
    int32_t number = 0;
    std::string source;
    std::string description;
};

// What every object offers before its own members.
class IQmObject {
public:
    // Hands out the object through another of its interfaces (with a new
    // reference); Err::NoInterface when it has none by that identifier.
    virtual Status QueryInterface(const Guid& iid, void** object) noexcept = 0;
    virtual uint32_t AddRef() noexcept = 0;
    virtual uint32_t Release() noexcept = 0;
    // The error of the most recent member call (number 0 after a success).
    virtual const ErrorInfo& LastError() const noexcept = 0;

protected:
    ~IQmObject() = default;
};

class IQmClassFactory : public IQmObject {
public:
    virtual Status CreateInstance(const Guid& iid, void** object) noexcept = 0;
    virtual Status LockServer(bool lock) noexcept = 0;

protected:
    ~IQmClassFactory() = default;
};

// The tag object.  It is not bound to a file: it holds the frames of the last
// tag read, as changed since, and every call names the file it works on.
class _clsID3v2 : public IQmObject {
public:
    // True after ReadTag of a file that starts with an "ID3" header (any
    // version); false after ReadTag of a file without one.
    virtual bool HasTag() const noexcept = 0;
    // Reads the file's tag (versions 2.2, 2.3 and 2.4) into the object: the
    // reading stops at the end of the tag.
    virtual Status ReadTag(const std::string& a_sfile) noexcept = 0;
    // Writes the object's frames as the file's ID3v2.3 tag in place of the tag
    // it has.  The file is rewritten through a new file in the same folder
    // that replaces it only once complete, so a failure leaves it as it was.
    virtual Status WriteTag(const std::string& a_sfile, bool a_bIgnoreReadOnly = true) noexcept = 0;
    // Removes the file's ID3v2 tag (same rewrite) and empties the object.
    virtual Status RemoveTag(const std::string& a_sfile, bool a_bIgnoreReadOnly = true) noexcept = 0;
    // The text of the first frame of that ID, NUL characters removed; empty
    // when there is none.
    virtual Status GetFrameValue(eID3FrameIDs a_eFrameID, std::string& a_sValue) noexcept = 0;
    // Sets the text of the first frame of that ID, or appends a new frame.
    virtual Status SetFrameValue(eID3FrameIDs a_eFrameID, const std::string& a_sData) noexcept = 0;
    // ReadTag for a caller that has read the file's first bytes already: when
    // the whole tag lies in a_bytes (the file's content from offset 0), it is
    // parsed from there without touching the file; otherwise the file is read
    // as ReadTag does.
    virtual Status ReadTagFromBytes(const std::string& a_sfile, const uint8_t* a_bytes, size_t a_length) noexcept = 0;
    // The object's frames as the ID3v2.3 tag WriteTag would put in front of a
    // file's audio, for a caller that writes the file itself; no file is
    // touched.
    virtual Status RenderTag(std::vector<uint8_t>& a_bytes) noexcept = 0;

protected:
    ~_clsID3v2() = default;
};

// The common frame interface.  Byte arrays are std::vector<uint8_t>, resized
// by the callee where it fills them.
class _clsFrame : public IQmObject {
public:
    virtual Status put_FrameID(const std::string& value) noexcept = 0;
    virtual Status get_FrameID(std::string& value) noexcept = 0;
    virtual Status get_FrameSize(int32_t& value) noexcept = 0;
    virtual Status setFlags(const std::vector<uint8_t>& a_flags) noexcept = 0;
    virtual Status getFlags(std::vector<uint8_t>& a_flags) noexcept = 0;
    virtual Status parseBytes(const std::vector<uint8_t>& a_bytes) noexcept = 0;
    virtual Status getBytes(std::vector<uint8_t>& a_bytes) noexcept = 0;
    virtual Status get_TextEncoding(uint8_t& value) noexcept = 0;
    virtual Status put_TextEncoding(uint8_t value) noexcept = 0;
    virtual Status get_Data(std::string& value) noexcept = 0;
    virtual Status put_Data(const std::string& value) noexcept = 0;

protected:
    ~_clsFrame() = default;
};

class _clsText_Frame : public _clsFrame {
protected:
    ~_clsText_Frame() = default;
};

class _clsWeb_Frame : public _clsFrame {
public:
    virtual Status get_Description(std::string& value) noexcept = 0;
    virtual Status put_Description(const std::string& value) noexcept = 0;

protected:
    ~_clsWeb_Frame() = default;
};

class _clsComment_Frame : public _clsFrame {
public:
    virtual Status get_Language(std::string& value) noexcept = 0;
    virtual Status put_Language(const std::string& value) noexcept = 0;
    virtual Status get_Description(std::string& value) noexcept = 0;
    virtual Status put_Description(const std::string& value) noexcept = 0;

protected:
    ~_clsComment_Frame() = default;
};

}  // namespace quillmark

// ---- the library's entry points --------------------------------------------
// Function types for a client that looks them up with dlsym.
extern "C" {
using QmDllGetClassObjectFn = quillmark::Status (*)(const quillmark::Guid* clsid, const quillmark::Guid* iid,
                                                    void** object);
using QmDllCanUnloadNowFn = quillmark::Status (*)();
using QmDllRegisterServerFn = quillmark::Status (*)();

// A class factory (IID_IQmClassFactory) for one of the five public classes.
QUILLMARK_API quillmark::Status DllGetClassObject(const quillmark::Guid* clsid, const quillmark::Guid* iid,
                                                  void** object);
// S_Ok when no object and no server lock is alive, else S_False.
QUILLMARK_API quillmark::Status DllCanUnloadNow();
// The library is found by its location beside the program; there is no
// registration store to record it in, so these succeed without doing anything.
QUILLMARK_API quillmark::Status DllRegisterServer();
QUILLMARK_API quillmark::Status DllUnregisterServer();
}
