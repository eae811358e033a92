#include "foundation/FileDetails.h"

#include "foundation/Errors.h"
#include "foundation/FileUtils.h"
#include "foundation/NativePath.h"

#include <QDate>
#include <QFile>
#include <QLocale>
#include <QTime>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <ctime>
#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <vector>

namespace {

struct Formats {
    QLocale locale;
    QString date;
    QString time;
};

const Formats& CurrentFormats() {
    static Formats cached{QLocale(QLocale::C), QString(), QString()};
    const QLocale locale;
    if (cached.date.isEmpty() || !(cached.locale == locale)) {
        cached.locale = locale;
        cached.date = ShortDateFormat(locale);
        cached.time = TimeFormatWithSeconds(locale);
    }
    return cached;
}

QString FormatTimestamp(const struct statx_timestamp& t) { return ConvertTimeToString(t.tv_sec, t.tv_nsec); }

bool HasWildcards(const QString& name) {
    return name.contains(QLatin1Char('*')) || name.contains(QLatin1Char('?'));
}

// The first file of the folder (by name, ignoring case) that `pattern` matches.
QString FirstMatch(const QString& folder, const QString& pattern) {
    std::vector<FolderListEntry> found;
    const bool stop = false;
    GetFolderList(folder.isEmpty() ? QStringLiteral(".") : folder, found,
                  FileAttribute::ReadOnly | FileAttribute::Hidden, pattern, false, stop);
    return found.empty() ? QString() : JoinPath(folder, found.front().FileName);
}

}  // namespace

QString ConvertFileAttributesToString(int32_t attributes) {
    QString text;
    if (attributes & FileAttribute::ReadOnly) text += QLatin1Char('R');
    if (attributes & FileAttribute::Hidden) text += QLatin1Char('H');
    if (attributes & FileAttribute::System) text += QLatin1Char('S');
    if (attributes & FileAttribute::Archive) text += QLatin1Char('A');
    return text;
}

QString ConvertTimeToString(int64_t seconds, uint32_t nanoseconds) {
    try {
        (void)nanoseconds;  // whole seconds are shown, never rounded up
        const time_t t = static_cast<time_t>(seconds);
        struct tm local;
        if (::localtime_r(&t, &local) == nullptr) return QString();
        const QDate date(local.tm_year + 1900, local.tm_mon + 1, local.tm_mday);
        const QTime time(local.tm_hour, local.tm_min, std::min(local.tm_sec, 59));
        if (!date.isValid() || !time.isValid()) return QString();
        const Formats& formats = CurrentFormats();
        return formats.locale.toString(date, formats.date) + QLatin1Char(' ') +
               formats.locale.toString(time, formats.time);
    } catch (...) {
        PropagateError(CallSite(QStringLiteral("ConvertTimeToString"), static_cast<int32_t>(seconds >> 32),
                                static_cast<int32_t>(seconds & 0xFFFFFFFF)));
    }
}

FileDetails GetFileDetails(const QString& path) {
    try {
        FileDetails details;
        QString actual = path;
        struct statx stx;
        auto look = [&](const QString& p) {
            return !p.isEmpty() && ::statx(AT_FDCWD, NativePath(p).constData(), AT_STATX_SYNC_AS_STAT,
                                           STATX_BASIC_STATS | STATX_BTIME, &stx) == 0;
        };
        if (!look(actual)) {
            if (!HasWildcards(FileNamePart(path))) return details;
            actual = FirstMatch(ParentFolder(path), FileNamePart(path));
            if (!look(actual)) return details;
        }
        int32_t attributes = 0;
        if (!(stx.stx_mode & S_IWUSR)) attributes |= FileAttribute::ReadOnly;
        if (FileNamePart(actual).startsWith(QLatin1Char('.'))) attributes |= FileAttribute::Hidden;
        details.Attributes = ConvertFileAttributesToString(attributes);
        if (stx.stx_mask & STATX_BTIME) details.Created = FormatTimestamp(stx.stx_btime);
        details.Modified = FormatTimestamp(stx.stx_mtime);
        details.Accessed = FormatTimestamp(stx.stx_atime);
        return details;
    } catch (...) {
        PropagateError(CallSite(QStringLiteral("GetFileDetails"), path));
    }
}

QString TimeFormatWithSeconds(const QLocale& locale) {
    const QString format = locale.timeFormat(QLocale::LongFormat);
    QString out;
    bool quoted = false;
    for (qsizetype i = 0; i < format.size(); ++i) {
        const QChar c = format[i];
        if (c == QLatin1Char('\'')) quoted = !quoted;
        if (!quoted && c == QLatin1Char('t')) continue;
        out += c;
    }
    out.replace(QStringLiteral("()"), QString());
    return out.simplified();
}

QString ShortDateFormat(const QLocale& locale) {
    QString format = locale.dateFormat(QLocale::ShortFormat);
    if (!format.contains(QStringLiteral("yyyy"))) format.replace(QStringLiteral("yy"), QStringLiteral("yyyy"));
    return format;
}

