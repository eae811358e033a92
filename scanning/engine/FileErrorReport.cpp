#include "scanning/engine/FileErrorReport.h"

#include "foundation/MessageUi.h"
#include "foundation/ResourceStrings.h"
#include "quillmark/Quillmark.h"

namespace {
// The tag library's own errors (quillmark/Quillmark.h).
constexpr int32_t kTagLibraryFirst = quillmark::Err::FieldIdInvalid;
constexpr int32_t kTagLibraryLast = quillmark::Err::ArraySize;
constexpr int32_t kTagLibraryReadOnly = quillmark::Err::ReadOnly;

QString LastPathPart(const QString& path) {
    const qsizetype slash = path.lastIndexOf(QLatin1Char('/'));
    return slash < 0 ? path : path.mid(slash + 1);
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
    QString message = LastPathPart(path) + QStringLiteral("\r\n\r\n") + ScanEngineText(actionCode) +
                      error.description();
    if (endingCode != 0) message += ScanEngineText(endingCode);
    MsgBox(message, Mb::OKOnly | Mb::Exclamation, ScanEngineText(titleCode));
    return true;
}

bool ReportFileError(const QString& path, int32_t actionCode) {
    return ReportFileError(path, actionCode, CurrentError());
}
