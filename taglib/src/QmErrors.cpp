#include "QmErrors.h"

#include <cerrno>
#include <new>
#include <stdexcept>

namespace quillmark {

namespace {
constexpr std::string_view kMessages[] = {
    "The field ID, %ID%, supplied is invalid.",                                  // 101
    "The frame ID, %ID%, supplied is invalid.",                                  // 102
    "The frame object supplied is invalid.",                                     // 103
    "The data supplied does not make a valid comment frame.",                    // 104
    "The data supplied does not make a valid text frame",                        // 105
    "The data supplied does not make a valid web frame.",                        // 106
    "The flag data supplied is either invalid or out of an acceptable range.",   // 107
    "An unknown frame ID (%FRAMEID%)  was supplied.",                            // 108
    "The file, %FILE%, was not found.",                                          // 109
    "The frame header data is of an incorrect size.",                            // 110
    "Path/File access error.",                                                   // 111
    "The file %FILE% has an invalid file size.",                                 // 112
    "The source array and destination array are not the same size",             // 113
};
constexpr int32_t kFirstMessage = Msg::FieldIdInvalid;
constexpr int32_t kLastMessage = Msg::ArraySize;
constexpr const char* kLibrarySource = "Quillmark";
}  // namespace

std::string_view MessageText(int32_t id) {
    if (id < kFirstMessage || id > kLastMessage) return {};
    return kMessages[id - kFirstMessage];
}

void RaiseError(int32_t id, std::string_view source, std::initializer_list<std::string_view> placeholders,
                std::initializer_list<std::string_view> values) {
    std::string text(MessageText(id));
    if (placeholders.size() != values.size())
        throw QmError(ComponentError(1000), "RaiseError", "The replace array size does not match the with array");
    auto value = values.begin();
    for (std::string_view placeholder : placeholders) {
        // Every occurrence, in one pass, so a value holding the placeholder
        // itself is not replaced again.
        std::string out;
        size_t from = 0;
        for (size_t at; !placeholder.empty() && (at = text.find(placeholder, from)) != std::string::npos;) {
            out.append(text, from, at - from);
            out.append(*value);
            from = at + placeholder.size();
        }
        out.append(text, from, std::string::npos);
        text = std::move(out);
        ++value;
    }
    throw QmError(ComponentError(id), std::string(source), std::move(text));
}

std::string_view PlatformErrorText(int32_t number) {
    switch (number) {
    case 5: return "Invalid procedure call or argument";
    case 6: return "Overflow";
    case 7: return "Out of memory";
    case 9: return "Subscript out of range";
    case 52: return "Bad file name or number";
    case 53: return "File not found";
    case 57: return "Device I/O error";
    case 58: return "File already exists";
    case 61: return "Disk full";
    case 70: return "Permission denied";
    case 75: return "Path/File access error";
    case 76: return "Path not found";
    case Err::ClassNotAvailable: return "Can't create object";
    case Err::NoInterface: return "Class does not support the expected interface";
    default: return "Application-defined or object-defined error";
    }
}

int32_t ErrnoToNumber(int err, bool writing) {
    switch (err) {
    case ENOENT: return 53;
    case ENOTDIR: return 76;
    case EACCES:
    case EPERM: return writing ? 75 : 70;
    case EROFS:
    case EBUSY:
    case ETXTBSY:
    case EISDIR: return 75;
    case ENOSPC:
    case EDQUOT:
    case EFBIG: return 61;
    case EEXIST: return 58;
    case ENAMETOOLONG:
    case EINVAL: return 52;
    case ENOMEM: return 7;
    case EOVERFLOW: return 6;
    default: return 57;
    }
}

void RaisePlatform(int32_t number) {
    throw QmError(number, kLibrarySource, std::string(PlatformErrorText(number)));
}

void RaiseErrno(int err, bool writing) { RaisePlatform(ErrnoToNumber(err, writing)); }

ErrorInfo CurrentErrorInfo() noexcept {
    ErrorInfo info;
    try {
        try {
            throw;
        } catch (const QmError& e) {
            info.number = e.number;
            info.source = e.source;
            info.description = e.description;
        } catch (const std::bad_alloc&) {
            info.number = Err::OutOfMemory;
            info.source = kLibrarySource;
            info.description = PlatformErrorText(Err::OutOfMemory);
        } catch (const std::length_error&) {
            info.number = Err::OutOfMemory;
            info.source = kLibrarySource;
            info.description = PlatformErrorText(Err::OutOfMemory);
        } catch (...) {
            info.number = Err::InvalidCall;
            info.source = kLibrarySource;
            info.description = PlatformErrorText(Err::InvalidCall);
        }
    } catch (...) {
        // Copying the texts failed: keep the number at least.
        if (info.number == 0) info.number = Err::OutOfMemory;
    }
    return info;
}

}  // namespace quillmark
