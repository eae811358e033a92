#pragma once
// The error trail: every failure is an SvError carrying the platform-style
// number, a source and a description.  A procedure that is not an event handler
// catches, appends its call-site text with PropagateError and rethrows; an event
// handler ends the chain with DisplayErrorMessage and carries on.

#include <QString>
#include <QStringList>
#include <cstdint>
#include <exception>
#include <string>
#include <type_traits>
#include <utility>

// Error numbers of the platform that the program raises or tests for; each
// has its text in StandardErrorText.  Raise them by name, never by number.
namespace ErrNo {
constexpr int32_t InvalidCall = 5;
constexpr int32_t Overflow = 6;
constexpr int32_t OutOfMemory = 7;
constexpr int32_t SubscriptOutOfRange = 9;
constexpr int32_t TypeMismatch = 13;
constexpr int32_t BadFileNameOrNumber = 52;
constexpr int32_t FileNotFound = 53;
constexpr int32_t DeviceIO = 57;
constexpr int32_t FileAlreadyExists = 58;
constexpr int32_t DiskFull = 61;
constexpr int32_t PermissionDenied = 70;
constexpr int32_t PathFileAccess = 75;
constexpr int32_t PathNotFound = 76;
constexpr int32_t ErrorLoadingLibrary = 48;
constexpr int32_t ObjectNotSet = 91;
constexpr int32_t ResourceNotFound = 326;
constexpr int32_t ControlArrayElementMissing = 340;
constexpr int32_t ObjectNotAnArray = 343;
constexpr int32_t InvalidPropertyValue = 380;
constexpr int32_t PropertyNotReadable = 393;
constexpr int32_t MemberNotFound = 438;
constexpr int32_t LibraryFunctionNotFound = 453;
constexpr int32_t InvalidPicture = 481;
constexpr int32_t CommonDialogCancel = 32755;
// Component errors: the base plus the component's own message number.
constexpr int32_t ComponentErrorBase = static_cast<int32_t>(0x80040000u);
}  // namespace ErrNo

class SvError : public std::exception {
public:
    SvError(int32_t number, QString source, QString description)
        : m_number(number), m_source(std::move(source)), m_description(std::move(description)) {}

    int32_t number() const noexcept { return m_number; }
    const QString& source() const noexcept { return m_source; }
    const QString& description() const noexcept { return m_description; }
    void appendTrail(const QString& callSite) { m_description += QLatin1Char('|') + callSite; }
    const char* what() const noexcept override;

private:
    int32_t m_number;
    QString m_source;
    QString m_description;
    mutable std::string m_what;
};

// The platform's own text for one of its error numbers ("File not found", ...).
QString StandardErrorText(int32_t number);

// Raise an error with the platform's text for the number (or the given description).
[[noreturn]] void RaiseError(int32_t number, const QString& source = QStringLiteral("Sonivard"),
                             const QString& description = QString());

// Error 340 for element `index` of a control array that has no such element;
// the description names the index.
[[noreturn]] void RaiseMissingElement(int index);

// errno -> platform error number, as the file-access helpers report it.
int32_t ErrnoToErrorNumber(int err, bool writing);
// Raise the platform error for errno `err`; the description names the platform
// text, and `what` (usually a path) is appended in brackets when given.
[[noreturn]] void RaiseErrno(int err, bool writing, const QString& source, const QString& what = QString());

// The error currently being handled, converted to an SvError: other exception
// types become the nearest platform error (bad_alloc -> 7 "Out of memory").
// Only valid inside a catch block.
SvError CurrentError();

// Rethrow the error being handled with "|" + callSite appended to its description.
// Only valid inside a catch block.
[[noreturn]] void PropagateError(const QString& callSite);

// Show the error being handled in the critical error box (or the plain
// out-of-memory box).  Only valid inside a catch block.
void DisplayErrorMessage();
// The same for an error object in hand.
void DisplayErrorMessage(const SvError& error);

// ---- call-site texts --------------------------------------------------------
// A procedure's name followed by ";" and each argument's text: strings as they
// are, numbers in decimal, Booleans as "True"/"False".
inline QString CallSiteArg(const QString& s) { return s; }
inline QString CallSiteArg(const char* s) { return QString::fromUtf8(s); }
inline QString CallSiteArg(bool b) { return b ? QStringLiteral("True") : QStringLiteral("False"); }
template <typename T>
    requires std::is_arithmetic_v<T> && (!std::is_same_v<T, bool>)
inline QString CallSiteArg(T v) { return QString::number(v); }

template <typename... Args>
QString CallSite(const QString& name, const Args&... args) {
    QString text = name;
    ((text += QLatin1Char(';') + CallSiteArg(args)), ...);
    return text;
}

// ---- "resume with the next statement" ---------------------------------------
// Event handlers run each of their steps through this: a step that fails shows
// the error box and the handler goes on with its next step.
template <typename F>
void ResumeNext(F&& step) {
    try {
        std::forward<F>(step)();
    } catch (...) {
        DisplayErrorMessage();
    }
}

// Runs `body`; any error leaving it is propagated with `callSite` appended.
template <typename F>
auto WithTrail(const QString& callSite, F&& body) -> decltype(body()) {
    try {
        return std::forward<F>(body)();
    } catch (...) {
        PropagateError(callSite);
    }
}
