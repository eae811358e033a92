#include "foundation/Errors.h"

#include "foundation/MessageUi.h"
#include "foundation/ResourceStrings.h"

#include <QHash>
#include <cerrno>
#include <new>
#include <stdexcept>

const char* SvError::what() const noexcept {
    try {
        m_what = QStringLiteral("%1: %2").arg(m_number).arg(m_description).toStdString();
    } catch (...) {
        return "error";
    }
    return m_what.c_str();
}

QString StandardErrorText(int32_t number) {
    static const QHash<int32_t, QString> texts = {
        {ErrNo::InvalidCall, QStringLiteral("Invalid procedure call or argument")},
        {ErrNo::Overflow, QStringLiteral("Overflow")},
        {ErrNo::OutOfMemory, QStringLiteral("Out of memory")},
        {ErrNo::SubscriptOutOfRange, QStringLiteral("Subscript out of range")},
        {ErrNo::TypeMismatch, QStringLiteral("Type mismatch")},
        {ErrNo::BadFileNameOrNumber, QStringLiteral("Bad file name or number")},
        {ErrNo::FileNotFound, QStringLiteral("File not found")},
        {ErrNo::DeviceIO, QStringLiteral("Device I/O error")},
        {ErrNo::FileAlreadyExists, QStringLiteral("File already exists")},
        {ErrNo::DiskFull, QStringLiteral("Disk full")},
        {ErrNo::PermissionDenied, QStringLiteral("Permission denied")},
        {ErrNo::PathFileAccess, QStringLiteral("Path/File access error")},
        {ErrNo::PathNotFound, QStringLiteral("Path not found")},
        {ErrNo::ErrorLoadingLibrary, QStringLiteral("Error in loading shared library")},
        {ErrNo::ObjectNotSet, QStringLiteral("Object variable or With block variable not set")},
        {ErrNo::ResourceNotFound, QStringLiteral("Resource with this identifier not found")},
        {ErrNo::ControlArrayElementMissing, QStringLiteral("Control array element doesn't exist")},
        {ErrNo::ObjectNotAnArray, QStringLiteral("Object not an array")},
        {ErrNo::InvalidPropertyValue, QStringLiteral("Invalid property value")},
        {ErrNo::PropertyNotReadable, QStringLiteral("Property cannot be read at run time")},
        {ErrNo::MemberNotFound, QStringLiteral("Object doesn't support this property or method")},
        {ErrNo::LibraryFunctionNotFound, QStringLiteral("Specified library function not found")},
        {ErrNo::InvalidPicture, QStringLiteral("Invalid picture")},
        {ErrNo::CommonDialogCancel, QStringLiteral("Cancel was selected.")},
    };
    auto it = texts.constFind(number);
    return it != texts.constEnd() ? *it : QStringLiteral("Application-defined or object-defined error");
}

void RaiseError(int32_t number, const QString& source, const QString& description) {
    throw SvError(number, source, description.isEmpty() ? StandardErrorText(number) : description);
}

void RaiseMissingElement(int index) {
    RaiseError(ErrNo::ControlArrayElementMissing, QStringLiteral("Sonivard"),
               QStringLiteral("Control array element '%1' doesn't exist").arg(index));
}

int32_t ErrnoToErrorNumber(int err, bool writing) {
    switch (err) {
    case ENOENT: return ErrNo::FileNotFound;
    case ENOTDIR: return ErrNo::PathNotFound;
    case EACCES:
    case EPERM: return writing ? ErrNo::PathFileAccess : ErrNo::PermissionDenied;
    case EROFS:
    case EBUSY:
    case ETXTBSY:
    case EISDIR: return ErrNo::PathFileAccess;
    case ENOSPC:
    case EDQUOT:
    case EFBIG: return ErrNo::DiskFull;
    case EEXIST: return ErrNo::FileAlreadyExists;
    case ENAMETOOLONG:
    case EINVAL: return ErrNo::BadFileNameOrNumber;
    case ENOMEM: return ErrNo::OutOfMemory;
    case EOVERFLOW: return ErrNo::Overflow;
    case EIO:
    default: return ErrNo::DeviceIO;
    }
}

void RaiseErrno(int err, bool writing, const QString& source, const QString& what) {
    const int32_t number = ErrnoToErrorNumber(err, writing);
    QString text = StandardErrorText(number);
    if (!what.isEmpty()) text += QStringLiteral(" (") + what + QLatin1Char(')');
    throw SvError(number, source, text);
}

SvError CurrentError() {
    try {
        throw;
    } catch (const SvError& e) {
        return e;
    } catch (const std::bad_alloc&) {
        return SvError(ErrNo::OutOfMemory, QStringLiteral("Sonivard"), StandardErrorText(ErrNo::OutOfMemory));
    } catch (const std::out_of_range& e) {
        return SvError(ErrNo::SubscriptOutOfRange, QStringLiteral("Sonivard"),
                       StandardErrorText(ErrNo::SubscriptOutOfRange));
    } catch (const std::overflow_error&) {
        return SvError(ErrNo::Overflow, QStringLiteral("Sonivard"), StandardErrorText(ErrNo::Overflow));
    } catch (const std::exception& e) {
        return SvError(ErrNo::InvalidCall, QStringLiteral("Sonivard"), QString::fromUtf8(e.what()));
    } catch (...) {
        return SvError(ErrNo::InvalidCall, QStringLiteral("Sonivard"), StandardErrorText(ErrNo::InvalidCall));
    }
}

void PropagateError(const QString& callSite) {
    SvError error = CurrentError();
    error.appendTrail(callSite);
    throw error;
}

void DisplayErrorMessage(const SvError& error) {
    if (error.number() == ErrNo::OutOfMemory) {
        // Built from the description alone: nothing is looked up or allocated
        // beyond what the box itself needs.
        MessageUi().MsgBox(error.description(), Mb::OKOnly | Mb::Critical, QStringLiteral("Sonivard"));
        return;
    }
    QString title = QStringLiteral("Critical Error");
    QString text;
    try {
        title = GetResourceString(TextId::Common::CriticalError);
        text = GetResourceString(TextId::Common::ErrorHasOccurred) + QString::number(error.number()) +
               QStringLiteral("\r\n\r\n") + error.description() + QStringLiteral("\r\n\r\n") +
               GetResourceString(TextId::Common::ErrorReportRequest);
    } catch (...) {
        // The table itself failed: still show what went wrong.
        text = QStringLiteral("An error has occurred: ") + QString::number(error.number()) +
               QStringLiteral("\r\n\r\n") + error.description();
    }
    MessageUi().MsgBox(text, Mb::OKOnly | Mb::Critical, title);
}

void DisplayErrorMessage() { DisplayErrorMessage(CurrentError()); }
