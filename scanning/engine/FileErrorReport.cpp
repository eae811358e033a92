#include "scanning/engine/FileErrorReport.h"

#include "foundation/MessageUi.h"
#include "foundation/ResourceStrings.h"

namespace {
constexpr int32_t kTagLibraryFirst = ErrNo::ComponentErrorBase + 101;
constexpr int32_t kTagLibraryLast = ErrNo::ComponentErrorBase + 113;
constexpr int32_t kTagLibraryReadOnly = ErrNo::ComponentErrorBase + 111;

QString FallbackText(int32_t code) {
    switch (code) {
    case 93: return QStringLiteral("Path/File Access Error");
    case 142: return QStringLiteral(". The file may be read-only.");
    case 143: return QStringLiteral(". The file may be locked by another process.");
    case 144: return QStringLiteral("Permission Denied");
    case 197: return QStringLiteral("Cannot read ID3v1 Tag. ");
    case 198: return QStringLiteral("Cannot read ID3v2 Tag. ");
    case 199: return QStringLiteral("Cannot modify ID3v1 Tag. ");
    case 200: return QStringLiteral("Cannot modify ID3v2 Tag. ");
    case 201: return QStringLiteral("Cannot clear ID3v1 Tag. ");
    case 202: return QStringLiteral("Cannot clear ID3v2 Tag. ");
    case 629: return QStringLiteral("Cannot read MPEG information. ");
    case 854: return QStringLiteral("ID3v2 Tag Error");
    default: return QString();
    }
}

QString LastPathPart(const QString& path) {
    const qsizetype slash = path.lastIndexOf(QLatin1Char('/'));
    return slash < 0 ? path : path.mid(slash + 1);
}
}  // namespace

QString ScanEngineText(int32_t code) {
    try {
        return GetResourceString(code);
    } catch (const SvError& e) {
        if (e.number() != ErrNo::ResourceNotFound) throw;
        const QString fallback = FallbackText(code);
        if (fallback.isEmpty()) throw;
        return fallback;
    }
}

bool ReportFileError(const QString& path, int32_t actionCode, const SvError& error) {
    const int32_t number = error.number();
    int32_t titleCode = 0;
    int32_t endingCode = 0;
    if (number == kTagLibraryReadOnly) {
        titleCode = 93;
        endingCode = 142;
    } else if (number == ErrNo::PermissionDenied) {
        titleCode = 144;
        endingCode = 143;
    } else if (number == ErrNo::PathFileAccess) {
        titleCode = 93;
        endingCode = 142;
    } else if (number >= kTagLibraryFirst && number <= kTagLibraryLast) {
        titleCode = 854;
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
