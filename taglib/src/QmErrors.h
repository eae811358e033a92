#pragma once
// Failures inside the library travel as QmError exceptions; the member that a
// client called catches them at the boundary and keeps them as its object's
// last error.  Nothing of this leaves the library.

#include "quillmark/Quillmark.h"

#include <exception>
#include <initializer_list>
#include <string>
#include <string_view>

namespace quillmark {

struct QmError : std::exception {
    QmError(int32_t n, std::string s, std::string d)
        : number(n), source(std::move(s)), description(std::move(d)) {}
    const char* what() const noexcept override { return description.c_str(); }
    int32_t number;
    std::string source;
    std::string description;
};

// Identifiers of the library's message table, the error numbers of
// quillmark/Quillmark.h less the component-error base.
namespace Msg {
constexpr int32_t Of(int32_t error) { return error - kComponentErrorBase; }
constexpr int32_t FieldIdInvalid = Of(Err::FieldIdInvalid);
constexpr int32_t FrameIdInvalid = Of(Err::FrameIdInvalid);
constexpr int32_t FrameObjectInvalid = Of(Err::FrameObjectInvalid);
constexpr int32_t CommentFrameInvalid = Of(Err::CommentFrameInvalid);
constexpr int32_t TextFrameInvalid = Of(Err::TextFrameInvalid);
constexpr int32_t WebFrameInvalid = Of(Err::WebFrameInvalid);
constexpr int32_t FlagsInvalid = Of(Err::FlagsInvalid);
constexpr int32_t UnknownFrameId = Of(Err::UnknownFrameId);
constexpr int32_t FileNotFound = Of(Err::FileNotFound);
constexpr int32_t FrameHeaderSize = Of(Err::FrameHeaderSize);
constexpr int32_t ReadOnly = Of(Err::ReadOnly);
constexpr int32_t InvalidFileSize = Of(Err::InvalidFileSize);
constexpr int32_t ArraySize = Of(Err::ArraySize);
}  // namespace Msg

// The text of the library's message table for an identifier (101 to 113).
std::string_view MessageText(int32_t id);

// Raises the component error `id` of the message table: number base + id, the
// given source, the table's text with each placeholder replaced by the value
// of the same index.  Lists of different lengths raise base + 1000 instead.
[[noreturn]] void RaiseError(int32_t id, std::string_view source,
                             std::initializer_list<std::string_view> placeholders = {},
                             std::initializer_list<std::string_view> values = {});

// Errors of the system, with the platform's numbers and texts.
std::string_view PlatformErrorText(int32_t number);
int32_t ErrnoToNumber(int err, bool writing);
[[noreturn]] void RaisePlatform(int32_t number);
[[noreturn]] void RaiseErrno(int err, bool writing);

// The error being handled (inside a catch block) as an ErrorInfo.
ErrorInfo CurrentErrorInfo() noexcept;

}  // namespace quillmark
