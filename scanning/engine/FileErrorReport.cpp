#include "scanning/engine/FileErrorReport.h"

#include "foundation/MessageUi.h"
#include "foundation/NativePath.h"
#include "foundation/ResourceStrings.h"
#include "quillmark/Quillmark.h"

namespace {
// The tag library's own errors (quillmark/Quillmark.h).
constexpr int32_t kTagLibraryFirst = quillmark::Err::FieldIdInvalid;
constexpr int32_t kTagLibraryLast = quillmark::Err::ArraySize;
constexpr int32_t kTagLibraryReadOnly = quillmark::Err::ReadOnly;

// The file's name as the box shows it.
QString LastPathPart(const QString& path) {
    const qsizetype slash = path.lastIndexOf(QLatin1Char('/'));
    return PathForDisplay(slash < 0 ? path : path.mid(slash + 1));
}

// The error's description followed by the ending ". The file may be ...":
// one full stop between them, whether or not the description ends in one
// (the tag library's descriptions do, the platform's do not).
QString WithEnding(QString description, const QString& ending) {
    if (ending.startsWith(QLatin1Char('.')) && description.endsWith(QLatin1Char('.'))) description.chop(1);
    return description + ending;
}

// The system's reason alone: an error that travelled up the trail carries
// its call sites after the first "|", which the user has no use for.
QString Reason(const SvError& error) {
    const QString& description = error.description();
    const qsizetype bar = description.indexOf(QLatin1Char('|'));
    return bar < 0 ? description : description.left(bar);
}

QString Message(const QString& path, int32_t actionCode, const SvError& error, const QString& ending = QString()) {
    return LastPathPart(path) + QStringLiteral("\r\n\r\n") + ScanEngineText(actionCode) +
           WithEnding(Reason(error), ending);
}
}  // namespace

QString ScanEngineText(int32_t code) { return GetResourceString(code); }

bool ReportFileError(const QString& path, int32_t actionCode, const SvError& error) {
    const int32_t number = error.number();
    int32_t titleCode = 0;
    int32_t endingCode = 0;
    if (number == kTagLibraryReadOnly) {
        titleCode = TextId::Common::PathFileAccessError;
        endingCode = TextId::Common::FileMayBeReadOnly;
    } else if (number == ErrNo::PermissionDenied) {
        titleCode = TextId::Common::PermissionDenied;
        endingCode = TextId::Common::FileMayBeLocked;
    } else if (number == ErrNo::PathFileAccess) {
        titleCode = TextId::Common::PathFileAccessError;
        endingCode = TextId::Common::FileMayBeReadOnly;
    } else if (number >= kTagLibraryFirst && number <= kTagLibraryLast) {
        titleCode = TextId::Common::ID3v2TagError;
    } else {
        return false;
    }
    const QString message =
        Message(path, actionCode, error, endingCode != 0 ? ScanEngineText(endingCode) : QString());
    MsgBox(message, Mb::OKOnly | Mb::Exclamation, ScanEngineText(titleCode));
    return true;
}

bool ReportReadFailure(const QString& path, int32_t actionCode, const SvError& error) {
    if (ReportFileError(path, actionCode, error)) return true;
    if (error.number() == ErrNo::ObjectNotSet) return false;
    MsgBox(Message(path, actionCode, error), Mb::OKOnly | Mb::Exclamation, ScanEngineText(93));
    return true;
}

bool ReportFileError(const QString& path, int32_t actionCode) {
    return ReportFileError(path, actionCode, CurrentError());
}
